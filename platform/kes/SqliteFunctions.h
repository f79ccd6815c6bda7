#pragma once
// The dialect's functions that SQLite lacks, registered on each connection:
//   to_char(time, format)  Oracle-style format words YYYY YY MM DD HH24 HH12 HH MI SS;
//   to_char(number)        the number's text;
//   last_day(time)         the last day of the time's month, same time of day;
//   trim(value)            as the built-in, but numbers give their text as replies write it.
// Times are ISO texts "YYYY-MM-DD HH:MM:SS" as stored, or day numbers: last_day answers a
// Julian day number (as SQLite's julianday does), so last_day(TM)-20 is plain arithmetic
// whose result to_char reads back as a time.
struct sqlite3;

namespace kes {

void RegisterDialectFunctions(sqlite3* db);

} // namespace kes
