// The bars' painted labels and what the mouse does on them: the notifications to the owner, the
// right double click that selects or deselects every station, and the drag that makes the
// station list taller or shorter.
#include "StationBar.h"

#include <QMouseEvent>
#include <QPainter>

void CStationBar::resizeEvent(QResizeEvent*) {
    Layout();
}

void CStationBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(m_font);
    painter.setPen(palette().color(QPalette::WindowText));
    for (const Label& l : m_labels)
        painter.drawText(l.rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, l.text);
    if (m_drag.LineY() >= 0)
        painter.fillRect(QRect(m_listRect.left(), m_drag.LineY(), m_listRect.width(), 2), Qt::black);
}

void CStationBar::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        Notify(kNotifyRightDown, at);
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    Notify(kNotifyLeftDown, at);
    if (m_stations && !m_records.dragDisabled && DragStartsAt(at)) m_drag.Begin(at.y(), StationListHeight());
}

void CStationBar::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (!m_drag.Active()) {
        const bool overBand = m_stations && !m_records.dragDisabled && m_dragBand.contains(at);
        setCursor(overBand ? Qt::SizeVerCursor : Qt::ArrowCursor);
        return;
    }
    m_drag.Move(at.y(), m_listRect.top());
    update();
}

void CStationBar::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        RightButtonUp(at, event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    if (m_drag.Active()) {
        m_records.window->m_stationListHeight = m_drag.End(at.y());
        Layout();
    }
    Notify(kNotifyLeftUp, at);
}

void CStationBar::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        Notify(kNotifyLeftDoubleClick, at);
    } else if (event->button() == Qt::RightButton) {
        RightDoubleClicked(at);
        m_selectAllOn = !m_selectAllOn;
        SelectAll(m_selectAllOn);
    }
}
