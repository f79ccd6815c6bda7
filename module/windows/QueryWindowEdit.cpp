// Sorting by a header click and editing rows of the table query window.
#include "QueryWindow.h"

#include "DataService.h"
#include "Hooks.h"
#include "HostServices.h"

#include <algorithm>

namespace {
constexpr const char* kCaption = "数据查询";
} // namespace

void CQueryWindow::SortByHeader(long column) {
    const long results = m_resultRows;
    if (column < 1 || Transposed() || results < 1) return;
    // An edit not yet written goes in before the rows move, or the sort waits.
    if (EditingAllowed(m_accessWord) && m_edit.row >= 1 && !CommitEditedRow()) {
        ui::MessageBox(WriteFailureText("数据修改失败!"), kCaption);
        return;
    }
    ui::CWaitCursor wait;
    // Only the result rows move: the statistics rows stay below them.
    const CString order = CHeaderSort::LastSort().Click(column);
    if (!m_grid.SortData(column, order.str(), 1, results)) return;
    Restripe();
    m_edit.Clear();
    if (m_gridCtrl) {
        m_gridCtrl->Refresh();
        m_gridCtrl->SetSortIndicator(column, order == "ASC");
    }
}

void CQueryWindow::Restripe() {
    const long last = std::min(m_resultRows, m_grid.GetRowCount() - 1);
    if (last >= 1) m_query.ApplyRowColours(m_grid, 1, last);
}

void CQueryWindow::BeginEdit() {
    if (!EditingNeedsLogin(m_accessWord)) return;
    if (!AskToModify(kCaption)) return;
    m_accessWord = "WRITE";
    m_loggedIn = true;
    if (m_gridCtrl) m_gridCtrl->SetEditable(true);
}

void CQueryWindow::LoadEditedRow(long index) {
    ::LoadEditedRow(m_edit, m_grid, index, m_query.Settings().VisibleCount(), Transposed());
}

bool CQueryWindow::CommitEditedRow() {
    const bool edited =
        RecordTexts(m_grid, m_edit.row, m_query.Settings().VisibleCount(), Transposed()) != m_edit.previous;
    if (::CommitEditedRow(m_edit, m_grid, m_query, Transposed()) != 1) return false;
    if (!edited) return true;
    // The record now holds what is stored, its data property included.
    if (m_edit.record >= 0) {
        m_query.ApplyDataPropertyColours(m_grid, m_edit.row, Transposed());
        if (m_gridCtrl) m_gridCtrl->Refresh();
    }
    // The change is in the database; a missing audit record is the one thing left to say.
    if (!m_query.LastAuditError().IsEmpty()) {
        ShowHostStatus("数据查询 " + m_settings.m_tableName + ": " + m_query.LastAuditError());
        ui::MessageBox(m_query.LastAuditError(), kCaption);
    } else {
        ShowHostStatus("数据查询 " + m_settings.m_tableName + ": 已保存");
    }
    return true;
}

CString CQueryWindow::WriteFailureText(const char* question) const {
    CString text = question;
    if (!m_query.LastWriteError().IsEmpty()) text += "\n" + m_query.LastWriteError();
    return text;
}

void CQueryWindow::SelectionMoved(long row, long column) {
    const long index = Transposed() ? column : row;
    if (index < 1) return;
    // Read-only, the row under the selection is still the one a login will let the user edit.
    if (!EditingAllowed(m_accessWord)) {
        LoadEditedRow(index);
        return;
    }
    if (m_edit.row >= 1 && index != m_edit.row && !CommitEditedRow()) {
        if (ui::MessageBox(WriteFailureText("数据修改失败，是否放弃?"), kCaption, ui::MB_OKCANCEL) ==
            ui::IDOK) {
            RunRefresh(1, kFormGivenStations);
        } else if (m_gridCtrl) {
            // Stay on the row that could not be written: the current cell and the highlight go
            // back there once the click that left it has been handled to its end.
            const long backRow = Transposed() ? row : m_edit.row;
            const long backColumn = Transposed() ? m_edit.row : column;
            QMetaObject::invokeMethod(
                m_gridCtrl.data(),
                [grid = m_gridCtrl, backRow, backColumn] {
                    if (grid) grid->SetFocusCell(backRow, backColumn);
                },
                Qt::QueuedConnection);
        }
        return;
    }
    if (index != m_edit.row) LoadEditedRow(index);
    AddNewRecordPlace(row, column);
}

// Reaching the last row (the last column under the table's Direct(V)) opens an empty one for a
// new record, unless the last one is still empty.
void CQueryWindow::AddNewRecordPlace(long row, long column) {
    const bool across = m_query.Settings().DirectWord() == "V";
    const long last = across ? m_grid.GetColumnCount() - 1 : m_grid.GetRowCount() - 1;
    if ((across ? column : row) == last && last >= 1) NewRecordPlace();
}

long CQueryWindow::NewRecordPlace() {
    const CString& direct = m_query.Settings().DirectWord();
    const bool across = direct == "V";
    if (!across && direct != "H") return -1;
    const long last = across ? m_grid.GetColumnCount() - 1 : m_grid.GetRowCount() - 1;
    if (last < 1) return -1;
    const long cells = across ? m_grid.GetRowCount() : m_grid.GetColumnCount();
    for (long i = 1; i < cells; ++i) {
        if (!(across ? m_grid.GetCellView(i, last) : m_grid.GetCellView(last, i)).empty()) {
            if (across)
                m_grid.InsertColumn(last + 1);
            else
                m_grid.InsertRow(last + 1);
            if (m_gridCtrl) m_gridCtrl->Refresh();
            return last + 1;
        }
    }
    return last;
}

void CQueryWindow::InsertNewRecord() {
    if (!EditingAllowed(m_accessWord) || !m_gridCtrl) return;
    const long place = NewRecordPlace();
    if (place < 1) return;
    // Moving there commits the record being left, as any move does.
    const bool across = m_query.Settings().DirectWord() == "V";
    m_gridCtrl->SetFocusCell(across ? 1 : place, across ? place : 1);
}

void CQueryWindow::ApplyColumnWidths() {
    if (!m_face || !m_gridCtrl) return;
    const std::vector<int> widths = StoredColumnWidths(*m_face, m_grid.GetColumnCount());
    for (std::size_t col = 0; col < widths.size(); ++col)
        if (widths[col] >= 0) m_gridCtrl->SetColumnWidth(long(col), widths[col]);
}

bool CQueryWindow::CurrentColumnWidths(CDWordArray& widths) const {
    // Only a grid that holds the table's columns has widths to keep: the empty grid before the
    // first query (or after a failed one) would replace the stored list by its header column.
    // Nor does a grid of settings taken over from a linked element: its widths are not this
    // element's.
    if (!m_gridCtrl || m_grid.GetColumnCount() < 2 || m_adopted) return false;
    widths.RemoveAll();
    // A grid of headings alone shows the stored widths when it applied them; else its widths are
    // defaults, the row-number column's 0 among them, which would hide the numbers once applied.
    const bool headingsOnly = m_grid.GetRowCount() <= m_grid.GetFixedRowCount();
    if (headingsOnly && !(m_face && m_face->m_fixedColumns && !m_face->m_columnWidths.IsEmpty()))
        return false;
    for (long col = 0; col < m_grid.GetColumnCount(); ++col)
        widths.Add(DWORD(m_gridCtrl->GetColumnWidth(col)));
    // A column the element list hides keeps the width it had, to come back with it.
    if (m_face && m_face->m_elementChoice && !m_face->m_columnWidths.IsEmpty()) {
        const CDWordArray& stored = m_face->m_columnWidths;
        for (long col = 0; col < widths.GetSize() && col < m_face->m_elementList.GetSize(); ++col)
            if (m_face->m_elementList[col] == 0)
                widths[col] = stored[std::min<long>(col, stored.GetSize() - 1)];
    }
    return true;
}

void CQueryWindow::StoreColumnWidths(CInterfaceSettings& face) {
    CDWordArray widths;
    if (CurrentColumnWidths(widths)) face.m_columnWidths = widths;
}
