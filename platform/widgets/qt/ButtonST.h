#pragma once
// Push buttons of the widget library. Each tells its owner BN_CLICKED when the user clicks it.
//     CButtonST       a push button with a text and an optional icon
//     CButtonSTRadio  a CButtonST that stays pressed once clicked; the owner releases the others
//                     of its group (SetCheck), so exclusivity is the owner's decision
#include "Controls.h"
#include "QtConvert.h"
#include "Wnd.h"

#include <QPushButton>

class CButtonST : public QPushButton, public CWnd {
public:
    CButtonST(int controlId, CWnd* owner, QWidget* parent = nullptr, const CString& caption = {});

    void SetWindowText(const CString& text) { setText(ToQString(text.GetString())); }
    CString GetWindowText() const { return ToCString(text()); }
    void SetIcon(const QIcon& icon) { setIcon(icon); }
    void SetTooltipText(const CString& text) { setToolTip(ToQString(text.GetString())); }
    // Colours of the face (COLORREF); the button keeps its own look until one is set.
    void SetColors(COLORREF background, COLORREF text);

protected:
    // What a user click does before the owner hears of it.
    virtual void OnUserClick() {}
};

class CButtonSTRadio : public CButtonST {
public:
    CButtonSTRadio(int controlId, CWnd* owner, QWidget* parent = nullptr, const CString& caption = {});

    void SetCheck(int check) { setChecked(check == BST_CHECKED); }
    int GetCheck() const { return isChecked() ? BST_CHECKED : BST_UNCHECKED; }

protected:
    void OnUserClick() override;
};
