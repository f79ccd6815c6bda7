// Values typed into the point grid, written back into the period table with the quality of
// hand-set data and an audit record in the short form of point values.
#include "PointQuery.h"

#include "AuditLog.h"
#include "QueryClient.h"
#include "QueryItem.h"
#include "SqlText.h"

namespace {

constexpr const char* kTimePattern = "%Y-%m-%d %H:%M:%S";
constexpr const char* kValueColumns[] = {"INSTV", "AVGV", "MAXV", "MINV"};
constexpr const char* kQualityColumns[] = {"INSTQ", "AVGQ", "MAXQ", "MINQ"};

CString Trimmed(const CStringArray& texts, int i) {
    CString text = i < texts.GetSize() ? texts[i] : CString();
    return text.Trim();
}

} // namespace

CString PointValueColumn(int valueKind) {
    return kValueColumns[std::clamp(valueKind, 0, 3)];
}

CString PointQualityColumn(int valueKind) {
    return kQualityColumns[std::clamp(valueKind, 0, 3)];
}

CString CPointQuery::CellWriteStatement(long period, int point, const CString& typed,
                                        const CPointQuerySettings& s) const {
    CString text = typed;
    text.Trim();
    const CString table = PeriodTableOf(s.m_dataType);
    if (table.IsEmpty() || period < 0 || period >= m_matrix.Periods() || point < 0 ||
        point >= m_matrix.Points())
        return {};
    if (!text.IsEmpty() && !IsSqlNumber(text)) return {};
    const CString value = text.IsEmpty() ? CString("NULL") : text;
    const int id = s.PointNumberAt(point);
    CString sql;
    if (const CSpanRecord* record = m_matrix.At(period, point))
        sql.Format("UPDATE KES.%s SET %s=%s,%s=%d WHERE SENID=%d AND TIME={ts '%s'}", table,
                   PointValueColumn(s.m_valueKind), value, PointQualityColumn(s.m_valueKind),
                   kPointManualQuality, id, record->m_time.Format(kTimePattern));
    else
        sql.Format("INSERT INTO KES.%s(SENID,TIME,%s,%s) VALUES(%d,{ts '%s'},%s,%d)", table,
                   PointValueColumn(s.m_valueKind), PointQualityColumn(s.m_valueKind), id,
                   CQueryItem::ParseTime(m_axis.GetAt(int(period))).Format(kTimePattern), value,
                   kPointManualQuality);
    return sql;
}

int CPointQuery::WritePeriod(long period, const CStringArray& before, const CStringArray& now,
                             const CPointQuerySettings& s, CQueryClient& client) {
    m_writeError.Empty();
    m_auditError.Empty();
    m_sent.clear();
    struct Change {
        int point;
        CString from, to, sql;
    };
    std::vector<Change> changes;
    for (int p = 0; p < int(m_matrix.Points()); ++p) {
        const CString from = Trimmed(before, p + 1), to = Trimmed(now, p + 1);
        if (from == to) continue;
        Change c{p, from, to, CellWriteStatement(period, p, to, s)};
        if (c.sql.IsEmpty()) {
            m_writeError.Format("%s 不是数值", to);
            return 0;
        }
        changes.push_back(std::move(c));
    }
    if (changes.empty()) return 1;

    auto execute = [&](const CString& statement) {
        m_sent.push_back(statement);
        return client.Execute(statement) == 1;
    };
    if (!execute("BEGIN")) {
        m_writeError = "数据库忙，未能修改数据: " + client.m_strLastError;
        return 0;
    }
    const CString stamp = COleDateTime::GetCurrentTime().Format(kTimePattern);
    const CString label = m_axis.GetAt(int(period));
    for (const Change& c : changes) {
        if (!execute(c.sql) || client.m_nChangedRows != 1) {
            m_writeError =
                client.m_nChangedRows == 0 ? CString("没有找到要修改的记录") : client.m_strLastError;
            execute("ROLLBACK");
            return 0;
        }
        const CString id = s.m_points[c.point].m_number;
        CString info;
        if (m_matrix.At(period, c.point))
            info.Format("手工修改 %s %s 将%s修改为%s ", id, label, c.from, c.to);
        else
            info.Format("手工录入 %s %s %s ", id, label, c.to);
        CString auditError;
        const bool audited = WriteAuditLog(client, info, nullptr, m_sent, auditError);
        if (!audited) m_auditError = "数据已修改，但审计记录未写入: " + auditError;
    }
    if (!execute("COMMIT")) {
        m_writeError = "数据修改未能提交: " + client.m_strLastError;
        execute("ROLLBACK");
        return 0;
    }
    // The matrix holds what is stored now.
    const int kind = std::clamp(s.m_valueKind, 0, 3);
    for (const Change& c : changes) {
        CSpanRecord record;
        if (const CSpanRecord* read = m_matrix.At(period, c.point)) {
            record = *read;
        } else {
            record.m_nSenId = s.PointNumberAt(c.point);
            record.m_time = CQueryItem::ParseTime(label);
            for (int k = 0; k < 4; ++k)
                record.m_fValue[k] = kMissingValue;
        }
        record.m_fValue[kind] = c.to.IsEmpty() ? kMissingValue : float(TextToDouble(c.to.str()));
        record.m_nQuality[kind] = kPointManualQuality;
        m_matrix.Put(period, c.point, record);
    }
    return 1;
}
