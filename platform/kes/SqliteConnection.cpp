// The embedded backend. The database file is attached as KES to an in-memory main database,
// so KES.<table> names its tables and unqualified names (INSERT INTO RTDB) find them too.
// What SQLite lacks of the dialect is registered as functions (SqliteFunctions.cpp).
#include "Connection.h"
#include "SqlStr.h"
#include "SqliteFunctions.h"
#include "ValueText.h"
#include "WorkerConnection.h"

#include <sqlite3.h>

#include <cctype>
#include <list>
#include <string_view>
#include <unordered_map>
#include <vector>

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

// What the authorizer needs to know of the statement being prepared, and what it saw.
struct AuthorizerState {
    Access access = Access::Write;
    int firstChange = 0; // the first SQLITE_INSERT, SQLITE_UPDATE or SQLITE_DELETE met
};

// A read-only statement may read tables and call functions, nothing else: no write, no
// transaction, no ATTACH (VACUUM INTO attaches its target first), no PRAGMA.
//
// The main database is in memory and vanishes with the connection: a table, index, view or
// trigger made there without the KES prefix would lose its data, so making one is refused.
int Authorize(void* user, int action, const char*, const char*, const char* database, const char*) {
    auto& state = *static_cast<AuthorizerState*>(user);
    if (state.access == Access::ReadOnly)
        return action == SQLITE_SELECT || action == SQLITE_READ || action == SQLITE_FUNCTION ||
                       action == SQLITE_RECURSIVE
                   ? SQLITE_OK
                   : SQLITE_DENY;
    if (state.firstChange == 0 &&
        (action == SQLITE_INSERT || action == SQLITE_UPDATE || action == SQLITE_DELETE))
        state.firstChange = action;
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

// The status of a statement without result columns, worded as PostgreSQL's command tags:
// "INSERT 0 n", "UPDATE n", "DELETE n", else the statement's first word.
std::string StatusText(const std::string& sql, int firstChange, sqlite3_int64 changes) {
    std::string verb = LeadingWords(sql, 1);
    if (verb == "WITH")
        verb = firstChange == SQLITE_INSERT   ? "INSERT"
               : firstChange == SQLITE_UPDATE ? "UPDATE"
               : firstChange == SQLITE_DELETE ? "DELETE"
                                              : verb;
    if (verb == "INSERT" || verb == "REPLACE") return "INSERT 0 " + std::to_string(changes);
    if (verb == "UPDATE" || verb == "DELETE") return verb + " " + std::to_string(changes);
    return verb;
}

// The most recently used prepared statements by the text they were sent as. Only read-only
// statements are kept: each was checked by the authorizer under that access when prepared.
class StatementCache {
public:
    static constexpr std::size_t kCapacity = 64;

    sqlite3_stmt* Find(std::string_view text) {
        auto it = m_index.find(text);
        if (it == m_index.end()) return nullptr;
        m_order.splice(m_order.begin(), m_order, it->second);
        return it->second->second.get();
    }
    sqlite3_stmt* Keep(std::string_view text, StmtHandle st) {
        if (m_order.size() >= kCapacity) {
            m_index.erase(m_order.back().first);
            m_order.pop_back();
        }
        m_order.emplace_front(std::string(text), std::move(st));
        m_index.emplace(m_order.front().first, m_order.begin());
        return m_order.front().second.get();
    }

private:
    using Entries = std::list<std::pair<std::string, StmtHandle>>;
    Entries m_order; // most recent first
    std::unordered_map<std::string_view, Entries::iterator> m_index;
};

// Called by SQLite every few hundred steps of a statement: a cancelled statement stops there.
int StopWhenCancelled(void* control) {
    return static_cast<const StatementControl*>(control)->Cancelled() ? 1 : 0;
}

constexpr int kStepsBetweenCancelChecks = 1000;

class SqliteConnection : public Connection {
public:
    SqliteConnection(DbHandle db, std::unique_ptr<AuthorizerState> authorizer)
        : m_authorizer(std::move(authorizer)), m_db(std::move(db)) {}
    Backend Kind() const override { return Backend::Sqlite; }
    bool InTransaction() const override { return sqlite3_get_autocommit(m_db.get()) == 0; }

    void WatchCancel(std::shared_ptr<StatementControl> control) override {
        m_control = std::move(control);
        sqlite3_progress_handler(m_db.get(), m_control ? kStepsBetweenCancelChecks : 0,
                                 m_control ? StopWhenCancelled : nullptr, m_control.get());
    }

protected:
    bool Send(std::string_view sql, Access access, int maxRows, const RowSink& sink, std::string& status,
              std::string& error) override {
        std::string row; // one buffer for every row
        return Step(
            sql, access, maxRows,
            [&](sqlite3_stmt* st, int columns) {
                row.clear();
                for (int c = 0; c < columns; ++c) {
                    switch (sqlite3_column_type(st, c)) {
                    case SQLITE_NULL:
                        break;
                    case SQLITE_INTEGER:
                        AppendInteger(row, sqlite3_column_int64(st, c));
                        break;
                    case SQLITE_FLOAT:
                        AppendNumber(row, sqlite3_column_double(st, c));
                        break;
                    default:
                        AppendText(row, TextOf(st, c));
                    }
                    row += ',';
                }
                sink(row);
            },
            status, error);
    }

    bool SendCells(std::string_view sql, Access access, int maxRows, const CellSink& sink,
                   std::string& status, std::string& error) override {
        std::vector<CellView> cells; // one buffer for every row
        return Step(
            sql, access, maxRows,
            [&](sqlite3_stmt* st, int columns) {
                cells.assign(std::size_t(columns), CellView{});
                for (int c = 0; c < columns; ++c) {
                    CellView& cell = cells[std::size_t(c)];
                    switch (sqlite3_column_type(st, c)) {
                    case SQLITE_NULL:
                        break;
                    case SQLITE_INTEGER:
                        cell.kind = CellView::Kind::Integer;
                        cell.integer = sqlite3_column_int64(st, c);
                        break;
                    case SQLITE_FLOAT:
                        cell.kind = CellView::Kind::Real;
                        cell.real = sqlite3_column_double(st, c);
                        break;
                    default:
                        cell.kind = CellView::Kind::Text;
                        cell.text = TextOf(st, c);
                    }
                }
                sink(cells);
            },
            status, error);
    }

private:
    static std::string_view TextOf(sqlite3_stmt* st, int column) {
        const unsigned char* text = sqlite3_column_text(st, column);
        return text ? std::string_view(reinterpret_cast<const char*>(text),
                                       std::size_t(sqlite3_column_bytes(st, column)))
                    : std::string_view();
    }

    // Prepares (or finds kept) and steps one statement, handing each result row to onRow with
    // its number of columns.
    template <class OnRow>
    bool Step(std::string_view sql, Access access, int maxRows, OnRow&& onRow, std::string& status,
              std::string& error) {
        if (Cancelled()) {
            error = kStatementCancelled;
            return false;
        }
        bool readOnly = access == Access::ReadOnly;
        // The authorizer also runs when SQLite prepares the statement again (after a schema
        // change), so the access stays set until the statement is done.
        m_authorizer->access = access;
        m_authorizer->firstChange = 0;
        struct Reset {
            AuthorizerState& state;
            ~Reset() { state.access = Access::Write; }
        } reset{*m_authorizer};
        std::string adapted;
        // A statement of which only the first rows are read is kept apart from the whole one.
        std::string limitedKey;
        if (readOnly && maxRows > 0) limitedKey = std::to_string(maxRows) + '\0' + std::string(sql);
        std::string_view key = limitedKey.empty() ? sql : limitedKey;
        sqlite3_stmt* st = readOnly ? m_reads.Find(key) : nullptr;
        StmtHandle owned;
        if (!st) {
            if (!AdaptSql(sql, Backend::Sqlite, adapted, error)) return false;
            // With a limit SQLite keeps only the first rows while it sorts.
            if (std::string limited; readOnly && maxRows > 0 && WithRowLimit(adapted, maxRows, limited))
                adapted = std::move(limited);
            // SQLite locks the whole database, not tables: a transaction takes the write lock
            // when it begins, so "LOCK TABLE" has nothing left to do and two writers that read
            // before they write (the next audit number) cannot interleave.
            std::string head = LeadingWords(adapted, 2);
            if (head == "LOCK TABLE") return true;
            if (!readOnly && (head == "BEGIN" || head == "BEGIN TRANSACTION")) adapted = "BEGIN IMMEDIATE";
            if (!Prepare(adapted, readOnly, owned, error)) return false;
            if (!owned) return true; // blanks or a comment only: nothing to run
            st = owned.get();
            // Reads are kept prepared: a refresh sends the same texts again.
            if (readOnly) st = m_reads.Keep(key, std::move(owned));
        }
        struct Rewind {
            sqlite3_stmt* st;
            ~Rewind() { sqlite3_reset(st); } // ends the statement's read of the database
        } rewind{st};
        int rc = SQLITE_DONE;
        int rows = 0;
        while ((maxRows <= 0 || rows < maxRows) && (rc = sqlite3_step(st)) == SQLITE_ROW) {
            ++rows;
            // Counted after the step: a kept statement is prepared again there when a table
            // changed, and "SELECT *" may then have more columns.
            onRow(st, sqlite3_column_count(st));
            if (m_control) m_control->CountRows(1);
        }
        if (maxRows > 0 && rows == maxRows) return true;
        if (rc != SQLITE_DONE) {
            error = Cancelled() ? kStatementCancelled : sqlite3_errmsg(m_db.get());
            return false;
        }
        if (sqlite3_column_count(st) == 0) {
            if (adapted.empty()) adapted = std::string(sql);
            status = StatusText(adapted, m_authorizer->firstChange, sqlite3_changes64(m_db.get()));
        }
        return true;
    }

    // Prepares one adapted statement; null in st for a text of blanks or comments only.
    bool Prepare(const std::string& adapted, bool readOnly, StmtHandle& st, std::string& error) {
        sqlite3_stmt* raw = nullptr;
        const char* tail = nullptr;
        if (int rc = sqlite3_prepare_v3(m_db.get(), adapted.c_str(), int(adapted.size()),
                                        readOnly ? SQLITE_PREPARE_PERSISTENT : 0, &raw, &tail);
            rc != SQLITE_OK) {
            if (Cancelled())
                error = kStatementCancelled;
            else if (readOnly && rc == SQLITE_AUTH)
                error = std::string(kReadOnlyRefused) + sqlite3_errmsg(m_db.get());
            else
                error = rc == SQLITE_AUTH ? kObjectsInKes : sqlite3_errmsg(m_db.get());
            return false;
        }
        st.reset(raw);
        if (tail && !OnlySpaceOrSemicolons(tail)) {
            st.reset();
            error = "only one statement may be sent at a time";
            return false;
        }
        // What the authorizer is never asked about (REINDEX, for one) still marks the
        // statement as writing.
        if (st && readOnly && !sqlite3_stmt_readonly(st.get())) {
            st.reset();
            error = std::string(kReadOnlyRefused) + "the statement writes to the database";
            return false;
        }
        return true;
    }

    bool Cancelled() const { return m_control && m_control->Cancelled(); }

    std::shared_ptr<StatementControl> m_control;   // the progress handler's user data: outlives m_db
    std::unique_ptr<AuthorizerState> m_authorizer; // the authorizer's user data: outlives m_db
    DbHandle m_db;
    StatementCache m_reads; // read-only statements by their text: finalized before m_db
};

} // namespace

std::unique_ptr<Connection> OpenSqlite(const std::string& path, bool readOnly, std::string& error) {
    sqlite3* raw = nullptr;
    // A connection is used by one thread at a time (the process's by the user-interface
    // thread, a worker's by its worker), so it needs none of SQLite's per-call locking.
    int rc = sqlite3_open_v2(
        ":memory:", &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX,
        nullptr);
    DbHandle db(raw);
    if (rc != SQLITE_OK) {
        error = "cannot open SQLite: " + std::string(db ? sqlite3_errmsg(db.get()) : "out of memory");
        return nullptr;
    }
    // Opening reads the schema, which waits for writers as any read does: a process that
    // starts while operators save must not fail its first query.
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
    auto authorizer = std::make_unique<AuthorizerState>();
    sqlite3_set_authorizer(db.get(), Authorize, authorizer.get());
    // Reading the schema proves the file is a database (ATTACH alone does not read it).
    if (sqlite3_exec(db.get(), "SELECT count(*) FROM KES.sqlite_master", nullptr, nullptr, nullptr) !=
        SQLITE_OK) {
        error = "cannot read the database file " + path + ": " + sqlite3_errmsg(db.get());
        return nullptr;
    }
    return std::make_unique<SqliteConnection>(std::move(db), std::move(authorizer));
}

} // namespace kes
