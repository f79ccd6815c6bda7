#pragma once
// Precisions of the date-time control and what a time looks like at each: the control keeps the
// full time and answers it cut to its precision, so whatever reads a period the way the control
// holds it (the query bar, the command line) cuts it here.
//     1 minute   2026年12月07日 08时30分        4 month    2026年12月
//     2 hour     2026年12月07日 08时            5 year     2026年
//     3 day      2026年12月07日                 33 ten-day 2026年12月 上旬 (中旬, 下旬)
#include "CString.h"
#include "OleDateTime.h"

constexpr int TIME_PRECISION_MINUTE = 1;
constexpr int TIME_PRECISION_HOUR = 2;
constexpr int TIME_PRECISION_DAY = 3;
constexpr int TIME_PRECISION_MONTH = 4;
constexpr int TIME_PRECISION_YEAR = 5;
constexpr int TIME_PRECISION_TENDAY = 33;

// Period of the month by day: 0 上旬 (1-10), 1 中旬 (11-20), 2 下旬 (21-end), and its word.
int TenDayOf(int day);
const char* TenDayWord(int tenDay);

// Whether the code is one of the precisions above.
bool IsTimePrecision(int precision);
// The time cut to the precision (an invalid time or an unknown precision: unchanged); a
// ten-day precision answers day 1, 11 or 21 at midnight.
COleDateTime CutTimeToPrecision(const COleDateTime& time, int precision);
// The text the control shows for the time at that precision (empty for an invalid time).
CString FormatTimeForPrecision(const COleDateTime& time, int precision);
