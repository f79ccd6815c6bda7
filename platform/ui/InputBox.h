#pragma once
// A small modal question for one line of text (a station number typed in, for instance), as
// an installable responder like the other modal hooks. Without a responder it answers Cancel.
#include "CString.h"

#include <functional>

namespace ui {

// Answers IDOK with text filled, or IDCANCEL. title is the window's, prompt the caption of
// the box around the edit.
using InputBoxResponder = std::function<int(const CString& title, const CString& prompt, CString& text)>;
InputBoxResponder SetInputBoxResponder(InputBoxResponder responder);
int InputBox(const CString& title, const CString& prompt, CString& text);

} // namespace ui
