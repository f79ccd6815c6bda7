#pragma once
// The host's main window as elements see it: how logical units of the display map to its
// pixels, and where to draw. The mapping is a zoom (numerator / denominator, 1 / 1 by default,
// so an element of 1020 x 695 logical units is 1020 x 695 pixels at 100 %) around the scroll
// position of the view: device = (logical - scroll) * zoom.
#include "DrawObject.h"
#include "Geometry.h"

#include <cmath>

// Drawing of the generic elements, supplied by the window layer (the host paints with Qt).
class CDrawSurface {
public:
    virtual ~CDrawSurface() = default;
    virtual void Rectangle(const CRect& device, const CLineStyle& line, const CFillStyle& fill) = 0;
    virtual void Text(const CRect& device, const CString& text, const CTextStyle& style) = 0;
};

class CDC {
public:
    CDC() = default;
    CDC(CPoint scroll, int numerator, int denominator, CDrawSurface* surface = nullptr)
        : m_scroll(scroll), m_numerator(numerator > 0 ? numerator : 1),
          m_denominator(denominator > 0 ? denominator : 1), m_surface(surface) {}

    CPoint LPtoDP(CPoint p) const { return {Scale(p.x - m_scroll.x), Scale(p.y - m_scroll.y)}; }
    CPoint DPtoLP(CPoint p) const { return {Unscale(p.x) + m_scroll.x, Unscale(p.y) + m_scroll.y}; }
    CRect LPtoDP(const CRect& r) const {
        CPoint a = LPtoDP(CPoint{r.left, r.top}), b = LPtoDP(CPoint{r.right, r.bottom});
        return {a.x, a.y, b.x, b.y};
    }
    CRect DPtoLP(const CRect& r) const {
        CPoint a = DPtoLP(CPoint{r.left, r.top}), b = DPtoLP(CPoint{r.right, r.bottom});
        return {a.x, a.y, b.x, b.y};
    }
    // Lengths (offsets, sizes) without the scroll position.
    LONG LPtoDP(LONG length) const { return Scale(length); }
    LONG DPtoLP(LONG length) const { return Unscale(length); }

    int Numerator() const { return m_numerator; }
    int Denominator() const { return m_denominator; }
    CPoint Scroll() const { return m_scroll; }
    CDrawSurface* Surface() const { return m_surface; }

private:
    LONG Scale(LONG v) const { return LONG(std::lround(double(v) * m_numerator / m_denominator)); }
    LONG Unscale(LONG v) const { return LONG(std::lround(double(v) * m_denominator / m_numerator)); }

    CPoint m_scroll;
    int m_numerator = 1;
    int m_denominator = 1;
    CDrawSurface* m_surface = nullptr; // not owned: valid while the host paints
};
