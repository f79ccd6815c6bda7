#pragma once
// Adapts the system's SQL dialect (ODBC time escapes, to_char, last_day, TRIM of numbers,
// tables in schema KES) to the backend that runs it. The text is walked token by token:
// string literals, quoted names and comments are copied untouched, so nothing inside a
// literal is ever rewritten.
#include <string>
#include <string_view>

namespace kes {

enum class Backend { Sqlite, Postgres };

// On success fills out and returns true; otherwise fills error with a readable reason
// (an unterminated literal, a damaged escape) and returns false.
bool AdaptSql(std::string_view sql, Backend backend, std::string& out, std::string& error);

// The first count words of a statement, upper-cased and joined by one blank. Blanks, ";" and
// comments before and between them are skipped, so "/* x */ begin" starts with "BEGIN".
std::string LeadingWords(std::string_view sql, int count);

// An adapted SELECT with "LIMIT rows" appended, into out, when that keeps its first rows as
// they are: a plain SELECT whose outermost level has no LIMIT, OFFSET, FETCH, FOR or INTO.
// False (out untouched) for any other statement: the caller then reads its first rows alone.
bool WithRowLimit(std::string_view sql, int rows, std::string& out);

// The text as a SQL string literal: enclosed in single quotes, each quote doubled.
std::string QuoteLiteral(std::string_view text);

} // namespace kes
