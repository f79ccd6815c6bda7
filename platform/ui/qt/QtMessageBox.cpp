#include "QtMessageBox.h"

#include "QtConvert.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

namespace ui {

MessageBoxResponder QtMessageBoxResponder(QWidget* parent) {
    // The parent may go before the responder does.
    QPointer<QWidget> owner(parent);
    return [owner](const CString& text, const CString& caption, unsigned type) {
        QWidget* over = owner ? owner.data() : QApplication::activeWindow();
        const QString title = caption.IsEmpty() ? QApplication::applicationDisplayName() : ToQString(caption);
        switch (type & 0xF) {
        case MB_YESNO: {
            QMessageBox box(QMessageBox::Question, title, ToQString(text), QMessageBox::Yes | QMessageBox::No,
                            over);
            box.setEscapeButton(QMessageBox::No);
            return box.exec() == QMessageBox::Yes ? IDYES : IDNO;
        }
        case MB_OKCANCEL: {
            QMessageBox box(QMessageBox::Question, title, ToQString(text),
                            QMessageBox::Ok | QMessageBox::Cancel, over);
            box.setEscapeButton(QMessageBox::Cancel);
            return box.exec() == QMessageBox::Ok ? IDOK : IDCANCEL;
        }
        default: {
            QMessageBox box(QMessageBox::Information, title, ToQString(text), QMessageBox::Ok, over);
            box.exec();
            return IDOK;
        }
        }
    };
}

MessageBoxResponder InstallQtMessageBox(QWidget* parent) {
    return SetMessageBoxResponder(QtMessageBoxResponder(parent));
}

} // namespace ui
