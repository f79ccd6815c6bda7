// A worker thread's own connection: it reads what is committed, not what the process's
// connection holds in an open transaction, and a statement running on it stops when another
// thread cancels it. Each case runs on SQLite and on the PostgreSQL server of the test run.
#include "WorkerConnection.h"
#include "DataService.h"
#include "DataSource.h"
#include "FixtureDatabase.h"
#include "TestDatabase.h"

#include <chrono>
#include <future>
#include <thread>

#include <gtest/gtest.h>

using testdb::Kind;
using testdb::Rows;
using Reply = std::vector<std::string>;

namespace {

class WorkerConnectionTest : public ::testing::TestWithParam<Kind> {
protected:
    void SetUp() override {
        TESTDB_OPEN_FIXTURE(m_db, GetParam());
    }
    // A statement that runs for minutes unless it is stopped.
    std::string EndlessCount() const {
        return GetParam() == Kind::Sqlite
                   ? "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 4000000000)"
                     " SELECT count(*) FROM n"
                   : "SELECT count(*) FROM generate_series(1, 4000000000)";
    }
    std::unique_ptr<testdb::TestDatabase> m_db;
};

// Runs work on a thread of its own and waits for it.
template <class Work> auto OnOtherThread(Work work) {
    auto task = std::async(std::launch::async, work);
    return task.get();
}

const char* const kCountRows = "SELECT count(*) FROM KES.RTDB";

} // namespace

TEST_P(WorkerConnectionTest, ReadsOnItsOwnConnectionWhileTheProcessHoldsATransaction) {
    const Reply before = Rows(kCountRows);
    ASSERT_EQ(Rows("BEGIN").size(), 1u);
    ASSERT_EQ(Rows("INSERT INTO RTDB VALUES (99, {ts '2020-01-01 00:00:00'}, 1.5)"), Reply({"INSERT 0 1"}));
    const Reply inTransaction = Rows(kCountRows);
    ASSERT_NE(inTransaction, before);

    const std::string uri = m_db->uri();
    auto [worker, afterwards] = OnOtherThread([uri] {
        Reply seen;
        auto control = std::make_shared<kes::StatementControl>();
        {
            kes::WorkerConnection connection(uri, control);
            EXPECT_TRUE(connection.IsOpen()) << connection.Error();
            seen = Rows(kCountRows);
            Rows("SELECT SENID FROM KES.DAYDB WHERE SENID IN (1, 2)");
        }
        // The rows the worker's statements answered, counted as they came.
        EXPECT_EQ(control->RowsRead(),
                  1 + std::stol(Rows("SELECT count(*) FROM KES.DAYDB WHERE SENID IN (1, 2)")[0]));
        // Without it the thread is back on the process's connection, inside its transaction.
        return std::make_pair(seen, Rows(kCountRows));
    });
    EXPECT_EQ(worker, before);
    EXPECT_EQ(afterwards, inTransaction);
    EXPECT_EQ(Rows("ROLLBACK").size(), 1u);
    EXPECT_EQ(Rows(kCountRows), before);
}

TEST_P(WorkerConnectionTest, CancelStopsTheRunningStatementAndEveryLaterOne) {
    auto control = std::make_shared<kes::StatementControl>();
    std::promise<void> started;
    auto startedFuture = started.get_future();
    const std::string uri = m_db->uri(), endless = EndlessCount();
    auto result = std::async(std::launch::async, [&] {
        kes::WorkerConnection connection(uri, control);
        EXPECT_TRUE(connection.IsOpen()) << connection.Error();
        started.set_value();
        std::vector<std::string> reply;
        const bool first = testdb::Run(endless, reply);
        const std::string error = reply.empty() ? "" : reply[0];
        reply.clear();
        const bool later = testdb::Run("SELECT 1", reply);
        return std::make_tuple(first, error, later, reply.empty() ? "" : reply[0]);
    });
    startedFuture.wait();
    // A stop that reaches the server before the statement is lost there: ask until it ends.
    while (result.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready)
        control->Cancel();
    auto [first, error, later, laterError] = result.get();
    EXPECT_FALSE(first);
    EXPECT_EQ(error, kes::kStatementCancelled);
    EXPECT_FALSE(later);
    EXPECT_EQ(laterError, kes::kStatementCancelled);

    // The process's connection is not touched by any of it.
    EXPECT_EQ(Rows("SELECT 1"), Reply({"1,"}));
}

TEST_P(WorkerConnectionTest, SourceThatCannotBeOpenedLeavesTheThreadOnTheProcessConnection) {
    const std::string missing = "sqlite:" + m_db->dir() + "/none.sqlite";
    auto [open, error, rows] = OnOtherThread([missing] {
        kes::WorkerConnection connection(missing, std::make_shared<kes::StatementControl>());
        return std::make_tuple(connection.IsOpen(), connection.Error(), Rows("SELECT 2"));
    });
    EXPECT_FALSE(open);
    EXPECT_NE(error.find("none.sqlite"), std::string::npos) << error;
    EXPECT_EQ(rows, Reply({"2,"}));
}

INSTANTIATE_TEST_SUITE_P(Backends, WorkerConnectionTest, ::testing::Values(Kind::Sqlite, Kind::Postgres),
                         [](const auto& info) { return info.param == Kind::Sqlite ? "Sqlite" : "Postgres"; });
