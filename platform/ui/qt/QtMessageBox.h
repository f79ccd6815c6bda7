#pragma once
// The windowed build's answer to ui::MessageBox: a modal QMessageBox.
#include "Hooks.h"

class QWidget;

namespace ui {

// A responder that asks with a QMessageBox over parent (nullptr: the active window). OK-only
// boxes answer IDOK, OK/Cancel boxes IDOK or IDCANCEL, Yes/No boxes IDYES or IDNO; closing the
// box without a button counts as the negative answer.
MessageBoxResponder QtMessageBoxResponder(QWidget* parent = nullptr);
// Installs it and returns the responder it replaces.
MessageBoxResponder InstallQtMessageBox(QWidget* parent = nullptr);

} // namespace ui
