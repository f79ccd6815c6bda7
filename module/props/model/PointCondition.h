#pragma once
// Dialog "数据查询条件" (906) without its window: which statistics the points of the point
// query offer, the time precision and default span of each data type, and writing the chosen
// conditions into the point window's request.
#include "OleDateTime.h"
#include "PointQuerySettings.h"

#include <array>

inline constexpr const char* kStartAfterEndMessage = "开始时间不能大于结束时间!";
inline constexpr const char* kNoStatisticMessage = "注意由于编辑时设置数据的特性错误，请重新编辑!";

// Per statistic (instantaneous, average, maximum, minimum): offered by every point. Without
// points the instantaneous value is not offered (the others are, by every point of none).
std::array<bool, 4> OfferedStatistics(const CObjectArray<CPointEntry>& points);
// The current statistic when it is offered, else the first offered one, -1 when none is.
int OfferedStatistic(int current, const std::array<bool, 4>& offered);

// The time controls' precision for a data type: hour, day, ten-day period or month.
int TimePrecisionOf(int dataType);
// The period shown before the user chose one: 12 hours of hourly data, 10 days of daily data,
// 36 days of ten-day data, 100 days of monthly data.
COleDateTimeSpan DefaultSpanOf(int dataType);

// The request the dialog edits: the point window's point settings (data type, period,
// statistic shown, points) and its count of time initialisations.
struct CPointCondRequest {
    CPointQuerySettings& settings;
    int& timeInits;
};

// The period the time controls start with: on the first initialisation the default span of
// the data type up to now (the count then goes up), later the request's own period.
void InitialPeriod(CPointCondRequest request, int dataType, const COleDateTime& now, COleDateTime& start,
                   COleDateTime& end);

enum class EPointCondOutcome {
    Refused,     // start after end: the dialog stays open (data type and period are written)
    Written,     // everything written
    NoStatistic, // written with statistic -1: the points offer no common statistic
};
// "刷新": writes data type (radio index + 3), start and end; then, unless start is later than
// end, the statistic shown.
EPointCondOutcome ApplyPointCondition(CPointCondRequest request, int sourceIndex, const COleDateTime& start,
                                      const COleDateTime& end, int statistic);
