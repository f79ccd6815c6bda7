// The query of a refresh on a worker thread: the window stays painted and answers 停止 and Esc
// while many rows are read; the grid is filled on this thread once they are in.
#include "QueryWindow.h"

#include "DataSource.h"
#include "RefreshWait.h"

#include <QTimer>

bool CQueryWindow::QueriesInBackground() {
    return m_widget && !m_query.IsLackTimeMode() && !m_query.IsAnalysisMode();
}

bool CQueryWindow::QueryInBackground(int argument, int form) {
    if (m_wait) {
        // A newer request wins: the running query stops and this one runs after it.
        m_refreshAgain = {argument, form};
        m_wait->Stop();
        return false;
    }
    m_query.BeginRefresh();
    CTableQuery::QueryRun run = m_query.PrepareQuery();
    if (run.text.IsEmpty()) return true;

    const std::weak_ptr<int> window = m_lifetime;
    bool done = false;
    int ok = 0;
    CObjectArray<CStringArray> rows;
    CString error;
    {
        CRefreshWait wait(*m_widget);
        CBackgroundQuery query(kes::ResolveDataSource(), run.text, run.timeColumn,
                               [&wait] { wait.Finished(); });
        m_wait = &wait;
        done = wait.Exec(query);
        if (window.expired()) return false; // the window went while it waited
        m_wait = nullptr;
        if (done) {
            ok = query.Wait();
            rows = query.TakeRows();
            error = query.Error();
        }
    }
    if (!done) {
        if (auto again = std::exchange(m_refreshAgain, std::nullopt)) RunRefresh(again->first, again->second);
        return false;
    }
    m_query.AcceptRows(rows, ok, error);
    // The previous refresh's rows are freed once the new screen is painted, not before it.
    constexpr int kFreeAfterMs = 1000;
    auto previous = std::make_shared<CObjectArray<CStringArray>>(std::move(rows));
    QTimer::singleShot(kFreeAfterMs, m_widget, [previous]() mutable { previous.reset(); });
    return true;
}
