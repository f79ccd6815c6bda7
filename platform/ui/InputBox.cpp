#include "InputBox.h"

#include "Hooks.h"

#include <utility>

namespace ui {
namespace {
InputBoxResponder& Installed() {
    static InputBoxResponder responder;
    return responder;
}
} // namespace

InputBoxResponder SetInputBoxResponder(InputBoxResponder responder) {
    return std::exchange(Installed(), std::move(responder));
}

int InputBox(const CString& title, const CString& prompt, CString& text) {
    return Installed() ? Installed()(title, prompt, text) : IDCANCEL;
}

} // namespace ui
