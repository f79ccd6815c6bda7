#pragma once
// The login dialog behind kes::SetCredentialResponder: user name and a masked password.
#include "Login.h"

#include <QDialog>

class QLabel;
class QLineEdit;

namespace ui {

class CLoginDialog : public QDialog {
    Q_OBJECT
public:
    explicit CLoginDialog(const CString& prompt, QWidget* parent = nullptr);

    void SetUser(const CString& user);
    kes::Credentials GetCredentials() const;

    QLineEdit& UserEdit() const { return *m_user; }
    QLineEdit& PasswordEdit() const { return *m_password; }

private:
    QLabel* m_prompt;
    QLineEdit* m_user;
    QLineEdit* m_password;
};

// Asks with a CLoginDialog over parent (nullptr: the active window); the user field starts with
// the name the caller proposes.
kes::CredentialResponder QtLoginResponder(QWidget* parent = nullptr);

} // namespace ui
