// The query client: how texts are split into statements, how reply rows become cells, the
// fraction cut, the time shift, the writing path that returns its failures and the day's log.
#include "QueryClient.h"
#include "DataProColorTable.h"
#include "DataSource.h"
#include "DayLog.h"
#include "Hooks.h"
#include "TestDatabase.h"

#include <sys/stat.h>
#include <utime.h>

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

using Cells = std::vector<std::string>;

Cells CellsOf(const CStringArray& row) {
    Cells cells;
    for (const CString& c : row)
        cells.push_back(c.str());
    return cells;
}

std::vector<std::string> Texts(const std::vector<CString>& statements) {
    std::vector<std::string> out;
    for (const CString& s : statements)
        out.push_back(s.str());
    return out;
}

Cells Parse(CQueryClient& client, std::string_view reply) {
    CStringArray row;
    client.ParseRow(reply, row);
    return CellsOf(row);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A SQLite database with the canonical data, the day log in the test's own directory and a
// message box that records instead of showing.
class QueryClientOnDatabase : public ::testing::Test {
protected:
    void SetUp() override {
        std::string reason, failure;
        m_db = testdb::TestDatabase::Create(testdb::Kind::Sqlite, reason);
        ASSERT_TRUE(m_db) << reason;
        ASSERT_TRUE(m_db->LoadFixture(failure)) << failure;
        setenv("VEXOR_LOG_DIR", m_db->dir().c_str(), 1);
        m_previous = ui::SetMessageBoxResponder([this](const CString& text, const CString&, unsigned) {
            m_messages.push_back(text.str());
            return ui::IDOK;
        });
    }
    void TearDown() override {
        ui::SetMessageBoxResponder(m_previous);
        unsetenv("VEXOR_LOG_DIR");
    }
    std::string Log() const { return ReadFile(daylog::LogFilePath()); }

    std::unique_ptr<testdb::TestDatabase> m_db;
    std::vector<std::string> m_messages;
    ui::MessageBoxResponder m_previous;
};

} // namespace

TEST(QueryClientSplit, QuerySplitsAtSemicolonsOutsideLiteralsAndDropsShortRemainders) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Texts(CQueryClient::SplitForQuery("SELECT A FROM T;")), V({"SELECT A FROM T"}));
    EXPECT_EQ(Texts(CQueryClient::SplitForQuery("  SELECT A\r\nFROM T;;SELECT B  ")),
              V({"SELECT A  FROM T", "", "SELECT B"}));
    EXPECT_EQ(Texts(CQueryClient::SplitForQuery("SELECT 1; x")), V({"SELECT 1"}));
    EXPECT_EQ(Texts(CQueryClient::SplitForQuery("  \r\n ")), V{});
    // A ";" inside a literal belongs to the literal, also after a doubled quote.
    EXPECT_EQ(Texts(CQueryClient::SplitForQuery("SELECT 'a;DELETE FROM T;--'")),
              V({"SELECT 'a;DELETE FROM T;--'"}));
    EXPECT_EQ(Texts(CQueryClient::SplitForQuery("SELECT 'it''s;x';SELECT 2")),
              V({"SELECT 'it''s;x'", "SELECT 2"}));
    // An unterminated literal swallows the rest: one statement, which the service refuses.
    EXPECT_EQ(Texts(CQueryClient::SplitForQuery("SELECT 'x;DELETE FROM T")), V({"SELECT 'x;DELETE FROM T"}));
}

TEST(QueryClientSplit, ExecuteKeepsSemicolonsAndLiteralsWhole) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Texts(CQueryClient::SplitForExecute("UPDATE T SET A='x;y' WHERE B=1; DELETE FROM T WHERE B=2")),
              V({"UPDATE T SET A='x;y' WHERE B=1;", "DELETE FROM T WHERE B=2"}));
    EXPECT_EQ(Texts(CQueryClient::SplitForExecute("UPDATE T SET A='it''s;ok';X;")),
              V({"UPDATE T SET A='it''s;ok';", "X;"}));
    // An unterminated literal swallows the rest: one statement, which the service refuses.
    EXPECT_EQ(Texts(CQueryClient::SplitForExecute("UPDATE T SET A='x;DELETE FROM T")),
              V({"UPDATE T SET A='x;DELETE FROM T"}));
    EXPECT_EQ(Texts(CQueryClient::SplitForExecute(";")), V({";"}));
    EXPECT_EQ(Texts(CQueryClient::SplitForExecute(" ")), V{});
}

TEST(QueryClientRows, CellsEndAtCommasOutsideParenthesesAndEscapesAreUndone) {
    CQueryClient client;
    EXPECT_EQ(Parse(client, "阴\\,有雨,\\(1\\,2\\),a\\\\b,"), Cells({"阴,有雨", "(1,2)", "a\\b"}));
    // An escaped parenthesis does not protect the commas after it.
    EXPECT_EQ(Parse(client, "\\(,x,"), Cells({"(", "x"}));
    EXPECT_EQ(Parse(client, "(a\\)b,c),d,"), Cells({"(a)b,c)", "d"}));
    EXPECT_EQ(Parse(client, "x\\"), Cells{}); // a lone "\\" at the end ends nothing
    EXPECT_EQ(Parse(client, "12.5,(1,2),abc,"), Cells({"12.5", "(1,2)", "abc"}));
    EXPECT_EQ(Parse(client, "a,b"), Cells({"a"}));
    EXPECT_EQ(Parse(client, ",,"), Cells({"", ""}));
    // Parentheses do not nest: the first ")" ends the protected stretch.
    EXPECT_EQ(Parse(client, "((a,b),c),d,"), Cells({"((a,b)", "c)", "d"}));
    // Unbalanced: everything after an unclosed "(" is one unfinished cell and is dropped.
    EXPECT_EQ(Parse(client, "x,(1,2,3,"), Cells({"x"}));
    EXPECT_EQ(Parse(client, "x),y,"), Cells({"x)", "y"}));
    EXPECT_EQ(Parse(client, ""), Cells{});
}

TEST(QueryClientRows, FirstListedCellDecidesTheFractionCutForTheWholeQuery) {
    CQueryClient client;
    CDWordArray cut{0};
    client.m_pCutColumns = &cut;
    client.m_nColumnCount = 2;
    client.m_nCutState = 0;
    EXPECT_EQ(Parse(client, "12.0,3.5,"), Cells({"12", "3.5"}));
    EXPECT_EQ(Parse(client, "7.25,1.5,"), Cells({"7", "1.5"}));
    EXPECT_EQ(Parse(client, ".5,x,"), Cells({".5", "x"})); // nothing before the "." stays

    client.m_nCutState = 0;
    EXPECT_EQ(Parse(client, "12,1.5,"), Cells({"12", "1.5"}));
    EXPECT_EQ(client.m_nCutState, 1);
    EXPECT_EQ(Parse(client, "3.5,1.5,"), Cells({"3.5", "1.5"}));

    // A list that names no reply column is decided by the last expected column.
    CDWordArray other{5};
    client.m_pCutColumns = &other;
    client.m_nCutState = 0;
    EXPECT_EQ(Parse(client, "1.5,2.5,"), Cells({"1.5", "2.5"}));
    EXPECT_EQ(client.m_nCutState, 1);
    CDWordArray empty;
    client.m_pCutColumns = &empty;
    client.m_nCutState = 0;
    Parse(client, "1.5,");
    EXPECT_EQ(client.m_nCutState, 1);
}

TEST(QueryClientRows, TimeColumnIsMovedBackByItsOffset) {
    CQueryClient client;
    client.m_timeColumn.m_nColumn = 2;
    client.m_timeColumn.m_strType = "日";
    client.m_timeColumn.m_nOffset = 1;
    EXPECT_EQ(Parse(client, "1, 2008-07-02 08:00:00 ,x,"), Cells({"1", "2008-07-01 08:00:00", "x"}));
    client.m_timeColumn.m_strType = "月";
    EXPECT_EQ(Parse(client, "1,2008-03-15 00:00:00,"), Cells({"1", "2008-02-01 00:00:00"}));
    EXPECT_EQ(Parse(client, "1, 12 ,"), Cells({"1", "12"})); // no "-": trimmed only
}

TEST_F(QueryClientOnDatabase, QueryKeepsRowsOfEveryStatementAndAnswersForTheLast) {
    CQueryClient client;
    ASSERT_EQ(client.Query("SELECT ID,SENNAME FROM KES.ALLPOINT WHERE ID<103 ORDER BY ID;\r\n"
                           "SELECT SENNAME FROM KES.ALLPOINT WHERE ID=104"),
              1);
    ASSERT_EQ(client.GetRowCount(), 3);
    EXPECT_EQ(CellsOf(client.m_rows[0]), Cells({"101", "水位"}));
    // A stored text comes back whole, its commas and parentheses included.
    EXPECT_EQ(CellsOf(client.m_rows[2]), Cells({"Flow, (m3/s)"}));

    // A failing last statement answers 0 but keeps the rows of the ones before; the next
    // query starts from no rows.
    EXPECT_EQ(client.Query("SELECT ID FROM KES.ALLPOINT; SELECT * FROM KES.NO_SUCH"), 0);
    EXPECT_EQ(client.GetRowCount(), 4);
    EXPECT_NE(client.m_strLastError.Find("no such table"), -1);
    EXPECT_EQ(client.Query("SELECT * FROM KES.NO_SUCH; SELECT ID FROM KES.ALLPOINT WHERE ID=101"), 1);
    EXPECT_EQ(client.GetRowCount(), 1);
    EXPECT_EQ(client.Query("   "), 0);
    EXPECT_EQ(client.GetRowCount(), 0);
    EXPECT_TRUE(m_messages.empty());

    CDWordArray cut{0};
    client.m_pCutColumns = &cut;
    client.Query("SELECT 1.5");
    EXPECT_EQ(client.m_pCutColumns, nullptr);
    client.ClearRows();
    EXPECT_EQ(client.GetRowCount(), 0);
}

// Rows kept in a row store are taken from the database's values, rows in m_rows from the reply
// rows: both hold the same cells, and the fraction cut and the time shift apply to both.
TEST_F(QueryClientOnDatabase, RowStoreHoldsTheCellsTheReplyRowsGive) {
    auto both = [](const char* sql, auto&& setUp) {
        CQueryClient client;
        setUp(client);
        const int ok = client.Query(sql);
        std::vector<Cells> rows;
        for (int r = 0; r < client.GetRowCount(); ++r)
            rows.push_back(CellsOf(client.m_rows[r]));
        CRowStore store;
        client.m_pRowStore = &store;
        setUp(client);
        EXPECT_EQ(client.Query(sql), ok) << sql;
        std::vector<Cells> stored;
        for (long r = 0; r < store.GetSize(); ++r)
            stored.push_back(CellsOf(store.CopyRow(r)));
        EXPECT_EQ(stored, rows) << sql;
        return stored;
    };
    auto plain = [](CQueryClient&) {};
    EXPECT_EQ(both("SELECT ID,SENNAME,RTUID FROM KES.ALLPOINT ORDER BY ID", plain).size(), 4u);
    both("SELECT DIRECTORY,FNAME,CSID FROM KES.RELATION ORDER BY RANKING", plain);
    both("SELECT SENID,TIME,INSTV,AVGV,MAXV,MINV,INSTQ FROM KES.HOURDB", plain);
    const auto computed = both("SELECT 0.1+0.2, 1.0/3, -0.0, 2.5e-7, NULL, 'a\\b', 7", plain);
    ASSERT_EQ(computed.size(), 1u);
    EXPECT_EQ(computed[0], Cells({"0.3", "0.333333333333333", "0", "2.5e-07", "", "a\\b", "7"}));
    both("SELECT ID FROM KES.ALLPOINT; SELECT * FROM KES.NO_SUCH", plain);

    CDWordArray cut{0};
    const auto wasCut = both("SELECT 12.75, 3.5", [&](CQueryClient& c) {
        c.m_nCutState = 0;
        c.m_nColumnCount = 2;
        c.m_pCutColumns = &cut;
    });
    EXPECT_EQ(wasCut, std::vector<Cells>({{"12", "3.5"}}));
    const auto shifted = both("SELECT 1, '2008-07-01 08:00:00'", [](CQueryClient& c) {
        c.m_timeColumn.m_nColumn = 2;
        c.m_timeColumn.m_strType = "日";
        c.m_timeColumn.m_nOffset = 1;
    });
    EXPECT_EQ(shifted, std::vector<Cells>({{"1", "2008-06-30 08:00:00"}}));
}

TEST_F(QueryClientOnDatabase, HostileQueriesFailCleanly) {
    CQueryClient client;
    // ";" and "{ts" inside literals stay there.
    EXPECT_EQ(client.Query("SELECT COUNT(*) FROM KES.ALLPOINT WHERE SENNAME='a;{ts ''x''}'"), 1);
    EXPECT_EQ(CellsOf(client.m_rows[0]), Cells({"0"}));
    EXPECT_EQ(client.Query("SELECT COUNT(*) FROM KES.ALLPOINT WHERE SENNAME='{ts ''x''}'"), 1);
    EXPECT_EQ(CellsOf(client.m_rows[0]), Cells({"0"}));
    EXPECT_EQ(client.Query("SELECT * FROM KES.ALLPOINT WHERE SENNAME='x"), 0);
    EXPECT_NE(client.m_strLastError.Find("unterminated"), -1);
}

TEST_F(QueryClientOnDatabase, ExecuteRunsEveryStatementReturnsFailuresAndLogsThem) {
    CQueryClient client;
    ASSERT_EQ(client.Execute("UPDATE KES.ALLPOINT SET SENNAME='x;y' WHERE ID=101;\n"
                             "DELETE FROM KES.ALLPOINT WHERE ID=102"),
              1);
    client.Query("SELECT ID,SENNAME FROM KES.ALLPOINT WHERE ID<103");
    ASSERT_EQ(client.GetRowCount(), 1);
    EXPECT_EQ(CellsOf(client.m_rows[0]), Cells({"101", "x;y"}));

    // The failed statement is logged, never shown; the one after it still runs and decides.
    EXPECT_EQ(client.Execute("DELETE FROM KES.NO_SUCH; DELETE FROM KES.ALLPOINT WHERE ID=103"), 1);
    EXPECT_NE(client.m_strLastError.Find("no such table"), -1);
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(client.GetRowCount(), 1); // Execute leaves the rows alone
    EXPECT_EQ(client.Execute("DELETE FROM KES.ALLPOINT WHERE ID=104; UPDATE KES.ALLPOINT SET ID='"), 0);
    EXPECT_EQ(client.Execute("  "), 0);

    std::string log = Log();
    EXPECT_NE(log.find("秒\rUPDATE KES.ALLPOINT SET SENNAME='x;y' WHERE ID=101;\r\r\n\r"), std::string::npos);
    EXPECT_NE(log.find("\rDELETE FROM KES.NO_SUCH;\r\r\n\rno such table: KES.NO_SUCH\r\r\n"),
              std::string::npos);
    EXPECT_NE(log.find("unterminated string literal\r\r\n"), std::string::npos);
}

TEST_F(QueryClientOnDatabase, LogHoldsOneDayAndALostLogLosesNothingElse) {
    CQueryClient client;
    client.LogLine("old entry");
    // A log last changed yesterday starts afresh with today's first entry.
    struct utimbuf yesterday {};
    yesterday.actime = yesterday.modtime = time(nullptr) - 86400;
    ASSERT_EQ(utime(daylog::LogFilePath().c_str(), &yesterday), 0);
    client.LogStatement("SELECT 1");
    std::string log = Log();
    EXPECT_EQ(log.find("old entry"), std::string::npos);
    EXPECT_EQ(log.substr(log.size() - 13), "\rSELECT 1\r\r\n\r");
    EXPECT_EQ(log.find("年"), 4u); // the entry starts with its time, "%Y年%m月..."
    client.LogLine("same day");
    EXPECT_NE(Log().find("SELECT 1"), std::string::npos);

    setenv("VEXOR_LOG_DIR", (m_db->dir() + "/missing/dir").c_str(), 1);
    EXPECT_EQ(client.Execute("DELETE FROM KES.RTDB"), 1);
    EXPECT_EQ(client.Execute("DELETE FROM KES.NO_SUCH"), 0);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(QueryClientOnDatabase, FailingDataSourceGivesAClearFailure) {
    kes::SetDataSource("sqlite:" + m_db->dir() + "/absent.sqlite");
    CQueryClient client;
    EXPECT_EQ(client.Query("SELECT 1"), 0);
    EXPECT_NE(client.m_strLastError.Find("cannot open the database file"), -1);
    EXPECT_EQ(client.Execute("DELETE FROM KES.RTDB"), 0);
    EXPECT_NE(client.m_strLastError.Find("cannot open the database file"), -1);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(QueryClientOnDatabase, DataPropertyColoursAreLookedUpById) {
    CDataProColorTable table;
    ASSERT_EQ(table.m_entries.GetSize(), 3);
    EXPECT_EQ(table.GetColor(2), 255);
    EXPECT_EQ(table.GetDisplayState(9), 0);
    EXPECT_EQ(table.GetColor(0), 16777215);
    EXPECT_EQ(table.GetColor(42), 0);
    EXPECT_EQ(table.GetDisplayState(42), 0);
}
