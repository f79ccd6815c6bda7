#include "LoginDialog.h"

#include "QtConvert.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QVBoxLayout>

namespace ui {

CLoginDialog::CLoginDialog(const CString& prompt, QWidget* parent)
    : QDialog(parent), m_prompt(new QLabel(ToQString(prompt.GetString()), this)), m_user(new QLineEdit(this)),
      m_password(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("登录"));
    m_user->setObjectName(QStringLiteral("user"));
    m_password->setObjectName(QStringLiteral("password"));
    m_password->setEchoMode(QLineEdit::Password);
    m_prompt->setWordWrap(true);
    m_prompt->setVisible(!prompt.IsEmpty());

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("用户名:"), m_user);
    form->addRow(QStringLiteral("密码:"), m_password);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_prompt);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void CLoginDialog::SetUser(const CString& user) {
    m_user->setText(ToQString(user.GetString()));
    if (!user.IsEmpty()) m_password->setFocus();
}

kes::Credentials CLoginDialog::GetCredentials() const {
    return {ToCString(m_user->text().trimmed()), ToCString(m_password->text())};
}

kes::CredentialResponder QtLoginResponder(QWidget* parent) {
    QPointer<QWidget> owner(parent);
    return [owner](const CString& prompt, kes::Credentials& answer) {
        CLoginDialog dialog(prompt, owner ? owner.data() : QApplication::activeWindow());
        dialog.SetUser(answer.user);
        if (dialog.exec() != QDialog::Accepted) return false;
        answer = dialog.GetCredentials();
        dialog.PasswordEdit().clear(); // the password stays nowhere but in the answer
        return true;
    };
}

} // namespace ui
