// A query run on a worker thread with its own connection: the same rows as the query client
// gives on the calling thread, times moved as asked, the rows read counted, and a stopped query
// that answers no rows. On SQLite and on the PostgreSQL server of the test run.
#include "BackgroundQuery.h"
#include "DataSource.h"
#include "FixtureDatabase.h"
#include "TestDatabase.h"
#include "WorkerConnection.h"

#include <gtest/gtest.h>

#include <atomic>

using testdb::Kind;

namespace {

class BackgroundQueryTest : public ::testing::TestWithParam<Kind> {
protected:
    void SetUp() override {
        TESTDB_OPEN_FIXTURE(m_db, GetParam());
    }
    static std::vector<std::vector<std::string>> Cells(const CObjectArray<CStringArray>& rows) {
        std::vector<std::vector<std::string>> cells;
        for (int r = 0; r < rows.GetSize(); ++r) {
            cells.emplace_back();
            for (const CString& c : rows[r])
                cells.back().push_back(c.str());
        }
        return cells;
    }
    static std::vector<std::vector<std::string>> Cells(const CRowStore& rows) {
        std::vector<std::vector<std::string>> cells;
        for (long r = 0; r < rows.GetSize(); ++r) {
            cells.emplace_back();
            for (int c = 0; c < rows.CellCount(r); ++c)
                cells.back().emplace_back(rows.Cell(r, c));
        }
        return cells;
    }
    std::unique_ptr<testdb::TestDatabase> m_db;
};

const char* const kTwoStatements = "SELECT SENID,TIME,AVGV FROM KES.DAYDB WHERE SENID=1 ORDER BY TIME;"
                                   "SELECT SENID,TIME,AVGV FROM KES.DAYDB WHERE SENID=2 ORDER BY TIME";

} // namespace

TEST_P(BackgroundQueryTest, AnswersTheRowsTheClientReadsOnItsOwnThread) {
    CTimeColumn shift;
    shift.m_nColumn = 2;
    shift.m_strType = "日";
    shift.m_nOffset = 1;
    CQueryClient here;
    here.m_timeColumn = shift;
    ASSERT_EQ(here.Query(kTwoStatements), 1) << here.m_strLastError.str();
    ASSERT_GT(here.GetRowCount(), 2);

    std::atomic<int> told{0};
    CBackgroundQuery query(kes::ResolveDataSource(), kTwoStatements, shift, [&] { ++told; });
    EXPECT_EQ(query.Wait(), 1) << query.Error().str();
    EXPECT_EQ(told.load(), 1);
    EXPECT_EQ(query.RowsRead(), here.GetRowCount());
    EXPECT_TRUE(query.Error().IsEmpty());
    CRowStore rows = query.TakeRows();
    EXPECT_EQ(Cells(rows), Cells(here.m_rows));
    // The rows of an earlier refresh go back to the worker to be freed there.
    query.Retire(std::move(rows));
}

TEST_P(BackgroundQueryTest, StoppedOrFailingQueriesAnswerNoRowsAndTheReason) {
    CBackgroundQuery stopped(kes::ResolveDataSource(), kTwoStatements, {}, {});
    stopped.Cancel();
    const int answer = stopped.Wait();
    // Stopped before it began, or done before the stop came: never half the rows.
    if (answer == 0) {
        EXPECT_TRUE(stopped.Cancelled());
        EXPECT_EQ(stopped.Error().str(), kes::kStatementCancelled);
        EXPECT_EQ(stopped.TakeRows().GetSize(), 0);
    }

    CBackgroundQuery refused(kes::ResolveDataSource(), "SELECT * FROM KES.NO_SUCH_TABLE", {}, {});
    EXPECT_EQ(refused.Wait(), 0);
    EXPECT_NE(refused.Error().Find("NO_SUCH_TABLE"), -1) << refused.Error().str();

    CBackgroundQuery unreachable("sqlite:" + m_db->dir() + "/none.sqlite", "SELECT 1", {}, {});
    EXPECT_EQ(unreachable.Wait(), 0);
    EXPECT_NE(unreachable.Error().Find("none.sqlite"), -1) << unreachable.Error().str();
}

INSTANTIATE_TEST_SUITE_P(Backends, BackgroundQueryTest, ::testing::Values(Kind::Sqlite, Kind::Postgres),
                         [](const auto& info) { return info.param == Kind::Sqlite ? "Sqlite" : "Postgres"; });
