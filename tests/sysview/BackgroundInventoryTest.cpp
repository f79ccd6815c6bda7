// The inventory counted on a worker thread with its own connection, on SQLite and PostgreSQL:
// rows arrive in order while the caller's thread is free, a table that cannot be counted does
// not stop the others, a stop reaches a statement that would never end, and a database that
// cannot be opened is said so.
#include "BackgroundInventory.h"

#include "TestDatabase.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

namespace {

// What the worker hands on, kept for the test's thread.
class RowMailbox {
public:
    void Add(const CInventoryRow& row) {
        {
            std::lock_guard lock(m_mutex);
            m_rows.push_back(row);
        }
        m_changed.notify_all();
    }
    // Waits until count rows are in.
    std::vector<CInventoryRow> WaitFor(std::size_t count) {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_rows.size() >= count; });
        return m_rows;
    }
    std::vector<CInventoryRow> Rows() {
        std::lock_guard lock(m_mutex);
        return m_rows;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<CInventoryRow> m_rows;
};

class BackgroundInventoryTest : public ::testing::TestWithParam<testdb::Kind> {
protected:
    void SetUp() override {
        TESTDB_OPEN(m_db, GetParam());
        const bool pg = GetParam() == testdb::Kind::Postgres;
        for (const char* sql : {
                 "CREATE TABLE KES.LEVELS (STCD INTEGER, TM TIMESTAMP)",
                 "INSERT INTO KES.LEVELS VALUES (1, '2025-03-01 08:00:00')",
                 "INSERT INTO KES.LEVELS VALUES (2, '2024-12-31 23:00:00')",
                 "CREATE TABLE KES.CODES (ID INTEGER)",
                 "INSERT INTO KES.CODES VALUES (7)",
             })
            Run(sql);
        // A table whose count never ends unless it is stopped.
        Run(pg ? "CREATE VIEW KES.ENDLESS AS SELECT X FROM generate_series(1, 9000000000000000000) AS X"
               : "CREATE VIEW KES.ENDLESS AS WITH RECURSIVE C(X) AS (SELECT 1 UNION ALL SELECT X + 1 FROM C) "
                 "SELECT X FROM C");
    }

    static void Run(const std::string& sql) {
        std::vector<std::string> reply;
        ASSERT_TRUE(testdb::Run(sql, reply)) << sql << ": " << (reply.empty() ? "" : reply[0]);
    }

    std::unique_ptr<testdb::TestDatabase> m_db;
    RowMailbox m_mail;
};

TEST_P(BackgroundInventoryTest, RowsArriveInOrderAndAFailedTableDoesNotStopTheLoad) {
    bool finishedTold = false;
    CBackgroundInventory load(
        m_db->uri(), {{"LEVELS", "水位", "TM"}, {"NOPE", "不存在", ""}, {"CODES", "代码", ""}},
        [this](const CInventoryRow& row) { m_mail.Add(row); },
        [&finishedTold](const CInventoryOutcome&) { finishedTold = true; });
    const CInventoryOutcome& outcome = load.Wait();
    EXPECT_TRUE(finishedTold);
    const std::vector<CInventoryRow> rows = m_mail.Rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0],
              (CInventoryRow{"LEVELS", "水位", "2", "2024-12-31 23:00:00", "2025-03-01 08:00:00", ""}));
    EXPECT_FALSE(rows[1].Counted());
    EXPECT_EQ(rows[2], (CInventoryRow{"CODES", "代码", "1", "", "", ""}));
    EXPECT_EQ(outcome.counted, 2);
    EXPECT_EQ(outcome.failed, 1);
    EXPECT_FALSE(outcome.cancelled);
    EXPECT_TRUE(outcome.openFailure.IsEmpty());
}

TEST_P(BackgroundInventoryTest, CancelStopsAStatementThatWouldNeverEnd) {
    // The stop finds the endless count either about to be sent or running; a stop that could
    // not reach a running statement would leave this test waiting for ever.
    CBackgroundInventory load(m_db->uri(), {{"CODES", "", ""}, {"ENDLESS", "", ""}, {"LEVELS", "", "TM"}},
                              [this](const CInventoryRow& row) { m_mail.Add(row); });
    m_mail.WaitFor(1);
    load.Cancel();
    const CInventoryOutcome& outcome = load.Wait();
    EXPECT_TRUE(outcome.cancelled);
    const std::vector<CInventoryRow> rows = m_mail.Rows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].table, "CODES");
    // The database is usable afterwards.
    EXPECT_EQ(testdb::Rows("SELECT COUNT(*) FROM KES.CODES"), (std::vector<std::string>{"1,"}));
}

TEST_P(BackgroundInventoryTest, GoingAwayMidLoadStopsAndWaitsForTheWorker) {
    auto load =
        std::make_unique<CBackgroundInventory>(m_db->uri(), std::vector<CInventoryTable>{{"ENDLESS", "", ""}},
                                               [this](const CInventoryRow& row) { m_mail.Add(row); });
    load.reset();
    EXPECT_TRUE(m_mail.Rows().empty());
}

TEST_P(BackgroundInventoryTest, ADatabaseThatCannotBeOpenedIsSaidSo) {
    const std::string bad = GetParam() == testdb::Kind::Sqlite
                                ? "sqlite:" + m_db->dir() + "/missing/none.db"
                                : m_db->uri() + " dbname=no_such_database_here";
    CBackgroundInventory load(bad, {{"CODES", "", ""}},
                              [this](const CInventoryRow& row) { m_mail.Add(row); });
    const CInventoryOutcome& outcome = load.Wait();
    EXPECT_FALSE(outcome.openFailure.IsEmpty());
    EXPECT_TRUE(m_mail.Rows().empty());
}

INSTANTIATE_TEST_SUITE_P(Backends, BackgroundInventoryTest,
                         ::testing::Values(testdb::Kind::Sqlite, testdb::Kind::Postgres),
                         [](const ::testing::TestParamInfo<testdb::Kind>& info) {
                             return info.param == testdb::Kind::Sqlite ? "SQLite" : "PostgreSQL";
                         });

} // namespace
