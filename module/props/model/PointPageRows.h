#pragma once
// Page "点数据查询" (dialog 902) without its window: the grid of point entries and taking it
// back, and the style entries of a chosen grid display mode.
#include "Arrays.h"
#include "GridIterator.h"
#include "PointQuerySettings.h"

class CQueryClient;

// Headers " ", "站名", "站号", "瞬间值", "平均值", "最大值", "最小值"; one row per point entry:
// its number from 1, name, id and the four flags.
void FillPointGrid(CGridIterator& grid, const CObjectArray<CPointEntry>& points);
// Each grid row from 1 gives the entry of the same position its name, id and flags; a flag
// cell counts as the integer it holds, limited to 0 or 1.
void TakePointGrid(const CGridIterator& grid, CObjectArray<CPointEntry>& points);

// The style entries of a display mode chosen as "类型名(模式号)": one per row of its settings,
// foreground and background colour and font; none without a mode id or when the lookup fails.
CObjectArray<CStyleEntry> DisplayModeStyles(CQueryClient& client, const CString& modeText);
