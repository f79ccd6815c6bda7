// Writing an edited row back to its table (insert, update, delete) and the audit record in
// SCHLOG that follows every successful change.
#include "DataService.h"
#include "OleDateTime.h"
#include "QueryClient.h"
#include "QueryItem.h"
#include "SqlText.h"
#include "TableQuery.h"

#include <algorithm>

namespace {

bool AllEmpty(const CStringArray& values) {
    return std::all_of(values.begin(), values.end(), [](CString v) { return v.Trim().IsEmpty(); });
}

const CString& ValueAt(const CStringArray& values, int column) {
    static const CString empty;
    return column - 1 < values.GetSize() ? values[column - 1] : empty;
}

// "%Y-%m-%d %H:%M:%S" of a time text, or false when it holds no valid time.
bool NormalTime(const CString& text, CString& out) {
    // The exchange form or the form the grid shows under FIELDTIME (2026年11月01日08时); a date
    // at least.
    COleDateTime t;
    if (CQueryItem::ReadTime(text, t) < 3) return false;
    if (!t.IsValid()) return false;
    out = t.Format("%Y-%m-%d %H:%M:%S");
    return true;
}

// The log text keeps no separators or brackets of the statement.
CString LogSafe(CString text) {
    for (char c : {',', '\'', '{', '}', '[', ']'})
        text.Replace(c, ' ');
    return text;
}

} // namespace

CString CTableQuery::PeriodStart(const CString& timeText, const CString& label, int count) {
    if (count <= 0) return timeText;
    COleDateTime t = CQueryItem::ParseTime(timeText);
    if (!t.IsValid()) return timeText;
    // Forward over the next period boundary and back again lands on the start of the period
    // the time lies in, at the period's own hour.
    CQueryItem::ShiftTime(t, label, count);
    CQueryItem::ShiftTime(t, label, -count);
    return t.Format("%Y-%m-%d %H:%M:%S");
}

// A time moved to the point's period start at the point's day-start hour (DATASENSORTIME).
CString CTableQuery::SensorTime(const CString& idValue, const CString& timeText) {
    CDirectiveSet d(&m_settings.Columns());
    if (d.FindColumnWith("DATASENSORTIME") < 0) return timeText;
    CString unit = d.DataSensorTime();
    CQueryClient client;
    client.Query("SELECT ID,DCALCT FROM KES.ALLPOINT ORDER BY ID ");
    int hour = -1;
    CString id = idValue;
    id.Trim();
    for (const auto& row : client.m_rows) {
        if (row->GetSize() < 2) continue;
        CString rowId = (*row)[0];
        if (rowId.Trim() == id) {
            hour = TextToInt((*row)[1].str());
            break;
        }
    }
    COleDateTime read;
    if (hour < 0 || hour > 23 || CQueryItem::ReadTime(timeText, read) < 3 || !read.IsValid()) return timeText;
    const int y = read.GetYear(), mo = read.GetMonth();
    int day = read.GetDay();
    if (unit == "MON") day = 1;
    if (unit == "DAY10") day = day < 11 ? 1 : day <= 20 ? 11 : 21;
    COleDateTime t(y, mo, day, hour, 0, 0);
    return t.IsValid() ? t.Format("%Y-%m-%d %H:%M:%S") : timeText;
}

// A value as the statement writes it for its column's value class. Values that cannot be
// written safely (a number column holding no number, a time column holding no time) fail.
bool CTableQuery::ValueText(int column, CString value, CString& text) {
    const CQueryColumn& c = m_settings.Columns()[column];
    CString trimmed = value;
    trimmed.Trim();
    switch (c.valueClass) {
    case kValueNumber:
        if (trimmed.IsEmpty()) {
            text = "NULL";
            return true;
        }
        if (!IsSqlNumber(trimmed)) {
            m_writeError.Format("“%s”列的值不是数字: %s", c.colnamech, value);
            return false;
        }
        text = trimmed;
        return true;
    case kValueTime: {
        if (trimmed.IsEmpty()) {
            text = "NULL";
            return true;
        }
        if (column == m_keys.changeIndex)
            trimmed = PeriodStart(trimmed, m_keys.changeLabel, m_keys.changeCount);
        CString normal;
        if (!NormalTime(trimmed, normal)) {
            m_writeError.Format("“%s”列的值不是时间: %s", c.colnamech, value);
            return false;
        }
        text = "{ts '" + normal + "'}";
        return true;
    }
    default:
        text = QuoteLiteral(value);
        return true;
    }
}

CString CTableQuery::WritingTable(const CStringArray& values) const {
    CStringArray keyValues;
    keyValues.SetSize(m_settings.Columns().GetSize());
    if (m_keys.idIndex >= 1) keyValues[m_keys.idIndex] = ValueAt(values, m_keys.idIndex);
    CString table = m_settings.PhysicalTableName(&keyValues);
    table.Trim().MakeUpper();
    if (table.Find("KES.") < 0) table = "KES." + table;
    return table;
}

std::vector<int> CTableQuery::ManualDataColumns() {
    std::vector<int> columns;
    CDirectiveSet d(&m_settings.Columns());
    for (int i = 1; i <= m_settings.VisibleCount(); ++i) {
        d.ParseColumn(m_settings.Columns()[i]);
        int dc = d.DataPropertyColumn();
        if (dc > 0 && dc <= m_settings.VisibleCount() &&
            std::find(columns.begin(), columns.end(), dc) == columns.end())
            columns.push_back(dc);
    }
    return columns;
}

CString CTableQuery::KeyCondition(const CStringArray& previous, CString& description, bool& ok) {
    CString condition;
    description.Empty();
    CDirectiveSet d(&m_settings.Columns());
    for (int i = 1; i <= m_settings.VisibleCount(); ++i) {
        const CQueryColumn& c = m_settings.Columns()[i];
        d.ParseColumn(c);
        if (!d.HasPk()) continue;
        CString value = ValueAt(previous, i);
        if (i == m_keys.timeIndex) value = SensorTime(ValueAt(previous, m_keys.idIndex), value);
        CString text;
        if (!ValueText(i, value, text)) {
            ok = false;
            return {};
        }
        CString piece = c.colname + "=" + text;
        condition += (condition.IsEmpty() ? "  WHERE " : " AND ") + piece;
        description += (description.IsEmpty() ? "" : ",") + piece;
    }
    description = "关键字(" + description + ")";
    ok = true;
    return condition;
}

bool CTableQuery::BuildWrite(const CStringArray& current, const CStringArray& previous, CString& sql,
                             CString& logText) {
    m_writeError.Empty();
    m_keys = CQueryComposition::FindKeyColumns(m_settings.Columns(), m_settings.VisibleCount());
    const CColumnList& cols = m_settings.Columns();
    const std::vector<int> manual = ManualDataColumns();
    auto isManual = [&](int i) { return std::find(manual.begin(), manual.end(), i) != manual.end(); };
    const bool insert = AllEmpty(previous);
    CString table = WritingTable(current);

    CString names, values, pieces;
    for (int i = 1; i <= m_settings.VisibleCount(); ++i) {
        if (isManual(i)) continue; // written as manual data below, once
        CString value = ValueAt(current, i);
        if (i == m_keys.timeIndex && !CString(value).Trim().IsEmpty())
            value = SensorTime(ValueAt(current, m_keys.idIndex), value);
        CString text;
        if (insert && CString(value).Trim().IsEmpty()) continue;
        if (!ValueText(i, value, text)) return false;
        if (insert) {
            names += (names.IsEmpty() ? "" : ",") + cols[i].colname;
            values += (values.IsEmpty() ? "" : ",") + text;
        } else {
            pieces += (pieces.IsEmpty() ? "" : ",") + cols[i].colname + "=" + text;
        }
    }
    if (insert) {
        for (int m : manual) {
            names += (names.IsEmpty() ? "" : ",") + cols[m].colname;
            values += (values.IsEmpty() ? "3 " : ",3 ");
        }
        if (names.IsEmpty()) {
            m_writeError = "没有要写入的数据";
            return false;
        }
        sql = "insert into " + table + "(" + names + ") values" + "(" + values + ")";
        logText.Format("表%s增加数据 %s 数据(%s)", m_settings.TableName(), names, values);
    } else {
        for (int m : manual)
            pieces += (pieces.IsEmpty() ? "" : ",") + cols[m].colname + "=" + "3  ";
        CString head = "update " + table + " set ";
        bool ok = false;
        CString description;
        CString condition = KeyCondition(previous, description, ok);
        if (!ok) return false;
        sql = head.MakeUpper() + pieces + condition;
        logText.Format("表%s修改数据 %s 数据(%s)", m_settings.TableName(), description, pieces);
    }
    logText = LogSafe(logText);
    return true;
}

bool CTableQuery::BuildDelete(const CStringArray& previous, CString& sql, CString& logText) {
    m_writeError.Empty();
    m_keys = CQueryComposition::FindKeyColumns(m_settings.Columns(), m_settings.VisibleCount());
    bool ok = false;
    CString description;
    CString condition = KeyCondition(previous, description, ok);
    if (!ok) return false;
    if (condition.IsEmpty()) {
        m_writeError = "表没有关键字列, 不能删除";
        return false;
    }
    CString head = "DELETE FROM " + WritingTable(previous) + " ";
    sql = head.MakeUpper() + condition;
    logText.Format("表%s删除数据,%s", m_settings.TableName(), description);
    logText = LogSafe(logText);
    return true;
}

int CTableQuery::WriteRow(const CStringArray& current, const CStringArray& previous) {
    m_writeError.Empty();
    if (current == previous) return 1;
    CString sql, logText;
    if (!BuildWrite(current, previous, sql, logText)) return 0;
    CQueryClient client;
    if (!client.Execute(sql)) {
        m_writeError = client.m_strLastError;
        return 0;
    }
    WriteAudit(AllEmpty(previous) ? "录入" : "修改", previous, current, logText);
    return 1;
}

int CTableQuery::DeleteRow(const CStringArray& previous) {
    CString sql, logText;
    if (!BuildDelete(previous, sql, logText)) return 0;
    CQueryClient client;
    if (!client.Execute(sql)) {
        m_writeError = client.m_strLastError;
        return 0;
    }
    WriteAudit("删除", previous, CStringArray(), logText);
    return 1;
}

bool CTableQuery::WriteAudit(const CString& action, const CStringArray& previous, const CStringArray& current,
                             const CString& logText) {
    CDirectiveSet d(&m_settings.Columns());
    CString wlog = d.AuditText();
    CString now = COleDateTime::GetCurrentTime().Format("%Y-%m-%d %H:%M:%S");
    CString info;
    bool shortForm = CString(wlog).Trim().MakeUpper() == "RTDB001";
    if (shortForm) {
        const CStringArray& v = action == "删除" ? previous : current;
        if (v.GetSize() < 3) return false;
        if (action == "录入")
            info.Format("手工录入 %s %s %s ", v[0], v[1], v[2]);
        else if (action == "修改")
            info.Format("手工修改 %s %s 将%s修改为%s ", current[0], current[1], previous[2], current[2]);
        else
            info.Format("手工删除 %s %s %s ", v[0], v[1], v[2]);
    }
    CString user;
    if (!shortForm && KesLogin(nullptr, &user, "", 1) < 0) user = " ";

    // The next SEQID is taken under a lock on the log table, so two clients writing at once
    // cannot both take the same number.
    CQueryClient client;
    client.Execute("BEGIN");
    client.Execute("LOCK TABLE KES.SCHLOG IN EXCLUSIVE MODE");
    client.Query("SELECT MAX(SEQID) FROM KES.SCHLOG ");
    long long seq = 1;
    if (client.GetRowCount() > 0 && client.m_rows[0].GetSize() > 0)
        seq = TextToLong(client.m_rows[0][0].str()) + 1;
    client.ClearRows();
    CString sql;
    if (shortForm)
        sql.Format("INSERT INTO KES.SCHLOG(T,SEQID,TYPE,LOGINFO,CONT,CONDIR) VALUES({ts '%s'},%ld,3,'%s',{ts "
                   "'%s'},0) ",
                   now, seq, EscapeInLiteral(info), now);
    else
        sql.Format("INSERT INTO KES.SCHLOG(T,SEQID,TYPE,LOGINFO,CONT,CONDIR,CONTTYPE,EDITMEN) VALUES({ts "
                   "'%s'},%ld,3,'%s',"
                   "{ts '%s'},0,'%s','%s') ",
                   now, seq, EscapeInLiteral(logText), now, "Vexor数据修改", EscapeInLiteral(user));
    bool ok = client.Execute(sql) == 1;
    client.Execute(ok ? "COMMIT" : "ROLLBACK");
    return ok;
}
