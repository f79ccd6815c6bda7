#include "QueryItem.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

CString CQueryItem::FormatNumber(const CString& numberText, int digits) {
    // A negative digit count would make no format at all; printf reads precision 0 as 1.
    digits = std::clamp(digits, 0, 64);
    double x = TextToDouble(numberText);
    // "%#0.<digits>g": that many significant digits, trailing zeros kept. Called for every
    // cell of a column, so written with the C library directly.
    char buffer[128];
    int n = std::snprintf(buffer, sizeof buffer, "%#0.*g", digits, x);
    std::string result(buffer, n > 0 ? std::min<std::size_t>(std::size_t(n), sizeof buffer - 1) : 0);
    // Rounded to the digits asked for, a large value comes out in exponent form ("1.23e+04");
    // operators read such values in plain digits. The check is made on the rounded value and
    // its magnitude, so 999.7 with 3 digits and negative values read like the rest.
    double rounded = TextToDouble(result);
    if (std::fabs(rounded) >= std::pow(10.0, digits)) {
        n = std::snprintf(buffer, sizeof buffer, "%g", rounded);
        result.assign(buffer, n > 0 ? std::min<std::size_t>(std::size_t(n), sizeof buffer - 1) : 0);
    }
    if (!result.empty() && result.back() == '.') result.pop_back();
    return CString(std::move(result));
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
