#pragma once
// Dialog 912 "增加选择": one table for the system view, chosen from the configured tables, with
// its Chinese name and, when it has one, its time column chosen from the table's columns.
#include "SysViewSettings.h"
#include "Wnd.h"

#include <QDialog>

class CComboBox;
class CEdit;

class CSysLookAddDlg : public QDialog, public CWnd {
public:
    static constexpr int kDialogId = 912;
    static constexpr int kTableList = 1047;
    static constexpr int kTimeList = 1048;
    static constexpr int kNameEdit = 1100;
    static constexpr const char* kNote = "系统查看说明\n如果该表有时间的字段则选择时间\n否则只需要选择表";

    // Reads the configured tables; OK fills entry.
    CSysLookAddDlg(CSysViewEntry& entry, QWidget* parent = nullptr);

    const CStringArray& Tables() const { return m_tables; }
    const CStringArray& Columns() const { return m_columns; }

    void accept() override;

protected:
    void OnChildNotify(const CNotify& notify) override;

private:
    void LoadColumns();

    CSysViewEntry& m_entry;
    CStringArray m_tables;
    CStringArray m_columns;
    CComboBox* m_tableList; // Qt children of the dialog
    CComboBox* m_timeList;
    CEdit* m_name;
};
