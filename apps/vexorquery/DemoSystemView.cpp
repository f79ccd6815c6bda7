#include "DemoSystemView.h"

namespace {

struct ListedTable {
    const char* table;
    const char* name;
    const char* timeColumn;
};

// The data tables an operator checks for fresh data, and two reference tables without a time.
constexpr ListedTable kListed[] = {
    {"RIVER_HOUR", "河道水情(小时)", "TM"}, {"RAIN_HOUR", "雨量(小时)", "TM"}, {"RAIN_DAY", "日雨量", "TM"},
    {"RSVR_DAY", "水库日报", "TM"},         {"FLOW_XUN", "旬流量", "TM"},      {"FLOW_MON", "月流量", "TM"},
    {"SEDIMENT_DAY60", "日输沙(60)", "TM"}, {"HOURDB", "小时数据", "TIME"},    {"DAYDB", "日数据", "TIME"},
    {"RTEV", "实时事件", "TIME"},           {"STATION", "测站", ""},           {"ALLPOINT", "测点", ""},
};

} // namespace

std::unique_ptr<CVexorQueryElemOBJ> DemoSystemViewElement() {
    auto e = std::make_unique<CVexorQueryElemOBJ>();
    e->m_rect = CRect(CPoint(1060, 1450), CSize(1020, 420));
    e->m_interfaceSettings.m_mode = kModeSystemView;
    CSysViewSettings& view = e->m_sysViewSettings;
    view.m_text = "蓝白相间(2)";
    for (const ListedTable& t : kListed) {
        auto entry = std::make_unique<CSysViewEntry>();
        entry->m_table = t.table;
        entry->m_second = t.name;
        entry->m_column = t.timeColumn;
        view.m_entries.Add(std::move(entry));
    }
    return e;
}
