#include "DataProColorTable.h"

#include "QueryClient.h"

#include <memory>

CDataProColorTable::CDataProColorTable() {
    // Shared by every colour table of the module run; built on first use.
    static CQueryClient shared;
    Load(shared);
}

CDataProColorTable::CDataProColorTable(CQueryClient& client) {
    Load(client);
}

void CDataProColorTable::Load(CQueryClient& client) {
    CString sql = "SELECT dataproid,color,dissta FROM KES.SET_DATAPRO_COLOR ORDER BY dataproid";
    sql.MakeUpper();
    client.ClearRows();
    client.Query(sql);
    for (const auto& row : client.m_rows) {
        // A row that lacks one of the three values is no entry.
        if (row->GetSize() < 3) continue;
        auto entry = std::make_unique<CDataProColor>();
        entry->m_nDataProId = TextToInt((*row)[0]);
        entry->m_lColor = long(TextToLong((*row)[1]));
        entry->m_nDisSta = TextToInt((*row)[2]);
        m_entries.Add(std::move(entry));
    }
    client.ClearRows();
}

const CDataProColor* CDataProColorTable::Find(int dataProId) const {
    for (const auto& e : m_entries)
        if (e->m_nDataProId == dataProId) return e.get();
    return nullptr;
}

long CDataProColorTable::GetColor(int dataProId) const {
    const CDataProColor* e = Find(dataProId);
    return e ? e->m_lColor : 0;
}

int CDataProColorTable::GetDisplayState(int dataProId) const {
    const CDataProColor* e = Find(dataProId);
    return e ? e->m_nDisSta : 0;
}
