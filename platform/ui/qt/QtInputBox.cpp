#include "QtInputBox.h"

#include "Hooks.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
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
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
        buttons->button(QDialogButtonBox::Ok)->setText("确定");
        buttons->button(QDialogButtonBox::Cancel)->setText("取消");
        QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(box);
        layout->addWidget(buttons);
        if (dialog.exec() != QDialog::Accepted) return IDCANCEL;
        text = edit->text().toStdString();
        return IDOK;
    };
}

} // namespace ui
