#pragma once
// The host's rectangle tracker: a modal drag of one handle (1..8) of a rectangle, or of the
// whole rectangle (handle 0), with a rubber band following the mouse until the button is
// released. Esc abandons the drag. Coordinates are those of the widget the band is shown in.
#include <QRect>

class QWidget;

// True with rect moved to where the user let go; false (rect untouched) when abandoned.
bool TrackRect(QWidget& area, int handle, QPoint start, QRect& rect);
