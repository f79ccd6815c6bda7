// Writing an edited row back to its table (insert, update, delete) and the audit record in
// SCHLOG that follows every successful change.
//
// A row read from the database is written from its stored record, never from the texts the
// grid shows: the shown texts are formatted (rounded numbers, dates without hours, blanked
// missing values, names for codes), so writing them back would change columns the user never
// touched. Only the columns whose shown text changed are set, each converted back to its
// stored form, and the key condition uses the stored key values.
#include "AuditLog.h"
#include "DataService.h"
#include "OleDateTime.h"
#include "QueryClient.h"
#include "QueryItem.h"
#include "SqlText.h"
#include "TableQuery.h"

#include <algorithm>
#include <cassert>

namespace {

constexpr const char* kNotFound = "没有找到要修改的记录";
constexpr const char* kChangedByOthers = "此记录已被他人修改，请刷新后再修改";

bool AllEmpty(const CStringArray& values) {
    return std::all_of(values.begin(), values.end(), [](CString v) { return v.Trim().IsEmpty(); });
}

const CString& ValueAt(const CStringArray& values, int column) {
    static const CString empty;
    return column >= 1 && column - 1 < values.GetSize() ? values[column - 1] : empty;
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

// A time shown with fewer fields than it is stored with (a day table shows its date only) takes
// the missing fields from the stored time, so editing the date keeps the row's hour.
bool CompleteTime(const CString& shown, const CString& stored, CString& out) {
    COleDateTime edited, old;
    const int fields = CQueryItem::ReadTime(shown, edited);
    if (fields < 3 || !edited.IsValid()) return false;
    if (fields < 6 && CQueryItem::ReadTime(stored, old) >= 3 && old.IsValid()) {
        const int hour = fields >= 4 ? edited.GetHour() : old.GetHour();
        const int minute = fields >= 5 ? edited.GetMinute() : old.GetMinute();
        edited =
            COleDateTime(edited.GetYear(), edited.GetMonth(), edited.GetDay(), hour, minute, old.GetSecond());
        if (!edited.IsValid()) return false;
    }
    out = edited.Format("%Y-%m-%d %H:%M:%S");
    return true;
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

// The stored form of an edited cell: a mapped name back to its code, a time label back to a
// whole time (the fields it does not show taken from the stored time), the read times moved
// forward again by the periods the query moved them back.
bool CTableQuery::EditedValueText(int column, const CString& shown, const CString& stored, CString& text) {
    const CQueryColumn& c = m_settings.Columns()[column];
    CString value = shown;
    CString trimmed = shown;
    trimmed.Trim();
    for (const CString& entry : c.projections) {
        const int open = entry.Find('(');
        if (open <= 0 || entry.Right(1) != ")") continue;
        if (CString(entry.Left(open)).Trim() == trimmed) {
            value = entry.Mid(open + 1, entry.GetLength() - open - 2);
            break;
        }
    }
    if (c.valueClass == kValueTime && !trimmed.IsEmpty()) {
        CString whole;
        if (!CompleteTime(trimmed, StoredTimeText(column, stored), whole)) {
            m_writeError.Format("“%s”列的值不是时间: %s", c.colnamech, shown);
            return false;
        }
        value = whole;
        if (column == m_keys.timeIndex && m_options.timeOffset != 0) {
            COleDateTime t = CQueryItem::ParseTime(value);
            CQueryItem::ShiftTime(t, m_options.timeTypeWord, m_options.timeOffset);
            value = t.Format("%Y-%m-%d %H:%M:%S");
        }
    }
    return ValueText(column, value, text);
}

// A stored time as the database holds it: the time column of a query with a time offset was
// read moved back by that many periods.
CString CTableQuery::StoredTimeText(int column, const CString& stored) const {
    if (column != m_keys.timeIndex || m_options.timeOffset == 0 || CString(stored).Trim().IsEmpty())
        return stored;
    COleDateTime t = CQueryItem::ParseTime(stored);
    if (!t.IsValid()) return stored;
    CQueryItem::ShiftTime(t, m_options.timeTypeWord, m_options.timeOffset);
    return t.Format("%Y-%m-%d %H:%M:%S");
}

CString CTableQuery::WritingTable(const CString& idValue) const {
    CString table = PhysicalTableFor(idValue);
    table.Trim().MakeUpper();
    if (table.Find("KES.") < 0) table = "KES." + table;
    return table;
}

// The columns named by DC items: visible or hidden, each once.
std::vector<int> CTableQuery::ManualDataColumns() {
    std::vector<int> columns;
    CDirectiveSet d(&m_settings.Columns());
    for (int i = 1; i <= m_settings.VisibleCount(); ++i) {
        d.ParseColumn(m_settings.Columns()[i]);
        int dc = d.DataPropertyColumn();
        if (dc > 0 && std::find(columns.begin(), columns.end(), dc) == columns.end()) columns.push_back(dc);
    }
    return columns;
}

std::vector<int> CTableQuery::EditedColumns(const CStringArray& current, const CStringArray& previous,
                                            const std::vector<int>& manual) const {
    std::vector<int> edited;
    for (int i = 1; i <= m_settings.VisibleCount(); ++i) {
        if (std::find(manual.begin(), manual.end(), i) != manual.end()) continue; // written as 3
        if (ValueAt(current, i) != ValueAt(previous, i)) edited.push_back(i);
    }
    return edited;
}

// The key condition of a stored row: its key columns' stored values, exactly as read.
CString CTableQuery::StoredKeyCondition(const CStringArray& stored, CString& description) const {
    CString condition;
    description.Empty();
    CDirectiveSet d(&m_settings.Columns());
    for (int i = 1; i <= m_settings.VisibleCount(); ++i) {
        const CQueryColumn& c = m_settings.Columns()[i];
        d.ParseColumn(c);
        if (!d.HasPk()) continue;
        CString value = StoredTimeText(i, ValueAt(stored, i));
        value.Trim();
        CString piece;
        if (value.IsEmpty())
            piece = c.colname + " IS NULL";
        else if (c.valueClass == kValueTime)
            piece = c.colname + "={ts '" + EscapeInLiteral(value) + "'}";
        else if (c.valueClass == kValueNumber && IsSqlNumber(value))
            piece = c.colname + "=" + value;
        else
            piece = c.colname + "=" + QuoteLiteral(value);
        condition += (condition.IsEmpty() ? "  WHERE " : " AND ") + piece;
        description += (description.IsEmpty() ? "" : ",") + piece;
    }
    description = "关键字(" + description + ")";
    return condition;
}

bool CTableQuery::BuildInsert(const CStringArray& current, CString& sql, CString& logText) {
    m_writeError.Empty();
    m_keys = CQueryComposition::FindKeyColumns(m_settings.Columns(), m_settings.VisibleCount());
    const CColumnList& cols = m_settings.Columns();
    const std::vector<int> manual = ManualDataColumns();
    CString names, values;
    for (int i = 1; i <= m_settings.VisibleCount(); ++i) {
        if (std::find(manual.begin(), manual.end(), i) != manual.end()) continue; // 3 below, once
        CString value = ValueAt(current, i);
        if (CString(value).Trim().IsEmpty()) continue;
        if (i == m_keys.timeIndex) value = SensorTime(ValueAt(current, m_keys.idIndex), value);
        CString text;
        if (!ValueText(i, value, text)) return false;
        names += (names.IsEmpty() ? "" : ",") + cols[i].colname;
        values += (values.IsEmpty() ? "" : ",") + text;
    }
    if (names.IsEmpty()) {
        m_writeError = "没有要写入的数据";
        return false;
    }
    for (int m : manual) {
        names += "," + cols[m].colname;
        values += ",3 ";
    }
    sql = "insert into " + WritingTable(ValueAt(current, m_keys.idIndex)) + "(" + names + ") values" + "(" +
          values + ")";
    logText.Format("表%s增加数据 %s 数据(%s)", m_settings.TableName(), names, values);
    logText = LogSafe(logText);
    return true;
}

bool CTableQuery::BuildUpdate(const CStringArray& current, const CStringArray& previous, long record,
                              CString& sql, CString& logText) {
    m_writeError.Empty();
    m_keys = CQueryComposition::FindKeyColumns(m_settings.Columns(), m_settings.VisibleCount());
    CStringArray stored;
    if (!CopyRecord(record, stored)) {
        m_writeError = kNotFound;
        return false;
    }
    const CColumnList& cols = m_settings.Columns();
    const std::vector<int> manual = ManualDataColumns();
    CString pieces;
    for (int i : EditedColumns(current, previous, manual)) {
        CString value = ValueAt(current, i);
        if (i == m_keys.timeIndex && !CString(value).Trim().IsEmpty()) {
            CString whole;
            if (CompleteTime(value, StoredTimeText(i, ValueAt(stored, i)), whole))
                value = SensorTime(ValueAt(stored, m_keys.idIndex), whole);
        }
        CString text;
        if (!EditedValueText(i, value, ValueAt(stored, i), text)) return false;
        pieces += (pieces.IsEmpty() ? "" : ",") + cols[i].colname + "=" + text;
    }
    for (int m : manual)
        pieces += (pieces.IsEmpty() ? "" : ",") + cols[m].colname + "=" + "3  ";
    CString description;
    CString condition = StoredKeyCondition(stored, description);
    if (condition.IsEmpty()) {
        m_writeError = "表没有关键字列, 不能修改";
        return false;
    }
    CString head = "update " + WritingTable(ValueAt(stored, m_keys.idIndex)) + " set ";
    sql = head.MakeUpper() + pieces + condition;
    logText.Format("表%s修改数据 %s 数据(%s)", m_settings.TableName(), description, pieces);
    logText = LogSafe(logText);
    return true;
}

bool CTableQuery::BuildDelete(long record, CString& sql, CString& logText) {
    m_writeError.Empty();
    m_keys = CQueryComposition::FindKeyColumns(m_settings.Columns(), m_settings.VisibleCount());
    CStringArray stored;
    if (!CopyRecord(record, stored)) {
        m_writeError = "没有找到要删除的记录";
        return false;
    }
    CString description;
    CString condition = StoredKeyCondition(stored, description);
    if (condition.IsEmpty()) {
        m_writeError = "表没有关键字列, 不能删除";
        return false;
    }
    CString head = "DELETE FROM " + WritingTable(ValueAt(stored, m_keys.idIndex)) + " ";
    sql = head.MakeUpper() + condition;
    logText.Format("表%s删除数据,%s", m_settings.TableName(), description);
    logText = LogSafe(logText);
    return true;
}

int CTableQuery::WriteRow(const CStringArray& current, const CStringArray& previous, long record) {
    m_writeError.Empty();
    m_auditError.Empty();
    m_sent.clear();
    if (current == previous) return 1;
    CString sql, logText;
    if (record < 0) {
        if (!AllEmpty(previous)) {
            // Shown texts are no safe key: a row can only be changed from the record it was read from.
            m_writeError = kNotFound;
            return 0;
        }
        if (!BuildInsert(current, sql, logText)) return 0;
        return RunChange("录入", {}, sql, {}, nullptr, {}, previous, current, logText, record);
    }
    if (!BuildUpdate(current, previous, record, sql, logText)) return 0;
    CStringArray stored;
    CopyRecord(record, stored);
    const std::vector<int> edited = EditedColumns(current, previous, ManualDataColumns());
    CString description;
    CString check = "SELECT ";
    std::vector<int> compared = edited;
    for (int m : ManualDataColumns())
        compared.push_back(m);
    // The check reads the edited columns (compared with what was read) and the manual-data
    // columns (read back into the record with the edited ones after the change).
    if (compared.empty()) compared.push_back(m_keys.idIndex >= 1 ? m_keys.idIndex : 1);
    for (std::size_t k = 0; k < compared.size(); ++k)
        check += (k ? "," : "") + m_settings.Columns()[compared[k]].colname;
    check +=
        " FROM " + WritingTable(ValueAt(stored, m_keys.idIndex)) + StoredKeyCondition(stored, description);
    return RunChange("修改", WritingTable(ValueAt(stored, m_keys.idIndex)), sql, check, &stored,
                     std::vector<int>(compared.begin(), compared.begin() + long(edited.size())), previous,
                     current, logText, record);
}

int CTableQuery::DeleteRow(long record) {
    m_writeError.Empty();
    m_auditError.Empty();
    m_sent.clear();
    CString sql, logText;
    if (!BuildDelete(record, sql, logText)) return 0;
    CStringArray stored;
    CopyRecord(record, stored);
    CString description;
    CString check = "SELECT COUNT(*) FROM " + WritingTable(ValueAt(stored, m_keys.idIndex)) +
                    StoredKeyCondition(stored, description);
    CStringArray shown;
    for (int i = 1; i <= m_settings.VisibleCount(); ++i)
        shown.Add(ValueAt(stored, i));
    return RunChange("删除", WritingTable(ValueAt(stored, m_keys.idIndex)), sql, check, &stored, {}, shown,
                     CStringArray(), logText, record);
}

int CTableQuery::RunChange(const CString& action, const CString& table, const CString& sql,
                           const CString& check, const CStringArray* stored, const std::vector<int>& compared,
                           const CStringArray& previous, const CStringArray& current, const CString& logText,
                           long record) {
    CQueryClient client;
    auto execute = [&](const CString& statement) {
        m_sent.push_back(statement);
        return client.Execute(statement) == 1;
    };
    auto fail = [&](const CString& reason) {
        m_writeError = reason;
        execute("ROLLBACK");
        return 0;
    };
    // The transaction holds the writers of the table back until the check, the change and
    // its audit record are done, so nobody changes the row between the check and the write.
    if (!execute("BEGIN")) {
        m_writeError = "数据库忙，未能修改数据: " + client.m_strLastError;
        return 0;
    }
    if (!table.IsEmpty() && !execute("LOCK TABLE " + table + " IN SHARE ROW EXCLUSIVE MODE"))
        return fail(client.m_strLastError);

    if (!check.IsEmpty()) {
        m_sent.push_back(check);
        if (!client.Query(check)) return fail(client.m_strLastError);
        const bool counted = action == "删除";
        if (client.GetRowCount() == 0 || (counted && TextToLong(client.m_rows[0][0].str()) == 0))
            return fail(counted ? "没有找到要删除的记录" : kNotFound);
        if (stored) {
            const CStringArray& now = client.m_rows[0];
            for (std::size_t k = 0; k < compared.size(); ++k) {
                const int i = compared[k];
                if (int(k) >= now.GetSize() || now[int(k)] != StoredTimeText(i, ValueAt(*stored, i)))
                    return fail(kChangedByOthers);
            }
        }
    }
    if (!execute(sql)) return fail(client.m_strLastError);
    if (client.m_nChangedRows == 0) return fail(action == "删除" ? "没有找到要删除的记录" : kNotFound);

    // The record takes the values now stored, so a second edit of the row is checked against them.
    CObjectArray<CStringArray> written;
    if (action == "修改") {
        m_sent.push_back(check);
        if (client.Query(check) && client.GetRowCount() > 0) written = std::move(client.m_rows);
    }

    if (!WriteAuditRecord(client, action, previous, current, logText)) {
        // The change stays (the data is right, only its trace is missing); the caller says so.
    }
    if (!execute("COMMIT")) return fail("数据修改未能提交: " + client.m_strLastError);

    CStringArray kept;
    if (!written.IsEmpty() && CopyRecord(record, kept)) {
        std::vector<int> columns = EditedColumns(current, previous, ManualDataColumns());
        for (int m : ManualDataColumns())
            columns.push_back(m);
        for (std::size_t k = 0; k < columns.size() && int(k) < written[0].GetSize(); ++k) {
            const int i = columns[k];
            if (i - 1 < kept.GetSize()) {
                CString value = written[0][int(k)];
                if (i == m_keys.timeIndex && m_options.timeOffset != 0 && !value.IsEmpty()) {
                    COleDateTime t = CQueryItem::ParseTime(value);
                    CQueryItem::ShiftTime(t, m_options.timeTypeWord, -m_options.timeOffset);
                    value = t.Format("%Y-%m-%d %H:%M:%S");
                }
                kept[i - 1] = value;
            }
        }
        m_records.ReplaceRow(record, kept);
    }
    return 1;
}

bool CTableQuery::WriteAuditRecord(CQueryClient& client, const CString& action, const CStringArray& previous,
                                   const CStringArray& current, const CString& logText) {
    CDirectiveSet d(&m_settings.Columns());
    CString wlog = d.AuditText();
    const bool shortForm = CString(wlog).Trim().MakeUpper() == "RTDB001";
    CString info = shortForm ? PointAuditText(action, previous, current) : logText;
    if (shortForm && info.IsEmpty()) return true; // the short form needs point, time and value
    CString user;
    if (!shortForm && KesLogin(nullptr, &user, "", 1) < 0) user = " ";

    // Inside the change's transaction: a failed audit insert is undone alone, the change stays.
    CString error;
    const bool ok = WriteAuditLog(client, info, shortForm ? nullptr : &user, m_sent, error);
    if (!ok) m_auditError = "数据已修改，但审计记录未写入: " + error;
    return ok;
}
