#pragma once
// The windowed build's pop-up menu: a QMenu at the point, its items in order.
#include "PopupMenu.h"

namespace ui {
PopupMenuResponder QtPopupMenuResponder();
}
