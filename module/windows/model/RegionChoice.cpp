// The region menu of the bar model: whether it is offered and what a region choice reloads.
#include "QueryBarModel.h"
#include "RegionMenu.h"

CSelectGroup* CQueryBarModel::CentreGroup() {
    for (CSelectGroup& g : m_groups.Groups()) {
        CString table = g.table;
        table.Trim();
        if (table.MakeUpper() == "CENTERSTA") return &g;
    }
    return nullptr;
}

bool CQueryBarModel::RegionMenuOffered(CString& error) {
    error.Empty();
    return RegionMenuConfigured(error) && CentreGroup();
}

CRegionResult CQueryBarModel::ChooseRegion(int command) {
    CRegionResult result;
    CString sql = RegionStatement(command);
    if (sql.IsEmpty()) return result;
    m_regionCommand = command;
    m_regionCode = RegionCodeOf(command);

    std::vector<CStringArray> rows;
    CString serviceText;
    if (!RunRegionLookup(sql, rows, serviceText)) {
        result.message = DatabaseErrorMessage(serviceText);
        return result;
    }
    std::erase_if(rows, [](const CStringArray& row) { return row.GetSize() < 2; });
    if (rows.empty()) {
        result.message = kMsgNoRegion;
        return result;
    }
    if (CSelectGroup* centres = CentreGroup()) {
        // The whole item is replaced, so display texts and initials stay in step with names.
        centres->ClearItems();
        for (const CStringArray& row : rows)
            centres->AddItem(CString(row[0]).Trim(), CString(row[1]).Trim(), m_groups.pinyinEnabled);
    }

    CString condition;
    for (const CSelectGroup& g : m_groups.Groups()) {
        if (g.kind != kSelectFilter || g.keys.IsEmpty()) continue;
        CString list;
        for (const CString& key : g.keys)
            list += (list.IsEmpty() ? "" : ",") + KeyLiteral(key);
        CString one;
        one.Format("%s IN(%s)", CString(g.keyColumn).Trim().GetString(), list.GetString());
        condition += (condition.IsEmpty() ? "" : " AND ") + one;
    }
    if (CSelectGroup* station = m_groups.Station()) {
        station->condition = condition;
        m_groups.LoadGroup(*station);
    }
    m_groups.TakeMasterCopy();
    result.applied = true;
    return result;
}
