#include "PointQueryBar.h"

#include "QtConvert.h"
#include "QueryItem.h"

#include <QMouseEvent>

CPointQueryBar::CPointQueryBar(int controlId, CWnd* owner, QWidget* parent)
    : QWidget(parent), CWnd(*this, controlId, owner) {
    setProperty("windowClass", kClassName);
    setObjectName(kClassName);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    setCursor(Qt::ArrowCursor);
    LOGFONT font = CQueryItem::DefaultFont();
    font.lfHeight = 15;
    font.lfFaceName = "宋体";
    setFont(LogFontToQFont(font));
}

void CPointQueryBar::Notify(int code, QPoint at) {
    CNotify block;
    block.code = code;
    block.point = CPoint{at.x(), at.y()};
    const QRect r = geometry();
    block.rect = CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
    NotifyOwner(block);
}

void CPointQueryBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Notify(kNotifyLeftDown, event->position().toPoint());
    if (event->button() == Qt::RightButton) Notify(kNotifyRightDown, event->position().toPoint());
}

void CPointQueryBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Notify(kNotifyLeftUp, event->position().toPoint());
    if (event->button() == Qt::RightButton) Notify(kNotifyRightUp, event->position().toPoint());
}

void CPointQueryBar::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Notify(kNotifyLeftDoubleClick, event->position().toPoint());
}
