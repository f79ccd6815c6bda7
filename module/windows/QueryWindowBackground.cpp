// The query of a refresh on a worker thread: the window stays painted and answers 停止 and Esc
// while many rows are read; the grid is filled on this thread once they are in.
#include "QueryWindow.h"

#include "DataSource.h"
#include "RefreshWait.h"

bool CQueryWindow::QueriesInBackground() {
    return m_widget && !m_query.IsLackTimeMode() && !m_query.IsAnalysisMode();
}

bool CQueryWindow::QueryInBackground(int argument, int form) {
    if (m_wait) {
        // A newer request wins: the running query stops and this one runs after it.
        m_refreshAgain = PendingRefresh{argument, form, m_query.m_request.filter};
        m_wait->Stop();
        return false;
    }
    m_query.BeginRefresh();
    CTableQuery::QueryRun run = m_query.PrepareQuery();
    if (run.text.IsEmpty()) return true;

    const std::weak_ptr<int> window = m_lifetime;
    m_lastQuery.reset(); // long done: it has freed what it was given
    bool done = false;
    std::unique_ptr<CBackgroundQuery> query;
    {
        CRefreshWait wait(*m_widget);
        query = std::make_unique<CBackgroundQuery>(kes::ResolveDataSource(), run.text, run.timeColumn,
                                                   [&wait] { wait.Finished(); });
        m_wait = &wait;
        done = wait.Exec(*query);
        if (window.expired()) { // the window went while it waited
            query.reset();
            return false;
        }
        m_wait = nullptr;
        if (done)
            query->Wait(); // the query no longer refers to wait
        else
            query.reset(); // stopped: wait for its end before wait goes
    }
    if (!done) {
        RunPendingRefresh();
        return false;
    }
    CRowStore rows = query->TakeRows();
    m_query.AcceptRows(rows, query->Wait(), query->Error());
    // The previous refresh's rows are freed on the worker while this thread fills the grid.
    query->Retire(std::move(rows));
    m_lastQuery = std::move(query);
    return true;
}

void CQueryWindow::RunPendingRefresh() {
    auto again = std::exchange(m_refreshAgain, std::nullopt);
    if (!again) return;
    // A 筛选 asked for meanwhile narrows its own query only, as when nothing ran.
    m_nextFilter = again->filter;
    RunRefresh(again->argument, again->form);
    m_query.m_request.filter.Empty();
}
