// The server backend. Tables live in schema kes, which is first on the search path, so
// KES.<table> and unqualified names both find them. Each statement goes out as a single
// command (no piggy-backed statements) and answers in text, re-written as reply rows the
// same way the embedded backend writes them.
//
// The session is read-only by default (default_transaction_read_only), so a read-only
// statement outside a transaction costs no extra round trip. A write outside a transaction
// runs with the default turned off around it; a BEGIN on the write path opens a READ WRITE
// transaction; a read-only statement inside such a transaction runs in a savepoint made
// read-only and rolled back afterwards.
#include "Connection.h"
#include "PasswordMask.h"
#include "PgSetup.h"
#include "SqlStr.h"
#include "ValueText.h"
#include "WorkerConnection.h"

#include <libpq-fe.h>

#include <cctype>
#include <charconv>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace kes {
namespace {

// Type identifiers of the server's built-in types.
enum : Oid {
    kBool = 16,
    kInt8 = 20,
    kInt2 = 21,
    kInt4 = 23,
    kFloat4 = 700,
    kFloat8 = 701,
    kDate = 1082,
    kTimestamp = 1114,
    kTimestampTz = 1184,
    kNumeric = 1700,
};

struct ConnCloser {
    void operator()(PGconn* c) const { PQfinish(c); }
};
struct ResultClearer {
    void operator()(PGresult* r) const { PQclear(r); }
};
using ConnHandle = std::unique_ptr<PGconn, ConnCloser>;
using ResultHandle = std::unique_ptr<PGresult, ResultClearer>;

std::string Trimmed(const char* text) {
    std::string s = text ? text : "";
    while (!s.empty() && (s.back() == '\n' || s.back() == ' '))
        s.pop_back();
    return s;
}

void IgnoreNotice(void*, const PGresult*) {}

// Whether a double's text as the server writes it (the shortest text that reads back as the
// same double) is already what "%.15g" writes: plain digits with an optional fraction, at
// most fifteen significant ones, neither so large nor so small that "%g" would write an
// exponent, and not zero with a sign.
bool IsFifteenDigitText(std::string_view v) {
    std::size_t i = !v.empty() && v[0] == '-' ? 1 : 0;
    std::size_t intStart = i;
    while (i < v.size() && std::isdigit(static_cast<unsigned char>(v[i])))
        ++i;
    const std::size_t intDigits = i - intStart;
    if (intDigits == 0 || intDigits > 15 || (intDigits > 1 && v[intStart] == '0')) return false;
    std::size_t significant = v[intStart] == '0' ? 0 : intDigits;
    if (i < v.size()) {
        if (v[i] != '.' || i + 1 == v.size()) return false;
        std::size_t leadingZeros = 0;
        for (++i; i < v.size(); ++i) {
            if (!std::isdigit(static_cast<unsigned char>(v[i]))) return false;
            if (significant == 0 && v[i] == '0')
                ++leadingZeros;
            else
                ++significant;
        }
        if (v.back() == '0' || (intDigits == 1 && v[intStart] == '0' && leadingZeros > 3)) return false;
    }
    if (significant == 0) return intStart == 0; // "0" is plain, "-0" becomes "0"
    return significant <= 15;
}

// Makes the session speak the dialect: schema kes first, times without zone, set-up SQL.
bool PrepareSession(PGconn* conn, std::string& error) {
    PQsetNoticeReceiver(conn, IgnoreNotice, nullptr);
    ResultHandle setup(PQexec(conn, kPostgresSetupSql));
    if (PQresultStatus(setup.get()) != PGRES_COMMAND_OK && PQresultStatus(setup.get()) != PGRES_TUPLES_OK) {
        error = "cannot prepare schema kes: " + Trimmed(PQerrorMessage(conn));
        return false;
    }
    ResultHandle path(
        PQexec(conn, "SET search_path = kes, public; SET TimeZone = 'UTC'; SET DateStyle = 'ISO, YMD'; "
                     "SET default_transaction_read_only = on"));
    if (PQresultStatus(path.get()) != PGRES_COMMAND_OK) {
        error = "cannot set up the session: " + Trimmed(PQerrorMessage(conn));
        return false;
    }
    return true;
}

// Statements that the read-only path refuses before sending: they would end or open a
// transaction, change the session's settings or write server files.
bool RefusedWhenReadOnly(const std::string& verb) {
    return verb == "BEGIN" || verb == "START" || verb == "COMMIT" || verb == "END" || verb == "ROLLBACK" ||
           verb == "ABORT" || verb == "SAVEPOINT" || verb == "RELEASE" || verb == "PREPARE" ||
           verb == "SET" || verb == "RESET" || verb == "DISCARD" || verb == "DEALLOCATE" || verb == "COPY";
}

bool EndsTransaction(const std::string& verb) {
    return verb == "COMMIT" || verb == "END" || verb == "ROLLBACK" || verb == "ABORT";
}

std::string WithoutTrailingSemicolons(std::string sql) {
    while (!sql.empty() && (sql.back() == ';' || std::isspace(static_cast<unsigned char>(sql.back()))))
        sql.pop_back();
    return sql;
}

class PgConnection : public Connection {
public:
    explicit PgConnection(ConnHandle conn) : m_conn(std::move(conn)) {}
    Backend Kind() const override { return Backend::Postgres; }
    bool InTransaction() const override { return PQtransactionStatus(m_conn.get()) != PQTRANS_IDLE; }

    void WatchCancel(std::shared_ptr<StatementControl> control) override {
        m_control = std::move(control);
        if (!m_control) return;
        // The cancel request goes over a connection of its own, so it may be sent from any
        // thread; it names the server process, so it outlives this connection harmlessly.
        std::shared_ptr<PGcancel> cancel(PQgetCancel(m_conn.get()), PQfreeCancel);
        if (!cancel) return;
        m_control->SetInterrupt([cancel] {
            char ignored[256];
            PQcancel(cancel.get(), ignored, int(sizeof ignored));
        });
    }

protected:
    bool Send(std::string_view sql, Access access, int maxRows, const RowSink& sink, std::string& status,
              std::string& error) override {
        std::string row; // one buffer for every row
        return SendWatched(
            sql, access, maxRows,
            [&](const PGresult* res, int r, const std::vector<Oid>& types) {
                row.clear();
                for (int c = 0; c < int(types.size()); ++c) {
                    if (!PQgetisnull(res, r, c)) AppendValue(row, types[std::size_t(c)], ValueOf(res, r, c));
                    row += ',';
                }
                sink(row);
            },
            status, error);
    }

    bool SendCells(std::string_view sql, Access access, int maxRows, const CellSink& sink,
                   std::string& status, std::string& error) override {
        std::vector<CellView> cells; // one buffer for every row
        std::vector<std::string> times;
        return SendWatched(
            sql, access, maxRows,
            [&](const PGresult* res, int r, const std::vector<Oid>& types) {
                cells.assign(types.size(), CellView{});
                times.resize(types.size());
                for (int c = 0; c < int(types.size()); ++c)
                    if (!PQgetisnull(res, r, c))
                        ReadCell(types[std::size_t(c)], ValueOf(res, r, c), cells[std::size_t(c)],
                                 times[std::size_t(c)]);
                sink(cells);
            },
            status, error);
    }

private:
    static std::string_view ValueOf(const PGresult* res, int r, int c) {
        return {PQgetvalue(res, r, c), std::size_t(PQgetlength(res, r, c))};
    }

    // A value in the server's text as the embedded backend writes it into a reply row.
    static void AppendValue(std::string& row, Oid type, std::string_view v) {
        switch (type) {
        case kFloat8:
            // Most stored values are short: their text is taken as it is.
            if (IsFifteenDigitText(v)) {
                row.append(v);
                break;
            }
            [[fallthrough]];
        case kFloat4:
        case kNumeric:
            AppendNumberText(row, v);
            break;
        case kDate:
        case kTimestamp:
        case kTimestampTz:
            AppendTimeText(row, v);
            break;
        case kBool:
            row += v == "t" ? '1' : '0';
            break;
        default:
            AppendText(row, v);
        }
    }

    // A value in the server's text as a cell: numbers kept as their text where it is what a
    // reply row holds, else read as numbers; times written as in reply rows (into time);
    // anything else as its text.
    static void ReadCell(Oid type, std::string_view v, CellView& cell, std::string& time) {
        const char* end = v.data() + v.size();
        switch (type) {
        case kInt2:
        case kInt4:
        case kInt8:
            // The server writes integers as reply rows do.
            cell.kind = CellView::Kind::Integer;
            cell.text = v;
            return;
        case kFloat8:
            // Most stored values are short: their text is already what a reply row holds.
            if (IsFifteenDigitText(v)) {
                cell.kind = CellView::Kind::Real;
                cell.text = v;
                return;
            }
            [[fallthrough]];
        case kFloat4:
        case kNumeric:
            // NaN, Infinity and the like stay texts, as in reply rows.
            if (auto [at, ec] = std::from_chars(v.data(), end, cell.real); ec == std::errc() && at == end) {
                cell.kind = CellView::Kind::Real;
                return;
            }
            break;
        case kDate:
        case kTimestamp:
        case kTimestampTz:
            time.clear();
            AppendTimeText(time, v);
            cell.kind = CellView::Kind::Text;
            cell.text = time;
            return;
        case kBool:
            cell.kind = CellView::Kind::Integer;
            cell.integer = v == "t" ? 1 : 0;
            return;
        default:
            break;
        }
        cell.kind = CellView::Kind::Text;
        cell.text = v;
    }

    // Reads the result rows of a statement: each row by its number in the result, with the
    // type of each column.
    using RowReader = std::function<void(const PGresult* res, int row, const std::vector<Oid>& types)>;

    bool SendWatched(std::string_view sql, Access access, int maxRows, const RowReader& reader,
                     std::string& status, std::string& error) {
        if (!m_control) return SendChecked(sql, access, maxRows, reader, status, error);
        if (m_control->Cancelled()) {
            error = kStatementCancelled;
            return false;
        }
        const RowReader counted = [&](const PGresult* res, int row, const std::vector<Oid>& types) {
            reader(res, row, types);
            m_control->CountRows(1);
        };
        bool ok = SendChecked(sql, access, maxRows, counted, status, error);
        if (!ok && m_control->Cancelled()) error = kStatementCancelled;
        return ok;
    }

    bool SendChecked(std::string_view sql, Access access, int maxRows, const RowReader& sink,
                     std::string& status, std::string& error) {
        std::string adapted;
        if (!AdaptSql(sql, Backend::Postgres, adapted, error)) return false;
        // The server stops at the rows asked for where the statement allows a limit; any
        // other statement is read to its end and its first rows kept.
        if (maxRows > 0 && access == Access::ReadOnly) {
            std::string limited;
            if (WithRowLimit(adapted, maxRows, limited)) adapted = std::move(limited);
        }
        // A connection that broke earlier gets one new attempt here, never a loop of them.
        if (PQstatus(m_conn.get()) != CONNECTION_OK) {
            PQreset(m_conn.get());
            if (PQstatus(m_conn.get()) != CONNECTION_OK) {
                error = "the database server cannot be reached: " + Trimmed(PQerrorMessage(m_conn.get()));
                return false;
            }
            m_prepared.clear(); // a new session knows none of them
            if (!PrepareSession(m_conn.get(), error)) return false;
        }
        std::string verb = LeadingWords(adapted, 1);
        bool inTransaction = PQtransactionStatus(m_conn.get()) != PQTRANS_IDLE;
        if (access == Access::ReadOnly) {
            if (RefusedWhenReadOnly(verb)) {
                error = std::string(kReadOnlyRefused) + verb + " is not a query";
                return false;
            }
            if (inTransaction) return RunInReadOnlySavepoint(adapted, sink, status, error, maxRows);
            // A query may have changed the default for later transactions (set_config);
            // the server reports the setting, so checking it costs nothing.
            const char* ro = PQparameterStatus(m_conn.get(), "default_transaction_read_only");
            if ((!ro || std::string_view(ro) != "on") &&
                !Exec("SET default_transaction_read_only = on", error))
                return false;
            bool ok = RunPrepared(adapted, sink, status, error, maxRows);
            if (PQtransactionStatus(m_conn.get()) != PQTRANS_IDLE) {
                // Whatever opened a transaction here, the read path does not keep it.
                std::string ignored;
                Exec("ROLLBACK", ignored);
                error = std::string(kReadOnlyRefused) + "the statement opened a transaction";
                return false;
            }
            return ok;
        }
        if (inTransaction) return RunOne(adapted, sink, status, error);
        if (verb == "BEGIN" || verb == "START")
            return RunOne(WithoutTrailingSemicolons(adapted) + "\nREAD WRITE", sink, status, error);
        if (EndsTransaction(verb)) return RunOne(adapted, sink, status, error);
        if (!Exec("SET default_transaction_read_only = off", error)) return false;
        bool ok = RunOne(adapted, sink, status, error);
        std::string resetError;
        if (!Exec("SET default_transaction_read_only = on", resetError) && ok) {
            error = resetError;
            return false;
        }
        return ok;
    }

private:
    // One of the connection's own statements (no reply rows).
    bool Exec(const char* sql, std::string& error) {
        ResultHandle res(PQexec(m_conn.get(), sql));
        if (PQresultStatus(res.get()) == PGRES_COMMAND_OK) return true;
        error = Trimmed(PQerrorMessage(m_conn.get()));
        if (error.empty()) error = std::string("the statement failed: ") + sql;
        return false;
    }

    // A read inside a transaction of the write path: the savepoint is made read-only and
    // rolled back, so the statement cannot write and the transaction is read-write again
    // after it, whether it succeeded or not.
    bool RunInReadOnlySavepoint(const std::string& sql, const RowReader& sink, std::string& status,
                                std::string& error, int maxRows) {
        if (PQtransactionStatus(m_conn.get()) == PQTRANS_INERROR)
            return RunOne(sql, sink, status, error, maxRows);
        if (!Exec("SAVEPOINT vx_read", error)) return false;
        bool ok =
            Exec("SET LOCAL transaction_read_only = on", error) && RunOne(sql, sink, status, error, maxRows);
        std::string closeError;
        if (!Exec("ROLLBACK TO SAVEPOINT vx_read", closeError) ||
            !Exec("RELEASE SAVEPOINT vx_read", closeError)) {
            if (ok) error = closeError;
            return false;
        }
        return ok;
    }

    // A read outside a transaction through a named prepared statement, so a text sent again
    // (the next refresh) is neither parsed nor planned again. Outside a transaction a failed
    // preparation harms nothing; the statement then goes out unprepared, which reports its
    // error the usual way.
    bool RunPrepared(const std::string& sql, const RowReader& sink, std::string& status, std::string& error,
                     int maxRows) {
        auto it = m_prepared.find(sql);
        if (it == m_prepared.end()) {
            if (m_prepared.size() >= kPreparedCapacity) {
                std::string ignored;
                if (!Exec("DEALLOCATE ALL", ignored)) return RunOne(sql, sink, status, error, maxRows);
                m_prepared.clear();
            }
            std::string name = "vx_" + std::to_string(++m_preparedSerial);
            ResultHandle made(PQprepare(m_conn.get(), name.c_str(), sql.c_str(), 0, nullptr));
            if (PQresultStatus(made.get()) != PGRES_COMMAND_OK)
                return RunOne(sql, sink, status, error, maxRows);
            it = m_prepared.emplace(sql, std::move(name)).first;
        }
        ResultHandle res(PQexecPrepared(m_conn.get(), it->second.c_str(), 0, nullptr, nullptr, nullptr, 0));
        const char* state = PQresultErrorField(res.get(), PG_DIAG_SQLSTATE);
        if (state && (std::string_view(state) == "0A000" || std::string_view(state) == "26000")) {
            // A table changed its columns under the statement, or the statement is gone
            // (DEALLOCATE ALL on the write path): forget it and send the text as it is.
            std::string ignored;
            Exec(("DEALLOCATE " + it->second).c_str(), ignored);
            m_prepared.erase(it);
            return RunOne(sql, sink, status, error, maxRows);
        }
        return ReadResult(std::move(res), sink, status, error, maxRows);
    }

    // Sends one statement with the extended protocol, which refuses a text of several.
    bool RunOne(const std::string& sql, const RowReader& sink, std::string& status, std::string& error,
                int maxRows = 0) {
        ResultHandle res(PQexecParams(m_conn.get(), sql.c_str(), 0, nullptr, nullptr, nullptr, nullptr, 0));
        return ReadResult(std::move(res), sink, status, error, maxRows);
    }

    bool ReadResult(ResultHandle res, const RowReader& sink, std::string& status, std::string& error,
                    int maxRows) {
        switch (PQresultStatus(res.get())) {
        case PGRES_COMMAND_OK:
            status = PQcmdStatus(res.get());
            return true;
        case PGRES_EMPTY_QUERY:
            return true;
        case PGRES_TUPLES_OK:
            break;
        default: {
            error = res ? Trimmed(PQresultErrorMessage(res.get())) : std::string();
            if (error.empty()) error = Trimmed(PQerrorMessage(m_conn.get()));
            if (error.empty()) error = "the statement failed";
            const char* state = res ? PQresultErrorField(res.get(), PG_DIAG_SQLSTATE) : nullptr;
            if (state && std::string_view(state) == "25006") error = kReadOnlyRefused + error;
            return false;
        }
        }
        int rows = PQntuples(res.get()), columns = PQnfields(res.get());
        if (maxRows > 0 && rows > maxRows) rows = maxRows;
        std::vector<Oid> types(std::size_t(columns > 0 ? columns : 0));
        for (int c = 0; c < columns; ++c)
            types[std::size_t(c)] = PQftype(res.get(), c);
        for (int r = 0; r < rows; ++r)
            sink(res.get(), r, types);
        return true;
    }

    static constexpr std::size_t kPreparedCapacity = 200;
    std::shared_ptr<StatementControl> m_control;
    ConnHandle m_conn;
    std::unordered_map<std::string, std::string> m_prepared; // statement text -> prepared name
    unsigned long m_preparedSerial = 0;
};

} // namespace

std::unique_ptr<Connection> OpenPostgres(const std::string& conninfo, std::string& error) {
    // A server that does not answer fails the open within a few seconds instead of hanging.
    const char* keys[] = {"dbname", "connect_timeout", "application_name", nullptr};
    const char* values[] = {conninfo.c_str(), "5", "vexorquery", nullptr};
    ConnHandle conn(PQconnectdbParams(keys, values, 1));
    if (!conn || PQstatus(conn.get()) != CONNECTION_OK) {
        // The client library quotes a malformed URI whole, password included.
        error = "cannot connect to the database server: " +
                (conn ? MaskPasswords(Trimmed(PQerrorMessage(conn.get()))) : "out of memory");
        return nullptr;
    }
    if (!PrepareSession(conn.get(), error)) return nullptr;
    return std::make_unique<PgConnection>(std::move(conn));
}

} // namespace kes
