// Refresh: the checks of the user's choice and how it is written into the query request.
#include "QueryBarModel.h"
#include "QueryComposition.h"
#include "QueryItem.h"
#include "TableQuery.h"

namespace {

constexpr const char* kTimeFormat = "%Y-%m-%d %H:%M:%S";

COleDateTime AtHour(const COleDateTime& t, int hour) {
    return COleDateTime(t.GetYear(), t.GetMonth(), t.GetDay(), hour, 0, 0);
}

} // namespace

ERefreshOutcome CQueryBarModel::Refresh(const CRefreshInput& input) {
    if (m_request.m_startFlag != 1) return ERefreshOutcome::Stop;
    CQueryRequest& request = m_engine.m_request;
    request.totals = m_hasTotals;

    // Stations.
    CStringArray keys;
    const CSelectGroup* station = m_groups.Station();
    if (station && m_options.m_directDisplay == 1) {
        keys.Copy(station->keys);
    } else if (station) {
        for (int i : input.selectedItems)
            if (i >= 0 && i < station->GetCount()) keys.Add(station->keys[i]);
    }
    if (!m_directEntry && m_options.m_directDisplay != 1 && station && keys.IsEmpty())
        return ERefreshOutcome::NoStation;
    if (m_directEntry) {
        CString direct = m_directStation;
        direct.Trim();
        keys.RemoveAll();
        keys.Add(direct);
    }
    m_request.m_stations.Copy(keys);
    request.keys.Copy(keys);

    request.hourlyShift = false;
    if (HasTimeBlock()) {
        COleDateTime start = input.start, end = input.end;
        if (end < start) return ERefreshOutcome::BadTimeRange;

        // Hourly rainfall is stored at the end of its hour.
        request.hourlyShift = m_typeButton == 0 && m_hasTotals && m_options.m_hourlyRainfall == 1;
        if (request.hourlyShift) {
            start += COleDateTimeSpan(0, 1, 0, 0);
            end += COleDateTimeSpan(0, 1, 0, 0);
        }
        const int code = TimeTypeCode();
        if (code >= kTypeDay) {
            start = AtHour(start, 0);
            end = AtHour(end, 8);
        }
        const CQueryTableSettings& settings = m_engine.Settings();
        CKeyColumns keyColumns =
            CQueryComposition::FindKeyColumns(settings.Columns(), settings.VisibleCount());
        if (keyColumns.changeIndex >= 0 && m_hasTotals) {
            bool shift =
                code == kTypeHour ? keyColumns.changeLabel == "时" : code >= kTypeDay && code <= kTypeMonth;
            if (shift) {
                CQueryItem::ShiftTime(start, PeriodWordOfType(code), 1);
                CQueryItem::ShiftTime(end, PeriodWordOfType(code), 1);
            }
        }
        m_request.m_startTime = start;
        m_request.m_endTime = end;
        m_request.m_startTimeText = start.Format(kTimeFormat);
        m_request.m_endTimeText = end.Format(kTimeFormat);
        request.startTime = m_request.m_startTimeText;
        request.endTime = m_request.m_endTimeText;
    }

    if (m_interface.m_elementChoice == 1 && input.elementChecks) {
        m_interface.m_elementList.RemoveAll();
        m_interface.m_elementList.Add(1);
        for (bool checked : *input.elementChecks)
            m_interface.m_elementList.Add(checked ? 1 : 0);
    }
    return ERefreshOutcome::Go;
}
