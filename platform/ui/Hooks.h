#pragma once
// Installable responders for everything that would stop and ask the user. The windowed build
// installs dialogs; tests and the command-line tool install their own (record, print, answer).
// Without an installed responder a message box prints to standard error and answers OK, and
// a question answers Cancel, so nothing ever blocks.
#include "CString.h"

#include <functional>

namespace ui {

// Message box type bits and answers, as the windowing toolkit numbers them.
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_OKCANCEL = 0x1;
constexpr unsigned MB_YESNO = 0x4;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

using MessageBoxResponder = std::function<int(const CString& text, const CString& caption, unsigned type)>;

// Installs a responder and returns the one it replaces (an empty one restores the default).
MessageBoxResponder SetMessageBoxResponder(MessageBoxResponder responder);
// Shows a message through the installed responder and returns its answer.
int MessageBox(const CString& text, const CString& caption = {}, unsigned type = MB_OK);

} // namespace ui
