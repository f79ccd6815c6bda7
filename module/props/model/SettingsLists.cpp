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
