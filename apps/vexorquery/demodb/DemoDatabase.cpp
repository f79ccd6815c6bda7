#include "DemoDatabase.h"

#include "DataSource.h"
#include "DemoInternal.h"
#include "Login.h"
#include "SqlStr.h"

#include <sqlite3.h>

#include <filesystem>
#include <system_error>

namespace demo {
namespace {

long long g_lastRows = 0;

bool IsSqlite(const std::string& uri) {
    return uri.rfind("sqlite:", 0) == 0;
}

// An empty SQLite file at path (the data service opens only files that exist).
bool CreateEmptySqliteFile(const std::string& path, std::string& error) {
    sqlite3* raw = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> db(raw, sqlite3_close);
    if (rc == SQLITE_OK) rc = sqlite3_exec(db.get(), "PRAGMA user_version = 1", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        error = "无法创建数据库文件 " + path + ": " + (db ? sqlite3_errmsg(db.get()) : "out of memory");
        return false;
    }
    return true;
}

void RemoveQuietly(const std::string& path) {
    std::error_code ec;
    for (const char* suffix : {"", "-journal", "-wal", "-shm"})
        std::filesystem::remove(path + suffix, ec);
}

// The users of the demo: admin may modify data, viewer may only read. A rebuild on a server
// replaces them.
void AddDemoUsers(CDemoWriter& writer) {
    writer.TryExec("DELETE FROM KES.VEXOR_USERS WHERE USERNAME IN ('admin','viewer')");
    std::string error;
    if (!kes::AddUser("admin", "admin", true, error) || !kes::AddUser("viewer", "viewer", false, error))
        throw DemoError("无法建立演示用户: " + error);
}

void Build(CDemoWriter& writer, const DemoOptions& options) {
    auto say = [&](const std::string& line) {
        if (options.progress) options.progress(line);
    };
    say("建表…");
    CreateSchema(writer);
    DataPlan plan{DemoStations(options.scale), options.compact, options.progress};
    say("写入设置表与参照表 …");
    WriteSettings(writer, plan.stations);
    WriteStationData(writer, plan);
    WriteReservoirData(writer, plan);
    WritePointData(writer, plan);
    WriteEarlierYears(writer, plan);
    WriteRealTimeData(writer, plan);
    say("建索引 …");
    CreateIndexes(writer);
    say("建立演示用户 admin、viewer …");
    AddDemoUsers(writer);
}

const char* kReplaceHint = ": it is replaced only on request (vexorquery demo-db --force)";

// Whether schema kes of a server holds tables already.
bool ServerHasTables(kes::Connection& connection, bool& has, std::string& error) {
    CObArray reply;
    if (!connection.Run("SELECT COUNT(*) FROM information_schema.tables WHERE table_schema='kes'", reply,
                        error))
        return false;
    has = !reply.IsEmpty() && static_cast<const CSqlStr&>(reply[0]).m_strSql.str() != "0,";
    return true;
}

bool BuildAt(const std::string& uri, const DemoOptions& options, std::string& error) {
    kes::SetDataSource(uri);
    kes::Connection* connection = kes::CurrentConnection(error);
    if (!connection) {
        error = "无法连接数据库 " + kes::DescribeDataSource() + ": " + error;
        return false;
    }
    const bool server = connection->Kind() == kes::Backend::Postgres;
    bool hasTables = false;
    if (server && !options.replace) {
        if (!ServerHasTables(*connection, hasTables, error)) return false;
        if (hasTables) {
            error = "schema kes of " + kes::DescribeDataSource() + " holds tables already" + kReplaceHint;
            return false;
        }
    }
    CDemoWriter writer(*connection);
    try {
        // On a server the old tables go and the new ones come in one transaction.
        if (server) writer.Begin();
        Build(writer, options);
        if (server) writer.Commit();
    } catch (const DemoError& e) {
        writer.Rollback();
        error = e.what();
        return false;
    }
    g_lastRows = writer.RowCount();
    return true;
}

} // namespace

long long LastBuildRowCount() {
    return g_lastRows;
}

bool BuildDemoDatabase(const std::string& uri, const DemoOptions& options, std::string& error) {
    if (options.scale < 1) {
        error = "scale must be 1 or more";
        return false;
    }
    if (!IsSqlite(uri)) return BuildAt(uri, options, error);

    // A new file beside the old one, moved over it only when complete: a failed build never
    // leaves half a database where the old one was.
    const std::string path = uri.substr(7);
    if (path.empty() || path.find('?') != std::string::npos) {
        error = "the data source names no plain database file: " + uri;
        return false;
    }
    std::error_code ec;
    if (!options.replace && (std::filesystem::exists(path, ec) || std::filesystem::is_symlink(path, ec))) {
        error = "the database file " + path + " exists already" + kReplaceHint;
        return false;
    }
    const std::string temp = path + ".tmp";
    std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent, ec);
    kes::SetDataSource(""); // the old file may be the one in use
    RemoveQuietly(temp);
    if (!CreateEmptySqliteFile(temp, error)) return false;
    bool ok = BuildAt("sqlite:" + temp, options, error);
    kes::CloseDataSource();
    if (ok) {
        std::filesystem::rename(temp, path, ec);
        if (ec) {
            error = "无法将 " + temp + " 改名为 " + path + ": " + ec.message();
            ok = false;
        }
    }
    if (!ok) {
        RemoveQuietly(temp);
        kes::SetDataSource("");
        return false;
    }
    RemoveQuietly(path + "-journal");
    kes::SetDataSource(uri);
    return true;
}

} // namespace demo
