#include "TimePrecision.h"

#include <algorithm>

int TenDayOf(int day) {
    return std::min((day - 1) / 10, 2);
}

const char* TenDayWord(int tenDay) {
    static const char* const words[] = {"上旬", "中旬", "下旬"};
    return words[tenDay];
}

bool IsTimePrecision(int precision) {
    return (precision >= TIME_PRECISION_MINUTE && precision <= TIME_PRECISION_YEAR) ||
           precision == TIME_PRECISION_TENDAY;
}

COleDateTime CutTimeToPrecision(const COleDateTime& time, int precision) {
    if (!time.IsValid()) return time;
    const int year = time.GetYear(), month = time.GetMonth(), day = time.GetDay();
    switch (precision) {
    case TIME_PRECISION_MINUTE:
        return COleDateTime(year, month, day, time.GetHour(), time.GetMinute(), 0);
    case TIME_PRECISION_HOUR:
        return COleDateTime(year, month, day, time.GetHour(), 0, 0);
    case TIME_PRECISION_DAY:
        return COleDateTime(year, month, day, 0, 0, 0);
    case TIME_PRECISION_TENDAY:
        return COleDateTime(year, month, TenDayOf(day) * 10 + 1, 0, 0, 0);
    case TIME_PRECISION_MONTH:
        return COleDateTime(year, month, 1, 0, 0, 0);
    case TIME_PRECISION_YEAR:
        return COleDateTime(year, 1, 1, 0, 0, 0);
    default:
        return time;
    }
}

CString FormatTimeForPrecision(const COleDateTime& time, int precision) {
    switch (precision) {
    case TIME_PRECISION_HOUR:
        return time.Format("%Y年%m月%d日 %H时");
    case TIME_PRECISION_DAY:
        return time.Format("%Y年%m月%d日");
    case TIME_PRECISION_TENDAY:
        if (!time.IsValid()) return {};
        return time.Format("%Y年%m月 ") + CString(TenDayWord(TenDayOf(time.GetDay())));
    case TIME_PRECISION_MONTH:
        return time.Format("%Y年%m月");
    case TIME_PRECISION_YEAR:
        return time.Format("%Y年");
    default:
        return time.Format("%Y年%m月%d日 %H时%M分");
    }
}
