#include "PopupMenu.h"

#include <utility>

namespace ui {
namespace {
PopupMenuResponder& Installed() {
    static PopupMenuResponder responder;
    return responder;
}
} // namespace

PopupMenuResponder SetPopupMenuResponder(PopupMenuResponder responder) {
    return std::exchange(Installed(), std::move(responder));
}

int TrackPopupMenu(const std::vector<MenuItem>& items, CPoint screen) {
    return Installed() ? Installed()(items, screen) : 0;
}

} // namespace ui
