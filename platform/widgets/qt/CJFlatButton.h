#pragma once
// A flat icon button of the widget library: no frame until the pointer is over it, 20 x 20
// pixels for the icon, a tooltip. Tells the owner BN_CLICKED when the user clicks it.
#include "Controls.h"
#include "QtConvert.h"
#include "Wnd.h"

#include <QToolButton>

class CCJFlatButton : public QToolButton, public CWnd {
public:
    CCJFlatButton(int controlId, CWnd* owner, QWidget* parent = nullptr);

    void SetIcon(const QIcon& icon) { setIcon(icon); }
    void SetTooltipText(const CString& text) { setToolTip(ToQString(text.GetString())); }
    void SetWindowText(const CString& text) { setText(ToQString(text.GetString())); }
};
