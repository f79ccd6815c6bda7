#pragma once
// A check box. Tells the owner BN_CLICKED when the user clicks it (its state has already
// changed then).
#include "Controls.h"
#include "QtConvert.h"
#include "Wnd.h"

#include <QCheckBox>

class CButton : public QCheckBox, public CWnd {
public:
    CButton(int controlId, CWnd* owner, QWidget* parent = nullptr, const CString& caption = {});

    void SetCheck(int check) { setChecked(check == BST_CHECKED); }
    int GetCheck() const { return isChecked() ? BST_CHECKED : BST_UNCHECKED; }
    void SetWindowText(const CString& text) { setText(ToQString(text.GetString())); }
    CString GetWindowText() const { return ToCString(text()); }
};
