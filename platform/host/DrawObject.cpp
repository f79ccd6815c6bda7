#include "DrawObject.h"

#include "ElementTypeRegistry.h"
#include "HostServices.h"

#include <cstdlib>

namespace {

void SerializeFont(CArchive& ar, LOGFONT& f) {
    if (ar.IsStoring()) {
        ar << f.lfHeight << f.lfWidth << f.lfEscapement << f.lfOrientation << f.lfWeight;
        ar << f.lfItalic << f.lfUnderline << f.lfStrikeOut << f.lfCharSet << f.lfOutPrecision
           << f.lfClipPrecision << f.lfQuality << f.lfPitchAndFamily;
        ar << f.lfFaceName;
    } else {
        ar >> f.lfHeight >> f.lfWidth >> f.lfEscapement >> f.lfOrientation >> f.lfWeight;
        ar >> f.lfItalic >> f.lfUnderline >> f.lfStrikeOut >> f.lfCharSet >> f.lfOutPrecision >>
            f.lfClipPrecision >> f.lfQuality >> f.lfPitchAndFamily;
        ar >> f.lfFaceName;
    }
}

} // namespace

void CDrawObject::Serialize(CArchive& ar) {
    ArchiveField(ar, m_rect.left);
    ArchiveField(ar, m_rect.top);
    ArchiveField(ar, m_rect.right);
    ArchiveField(ar, m_rect.bottom);
}

void CDrawObject::BaseDuplicate(const CDrawObject& from) {
    m_rect = from.m_rect;
    m_typeName = from.m_typeName;
    m_textStyle = from.m_textStyle;
    m_lineStyle = from.m_lineStyle;
    m_fillStyle = from.m_fillStyle;
}

CPoint CDrawObject::GetDragHandlePoint(int handle) const {
    const CRect& r = m_rect;
    LONG cx = r.left + r.Width() / 2;
    LONG cy = r.top + r.Height() / 2;
    switch (handle) {
    case 1:
        return {r.left, r.top};
    case 2:
        return {cx, r.top};
    case 3:
        return {r.right, r.top};
    case 4:
        return {r.right, cy};
    case 5:
        return {r.right, r.bottom};
    case 6:
        return {cx, r.bottom};
    case 7:
        return {r.left, r.bottom};
    case 8:
        return {r.left, cy};
    default:
        return r.CenterPoint();
    }
}

int CDrawObject::HitTestHandle(CPoint point, int tolerance) const {
    int best = 0;
    long bestDistance = 0;
    for (int handle = 1; handle <= GetHandleCount(); ++handle) {
        CPoint p = GetDragHandlePoint(handle);
        long dx = std::labs(long(p.x) - point.x);
        long dy = std::labs(long(p.y) - point.y);
        if (dx > tolerance || dy > tolerance) continue;
        long distance = dx * dx + dy * dy;
        if (best == 0 || distance <= bestDistance) {
            best = handle;
            bestDistance = distance;
        }
    }
    return best;
}

void CDrawObject::RegisterObject(std::string_view typeName, const CElementIcon& icon,
                                 std::unique_ptr<CDrawObject> (*create)(const CRect& drawn)) {
    CElementTypeRegistry::Instance().Register({std::string(typeName), icon, create});
}

void CDrawObject::DeleteObjectInfo(std::string_view typeName) {
    CElementTypeRegistry::Instance().Remove(typeName);
}

int CDrawObject::RegisterUserWnd(const CDrawObject* object, int requestedId) {
    return CUserWndRegistry::Instance().Register(object, requestedId);
}

bool CDrawObject::UnRegisterUserWnd(const CDrawObject* object, int id) {
    return CUserWndRegistry::Instance().Unregister(object, id);
}

int CDrawObject::ItemHitTest(CPoint point, bool selected) const {
    if (selected)
        if (int handle = HitTestHandle(point, kHandleTolerance)) return handle;
    CRect r = m_rect;
    r.NormalizeRect();
    return r.PtInRect(point) ? 0 : -1;
}

int CDrawObject::TrackerCursor(int handle) {
    switch (handle) {
    case 1:
    case 5:
        return kCursorSizeNWSE;
    case 3:
    case 7:
        return kCursorSizeNESW;
    case 2:
    case 6:
        return kCursorSizeNS;
    case 4:
    case 8:
        return kCursorSizeWE;
    default:
        return kCursorArrow;
    }
}

int CDrawObject::ChangeCursor(CPoint point) {
    int handle = ItemHitTest(point, true);
    if (handle > 0) return TrackerCursor(handle);
    return handle == 0 ? kCursorSizeAll : kCursorArrow;
}

void CDrawObject::Draw(CDC& dc) {
    if (CDrawSurface* surface = dc.Surface()) surface->Rectangle(dc.LPtoDP(m_rect), m_lineStyle, m_fillStyle);
}

void CDrawObject::MoveDraw(CDC& dc) {
    CRect r = m_rect;
    r.OffsetRect(m_drag.current.x - m_drag.start.x, m_drag.current.y - m_drag.start.y);
    if (CDrawSurface* surface = dc.Surface()) surface->Rectangle(dc.LPtoDP(r), m_lineStyle, CFillStyle{});
}

CRect CDrawObject::GetRefreshRgn(const CDC& dc) const {
    CRect r = dc.LPtoDP(m_rect);
    r.NormalizeRect();
    r.InflateRect(kHandleTolerance + 2, kHandleTolerance + 2);
    return r;
}

void CDrawObject::InvalidateItem() const {
    if (const CHostServices& s = HostServices(); s.invalidate)
        s.invalidate(m_parentWnd, GetRefreshRgn(GetMainWndDC()));
}

void CDrawObject::OnLButtonDown(CPoint point) {
    m_drag.handle = ItemHitTest(point, true);
    m_drag.dragging = m_drag.handle >= 0;
    m_drag.start = m_drag.current = point;
}

void CDrawObject::OnMouseMove(CPoint point) {
    if (m_drag.dragging) m_drag.current = point;
}

void CDrawObject::OnLButtonUp(CPoint point) {
    if (m_drag.dragging) m_drag.current = point;
    m_drag.dragging = false;
}

void CDrawObject::MoveTo(const CRect& position) {
    m_rect = position;
}

void CDrawObject::OffsetObject(CSize by) {
    m_rect.OffsetRect(by.cx, by.cy);
}

void CRectObj::Serialize(CArchive& ar) {
    CDrawObject::Serialize(ar);
    ArchiveField(ar, m_lineStyle.color);
    ArchiveField(ar, m_lineStyle.width);
    ArchiveField(ar, m_lineStyle.style);
    ArchiveField(ar, m_fillStyle.color);
    ArchiveField(ar, m_fillStyle.filled);
    ArchiveField(ar, m_fillStyle.pattern);
    SerializeFont(ar, m_textStyle.font);
    ArchiveField(ar, m_textStyle.color);
}

int DriveObjects(const std::vector<std::unique_ptr<CDrawObject>>& objects, const CDrawObjectDrive& drive,
                 std::string_view typeName) {
    int driven = 0;
    for (const auto& object : objects) {
        if (!object || (!typeName.empty() && object->m_typeName.str() != typeName)) continue;
        if (object->ObjectDrive(drive)) ++driven;
    }
    return driven;
}
