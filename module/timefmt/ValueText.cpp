#include "QueryItem.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

// Appends printf's "%#.<digits>g" of a finite value: to_chars gives "%.<digits>g", and the
// alternate form only adds what that drops (the mantissa's trailing zeros up to the digit count,
// and the point).
void AppendAlternateG(double x, int digits, std::string& out) {
    char buffer[128];
    int precision = digits == 0 ? 1 : digits;
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::general, precision);
    if (ec != std::errc()) {
        int n = std::snprintf(buffer, sizeof buffer, "%#0.*g", digits, x);
        out.append(buffer, n > 0 ? std::min<std::size_t>(std::size_t(n), sizeof buffer - 1) : 0);
        return;
    }
    const std::string_view text(buffer, std::size_t(end - buffer));
    const std::size_t e = text.find('e');
    const std::string_view mantissa = text.substr(0, e),
                           exponent = e == std::string_view::npos ? std::string_view() : text.substr(e);
    int significant = 0;
    bool leading = true;
    for (char c : mantissa) {
        if (c < '0' || c > '9') continue;
        if (leading && c == '0') continue;
        leading = false;
        ++significant;
    }
    if (leading) significant = 1; // the value zero shows one significant "0"
    out.append(mantissa);
    if (mantissa.find('.') == std::string_view::npos) out += '.';
    out.append(std::size_t(std::max(0, precision - significant)), '0');
    out.append(exponent);
}

} // namespace

CString CQueryItem::FormatNumber(const CString& numberText, int digits) {
    std::string result;
    FormatNumber(numberText.str(), digits, result);
    return CString(std::move(result));
}

void CQueryItem::FormatNumber(std::string_view numberText, int digits, std::string& result) {
    result.clear();
    // A negative digit count would make no format at all; printf reads precision 0 as 1.
    digits = std::clamp(digits, 0, 64);
    double x = TextToDouble(numberText);
    // "%#0.<digits>g": that many significant digits, trailing zeros kept.
    if (std::isfinite(x) && digits <= 17) AppendAlternateG(x, digits, result);
    if (result.empty()) {
        char buffer[128];
        int n = std::snprintf(buffer, sizeof buffer, "%#0.*g", digits, x);
        result.assign(buffer, n > 0 ? std::min<std::size_t>(std::size_t(n), sizeof buffer - 1) : 0);
    }
    // Rounded to the digits asked for, a large value comes out in exponent form ("1.23e+04");
    // operators read such values in plain digits. The check is made on the rounded value and
    // its magnitude, so 999.7 with 3 digits and negative values read like the rest.
    double rounded = TextToDouble(result);
    static const std::array<double, 65> kPowers = [] {
        std::array<double, 65> p{};
        for (std::size_t i = 0; i < p.size(); ++i)
            p[i] = std::pow(10.0, double(i));
        return p;
    }();
    if (std::fabs(rounded) >= kPowers[std::size_t(digits)]) {
        // "%g": six significant digits, trailing zeros dropped; to_chars writes the same text.
        char buffer[128];
        auto [end, ec] =
            std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::general, 6);
        if (ec == std::errc()) {
            result.assign(buffer, end);
        } else {
            int n = std::snprintf(buffer, sizeof buffer, "%g", rounded);
            result.assign(buffer, n > 0 ? std::min<std::size_t>(std::size_t(n), sizeof buffer - 1) : 0);
        }
    }
    if (!result.empty() && result.back() == '.') result.pop_back();
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
