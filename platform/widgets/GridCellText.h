#pragma once
// How the grid reads the meaning of a cell text: blank, number, date-time, entry of a value list.
// Used to order rows, to show names for codes and to decide which cells a spreadsheet gets as numbers.
#include <cstdint>
#include <string_view>

namespace gridtext {

// One entry of a list column's value list, "name(code)": the code is inside the last pair of
// parentheses, which end the entry; the name is what comes before it and may hold parentheses
// itself. False for an entry of any other shape.
bool SplitListEntry(std::string_view entry, std::string_view& name, std::string_view& code);

// Empty, or nothing but blanks and tabs.
bool IsBlank(std::string_view text);
std::string_view TrimBlanks(std::string_view text);

// The whole text (blanks around it aside) is one finite decimal number: "12", "-3.5", "+7",
// ".5", "1e3". Anything after the number makes it no number: "12 m", "2024-01-01".
bool ParseNumber(std::string_view text, double& value);

// The whole text is a date-time: the exchange form "YYYY-MM-DD HH:MM:SS" or a leading part of
// it ("YYYY-MM", "YYYY-MM-DD", "YYYY-MM-DD HH", ...; fractions of the second, one-digit month,
// day and hour, and 'T' for the blank are read too), or a display form of a time type
// ("2024年", "2024年06月", "2024年06月 中旬", "2024年06月01日08时30分00秒" and its leading parts).
// key orders the texts in time; a shorter text orders before the longer texts it begins, and a
// ten-day period as its first day.
bool ParseTime(std::string_view text, std::int64_t& key);

// A number a spreadsheet can hold without changing what the grid shows: an optional '-', no
// leading zeros, no exponent, at most 15 significant digits. decimals is the number of digits
// after the point, which the spreadsheet has to keep showing ("12.50" stays "12.50").
bool IsPlainNumber(std::string_view text, int& decimals);

} // namespace gridtext
