#pragma once
// Reading a number a person typed (a command-line value, a number field of a dialog): the whole
// text must be the number, unlike the C library's conversions, which read a prefix.
#include <string_view>

// A whole decimal number from min to max, nothing before or after its digits but one sign.
bool ReadWholeNumber(std::string_view text, long long min, long long max, long long& value);
