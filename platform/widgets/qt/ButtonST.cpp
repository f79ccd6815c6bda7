#include "ButtonST.h"

CButtonST::CButtonST(int controlId, CWnd* owner, QWidget* parent, const CString& caption)
    : QPushButton(ToQString(caption.GetString()), parent), CWnd(*this, controlId, owner) {
    setAutoDefault(false);
    // clicked comes from the user (or click()), never from setChecked.
    connect(this, &QPushButton::clicked, this, [this] {
        OnUserClick();
        NotifyOwner(BN_CLICKED);
    });
}

void CButtonST::SetColors(COLORREF background, COLORREF text) {
    QPalette colours = palette();
    colours.setColor(QPalette::Button, ToQColor(background));
    colours.setColor(QPalette::Window, ToQColor(background));
    colours.setColor(QPalette::ButtonText, ToQColor(text));
    setPalette(colours);
    setAutoFillBackground(true);
}

CButtonSTRadio::CButtonSTRadio(int controlId, CWnd* owner, QWidget* parent, const CString& caption)
    : CButtonST(controlId, owner, parent, caption) {
    setCheckable(true);
}

void CButtonSTRadio::OnUserClick() {
    // A click on the pressed button leaves it pressed: a radio button is released only by
    // choosing another one.
    setChecked(true);
}
