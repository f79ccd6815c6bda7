// The grid's menu of the table query window and what its commands do.
#include "QueryWindow.h"

#include "FilterDlg.h"
#include "Hooks.h"
#include "PopupMenu.h"
#include "UnitEntrySheet.h"

namespace {
constexpr const char* kCaption = "数据查询";
}

void CQueryWindow::ShowMenu(CPoint screen) {
    const bool writing = EditingAllowed(m_accessWord);
    std::vector<ui::MenuItem> items = {
        {kCmdModify, "修改", writing}, {kCmdDelete, "删除", writing}, {kCmdRefresh, "刷新"},
        {kCmdPrint, "打印"},           {kCmdExport, "输出"},          {kCmdFilter, "筛选"},
    };
    if (m_windowSettings && m_windowSettings->m_dataEntryMenu) items.push_back({kCmdAdd, "增加"});
    if (m_query.IsAnalysisMode()) items.push_back({kCmdChart, m_chartView ? "表格" : "曲线图"});
    if (int command = ui::TrackPopupMenu(items, screen)) OnCommand(command);
}

void CQueryWindow::OnCommand(int command) {
    switch (command) {
    case kCmdModify:
        ModifyRow();
        break;
    case kCmdDelete:
        DeleteSelectedRows();
        break;
    case kCmdRefresh:
        if (m_settings.m_queryStyle == kStyleMenu)
            ShowQueryDialog();
        else
            Refresh(m_settings.m_startFlag == 1 ? 1 : 0);
        break;
    case kCmdPrint:
        PrintGrid(kCaption);
        break;
    case kCmdExport:
        ExportGrid(kCaption);
        break;
    case kCmdAdd:
        AddData();
        break;
    case kCmdChart:
        ToggleChart();
        break;
    case kCmdFilter:
        FilterRows();
        break;
    default:
        break;
    }
}

void CQueryWindow::ModifyRow() {
    if (!EditingAllowed(m_accessWord) || m_edit.row < 1) return;
    if (!CommitEditedRow()) ui::MessageBox(WriteFailureText("数据修改失败!"), kCaption);
}

void CQueryWindow::DeleteSelectedRows() {
    if (!EditingAllowed(m_accessWord) || !m_gridCtrl) return;
    if (ui::MessageBox("删除数据?", kCaption, ui::MB_OKCANCEL) != ui::IDOK) return;
    // The records are rows, or columns when the grid is shown across; statistics rows are none.
    const std::vector<long> records =
        Transposed() ? m_gridCtrl->GetSelectedColumns() : m_gridCtrl->GetSelectedRows();
    for (long record : records) {
        if (record < 1 || record > m_resultRows) continue;
        const long stored = Transposed() ? m_grid.GetColumnRecord(record) : m_grid.GetRowRecord(record);
        if (m_query.DeleteRow(stored) == 1) {
            if (!m_query.LastAuditError().IsEmpty()) ui::MessageBox(m_query.LastAuditError(), kCaption);
        } else {
            CString message;
            message.Format("删除第%d行数据失败！", record);
            if (!m_query.LastWriteError().IsEmpty()) message += "\n" + m_query.LastWriteError();
            ui::MessageBox(message, kCaption);
        }
    }
    RunRefresh(1, kFormGivenStations);
}

void CQueryWindow::AddData() {
    if (!m_windowSettings || !m_windowSettings->m_dataEntryMenu || !m_widget) return;
    OpenUnitEntryForm(m_windowSettings->m_entryFormName, m_widget);
    RunRefresh(1, kFormGivenStations);
}

void CQueryWindow::FilterRows() {
    if (!m_widget) return;
    CFilterDlg dialog(m_query.Settings().Columns(), m_settings.m_tableName, m_widget, m_widget);
    if (dialog.DoModal() != ui::IDOK) return;
    // The dialog ran the condition read-only against the table; the query reads only as well.
    WriteBarRequest();
    m_nextFilter = dialog.GetCondition();
    RunRefresh(1, FormOfSettings());
    m_query.m_request.filter.Empty();
}
