#pragma once
// Dialog 905 "增加选择": fills one selection item from a projection scheme. In filter mode the
// engineer picks the scheme's values the item keeps; in station mode the item maps the station
// key to names, narrowed by an optional key filter ("增加条件", dialog 910). The item's scheme
// id, label and condition are the preset.
#include "AddSelectChoices.h"
#include "Wnd.h"

#include <QDialog>

#include <memory>
#include <vector>

namespace Ui {
class CAddSelectDlg;
}

class CAddSelectDlg : public QDialog, public CWnd {
public:
    static constexpr int kDialogId = 905;

    CAddSelectDlg(CSelectItem& item, bool stationMode, CWnd* owner, QWidget* parent = nullptr);
    ~CAddSelectDlg() override;

    // OK fills the item; with the blank scheme entry chosen, OK is refused with a message.
    int DoModal();

private:
    void ShowScheme();
    void ChooseScheme(int listIndex);
    void SelectAllValues(bool select);
    void EditKeyFilter();
    bool Accept();

    std::unique_ptr<Ui::CAddSelectDlg> m_ui;
    CSelectItem& m_item;
    bool m_stationMode;
    std::vector<CProjectionScheme> m_schemes;
    int m_scheme = -1; // index into m_schemes
    CString m_condition;
};
