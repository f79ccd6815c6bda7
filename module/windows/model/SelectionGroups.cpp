#include "SelectionGroups.h"

#include "QueryClient.h"
#include "SqlText.h"

void CSelectionGroups::Clear() {
    m_groups.clear();
    m_station = -1;
    m_master = CSelectGroup();
}

void CSelectionGroups::FindStation() {
    m_station = -1;
    for (int i = 0; i < GetCount(); ++i)
        if (m_groups[std::size_t(i)].kind == kSelectStation) m_station = i;
}

void CSelectionGroups::TakeMasterCopy() {
    m_master = Station() ? *Station() : CSelectGroup();
}

bool CSelectionGroups::HasStation() const {
    for (const CSelectGroup& g : m_groups)
        if (g.kind == kSelectStation) return true;
    return false;
}

bool CSelectionGroups::HasTime() const {
    for (const CSelectGroup& g : m_groups)
        if (g.kind == kSelectTime) return true;
    return false;
}

std::vector<int> CSelectionGroups::FilterIndices() const {
    std::vector<int> out;
    for (int i = 0; i < GetCount(); ++i)
        if (m_groups[std::size_t(i)].kind == kSelectFilter) out.push_back(i);
    return out;
}

void CSelectionGroups::LoadGroup(CSelectGroup& group) {
    group.ClearItems();
    CString sql = GroupListStatement(group);
    if (sql.IsEmpty()) return;
    m_client.Query(sql);
    for (const auto& row : m_client.m_rows) {
        if (!row || row->GetSize() < 2) continue;
        group.AddItem((*row)[1], (*row)[0], pinyinEnabled);
    }
    m_client.ClearRows();
}

void CSelectionGroups::LoadFromItems(const CObjectArray<CSelectItem>& items, bool directDisplay) {
    Clear();
    for (const auto& item : items)
        if (item) m_groups.emplace_back(*item);
    FindStation();

    CString filters;
    for (int i = 0; i < GetCount(); ++i) {
        CSelectGroup& g = m_groups[std::size_t(i)];
        if (i == m_station) continue;
        if (g.kind == kSelectFilter) {
            g.condition = FilterCondition(g.keyColumn, g.condition);
            if (!g.condition.IsEmpty()) filters += (filters.IsEmpty() ? "" : " AND ") + g.condition;
            LoadGroup(g); // a filter list without a configured list shows every item
        } else if (!CString(g.condition).Trim().IsEmpty()) {
            LoadGroup(g);
        }
    }
    if (CSelectGroup* station = Station()) {
        CString own = station->condition;
        own.Trim();
        station->condition = filters.IsEmpty() ? own : own.IsEmpty() ? filters : filters + " AND " + own;
        if (!directDisplay) LoadGroup(*station);
    }
    TakeMasterCopy();
}

bool CSelectionGroups::ReadScheme(CSelectGroup& group) {
    CString id = group.schemeId;
    id.Trim();
    CString sql;
    sql.Format("SELECT projmodeid,typename,protable,proname,pronumer,showt FROM KES.SET_PROJECTION_MODE "
               "WHERE projmodeid=%s ",
               (IsSqlNumber(id) ? id : QuoteLiteral(id)).GetString());
    m_client.Query(sql);
    bool found = m_client.GetRowCount() > 0 && m_client.m_rows[0].GetSize() >= 6;
    if (found) {
        const CStringArray& row = m_client.m_rows[0];
        group.label = row[1];
        group.table = row[2];
        group.nameColumn = row[3];
        group.keyColumn = row[4];
        group.showFlag = row[5];
    }
    m_client.ClearRows();
    return found;
}

void CSelectionGroups::LoadFromDirectives(const CColumnList& columns) {
    Clear();
    CDirectiveSet directives(&columns);
    for (int c = 1; c < columns.GetSize(); ++c) {
        if (!columns.GetAt(c)) continue;
        directives.ParseColumn(columns[c]);
        if (!directives.HasWhere()) continue;
        CString where = directives.WhereText();
        where.Trim();
        std::vector<CSelectGroup> made;
        if (directives.IsPkId() || directives.IsPkTime()) {
            made.emplace_back();
            made.back().schemeId = where;
            made.back().kind = directives.IsPkId() ? kSelectStation : kSelectTime;
        } else {
            for (int start = 0; start <= where.GetLength();) {
                int plus = where.Find('+', start);
                if (plus < 0) plus = where.GetLength();
                CString part = where.Mid(start, plus - start);
                part.Trim();
                if (!part.IsEmpty()) {
                    made.emplace_back();
                    made.back().schemeId = part;
                }
                start = plus + 1;
            }
        }
        for (CSelectGroup& g : made) {
            if (ReadScheme(g)) LoadGroup(g);
            m_groups.push_back(std::move(g));
        }
    }
    FindStation();
    TakeMasterCopy();
}
