#pragma once
// A fresh database per test holding the engine's settings and data (engine.sql), on SQLite
// or on the PostgreSQL server of the test run.
#include "TestDatabase.h"

#include <gtest/gtest.h>

#include <fstream>

class EngineDatabaseTest : public ::testing::TestWithParam<testdb::Kind> {
protected:
    void SetUp() override {
        std::string reason;
        m_db = testdb::TestDatabase::Create(GetParam(), reason);
        if (!m_db) GTEST_SKIP() << reason;
        LoadSqlFile(VEXOR_ENGINE_FIXTURE);
    }

    // Runs the statements of an SQL file, one per ";"-terminated group of lines, in one
    // transaction.
    static void LoadSqlFile(const std::string& path) {
        std::ifstream in(path);
        ASSERT_TRUE(in) << path;
        std::string line, statement;
        std::vector<std::string> reply;
        testdb::Run("BEGIN", reply);
        while (std::getline(in, line)) {
            if (line.rfind("--", 0) == 0) continue;
            statement += line + "\n";
            if (!line.empty() && line.back() == ';') {
                ASSERT_TRUE(testdb::Run(statement, reply)) << statement << (reply.empty() ? "" : reply[0]);
                statement.clear();
            }
        }
        ASSERT_TRUE(testdb::Run("COMMIT", reply));
    }

    std::unique_ptr<testdb::TestDatabase> m_db;
};

inline std::string BackendName(const ::testing::TestParamInfo<testdb::Kind>& info) {
    return info.param == testdb::Kind::Sqlite ? "SQLite" : "PostgreSQL";
}
