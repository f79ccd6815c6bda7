#include "BackgroundInventory.h"

#include "WorkerConnection.h"

#include <chrono>

CBackgroundInventory::CBackgroundInventory(const std::string& uri, std::vector<CInventoryTable> tables,
                                           std::function<void(const CInventoryRow&)> onRow,
                                           std::function<void(const CInventoryOutcome&)> finished)
    : m_tables(std::move(tables)), m_onRow(std::move(onRow)), m_finished(std::move(finished)),
      m_control(std::make_shared<kes::StatementControl>()) {
    m_worker = std::jthread([this, uri](std::stop_token stop) { Run(uri, stop); });
}

CBackgroundInventory::~CBackgroundInventory() {
    Cancel();
    Finish();
}

void CBackgroundInventory::Run(const std::string& uri, std::stop_token stop) {
    {
        // One connection for the whole load, closed before the load counts as ended: an idle
        // one would hold the database.
        kes::WorkerConnection connection(uri, m_control);
        if (connection.IsOpen())
            m_outcome = LoadInventory(m_tables, m_onRow, stop, m_control);
        else
            m_outcome.openFailure = connection.Error();
    }
    if (m_finished) m_finished(m_outcome);
    {
        std::lock_guard lock(m_mutex);
        m_done = true;
    }
    m_doneChanged.notify_all();
}

void CBackgroundInventory::Finish() {
    // A server may miss a stop that reaches it just before the statement is sent.
    constexpr auto kAskAgain = std::chrono::milliseconds(50);
    {
        std::unique_lock lock(m_mutex);
        while (!m_done) {
            if (m_worker.get_stop_token().stop_requested()) m_control->Cancel();
            m_doneChanged.wait_for(lock, kAskAgain);
        }
    }
    if (m_worker.joinable()) m_worker.join();
}

void CBackgroundInventory::Cancel() {
    m_worker.request_stop();
    m_control->Cancel();
}

const CInventoryOutcome& CBackgroundInventory::Wait() {
    Finish();
    return m_outcome;
}
