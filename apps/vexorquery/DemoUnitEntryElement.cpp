// The generating-unit states of the demo display: RTDB of the roz plant's units, whose grid
// menu offers "增加" with the form "roz机组数据录入", so an operator can enter a start-up.
#include "DemoUnitEntryElement.h"

#include "UnitEntryForms.h"
#include "VexorQueryElemOBJ.h"

void AddUnitEntryElement(CDisplayDocument& doc) {
    auto e = std::make_unique<CVexorQueryElemOBJ>();
    e->m_rect = CRect(CPoint(1060, 2165), CSize(1020, 695));
    CQuerySettings& q = e->m_querySettings;
    q.m_tableName = "RTDB";
    q.m_displayMode = kDisplayGivenStations;
    q.m_timeTypeIndex = kTimeHour;
    q.m_timeInterval = 1;
    q.m_dynamicTime = 1;
    q.m_accessMode = "READ";
    q.m_stations = {"20101", "20102", "20103"};
    q.m_startTimeText = "2026-11-20 00:00:00";
    q.m_endTimeText = "2026-12-31 00:00:00";
    e->m_windowSettings.m_dataEntryMenu = 1;
    e->m_windowSettings.m_entryFormName = CUnitEntryCatalogue::kRozForm;
    e->m_windowSettings.m_stationListHeight = 160;
    e->m_interfaceSettings.m_panelWidth = 200;
    e->m_sysViewSettings.m_text = "机组状态(可增加开停机)";
    doc.m_objects.push_back(std::move(e));
}
