#include "PointCondition.h"

#include "TimePrecision.h"

std::array<bool, 4> OfferedStatistics(const CObjectArray<CPointEntry>& points) {
    std::array<bool, 4> offered;
    offered.fill(true);
    // The instantaneous value, the one every point type has, needs at least one point.
    offered[kPointInstant] = !points.IsEmpty();
    for (int i = 0; i < points.GetSize(); ++i)
        for (int k = 0; k < 4; ++k)
            offered[size_t(k)] = offered[size_t(k)] && points[i].m_values[k] != 0;
    return offered;
}

int OfferedStatistic(int current, const std::array<bool, 4>& offered) {
    if (current >= 0 && current < 4 && offered[size_t(current)]) return current;
    for (int k = 0; k < 4; ++k)
        if (offered[size_t(k)]) return k;
    return -1;
}

int TimePrecisionOf(int dataType) {
    switch (dataType) {
    case kPointDaily:
        return TIME_PRECISION_DAY;
    case kPointTenDay:
        return TIME_PRECISION_TENDAY;
    case kPointMonthly:
        return TIME_PRECISION_MONTH;
    default:
        return TIME_PRECISION_HOUR;
    }
}

COleDateTimeSpan DefaultSpanOf(int dataType) {
    switch (dataType) {
    case kPointDaily:
        return COleDateTimeSpan(10, 0, 0, 0);
    case kPointTenDay:
        return COleDateTimeSpan(36, 0, 0, 0);
    case kPointMonthly:
        return COleDateTimeSpan(100, 0, 0, 0);
    default:
        return COleDateTimeSpan(0, 12, 0, 0);
    }
}

void InitialPeriod(CPointCondRequest request, int dataType, const COleDateTime& now, COleDateTime& start,
                   COleDateTime& end) {
    if (request.timeInits == 0) {
        end = now;
        start = now - DefaultSpanOf(dataType);
        ++request.timeInits;
        return;
    }
    start = request.settings.m_startTime;
    end = request.settings.m_endTime;
}

EPointCondOutcome ApplyPointCondition(CPointCondRequest request, int sourceIndex, const COleDateTime& start,
                                      const COleDateTime& end, int statistic) {
    CPointQuerySettings& s = request.settings;
    s.m_dataType = sourceIndex + kPointHourly;
    s.m_startTime = start;
    s.m_endTime = end;
    if (start > end) return EPointCondOutcome::Refused;
    s.m_valueKind = statistic;
    return statistic < 0 ? EPointCondOutcome::NoStatistic : EPointCondOutcome::Written;
}
