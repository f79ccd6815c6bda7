#include "QueryItem.h"

#include <algorithm>
#include <cmath>

CString CQueryItem::FormatNumber(const CString& numberText, int digits) {
    // A negative digit count would make no format at all; printf reads precision 0 as 1.
    digits = std::clamp(digits, 0, 64);
    double x = TextToDouble(numberText);
    CString format;
    format.Format("%%#0.%dg", digits);
    CString result;
    result.Format(format, x);
    // Rounded to the digits asked for, a large value comes out in exponent form ("1.23e+04");
    // operators read such values in plain digits. The check is made on the rounded value and
    // its magnitude, so 999.7 with 3 digits and negative values read like the rest.
    if (std::fabs(TextToDouble(result)) >= std::pow(10.0, digits)) result.Format("%g", TextToDouble(result));
    if (!result.IsEmpty() && result[result.GetLength() - 1] == '.')
        result = result.Left(result.GetLength() - 1);
    return result;
}

bool CQueryItem::IsNearZero(double value) {
    return value >= -1e-6 && value <= 1e-6;
}

CString CQueryItem::ParenText(const CString& text) {
    CString t = text;
    t.Trim();
    if (t.IsEmpty()) return {};
    int open = t.Find('(');
    if (open < 0) return {};
    int close = t.Find(')', open + 1);
    if (close < 0) return {};
    CString inner = t.Mid(open + 1, close - open - 1);
    inner.Trim();
    return inner;
}
