// The demo database through the engine: every configured table loads and refreshes with rows,
// Chinese headings, mapped stations, statistics and computed columns, on SQLite and on the
// PostgreSQL server of the test run.
#include "CompactDemo.h"
#include "DemoDatabase.h"
#include "DataService.h"
#include "DataSource.h"
#include "DemoInternal.h"
#include "Login.h"
#include "QueryClient.h"
#include "TableQuery.h"
#include "TestDatabase.h"
#include "ValueText.h"

#include <gtest/gtest.h>
#include <sodium.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <set>

namespace {

class DemoDatabaseTest : public ::testing::TestWithParam<testdb::Kind> {
protected:
    void SetUp() override {
        kes::SetPasswordHashLimits(crypto_pwhash_OPSLIMIT_MIN, crypto_pwhash_MEMLIMIT_MIN);
        TESTDB_OPEN(m_db, GetParam());
        Build(true);
    }

    void Build(bool compact, bool replace = false) {
        std::string error;
        ASSERT_TRUE(TryBuild(compact, replace, error)) << error;
    }
    bool TryBuild(bool compact, bool replace, std::string& error) {
        demo::DemoOptions options;
        options.compact = compact;
        options.replace = replace;
        return demo::BuildDemoDatabase(Uri(), options, error);
    }

    std::string Uri() const { return testdb::DemoUri(*m_db); }

    CGridIterator Refresh(const char* table, std::initializer_list<const char*> keys, const char* from,
                          const char* to, CTableQueryOptions options = {}) {
        CTableQuery query(m_client);
        query.Load(table, options);
        query.m_request.form = kFormGivenStations;
        for (const char* k : keys)
            query.m_request.keys.Add(k);
        query.m_request.startTime = from;
        query.m_request.endTime = to;
        CGridIterator grid;
        query.Refresh(grid, 1);
        return grid;
    }

    static std::string Cell(const CGridIterator& g, long row, long col) {
        return std::string(g.GetCellView(row, col));
    }
    // The grid column whose heading is the text, or -1.
    static long Column(const CGridIterator& g, const std::string& heading) {
        for (long c = 1; c < g.GetColumnCount(); ++c)
            if (Cell(g, 0, c) == heading) return c;
        return -1;
    }
    // Result rows: the rows whose time column holds no statistics label.
    static long ResultRows(const CGridIterator& g, long timeColumn) {
        long n = 0;
        for (long r = 1; r < g.GetRowCount(); ++r)
            if (Cell(g, r, timeColumn).rfind("统计", 0) != 0) ++n;
        return n;
    }
    // Reply rows with their cells unescaped and joined by ",".
    static std::vector<std::string> Reply(const std::string& sql) {
        std::vector<std::string> rows = testdb::Rows(sql);
        for (auto& r : rows) {
            std::string joined;
            for (const std::string& cell : kes::SplitReplyRow(r))
                joined += (joined.empty() ? "" : ",") + cell;
            r = joined;
        }
        return rows;
    }

    std::unique_ptr<testdb::TestDatabase> m_db;
    CQueryClient m_client;
};

struct TableCase {
    const char* table;
    const char* key;
    const char* from;
    const char* to;
    const char* keyHeading;
    const char* valueHeading;
    const char* mapped; // an entry of the key column's value list
};

} // namespace

TEST_P(DemoDatabaseTest, EveryConfiguredTableShowsRowsUnderChineseHeadingsWithMappedKeys) {
    const TableCase cases[] = {
        {"RIVER_HOUR", "60105400", "2026-11-02 00:00:00", "2026-11-02 23:00:00", "站名", "水位(m)",
         "长江宜昌站(60105400)"},
        {"RAIN_DAY", "60803000", "2026-06-01 00:00:00", "2026-06-30 23:00:00", "站名", "雨量(mm)",
         "清江长阳站(60803000)"},
        {"RAIN_HOUR", "60804100", "2026-11-01 00:00:00", "2026-11-03 23:00:00", "站名", "时段雨量(mm)",
         "清江恩施站(60804100)"},
        {"RSVR_DAY", "60803500", "2026-11-01 00:00:00", "2026-11-10 23:00:00", "水库", "库容(亿m³)",
         "清江隔河岩水库(60803500)"},
        {"FLOW_XUN", "61802700", "2025-01-01 00:00:00", "2025-12-31 23:00:00", "站名", "旬径流量(亿m³)",
         "汉江皇庄站(61802700)"},
        {"FLOW_MON", "60110000", "2024-01-01 00:00:00", "2026-11-30 23:00:00", "站名", "月径流量(亿m³)",
         "长江汉口站(60110000)"},
        {"SEDIMENT_DAY", "61802700", "2026-07-01 00:00:00", "2026-07-31 23:00:00", "站名", "含沙量(kg/m³)",
         "汉江皇庄站(61802700)"},
        {"HISVIEW", "10021", "2025-07-01 00:00:00", "2025-07-31 23:00:00", "测点", "最大值时间",
         "长江宜昌站水位(10021)"},
        {"RTEV", "10021", "2026-11-01 00:00:00", "2026-11-01 23:59:59", "测点", "事件状态",
         "长江宜昌站水位(10021)"},
        {"REAL", "10031", "2026-11-01 00:00:00", "2026-11-01 23:59:59", "测点", "数值",
         "长江沙市站水位(10031)"},
        {"DAYDB", "10022", "2026-10-01 00:00:00", "2026-10-31 23:00:00", "测点", "日均值",
         "长江宜昌站流量(10022)"},
        {"MONTHDB", "10022", "2024-01-01 00:00:00", "2026-11-30 23:00:00", "测点", "月均值",
         "长江宜昌站流量(10022)"},
        {"RTDB", "20203", "2026-11-20 00:00:00", "2026-11-30 23:00:00", "机组", "机组状态",
         "左岸3号机(20203)"},
        {"CURVED", "2", "", "", "曲线", "库容(亿m³)", "清江隔河岩水库水位库容曲线(2)"},
        {"SCHLOG", "", "2026-11-01 00:00:00", "2026-11-30 23:00:00", "修改时间", "修改人", nullptr},
    };
    for (const TableCase& c : cases) {
        SCOPED_TRACE(c.table);
        CGridIterator g =
            c.key[0] ? Refresh(c.table, {c.key}, c.from, c.to) : Refresh(c.table, {}, c.from, c.to);
        EXPECT_GT(g.GetRowCount(), 1);
        ASSERT_EQ(Cell(g, 0, 1), c.keyHeading);
        EXPECT_GT(Column(g, c.valueHeading), 0);
        if (!c.mapped) continue;
        CGridCellPro key = g.GetColumnHeader(1);
        EXPECT_EQ(key.m_nKind, GRID_KIND_LIST);
        bool found = false;
        for (const CString& v : key.m_values)
            found = found || v == c.mapped;
        EXPECT_TRUE(found) << "no " << c.mapped << " among " << key.m_values.GetSize() << " names";
    }
}

TEST_P(DemoDatabaseTest, StatisticsRowsAndComputedColumnsAreFilled) {
    // Water levels ask for the colligate statistics: five rows per station, flows their maximum.
    CGridIterator river =
        Refresh("RIVER_HOUR", {"60105400", "60110000"}, "2026-11-02 00:00:00", "2026-11-02 23:00:00");
    ASSERT_EQ(river.GetRowCount(), 1 + 48 + 2 * 5);
    EXPECT_EQ(Cell(river, 49, 2), "统计 平均值");
    EXPECT_EQ(Cell(river, 53, 2), "统计 最小值时间");
    double mean = std::atof(Cell(river, 49, 3).c_str()), max = std::atof(Cell(river, 50, 3).c_str());
    EXPECT_GT(mean, 38);
    EXPECT_LT(mean, 56); // 宜昌 stays within its banks
    EXPECT_GE(max, mean);

    // Rainfall sums: six rows per station, the sum the rows' total.
    CGridIterator rain = Refresh("RAIN_DAY", {"60803000"}, "2026-06-01 00:00:00", "2026-06-30 23:00:00");
    ASSERT_EQ(rain.GetRowCount(), 1 + 30 + 6);
    EXPECT_EQ(Cell(rain, 36, 2), "统计 累加值");
    EXPECT_GT(std::atof(Cell(rain, 36, 3).c_str()), 20.0); // June is wet on the Qing river

    // The hours of a rain day add up to the day's total (08:00 to 08:00).
    for (const char* station : {"60105400", "60803000", "60804100"}) {
        SCOPED_TRACE(station);
        std::vector<std::string> day =
            Reply(std::string("SELECT P FROM KES.RAIN_DAY WHERE TM={ts '2026-11-15 08:00:00'} AND STCD=") +
                  station);
        ASSERT_EQ(day.size(), 1u);
        CGridIterator hours = Refresh("RAIN_HOUR", {station}, "2026-11-15 09:00:00", "2026-11-16 08:00:00");
        ASSERT_GT(std::atof(day[0].c_str()), 0.0); // a wet day on the whole middle Yangtze
        ASSERT_EQ(hours.GetRowCount(), 1 + 24 + 1);
        EXPECT_EQ(Cell(hours, 25, 2), "统计 ");
        EXPECT_NEAR(std::atof(Cell(hours, 25, 3).c_str()), std::atof(day[0].c_str()), 0.05);
    }

    // Reservoir volumes are computed from the flows before the query: 1 m³/s over a day is
    // 0.000864 亿m³.
    CGridIterator rsvr = Refresh("RSVR_DAY", {"60803500"}, "2026-11-01 00:00:00", "2026-11-10 23:00:00");
    long in = Column(rsvr, "入库流量(m³/s)"), inw = Column(rsvr, "入库水量(亿m³)"),
         otw = Column(rsvr, "出库水量(亿m³)");
    ASSERT_GT(inw, 0);
    for (long r = 1; r <= 10; ++r) {
        SCOPED_TRACE(r);
        double flow = std::atof(Cell(rsvr, r, in).c_str()), volume = std::atof(Cell(rsvr, r, inw).c_str());
        EXPECT_GT(volume, 0);
        EXPECT_NEAR(volume, flow * 86400 / 1e8, 0.0011 + flow * 0.0002);
        EXPECT_GT(std::atof(Cell(rsvr, r, otw).c_str()), 0);
    }

    // Ten-day periods count 10, 10 and the rest of the month; months count their days; the
    // runoff volume is the mean flow over those days.
    CGridIterator xun = Refresh("FLOW_XUN", {"61802700"}, "2024-02-01 00:00:00", "2024-02-28 23:00:00");
    long days = Column(xun, "天数");
    ASSERT_EQ(ResultRows(xun, 2), 3);
    EXPECT_EQ(Cell(xun, 1, days), "10");
    EXPECT_EQ(Cell(xun, 2, days), "10");
    EXPECT_EQ(Cell(xun, 3, days), "9"); // 2024 is a leap year
    CGridIterator month = Refresh("FLOW_MON", {"60110000"}, "2026-11-01 00:00:00", "2026-11-30 23:00:00");
    ASSERT_EQ(ResultRows(month, 2), 1);
    EXPECT_EQ(Cell(month, 1, Column(month, "天数")), "30");
    double q = std::atof(Cell(month, 1, Column(month, "月平均流量(m³/s)")).c_str());
    double w = std::atof(Cell(month, 1, Column(month, "月径流量(亿m³)")).c_str());
    EXPECT_NEAR(w, q * 86400 * 30 / 1e8, 0.001 * w); // the flow is shown with four digits
}

TEST_P(DemoDatabaseTest, NetworkFaultsShowAsGapsBlanksAndHiddenRows) {
    // 清江长阳站 was dark on 10 and 11 November: 48 hourly rows instead of 96.
    CGridIterator dark = Refresh("RIVER_HOUR", {"60803000"}, "2026-11-09 00:00:00", "2026-11-12 23:00:00");
    EXPECT_EQ(ResultRows(dark, 2), 48);
    // 汉江皇庄站's gauge answered -999 from 03:00 to 08:00 of 5 November: blank cells.
    CGridIterator fault = Refresh("RIVER_HOUR", {"61802700"}, "2026-11-05 00:00:00", "2026-11-05 23:00:00");
    ASSERT_EQ(ResultRows(fault, 2), 24);
    EXPECT_EQ(Cell(fault, 4, 3), "");
    EXPECT_NE(Cell(fault, 10, 3), "");
    // Voided rainfall rows of 九江 (10 to 12 March) are kept out by the table's CHECK.
    CGridIterator voided = Refresh("RAIN_DAY", {"60112200"}, "2026-03-09 00:00:00", "2026-03-13 23:00:00");
    EXPECT_EQ(ResultRows(voided, 2), 2);

    // The missing-data statistics find the six hours without a record at 宜昌.
    CTableQueryOptions options;
    options.missingDataStats = true;
    CTableQuery query(m_client);
    query.Load("RTEV", options);
    ASSERT_TRUE(query.IsLackTimeMode());
    query.m_lackRequest.stations.Add("10021");
    query.m_lackRequest.stations.Add("10031");
    query.m_lackRequest.startTime = "2026-11-01 00:00:00";
    query.m_lackRequest.endTime = "2026-11-01 23:55:00";
    query.m_lackRequest.extraText = "RTEV";
    query.m_lackRequest.intervalCount = 1;
    query.m_lackRequest.intervalUnit = kLackHours;
    std::vector<CStringArray> gaps = LackTimeRows(query.m_lackRequest);
    ASSERT_EQ(gaps.size(), 1u);
    EXPECT_EQ(gaps[0][0], "10021");
    EXPECT_EQ(gaps[0][1], "2026-11-01 06:00:00 至 2026-11-01 12:00:00");

    // The event states around the gap read as messages.
    CGridIterator events = Refresh("RTEV", {"10021"}, "2026-11-01 05:55:00", "2026-11-01 12:05:00");
    long state = Column(events, "事件状态");
    ASSERT_EQ(ResultRows(events, 2), 4);
    EXPECT_EQ(Cell(events, 2, state), "通信中断");
    EXPECT_EQ(Cell(events, 3, state), "通信恢复");
}

TEST_P(DemoDatabaseTest, PartitionsModesAndSelectionGroupsAreWired) {
    // Sediment lives in one table per basin: 汉江 stations in SEDIMENT_DAY61.
    CTableQuery sediment(m_client);
    sediment.Load("SEDIMENT_DAY", {});
    CStringArray keys;
    keys.SetSize(sediment.Settings().Columns().GetSize());
    keys[1] = "61802700";
    EXPECT_EQ(sediment.Settings().PhysicalTableName(&keys), "SEDIMENT_DAY61");
    keys[1] = "62301800";
    EXPECT_EQ(sediment.Settings().PhysicalTableName(&keys), "SEDIMENT_DAY62");

    CTableQueryOptions modes;
    modes.analysisComparison = true;
    modes.missingDataStats = true;
    CTableQuery history(m_client), real(m_client), curve(m_client), river(m_client), reservoir(m_client);
    history.Load("HISVIEW", modes);
    real.Load("REAL", modes);
    curve.Load("CURVED", {});
    river.Load("RIVER_HOUR", {});
    reservoir.Load("RSVR_DAY", {});
    EXPECT_TRUE(history.IsAnalysisMode());
    EXPECT_TRUE(real.IsLackTimeMode());
    EXPECT_EQ(curve.Settings().DirectWord(), "V");
    EXPECT_EQ(river.Settings().ModiWord(), "READ/WRITE");
    EXPECT_EQ(reservoir.Settings().ChangeTimeColumn(), 2);

    // Curve data may take its headings from the curve's dimension names.
    CTableQueryOptions named;
    named.curveName = true;
    CGridIterator curveGrid = Refresh("CURVED", {"2"}, "", "", named);
    EXPECT_GT(Column(curveGrid, "坝前水位(m)"), 0);
    EXPECT_GT(Column(curveGrid, "水面面积(km²)"), 0);
    EXPECT_EQ(ResultRows(curveGrid, 2), 21);

    // Display modes: the reservoir table's first column in 楷体 bold, the others alternating.
    const CColumnList& columns = reservoir.Settings().Columns();
    EXPECT_EQ(columns[1].font.lfFaceName, "楷体");
    EXPECT_EQ(columns[1].font.lfWeight, 700);
    EXPECT_EQ(columns[3].colorfg, 0x0000C0u);
    EXPECT_EQ(columns[4].font.lfFaceName, "楷体");

    // Every scheme a Where item names exists and its group lists something to choose.
    std::vector<std::string> wheres = Reply("SELECT RESTRICTDATA FROM KES.SET_TABLE_COL_NAME");
    std::set<std::string> schemes;
    for (const std::string& text : wheres) {
        auto at = text.find("[Where(");
        if (at == std::string::npos) continue;
        std::string ids = text.substr(at + 7, text.find(')', at) - at - 7);
        for (std::size_t from = 0; from <= ids.size();) {
            std::size_t plus = ids.find('+', from);
            std::string id = ids.substr(from, plus == std::string::npos ? std::string::npos : plus - from);
            if (id != "0") schemes.insert(id);
            from = plus == std::string::npos ? ids.size() + 1 : plus + 1;
        }
    }
    EXPECT_GE(schemes.size(), 7u);
    for (const std::string& id : schemes) {
        SCOPED_TRACE(id);
        auto scheme =
            Reply("SELECT PROTABLE,PRONAME,PRONUMER FROM KES.SET_PROJECTION_MODE WHERE PROJMODEID=" + id);
        ASSERT_EQ(scheme.size(), 1u);
        std::string table = scheme[0].substr(0, scheme[0].find(','));
        std::string tail = std::atoi(id.c_str()) >= 10000 ? " WHERE PROID=" + id : "";
        auto names = Reply("SELECT COUNT(*) FROM KES." + table + tail);
        ASSERT_EQ(names.size(), 1u);
        EXPECT_GT(std::atoi(names[0].c_str()), 0);
    }

    // Between them the settings use every directive family the engine and the bars know.
    std::string all;
    for (const std::string& t : Reply("SELECT SHOW FROM KES.SET_DB_TABLE_NAME"))
        all += t;
    for (const std::string& t : wheres)
        all += t;
    for (const char* family : {"[TableID(",
                               "[Modi(",
                               "[Direct(V)]",
                               "[Direct(H)]",
                               "[Where(",
                               "[CHECK(",
                               "[DC(",
                               "[PK(ID)]",
                               "[PK(TIME)]",
                               "[CHANGETIME(",
                               "[LACKTIME]",
                               "[ANALYQUERY]",
                               "[RTEVSTATE]",
                               "[DEC(",
                               "[AVAIL(",
                               "[SHOWTIME(",
                               "[TOTAL(GY)]",
                               "[TOTAL(DTYPE)]",
                               "[TOTAL(TIME)]",
                               "[TOTAL(V)]",
                               "[TOTAL(AVGV)]",
                               "[TOTAL(MAXV)]",
                               "[TOTAL(MINV)]",
                               "[TOTAL(MAXV_R)]",
                               "[TOTAL(MINV_R)]",
                               "[TOTAL(TABLE,",
                               "GETDAYSMON",
                               "GETDAYSXUN",
                               "GETWATER,INQ)",
                               "GETWATER,Q,DAYS)",
                               "[WLOG(RTDB001)]",
                               "[FIELDTIME(",
                               "[DATASENSORTIME(",
                               "[STAT(MAX)]",
                               "[STAT(MIN)]",
                               "[STAT(AVG)]",
                               "[STAT(SUM)]",
                               "[STAT(AVGEXT)]",
                               "[STAT(COLLIGATEA)]",
                               "[STAT(COLLIGATEB)]"})
        EXPECT_NE(all.find(family), std::string::npos) << family;

    // The region menu: its directory row and sub-centres that are centre stations.
    EXPECT_EQ(Reply("select DIRECTORY from kes.relation where ftype=10000"),
              std::vector<std::string>{"TRUE"});
    EXPECT_EQ(Reply("select FNAME, csid from kes.relation where ranking>400 and ranking<500 order by ranking")
                  .size(),
              4u);
}

TEST_P(DemoDatabaseTest, PlantsUnitsAndUsers) {
    CQueryColumn roz, left;
    roz.Projmodeid = "10010";
    left.Projmodeid = "10011";
    CQueryTableSettings::LoadProjection(m_client, roz);
    CQueryTableSettings::LoadProjection(m_client, left);
    ASSERT_EQ(roz.projections.GetSize(), 6);
    EXPECT_EQ(roz.projections[0], "ROZ1号机(20101)");
    ASSERT_EQ(left.projections.GetSize(), 14);
    EXPECT_EQ(left.projections[13], "左岸14号机(20214)");

    std::string error;
    EXPECT_EQ(kes::CheckUser("admin", "admin", error), 1) << error;
    EXPECT_EQ(kes::CheckUser("viewer", "viewer", error), 0) << error;
    EXPECT_EQ(kes::CheckUser("viewer", "admin", error), -1);

    // A second build over the first replaces it on request: same rows, the users still there
    // once.
    Build(true, true);
    EXPECT_EQ(Reply("SELECT COUNT(*) FROM KES.VEXOR_USERS"), std::vector<std::string>{"2"});
    EXPECT_EQ(Reply("SELECT COUNT(*) FROM KES.SET_DB_TABLE_NAME"), std::vector<std::string>{"15"});
}

TEST_P(DemoDatabaseTest, AnExistingDatabaseIsReplacedOnlyOnRequestAndOnlyWhenTheBuildSucceeds) {
    // The operator's own changes, which a refused or failed build must leave alone.
    std::vector<std::string> ignored;
    ASSERT_TRUE(testdb::Run("DELETE FROM KES.RIVER_HOUR WHERE STCD=60105400", ignored));
    const std::vector<std::string> before = Reply("SELECT COUNT(*) FROM KES.RIVER_HOUR");

    std::string error;
    EXPECT_FALSE(TryBuild(true, false, error));
    EXPECT_NE(error.find("--force"), std::string::npos) << error;
    EXPECT_EQ(Reply("SELECT COUNT(*) FROM KES.RIVER_HOUR"), before);

    // A build that fails leaves the old data. The file is built beside the old one (here a
    // folder stands in the way); the server's tables in one transaction (here a view stands
    // where the last demo table goes, so the build fails after replacing all others).
    const bool server = GetParam() == testdb::Kind::Postgres;
    const std::string blocker = m_db->dir() + "/demo.sqlite.tmp";
    if (server) {
        ASSERT_TRUE(testdb::Run("DROP TABLE KES.SCHLOG", ignored));
        ASSERT_TRUE(testdb::Run("CREATE VIEW KES.SCHLOG AS SELECT 1 AS T", ignored));
    } else {
        std::filesystem::create_directories(blocker + "/in-the-way");
    }
    EXPECT_FALSE(TryBuild(true, true, error));
    kes::SetDataSource(Uri());
    EXPECT_EQ(Reply("SELECT COUNT(*) FROM KES.RIVER_HOUR"), before);
    EXPECT_EQ(Reply("SELECT COUNT(*) FROM KES.VEXOR_USERS"), std::vector<std::string>{"2"});
    if (server)
        ASSERT_TRUE(testdb::Run("DROP VIEW KES.SCHLOG", ignored));
    else
        std::filesystem::remove_all(blocker);

    Build(true, true);
    EXPECT_NE(Reply("SELECT COUNT(*) FROM KES.RIVER_HOUR"), before);
}

INSTANTIATE_TEST_SUITE_P(Backends, DemoDatabaseTest,
                         ::testing::Values(testdb::Kind::Sqlite, testdb::Kind::Postgres),
                         [](const auto& info) {
                             return info.param == testdb::Kind::Sqlite ? "SQLite" : "PostgreSQL";
                         });
