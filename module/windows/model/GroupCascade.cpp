// Narrowing the station list by the filter lists, and the quick search over its initials.
#include "QueryClient.h"
#include "QuickSearch.h"
#include "SelectionGroups.h"

std::vector<CString> CSelectionGroups::CascadeConditions(const std::vector<int>& comboSelections) const {
    std::vector<CString> conditions;
    std::vector<int> filters = FilterIndices();
    for (std::size_t f = 0; f < filters.size(); ++f) {
        const CSelectGroup& g = m_groups[std::size_t(filters[f])];
        int i = f < comboSelections.size() ? comboSelections[f] - 1 : -1;
        CString key = i >= 0 && i < g.GetCount() ? g.keys[i] : CString();
        CString column = g.keyColumn;
        key.Trim();
        column.Trim();
        CString condition;
        if (i < 0 || key.IsEmpty() || column.IsEmpty()) {
            // The label is selected: the group's own restriction, already in "KEY IN(...)" form.
            condition = g.condition;
            condition.Trim();
        } else {
            condition.Format("%s IN(%s)", column.GetString(), KeyLiteral(key).GetString());
        }
        if (!condition.IsEmpty()) conditions.push_back(condition);
    }
    return conditions;
}

CString CSelectionGroups::CascadeStatement(const std::vector<CString>& conditions) const {
    const CSelectGroup* s = Station();
    if (!s) return {};
    CString sql;
    sql.Format("SELECT %s,%s FROM KES.%s ", s->nameColumn.GetString(), s->keyColumn.GetString(),
               s->table.GetString());
    bool first = true;
    for (const CString& c : conditions) {
        sql += (first ? "WHERE " : " AND ") + c;
        first = false;
    }
    CString own = s->condition;
    own.Trim();
    if (!own.IsEmpty()) sql += (first ? "WHERE " : " AND ") + own;
    CString order;
    order.Format(" ORDER BY %s ASC ", s->keyColumn.GetString());
    return sql + order;
}

void CSelectionGroups::ApplyCascade(const std::vector<CString>& conditions) {
    CSelectGroup* s = Station();
    if (!s) return;
    CString sql = CascadeStatement(conditions);
    s->ClearItems();
    m_client.Query(sql);
    for (const auto& row : m_client.m_rows) {
        if (!row || row->GetSize() < 2) continue;
        s->AddItem((*row)[0], (*row)[1], pinyinEnabled);
    }
    m_client.ClearRows();
    TakeMasterCopy();
}

void CSelectionGroups::QuickSearch(const CString& text) {
    CSelectGroup* s = Station(); // the group the master copy was taken of
    if (!s) return;
    if (m_master.initials.GetSize() != m_master.GetCount()) { // without initials nothing can match
        s->CopyItemsFrom(m_master);
        return;
    }
    // The kept items are copied from the master in one pass: removing the others one by one
    // moves the kept ones again for every removal, tens of milliseconds a keystroke on a list
    // of thousands of stations.
    const std::vector<int> kept = ::QuickSearch(m_master.initials, text);
    s->ClearItems();
    for (CStringArray* items : {&s->initials, &s->displayTexts, &s->names, &s->keys})
        items->Reserve(int(kept.size()));
    for (int i : kept) {
        s->initials.Add(m_master.initials[i]);
        s->displayTexts.Add(m_master.displayTexts[i]);
        s->names.Add(m_master.names[i]);
        s->keys.Add(m_master.keys[i]);
    }
}
