#pragma once
// The toolkit's buttons: check box, push button and radio button. Each tells the owner
// BN_CLICKED when the user clicks it (a check box's or radio button's state has already
// changed then).
#include "Controls.h"
#include "QtConvert.h"
#include "Wnd.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

class CButton : public QCheckBox, public CWnd {
public:
    CButton(int controlId, CWnd* owner, QWidget* parent = nullptr, const CString& caption = {});

    void SetCheck(int check) { setChecked(check == BST_CHECKED); }
    int GetCheck() const { return isChecked() ? BST_CHECKED : BST_UNCHECKED; }
    void SetWindowText(const CString& text) { setText(ToQString(text.GetString())); }
    CString GetWindowText() const { return ToCString(text()); }
};

class CPushButton : public QPushButton, public CWnd {
public:
    CPushButton(int controlId, CWnd* owner, QWidget* parent = nullptr, const CString& caption = {});
};

// Radio buttons of one parent widget exclude each other.
class CRadioButton : public QRadioButton, public CWnd {
public:
    CRadioButton(int controlId, CWnd* owner, QWidget* parent = nullptr, const CString& caption = {});

    void SetCheck(int check) { setChecked(check == BST_CHECKED); }
    int GetCheck() const { return isChecked() ? BST_CHECKED : BST_UNCHECKED; }
};
