#include "SystemInventory.h"

#include "QueryClient.h"
#include "WorkerConnection.h"

#include <cassert>

namespace {

CString Trimmed(CString text) {
    text.Trim();
    return text;
}

bool IsNameByte(unsigned char c, bool first) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80) return true;
    return !first && ((c >= '0' && c <= '9') || c == '$');
}

// The database's message without the lines that follow it (PostgreSQL adds the statement
// with a pointer under the failing word), so the reason fits one grid cell.
CString FirstLine(const CString& text) {
    int end = text.FindOneOf("\r\n");
    return Trimmed(end < 0 ? text : text.Left(end));
}

} // namespace

CString InventoryStatement(const CInventoryTable& entry) {
    CString table = Trimmed(entry.table);
    CString column = Trimmed(entry.timeColumn);
    CString sql;
    if (table.IsEmpty()) return sql;
    if (column.IsEmpty())
        sql.Format(" SELECT COUNT(*) FROM KES.%s ", table.GetString());
    else
        sql.Format(" SELECT COUNT(*) ,MIN(%s),MAX(%s) FROM KES.%s ", column.GetString(), column.GetString(),
                   table.GetString());
    return sql;
}

bool IsPlainName(const CString& name) {
    const std::string& text = name.str();
    if (text.empty()) return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!IsNameByte(static_cast<unsigned char>(text[i]), i == 0)) return false;
    return true;
}

CInventoryRow CountTable(const CInventoryTable& entry, std::shared_ptr<kes::StatementControl> control) {
    CInventoryRow row;
    row.table = Trimmed(entry.table);
    row.chineseName = entry.chineseName;
    assert(!row.table.IsEmpty());
    CString column = Trimmed(entry.timeColumn);
    if (!IsPlainName(row.table)) {
        row.failure = "表名不能用于统计: " + row.table;
        return row;
    }
    if (!column.IsEmpty() && !IsPlainName(column)) {
        row.failure = "时间字段名不能用于统计: " + column;
        return row;
    }
    CQueryClient client;
    client.m_control = std::move(control);
    if (client.Query(InventoryStatement(entry)) != 1) {
        row.failure = FirstLine(client.m_strLastError);
        if (row.failure.IsEmpty()) row.failure = "统计语句执行失败";
        return row;
    }
    if (client.GetRowCount() == 0) {
        row.failure = "统计语句没有返回行";
        return row;
    }
    const CStringArray& fields = client.m_rows[0];
    CString* targets[] = {&row.count, &row.earliest, &row.latest};
    for (int i = 0; i < fields.GetSize() && i < 3; ++i)
        *targets[i] = fields[i];
    return row;
}

CInventoryOutcome LoadInventory(const std::vector<CInventoryTable>& tables,
                                const std::function<void(const CInventoryRow&)>& onRow, std::stop_token stop,
                                std::shared_ptr<kes::StatementControl> control) {
    CInventoryOutcome outcome;
    for (const CInventoryTable& entry : tables) {
        if (Trimmed(entry.table).IsEmpty()) continue;
        if (stop.stop_requested()) {
            outcome.cancelled = true;
            break;
        }
        CInventoryRow row = CountTable(entry, control);
        if (control && control->Cancelled()) { // stopped while it ran: no count to show
            outcome.cancelled = true;
            break;
        }
        ++(row.Counted() ? outcome.counted : outcome.failed);
        onRow(row);
    }
    return outcome;
}
