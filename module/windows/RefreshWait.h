#pragma once
// The query window while its query runs on a worker thread: the window keeps painting, a strip
// over the grid shows the rows read so far with a 停止 button, Esc or 停止 stops the query, and
// the window's other controls take no input until the rows are in (the grid still scrolls).
#include "BackgroundQuery.h"

#include <QEventLoop>
#include <QFrame>
#include <QPointer>
#include <QTimer>

class QLabel;
class QPushButton;

class CRefreshWait : public QObject {
public:
    explicit CRefreshWait(QWidget& window);
    ~CRefreshWait() override;

    // Waits in an event loop of its own until query has ended; true when it ended by itself,
    // false when it was stopped or the window went away.
    bool Exec(CBackgroundQuery& query);
    // Called on the worker thread when the query has ended.
    void Finished();
    // Stops the query (停止, Esc, a newer refresh, the window closing).
    void Stop();
    bool Stopped() const { return m_stopped; }

    long RowsRead() const { return m_query ? m_query->RowsRead() : 0; }
    QWidget* Panel() const { return m_panel; }
    QPushButton* StopButton() const { return m_stopButton; }
    QString ProgressText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowPanel();
    void Tick();

    QPointer<QWidget> m_window;
    QPointer<QFrame> m_panel;
    QLabel* m_label = nullptr;           // in m_panel
    QPushButton* m_stopButton = nullptr; // in m_panel
    CBackgroundQuery* m_query = nullptr; // while Exec runs
    QEventLoop m_loop;
    QTimer m_showTimer;
    QTimer m_progressTimer;
    bool m_stopped = false;
    bool m_ended = false; // the query has told it is done
};
