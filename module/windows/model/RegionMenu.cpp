#include "RegionMenu.h"

#include "QueryClient.h"

namespace {

struct Region {
    const char* caption;
    int code;
    bool plantClass; // by plant class (ftype), else by regional grid (ranking)
};

constexpr Region kRegions[kRegionCommandCount] = {
    {"一类厂", 1, true},  {"二类厂", 2, true},  {"直调厂", 10, true}, {"华北", 100, false},
    {"东北", 200, false}, {"华东", 300, false}, {"华中", 400, false}, {"西北", 500, false},
    {"山东", 600, false}, {"新疆", 700, false}, {"西藏", 800, false}, {"南方", 900, false},
};

const Region* RegionOf(int command) {
    int i = command - kFirstRegionCommand;
    return i >= 0 && i < kRegionCommandCount ? &kRegions[i] : nullptr;
}

} // namespace

CString RegionCaption(int command) {
    const Region* r = RegionOf(command);
    return r ? CString(r->caption) : CString();
}

int RegionCodeOf(int command) {
    const Region* r = RegionOf(command);
    return r ? r->code : 0;
}

CString RegionStatement(int command) {
    const Region* r = RegionOf(command);
    CString sql;
    if (!r) return sql;
    if (r->plantClass)
        sql.Format("select FNAME, csid from kes.relation where ftype=%ld order by ranking", long(r->code));
    else
        sql.Format("select FNAME, csid from kes.relation where ranking>%ld and ranking<%ld order by ranking",
                   long(r->code), long(r->code + 100));
    return sql;
}

CString DatabaseErrorMessage(const CString& serviceText) {
    CString message;
    message.Format("数据库写错误!\n%s", serviceText.GetString());
    return message;
}

bool RunRegionLookup(const CString& sql, std::vector<CStringArray>& rows, CString& error) {
    rows.clear();
    CQueryClient client;
    if (!client.Query(sql)) {
        error = client.m_strLastError;
        return false;
    }
    for (int i = 0; i < client.GetRowCount(); ++i)
        rows.push_back(client.m_rows[i]);
    return true;
}

bool RegionMenuConfigured(CString& error) {
    std::vector<CStringArray> rows;
    CString serviceText;
    if (!RunRegionLookup("select DIRECTORY from kes.relation where ftype=10000", rows, serviceText)) {
        error = DatabaseErrorMessage(serviceText);
        return false;
    }
    for (const CStringArray& row : rows)
        for (CString field : row)
            if (field.MakeUpper().Find("TRUE") >= 0) return true;
    return false;
}
