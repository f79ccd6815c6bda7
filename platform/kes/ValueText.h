#pragma once
// How both backends write a value into a reply row, so the module sees the same text from
// either: numbers without added trailing zeros (at most 15 significant digits, as a double
// holds them), times as "YYYY-MM-DD HH:MM:SS", NULL as nothing, texts with their
// separators escaped.
#include <string>
#include <string_view>
#include <vector>

namespace kes {

void AppendNumber(std::string& out, double value);
void AppendInteger(std::string& out, long long value);
// A number that a backend gave as text (PostgreSQL numeric or float): re-read and written
// as AppendNumber writes it; a text that is no number is copied unchanged.
void AppendNumberText(std::string& out, std::string_view text);
// A time that a backend gave as text: fractions of a second and a zone are dropped, a bare
// date gets midnight.
void AppendTimeText(std::string& out, std::string_view text);

// A text value: "\\", ",", "(" and ")" are written with a "\\" before them, so a text
// holding the row's separators comes back as one cell.
void AppendText(std::string& out, std::string_view text);

// The cells of a reply row as the service itself reads them: split at every unescaped ",",
// escapes undone, text after the last "," dropped.
std::vector<std::string> SplitReplyRow(std::string_view row);

// A reply text that is not a row: the status of a statement that returns no columns
// ("UPDATE 1", "INSERT 0 1"). Rows always end with their last value's ",".
bool IsStatusText(std::string_view reply);

} // namespace kes
