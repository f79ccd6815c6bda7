// The embedded backend. The database file is attached as KES to an in-memory main database,
// so KES.<table> names its tables and unqualified names (INSERT INTO RTDB) find them too.
// What SQLite lacks of the dialect is registered as functions (SqliteFunctions.cpp).
#include "Connection.h"
#include "SqlStr.h"
#include "SqliteFunctions.h"
#include "ValueText.h"

#include <sqlite3.h>

#include <cctype>
#include <string_view>

namespace kes {
namespace {

// How long a statement waits for other writers to finish before it fails as locked: long
// enough for the operators of a control room who save at the same moment to be served one
// after the other, each change being a few statements.
constexpr int kBusyTimeoutMs = 10000;

struct DbCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct StmtFinalizer {
    void operator()(sqlite3_stmt* st) const { sqlite3_finalize(st); }
};
using DbHandle = std::unique_ptr<sqlite3, DbCloser>;
using StmtHandle = std::unique_ptr<sqlite3_stmt, StmtFinalizer>;

// A file name as an SQLite URI, so the open mode can be given and no file is created.
std::string FileUri(const std::string& path, bool readOnly) {
    std::string uri = "file:";
    for (unsigned char c : path) {
        if (c == '%' || c == '?' || c == '#' || c < 0x20) {
            char buf[4];
            std::snprintf(buf, sizeof buf, "%%%02X", c);
            uri += buf;
        } else {
            uri += char(c);
        }
    }
    uri += readOnly ? "?mode=ro" : "?mode=rw";
    return uri;
}

// The first words of a statement, upper-cased and joined by one blank.
std::string LeadingWords(const std::string& sql, int count) {
    std::string out;
    std::size_t i = 0;
    for (int w = 0; w < count; ++w) {
        while (i < sql.size() && (std::isspace(static_cast<unsigned char>(sql[i])) || sql[i] == ';'))
            ++i;
        if (i >= sql.size()) break;
        if (!out.empty()) out += ' ';
        while (i < sql.size() && std::isalpha(static_cast<unsigned char>(sql[i])))
            out += char(std::toupper(static_cast<unsigned char>(sql[i++])));
    }
    return out;
}

// The main database is in memory and vanishes with the connection: a table, index, view or
// trigger made there without the KES prefix would lose its data, so making one is refused.
int RefuseObjectsInMain(void*, int action, const char*, const char*, const char* database, const char*) {
    bool creates = action == SQLITE_CREATE_TABLE || action == SQLITE_CREATE_INDEX ||
                   action == SQLITE_CREATE_VIEW || action == SQLITE_CREATE_TRIGGER;
    return creates && database && std::string_view(database) == "main" ? SQLITE_DENY : SQLITE_OK;
}

constexpr const char* kObjectsInKes = "tables, indexes, views and triggers are made in schema KES "
                                      "(CREATE TABLE KES.<name>); the unprefixed main database keeps nothing";

bool OnlySpaceOrSemicolons(const char* p) {
    for (; *p; ++p)
        if (!std::isspace(static_cast<unsigned char>(*p)) && *p != ';') return false;
    return true;
}

class SqliteConnection : public Connection {
public:
    explicit SqliteConnection(DbHandle db) : m_db(std::move(db)) {}
    Backend Kind() const override { return Backend::Sqlite; }

    bool Run(std::string_view sql, CObArray& reply, std::string& error) override {
        std::string adapted;
        if (!AdaptSql(sql, Backend::Sqlite, adapted, error)) return false;
        // SQLite locks the whole database, not tables: a transaction takes the write lock
        // when it begins, so "LOCK TABLE" has nothing left to do and two writers that read
        // before they write (the next audit number) cannot interleave.
        std::string head = LeadingWords(adapted, 2);
        if (head == "LOCK TABLE") return true;
        if (head == "BEGIN" || head == "BEGIN TRANSACTION") adapted = "BEGIN IMMEDIATE";
        sqlite3_stmt* raw = nullptr;
        const char* tail = nullptr;
        if (int rc = sqlite3_prepare_v2(m_db.get(), adapted.c_str(), int(adapted.size()), &raw, &tail);
            rc != SQLITE_OK) {
            error = rc == SQLITE_AUTH ? kObjectsInKes : sqlite3_errmsg(m_db.get());
            return false;
        }
        StmtHandle st(raw);
        if (tail && !OnlySpaceOrSemicolons(tail)) {
            error = "only one statement may be sent at a time";
            return false;
        }
        if (!st) return true; // blanks or a comment only: nothing to run
        int columns = sqlite3_column_count(st.get());
        std::string row;
        int rc;
        while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
            row.clear();
            for (int c = 0; c < columns; ++c) {
                switch (sqlite3_column_type(st.get(), c)) {
                case SQLITE_NULL:
                    break;
                case SQLITE_INTEGER:
                    AppendInteger(row, sqlite3_column_int64(st.get(), c));
                    break;
                case SQLITE_FLOAT:
                    AppendNumber(row, sqlite3_column_double(st.get(), c));
                    break;
                default: {
                    const unsigned char* text = sqlite3_column_text(st.get(), c);
                    if (text)
                        row.append(reinterpret_cast<const char*>(text),
                                   std::size_t(sqlite3_column_bytes(st.get(), c)));
                }
                }
                row += ',';
            }
            std::size_t size = row.size();
            reply.Add(std::make_unique<CSqlStr>(CString(std::move(row))));
            row = std::string();
            row.reserve(size + 16); // rows of one reply are much alike: one allocation each
        }
        if (rc != SQLITE_DONE) {
            error = sqlite3_errmsg(m_db.get());
            reply.RemoveAll();
            return false;
        }
        return true;
    }

private:
    DbHandle m_db;
};

} // namespace

std::unique_ptr<Connection> OpenSqlite(const std::string& path, bool readOnly, std::string& error) {
    sqlite3* raw = nullptr;
    // The one connection of the process is used from the user-interface thread only, so it
    // needs none of SQLite's per-call locking.
    int rc = sqlite3_open_v2(
        ":memory:", &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX,
        nullptr);
    DbHandle db(raw);
    if (rc != SQLITE_OK) {
        error = "cannot open SQLite: " + std::string(db ? sqlite3_errmsg(db.get()) : "out of memory");
        return nullptr;
    }
    sqlite3_busy_timeout(db.get(), kBusyTimeoutMs);
    sqlite3_extended_result_codes(db.get(), 0);
    RegisterDialectFunctions(db.get());

    sqlite3_stmt* rawSt = nullptr;
    sqlite3_prepare_v2(db.get(), "ATTACH DATABASE ?1 AS KES", -1, &rawSt, nullptr);
    StmtHandle attach(rawSt);
    std::string uri = FileUri(path, readOnly);
    sqlite3_bind_text(attach.get(), 1, uri.c_str(), int(uri.size()), SQLITE_TRANSIENT);
    if (sqlite3_step(attach.get()) != SQLITE_DONE) {
        error = "cannot open the database file " + path + ": " + sqlite3_errmsg(db.get());
        return nullptr;
    }
    sqlite3_set_authorizer(db.get(), RefuseObjectsInMain, nullptr);
    // Reading the schema proves the file is a database (ATTACH alone does not read it).
    if (sqlite3_exec(db.get(), "SELECT count(*) FROM KES.sqlite_master", nullptr, nullptr, nullptr) !=
        SQLITE_OK) {
        error = "cannot read the database file " + path + ": " + sqlite3_errmsg(db.get());
        return nullptr;
    }
    return std::make_unique<SqliteConnection>(std::move(db));
}

} // namespace kes
