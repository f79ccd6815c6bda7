// Loading a configured table from the settings tables of a real database.
#include "QueryTableSettings.h"
#include "EngineDatabase.h"
#include "QueryClient.h"

#include <gtest/gtest.h>

namespace {

using TableSettings = EngineDatabaseTest;

std::vector<std::string> Names(const CQueryTableSettings& s) {
    std::vector<std::string> names;
    for (int i = 1; i < s.Columns().GetSize(); ++i)
        names.push_back(s.Columns()[i].colname.str());
    return names;
}

} // namespace

TEST_P(TableSettings, ColumnsAreTypedOrderedAndMapped) {
    CQueryClient client;
    CQueryTableSettings s;
    s.Load(client, "RIVER_HOUR");
    EXPECT_EQ(s.DisplayModeId(), "7");
    EXPECT_EQ(s.DirectWord(), "V");
    EXPECT_EQ(s.ModiWord(), "READ/WRITE");

    // Long text and time-of-day columns never reach the grid; positions order the rest, a
    // column placed below -1 follows the positioned ones and -1 hides.
    EXPECT_EQ(Names(s), (std::vector<std::string>{"STCD", "TM", "Q", "Z", "WPTN", "SPARE"}));
    EXPECT_EQ(s.VisibleCount(), 5);
    const CQueryColumn& q = s.Columns()[3];
    EXPECT_EQ(q.colnamech, "Q"); // no heading: the column name
    EXPECT_EQ(q.typeName, "SQL_DOUBLE");
    EXPECT_EQ(q.valueClass, kValueNumber);
    EXPECT_EQ(s.Columns()[2].valueClass, kValueTime);

    const CQueryColumn& stcd = s.Columns()[1];
    EXPECT_EQ(stcd.showt, "1");
    EXPECT_EQ(stcd.projections, (CStringArray{"BA SHANG(60101100)", "坝下(60101200)"}));
    EXPECT_EQ(s.Columns()[5].projections, (CStringArray{"落(4)", "涨(5)", "平(6)"}));
}

TEST_P(TableSettings, DisplayModeRowsRepeatOverTheVisibleColumns) {
    CQueryClient client;
    CQueryTableSettings s;
    s.Load(client, "RIVER_HOUR");
    for (int i = 1; i <= s.VisibleCount(); ++i) {
        const CQueryColumn& c = s.Columns()[i];
        bool first = (i - 1) % 2 == 0;
        EXPECT_EQ(c.colorfg, first ? 255u : 16711680u) << i;
        EXPECT_EQ(c.font.lfFaceName, first ? "宋体" : "黑体") << i;
        EXPECT_EQ(c.font.lfWeight, first ? 400 : 700) << i;
    }
    EXPECT_EQ(s.Columns()[6].colorfgText, ""); // hidden columns take no appearance
}

TEST_P(TableSettings, UnknownTablesAndElementColumnsStillGiveAList) {
    CQueryClient client;
    CQueryTableSettings s;
    s.Load(client, "NO_SUCH_TABLE' OR '1'='1");
    EXPECT_EQ(s.Columns().GetSize(), 1); // the placeholder alone
    EXPECT_EQ(s.VisibleCount(), 0);
    EXPECT_EQ(s.DirectWord(), "H");

    CColumnList own;
    own.Add(std::make_unique<CQueryColumn>());
    auto c = std::make_unique<CQueryColumn>();
    c->colname = "Z";
    c->datatypeid = "8";
    c->Point = 1;
    own.Add(std::move(c));
    s.Load(client, "RIVER_HOUR", {true, &own});
    EXPECT_EQ(Names(s), (std::vector<std::string>{"Z"}));
    s.ReloadColumns(client, kColumnsFromDatabase);
    EXPECT_EQ(s.VisibleCount(), 5);
}

INSTANTIATE_TEST_SUITE_P(Backends, TableSettings,
                         ::testing::Values(testdb::Kind::Sqlite, testdb::Kind::Postgres), BackendName);
