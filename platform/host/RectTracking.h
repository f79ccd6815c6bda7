#pragma once
// The arithmetic of the rectangle tracker: where a rectangle goes when one of its handles (or,
// with handle 0, the whole rectangle) is dragged by an offset. Handles run clockwise from the
// top-left corner as in CDrawObject::GetDragHandlePoint. The result is normalised, so dragging
// an edge across the opposite one turns the rectangle over instead of making it negative.
#include "Geometry.h"

inline CRect TrackedRect(const CRect& start, int handle, CSize by) {
    CRect r = start;
    const bool left = handle == 1 || handle == 7 || handle == 8;
    const bool right = handle == 3 || handle == 4 || handle == 5;
    const bool top = handle == 1 || handle == 2 || handle == 3;
    const bool bottom = handle == 5 || handle == 6 || handle == 7;
    if (handle == 0) {
        r.OffsetRect(by.cx, by.cy);
        return r;
    }
    if (left) r.left += by.cx;
    if (right) r.right += by.cx;
    if (top) r.top += by.cy;
    if (bottom) r.bottom += by.cy;
    r.NormalizeRect();
    return r;
}
