#pragma once
// What the system view shows, without a window: the display styles of its headers, read from
// the display-mode tables, and the grid of inventory rows the viewer and its tests fill alike.
#include "GridIterator.h"
#include "InterfaceSettings.h"
#include "LogFont.h"
#include "SystemInventory.h"

#include <vector>

class CQueryClient;

// The look of one column's header.
struct CDisplayStyle {
    COLORREF foreground = 0;
    COLORREF background = 0xFFFFFF;
    LOGFONT font{};
};

// Text colour of the cell that holds a table's reason instead of its count.
constexpr COLORREF kInventoryFailureColour = 0x0000FF;

// The display-mode id of a chosen display mode ("水情(3)" gives "3"); empty when the text holds
// no number in parentheses, so no statement is built from anything else.
CString DisplayModeId(const CString& modeText);
// The statement that reads the styles of a display mode; empty without a mode id.
CString DisplayStylesStatement(const CString& modeText);
// One style per row of the display mode's settings; none when the mode has none or the
// statement fails.
std::vector<CDisplayStyle> LoadDisplayStyles(CQueryClient& client, const CString& modeText);

// The viewer's grid: the header row " ", "表名", "中文名", "数据量", "开始时间", "结束时间" in
// the display styles, then one row per inventory row numbered from 1. A table that could not be
// counted shows the database's reason in red in its count cell. Rows alternate between the first
// and second row colour when the interface settings say so.
void FillInventoryGrid(CGridIterator& grid, const std::vector<CInventoryRow>& rows,
                       const std::vector<CDisplayStyle>& styles, const CInterfaceSettings& face,
                       COLORREF background);
