#include "SettingsLists.h"

#include "QueryClient.h"

CString TableListStatement() {
    return "select tname from KES.SET_DB_TABLE_NAME where sta=1 order by tname ";
}

CStringArray LoadTableList(CQueryClient& client) {
    CStringArray tables;
    client.Query(TableListStatement());
    for (int i = 0; i < client.GetRowCount(); ++i) {
        const CStringArray& row = client.m_rows[i];
        if (row.IsEmpty()) continue;
        CString name = row[0];
        tables.Add(name.TrimRight());
    }
    client.ClearRows();
    return tables;
}

void ForEachTrimmedRow(CQueryClient& client, const CString& sql, int minFields,
                       const std::function<void(const CStringArray& row)>& take) {
    client.Query(sql);
    for (int r = 0; r < client.GetRowCount(); ++r) {
        CStringArray row = client.m_rows[r];
        if (row.GetSize() < minFields) continue;
        for (CString& text : row)
            text.Trim();
        take(row);
    }
    client.ClearRows();
}

CString NameWithCode(const CString& name, const CString& code) {
    CString text;
    text.Format("%s(%s)", name.GetString(), code.GetString());
    return text;
}
