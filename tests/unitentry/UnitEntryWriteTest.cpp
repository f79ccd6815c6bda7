// One "增加" against the demo database on both backends: the units a form lists, the RTDB rows
// and audit records a click writes, and that a click whose second change fails leaves nothing.
#include "CompactDemo.h"
#include "QueryClient.h"
#include "TestDatabase.h"
#include "UnitEntryForms.h"
#include "UnitList.h"
#include "UnitStateEntry.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Rows = std::vector<std::string>;

class UnitEntryWrite : public ::testing::TestWithParam<testdb::Kind> {
protected:
    void SetUp() override {
        TESTDB_OPEN_DEMO(m_db, GetParam());
    }

    static Rows Select(const std::string& sql) {
        CQueryClient c;
        EXPECT_EQ(c.Query(CString(sql)), 1) << sql << ": " << c.m_strLastError.str();
        Rows out;
        for (const auto& r : c.m_rows) {
            std::string line;
            for (const CString& cell : *r)
                line += (line.empty() ? "" : "|") + cell.str();
            out.push_back(line);
        }
        return out;
    }

    static CUnitEntryInput StartUp(const char* unit) {
        CUnitEntryInput input;
        input.unitNumber = unit;
        input.firstTime = COleDateTime(2026, 12, 1, 8, 0, 0);
        input.secondTime = COleDateTime(2026, 12, 1, 9, 30, 0);
        return input;
    }

    std::unique_ptr<testdb::TestDatabase> m_db;
    CQueryClient m_client;
};

TEST_P(UnitEntryWrite, EachFormListsItsPlantsUnitsInTheOrderOfTheirNumbers) {
    CUnitList units;
    CString error;
    ASSERT_TRUE(LoadUnits(m_client, CUnitEntryCatalogue::SchemeOf("roz机组数据录入"), units, error))
        << error.str();
    ASSERT_EQ(units.names.GetSize(), 6);
    EXPECT_EQ(units.names[0], "ROZ1号机"); // upper-cased, as the list shows it
    EXPECT_EQ(units.numbers[0], "20101");
    EXPECT_EQ(units.numbers[5], "20106");
    ASSERT_TRUE(LoadUnits(m_client, 10011, units, error));
    EXPECT_EQ(units.names.GetSize(), 14);
    EXPECT_EQ(units.names[13], "左岸14号机");

    // A scheme without a row lists nothing and is no failure.
    ASSERT_TRUE(LoadUnits(m_client, 4242, units, error));
    EXPECT_EQ(units.names.GetSize(), 0);
}

TEST_P(UnitEntryWrite, AClickWritesItsRowsWithOneAuditRecordEachNumberedInTurn) {
    const std::string before = Select("SELECT MAX(SEQID) FROM KES.SCHLOG")[0];
    std::vector<CUnitStateChange> changes;
    CString refusal;
    ASSERT_TRUE(PlanUnitEntry(StartUp("20102"), changes, refusal));
    CUnitEntryOutcome outcome;
    ASSERT_TRUE(WriteUnitEntry(m_client, changes, outcome)) << outcome.error.str();
    EXPECT_EQ(
        Select("SELECT SENID,TIME,FACTV FROM KES.RTDB WHERE SENID=20102 AND TIME>={ts '2026-12-01 00:00:00'} "
               "ORDER BY TIME"),
        (Rows{"20102|2026-12-01 08:00:00|2", "20102|2026-12-01 09:30:00|8"}));
    const long long seq = std::stoll(before.empty() ? "0" : before);
    EXPECT_EQ(Select("SELECT SEQID,TYPE,LOGINFO,CONDIR FROM KES.SCHLOG WHERE SEQID>" + std::to_string(seq) +
                     " ORDER BY SEQID"),
              (Rows{std::to_string(seq + 1) + "|3|手工录入 20102 2026-12-01 08:00:00 空转 |0",
                    std::to_string(seq + 2) + "|3|手工录入 20102 2026-12-01 09:30:00 运行 |0"}));
    EXPECT_EQ(outcome.sent.front(), "BEGIN");
    EXPECT_EQ(outcome.sent.back(), "COMMIT");
}

TEST_P(UnitEntryWrite, AChangeThatFailsPartWayLeavesNoneOfTheClicksRowsAndIsNamed) {
    const testdb::Snapshot before = testdb::TakeSnapshot(GetParam());
    std::vector<CUnitStateChange> changes;
    CString refusal;
    ASSERT_TRUE(PlanUnitEntry(StartUp("20102"), changes, refusal));

    // The second insert is refused by the database after the first row and its audit record.
    std::vector<CUnitStateChange> broken = changes;
    broken[1].insert = " INSERT INTO RTDB(SENID,TIME,NOSUCH) VALUES(20102,{ts '2026-12-01 09:30:00'},8 )";
    CUnitEntryOutcome outcome;
    EXPECT_FALSE(WriteUnitEntry(m_client, broken, outcome));
    EXPECT_EQ(outcome.error.Find("并网时间 2026-12-01 09:30:00 写入失败"), 0) << outcome.error.str();
    EXPECT_EQ(outcome.sent.back(), "ROLLBACK");
    EXPECT_EQ(testdb::TakeSnapshot(GetParam()), before);

    // The audit log cannot be written: the row stays unwritten too, not unaudited.
    ASSERT_EQ(m_client.Execute("DROP TABLE KES.SCHLOG"), 1) << m_client.m_strLastError.str();
    const testdb::Snapshot withoutLog = testdb::TakeSnapshot(GetParam());
    EXPECT_FALSE(WriteUnitEntry(m_client, changes, outcome));
    EXPECT_EQ(outcome.error.Find("开机时间 2026-12-01 08:00:00 的审计记录写入失败"), 0)
        << outcome.error.str();
    EXPECT_EQ(testdb::TakeSnapshot(GetParam()), withoutLog);
}

std::string BackendName(const ::testing::TestParamInfo<testdb::Kind>& info) {
    return info.param == testdb::Kind::Sqlite ? "SQLite" : "PostgreSQL";
}

INSTANTIATE_TEST_SUITE_P(Backends, UnitEntryWrite,
                         ::testing::Values(testdb::Kind::Sqlite, testdb::Kind::Postgres), BackendName);

} // namespace
