#pragma once
// Dialog 913 "筛选条件" of the table query window: a WHERE fragment put together from column,
// operator and value, joined with " OR " and " AND ", or typed by hand. "应用" checks it against
// the window's table on the read-only path and refuses a condition the database does not take.
#include "ConditionBuilder.h"
#include "Wnd.h"

#include <QDialog>

#include <memory>
#include <vector>

namespace Ui {
class CFilterDlg;
}

class CFilterDlg : public QDialog, public CWnd {
public:
    static constexpr int kDialogId = 913;

    // columns: the window's column list (index 0 an empty record); table: the window's table.
    CFilterDlg(const CObjectArray<CQueryColumn>& columns, const CString& table, CWnd* owner,
               QWidget* parent = nullptr);
    ~CFilterDlg() override;

    int DoModal();
    // " (condition) " after "应用", empty when there is none.
    const CString& GetCondition() const { return m_result; }

private:
    void ChooseField(int index);
    void AddPiece(bool orJoin);
    bool Accept();

    std::unique_ptr<Ui::CFilterDlg> m_ui;
    std::vector<CQueryColumn> m_columns;
    CString m_table;
    CFilterCondition m_pieces;
    CString m_result;
};
