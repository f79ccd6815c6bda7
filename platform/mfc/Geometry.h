#pragma once
// Points, sizes and rectangles in integer units (logical or device, as the caller says).
#include "Types.h"

#include <algorithm>

struct CPoint {
    LONG x = 0, y = 0;
    CPoint() = default;
    CPoint(LONG x_, LONG y_) : x(x_), y(y_) {}
    void Offset(LONG dx, LONG dy) {
        x += dx;
        y += dy;
    }
    friend bool operator==(const CPoint&, const CPoint&) = default;
};

struct CSize {
    LONG cx = 0, cy = 0;
    CSize() = default;
    CSize(LONG cx_, LONG cy_) : cx(cx_), cy(cy_) {}
    friend bool operator==(const CSize&, const CSize&) = default;
};

struct CRect {
    LONG left = 0, top = 0, right = 0, bottom = 0;
    CRect() = default;
    CRect(LONG l, LONG t, LONG r, LONG b) : left(l), top(t), right(r), bottom(b) {}
    CRect(CPoint topLeft, CSize size)
        : left(topLeft.x), top(topLeft.y), right(topLeft.x + size.cx), bottom(topLeft.y + size.cy) {}

    LONG Width() const { return right - left; }
    LONG Height() const { return bottom - top; }
    CSize Size() const { return {Width(), Height()}; }
    CPoint TopLeft() const { return {left, top}; }
    CPoint BottomRight() const { return {right, bottom}; }
    CPoint CenterPoint() const { return {(left + right) / 2, (top + bottom) / 2}; }
    bool IsRectEmpty() const { return Width() <= 0 || Height() <= 0; }
    bool PtInRect(CPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }

    void SetRect(LONG l, LONG t, LONG r, LONG b) { *this = CRect(l, t, r, b); }
    void OffsetRect(LONG dx, LONG dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    void InflateRect(LONG dx, LONG dy) {
        left -= dx;
        right += dx;
        top -= dy;
        bottom += dy;
    }
    void NormalizeRect() {
        if (left > right) std::swap(left, right);
        if (top > bottom) std::swap(top, bottom);
    }
    friend bool operator==(const CRect&, const CRect&) = default;
};
