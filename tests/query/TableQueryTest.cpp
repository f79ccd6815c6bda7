// One refresh of the engine on a real database, from the settings to the filled grid.
#include "TableQuery.h"
#include "EngineDatabase.h"
#include "QueryClient.h"

#include <gtest/gtest.h>

namespace {

class TableQueryTest : public EngineDatabaseTest {
protected:
    CGridIterator Refresh(const char* table, std::initializer_list<const char*> stations, const char* from,
                          const char* to, CTableQueryOptions options = {}) {
        CTableQuery query(m_client);
        query.Load(table, options);
        query.m_request.form = kFormGivenStations;
        for (const char* s : stations)
            query.m_request.keys.Add(s);
        query.m_request.startTime = from;
        query.m_request.endTime = to;
        CGridIterator grid;
        query.Refresh(grid, 1);
        return grid;
    }
    static std::vector<std::string> Row(const CGridIterator& g, long row) {
        std::vector<std::string> cells;
        for (long c = 0; c < g.GetColumnCount(); ++c)
            cells.emplace_back(g.GetCellView(row, c));
        return cells;
    }
    CQueryClient m_client;
};

using Cells = std::vector<std::string>;

} // namespace

TEST_P(TableQueryTest, RiverStationsShowFormattedValuesAndAverages) {
    CGridIterator g =
        Refresh("RIVER_HOUR", {"60101100", "60101200"}, "2008-07-01 00:00:00", "2008-07-31 23:00:00");
    ASSERT_EQ(g.GetColumnCount(), 6);
    EXPECT_EQ(Row(g, 0), (Cells{"  ", "站码", "时间", "Q", "水位(m)", "水势"}));
    ASSERT_EQ(g.GetRowCount(), 1 + 5 + 2); // five result rows, one statistics row per station
    EXPECT_EQ(Row(g, 1), (Cells{"1", "60101100", "2008年07月01日08时", "0.0123", "1.00", "5"}));
    EXPECT_EQ(Row(g, 2), (Cells{"2", "60101100", "2008年07月01日09时", "1230", "2.00", "6"}));
    EXPECT_EQ(Row(g, 3), (Cells{"3", "60101100", "2008年07月01日10时", "100", "", "4"}));
    EXPECT_EQ(Row(g, 4), (Cells{"4", "60101100", "2008年07月01日11时", "", "4.00", "5"}));
    EXPECT_EQ(Row(g, 5), (Cells{"5", "60101200", "2008年07月01日08时", "12.6", "2.35", "6"}));
    EXPECT_EQ(Row(g, 6), (Cells{"6", "60101100", "统计 ", "", "2.33", ""}));
    EXPECT_EQ(Row(g, 7), (Cells{"7", "60101200", "统计 ", "", "2.34", ""})); // cut, not rounded

    CGridCellPro stations = g.GetColumnHeader(1);
    EXPECT_EQ(stations.m_nKind, GRID_KIND_LIST);
    EXPECT_EQ(stations.m_values.GetSize(), 2);
    EXPECT_EQ(g.GetColumnHeader(2).m_nKind, GRID_KIND_TIME);
    EXPECT_EQ(g.GetColumnHeader(4).m_nAlign, GRID_ALIGN_RIGHT);
    EXPECT_EQ(g.GetColumnHeader(4).m_crText, 16711680u); // the display mode's second row
    EXPECT_EQ(g.GetCellLook(2, 3).crBack, 0xC8FFFFu);    // even rows take the first colour
    EXPECT_EQ(g.GetCellLook(3, 3).crBack, 0xFFFFFFu);
}

TEST_P(TableQueryTest, ColligateStatisticsGiveSixRowsPerStationAndPropertiesColourOrBlank) {
    CGridIterator g = Refresh("RAIN_HOUR", {"1", "2", "3"}, "2008-07-01 00:00:00", "2008-07-01 23:00:00");
    ASSERT_EQ(g.GetRowCount(), 1 + 6 + 18);
    EXPECT_EQ(Row(g, 1)[3], "0.5");
    EXPECT_EQ(Row(g, 2)[3], "3.5");
    EXPECT_EQ(g.GetCellLook(2, 3).crText, 255u);                       // code 3 has a colour
    EXPECT_EQ(Row(g, 3)[3], "");                                       // code 9 is not shown
    EXPECT_EQ(Row(g, 4)[3], "");                                       // code 50 has no slot
    EXPECT_EQ(Row(g, 7), (Cells{"7", "1", "统计 平均值", "3.2", ""})); // 3.25 shown with one decimal
    EXPECT_EQ(Row(g, 8), (Cells{"8", "1", "统计 最大值", "7.0", ""}));
    EXPECT_EQ(Row(g, 9), (Cells{"9", "1", "统计 最大值时间", "2008年07月01日10时", ""}));
    EXPECT_EQ(Row(g, 10), (Cells{"10", "1", "统计 最小值", "0.5", ""}));
    EXPECT_EQ(Row(g, 12), (Cells{"12", "1", "统计 累加值", "13.0", ""}));
    EXPECT_EQ(Row(g, 13)[2], "统计 平均值");
    EXPECT_EQ(Row(g, 13)[1], "2");
}

TEST_P(TableQueryTest, ComputedColumnsRunByPassBeforeTheQuery) {
    CTableQuery query(m_client);
    query.Load("MONTH_FLOW", {});
    query.m_request.form = kFormGivenStations;
    query.m_request.keys.Add("1");
    query.m_request.startTime = "2008-01-01 00:00:00";
    query.m_request.endTime = "2008-12-31 23:00:00";
    std::vector<CString> sql = query.ComputedColumnStatements();
    ASSERT_EQ(sql.size(), 2u);
    EXPECT_NE(sql[0].Find("DAYS=to_char(last_day(TM),'DD')"), -1) << sql[0]; // pass A first
    EXPECT_NE(sql[1].Find("W=Q*3600*24/100000000*DAYS"), -1) << sql[1];

    CGridIterator g;
    query.Refresh(g, 1);
    ASSERT_EQ(g.GetRowCount(), 3);
    EXPECT_EQ(Row(g, 1), (Cells{"1", "1", "2008年02月", "100", "2.5056", "29"})); // 100 m3/s over 29 days
    EXPECT_EQ(Row(g, 2),
              (Cells{"2", "1", "2008年04月", "", "7.0000", "30"})); // a missing flow keeps its volume
    EXPECT_TRUE(query.RefreshErrors().empty());

    // A failing update is kept, with its statement and the database's reason, for the caller.
    for (int i = 1; i < query.Settings().Columns().GetSize(); ++i)
        if (CString(query.Settings().Columns()[i].colname).Trim().MakeUpper() == "DAYS")
            query.Settings().Columns()[i].colname = "NO_SUCH_DAYS";
    query.Refresh(g, 1);
    ASSERT_FALSE(query.RefreshErrors().empty());
    CString first = query.RefreshErrors()[0];
    EXPECT_EQ(first.Find("UPDATE"), 0) << first;
    first.MakeUpper();
    int named = first.Find("NO_SUCH_DAYS"); // in the statement, then in the reason
    EXPECT_NE(first.Find("NO_SUCH_DAYS", named + 1), -1) << first;
}

TEST_P(TableQueryTest, ReverseTimeOrderAndVerticalDirection) {
    CTableQueryOptions options;
    options.reverseTimeOrder = true;
    CGridIterator g =
        Refresh("RIVER_HOUR", {"60101100"}, "2008-07-01 00:00:00", "2008-07-31 23:00:00", options);
    EXPECT_EQ(Row(g, 1)[2], "2008年07月01日11时");
    EXPECT_EQ(Row(g, 1)[0], "1");
    EXPECT_EQ(g.GetCellLook(2, 3).crBack, 0xC8FFFFu);
    EXPECT_EQ(Row(g, 5)[2], "统计 "); // statistics rows stay below

    options.modifyDirection = "V";
    g = Refresh("RIVER_HOUR", {"60101100"}, "2008-07-01 00:00:00", "2008-07-31 23:00:00", options);
    EXPECT_EQ(g.GetItemText(2, 0), "时间");
    EXPECT_EQ(g.GetItemText(0, 1), "1");
}

TEST_P(TableQueryTest, AFailedStatementIsReportedWithTheDatabasesReason) {
    CTableQuery query(m_client);
    query.Load("RIVER_HOUR", {});
    query.m_request.form = kFormGivenStations;
    query.m_request.filter = "Z>>";
    for (const char* s : {"1", "2", "3", "4", "5", "60101100"}) // two statements, both failing
        query.m_request.keys.Add(s);
    CGridIterator g;
    query.Refresh(g, 1);
    ASSERT_TRUE(query.RefreshFailed());
    ASSERT_EQ(query.RefreshErrors().size(), 1u); // one reason for the refresh's request
    EXPECT_NE(query.RefreshErrors()[0].Find("syntax error"), -1) << query.RefreshErrors()[0];

    // The next refresh starts afresh.
    query.m_request.filter.Empty();
    query.Refresh(g, 1);
    EXPECT_FALSE(query.RefreshFailed());
    EXPECT_GT(g.GetRowCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Backends, TableQueryTest,
                         ::testing::Values(testdb::Kind::Sqlite, testdb::Kind::Postgres), BackendName);
