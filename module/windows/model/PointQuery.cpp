// The point query's time axis, its requests to the period call and the loading of the matrix.
#include "PointQuery.h"

#include "DataService.h"

#include <algorithm>
#include <cmath>

namespace {

// Step units of CQueryItem::StepTime.
constexpr int kStepHour = 1, kStepDay = 2, kStepMonth = 4;

COleDateTime StartOfDay(const COleDateTime& t) {
    return COleDateTime(t.GetYear(), t.GetMonth(), t.GetDay(), 0, 0, 0);
}

} // namespace

CString PeriodTableOf(int dataType) {
    switch (dataType) {
    case kPointHourly:
        return "HOURDB";
    case kPointDaily:
        return "DAYDB";
    case kPointTenDay:
        return "DAY10DB";
    case kPointMonthly:
        return "MONTHDB";
    default:
        return {};
    }
}

const char* PeriodLabelPattern(int dataType) {
    switch (dataType) {
    case kPointHourly:
        return "%Y-%m-%d %H";
    case kPointDaily:
    case kPointTenDay:
        return "%Y-%m-%d";
    case kPointMonthly:
        return "%Y-%m";
    default:
        return nullptr;
    }
}

CSortedTextList BuildTimeAxis(int dataType, const COleDateTime& start, const COleDateTime& end) {
    CSortedTextList axis;
    const char* pattern = PeriodLabelPattern(dataType);
    if (!pattern || !start.IsValid() || !end.IsValid()) return axis;
    switch (dataType) {
    case kPointHourly: {
        COleDateTime t(start.GetYear(), start.GetMonth(), start.GetDay(), start.GetHour(), 0, 0);
        const COleDateTime last(end.GetYear(), end.GetMonth(), end.GetDay(), end.GetHour(), 0, 0);
        // A small allowance keeps an end exactly on the hour from losing its label to rounding.
        const double steps = std::floor((last - t).GetTotalDays() * 24 + 0.000005787037037037037);
        for (long i = 0; i <= long(steps); ++i, CQueryItem::StepTime(t, kStepHour, 1))
            axis.Add(t.Format(pattern));
        break;
    }
    case kPointDaily:
        for (COleDateTime t = StartOfDay(start); t <= StartOfDay(end); CQueryItem::StepTime(t, kStepDay, 1))
            axis.Add(t.Format(pattern));
        break;
    case kPointTenDay:
        for (COleDateTime t = StartOfDay(start); t <= StartOfDay(end); CQueryItem::StepTime(t, kStepDay, 1))
            if (t.GetDay() == 1 || t.GetDay() == 11 || t.GetDay() == 21) axis.Add(t.Format(pattern));
        break;
    case kPointMonthly: {
        const COleDateTime last(end.GetYear(), end.GetMonth(), 1, 0, 0, 0);
        for (COleDateTime t(start.GetYear(), start.GetMonth(), 1, 0, 0, 0); t <= last;
             CQueryItem::StepTime(t, kStepMonth, 1))
            axis.Add(t.Format(pattern));
        break;
    }
    default:
        break;
    }
    axis.SortUnique();
    return axis;
}

CParam PointPeriodRequest(int dataType, int pointId, const COleDateTime& start, const COleDateTime& end) {
    CParam param;
    param.SetExStr(PeriodTableOf(dataType));
    param.AddID(pointId);
    param.SetExInt(0);
    param.SetTime(start, 'B');
    param.SetTime(end - COleDateTimeSpan(0, 0, 0, 1), 'E');
    return param;
}

void CPointDataMatrix::Reset(long periods, long points) {
    m_periods = std::max(periods, 0L);
    m_points = std::max(points, 0L);
    const std::size_t cells = std::size_t(m_periods) * std::size_t(m_points);
    m_cells.assign(cells, CSpanRecord{});
    m_held.assign(cells, false);
}

const CSpanRecord* CPointDataMatrix::At(long period, long point) const {
    if (!Contains(period, point) || !m_held[IndexOf(period, point)]) return nullptr;
    return &m_cells[IndexOf(period, point)];
}

void CPointDataMatrix::Put(long period, long point, const CSpanRecord& record) {
    if (!Contains(period, point)) return;
    m_cells[IndexOf(period, point)] = record;
    m_held[IndexOf(period, point)] = true;
}

void CPointDataMatrix::Clear(long period, long point) {
    if (Contains(period, point)) m_held[IndexOf(period, point)] = false;
}

namespace {

// The stretch of time each label of the axis stands for, so that a record is placed by its time
// without a label formatted for it: [from, to) as linear day counts, both half a second early,
// as a time is labelled after rounding to whole seconds.
class PeriodStretches {
public:
    PeriodStretches(int dataType, const CSortedTextList& axis) {
        const int unit = dataType == kPointHourly    ? kStepHour
                         : dataType == kPointMonthly ? kStepMonth
                                                     : kStepDay;
        for (int i = 0; i < axis.GetSize(); ++i) {
            COleDateTime t = CQueryItem::ParseTime(axis.GetAt(i));
            m_from.push_back(t.Linear() - kHalfSecond);
            CQueryItem::StepTime(t, unit, 1);
            m_to.push_back(t.Linear() - kHalfSecond);
        }
    }

    // The axis row whose stretch holds the time, -1 for none. Records come in time order, so
    // the row after the last one found is tried first.
    long RowOf(const COleDateTime& time) {
        if (!time.IsValid()) return -1;
        const double t = time.Linear();
        for (std::size_t row : {m_last + 1, m_last})
            if (Holds(row, t)) return long(m_last = row);
        const auto after = std::upper_bound(m_from.begin(), m_from.end(), t);
        if (after == m_from.begin()) return -1;
        const std::size_t row = std::size_t(after - m_from.begin()) - 1;
        if (!Holds(row, t)) return -1;
        return long(m_last = row);
    }

private:
    static constexpr double kHalfSecond = 0.5 / 86400;
    bool Holds(std::size_t row, double t) const {
        return row < m_from.size() && m_from[row] <= t && t < m_to[row];
    }

    std::vector<double> m_from, m_to;
    std::size_t m_last = 0;
};

} // namespace

void CPointQuery::Load(const CPointQuerySettings& s) {
    m_axis = BuildTimeAxis(s.m_dataType, s.m_startTime, s.m_endTime);
    const int points = s.m_points.GetSize();
    m_matrix.Reset(m_axis.GetSize(), points);
    m_outcomes.assign(std::size_t(points), CPointOutcome{});
    if (!PeriodLabelPattern(s.m_dataType)) return;
    PeriodStretches stretches(s.m_dataType, m_axis);
    for (int p = 0; p < points; ++p) {
        CPointOutcome& outcome = m_outcomes[std::size_t(p)];
        CParam param = PointPeriodRequest(s.m_dataType, s.PointNumberAt(p), s.m_startTime, s.m_endTime);
        CObArray error;
        long placed = 0;
        // Records of periods that are not on the axis are left out.
        outcome.result = OutSpanDBEach(
            &param,
            [&](const CSpanRecord& record) {
                const long row = stretches.RowOf(record.m_time);
                if (row < 0) return;
                m_matrix.Put(row, p, record);
                ++placed;
            },
            &error);
        if (outcome.result < 0) {
            // What was handed over before the failure is no answer.
            for (long row = 0; row < m_matrix.Periods(); ++row)
                m_matrix.Clear(row, p);
            if (!error.IsEmpty())
                if (auto* text = dynamic_cast<const CSqlStr*>(error.GetAt(0))) outcome.error = text->m_strSql;
            continue;
        }
        outcome.placed = placed;
    }
}

CStringArray CPointQuery::PointsWithoutData(const CPointQuerySettings& s) const {
    CStringArray captions;
    for (std::size_t p = 0; p < m_outcomes.size() && int(p) < s.m_points.GetSize(); ++p)
        if (m_outcomes[p].placed == 0) captions.Add(PointCaption(s.m_points[int(p)]));
    return captions;
}

CString CPointQuery::NoDataText(const CPointQuerySettings& s) const {
    const CStringArray captions = PointsWithoutData(s);
    if (captions.IsEmpty()) return {};
    CString text = "无数据的测点: ";
    for (int i = 0; i < captions.GetSize(); ++i)
        text += (i ? ", " : "") + captions[i];
    return text;
}

CString PointCaption(const CPointEntry& point) {
    CString name = point.m_name;
    name.Trim();
    return name.IsEmpty() ? point.m_number : name;
}
