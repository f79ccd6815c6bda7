#pragma once
// Dialog 910 "增加条件过滤主关键字": one condition typed by hand that restricts the keys a
// station item offers. OK checks it against the item's table on the read-only path.
#include "CString.h"
#include "Wnd.h"

#include <QDialog>

#include <memory>

namespace Ui {
class CKeyFilterDlg;
}

class CKeyFilterDlg : public QDialog, public CWnd {
public:
    static constexpr int kDialogId = 910;

    // condition: the text the edit starts with; table: where the condition must hold.
    CKeyFilterDlg(const CString& condition, const CString& table, CWnd* owner, QWidget* parent = nullptr);
    ~CKeyFilterDlg() override;

    int DoModal();
    // " (text) " after OK (see KeyFilterCondition).
    const CString& Condition() const { return m_condition; }

private:
    bool Accept();

    std::unique_ptr<Ui::CKeyFilterDlg> m_ui;
    CString m_table;
    CString m_condition;
};
