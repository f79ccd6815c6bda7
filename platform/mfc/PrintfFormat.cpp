#include "PrintfFormat.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace mfc {
namespace {

template <class... T> void AppendSnprintf(std::string& out, const std::string& conversion, T... values) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    char small[128];
    int n = std::snprintf(small, sizeof small, conversion.c_str(), values...);
    if (n < 0) return;
    if (static_cast<std::size_t>(n) < sizeof small) {
        out.append(small, static_cast<std::size_t>(n));
        return;
    }
    std::string big(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(big.data(), big.size(), conversion.c_str(), values...);
    big.resize(static_cast<std::size_t>(n));
    out += big;
#pragma GCC diagnostic pop
}

// "%d" of a double drops the fraction; NaN reads as 0 and values beyond the integer range
// saturate, where a plain conversion would be undefined.
long long DoubleToInteger(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 9223372036854775807.0) return LLONG_MAX;
    if (v <= -9223372036854775808.0) return LLONG_MIN;
    return static_cast<long long>(v);
}

long long AsSigned(const FormatArg& a) {
    if (auto p = std::get_if<SignedArg>(&a)) return p->value;
    if (auto p = std::get_if<unsigned long long>(&a)) return static_cast<long long>(*p);
    if (auto p = std::get_if<double>(&a)) return DoubleToInteger(*p);
    if (auto p = std::get_if<std::string_view>(&a)) return std::strtoll(std::string(*p).c_str(), nullptr, 10);
    return 0;
}

unsigned long long AsUnsigned(const FormatArg& a) {
    if (auto p = std::get_if<SignedArg>(&a)) {
        auto bits = static_cast<unsigned long long>(p->value);
        return p->bytes >= 8 ? bits : bits & ((1ULL << (8 * p->bytes)) - 1);
    }
    if (auto p = std::get_if<unsigned long long>(&a)) return *p;
    return static_cast<unsigned long long>(AsSigned(a));
}

double AsDouble(const FormatArg& a) {
    if (auto p = std::get_if<double>(&a)) return *p;
    if (auto p = std::get_if<SignedArg>(&a)) return static_cast<double>(p->value);
    if (auto p = std::get_if<unsigned long long>(&a)) return static_cast<double>(*p);
    if (auto p = std::get_if<std::string_view>(&a)) return std::strtod(std::string(*p).c_str(), nullptr);
    return 0.0;
}

std::string AsText(const FormatArg& a) {
    if (auto p = std::get_if<std::string_view>(&a)) return std::string(*p);
    if (auto p = std::get_if<SignedArg>(&a)) return std::to_string(p->value);
    if (auto p = std::get_if<unsigned long long>(&a)) return std::to_string(*p);
    if (auto p = std::get_if<double>(&a)) return std::to_string(*p);
    return {};
}

bool IsFlag(char c) {
    return c == '-' || c == '+' || c == ' ' || c == '#' || c == '0' || c == '\'';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsLength(char c) {
    return c == 'h' || c == 'l' || c == 'L' || c == 'q' || c == 'j' || c == 'z' || c == 't';
}

} // namespace

std::string FormatPrintf(std::string_view format, const std::vector<FormatArg>& args) {
    std::string out;
    out.reserve(format.size() + 16);
    std::size_t next = 0;
    auto take = [&]() -> const FormatArg* { return next < args.size() ? &args[next++] : nullptr; };

    for (std::size_t i = 0; i < format.size();) {
        char c = format[i];
        if (c != '%') {
            out += c;
            ++i;
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            out += '%';
            i += 2;
            continue;
        }
        // Collect flags, width and precision; '*' takes an argument as in printf.
        std::string conversion = "%";
        std::size_t j = i + 1;
        while (j < format.size() && IsFlag(format[j]))
            conversion += format[j++];
        // A width or precision: digits, or '*' taking the next argument.
        auto readNumber = [&] {
            if (j < format.size() && format[j] == '*') {
                const FormatArg* a = take();
                conversion += std::to_string(a ? AsSigned(*a) : 0);
                ++j;
                return;
            }
            while (j < format.size() && IsDigit(format[j]))
                conversion += format[j++];
        };
        readNumber();
        if (j < format.size() && format[j] == '.') {
            conversion += format[j++];
            readNumber();
        }
        while (j < format.size() && IsLength(format[j]))
            ++j;                  // the argument's own type decides
        if (j >= format.size()) { // a lone trailing '%' is kept as text
            out.append(format.substr(i));
            break;
        }
        char conv = format[j];
        i = j + 1;
        const FormatArg* a = nullptr;
        switch (conv) {
        case 'd':
        case 'i':
            a = take();
            AppendSnprintf(out, conversion + "lld", a ? AsSigned(*a) : 0LL);
            break;
        case 'u':
        case 'x':
        case 'X':
        case 'o':
            a = take();
            AppendSnprintf(out, conversion + "ll" + conv, a ? AsUnsigned(*a) : 0ULL);
            break;
        case 'c':
            a = take();
            AppendSnprintf(out, conversion + "c", static_cast<int>(a ? AsSigned(*a) : 0));
            break;
        case 'f':
        case 'F':
        case 'e':
        case 'E':
        case 'g':
        case 'G':
        case 'a':
        case 'A':
            a = take();
            AppendSnprintf(out, conversion + conv, a ? AsDouble(*a) : 0.0);
            break;
        case 's':
        case 'S':
            a = take();
            AppendSnprintf(out, conversion + "s", (a ? AsText(*a) : std::string()).c_str());
            break;
        case 'p':
            a = take();
            if (a && std::holds_alternative<const void*>(*a))
                AppendSnprintf(out, conversion + "p", std::get<const void*>(*a));
            break;
        default: // unknown conversion: keep the text as written
            out += conversion;
            out += conv;
            break;
        }
    }
    return out;
}

} // namespace mfc
