#include "Button.h"

CButton::CButton(int controlId, CWnd* owner, QWidget* parent, const CString& caption)
    : QCheckBox(ToQString(caption.GetString()), parent), CWnd(*this, controlId, owner) {
    // clicked comes from the user only; setChecked does not send it.
    connect(this, &QCheckBox::clicked, this, [this] { NotifyOwner(BN_CLICKED); });
}

CPushButton::CPushButton(int controlId, CWnd* owner, QWidget* parent, const CString& caption)
    : QPushButton(ToQString(caption.GetString()), parent), CWnd(*this, controlId, owner) {
    connect(this, &QPushButton::clicked, this, [this] { NotifyOwner(BN_CLICKED); });
}

CRadioButton::CRadioButton(int controlId, CWnd* owner, QWidget* parent, const CString& caption)
    : QRadioButton(ToQString(caption.GetString()), parent), CWnd(*this, controlId, owner) {
    connect(this, &QRadioButton::clicked, this, [this] { NotifyOwner(BN_CLICKED); });
}
