#include "ColumnGrid.h"

#include "GridRows.h"
#include "SettingsLists.h"

namespace {

enum : long { kHeadingCol = 2, kPositionCol = 4, kDirectiveCol = 5 };
constexpr long kSchemeCol = kSchemeGridColumn;

} // namespace

CString SchemeChoicesStatement() {
    return "select projmodeid,typename from KES.SET_PROJECTION_MODE ORDER BY projmodeid";
}

CStringArray LoadSchemeChoices(CQueryClient& client) {
    CStringArray choices;
    ForEachTrimmedRow(client, SchemeChoicesStatement(), 2,
                      [&](const CStringArray& row) { choices.Add(NameWithCode(row[0], row[1])); });
    return choices;
}

void FillColumnGrid(CGridIterator& grid, const CColumnList& columns, const CStringArray& schemeChoices) {
    const int count = std::max(columns.GetSize() - 1, 0);
    StartTextGrid(grid, {" ", "表字段", "中文名称", "映射方案", "排列位置", "约束命令"}, count);
    // A list cell keeps the code after the last "(": the scheme id behind each choice.
    CGridCellPro scheme = grid.GetColumnHeader(kSchemeCol);
    scheme.m_nKind = GRID_KIND_LIST;
    scheme.m_values.Add("()"); // no scheme
    for (const CString& choice : schemeChoices)
        scheme.m_values.Add(choice + "(" + choice.Left(choice.Find('(')) + ")");
    grid.SetColumnHeader(kSchemeCol, scheme);
    for (int i = 1; i <= count; ++i) {
        const CQueryColumn& c = columns[i];
        const std::string position = std::to_string(c.Point);
        SetNumberedRow(
            grid, i,
            {c.colname.str(), c.colnamech.str(), c.Projmodeid.str(), position, c.restrictdata.str()});
    }
}

void ColumnsFromGrid(const CGridIterator& grid, CColumnList& columns) {
    for (long row = 1; row < grid.GetRowCount() && row < columns.GetSize(); ++row) {
        CQueryColumn& c = columns[int(row)];
        c.colnamech = grid.GetItemText(row, kHeadingCol);
        c.Projmodeid = grid.GetItemText(row, kSchemeCol);
        c.Point = TextToInt(grid.GetItemText(row, kPositionCol).str());
        c.restrictdata = grid.GetItemText(row, kDirectiveCol);
    }
}
