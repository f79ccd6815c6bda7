#include "WholeNumber.h"

#include <limits>

bool ReadWholeNumber(std::string_view text, long long min, long long max, long long& value) {
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) negative = text[pos++] == '-';
    if (pos == text.size()) return false;
    // Accumulated as a negative number, whose range covers the smallest long long.
    long long n = 0;
    constexpr long long lowest = std::numeric_limits<long long>::min();
    for (; pos < text.size(); ++pos) {
        if (text[pos] < '0' || text[pos] > '9') return false;
        int digit = text[pos] - '0';
        if (n < (lowest + digit) / 10) return false;
        n = n * 10 - digit;
    }
    if (!negative) {
        if (n == lowest) return false;
        n = -n;
    }
    if (n < min || n > max) return false;
    value = n;
    return true;
}
