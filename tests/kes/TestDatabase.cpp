#include "TestDatabase.h"

#include "DataService.h"
#include "DataSource.h"

#include <libpq-fe.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

namespace testdb {
namespace {

std::string MakeTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vexor-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return {};
    return pattern;
}

bool AdminExec(const std::string& conninfo, const std::string& sql, std::string& error) {
    PGconn* conn = PQconnectdb(conninfo.c_str());
    bool ok = PQstatus(conn) == CONNECTION_OK;
    if (ok) {
        PGresult* res = PQexec(conn, sql.c_str());
        ok = PQresultStatus(res) == PGRES_COMMAND_OK;
        if (!ok) error = PQresultErrorMessage(res);
        PQclear(res);
    } else {
        error = PQerrorMessage(conn);
    }
    PQfinish(conn);
    return ok;
}

} // namespace

bool Configured(Kind kind) {
    const char* server = std::getenv("VEXOR_TEST_PG");
    return kind == Kind::Sqlite || (server && *server);
}

std::unique_ptr<TestDatabase> TestDatabase::Create(Kind kind, std::string& reason) {
    std::unique_ptr<TestDatabase> db(new TestDatabase);
    db->m_kind = kind;
    db->m_dir = MakeTempDir();
    if (db->m_dir.empty()) {
        reason = "cannot make a temporary directory";
        return nullptr;
    }
    if (kind == Kind::Sqlite) {
        db->m_path = db->m_dir + "/kes.sqlite";
        sqlite3* raw = nullptr;
        sqlite3_open(db->m_path.c_str(), &raw);
        sqlite3_exec(raw, "PRAGMA user_version = 1", nullptr, nullptr, nullptr); // writes the file
        sqlite3_close(raw);
        db->m_uri = "sqlite:" + db->m_path;
    } else {
        const char* server = std::getenv("VEXOR_TEST_PG");
        if (!server || !*server) {
            reason = "VEXOR_TEST_PG is not set: scripts/test starts a PostgreSQL server and sets it";
            return nullptr;
        }
        static std::atomic<int> counter{0};
        db->m_admin = server;
        db->m_name = "vx_" + std::to_string(getpid()) + "_" + std::to_string(counter++);
        std::string error;
        if (!AdminExec(db->m_admin, "CREATE DATABASE " + db->m_name, error)) {
            reason = "cannot create a test database: " + error;
            return nullptr;
        }
        db->m_uri = db->m_admin + " dbname=" + db->m_name;
    }
    kes::SetDataSource(db->m_uri);
    return db;
}

TestDatabase::~TestDatabase() {
    kes::SetDataSource("");
    if (!m_name.empty()) {
        std::string error;
        AdminExec(m_admin, "DROP DATABASE IF EXISTS " + m_name + " WITH (FORCE)", error);
    }
    std::error_code ec;
    std::filesystem::remove_all(m_dir, ec);
}

bool TestDatabase::LoadFixture(std::string& failure) {
    std::ifstream in(VEXOR_KES_FIXTURE);
    std::stringstream text;
    text << in.rdbuf();
    std::string statement, line;
    std::vector<std::string> ignored;
    Run("BEGIN", ignored); // one transaction: one write to disk instead of one per row
    while (std::getline(text, line)) {
        if (line.rfind("--", 0) == 0) continue;
        statement += line + "\n";
        if (!line.empty() && line.back() == ';') {
            std::vector<std::string> reply;
            if (!Run(statement, reply)) {
                failure = statement + " -> " + (reply.empty() ? "" : reply[0]);
                return false;
            }
            statement.clear();
        }
    }
    return Run("COMMIT", ignored);
}

bool Run(const std::string& sql, std::vector<std::string>& reply) {
    CParam param;
    CObArray array;
    array.Add(std::make_unique<CSqlStr>(CString(sql)));
    int rc = InSqlStr(&param, &array);
    reply.clear();
    for (const auto& obj : array)
        reply.push_back(static_cast<const CSqlStr&>(*obj).m_strSql.str());
    return rc >= 0;
}

std::vector<std::string> Rows(const std::string& sql) {
    std::vector<std::string> reply;
    if (!Run(sql, reply)) return {"ERROR: " + (reply.empty() ? std::string() : reply[0])};
    return reply;
}

Snapshot TakeSnapshot(Kind kind) {
    Snapshot snapshot;
    std::vector<std::string> tables = Rows(
        kind == Kind::Sqlite ? "SELECT name FROM KES.sqlite_master WHERE type='table' ORDER BY name"
                             : "SELECT table_name FROM information_schema.tables WHERE table_schema='kes' "
                               "ORDER BY table_name");
    for (std::string table : tables) {
        table.pop_back(); // the value's ","
        std::vector<std::string> rows = Rows("SELECT * FROM KES." + table);
        std::sort(rows.begin(), rows.end());
        std::size_t hash = 0;
        for (const std::string& row : rows)
            hash = hash * 1000003u ^ std::hash<std::string>{}(row);
        snapshot[table] = {rows.size(), hash};
    }
    return snapshot;
}

} // namespace testdb
