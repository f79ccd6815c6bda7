#pragma once
// The windowed build's dialogs behind every hook: message box and question, wait cursor,
// save-file dialog, colour dialog, print dialog, login and pop-up menus.
#include "Hooks.h"

#include <QStringList>

class QWidget;

namespace ui {

// Installs all of them; dialogs open over parent (nullptr: the active window).
void InstallQtResponders(QWidget* parent = nullptr);

// Each responder on its own.
WaitCursorResponder QtWaitCursorResponder();
SaveFileResponder QtSaveFileResponder(QWidget* parent = nullptr);
ColorResponder QtColorResponder(QWidget* parent = nullptr);
FontResponder QtFontResponder(QWidget* parent = nullptr);

// A filter text of pairs "description|patterns|...|" as the file dialog wants it: one entry
// "description (patterns)" per pair, patterns separated by spaces.
QStringList ToQtNameFilters(const CString& filter);

} // namespace ui
