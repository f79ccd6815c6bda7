#include "GridRows.h"

#include <string>

void StartTextGrid(CGridIterator& grid, std::initializer_list<const char*> headers, int rows) {
    grid.SetDisplayModeInit();
    grid.SetColumnCount(long(headers.size()));
    grid.SetRowCount(rows + 1);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    long col = 0;
    for (const char* header : headers) {
        CGridCellPro pro;
        pro.m_strText = header;
        pro.m_nKind = col == 0 ? GRID_KIND_DEFAULT : GRID_KIND_TEXT;
        pro.m_nAlign = GRID_ALIGN_LEFT;
        grid.SetColumnHeader(col++, pro);
    }
}

void SetNumberedRow(CGridIterator& grid, long row, std::initializer_list<std::string_view> texts) {
    grid.SetItemText(row, 0, std::to_string(row));
    grid.SetRowTexts(row, 1, texts);
}
