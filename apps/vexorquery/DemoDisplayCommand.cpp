// vexorquery demo-display FILE: writes a sample display with configured data-query elements,
// so the display tools and the host have something real to open.
#include "Commands.h"

#include "CommandLine.h"

#include "DataSource.h"
#include "DemoLackTimeElement.h"
#include "DemoSystemView.h"
#include "DemoPointElement.h"
#include "DemoUnitEntryElement.h"
#include "DisplayDocument.h"
#include "QueryClient.h"
#include "TableQuery.h"
#include "VexorQueryElemOBJ.h"

#include <cstdio>
#include <vector>

namespace {

struct DemoElement {
    CPoint at;
    const char* table;
    const char* caption;
    int timeTypeIndex;
    const char* access;
    CStringArray stations;
    const char* from;
    const char* to;
    bool analysis = false; // the years compared side by side (HISVIEW)
};

// One element for each kind of table an operator looks at: hourly river levels, daily rainfall
// with its sums, the reservoir day table with its computed inflow and outflow volumes, and
// hourly rainfall that an authorised user may correct.
std::vector<DemoElement> DemoElements() {
    return {
        {{20, 20},
         "RIVER_HOUR",
         "河道水情(小时)",
         kTimeHour,
         "READ",
         {"60105400", "60110000", "60803000"},
         "2026-10-01 08:00:00",
         "2026-10-02 08:00:00"},
        {{1060, 20},
         "RAIN_DAY",
         "日雨量",
         kTimeDay,
         "READ",
         {"60105400", "60110000", "60803000"},
         "2026-06-01 08:00:00",
         "2026-06-30 08:00:00"},
        {{20, 735},
         "RSVR_DAY",
         "水库日报",
         kTimeDay,
         "READ",
         {"60105000", "61802000"},
         "2026-06-01 08:00:00",
         "2026-06-20 08:00:00"},
        {{1060, 735},
         "RAIN_HOUR",
         "雨量(小时，可修改)",
         kTimeHour,
         "READ/WRITE",
         {"60105400", "60803000"},
         "2026-10-01 08:00:00",
         "2026-10-02 08:00:00"},
    };
}

// The history of the level at Yichang, years side by side, chosen in the analysis bar.
DemoElement AnalysisElement() {
    return {{20, 2880}, "HISVIEW", "历史同期对比",        kTimeDay,
            "READ",     {"10021"}, "2026-05-01 00:00:00", "2026-05-31 08:00:00",
            true};
}

std::unique_ptr<CVexorQueryElemOBJ> MakeElement(const DemoElement& d) {
    auto e = std::make_unique<CVexorQueryElemOBJ>();
    e->m_rect = CRect(d.at, CSize(1020, 695));
    CQuerySettings& q = e->m_querySettings;
    q.m_tableName = d.table;
    q.m_displayMode = kDisplayGivenStations;
    q.m_timeTypeIndex = d.timeTypeIndex;
    q.m_timeInterval = 1;
    q.m_dynamicTime = 1;
    q.m_accessMode = d.access;
    q.m_stations = d.stations;
    q.m_startTimeText = d.from;
    q.m_endTimeText = d.to;
    e->m_windowSettings.m_fonts[0].lfHeight = 14;
    e->m_windowSettings.m_stationListHeight = 160;
    e->m_interfaceSettings.m_panelWidth = 200;
    e->m_sysViewSettings.m_text = d.caption;
    e->m_queryOptions.m_analysisComparison = d.analysis ? 1 : 0;
    return e;
}

// With a database: every table of the display must be configured there, else the display
// would open with empty elements.
bool CheckTables(const std::string& uri, const std::vector<DemoElement>& elements) {
    kes::SetDataSource(uri);
    CQueryClient client;
    for (const DemoElement& d : elements) {
        CTableQuery query(client);
        query.Load(d.table, {});
        if (query.Settings().VisibleCount() < 1) {
            std::fprintf(stderr, "vexorquery: table %s is not configured in %s (%s)\n", d.table, uri.c_str(),
                         client.m_strLastError.GetString());
            return false;
        }
    }
    return true;
}

} // namespace

int RunDemoDisplayCommand(const Args& args) {
    const char* usage = "usage: vexorquery demo-display FILE [--db URI]\n";
    static constexpr cli::OptionSpec kOptions[] = {{"--db", true}};
    cli::ParsedArgs parsed;
    if (auto status = cli::ReadCommandArgs("demo-display", args, kOptions, 1, 1, usage, parsed))
        return *status;
    const std::string file = parsed.positional[0];
    const std::string db = parsed.Value("--db");
    std::vector<DemoElement> elements = DemoElements();
    elements.push_back(AnalysisElement());
    if (!db.empty() && !CheckTables(db, elements)) return 1;
    CDisplayDocument doc;
    for (const DemoElement& d : elements)
        doc.m_objects.push_back(MakeElement(d));
    doc.m_objects.push_back(MakeLackTimeElement({20, 1450}));
    doc.m_objects.push_back(DemoSystemViewElement());
    doc.m_objects.push_back(DemoPointQueryElement());
    AddUnitEntryElement(doc);
    std::string error;
    if (!doc.SaveFile(file, error)) {
        std::fprintf(stderr, "vexorquery: %s\n", error.c_str());
        return 1;
    }
    std::printf("wrote %s with %zu elements\n", file.c_str(), doc.m_objects.size());
    return 0;
}
