#pragma once
// printf-style formatting that is safe whatever argument types are passed: each conversion
// is re-issued to snprintf with the C type that matches the conversion letter, so "%ld" of an
// int or "%s" of a CString cannot read the wrong number of bytes.
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace mfc {

// A signed integer together with the width it is passed with (at least that of int, as the C
// library promotes it), so that an unsigned conversion of a negative value shows it in that
// width: "%X" of int -1 is FFFFFFFF, not sixteen digits.
struct SignedArg {
    long long value;
    int bytes;
};

using FormatArg = std::variant<SignedArg, unsigned long long, double, std::string_view, const void*>;

std::string FormatPrintf(std::string_view format, const std::vector<FormatArg>& args);

template <class T> FormatArg ToFormatArg(const T& v) {
    if constexpr (std::is_same_v<T, bool>)
        return SignedArg{static_cast<long long>(v), int(sizeof(int))};
    else if constexpr (std::is_integral_v<T> && std::is_signed_v<T>)
        return SignedArg{static_cast<long long>(v), int(sizeof(T) > sizeof(int) ? sizeof(T) : sizeof(int))};
    else if constexpr (std::is_integral_v<T> || std::is_enum_v<T>)
        return static_cast<unsigned long long>(v);
    else if constexpr (std::is_floating_point_v<T>)
        return static_cast<double>(v);
    else if constexpr (std::is_convertible_v<const T&, std::string_view>)
        return std::string_view(v);
    else if constexpr (std::is_pointer_v<T>)
        return static_cast<const void*>(v);
    else
        return std::string_view(v.GetString(), static_cast<std::size_t>(v.GetLength()));
}

template <class... Args> std::string Sprintf(std::string_view format, const Args&... args) {
    return FormatPrintf(format, std::vector<FormatArg>{ToFormatArg(args)...});
}

} // namespace mfc
