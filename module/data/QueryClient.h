#pragma once
// The module's one way to run SQL. Query runs a text of ";"-separated SELECTs through the
// data service on its read-only path and keeps every reply row as an array of column texts,
// in reply order, until the caller clears them; Execute runs writing statements, logs each
// one to the day's log and returns failures to its caller (m_strLastError).
//
// Rows are read by index many times (grid filling, statistics, lookups) and kept until the
// next query, so each row is one CStringArray owned by the rows array.
#include "Arrays.h"
#include "CString.h"
#include "Object.h"
#include "RowStore.h"

#include <memory>
#include <string_view>
#include <vector>

namespace kes {
class StatementControl;
}

// Which reply column holds a time that is moved back by whole periods as rows are read.
class CTimeColumn : public CObject {
public:
    CTimeColumn() = default;
    CTimeColumn(const CTimeColumn&) = default;
    CTimeColumn& operator=(const CTimeColumn&) = default;

    int m_nColumn = -1; // 1-based column number, -1 none
    CString m_strType;  // time-type word: "年" "月" "旬" "日" "时"
    int m_nOffset = 0;  // periods to move back
};

class CQueryClient {
public:
    CQueryClient();
    CQueryClient(const CQueryClient&) = delete;
    CQueryClient& operator=(const CQueryClient&) = delete;

    void ClearRows();
    // 1 when the last statement of the text succeeded, else 0. Clears the previous rows first;
    // rows of all statements accumulate. Resets the cut columns to null. Every statement is
    // sent read-only: one that would change the database fails.
    int Query(const CString& sql);
    // As Query, keeping of each statement only its first maxRows rows: the database stops
    // there, so a sorted statement whose first row alone is wanted costs little more than that row.
    int QueryFirstRows(const CString& sql, int maxRows);
    // 1 when the last statement of the text succeeded, else 0 (also for a text without
    // statements). Leaves the rows alone; sets m_nChangedRows.
    int Execute(const CString& sql);
    void LogStatement(const CString& text);
    void LogLine(const CString& text);

    int GetRowCount() const { return m_rows.GetSize(); }
    // Rows of the last query wherever they are kept (m_rows or the row store).
    long RowCount() const { return m_pRowStore ? m_pRowStore->GetSize() : m_rows.GetSize(); }

    // Parses one reply row (every value followed by ",", commas inside parentheses kept, a
    // character after "\\" taken as it is) into cells appended to row, applying the fraction
    // cut and the time shift.
    void ParseRow(std::string_view text, CStringArray& row);
    // The same, appending the cells as one more row of store.
    void ParseRow(std::string_view text, CRowStore& store);

    // The statements Query and Execute send for a text, as they split it: at ";" outside
    // single-quoted literals, Execute keeping each ";".
    static std::vector<CString> SplitForQuery(const CString& sql);
    static std::vector<CString> SplitForExecute(const CString& sql);

    CObjectArray<CStringArray> m_rows;
    // While set (a big query whose rows are kept long), Query appends its rows here instead
    // of to m_rows. Owned by the caller.
    CRowStore* m_pRowStore = nullptr;
    // The reason of the last failed statement: a caught exception's text or the service's
    // error text, of Query and Execute alike.
    CString m_strLastError;
    // Rows changed by the last statement Execute sent, as the data service reported them; -1
    // when it did not say.
    long long m_nChangedRows = -1;
    CDWordArray* m_pCutColumns = nullptr; // owned by the caller
    int m_nColumnCount = 0;
    int m_nCutState = 0; // 0 undecided, 1 no cut, 2 cut
    CTimeColumn m_timeColumn;
    // While set (a worker's query), a cancelled Query stops its statement and fails with
    // kes::kStatementCancelled, keeping no rows.
    std::shared_ptr<kes::StatementControl> m_control;

private:
    void CutFraction(CString& cell, int column);
    void ShiftTime(CString& cell) const;
    template <class AddCell> void ParseCells(std::string_view text, AddCell&& add);
    // Sends one statement; the reply (or the error text) is left in reply.
    bool SendStatement(const CString& statement, bool readOnly, CObArray& reply);
};
