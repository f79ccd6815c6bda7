#include "Button.h"

CButton::CButton(int controlId, CWnd* owner, QWidget* parent, const CString& caption)
    : QCheckBox(ToQString(caption.GetString()), parent), CWnd(*this, controlId, owner) {
    // clicked comes from the user only; setChecked does not send it.
    connect(this, &QCheckBox::clicked, this, [this] { NotifyOwner(BN_CLICKED); });
}
