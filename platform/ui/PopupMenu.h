#pragma once
// Pop-up menus as an installable responder, like the other modal hooks: the windowed build
// shows a menu at the point and answers the chosen command; tests answer a command of their
// choice and keep what was offered. Without a responder nothing is chosen.
#include "CString.h"
#include "Geometry.h"

#include <functional>
#include <vector>

namespace ui {

struct MenuItem {
    int id = 0; // 0: a separator
    CString text;
    bool enabled = true;
    bool checked = false;
};

// Answers the id of the chosen item, 0 when the menu was dismissed.
using PopupMenuResponder = std::function<int(const std::vector<MenuItem>& items, CPoint screen)>;
PopupMenuResponder SetPopupMenuResponder(PopupMenuResponder responder);
int TrackPopupMenu(const std::vector<MenuItem>& items, CPoint screen);

} // namespace ui
