#pragma once
// The selection items of "高级设置" as its buttons and its filter grid change them. Filter items
// stand first (a new one goes to the front), the station and time items after them; the
// filter grid lists the filter items, grid row r holding item r - 1.
#include "Arrays.h"
#include "GridIterator.h"
#include "SelectItem.h"

#include <memory>

using CSelectItems = CObjectArray<CSelectItem>;

// "时间条件": every time item goes; ticked, one time item keyed on the time column is appended.
void SetTimeItem(CSelectItems& items, bool on, const CString& timeColumn);

// The key mapping "label(scheme id)" of an item, and of the first station item (empty for none).
CString KeyMappingText(const CSelectItem& item);
CString KeyMappingText(const CSelectItems& items);

// "增加": a new station item keyed on the station column, preset with the scheme, label and
// condition of the existing station item.
std::unique_ptr<CSelectItem> NewStationItem(const CSelectItems& items, const CString& stationColumn);
// On OK of "增加选择": the new station item replaces every existing one.
void ReplaceStationItem(CSelectItems& items, std::unique_ptr<CSelectItem> station);

// The filter items: how many stand first, a new one at the front, and the tool strip's edits on
// the selected grid rows first..last (see ListRowEdits.h), which never reach past them.
int FilterItemCount(const CSelectItems& items);
std::unique_ptr<CSelectItem> NewFilterItem();
void AddFilterItem(CSelectItems& items, std::unique_ptr<CSelectItem> filter);
bool DeleteFilterRows(CSelectItems& items, long first, long last);
bool MoveFilterRowsUp(CSelectItems& items, long first, long last);
bool MoveFilterRowsDown(CSelectItems& items, long first, long last);

// The filter grid: headers " ", "名称", "表名", "名称字段", "ID字段", "说明" and one numbered row
// per filter item.
void FillFilterGrid(CGridIterator& grid, const CSelectItems& items);
