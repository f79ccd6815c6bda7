#include "SysLookGrid.h"

#include "ComplexString.h"
#include "QueryClient.h"
#include "SqlText.h"

namespace {

constexpr const char* kHeaders[] = {" ", "表名", "中文名", "数据量", "开始时间", "结束时间"};
constexpr long kColumns = 6;

CString Field(const CStringArray& row, int i) {
    CString text = i < row.GetSize() ? row[i] : CString();
    text.Trim();
    return text;
}

} // namespace

CString DisplayModeId(const CString& modeText) {
    const int open = modeText.ReverseFind('(');
    const int close = modeText.ReverseFind(')');
    if (open < 0 || close < open) return {};
    CString id = modeText.Mid(open + 1, close - open - 1);
    id.Trim();
    return IsSqlNumber(id) ? id : CString();
}

CString DisplayStylesStatement(const CString& modeText) {
    const CString id = DisplayModeId(modeText);
    if (id.IsEmpty()) return {};
    return "select dismodeid,colid,colorfg,colorbg,font from KES.SET_DISPLAY_MODE_INI where dismodeid= " +
           id + " order by dismodeid ,colid ";
}

std::vector<CDisplayStyle> LoadDisplayStyles(CQueryClient& client, const CString& modeText) {
    std::vector<CDisplayStyle> styles;
    const CString sql = DisplayStylesStatement(modeText);
    if (sql.IsEmpty() || client.Query(sql) != 1) return styles;
    for (int i = 0; i < client.GetRowCount(); ++i) {
        const CStringArray& row = client.m_rows[i];
        CDisplayStyle style;
        style.foreground = COLORREF(TextToLong(Field(row, 2).str()));
        style.background = COLORREF(TextToLong(Field(row, 3).str()));
        CComplexString::DecomposeString(Field(row, 4), style.font);
        styles.push_back(style);
    }
    client.ClearRows();
    return styles;
}

void FillInventoryGrid(CGridIterator& grid, const std::vector<CInventoryRow>& rows,
                       const std::vector<CDisplayStyle>& styles, const CInterfaceSettings& face,
                       COLORREF background) {
    grid.SetDisplayModeInit();
    grid.SetColumnCount(kColumns);
    grid.SetRowCount(long(rows.size()) + 1);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    grid.SetBkColor(background);
    for (long col = 0; col < kColumns; ++col) {
        CGridCellPro pro;
        pro.m_strText = kHeaders[col];
        pro.m_nAlign = GRID_ALIGN_LEFT;
        if (!styles.empty()) {
            const CDisplayStyle& style = styles[std::size_t(col) % styles.size()];
            pro.m_font = style.font;
            pro.m_crText = style.foreground;
        }
        pro.m_crBack = 0xFFFFFF;
        grid.SetColumnHeader(col, pro);
    }
    CString number;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const CInventoryRow& r = rows[i];
        const long row = long(i) + 1;
        number.Format("%d", int(row));
        grid.SetItemText(row, 0, number);
        const CString* cells[] = {&r.table, &r.chineseName, r.Counted() ? &r.count : &r.failure, &r.earliest,
                                  &r.latest};
        for (long col = 1; col < kColumns; ++col)
            grid.SetItemText(row, col, cells[col - 1]->str());
        if (!r.Counted()) grid.SetItemFgColour(row, 3, kInventoryFailureColour);
    }
    if (face.m_alternateRows == 1)
        grid.SetRowStripes(1, long(rows.size()), 0, face.m_firstRowColor, face.m_secondRowColor);
}
