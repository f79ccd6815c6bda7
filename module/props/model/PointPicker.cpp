#include "PointPicker.h"

#include "QueryClient.h"
#include "SqlText.h"

namespace {

CString FourFieldStatement(const char* a, const char* b, const char* table, const char* order) {
    CString sql;
    sql.Format("SELECT %s,%s  FROM KES.%s ORDER BY %s ASC", a, b, table, order);
    return sql;
}

// "column=code" for a chosen filter entry; empty for the blank entry or a text without a code.
CString FilterClause(const char* column, const CString& choice) {
    CString name;
    CString code;
    if (!SplitChoice(choice, name, code) || code.IsEmpty()) return {};
    CString clause;
    clause.Format("%s=%s", column, (IsSqlNumber(code) ? code : QuoteLiteral(code)).GetString());
    return clause;
}

} // namespace

CString CentreStationsStatement() {
    return FourFieldStatement("CSNAME", "CSID", "CENTERSTA", "CSID");
}

CString DataCharacteristicsStatement() {
    return FourFieldStatement("CHARNAME", "DCHAR", "DATACHAR", "DCHAR");
}

CString PointListStatement(const CString& centreChoice, const CString& characteristicChoice) {
    CString sql;
    sql.Format("SELECT %s,%s FROM KES.%s ", "SENNAME", "SENID", "ALLPOINT");
    CString where;
    for (const CString& clause :
         {FilterClause("CSID", centreChoice), FilterClause("DCHAR", characteristicChoice)}) {
        if (clause.IsEmpty()) continue;
        where += where.IsEmpty() ? " WHERE " : " AND ";
        where += clause;
    }
    CString order;
    order.Format(" ORDER BY %s ASC ", "SENID");
    return sql + where + order;
}

CStringArray LoadNameCodeChoices(CQueryClient& client, const CString& statement) {
    CStringArray choices;
    if (client.Query(statement) != 1) return choices;
    for (int r = 0; r < client.GetRowCount(); ++r) {
        const CStringArray& row = client.m_rows[r];
        if (row.GetSize() < 2) continue;
        CString name = row[0];
        CString code = row[1];
        CString choice;
        choice.Format("%s(%s)", name.Trim().GetString(), code.Trim().GetString());
        choices.Add(choice);
    }
    client.ClearRows();
    return choices;
}

bool SplitChoice(const CString& choice, CString& name, CString& code) {
    const int open = choice.ReverseFind('(');
    const int close = choice.ReverseFind(')');
    if (open < 0 || close < open) return false;
    name = choice.Left(open);
    code = choice.Mid(open + 1, close - open - 1);
    code.Trim();
    return true;
}

CObjectArray<CPointEntry> PointEntriesOf(const CStringArray& chosen, const int (&flags)[4]) {
    CObjectArray<CPointEntry> entries;
    for (const CString& text : chosen) {
        auto e = std::make_unique<CPointEntry>();
        if (!SplitChoice(text, e->m_name, e->m_number)) e->m_name = text;
        for (int k = 0; k < 4; ++k)
            e->m_values[k] = flags[k];
        entries.Add(std::move(e));
    }
    return entries;
}
