#pragma once
// Runs one of the sheet's dialogs modally through ui::RunModal. Its buttons with the ids 1
// (OK) and 2 (Cancel) close it; OK only when accept() agrees (it tells the user why not).
#include <QDialog>

#include <functional>

class CWnd;

// ui::IDOK or ui::IDCANCEL. An installed responder's OK is also subject to accept().
int RunModalForm(QDialog& dialog, CWnd& window, const std::function<bool()>& accept);
