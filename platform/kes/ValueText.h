#pragma once
// How both backends write a value into a reply row, so the module sees the same text from
// either: numbers without added trailing zeros (at most 15 significant digits, as a double
// holds them), times as "YYYY-MM-DD HH:MM:SS", NULL as nothing.
#include <string>
#include <string_view>

namespace kes {

void AppendNumber(std::string& out, double value);
void AppendInteger(std::string& out, long long value);
// A number that a backend gave as text (PostgreSQL numeric or float): re-read and written
// as AppendNumber writes it; a text that is no number is copied unchanged.
void AppendNumberText(std::string& out, std::string_view text);
// A time that a backend gave as text: fractions of a second and a zone are dropped, a bare
// date gets midnight.
void AppendTimeText(std::string& out, std::string_view text);

} // namespace kes
