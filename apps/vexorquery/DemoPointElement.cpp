#include "DemoPointElement.h"

namespace {

struct DemoPoint {
    const char* number;
    const char* name;
};

// Hourly levels and flows of the demo's main stations, from its hourly period table.
constexpr DemoPoint kPoints[] = {
    {"10021", "宜昌水位"}, {"10022", "宜昌流量"}, {"10051", "汉口水位"},
    {"10052", "汉口流量"}, {"10081", "长阳水位"}, {"10161", "三峡水位"},
};

} // namespace

std::unique_ptr<CVexorQueryElemOBJ> DemoPointQueryElement() {
    auto e = std::make_unique<CVexorQueryElemOBJ>();
    e->m_rect = CRect(CPoint(20, 2165), CSize(1020, 695));
    e->m_interfaceSettings.m_mode = kModePointQuery;
    CPointQuerySettings& s = e->m_pointSettings;
    s.m_accessMode = kPointRead;
    s.m_dataType = kPointHourly;
    for (const DemoPoint& p : kPoints) {
        auto point = std::make_unique<CPointEntry>();
        point->m_number = p.number;
        point->m_name = p.name;
        // Each offers all four statistics, as the point picker ticks them.
        for (int& offered : point->m_values)
            offered = 1;
        s.m_points.Add(std::move(point));
    }
    // The point query reads the element's period.
    e->m_querySettings.m_startTimeText = "2026-11-20 00:00:00";
    e->m_querySettings.m_endTimeText = "2026-11-22 00:00:00";
    e->m_sysViewSettings.m_text = "测点小时数据";
    return e;
}
