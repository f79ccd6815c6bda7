#pragma once
// A one-line text field. Tells the owner EN_CHANGE when the user changes the text.
#include "Controls.h"
#include "QtConvert.h"
#include "Wnd.h"

#include <QLineEdit>

class CEdit : public QLineEdit, public CWnd {
public:
    CEdit(int controlId, CWnd* owner, QWidget* parent = nullptr);

    void SetWindowText(const CString& text);
    CString GetWindowText() const { return ToCString(text()); }
    // Longest text in characters the user may enter; 0 means no limit.
    void SetLimitText(int characters);
};
