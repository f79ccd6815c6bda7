#pragma once
// A query text run by a CQueryClient on a worker thread with a connection of the data source
// of its own, so the window that waits for many rows stays responsive: it paints, shows the
// rows read so far and can stop the query. The rows are handed over once the query is done.
#include "QueryClient.h"
#include "WorkerConnection.h"

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

class CBackgroundQuery {
public:
    // Starts the query of text on the data source uri, rows read with timeColumn. finished is
    // called once, on the worker thread, when the query has ended (done, failed or stopped),
    // and has returned before Wait does.
    CBackgroundQuery(const std::string& uri, CString text, CTimeColumn timeColumn,
                     std::function<void()> finished);
    // Stops the query and waits until it has ended and its thread is gone.
    ~CBackgroundQuery();
    CBackgroundQuery(const CBackgroundQuery&) = delete;
    CBackgroundQuery& operator=(const CBackgroundQuery&) = delete;

    // Stops the query from any thread: the statement running on the database is interrupted.
    // Repeating it is harmless (a server may have missed a stop sent before it began).
    void Cancel();
    bool Cancelled() const;
    // Rows the database has answered so far.
    long RowsRead() const { return m_control->RowsRead(); }

    // Waits until the query has ended; then its answer as CQueryClient::Query gave it (1 or 0),
    // its rows (moved out) and the reason of a failure.
    int Wait();
    CRowStore TakeRows() { return std::move(m_rows); }
    const CString& Error() const { return m_client.m_strLastError; }

    // After the query has ended: rows that are no longer needed (the previous refresh's) are
    // freed by the worker thread, which made such rows, while the caller goes on filling its
    // grid. Rows not handed over by the time the object is destroyed are freed by nobody else.
    void Retire(CRowStore rows);

private:
    void Run(const std::string& uri, const CString& text);

    CRowStore m_rows;      // the client's rows, filled by the worker until the query has ended
    CQueryClient m_client; // used by the worker only, until the query has ended
    std::shared_ptr<kes::StatementControl> m_control;
    std::function<void()> m_finished;
    int m_result = 0;
    std::mutex m_mutex;
    std::condition_variable m_doneChanged;
    bool m_done = false;                // guarded by m_mutex
    bool m_closing = false;             // guarded by m_mutex: nothing more will be retired
    std::optional<CRowStore> m_retired; // guarded by m_mutex
    std::thread m_worker;               // last: started once everything above is in place
};
