#include "QueryClient.h"

#include "DataService.h"
#include "DayLog.h"
#include "QueryItem.h"
#include "ValueText.h"
#include "WorkerConnection.h"

#include <cstring>
#include <exception>

namespace {

// The remainder after the last ";" is a statement only when it holds more than one character.
void AddRemainder(std::vector<CString>& statements, CString current) {
    current.Trim();
    if (current.GetLength() > 1) statements.push_back(std::move(current));
}

} // namespace

CQueryClient::CQueryClient() {
    CreatDataMonitor(0);
}

void CQueryClient::ClearRows() {
    m_rows.RemoveAll();
    if (m_pRowStore) m_pRowStore->Clear();
}

namespace {

// Splits at every ";" outside a single-quoted literal. Counts quotes: 1 while inside a
// literal; any other count falls back to 0 after the character, so a doubled quote inside a
// literal leaves and re-enters it. keepSemicolon leaves each ";" at the end of its statement.
std::vector<CString> SplitOutsideLiterals(const CString& sql, bool keepSemicolon) {
    CString text = sql;
    text.Trim();
    std::vector<CString> statements;
    std::string current;
    int quotes = 0;
    for (char c : text.str()) {
        if (c == '\r' || c == '\n') c = ' ';
        if (c == '\'') ++quotes;
        if (c == ';' && quotes != 1) {
            if (keepSemicolon) current += c;
            statements.emplace_back(std::move(current));
            current.clear();
        } else {
            current += c;
        }
        if (quotes != 1) quotes = 0;
    }
    AddRemainder(statements, CString(std::move(current)));
    return statements;
}

// The number of changed rows in a status text ("UPDATE 3", "INSERT 0 1"): its last word,
// when that is a number; -1 otherwise.
long long ChangedRowsOf(std::string_view status) {
    std::size_t end = status.size();
    while (end > 0 && status[end - 1] == ' ')
        --end;
    std::size_t start = end;
    while (start > 0 && status[start - 1] >= '0' && status[start - 1] <= '9')
        --start;
    if (start == end || end - start > 18 || (start > 0 && status[start - 1] != ' ')) return -1;
    long long n = 0;
    for (std::size_t i = start; i < end; ++i)
        n = n * 10 + (status[i] - '0');
    return n;
}

} // namespace

std::vector<CString> CQueryClient::SplitForQuery(const CString& sql) {
    return SplitOutsideLiterals(sql, false);
}

std::vector<CString> CQueryClient::SplitForExecute(const CString& sql) {
    return SplitOutsideLiterals(sql, true);
}

bool CQueryClient::SendStatement(const CString& statement, bool readOnly, CObArray& reply) {
    CParam param;
    param.SetReadOnly(readOnly);
    reply.RemoveAll();
    reply.Add(std::make_unique<CSqlStr>(statement));
    if (InSqlStr(&param, &reply) >= 0) return true;
    // The service's reason is kept for the caller (the command-line tool prints it).
    auto* error = reply.IsEmpty() ? nullptr : dynamic_cast<CSqlStr*>(reply.GetAt(0));
    m_strLastError = error ? error->m_strSql : CString("the data service refused the statement");
    return false;
}

int CQueryClient::Query(const CString& sql) {
    return QueryFirstRows(sql, 0);
}

int CQueryClient::QueryFirstRows(const CString& sql, int maxRows) {
    ClearRows();
    bool ok = false;
    for (const CString& statement : SplitForQuery(sql)) {
        CParam param;
        param.SetReadOnly(true);
        param.SetRowLimit(maxRows);
        // Each reply row is parsed as it is read: no reply is kept beside the rows.
        const long before = RowCount();
        int cells = 0; // rows of one statement have the same cells: size each like the last
        auto parse = [&](std::string_view text) {
            if (text.empty()) return;
            if (m_pRowStore) {
                ParseRow(text, *m_pRowStore);
                return;
            }
            auto row = std::make_unique<CStringArray>();
            row->Reserve(cells);
            ParseRow(text, *row);
            cells = row->GetSize();
            m_rows.Add(std::move(row));
        };
        // Cells kept as they are read go into the row store straight from the database's
        // values, each written once, with no reply row to escape and split again.
        std::string number;
        auto store = [&](kes::CellRow values) {
            if (values.empty()) return;
            for (const kes::CellView& cell : values)
                m_pRowStore->AddCell(cell.Text(number));
            m_pRowStore->EndRow();
        };
        CObArray reply;
        const bool asRead = m_pRowStore && !m_pCutColumns && m_timeColumn.m_nColumn < 1;
        ok = (asRead ? InSqlCellsEach(&param, statement, store, &reply)
                     : InSqlStrEach(&param, statement, parse, &reply)) >= 0;
        if (!ok && m_control && m_control->Cancelled()) {
            // A stopped query keeps nothing: its caller goes on with what it had.
            ClearRows();
            m_pCutColumns = nullptr;
            m_strLastError = kes::kStatementCancelled;
            return 0;
        }
        if (!ok) {
            // A failed statement adds no rows; the service's reason is kept for the caller.
            if (m_pRowStore) m_pRowStore->Truncate(before);
            while (m_rows.GetSize() > before)
                m_rows.RemoveAt(m_rows.GetSize() - 1);
            auto* error = reply.IsEmpty() ? nullptr : dynamic_cast<CSqlStr*>(reply.GetAt(0));
            m_strLastError = error ? error->m_strSql : CString("the data service refused the statement");
        }
    }
    m_pCutColumns = nullptr;
    return ok ? 1 : 0;
}

int CQueryClient::Execute(const CString& sql) {
    bool ok = false;
    for (const CString& statement : SplitForExecute(sql)) {
        m_nChangedRows = -1;
        try {
            LogStatement(statement);
            CObArray reply;
            ok = SendStatement(statement, false, reply);
            if (!ok) {
                // The reason is logged beside the statement, so a failed write can be traced
                // from the log alone; the caller shows it.
                LogLine(m_strLastError);
            } else if (!reply.IsEmpty()) {
                auto* status = dynamic_cast<CSqlStr*>(reply.GetAt(reply.GetSize() - 1));
                if (status && kes::IsStatusText(status->m_strSql.str()))
                    m_nChangedRows = ChangedRowsOf(status->m_strSql.str());
            }
        } catch (const std::exception& e) {
            m_strLastError = e.what();
            LogLine(m_strLastError);
            ok = false;
        }
    }
    return ok ? 1 : 0;
}

void CQueryClient::LogStatement(const CString& text) {
    try {
        daylog::AppendStatement(text);
    } catch (const std::exception&) {
        // The entry is lost; querying goes on.
    }
}

void CQueryClient::LogLine(const CString& text) {
    try {
        daylog::AppendLine(text);
    } catch (const std::exception&) {
    }
}

namespace {

// A cell's text with the service's escapes undone: a "\\" takes the next character as it is.
CString Unescaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) ++i;
        out += text[i];
    }
    return CString(std::move(out));
}

} // namespace

void CQueryClient::ParseRow(std::string_view text, CStringArray& row) {
    ParseCells(text, [&row](std::string_view value) { row.Add(CString(value)); });
}

void CQueryClient::ParseRow(std::string_view text, CRowStore& store) {
    ParseCells(text, [&store](std::string_view value) { store.AddCell(value); });
    store.EndRow();
}

template <class AddCell> void CQueryClient::ParseCells(std::string_view text, AddCell&& add) {
    // Parentheses and the commas between them stay in the cell, so a cell is always the
    // stretch of text between two commas that stand outside parentheses. A character after
    // a "\\" is part of the cell whatever it is (the service escapes texts so).
    bool outside = true;
    bool escaped = false;
    int column = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\\') {
            escaped = true;
            ++i;
        } else if (c == ')') {
            outside = true; // parentheses do not nest: the first ")" closes
        } else if (!outside) {
            continue;
        } else if (c == '(') {
            outside = false;
        } else if (c == ',') {
            const std::string_view cell = text.substr(start, i - start);
            start = i + 1;
            ++column;
            if (!escaped && !m_pCutColumns && m_timeColumn.m_nColumn != column) {
                add(cell); // as read: most cells of a big reply
                continue;
            }
            CString value = escaped ? Unescaped(cell) : CString(cell);
            escaped = false;
            CutFraction(value, column - 1);
            if (m_timeColumn.m_nColumn == column) ShiftTime(value);
            add(std::string_view(value));
        }
    }
    // Text after the last "," is dropped: every value must be followed by a ",".
}

void CQueryClient::CutFraction(CString& cell, int column) {
    if (!m_pCutColumns) return;
    bool listed = false;
    for (DWORD c : *m_pCutColumns)
        if (int(c) == column) {
            listed = true;
            break;
        }
    if (m_nCutState == 0) {
        if (m_pCutColumns->IsEmpty())
            m_nCutState = 1;
        else if (listed)
            m_nCutState = cell.Find('.') >= 0 ? 2 : 1;
        else if (column == m_nColumnCount - 1)
            m_nCutState = 1;
    }
    if (m_nCutState == 2 && listed) {
        int dot = cell.Find('.');
        if (dot >= 1) cell = cell.Left(dot);
    }
}

void CQueryClient::ShiftTime(CString& cell) const {
    cell.Trim();
    if (cell.Find('-') < 0) return;
    COleDateTime time = CQueryItem::ParseTime(cell);
    CQueryItem::ShiftTime(time, m_timeColumn.m_strType, -m_timeColumn.m_nOffset);
    cell = time.Format("%Y-%m-%d %H:%M:%S");
}
