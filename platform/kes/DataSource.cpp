#include "DataSource.h"

#include "PasswordMask.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <utility>

namespace kes {
namespace {

// How long a failed open is answered from memory before the next attempt.
constexpr auto kRetryPause = std::chrono::seconds(3);

struct Session {
    std::optional<std::string> explicitUri;
    std::unique_ptr<Connection> connection;
    std::string openError;
    std::chrono::steady_clock::time_point failedAt;
};

// The connection of a worker thread, when it has one of its own (WorkerConnection).
thread_local Connection* tThreadConnection = nullptr;

Session& TheSession() {
    static Session session;
    return session;
}

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

std::string Trim(std::string s) {
    const char* blanks = " \t\r\n";
    s.erase(0, s.find_first_not_of(blanks));
    s.erase(s.find_last_not_of(blanks) + 1);
    return s;
}

std::string FromConfigFile() {
    std::ifstream in(ConfigFilePath());
    std::string line;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == '#') continue;
        auto eq = line.find('=');
        if (eq != std::string::npos && Trim(line.substr(0, eq)) == "db") return Trim(line.substr(eq + 1));
    }
    return {};
}

bool StartsWith(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

std::unique_ptr<Connection> Open(const std::string& uri, std::string& error) {
    if (StartsWith(uri, "sqlite:")) {
        std::string path = uri.substr(7);
        bool readOnly = false;
        auto q = path.rfind("?mode=");
        if (q != std::string::npos) {
            std::string mode = path.substr(q + 6);
            if (mode != "ro" && mode != "rw") {
                error = "unknown mode in data source: " + mode + " (ro or rw)";
                return nullptr;
            }
            readOnly = mode == "ro";
            path.erase(q);
        }
        if (path.empty()) {
            error = "the data source names no database file: " + uri;
            return nullptr;
        }
        return OpenSqlite(path, readOnly, error);
    }
    if (StartsWith(uri, "postgresql://") || StartsWith(uri, "postgres://") ||
        uri.find('=') != std::string::npos)
        return OpenPostgres(uri, error);
    error = "unknown data source \"" + uri + "\": use sqlite:PATH or a PostgreSQL connection string";
    return nullptr;
}

} // namespace

void SetDataSource(const std::string& uri) {
    CloseDataSource();
    if (uri.empty())
        TheSession().explicitUri.reset();
    else
        TheSession().explicitUri = uri;
}

void CloseDataSource() {
    Session& s = TheSession();
    s.connection.reset();
    s.openError.clear();
}

std::string ConfigFilePath() {
    std::string base = Env("XDG_CONFIG_HOME");
    if (base.empty()) base = Env("HOME").empty() ? "." : Env("HOME") + "/.config";
    return base + "/vexorquery/vexorquery.conf";
}

std::string DemoDatabasePath() {
    std::string base = Env("XDG_DATA_HOME");
    if (base.empty()) base = Env("HOME").empty() ? "." : Env("HOME") + "/.local/share";
    return base + "/vexorquery/demo.sqlite";
}

std::string ResolveDataSource() {
    if (TheSession().explicitUri) return *TheSession().explicitUri;
    if (std::string env = Env("VEXOR_DB"); !env.empty()) return env;
    if (std::string conf = FromConfigFile(); !conf.empty()) return conf;
    return "sqlite:" + DemoDatabasePath();
}

std::string DescribeDataSource() {
    return MaskPasswords(ResolveDataSource());
}

std::unique_ptr<Connection> OpenConnection(const std::string& uri, std::string& error) {
    std::string openError;
    auto connection = Open(uri, openError);
    if (!connection)
        error = openError.empty() ? "the data source cannot be opened" : MaskPasswords(openError);
    return connection;
}

Connection* SetThreadConnection(Connection* connection) {
    return std::exchange(tThreadConnection, connection);
}

Connection* CurrentConnection(std::string& error) {
    if (tThreadConnection) return tThreadConnection;
    Session& s = TheSession();
    if (s.connection) return s.connection.get();
    auto now = std::chrono::steady_clock::now();
    if (!s.openError.empty() && now - s.failedAt < kRetryPause) {
        error = s.openError;
        return nullptr;
    }
    std::string openError;
    s.connection = Open(ResolveDataSource(), openError);
    if (!s.connection) {
        // The messages quote the data source, which may hold a password.
        s.openError = openError.empty() ? "the data source cannot be opened" : MaskPasswords(openError);
        s.failedAt = now;
        error = s.openError;
        return nullptr;
    }
    s.openError.clear();
    return s.connection.get();
}

} // namespace kes
