#pragma once
// Statements that run on a thread of their own. A window that reads many rows hands the
// statement to a worker thread, so it can paint and show how far the reading got; the worker
// gets a second connection of the data source in force, since a connection serves one thread
// at a time, and the window can stop the statement from its own thread.
#include "Connection.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

namespace kes {

// The error text of a statement stopped through its StatementControl.
constexpr const char* kStatementCancelled = "the statement was cancelled";

// Stops the statements of one worker connection from any thread, and tells how many rows they
// have read so far. Once cancelled it stays so: the running statement fails with
// kStatementCancelled, and so does every later one.
class StatementControl {
public:
    void Cancel();
    bool Cancelled() const { return m_cancelled.load(std::memory_order_relaxed); }
    // Rows the database has answered: counted by the connection as they arrive.
    void CountRows(long rows) { m_rows.fetch_add(rows, std::memory_order_relaxed); }
    long RowsRead() const { return m_rows.load(std::memory_order_relaxed); }
    // What stops a statement already running on the server; set by the connection while it
    // lives, cleared before it closes.
    void SetInterrupt(std::function<void()> interrupt);

private:
    std::atomic<bool> m_cancelled{false};
    std::atomic<long> m_rows{0};
    std::mutex m_mutex; // guards m_interrupt against the connection closing meanwhile
    std::function<void()> m_interrupt;
};

// A connection of the data source uri for the calling thread: while the object lives, the
// service's calls made on this thread (InSqlStr, OutRT, OutSpanDB) run on it instead of the
// process's connection. Made, used and destroyed on one thread.
class WorkerConnection {
public:
    WorkerConnection(const std::string& uri, std::shared_ptr<StatementControl> control);
    ~WorkerConnection();
    WorkerConnection(const WorkerConnection&) = delete;
    WorkerConnection& operator=(const WorkerConnection&) = delete;

    bool IsOpen() const { return m_connection != nullptr; }
    // Why it could not be opened (the password masked).
    const std::string& Error() const { return m_error; }

private:
    std::shared_ptr<StatementControl> m_control;
    std::unique_ptr<Connection> m_connection;
    Connection* m_previous = nullptr;
    std::string m_error;
};

} // namespace kes
