#pragma once
// One selection group of a query bar: a filter list, the station list or the time block, with
// the items it lists. Names, keys, display texts "name(key)" and (with the pinyin table on)
// initials always hold one entry per item, in the same order.
#include "Arrays.h"
#include "CString.h"
#include "SelectItem.h"

#include <array>

class CSelectGroup {
public:
    CSelectGroup() = default;
    explicit CSelectGroup(const CSelectItem& item);

    CString schemeId; // projection scheme; its number chooses the list statement
    CString label;    // entry 0 of a filter list, title of the station list
    CString table;    // in schema KES
    CString nameColumn;
    CString keyColumn;
    CStringArray initials;
    CStringArray displayTexts;
    CString showFlag;
    int kind = kSelectFilter;
    CString further;
    CString condition;            // SQL condition of the group, may be empty
    std::array<int, 4> rowRect{}; // left, top, right, bottom of its row
    CStringArray names;
    CStringArray keys;

    int GetCount() const { return keys.GetSize(); }
    void ClearItems();
    // Appends one item; the initials are those of the display text.
    void AddItem(const CString& name, const CString& key, bool withInitials);
    void RemoveItem(int index);
    // The items of the other group (same columns); used to restore from the master copy.
    void CopyItemsFrom(const CSelectGroup& other);
};

// A key value as an SQL literal: a number as it stands, anything else quoted.
CString KeyLiteral(const CString& key);

// The statement that lists a group's items as rows (key, name), or empty when the group has
// no list: a missing table or column, or a scheme id of 30000 or more.
CString GroupListStatement(const CSelectGroup& group);

// "KEY IN(...)" from a configured filter condition, a parenthesised list of keys; empty when
// the column or the list is empty.
CString FilterCondition(const CString& keyColumn, const CString& configuredList);
