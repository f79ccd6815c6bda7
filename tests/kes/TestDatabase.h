#pragma once
// A fresh database per test for the data service: a SQLite file in a temporary directory,
// or a database of its own on the PostgreSQL server named by VEXOR_TEST_PG (libpq key=value
// words). The service is pointed at it on construction and away from it on destruction.
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace testdb {

enum class Kind { Sqlite, Postgres };

class TestDatabase {
public:
    // Null when the kind is not available here (PostgreSQL without VEXOR_TEST_PG); why in reason.
    static std::unique_ptr<TestDatabase> Create(Kind kind, std::string& reason);
    ~TestDatabase();

    Kind kind() const { return m_kind; }
    const std::string& uri() const { return m_uri; }
    const std::string& dir() const { return m_dir; } // a temporary directory of the test
    const std::string& sqlitePath() const { return m_path; }

    // Runs the canonical data set through the service; false with the failing statement.
    bool LoadFixture(std::string& failure);

private:
    TestDatabase() = default;
    Kind m_kind = Kind::Sqlite;
    std::string m_uri, m_dir, m_path, m_admin, m_name;
};

// True when the kind can be had here: SQLite always, PostgreSQL when VEXOR_TEST_PG is set.
bool Configured(Kind kind);

// Opens a test database into var. A backend that is not configured here skips the test; one
// that is configured but cannot be used fails it, so a broken server is never a silent skip.
#define TESTDB_OPEN(var, kind)                                                                               \
    do {                                                                                                     \
        std::string testdbReason;                                                                            \
        var = testdb::TestDatabase::Create(kind, testdbReason);                                              \
        if (!var) {                                                                                          \
            if (testdb::Configured(kind)) FAIL() << testdbReason;                                            \
            GTEST_SKIP() << testdbReason;                                                                    \
        }                                                                                                    \
    } while (false)

// Runs one statement through InSqlStr: true with the reply texts, or false with the error.
bool Run(const std::string& sql, std::vector<std::string>& reply);
// The reply texts, or {"ERROR: <text>"} on failure.
std::vector<std::string> Rows(const std::string& sql);

// Every table of schema KES with its row count and an order-independent hash of its rows: two
// snapshots are equal when nothing in the database changed.
using Snapshot = std::map<std::string, std::pair<std::size_t, std::size_t>>;
Snapshot TakeSnapshot(Kind kind);

} // namespace testdb
