#include "Hooks.h"

#include <cstdio>
#include <utility>

namespace ui {
namespace {

MessageBoxResponder& Installed() {
    static MessageBoxResponder responder;
    return responder;
}

} // namespace

MessageBoxResponder SetMessageBoxResponder(MessageBoxResponder responder) {
    return std::exchange(Installed(), std::move(responder));
}

int MessageBox(const CString& text, const CString& caption, unsigned type) {
    if (Installed()) return Installed()(text, caption, type);
    std::fprintf(stderr, "%s%s%s\n", caption.GetString(), caption.IsEmpty() ? "" : ": ", text.GetString());
    // A question that nobody can answer is declined; a plain notice is acknowledged.
    if ((type & 0xF) == MB_YESNO) return IDNO;
    return (type & 0xF) == MB_OKCANCEL ? IDCANCEL : IDOK;
}

} // namespace ui
