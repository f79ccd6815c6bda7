// Writing edited rows and their audit records, and the missing-data statistics.
#include "EngineDatabase.h"
#include "Hooks.h"
#include "QueryClient.h"
#include "TableQuery.h"

#include <gtest/gtest.h>

namespace {

class Modification : public EngineDatabaseTest {
protected:
    void SetUp() override {
        EngineDatabaseTest::SetUp();
        if (IsSkipped()) return;
        m_previousBox = ui::SetMessageBoxResponder([this](const CString& text, const CString&, unsigned) {
            m_messages.push_back(text.str());
            return ui::IDOK;
        });
        m_query = std::make_unique<CTableQuery>(m_client);
        m_query->Load("DAY_LEVEL", {});
    }
    void TearDown() override { ui::SetMessageBoxResponder(m_previousBox); }

    std::vector<std::string> Rows(const char* sql) {
        CQueryClient c;
        c.Query(sql);
        std::vector<std::string> out;
        for (const auto& row : c.m_rows) {
            std::string line;
            for (const CString& cell : *row)
                line += (line.empty() ? "" : "|") + cell.str();
            out.push_back(line);
        }
        return out;
    }

    CQueryClient m_client;
    std::unique_ptr<CTableQuery> m_query;
    std::vector<std::string> m_messages;
    ui::MessageBoxResponder m_previousBox;
};

} // namespace

TEST_P(Modification, UpdatesKeyOnThePeriodStartAndAuditsOnce) {
    CStringArray before = {"7", "2008-07-01 08:00:00", "10.5", "正常", "0"};
    CStringArray after = {"7", "2008-07-01 08:00:00", "11.25", "It's fine", "0"};
    EXPECT_EQ(m_query->WriteRow(before, before), 1); // unchanged: nothing written
    EXPECT_TRUE(Rows("SELECT COUNT(*) FROM KES.SCHLOG") == std::vector<std::string>{"0"});

    CString sql, log;
    ASSERT_TRUE(m_query->BuildWrite(after, before, sql, log));
    EXPECT_EQ(
        sql, "UPDATE KES.DAY_LEVEL SET STCD=7,TM={ts '2008-07-01 08:00:00'},Z=11.25,NOTE='It''s fine',PRO=3  "
             "  WHERE STCD=7 AND TM={ts '2008-07-01 08:00:00'}");
    EXPECT_EQ(log.Find("'"), -1) << log;

    ASSERT_EQ(m_query->WriteRow(after, before), 1) << m_query->LastWriteError();
    EXPECT_EQ(Rows("SELECT Z,NOTE,PRO FROM KES.DAY_LEVEL"), (std::vector<std::string>{"11.25|It's fine|3"}));
    auto audit = Rows("SELECT SEQID,TYPE,CONTTYPE,EDITMEN FROM KES.SCHLOG");
    ASSERT_EQ(audit.size(), 1u);
    EXPECT_EQ(audit[0], "1|3|Vexor数据修改| ");
    EXPECT_TRUE(m_messages.empty());
}

TEST_P(Modification, InsertsLeaveBlankColumnsOutAndDeletesAudit) {
    CStringArray none;
    none.SetSize(5);
    CStringArray fresh = {"8", "2008-07-02 08:30:00", "", "新", ""};
    ASSERT_EQ(m_query->WriteRow(fresh, none), 1) << m_query->LastWriteError();
    EXPECT_EQ(Rows("SELECT STCD,TM,Z,NOTE,PRO FROM KES.DAY_LEVEL WHERE STCD=8"),
              (std::vector<std::string>{"8|2008-07-02 08:00:00||新|3"})); // day start at the day's hour

    CStringArray stored = {"8", "2008-07-02 08:00:00", "", "新", "3"};
    ASSERT_EQ(m_query->DeleteRow(stored), 1) << m_query->LastWriteError();
    EXPECT_TRUE(Rows("SELECT COUNT(*) FROM KES.DAY_LEVEL WHERE STCD=8") == std::vector<std::string>{"0"});
    EXPECT_EQ(Rows("SELECT SEQID FROM KES.SCHLOG ORDER BY SEQID"), (std::vector<std::string>{"1", "2"}));
}

TEST_P(Modification, ValuesThatCannotBeWrittenFailWithoutTouchingTheData) {
    CStringArray before = {"7", "2008-07-01 08:00:00", "10.5", "正常", "0"};
    CStringArray bad = {"7", "2008-07-01 08:00:00", "1;DELETE FROM KES.DAY_LEVEL", "x", "0"};
    EXPECT_EQ(m_query->WriteRow(bad, before), 0);
    EXPECT_NE(m_query->LastWriteError().Find("不是数字"), -1) << m_query->LastWriteError();
    EXPECT_EQ(Rows("SELECT Z FROM KES.DAY_LEVEL"), (std::vector<std::string>{"10.5"}));

    // A statement the database refuses reports the database's text and writes no audit.
    m_query->Settings().Columns()[4].colname = "NO_SUCH_COLUMN";
    CStringArray after = {"7", "2008-07-01 08:00:00", "12", "x", "0"};
    EXPECT_EQ(m_query->WriteRow(after, before), 0);
    EXPECT_NE(CString(m_query->LastWriteError()).MakeUpper().Find("NO_SUCH_COLUMN"), -1)
        << m_query->LastWriteError();
    EXPECT_TRUE(m_messages.empty());
    EXPECT_TRUE(Rows("SELECT COUNT(*) FROM KES.SCHLOG") == std::vector<std::string>{"0"});
    EXPECT_EQ(Rows("SELECT Z FROM KES.DAY_LEVEL"), (std::vector<std::string>{"10.5"}));
}

TEST_P(Modification, GapsLongerThanTheIntervalAreListedWithTheirLength) {
    CLackTimeRequest r;
    r.stations = {"5", "6", "9"};
    r.startTime = "2008-07-01 08:00:00";
    r.endTime = "2008-07-01 12:00:00";
    r.extraText = "RTEV";
    r.intervalCount = 1;
    r.intervalUnit = kLackHours;
    auto rows = LackTimeRows(r);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], (CStringArray{"5", "2008-07-01 09:00:00 至 2008-07-01 10:00:01", " 1时 0分 1秒"}));
    EXPECT_EQ(rows[1], (CStringArray{"5", "2008-07-01 10:00:01 至 2008-07-01 12:00:00", " 1时59分59秒"}));
    EXPECT_EQ(rows[2], (CStringArray{"6", "2008-07-01 08:00:30 至 2008-07-01 12:00:00", " 3时59分30秒"}));
    EXPECT_EQ(rows[3], (CStringArray{"9", "***缺数***", "***无数据***"}));

    r.stations = {"6"};
    r.intervalCount = 10;
    r.intervalUnit = kLackSeconds;
    rows = LackTimeRows(r);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0][2], "30秒"); // the boundary before the first record counts
}

INSTANTIATE_TEST_SUITE_P(Backends, Modification,
                         ::testing::Values(testdb::Kind::Sqlite, testdb::Kind::Postgres), BackendName);
