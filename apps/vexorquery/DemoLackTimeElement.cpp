#include "DemoLackTimeElement.h"

#include "LackTime.h"

std::unique_ptr<CVexorQueryElemOBJ> MakeLackTimeElement(CPoint at) {
    auto e = std::make_unique<CVexorQueryElemOBJ>();
    e->m_rect = CRect(at, CSize(1020, 695));
    CQuerySettings& q = e->m_querySettings;
    q.m_tableName = "RTEV";
    q.m_displayMode = kDisplayGivenStations;
    q.m_timeTypeIndex = kLackMinutes; // the unit of the missing-data bar
    q.m_timeInterval = 10;
    q.m_accessMode = "READ";
    q.m_stations = {"10021", "10031", "10081", "10161"};
    q.m_startTimeText = "2026-11-11 00:00:00";
    q.m_endTimeText = "2026-11-14 00:00:00";
    e->m_queryOptions.m_missingDataStats = 1;
    e->m_windowSettings.m_fonts[0].lfHeight = 14;
    e->m_windowSettings.m_stationListHeight = 160;
    e->m_interfaceSettings.m_panelWidth = 200;
    e->m_sysViewSettings.m_text = "实时数据缺数统计";
    return e;
}
