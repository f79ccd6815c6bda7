#include "WorkerConnection.h"

#include "DataSource.h"

#include <cassert>

namespace kes {

void StatementControl::Cancel() {
    m_cancelled.store(true, std::memory_order_relaxed);
    std::lock_guard lock(m_mutex);
    if (m_interrupt) m_interrupt();
}

void StatementControl::SetInterrupt(std::function<void()> interrupt) {
    std::lock_guard lock(m_mutex);
    m_interrupt = std::move(interrupt);
}

WorkerConnection::WorkerConnection(const std::string& uri, std::shared_ptr<StatementControl> control)
    : m_control(std::move(control)) {
    assert(m_control);
    m_connection = OpenConnection(uri, m_error);
    if (!m_connection) return;
    m_connection->WatchCancel(m_control);
    m_previous = SetThreadConnection(m_connection.get());
}

WorkerConnection::~WorkerConnection() {
    if (!m_connection) return;
    SetThreadConnection(m_previous);
    m_control->SetInterrupt({});
}

} // namespace kes
