// The demo-db command as an operator runs it, and the build's determinism.
#include "DataService.h"
#include "DataSource.h"
#include "DemoDatabase.h"
#include "DemoInternal.h"
#include "Login.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>
#include <sodium.h>

#include <cstdio>
#include <filesystem>
#include <map>

namespace {

struct CommandRun {
    int status = -1;
    std::string output;
};

CommandRun Command(const std::string& arguments) {
    CommandRun run;
    std::string line = std::string(VEXORQUERY_EXE) + " " + arguments + " 2>&1";
    std::FILE* pipe = popen(line.c_str(), "r");
    if (!pipe) return run;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe))
        run.output += buffer;
    int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

class DemoCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string reason;
        m_db = testdb::TestDatabase::Create(testdb::Kind::Sqlite, reason);
        ASSERT_TRUE(m_db) << reason;
        m_path = m_db->dir() + "/demo.sqlite";
    }
    std::unique_ptr<testdb::TestDatabase> m_db;
    std::string m_path;
};

// Row count and a hash of every reply row of every demo table.
std::map<std::string, std::pair<std::size_t, std::size_t>> Fingerprint() {
    std::map<std::string, std::pair<std::size_t, std::size_t>> out;
    for (const std::string& table : demo::DemoTableNames()) {
        std::vector<std::string> rows = testdb::Rows("SELECT * FROM KES." + table);
        std::size_t hash = 1469598103934665603ULL;
        for (const std::string& r : rows)
            hash = (hash ^ std::hash<std::string>{}(r)) * 1099511628211ULL;
        out[table] = {rows.size(), hash};
    }
    return out;
}

} // namespace

TEST_F(DemoCommandTest, BadInputIsRefusedWithAMessage) {
    const std::pair<const char*, const char*> cases[] = {
        {"demo-db", "usage"},
        {"demo-db sqlite:X --size 3", "unknown option '--size'"},
        {"demo-db sqlite:X --scale 0", "--scale needs a whole number"},
        {"demo-db sqlite:X --scale many", "--scale needs a whole number"},
        {"demo-db sqlite:X --scale", "--scale needs a value"},
        {"demo-db sqlite:X --scale 2x", "--scale needs a whole number"},
        {"demo-db sqlite:X --scale 51", "--scale needs a whole number"},
        {"demo-db sqlite:X sqlite:Y", "unexpected argument"},
        {"demo-db \"host=/nonexistent-socket-dir user=nobody dbname=none\"", "无法连接数据库"},
        {"demo-db mysql:nowhere", "无法连接数据库"},
    };
    for (const auto& [arguments, message] : cases) {
        SCOPED_TRACE(arguments);
        CommandRun run = Command(arguments);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.output.find(message), std::string::npos) << run.output;
    }
    EXPECT_FALSE(std::filesystem::exists("X"));
}

TEST_F(DemoCommandTest, ScaleOneBuildsTheFullDemoAndReplacesAnOldFileOnlyWithForce) {
    {
        std::FILE* old = std::fopen(m_path.c_str(), "w");
        std::fputs("old", old);
        std::fclose(old);
    }
    CommandRun run = Command("demo-db sqlite:" + m_path);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("exists already"), std::string::npos) << run.output;
    EXPECT_EQ(std::filesystem::file_size(m_path), 3u);

    // The old file, not a database at all, is replaced only once the new one is complete.
    run = Command("demo-db sqlite:" + m_path + " --force");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("写入河道水情 20 站"), std::string::npos) << run.output;
    EXPECT_FALSE(std::filesystem::exists(m_path + ".tmp"));

    kes::SetDataSource("sqlite:" + m_path);
    // Twenty stations over fourteen months of hours, less the outages.
    std::vector<std::string> hours =
        testdb::Rows("SELECT COUNT(*),COUNT(DISTINCT STCD),MIN(TM),MAX(TM) FROM KES.RIVER_HOUR");
    ASSERT_EQ(hours.size(), 1u);
    EXPECT_EQ(hours[0], "204384,20,2025-10-01 00:00:00,2026-11-30 23:00:00,");
    // The day table reaches back to 2019 for the years the analysis compares.
    std::vector<std::string> days = testdb::Rows("SELECT MIN(TIME),MAX(TIME) FROM KES.DAYDB");
    EXPECT_EQ(days, std::vector<std::string>{"2019-01-01 08:00:00,2026-11-30 08:00:00,"});
    std::vector<std::string> real =
        testdb::Rows("SELECT COUNT(DISTINCT SENID),MIN(TIME),MAX(TIME) FROM KES.REAL");
    EXPECT_EQ(real, std::vector<std::string>{"4,2026-11-01 00:00:00,2026-11-21 23:55:00,"});
}

TEST_F(DemoCommandTest, TwoBuildsGiveTheSameRows) {
    kes::SetPasswordHashLimits(crypto_pwhash_OPSLIMIT_MIN, crypto_pwhash_MEMLIMIT_MIN);
    demo::DemoOptions options;
    options.compact = true;
    std::string error;
    ASSERT_TRUE(demo::BuildDemoDatabase("sqlite:" + m_path, options, error)) << error;
    auto first = Fingerprint();
    ASSERT_TRUE(demo::BuildDemoDatabase("sqlite:" + m_db->dir() + "/again.sqlite", options, error)) << error;
    auto second = Fingerprint();
    EXPECT_EQ(first, second);
    EXPECT_GT(first["RIVER_HOUR"].first, 14000u);

    // Scale multiplies the stations of the station tables.
    options.scale = 2;
    ASSERT_TRUE(demo::BuildDemoDatabase("sqlite:" + m_db->dir() + "/double.sqlite", options, error)) << error;
    auto doubled = Fingerprint();
    EXPECT_EQ(doubled["STATION"].first, 40u);
    EXPECT_EQ(doubled["RIVER_HOUR"].first, 2 * first["RIVER_HOUR"].first);
    EXPECT_EQ(doubled["ALLPOINT"], first["ALLPOINT"]);
}
