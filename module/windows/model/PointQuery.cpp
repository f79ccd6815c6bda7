// The point query's time axis, its requests to the period call and the loading of the matrix.
#include "PointQuery.h"

#include "DataService.h"

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
    m_cells.clear();
    m_periods = std::max(periods, 0L);
    m_points = std::max(points, 0L);
    m_cells.resize(std::size_t(m_periods) * std::size_t(m_points));
}

const CSpanRecord* CPointDataMatrix::At(long period, long point) const {
    if (period < 0 || point < 0 || period >= m_periods || point >= m_points) return nullptr;
    return m_cells[std::size_t(period) * std::size_t(m_points) + std::size_t(point)].get();
}

void CPointDataMatrix::Put(long period, long point, std::unique_ptr<CSpanRecord> record) {
    if (period < 0 || point < 0 || period >= m_periods || point >= m_points) return;
    m_cells[std::size_t(period) * std::size_t(m_points) + std::size_t(point)] = std::move(record);
}

void CPointQuery::Load(const CPointQuerySettings& s) {
    m_axis = BuildTimeAxis(s.m_dataType, s.m_startTime, s.m_endTime);
    const int points = s.m_points.GetSize();
    m_matrix.Reset(m_axis.GetSize(), points);
    m_outcomes.assign(std::size_t(points), CPointOutcome{});
    const char* pattern = PeriodLabelPattern(s.m_dataType);
    if (!pattern) return;
    for (int p = 0; p < points; ++p) {
        CPointOutcome& outcome = m_outcomes[std::size_t(p)];
        CParam param = PointPeriodRequest(s.m_dataType, s.PointNumberAt(p), s.m_startTime, s.m_endTime);
        CObArray records;
        outcome.result = OutSpanDB(&param, &records);
        if (outcome.result < 0) {
            if (!records.IsEmpty())
                if (auto* text = dynamic_cast<const CSqlStr*>(records.GetAt(0)))
                    outcome.error = text->m_strSql;
            continue;
        }
        for (int r = 0; r < records.GetSize(); ++r) {
            std::unique_ptr<CObject> object = records.TakeAt(r);
            auto* record = dynamic_cast<CSpanRecord*>(object.get());
            if (!record) continue;
            // Records of periods that are not on the axis are dropped with the array.
            const int row = m_axis.Find(record->m_time.Format(pattern).str());
            if (row < 0) continue;
            object.release();
            m_matrix.Put(row, p, std::unique_ptr<CSpanRecord>(record));
            ++outcome.placed;
        }
        DestroyOb(&records);
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
