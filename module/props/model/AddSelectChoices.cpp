#include "AddSelectChoices.h"

#include "GridCellText.h"
#include "QueryClient.h"
#include "SettingsLists.h"
#include "SqlText.h"
#include "SystemInventory.h"

namespace {

CString Trimmed(CString text) {
    return text.Trim();
}

} // namespace

CString CProjectionScheme::Choice() const {
    return NameWithCode(typeName, id);
}

CString ProjectionSchemesStatement() {
    return "select projmodeid,typename,protable,proname,pronumer ,showt from KES.SET_PROJECTION_MODE "
           "order by projmodeid ";
}

std::vector<CProjectionScheme> LoadProjectionSchemes(CQueryClient& client) {
    std::vector<CProjectionScheme> schemes;
    ForEachTrimmedRow(client, ProjectionSchemesStatement(), 6, [&](const CStringArray& row) {
        schemes.push_back({row[0], row[1], row[2], row[3], row[4], row[5]});
    });
    return schemes;
}

int FindScheme(const std::vector<CProjectionScheme>& schemes, const CString& presetId) {
    const CString id = Trimmed(presetId);
    for (std::size_t i = 0; i < schemes.size(); ++i)
        if (schemes[i].id == id) return int(i);
    return -1;
}

CString SchemeValuesStatement(const CProjectionScheme& scheme) {
    if (!IsPlainName(scheme.table) || !IsPlainName(scheme.nameColumn) || !IsPlainName(scheme.keyColumn))
        return {};
    CString sql;
    sql.Format(" SELECT %s,%s FROM KES.%s ORDER BY %s ", scheme.nameColumn.GetString(),
               scheme.keyColumn.GetString(), scheme.table.GetString(), scheme.keyColumn.GetString());
    return sql;
}

CStringArray LoadSchemeValues(CQueryClient& client, const CProjectionScheme& scheme) {
    CStringArray values;
    const CString sql = SchemeValuesStatement(scheme);
    if (!sql.IsEmpty())
        ForEachTrimmedRow(client, sql, 2,
                          [&](const CStringArray& row) { values.Add(NameWithCode(row[0], row[1])); });
    return values;
}

CString ChosenCodesCondition(const CStringArray& chosenEntries) {
    CString codes;
    for (const CString& entry : chosenEntries) {
        std::string_view name, code;
        if (!gridtext::SplitListEntry(entry.str(), name, code)) continue;
        const CString text(code);
        codes += (codes.IsEmpty() ? "" : ",") + (IsSqlNumber(text) ? text : QuoteLiteral(text));
    }
    return codes.IsEmpty() ? CString() : "(" + codes + ")";
}

void FillSelectItem(CSelectItem& item, const CProjectionScheme& scheme, const CString& label,
                    const CString& condition) {
    item.schemeId = scheme.id;
    item.table = scheme.table;
    item.label = label;
    item.nameColumn = scheme.nameColumn;
    item.keyColumn = scheme.keyColumn;
    item.condition = condition;
}
