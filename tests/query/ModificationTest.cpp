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

    // Refreshes station 7's day as the window would; the grid's row 1 is the stored row.
    void Read() {
        m_query->m_request.form = kFormGivenStations;
        m_query->m_request.keys = {"7"};
        m_query->m_request.startTime = "2008-07-01 00:00:00";
        m_query->m_request.endTime = "2008-07-02 00:00:00";
        m_query->Refresh(m_grid, 1);
        ASSERT_EQ(m_query->ResultRowCount(), 1);
    }
    CStringArray Shown() const {
        CStringArray out;
        for (long c = 1; c < m_grid.GetColumnCount(); ++c)
            out.Add(m_grid.GetItemText(1, c));
        return out;
    }

    CQueryClient m_client;
    std::unique_ptr<CTableQuery> m_query;
    CGridIterator m_grid;
    std::vector<std::string> m_messages;
    ui::MessageBoxResponder m_previousBox;
};

} // namespace

TEST_P(Modification, UpdatesOnlyTheEditedColumnsKeyedByTheStoredRow) {
    Read();
    const CStringArray before = Shown();
    EXPECT_EQ(m_query->WriteRow(before, before, m_grid.GetRowRecord(1)), 1); // unchanged: nothing written
    EXPECT_TRUE(m_query->SentStatements().empty());

    CStringArray after = before;
    after[2] = "11.25";
    after[3] = "It's fine";
    CString sql, log;
    ASSERT_TRUE(m_query->BuildUpdate(after, before, m_grid.GetRowRecord(1), sql, log));
    // Z and NOTE name PRO in their DC items: it is set to 3 once, as manual data.
    EXPECT_EQ(sql, "UPDATE KES.DAY_LEVEL SET Z=11.25,NOTE='It''s fine',PRO=3    WHERE STCD=7 AND "
                   "TM={ts '2008-07-01 08:00:00'}");
    EXPECT_EQ(log.Find("'"), -1) << log;

    ASSERT_EQ(m_query->WriteRow(after, before, m_grid.GetRowRecord(1)), 1) << m_query->LastWriteError();
    EXPECT_EQ(Rows("SELECT STCD,TM,Z,NOTE,PRO FROM KES.DAY_LEVEL"),
              (std::vector<std::string>{"7|2008-07-01 08:00:00|11.25|It's fine|3"}));
    auto audit = Rows("SELECT SEQID,TYPE,CONTTYPE,EDITMEN FROM KES.SCHLOG");
    ASSERT_EQ(audit.size(), 1u);
    EXPECT_EQ(audit[0], "1|3|Vexor数据修改| ");
    EXPECT_TRUE(m_messages.empty());

    // The record now holds what was written: a second edit of the same row is no conflict.
    CStringArray again = after;
    again[2] = "11.5";
    ASSERT_EQ(m_query->WriteRow(again, after, m_grid.GetRowRecord(1)), 1) << m_query->LastWriteError();
    EXPECT_EQ(Rows("SELECT Z FROM KES.DAY_LEVEL"), (std::vector<std::string>{"11.5"}));
}

TEST_P(Modification, InsertsLeaveBlankColumnsOutAndDeletesByTheStoredKey) {
    CStringArray none;
    none.SetSize(5);
    CStringArray fresh = {"8", "2008-07-02 08:30:00", "", "新", ""};
    ASSERT_EQ(m_query->WriteRow(fresh, none), 1) << m_query->LastWriteError();
    EXPECT_EQ(Rows("SELECT STCD,TM,Z,NOTE,PRO FROM KES.DAY_LEVEL WHERE STCD=8"),
              (std::vector<std::string>{"8|2008-07-02 08:00:00||新|3"})); // day start at the day's hour

    m_query->m_request.form = kFormGivenStations;
    m_query->m_request.keys = {"8"};
    m_query->m_request.startTime = "2008-07-02 00:00:00";
    m_query->m_request.endTime = "2008-07-03 00:00:00";
    m_query->Refresh(m_grid, 1);
    ASSERT_EQ(m_query->ResultRowCount(), 1);
    ASSERT_EQ(m_query->DeleteRow(m_grid.GetRowRecord(1)), 1) << m_query->LastWriteError();
    EXPECT_TRUE(Rows("SELECT COUNT(*) FROM KES.DAY_LEVEL WHERE STCD=8") == std::vector<std::string>{"0"});
    EXPECT_EQ(Rows("SELECT SEQID FROM KES.SCHLOG ORDER BY SEQID"), (std::vector<std::string>{"1", "2"}));

    // Deleting it again finds nothing: a failure, and no audit record.
    EXPECT_EQ(m_query->DeleteRow(m_grid.GetRowRecord(1)), 0);
    EXPECT_EQ(m_query->LastWriteError(), "没有找到要删除的记录");
    EXPECT_EQ(Rows("SELECT COUNT(*) FROM KES.SCHLOG"), (std::vector<std::string>{"2"}));
}

TEST_P(Modification, ValuesThatCannotBeWrittenFailWithoutTouchingTheData) {
    Read();
    const CStringArray before = Shown();
    CStringArray bad = before;
    bad[2] = "1;DELETE FROM KES.DAY_LEVEL";
    EXPECT_EQ(m_query->WriteRow(bad, before, m_grid.GetRowRecord(1)), 0);
    EXPECT_NE(m_query->LastWriteError().Find("不是数字"), -1) << m_query->LastWriteError();
    EXPECT_EQ(Rows("SELECT Z FROM KES.DAY_LEVEL"), (std::vector<std::string>{"10.5"}));

    // A row without its stored record is never keyed by its shown texts.
    CStringArray after = before;
    after[2] = "12";
    EXPECT_EQ(m_query->WriteRow(after, before), 0);

    // A statement the database refuses reports the database's text and writes no audit.
    m_query->Settings().Columns()[4].colname = "NO_SUCH_COLUMN";
    after[3] = "x";
    EXPECT_EQ(m_query->WriteRow(after, before, m_grid.GetRowRecord(1)), 0);
    EXPECT_NE(CString(m_query->LastWriteError()).MakeUpper().Find("NO_SUCH_COLUMN"), -1)
        << m_query->LastWriteError();
    EXPECT_TRUE(m_messages.empty()); // the engine says why; only windows ask the user
    EXPECT_TRUE(Rows("SELECT COUNT(*) FROM KES.SCHLOG") == std::vector<std::string>{"0"});
    EXPECT_EQ(Rows("SELECT Z,NOTE FROM KES.DAY_LEVEL"), (std::vector<std::string>{"10.5|正常"}));
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
