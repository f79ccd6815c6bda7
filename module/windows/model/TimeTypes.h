#pragma once
// Time types of the query bar: the type buttons, the interval list, how the start and end
// controls follow a type, and the precision of the time controls. Types are coded 3 hour,
// 4 day, 5 ten-day period, 6 month.
#include "Arrays.h"
#include "CString.h"
#include "OleDateTime.h"

#include <optional>
#include <vector>

enum ETimeTypeCode { kTypeHour = 3, kTypeDay = 4, kTypeTenDay = 5, kTypeMonth = 6 };

inline constexpr int kMaxTimeTypeButtons = 10;

// Caption of a type button: "时" "日" "旬" "月", empty for any other code.
CString TimeTypeCaption(int code);
// The period word of a type, for ShiftTime; empty for any other code.
CString PeriodWordOfType(int code);
// The configured types of TOTAL(TABLE, ...), at most ten.
std::vector<int> ConfiguredTimeTypes(const CDWordArray& totalTables);
// Entries of the interval list: "%d小时" 1-24, "%d天" 1-31, "1旬".."3旬", "%d月" 1-12.
CStringArray IntervalTexts(int code);

// Start, end and control precision after choosing a type.
struct CTimeRange {
    COleDateTime start;
    COleDateTime end;
    std::optional<int> precision;
};
// Hour: end one hour later, precision 2; day: precision 3; ten-day: start 30 days before the
// end, precision 33; month: start 63 days before the end, precision 4.
CTimeRange AdaptTimeRange(int code, const COleDateTime& start, const COleDateTime& end);

// Precision of the time controls for a SHOWTIME word: YEAR 5, MONTH/MON 4, DAY 3, HOUR 2,
// MIN 1; none for any other word.
std::optional<int> ShowTimePrecision(const CString& word);
