#include "ModalForm.h"

#include "FormControls.h"
#include "Hooks.h"

#include <QAbstractButton>

int RunModalForm(QDialog& dialog, CWnd& window, const std::function<bool()>& accept) {
    constexpr int kOk = 1;
    constexpr int kCancel = 2;
    const QMetaObject::Connection ok =
        QObject::connect(FindControl<QAbstractButton>(dialog, kOk), &QAbstractButton::clicked, &dialog, [&] {
            if (accept()) dialog.accept();
        });
    const QMetaObject::Connection cancel = QObject::connect(
        FindControl<QAbstractButton>(dialog, kCancel), &QAbstractButton::clicked, &dialog, &QDialog::reject);
    bool accepted = false;
    const int answer = ui::RunModal(window, [&] {
        accepted = dialog.exec() == QDialog::Accepted;
        return accepted ? ui::IDOK : ui::IDCANCEL;
    });
    QObject::disconnect(ok);
    QObject::disconnect(cancel);
    if (answer != ui::IDOK) return ui::IDCANCEL;
    return accepted || accept() ? ui::IDOK : ui::IDCANCEL;
}
