#include "EditInteraction.h"

#include "DisplayView.h"
#include "ElementTypeRegistry.h"
#include "RectTracker.h"
#include "SystemCursors.h"

#include <QRect>

#include <algorithm>

namespace {

CPoint ToCPoint(QPoint p) {
    return {p.x(), p.y()};
}

// The rectangle between two corners the mouse gave, whichever way it was dragged (QRect's own
// normalisation counts its inclusive corners and is off by one for drags up or left).
CRect Spanned(QPoint a, QPoint b) {
    CRect r(a.x(), a.y(), b.x(), b.y());
    r.NormalizeRect();
    return r;
}

} // namespace

EditInteraction::~EditInteraction() {
    delete m_createBand.data();
}

void EditInteraction::SetCreateType(std::string typeName) {
    m_createType = std::move(typeName);
    delete m_createBand.data();
}

void EditInteraction::Forget(const CDrawObject* element) {
    if (m_forwardTo == element) m_forwardTo = nullptr;
}

void EditInteraction::Press(QPoint at) {
    const CPoint logical = m_view.Dc().DPtoLP(ToCPoint(at));
    if (m_view.IsRunning()) {
        int hit = -1;
        m_view.Select(m_view.ElementAt(logical, hit));
        return;
    }
    if (!m_createType.empty()) {
        m_createStart = at;
        delete m_createBand.data();
        m_createBand = new QRubberBand(QRubberBand::Rectangle, m_view.viewport());
        m_createBand->setGeometry(QRect(at, QSize(1, 1)));
        m_createBand->show();
        return;
    }
    int hit = -1;
    CDrawObject* element = m_view.ElementAt(logical, hit);
    m_view.Select(element);
    if (!element) return;
    if (element->SetupTracker() == 1 && hit <= CDrawObject::kBaseHandleCount) {
        Track(*element, hit, at);
        return;
    }
    element->OnLButtonDown(logical);
    // A handle the element tracks itself is finished when OnLButtonDown returns.
    m_forwardTo = element->m_drag.dragging ? element : nullptr;
    m_view.ElementChanged();
}

void EditInteraction::Track(CDrawObject& element, int handle, QPoint at) {
    const CDC dc = m_view.Dc();
    CRect device = dc.LPtoDP(element.m_rect);
    device.NormalizeRect();
    QRect rect(device.left, device.top, device.Width(), device.Height());
    if (!TrackRect(*m_view.viewport(), handle, at, rect)) return;
    CRect moved;
    if (handle == 0) {
        // A move keeps the size exactly, whatever the zoom does to rounding.
        moved = element.m_rect;
        moved.OffsetRect(dc.DPtoLP(LONG(rect.left() - device.left)),
                         dc.DPtoLP(LONG(rect.top() - device.top)));
    } else {
        moved =
            dc.DPtoLP(CRect(rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()));
    }
    if (moved == element.m_rect) return;
    element.MoveTo(moved);
    m_view.ElementChanged();
}

void EditInteraction::Move(QPoint at) {
    if (m_createBand) {
        const CRect r = Spanned(m_createStart, at);
        m_createBand->setGeometry(r.left, r.top, std::max<LONG>(r.Width(), 1), std::max<LONG>(r.Height(), 1));
        return;
    }
    if (m_forwardTo) {
        m_forwardTo->OnMouseMove(m_view.Dc().DPtoLP(ToCPoint(at)));
        m_view.viewport()->update();
        return;
    }
    ShowCursor(at);
}

void EditInteraction::ShowCursor(QPoint at) {
    if (m_view.IsRunning() || !m_createType.empty()) return;
    CDrawObject* selected = m_view.Selected();
    const CPoint logical = m_view.Dc().DPtoLP(ToCPoint(at));
    int cursor = CDrawObject::kCursorArrow;
    if (selected && selected->ItemHitTest(logical, true) >= 0) cursor = selected->ChangeCursor(logical);
    m_view.viewport()->setCursor(CursorShapeFor(cursor));
}

void EditInteraction::Release(QPoint at) {
    if (m_createBand) {
        FinishCreate(at);
        return;
    }
    if (CDrawObject* element = m_forwardTo) {
        m_forwardTo = nullptr;
        element->OnLButtonUp(m_view.Dc().DPtoLP(ToCPoint(at)));
        m_view.ElementChanged();
    }
}

void EditInteraction::FinishCreate(QPoint at) {
    delete m_createBand.data();
    const std::string typeName = m_createType;
    CElementTypeInfo type;
    if (!CElementTypeRegistry::Instance().Find(typeName, type) || !type.create) {
        emit m_view.statusMessage(QObject::tr("元件类型已不存在: %1").arg(QString::fromStdString(typeName)));
        m_view.SetCreateType({});
        return;
    }
    const CDC dc = m_view.Dc();
    const CRect logical = dc.DPtoLP(Spanned(m_createStart, at));
    m_view.SetCreateType({});
    if (CDrawObject* element = m_view.AddElement(type.create(logical))) m_view.Select(element);
}

void EditInteraction::DoubleClick(QPoint at) {
    if (m_view.IsRunning() || !m_createType.empty()) return;
    int hit = -1;
    if (CDrawObject* element = m_view.ElementAt(m_view.Dc().DPtoLP(ToCPoint(at)), hit)) {
        m_view.Select(element);
        m_view.OpenProperties(element);
    }
}

bool EditInteraction::Key(int key) {
    if (key == Qt::Key_Escape && !m_createType.empty()) {
        m_view.SetCreateType({});
        return true;
    }
    if (m_view.IsRunning()) return false;
    if ((key == Qt::Key_Delete || key == Qt::Key_Backspace) && m_view.Selected()) {
        m_view.RemoveElement(m_view.Selected());
        return true;
    }
    return false;
}
