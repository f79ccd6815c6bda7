#include "RectTracker.h"

#include "RectTracking.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QRubberBand>

namespace {

CRect ToCRect(const QRect& r) {
    return CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}
QRect ToQRect(const CRect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

// Watches every widget's mouse and key events while the drag lasts, so the drag follows the
// mouse wherever it goes and nothing else reacts to it meanwhile.
class TrackFilter : public QObject {
public:
    TrackFilter(QWidget& area, int handle, QPoint start, const QRect& rect, QEventLoop& loop)
        : m_area(&area), m_handle(handle), m_start(start), m_startRect(ToCRect(rect)), m_rect(m_startRect),
          m_loop(loop), m_band(new QRubberBand(QRubberBand::Rectangle, &area)) {
        m_band->setGeometry(ToQRect(m_rect));
        m_band->show();
    }
    // The area owns the band; it may have gone with the area while the drag lasted.
    ~TrackFilter() override { delete m_band.data(); }
    TrackFilter(const TrackFilter&) = delete;
    TrackFilter& operator=(const TrackFilter&) = delete;

    bool accepted = false;
    CRect Result() const { return m_rect; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Window-level events reach the widgets anyway; acting on the widget's copy keeps Qt's
        // own mouse bookkeeping intact.
        if (!watched->isWidgetType()) return false;
        switch (event->type()) {
        case QEvent::MouseMove:
            Follow(static_cast<QMouseEvent*>(event));
            return true;
        case QEvent::MouseButtonRelease:
            Follow(static_cast<QMouseEvent*>(event));
            Finish(true);
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            return true;
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) Finish(false);
            return true;
        case QEvent::ShortcutOverride:
            // No menu shortcut may open a dialog (or a new display) in the middle of a drag.
            event->accept();
            return true;
        default:
            return false;
        }
    }

private:
    void Follow(const QMouseEvent* e) {
        if (!m_area) return Finish(false);
        const QPoint at = m_area->mapFromGlobal(e->globalPosition().toPoint());
        m_rect = TrackedRect(m_startRect, m_handle, CSize(at.x() - m_start.x(), at.y() - m_start.y()));
        if (m_band) m_band->setGeometry(ToQRect(m_rect));
    }
    void Finish(bool accept) {
        accepted = accept;
        m_loop.quit();
    }

    QPointer<QWidget> m_area;
    int m_handle;
    QPoint m_start;
    CRect m_startRect;
    CRect m_rect;
    QEventLoop& m_loop;
    QPointer<QRubberBand> m_band;
};

} // namespace

bool TrackRect(QWidget& area, int handle, QPoint start, QRect& rect) {
    if (handle < 0 || handle > 8) return false;
    QEventLoop loop;
    TrackFilter filter(area, handle, start, rect, loop);
    qApp->installEventFilter(&filter);
    loop.exec();
    qApp->removeEventFilter(&filter);
    if (!filter.accepted) return false;
    rect = ToQRect(filter.Result());
    return true;
}
