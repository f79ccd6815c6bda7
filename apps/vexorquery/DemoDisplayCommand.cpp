// vexorquery demo-display FILE: writes a sample display with configured data-query elements,
// so the display tools and the host have something real to open.
#include "Commands.h"

#include "DisplayDocument.h"
#include "VexorQueryElemOBJ.h"

#include <cstdio>

namespace {

std::unique_ptr<CVexorQueryElemOBJ> MakeElement(CPoint at, const char* table, const char* caption,
                                                int timeTypeIndex, const char* access) {
    auto e = std::make_unique<CVexorQueryElemOBJ>();
    e->m_rect = CRect(at, CSize(1020, 695));
    CQuerySettings& q = e->m_querySettings;
    q.m_tableName = table;
    q.m_displayMode = kDisplayGivenStations;
    q.m_timeTypeIndex = timeTypeIndex;
    q.m_timeInterval = 1;
    q.m_dynamicTime = 1;
    q.m_accessMode = access;
    q.m_stations = {"60105400", "60110000", "60803000"};
    q.m_startTimeText = "2026-06-01 08:00:00";
    q.m_endTimeText = "2026-06-02 08:00:00";
    e->m_windowSettings.m_fonts[0].lfHeight = 14;
    e->m_windowSettings.m_stationListHeight = 160;
    e->m_interfaceSettings.m_panelWidth = 190;
    e->m_interfaceSettings.m_columnWidths = {90, 150, 80, 80};
    e->m_sysViewSettings.m_text = caption;
    return e;
}

} // namespace

int RunDemoDisplayCommand(const Args& args) {
    if (args.size() != 1 || args[0].empty() || args[0][0] == '-') {
        std::fprintf(stderr, "usage: vexorquery demo-display FILE\n");
        return 1;
    }
    CDisplayDocument doc;
    doc.m_objects.push_back(MakeElement({20, 20}, "RIVER_HOUR", "河道水情(小时)", kTimeHour, "READ"));
    doc.m_objects.push_back(MakeElement({20, 735}, "RAIN_HOUR", "雨量(小时)", kTimeHour, "READ/WRITE"));
    std::string error;
    if (!doc.SaveFile(args[0], error)) {
        std::fprintf(stderr, "vexorquery: %s\n", error.c_str());
        return 1;
    }
    std::printf("wrote %s with %zu elements\n", args[0].c_str(), doc.m_objects.size());
    return 0;
}
