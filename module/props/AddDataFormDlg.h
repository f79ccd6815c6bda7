#pragma once
// Dialog 916 "选择数据增加对话框": a drop-down list of the unit entry forms, the first one
// chosen. On OK the chosen name, trimmed, is the form the query window's "增加" opens.
#include "ComboBox.h"
#include "Wnd.h"

#include <QDialog>

class CAddDataFormDlg : public QDialog, public CWnd {
public:
    static constexpr int kDialogId = 916;
    static constexpr int kFormList = 1000;

    explicit CAddDataFormDlg(QWidget* parent);

    // The chosen name, trimmed; empty when nothing is chosen.
    CString SelectedForm() const;
    CComboBox* FormList() const { return m_list; }

private:
    CComboBox* m_list;
};
