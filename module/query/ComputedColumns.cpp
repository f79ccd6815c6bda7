// Columns recomputed in the database before every query (days of a month or of a ten-day
// period, water volume from a flow), and the headings of curve data.
#include "QueryClient.h"
#include "SqlText.h"
#include "TableQuery.h"

#include <cstdio>

namespace {

CString TimeRange(const CString& timeColumn, const CQueryRequest& r) {
    CString w;
    w.Format(" WHERE (%s>={ts '%s'} AND %s<={ts '%s'}) ", timeColumn, EscapeInLiteral(r.startTime),
             timeColumn, EscapeInLiteral(r.endTime));
    return w;
}

} // namespace

std::vector<CString> CTableQuery::ComputedColumnStatements() {
    std::vector<CString> out;
    const CColumnList& cols = m_settings.Columns();
    CDirectiveSet d(&cols);
    if (d.FindColumnWith("CALC") < 0) return out;
    m_keys = CQueryComposition::FindKeyColumns(cols, m_settings.VisibleCount());
    if (m_keys.timeIndex < 0 || m_request.startTime.IsEmpty() || m_request.endTime.IsEmpty()) return out;
    const CString& tm = m_keys.timeName;
    // The partition of the data statement: the one of the first key queried.
    CString table = PhysicalTableFor(m_request.keys.IsEmpty() ? CString() : m_request.keys[0]);
    table.Trim();
    const CQueryRequest& r = m_request;

    for (const char* pass : {"A", "B", "C"}) {
        for (int i = 1; i <= m_settings.VisibleCount(); ++i) {
            const CQueryColumn& c = cols[i];
            d.ParseColumn(c);
            auto calc = d.Calc();
            if (!calc) continue;
            CString letter = (*calc)[0], function = (*calc)[1];
            letter.Trim().MakeUpper();
            function.Trim().MakeUpper();
            if (letter != pass) continue;
            CString sql;
            if (function == "GETDAYSMON") {
                sql.Format(" UPDATE %s SET %s=to_char(last_day(%s),'DD') ", table, c.colname, tm);
                out.push_back(sql + TimeRange(tm, r));
            } else if (function == "GETDAYSXUN") {
                sql.Format(" UPDATE %s SET %s=10 ", table, c.colname);
                out.push_back(sql + TimeRange(tm, r));
                sql.Format(" UPDATE %s SET %s=to_char(last_day(%s)-20,'DD') WHERE to_char(%s,'DD')='25' ",
                           table, c.colname, tm, tm);
                CString range;
                range.Format(" AND (%s>={ts '%s'} AND %s<={ts '%s'}) ", tm, EscapeInLiteral(r.startTime), tm,
                             EscapeInLiteral(r.endTime));
                out.push_back(sql + range);
            } else if (function == "GETWATER" && calc->GetSize() >= 3) {
                CString flow = (*calc)[2];
                flow.Trim();
                if (calc->GetSize() >= 4) {
                    CString days = (*calc)[3];
                    sql.Format(" UPDATE %s SET %s=%s*3600*24/100000000*%s", table, c.colname, flow,
                               days.Trim());
                } else {
                    sql.Format(" UPDATE %s SET %s=%s*3600*24/100000000 ", table, c.colname, flow);
                }
                CString where;
                where.Format(" WHERE (%s>={ts '%s'} AND %s<={ts '%s'}) AND %s NOT IN(-999)", tm,
                             EscapeInLiteral(r.startTime), tm, EscapeInLiteral(r.endTime), flow);
                out.push_back(sql + where);
            }
        }
    }
    return out;
}

void CTableQuery::RunComputedColumns() {
    m_refreshErrors.clear();
    for (const CString& sql : ComputedColumnStatements())
        if (!m_client.Execute(sql))
            m_refreshErrors.push_back(CString(sql).Trim() + ": " + m_client.m_strLastError);
}

void CTableQuery::ApplyCurveHeadings() {
    CString table = m_settings.TableName();
    table.Trim().MakeUpper();
    if (!m_options.curveName || (table != "CURVED" && table != "KES.CURVED") || m_request.keys.IsEmpty())
        return;
    CString id = m_request.keys[0];
    id.Trim();
    CString sql;
    sql.Format("SELECT DIMNAME FROM KES.CURVE WHERE CURVEID=%s", IsSqlNumber(id) ? id : QuoteLiteral(id));
    CQueryClient client;
    client.Query(sql);
    if (client.GetRowCount() == 0 || client.m_rows[0].GetSize() == 0) return;
    char names[3][256] = {"", "", ""};
    std::sscanf(client.m_rows[0][0].GetString(), "v0:%255s v1:%255s v2:%255s", names[0], names[1], names[2]);
    const char* keys[3] = {"V0", "V1", "V2"};
    CColumnList& cols = m_settings.Columns();
    for (int k = 0; k < 3; ++k) {
        CString name = names[k][0] ? CString(names[k]) : CString("NULL");
        for (int i = 1; i < cols.GetSize(); ++i) {
            CString col = cols[i].colname;
            if (col.Trim().MakeUpper() == keys[k]) cols[i].colnamech = name;
        }
    }
}
