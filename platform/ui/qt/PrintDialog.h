#pragma once
// The print dialog as an installable responder: it sets up the printer (device, pages, or an
// output file) and answers whether to print. Without an installed responder the answer is
// Cancel and nothing is printed.
#include <functional>

class QPrinter;
class QWidget;

namespace ui {

using PrintDialogResponder = std::function<bool(QPrinter& printer)>;
PrintDialogResponder SetPrintDialogResponder(PrintDialogResponder responder);
// True when the printer is set up and printing should go ahead.
bool PrintDialog(QPrinter& printer);

// The windowed build's responder: a QPrintDialog over parent (nullptr: the active window).
PrintDialogResponder QtPrintDialogResponder(QWidget* parent = nullptr);

} // namespace ui
