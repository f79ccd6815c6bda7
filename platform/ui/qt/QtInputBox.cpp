#include "QtInputBox.h"

#include "DialogButtons.h"
#include "Hooks.h"

#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

InputBoxResponder QtInputBoxResponder(QWidget* parent) {
    return [parent](const CString& title, const CString& prompt, CString& text) {
        QDialog dialog(parent ? parent : QApplication::activeWindow());
        dialog.setWindowTitle(QString::fromStdString(title.str()));
        auto* box = new QGroupBox(QString::fromStdString(prompt.str()), &dialog);
        auto* edit = new QLineEdit(QString::fromStdString(text.str()), box);
        auto* boxLayout = new QVBoxLayout(box);
        boxLayout->addWidget(edit);
        auto* buttons = MakeOkCancelButtons(dialog);
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(box);
        layout->addWidget(buttons);
        if (dialog.exec() != QDialog::Accepted) return IDCANCEL;
        text = edit->text().toStdString();
        return IDOK;
    };
}

} // namespace ui
