#include "SelectionItems.h"

#include "GridRows.h"
#include "ListRowEdits.h"
#include "SettingsLists.h"

void SetTimeItem(CSelectItems& items, bool on, const CString& timeColumn) {
    for (int i = items.GetSize() - 1; i >= 0; --i)
        if (items[i].kind == kSelectTime) items.RemoveAt(i);
    if (!on) return;
    auto time = std::make_unique<CSelectItem>();
    time->kind = kSelectTime;
    time->keyColumn = timeColumn;
    items.Add(std::move(time));
}

CString KeyMappingText(const CSelectItem& item) {
    return NameWithCode(item.label, item.schemeId);
}

CString KeyMappingText(const CSelectItems& items) {
    for (const auto& item : items)
        if (item && item->kind == kSelectStation) return KeyMappingText(*item);
    return {};
}

std::unique_ptr<CSelectItem> NewStationItem(const CSelectItems& items, const CString& stationColumn) {
    auto station = std::make_unique<CSelectItem>();
    for (const auto& item : items)
        if (item && item->kind == kSelectStation) {
            station->schemeId = item->schemeId;
            station->label = item->label;
            station->condition = item->condition;
            break;
        }
    station->kind = kSelectStation;
    station->keyColumn = stationColumn;
    return station;
}

void ReplaceStationItem(CSelectItems& items, std::unique_ptr<CSelectItem> station) {
    for (int i = items.GetSize() - 1; i >= 0; --i)
        if (items[i].kind == kSelectStation) items.RemoveAt(i);
    items.Add(std::move(station));
}

int FilterItemCount(const CSelectItems& items) {
    int count = 0;
    while (count < items.GetSize() && items[count].kind == kSelectFilter)
        ++count;
    return count;
}

std::unique_ptr<CSelectItem> NewFilterItem() {
    auto filter = std::make_unique<CSelectItem>();
    filter->kind = kSelectFilter;
    return filter;
}

void AddFilterItem(CSelectItems& items, std::unique_ptr<CSelectItem> filter) {
    items.InsertAt(0, std::move(filter));
}

namespace {

// Runs a list edit on the filter items alone, so that it never reaches the station and time
// items after them.
bool EditFilters(CSelectItems& items, bool (*edit)(CSelectItems&, long, long), long first, long last) {
    CSelectItems filters;
    for (int i = FilterItemCount(items); i > 0; --i) {
        filters.Add(items.TakeAt(0));
        items.RemoveAt(0);
    }
    const bool changed = edit(filters, first, last);
    for (int i = filters.GetSize() - 1; i >= 0; --i)
        items.InsertAt(0, filters.TakeAt(i));
    return changed;
}

} // namespace

bool DeleteFilterRows(CSelectItems& items, long first, long last) {
    return EditFilters(items, DeleteListRows<CSelectItem>, first, last);
}

bool MoveFilterRowsUp(CSelectItems& items, long first, long last) {
    return EditFilters(items, MoveListRowsUp<CSelectItem>, first, last);
}

bool MoveFilterRowsDown(CSelectItems& items, long first, long last) {
    return EditFilters(items, MoveListRowsDown<CSelectItem>, first, last);
}

void FillFilterGrid(CGridIterator& grid, const CSelectItems& items) {
    const int count = FilterItemCount(items);
    StartTextGrid(grid, {" ", "名称", "表名", "名称字段", "ID字段", "说明"}, count);
    for (int i = 0; i < count; ++i) {
        const CSelectItem& item = items[i];
        SetNumberedRow(grid, i + 1,
                       {item.label.str(), item.table.str(), item.nameColumn.str(), item.keyColumn.str(),
                        item.condition.str()});
    }
}
