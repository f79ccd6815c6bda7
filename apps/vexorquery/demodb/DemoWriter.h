#pragma once
// Sends the demo database's statements through the data service's connection, in the
// system's dialect (KES.<TABLE>, {ts '...'} literals), and gathers rows into multi-row INSERTs
// of a few hundred rows each: one statement per row would make the hourly table take minutes.
#include "Connection.h"

#include <stdexcept>
#include <string>

namespace demo {

// A statement that failed; the build stops and reports it.
class DemoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class CDemoWriter {
public:
    explicit CDemoWriter(kes::Connection& connection) : m_connection(connection) {}

    kes::Backend Backend() const { return m_connection.Kind(); }
    // Runs one statement; throws DemoError with the statement's start when it fails.
    void Exec(const std::string& sql);
    // Runs one statement and ignores a failure (a table that is not there to be dropped).
    // Inside a PostgreSQL transaction the failure is undone to a savepoint, so the
    // transaction goes on.
    void TryExec(const std::string& sql);
    // Transactions nest: only the outermost Begin and Commit reach the database, so a whole
    // build can run as one transaction around the steps' own.
    void Begin();
    void Commit();
    // Undoes the open transaction, whatever its depth; never throws.
    void Rollback();

    long long RowCount() const { return m_rows; }
    void CountRows(long long n) { m_rows += n; }

private:
    bool Run(const std::string& sql);

    kes::Connection& m_connection;
    long long m_rows = 0;
    int m_depth = 0;
};

// Rows of one table, sent as "INSERT INTO KES.T (cols) VALUES (...),(...)" in batches.
class CRowBatch {
public:
    static constexpr int kRowsPerStatement = 250;

    CRowBatch(CDemoWriter& writer, const std::string& table, const std::string& columns);
    CRowBatch(const CRowBatch&) = delete;
    CRowBatch& operator=(const CRowBatch&) = delete;

    // One row's values, without the parentheses: "60105400,{ts '2026-11-01 08:00:00'},45.21".
    void Add(const std::string& values);
    // Sends what is gathered; must be called before the batch goes away.
    void Flush();
    long long Count() const { return m_count; }

private:
    CDemoWriter& m_writer;
    std::string m_head;
    std::string m_text;
    int m_pending = 0;
    long long m_count = 0;
};

// Literals of the dialect.
std::string Quote(const std::string& text);     // 'text', quotes doubled
std::string Number(double value, int decimals); // -999 stays "-999"
std::string Ts(const std::string& timeText);    // {ts '...'}

} // namespace demo
