#include "BackgroundQuery.h"

#include "WorkerConnection.h"

#include <chrono>

CBackgroundQuery::CBackgroundQuery(const std::string& uri, CString text, CTimeColumn timeColumn,
                                   std::function<void()> finished)
    : m_finished(std::move(finished)) {
    m_control = std::make_shared<kes::StatementControl>();
    m_client.m_timeColumn = std::move(timeColumn);
    m_client.m_control = m_control;
    m_client.m_pRowStore = &m_rows;
    m_worker = std::thread([this, uri, text = std::move(text)] { Run(uri, text); });
}

CBackgroundQuery::~CBackgroundQuery() {
    // A server may miss a stop that reaches it just before the statement: ask again until
    // the query has ended rather than wait for the whole statement.
    constexpr auto kAskAgain = std::chrono::milliseconds(50);
    {
        std::unique_lock lock(m_mutex);
        while (!m_done) {
            Cancel();
            m_doneChanged.wait_for(lock, kAskAgain);
        }
        m_closing = true;
    }
    m_doneChanged.notify_all();
    m_worker.join();
}

void CBackgroundQuery::Run(const std::string& uri, const CString& text) {
    {
        // A connection per query: an idle one would hold the database (a server refuses to
        // drop a database that has connections).
        kes::WorkerConnection connection(uri, m_control);
        if (connection.IsOpen()) {
            m_result = m_client.Query(text);
        } else {
            m_client.m_strLastError = connection.Error();
            m_result = 0;
        }
    }
    // Told before the query counts as ended, so whatever finished refers to lives until then.
    if (m_finished) m_finished();
    {
        std::lock_guard lock(m_mutex);
        m_done = true;
    }
    m_doneChanged.notify_all();

    // Then the rows the caller retires, freed here.
    std::unique_lock lock(m_mutex);
    m_doneChanged.wait(lock, [this] { return m_closing || m_retired; });
    std::optional<CRowStore> retired = std::move(m_retired);
    m_retired.reset();
    lock.unlock();
}

void CBackgroundQuery::Retire(CRowStore rows) {
    {
        std::lock_guard lock(m_mutex);
        m_retired = std::move(rows);
    }
    m_doneChanged.notify_all();
}

void CBackgroundQuery::Cancel() {
    m_control->Cancel();
}

bool CBackgroundQuery::Cancelled() const {
    return m_control->Cancelled();
}

int CBackgroundQuery::Wait() {
    std::unique_lock lock(m_mutex);
    m_doneChanged.wait(lock, [this] { return m_done; });
    return m_result;
}
