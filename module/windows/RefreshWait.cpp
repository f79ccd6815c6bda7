#include "RefreshWait.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {
// A query that is done sooner shows no strip at all, so short refreshes do not flicker.
constexpr int kShowAfterMs = 300;
constexpr int kProgressEveryMs = 100;

bool IsInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
        return true;
    default:
        return false;
    }
}

// Whether widget lies inside owner, across the windows owner opened (the menu-style query form).
bool OwnedBy(const QWidget* widget, const QWidget* owner) {
    for (; widget; widget = widget->parentWidget())
        if (widget == owner) return true;
    return false;
}

} // namespace

CRefreshWait::CRefreshWait(QWidget& window) : m_window(&window) {
    m_panel = new QFrame(&window);
    m_panel->setObjectName("refreshProgress");
    m_panel->setFrameShape(QFrame::StyledPanel);
    m_panel->setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(m_panel);
    layout->setContentsMargins(8, 4, 8, 4);
    m_label = new QLabel(m_panel);
    m_stopButton = new QPushButton(QString::fromUtf8("停止"), m_panel);
    m_stopButton->setObjectName("refreshStop");
    layout->addWidget(m_label, 1);
    layout->addWidget(m_stopButton);
    m_panel->hide();
    QObject::connect(m_stopButton, &QPushButton::clicked, this, [this] { Stop(); });

    m_showTimer.setSingleShot(true);
    m_showTimer.setInterval(kShowAfterMs);
    QObject::connect(&m_showTimer, &QTimer::timeout, this, [this] { ShowPanel(); });
    m_progressTimer.setInterval(kProgressEveryMs);
    QObject::connect(&m_progressTimer, &QTimer::timeout, this, [this] { Tick(); });
}

CRefreshWait::~CRefreshWait() {
    delete m_panel.data();
}

bool CRefreshWait::Exec(CBackgroundQuery& query) {
    m_query = &query;
    m_label->setText(ProgressText());
    qApp->installEventFilter(this);
    m_showTimer.start();
    m_progressTimer.start();
    m_loop.exec();
    // The loop also ends when the application quits: a query not yet done is stopped then.
    if (!m_ended) Stop();
    m_progressTimer.stop();
    m_showTimer.stop();
    qApp->removeEventFilter(this);
    if (m_panel) m_panel->hide();
    m_query = nullptr;
    return !m_stopped && m_window;
}

void CRefreshWait::Finished() {
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_ended = true;
            m_loop.quit();
        },
        Qt::QueuedConnection);
}

void CRefreshWait::Stop() {
    m_stopped = true;
    if (m_query) m_query->Cancel();
    m_loop.quit();
}

QString CRefreshWait::ProgressText() const {
    return QString::fromUtf8("正在查询…已读取 %1 行").arg(RowsRead());
}

void CRefreshWait::ShowPanel() {
    if (!m_window || !m_panel) return;
    const QSize size = m_panel->sizeHint();
    const int width = std::min(size.width() + 40, m_window->width());
    m_panel->setGeometry(std::max(0, (m_window->width() - width) / 2), 0, width, size.height());
    m_panel->raise();
    m_panel->show();
}

void CRefreshWait::Tick() {
    if (!m_window) {
        Stop();
        return;
    }
    if (m_label) m_label->setText(ProgressText());
}

bool CRefreshWait::eventFilter(QObject* watched, QEvent* event) {
    if (!m_window || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    const bool owned = OwnedBy(widget, m_window);
    // A form the window opened stays open: the refresh it started is still on its way.
    if (event->type() == QEvent::Close && owned && widget != m_window) {
        event->ignore();
        return true;
    }
    if (!IsInput(event->type())) return false;
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
        (owned || widget->window() == m_window->window())) {
        Stop();
        return true;
    }
    // Input meant for the window's own controls waits for the rows; the strip takes it.
    const bool inPanel = m_panel && OwnedBy(widget, m_panel);
    return owned && !inPanel;
}
