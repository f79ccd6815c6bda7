#pragma once
// How the view paints elements: the generic drawing of the core through a QPainter, the
// frame an element without a picture of its own gets while the display is edited, and the
// selection handles.
#include "DeviceContext.h"

class QPainter;

class QtDrawSurface : public CDrawSurface {
public:
    explicit QtDrawSurface(QPainter& painter) : m_painter(painter) {}
    void Rectangle(const CRect& device, const CLineStyle& line, const CFillStyle& fill) override;
    void Text(const CRect& device, const CString& text, const CTextStyle& style) override;

private:
    QPainter& m_painter;
};

// A light frame with the type name, so that elements which draw nothing themselves (their
// windows show them at run time) stay visible and can be grabbed in the editor.
void PaintEditFrame(QPainter& painter, const CDC& dc, const CDrawObject& element);
// Handles 1..8 as filled squares, the element's extra handles as open ones.
void PaintHandles(QPainter& painter, const CDC& dc, const CDrawObject& element);
