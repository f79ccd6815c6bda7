#include "PrintDialog.h"

#include <QApplication>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>

#include <cstdio>
#include <utility>

namespace ui {
namespace {

PrintDialogResponder& Installed() {
    static PrintDialogResponder responder;
    return responder;
}

} // namespace

PrintDialogResponder SetPrintDialogResponder(PrintDialogResponder responder) {
    return std::exchange(Installed(), std::move(responder));
}

bool PrintDialog(QPrinter& printer) {
    if (Installed()) return Installed()(printer);
    std::fprintf(stderr, "print dialog declined: no dialog installed\n");
    return false;
}

PrintDialogResponder QtPrintDialogResponder(QWidget* parent) {
    QPointer<QWidget> owner(parent);
    return [owner](QPrinter& printer) {
        QPrintDialog dialog(&printer, owner ? owner.data() : QApplication::activeWindow());
        return dialog.exec() == QDialog::Accepted;
    };
}

} // namespace ui
