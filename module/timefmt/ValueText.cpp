#include "QueryItem.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
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

// A plain decimal text ("-12.345", "0.5", "7") as its significant digits, for rounding the way
// printf rounds the double the text reads as, without reading the double and writing it back.
// Grid columns format every cell of a refresh, and the stored texts are such decimals.
struct PlainDecimal {
    static constexpr int kMaxDigits = 15; // a double keeps this many decimal digits exactly
    bool negative = false;
    char digits[kMaxDigits] = {}; // the first is not '0', nor the last
    int count = 0;                // 0: the value rounded to zero
    int exponent = 0;             // the power of ten of digits[0]

    char DigitAt(int power) const {
        const int i = exponent - power;
        return i >= 0 && i < count ? digits[i] : '0';
    }
};

// Reads an optionally negative run of digits with at most one point and nothing else, of a
// value other than zero, with at most kMaxDigits significant digits. Anything else (white
// space, exponents, signs "+", zero, too many digits) is left to the C library's reading.
bool ReadPlainDecimal(std::string_view text, PlainDecimal& d) {
    const char* p = text.data();
    const char* const end = p + text.size();
    d.negative = p != end && *p == '-';
    if (d.negative) ++p;
    char all[40]; // the digits without the point
    int count = 0, whole = -1;
    for (; p != end; ++p) {
        const char c = *p;
        if (c >= '0' && c <= '9' && count < int(sizeof all)) {
            all[count++] = c;
        } else if (c == '.' && whole < 0) {
            whole = count;
        } else {
            return false;
        }
    }
    if (whole < 0) whole = count;
    int first = 0, last = count;
    while (first < count && all[first] == '0')
        ++first;
    while (last > first && all[last - 1] == '0')
        --last;
    if (first == last || last - first > PlainDecimal::kMaxDigits) return false;
    d.count = last - first;
    std::memcpy(d.digits, all + first, std::size_t(d.count));
    d.exponent = whole - 1 - first;
    return true;
}

// Rounds to the nearest multiple of 10^place, as printf rounds the double the decimal reads as. False where
// the decimal text cannot tell: an exact tie (the double's binary value decides it), or a rounding place so
// far below the first digit that the double's own error could cross it.
bool RoundAt(PlainDecimal& d, int place) {
    if (d.exponent + 1 - place > PlainDecimal::kMaxDigits) return false;
    const int keep = d.exponent - place + 1; // digits at or above the place
    if (keep >= d.count) return true;
    if (keep < 0) {
        d.count = 0;
        return true;
    }
    const char next = d.digits[keep];
    if (next == '5' && d.count == keep + 1) return false;
    d.count = keep;
    if (next >= '5') {
        int k = keep - 1;
        while (k >= 0 && d.digits[k] == '9')
            --k;
        if (k < 0) { // 9.99 -> 10.0: one digit, one power up
            d.digits[0] = '1';
            d.count = 1;
            d.exponent += 1;
            return true;
        }
        ++d.digits[k];
        d.count = k + 1;
    }
    while (d.count > 0 && d.digits[d.count - 1] == '0')
        --d.count;
    return true;
}

// Writes the digits of the powers from high down to low, '0' where the decimal has none.
char* PutPowers(const PlainDecimal& d, int high, int low, char* out) {
    for (int p = high; p >= low; --p)
        *out++ = d.DigitAt(p);
    return out;
}

// The "%#0.<digits>g" text of a plain decimal and the check on it, written from its digits
// when the value is one FormatNumber shows in plain digits; false leaves it to printf's forms.
bool AppendSignificant(std::string_view text, int digits, std::string& out) {
    PlainDecimal d;
    const int precision = std::max(digits, 1);
    if (!ReadPlainDecimal(text, d) || !RoundAt(d, d.exponent - precision + 1) || d.count == 0) return false;
    const int x = d.exponent;
    char shown[48]; // at most fifteen digits, four zeros after the point, sign and point
    char* end = shown;
    if (d.negative) *end++ = '-';
    if (x >= digits) {
        // Past the digit count: "%g" of the rounded value, plain digits below a million.
        if (precision > 6 || x >= 6) return false;
        end = PutPowers(d, x, 0, end);
    } else {
        if (x < -4) return false; // exponent form
        end = PutPowers(d, std::max(x, 0), 0, end);
        if (precision - 1 - x > 0) {
            *end++ = '.';
            end = PutPowers(d, -1, x - precision + 1, end);
        }
    }
    out.assign(shown, end);
    return true;
}

} // namespace

CString CQueryItem::FormatNumber(const CString& numberText, int digits) {
    std::string result;
    FormatNumber(numberText.str(), digits, result);
    return CString(std::move(result));
}

void CQueryItem::FormatNumber(std::string_view numberText, int digits, std::string& result) {
    // A negative digit count would make no format at all; printf reads precision 0 as 1.
    digits = std::clamp(digits, 0, 64);
    if (AppendSignificant(numberText, digits, result)) return;
    double x = TextToDouble(numberText);
    result.clear();
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

void CQueryItem::FormatDecimals(std::string_view numberText, int decimals, std::string& result) {
    assert(decimals >= 0);
    PlainDecimal d;
    constexpr int kMaxFastDecimals = 32;
    if (decimals <= kMaxFastDecimals && ReadPlainDecimal(numberText, d) && RoundAt(d, -decimals)) {
        // At most fifteen digits before the point (RoundAt keeps them within fifteen places).
        char text[PlainDecimal::kMaxDigits + kMaxFastDecimals + 3];
        char* end = text;
        if (d.negative) *end++ = '-';
        end = PutPowers(d, std::max(d.exponent, 0), 0, end);
        if (decimals > 0) {
            *end++ = '.';
            end = PutPowers(d, -1, -decimals, end);
        }
        result.assign(text, end);
        return;
    }
    // to_chars with a precision writes exactly what printf writes.
    char buffer[512];
    const double value = TextToDouble(numberText);
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (ec != std::errc()) {
        int n = std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
        end = buffer + (n > 0 ? std::min<std::size_t>(std::size_t(n), sizeof buffer - 1) : 0);
    }
    result.assign(buffer, end);
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
