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

// One opened (or failed) connection to one database.
struct Link {
    std::unique_ptr<Connection> connection;
    std::string openError;
    std::chrono::steady_clock::time_point failedAt;
};

struct Session {
    std::optional<std::string> explicitUri;
    Link write, read;
};

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
    s.read = Link();
    s.write = Link();
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

namespace {

// The written and the read database of a data source "WRITE_URI|READ_URI": split at the first
// "|" outside single quotes, blanks around it dropped; no "|" names one database for both.
std::pair<std::string, std::string> SplitSource(const std::string& source) {
    bool quoted = false;
    for (std::size_t i = 0; i < source.size(); ++i) {
        if (source[i] == '\\' && quoted) {
            ++i;
        } else if (source[i] == '\'') {
            quoted = !quoted;
        } else if (source[i] == '|' && !quoted) {
            return {Trim(source.substr(0, i)), Trim(source.substr(i + 1))};
        }
    }
    return {source, {}};
}

// The connection of a worker thread, when it has one of its own (WorkerConnection).
thread_local Connection* tThreadConnection = nullptr;

Connection* Opened(Link& link, const std::string& uri, std::string& error) {
    if (link.connection) return link.connection.get();
    auto now = std::chrono::steady_clock::now();
    if (!link.openError.empty() && now - link.failedAt < kRetryPause) {
        error = link.openError;
        return nullptr;
    }
    std::string openError;
    link.connection = Open(uri, openError);
    if (!link.connection) {
        // The messages quote the data source, which may hold a password.
        link.openError = openError.empty() ? "the data source cannot be opened" : MaskPasswords(openError);
        link.failedAt = now;
        error = link.openError;
        return nullptr;
    }
    link.openError.clear();
    return link.connection.get();
}

} // namespace

std::string DescribeDataSource() {
    // Each database on its own: a URI's userinfo must not run on into the next one.
    auto [write, read] = SplitSource(ResolveDataSource());
    return read.empty() ? MaskPasswords(write) : MaskPasswords(write) + " | " + MaskPasswords(read);
}

std::unique_ptr<Connection> OpenConnection(const std::string& uri, std::string& error) {
    // A worker only reads: with two databases named it reads the reading one.
    auto [write, read] = SplitSource(uri);
    std::string openError;
    auto connection = Open(read.empty() ? write : read, openError);
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
    if (s.write.connection) return s.write.connection.get();
    return Opened(s.write, SplitSource(ResolveDataSource()).first, error);
}

Connection* CurrentReadConnection(std::string& error) {
    if (tThreadConnection) return tThreadConnection;
    Session& s = TheSession();
    // What a transaction reads belongs to it: the next audit number, the row about to change.
    if (s.write.connection && s.write.connection->InTransaction()) return s.write.connection.get();
    auto [write, read] = SplitSource(ResolveDataSource());
    if (read.empty()) return Opened(s.write, write, error);
    return Opened(s.read, read, error);
}

} // namespace kes
