#include "ElementPainting.h"

#include "QtConvert.h"

#include <QPainter>

namespace {

QRect ToQRect(CRect r) {
    r.NormalizeRect();
    return QRect(r.left, r.top, r.Width(), r.Height());
}

constexpr int kHandleSize = 7;

} // namespace

void QtDrawSurface::Rectangle(const CRect& device, const CLineStyle& line, const CFillStyle& fill) {
    m_painter.save();
    QPen pen(ToQColor(line.color));
    pen.setWidth(std::max(line.width, 1));
    m_painter.setPen(pen);
    m_painter.setBrush(fill.filled ? QBrush(ToQColor(fill.color)) : Qt::NoBrush);
    m_painter.drawRect(ToQRect(device).adjusted(0, 0, -1, -1));
    m_painter.restore();
}

void QtDrawSurface::Text(const CRect& device, const CString& text, const CTextStyle& style) {
    m_painter.save();
    m_painter.setFont(LogFontToQFont(style.font));
    m_painter.setPen(ToQColor(style.color));
    m_painter.drawText(ToQRect(device), Qt::AlignLeft | Qt::AlignTop, ToQString(text.str()));
    m_painter.restore();
}

void PaintEditFrame(QPainter& painter, const CDC& dc, const CDrawObject& element) {
    const QRect r = ToQRect(dc.LPtoDP(element.m_rect));
    painter.save();
    painter.setPen(QPen(QColor(150, 160, 175), 1, Qt::DashLine));
    painter.setBrush(QColor(246, 248, 251));
    painter.drawRect(r.adjusted(0, 0, -1, -1));
    painter.setPen(QColor(90, 100, 115));
    painter.drawText(r.adjusted(6, 4, -6, -4), Qt::AlignLeft | Qt::AlignTop,
                     ToQString(element.m_typeName.str()));
    painter.restore();
}

void PaintHandles(QPainter& painter, const CDC& dc, const CDrawObject& element) {
    painter.save();
    for (int handle = 1; handle <= element.GetHandleCount(); ++handle) {
        const CPoint p = dc.LPtoDP(element.GetDragHandlePoint(handle));
        const QRect box(p.x - kHandleSize / 2, p.y - kHandleSize / 2, kHandleSize, kHandleSize);
        const bool base = handle <= CDrawObject::kBaseHandleCount;
        painter.setPen(base ? Qt::black : QColor(30, 90, 200));
        painter.setBrush(base ? QBrush(Qt::black) : QBrush(Qt::white));
        painter.drawRect(box.adjusted(0, 0, -1, -1));
    }
    painter.restore();
}
