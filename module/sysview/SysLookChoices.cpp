#include "SysLookChoices.h"

#include "QueryClient.h"
#include "SqlText.h"

const char* const kDisplayModesStatement =
    "select dismodeid,typename,showt from KES.SET_DISPLAY_MODE order by dismodeid ";
const char* const kTableNamesStatement =
    "select tname from KES.SET_DB_TABLE_NAME where sta=1 ORDER BY tname ";

namespace {

constexpr const char* kColumnsStatement =
    "select "
    "tname,colname,colnamech,colnamelen,datatypeid,datasize,datadecimal,nulltypeid,Projmodeid,Datadesc,"
    "Point,restrictdata from KES.SET_TABLE_COL_NAME";

// Column i of every row of the statement, right-trimmed.
CStringArray ColumnOfRows(CQueryClient& client, const CString& sql, int i) {
    CStringArray texts;
    if (client.Query(sql) != 1) return texts;
    for (int r = 0; r < client.GetRowCount(); ++r) {
        const CStringArray& row = client.m_rows[r];
        if (i >= row.GetSize()) continue;
        CString text = row[i];
        texts.Add(text.TrimRight());
    }
    client.ClearRows();
    return texts;
}

CString Trimmed(CString text) {
    text.Trim();
    return text;
}

} // namespace

CString TableColumnsStatement(const CString& table) {
    return CString(kColumnsStatement) + " where tname=" + QuoteLiteral(table) + " ";
}

CStringArray DisplayModeChoices(CQueryClient& client) {
    CStringArray choices;
    if (client.Query(kDisplayModesStatement) != 1) return choices;
    for (int r = 0; r < client.GetRowCount(); ++r) {
        const CStringArray& row = client.m_rows[r];
        if (row.GetSize() < 2) continue;
        CString choice;
        choice.Format("%s(%s)", Trimmed(row[1]).GetString(), Trimmed(row[0]).GetString());
        choices.Add(choice);
    }
    client.ClearRows();
    return choices;
}

CStringArray TableChoices(CQueryClient& client) {
    return ColumnOfRows(client, kTableNamesStatement, 0);
}

CStringArray ColumnChoices(CQueryClient& client, const CString& table) {
    return ColumnOfRows(client, TableColumnsStatement(table), 1);
}

void FillEntryGrid(CGridIterator& grid, const CObjectArray<CSysViewEntry>& entries) {
    constexpr const char* kHeaders[] = {" ", "表名", "中文名", "时间字段"};
    grid.SetDisplayModeInit();
    grid.SetColumnCount(4);
    grid.SetRowCount(entries.GetSize() + 1);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    for (long col = 0; col < 4; ++col) {
        CGridCellPro pro;
        pro.m_strText = kHeaders[col];
        pro.m_nKind = col == 0 ? GRID_KIND_DEFAULT : GRID_KIND_TEXT;
        pro.m_nAlign = GRID_ALIGN_LEFT;
        grid.SetColumnHeader(col, pro);
    }
    CString number;
    for (int i = 0; i < entries.GetSize(); ++i) {
        const CSysViewEntry& e = entries[i];
        number.Format("%d", i + 1);
        grid.SetItemText(i + 1, 0, number);
        grid.SetItemText(i + 1, 1, e.m_table.str());
        grid.SetItemText(i + 1, 2, e.m_second.str());
        grid.SetItemText(i + 1, 3, e.m_column.str());
    }
}

CObjectArray<CSysViewEntry> EntriesFromGrid(const CGridIterator& grid) {
    CObjectArray<CSysViewEntry> entries;
    for (long row = 1; row < grid.GetRowCount(); ++row) {
        auto e = std::make_unique<CSysViewEntry>();
        e->m_table = grid.GetItemText(row, 1);
        e->m_second = grid.GetItemText(row, 2);
        e->m_column = grid.GetItemText(row, 3);
        entries.Add(std::move(e));
    }
    return entries;
}

bool DeleteEntryRows(CObjectArray<CSysViewEntry>& entries, long first, long last) {
    if (first < 1 || last < first) return false;
    const long end = std::min<long>(last, entries.GetSize());
    for (long row = end; row >= first; --row)
        entries.RemoveAt(int(row - 1));
    return end >= first;
}

bool MoveEntryRowsUp(CObjectArray<CSysViewEntry>& entries, long first, long last) {
    if (first <= 1 || last < first || last > entries.GetSize()) return false;
    // The entry just above the selection goes just below it.
    std::unique_ptr<CSysViewEntry> above = entries.TakeAt(int(first - 2));
    entries.RemoveAt(int(first - 2));
    entries.InsertAt(int(last - 1), std::move(above));
    return true;
}

bool MoveEntryRowsDown(CObjectArray<CSysViewEntry>& entries, long first, long last) {
    if (first < 1 || last < first || last >= entries.GetSize()) return false;
    // The entry just below the selection goes to its top.
    std::unique_ptr<CSysViewEntry> below = entries.TakeAt(int(last));
    entries.RemoveAt(int(last));
    entries.InsertAt(int(first - 1), std::move(below));
    return true;
}
