#include "PointPageRows.h"

#include "SysLookGrid.h"

#include <algorithm>

namespace {
constexpr const char* kHeaders[] = {" ", "站名", "站号", "瞬间值", "平均值", "最大值", "最小值"};
constexpr long kColumns = 7;
constexpr long kFirstFlag = 3;
} // namespace

void FillPointGrid(CGridIterator& grid, const CObjectArray<CPointEntry>& points) {
    grid.SetDisplayModeInit();
    grid.SetColumnCount(kColumns);
    grid.SetRowCount(points.GetSize() + 1);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    for (long col = 0; col < kColumns; ++col) {
        CGridCellPro pro;
        pro.m_strText = kHeaders[col];
        pro.m_nKind = col == 0 ? GRID_KIND_DEFAULT : GRID_KIND_TEXT;
        pro.m_nAlign = col < kFirstFlag ? GRID_ALIGN_LEFT : GRID_ALIGN_CENTER;
        grid.SetColumnHeader(col, pro);
    }
    CString text;
    for (int i = 0; i < points.GetSize(); ++i) {
        const CPointEntry& p = points[i];
        text.Format("%d", i + 1);
        grid.SetItemText(i + 1, 0, text.str());
        grid.SetItemText(i + 1, 1, p.m_name.str());
        grid.SetItemText(i + 1, 2, p.m_number.str());
        for (int k = 0; k < 4; ++k) {
            text.Format("%d", p.m_values[k]);
            grid.SetItemText(i + 1, kFirstFlag + k, text.str());
        }
    }
}

void TakePointGrid(const CGridIterator& grid, CObjectArray<CPointEntry>& points) {
    const long rows = std::min<long>(grid.GetRowCount() - 1, points.GetSize());
    for (long row = 1; row <= rows; ++row) {
        CPointEntry& p = points[int(row - 1)];
        p.m_name = grid.GetItemText(row, 1);
        p.m_number = grid.GetItemText(row, 2);
        for (int k = 0; k < 4; ++k)
            p.m_values[k] = std::clamp(TextToInt(grid.GetItemText(row, kFirstFlag + k).str()), 0, 1);
    }
}

CObjectArray<CStyleEntry> DisplayModeStyles(CQueryClient& client, const CString& modeText) {
    CObjectArray<CStyleEntry> entries;
    for (const CDisplayStyle& style : LoadDisplayStyles(client, modeText)) {
        auto e = std::make_unique<CStyleEntry>();
        e->m_first = long(style.foreground);
        e->m_second = long(style.background);
        e->m_font = style.font;
        entries.Add(std::move(e));
    }
    return entries;
}
