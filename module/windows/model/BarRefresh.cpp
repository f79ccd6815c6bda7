// Refresh: the checks of the user's choice and how it is written into the query request.
#include "QueryBarModel.h"
#include "RequestPeriod.h"
#include "TableQuery.h"

ERefreshOutcome CQueryBarModel::WriteStations(const std::vector<int>& selectedItems) {
    if (m_request.m_startFlag != 1) return ERefreshOutcome::Stop;
    CStringArray keys;
    const CSelectGroup* station = m_groups.Station();
    if (station && m_options.m_directDisplay == 1) {
        keys.Copy(station->keys);
    } else if (station) {
        for (int i : selectedItems)
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
    m_engine.m_request.keys.Copy(keys);
    return ERefreshOutcome::Go;
}

ERefreshOutcome CQueryBarModel::Refresh(const CRefreshInput& input) {
    if (const ERefreshOutcome stations = WriteStations(input.selectedItems); stations != ERefreshOutcome::Go)
        return stations;
    CQueryRequest& request = m_engine.m_request;
    request.totals = m_hasTotals;

    request.hourlyShift = false;
    if (HasTimeBlock()) {
        if (input.end < input.start) return ERefreshOutcome::BadTimeRange;

        // Hourly rainfall is stored at the end of its hour.
        request.hourlyShift = m_typeButton == 0 && m_hasTotals && m_options.m_hourlyRainfall == 1;
        const CRequestPeriod period = RequestPeriod(TableTimeRules(m_engine.Settings()), TimeTypeCode(),
                                                    request.hourlyShift, input.start, input.end);
        WriteRequestPeriod(m_request, m_engine, period.start, period.end);
    }

    if (m_interface.m_elementChoice == 1 && input.elementChecks) {
        m_interface.m_elementList.RemoveAll();
        m_interface.m_elementList.Add(1);
        for (bool checked : *input.elementChecks)
            m_interface.m_elementList.Add(checked ? 1 : 0);
    }
    return ERefreshOutcome::Go;
}
