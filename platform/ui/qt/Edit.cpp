#include "Edit.h"

CEdit::CEdit(int controlId, CWnd* owner, QWidget* parent) : QLineEdit(parent), CWnd(*this, controlId, owner) {
    // textEdited comes from the user only; setText does not send it.
    connect(this, &QLineEdit::textEdited, this, [this] { NotifyOwner(EN_CHANGE); });
}

void CEdit::SetWindowText(const CString& text) {
    setText(ToQString(text.GetString()));
}

void CEdit::SetLimitText(int characters) {
    setMaxLength(characters > 0 ? characters : 32767);
}
