#pragma once
// What the element needs from the window it shows in its current mode, without knowing the
// window toolkit: the window layer implements it.
#include "Arrays.h"

class CElementWindow {
public:
    virtual ~CElementWindow() = default;
    // Fills widths with the current pixel widths of the window's grid columns and returns true;
    // returns false when the window keeps its stored widths (a state of its own says so).
    virtual bool CurrentColumnWidths(CDWordArray& widths) const = 0;
};
