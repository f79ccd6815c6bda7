#pragma once
// Page "功能选择" (dialog 900): the element's mode and the look of its grid, over a copy of the
// interface settings that travels as their property string. "设置" edits the sheet's copy of the
// system-view settings with dialog 911.
#include "InterfaceSettings.h"
#include "SysViewSettings.h"
#include "Wnd.h"

#include <QWidget>

#include <memory>

namespace Ui {
class CSelectProp;
}

class CSelectProp : public QWidget, public CWnd {
public:
    static constexpr int kDialogId = 900;

    // sysView: the sheet's copy of the element's system-view settings.
    CSelectProp(const CString& interfaceText, CSysViewSettings& sysView, CWnd* owner, QWidget* parent);
    ~CSelectProp() override;

    // Reads the controls back into the property string; false with the page's message when a
    // number is refused (the page stays as it is).
    bool Save(CString& interfaceText, CString& message);

private:
    void Load();
    void ShowRowColours();
    void ShowElementChoice();
    void OpenSysViewSettings();

    std::unique_ptr<Ui::CSelectProp> m_ui;
    CInterfaceSettings m_face;
    CSysViewSettings& m_sysView;
};
