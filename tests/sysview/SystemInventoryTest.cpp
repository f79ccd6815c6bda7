// The system view's inventory counted on SQLite and PostgreSQL: counts and time spans, tables
// that cannot be counted, rows handed on one at a time, and a load cancelled between tables.
#include "SystemInventory.h"

#include "TestDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace {

class SystemInventoryTest : public ::testing::TestWithParam<testdb::Kind> {
protected:
    void SetUp() override {
        TESTDB_OPEN(m_db, GetParam());
        // Times inserted out of order, so the span is the minimum and maximum, not the first and
        // last row.
        for (const char* sql : {
                 "CREATE TABLE KES.LEVELS (STCD INTEGER, TM TIMESTAMP, Z DOUBLE PRECISION)",
                 "INSERT INTO KES.LEVELS VALUES (1, '2025-03-01 08:00:00', 12.5)",
                 "INSERT INTO KES.LEVELS VALUES (2, '2024-12-31 23:00:00', 13.0)",
                 "INSERT INTO KES.LEVELS VALUES (1, '2026-01-01 00:00:00', 11.0)",
                 "CREATE TABLE KES.EMPTY_DAY (STCD INTEGER, TM TIMESTAMP)",
                 "CREATE TABLE KES.CODES (ID INTEGER, NAME VARCHAR(20))",
                 "INSERT INTO KES.CODES VALUES (1, 'a')",
                 "INSERT INTO KES.CODES VALUES (2, 'b')",
             })
            Run(sql);
    }

    static void Run(const std::string& sql) {
        std::vector<std::string> reply;
        ASSERT_TRUE(testdb::Run(sql, reply)) << sql << ": " << (reply.empty() ? "" : reply[0]);
    }

    static std::vector<CInventoryRow> Load(const std::vector<CInventoryTable>& tables,
                                           CInventoryOutcome* outcome = nullptr) {
        std::vector<CInventoryRow> rows;
        CInventoryOutcome result =
            LoadInventory(tables, [&rows](const CInventoryRow& row) { rows.push_back(row); });
        if (outcome) *outcome = result;
        return rows;
    }

    static std::string Lower(const CString& text) {
        std::string s = text.str();
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
        return s;
    }

    std::unique_ptr<testdb::TestDatabase> m_db;
};

TEST_P(SystemInventoryTest, CountsRowsAndTimeSpans) {
    CInventoryOutcome outcome;
    std::vector<CInventoryRow> rows =
        Load({{"LEVELS", "水位", "TM"}, {"CODES", "代码", ""}, {"EMPTY_DAY", "空表", "TM"}}, &outcome);
    std::vector<CInventoryRow> expected = {
        {"LEVELS", "水位", "3", "2024-12-31 23:00:00", "2026-01-01 00:00:00", ""},
        // Without a time column: the count only.
        {"CODES", "代码", "2", "", "", ""},
        // An empty table: a count of 0, no span.
        {"EMPTY_DAY", "空表", "0", "", "", ""},
    };
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(outcome.counted, 3);
    EXPECT_EQ(outcome.failed, 0);
    EXPECT_FALSE(outcome.cancelled);
}

TEST_P(SystemInventoryTest, ATableThatCannotBeCountedHoldsTheReasonAndTheLoadGoesOn) {
    CInventoryOutcome outcome;
    std::vector<CInventoryRow> rows =
        Load({{"NO_SUCH_TABLE", "不存在", "TM"}, {"LEVELS", "水位", "NO_SUCH_COLUMN"}, {"CODES", "", ""}},
             &outcome);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_FALSE(rows[0].Counted());
    EXPECT_NE(Lower(rows[0].failure).find("no_such_table"), std::string::npos) << rows[0].failure.str();
    EXPECT_EQ(rows[0].table, "NO_SUCH_TABLE");
    EXPECT_EQ(rows[0].chineseName, "不存在");
    EXPECT_EQ(rows[0].count, "");
    EXPECT_FALSE(rows[1].Counted());
    EXPECT_NE(Lower(rows[1].failure).find("no_such_column"), std::string::npos) << rows[1].failure.str();
    EXPECT_EQ(rows[1].count, "");
    // One line each, to fit a grid cell: PostgreSQL follows its message with the statement.
    EXPECT_EQ(rows[0].failure.FindOneOf("\r\n"), -1) << rows[0].failure.str();
    EXPECT_EQ(rows[1].failure.FindOneOf("\r\n"), -1) << rows[1].failure.str();
    // The reason of an earlier table does not stick to a later one.
    EXPECT_EQ(rows[2], (CInventoryRow{"CODES", "", "2", "", "", ""}));
    EXPECT_EQ(outcome.counted, 1);
    EXPECT_EQ(outcome.failed, 2);
}

TEST_P(SystemInventoryTest, NamesThatWouldChangeTheStatementAreNotSent) {
    // Counted as written, these would count a part of the table or another table's rows.
    std::vector<CInventoryRow> rows = Load({{"LEVELS WHERE Z>12", "", ""},
                                            {"LEVELS", "", "TM) ,MIN(TM"},
                                            {"CODES;SELECT COUNT(*) FROM KES.LEVELS", "", ""}});
    ASSERT_EQ(rows.size(), 3u);
    for (const CInventoryRow& row : rows) {
        EXPECT_FALSE(row.Counted()) << row.table.str();
        EXPECT_EQ(row.count, "") << row.table.str();
    }
}

TEST_P(SystemInventoryTest, EachRowIsHandedOnBeforeTheNextTableIsCounted) {
    // A row added while the first row is being shown is in the second count: the second table
    // was counted after the first row was handed on, not before.
    std::vector<CInventoryRow> rows;
    LoadInventory({{"LEVELS", "", ""}, {"LEVELS", "", ""}}, [&rows](const CInventoryRow& row) {
        rows.push_back(row);
        if (rows.size() == 1) Run("INSERT INTO KES.LEVELS VALUES (3, '2025-06-01 00:00:00', 9.0)");
    });
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].count, "3");
    EXPECT_EQ(rows[1].count, "4");
}

TEST_P(SystemInventoryTest, CancelStopsBetweenTablesAndEntriesWithoutATableAreSkipped) {
    std::stop_source stop;
    std::vector<CInventoryRow> rows;
    CInventoryOutcome outcome = LoadInventory(
        {{"", "无表名", "TM"}, {"LEVELS", "", "TM"}, {"CODES", "", ""}, {"EMPTY_DAY", "", ""}},
        [&](const CInventoryRow& row) {
            rows.push_back(row);
            stop.request_stop();
        },
        stop.get_token());
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].table, "LEVELS");
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(outcome.counted, 1);

    // Cancelled before it starts: nothing is counted. A stop asked for after the last table
    // cancels nothing.
    rows.clear();
    outcome = LoadInventory(
        {{"LEVELS", "", ""}}, [&](const CInventoryRow& row) { rows.push_back(row); }, stop.get_token());
    EXPECT_TRUE(rows.empty());
    EXPECT_TRUE(outcome.cancelled);
    std::stop_source late;
    outcome = LoadInventory(
        {{"CODES", "", ""}, {" ", "", ""}}, [&](const CInventoryRow&) { late.request_stop(); },
        late.get_token());
    EXPECT_FALSE(outcome.cancelled);
    EXPECT_EQ(outcome.counted, 1);
}

INSTANTIATE_TEST_SUITE_P(Backends, SystemInventoryTest,
                         ::testing::Values(testdb::Kind::Sqlite, testdb::Kind::Postgres),
                         [](const ::testing::TestParamInfo<testdb::Kind>& info) {
                             return info.param == testdb::Kind::Sqlite ? "SQLite" : "PostgreSQL";
                         });

} // namespace
