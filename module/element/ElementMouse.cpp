// The element in the editor: it follows the mouse itself rather than the host's tracker, so
// that its two extra handles (the positions kept with the element) can be dragged too.
#include "VexorQueryElemOBJ.h"

#include "HostServices.h"

#include <algorithm>

namespace {
bool IsBaseHandle(int handle) {
    return handle >= 1 && handle <= CDrawObject::kBaseHandleCount;
}
} // namespace

int CVexorQueryElemOBJ::ChangeCursor(CPoint point) {
    const int handle = ItemHitTest(point, true);
    if (IsBaseHandle(handle)) return TrackerCursor(handle);
    if (m_runState == 0) {
        if (handle == 0) return kCursorSizeAll;
        if (handle > kBaseHandleCount) return kCursorCross;
    }
    return kCursorArrow;
}

void CVexorQueryElemOBJ::OnLButtonDown(CPoint point) {
    if (m_runState != 0) return;
    const int handle = ItemHitTest(point, true);
    if (IsBaseHandle(handle)) {
        const CHostServices& host = HostServices();
        if (host.releaseCapture) host.releaseCapture();
        const CDC dc = GetMainWndDC();
        // The tracker's frame lies 4 pixels outside the element.
        CRect tracked = dc.LPtoDP(m_rect);
        tracked.InflateRect(4, 4);
        if (host.trackRect && host.trackRect(m_parentWnd, handle, dc.LPtoDP(point), tracked)) {
            tracked.InflateRect(-4, -4);
            tracked.NormalizeRect();
            InvalidateItem();
            MoveTo(dc.DPtoLP(tracked));
            InvalidateItem();
        }
        m_drag = {};
        return;
    }
    m_drag.handle = handle;
    m_drag.dragging = handle >= 0;
    m_drag.start = m_drag.current = point;
}

void CVexorQueryElemOBJ::OnLButtonUp(CPoint point) {
    if (m_runState != 0 || !m_drag.dragging) return;
    CRectObj::OnLButtonUp(point);
    const LONG dx = m_drag.current.x - m_drag.start.x;
    const LONG dy = m_drag.current.y - m_drag.start.y;
    if (m_drag.handle == 0) {
        CRect moved = m_rect;
        moved.OffsetRect(dx, dy);
        InvalidateItem();
        MoveTo(moved);
    } else if (m_drag.handle == kBaseHandleCount + 1) {
        m_handleOffset1 += 2 * dx;
    } else if (m_drag.handle == kBaseHandleCount + 2) {
        m_handleOffset2 += 2 * dy;
    }
    m_handleOffset1 = std::clamp<int>(m_handleOffset1, 0, std::max<int>(0, m_rect.Width()));
    m_handleOffset2 = std::clamp<int>(m_handleOffset2, 0, std::max<int>(0, m_rect.Height()));
    InvalidateItem();
}
