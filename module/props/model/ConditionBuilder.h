#pragma once
// Conditions typed or put together by hand: the pieces of "筛选条件" (column, operator, value,
// joined with " OR " and " AND "), the key filter of "增加条件过滤主关键字", and the check that
// lets a condition reach the database only as part of a read-only statement.
#include "Arrays.h"
#include "CString.h"
#include "QueryColumn.h"

#include <vector>

class CQueryClient;

// The columns "筛选条件" offers: shown columns (position not -1) of value class text or number,
// from a column list whose index 0 is an empty record.
std::vector<CQueryColumn> FilterColumns(const CObjectArray<CQueryColumn>& columns);

// The operator captions for a column: six comparisons for numbers, "包含" and "不包含" for texts.
CStringArray OperatorCaptions(const CQueryColumn& column);

// One piece "column operator value", e.g. WLEVEL>=12.5 or STNM like '%宜%'; empty when the
// operator index does not fit the column. value is the typed text, or, for a column with a
// projection, the chosen "name(code)" entry whose code is taken.
CString ComposePiece(const CQueryColumn& column, int operatorIndex, const CString& value);

// Empty when value fits the column; else why it does not: a number column takes only a number
// (or nothing, which counts as 0) as its typed value.
CString ValueRefusal(const CQueryColumn& column, const CString& value);

// The pieces in the order they were added; each after the first joined by " OR " or " AND ",
// without parentheses, so AND binds before OR as SQL reads it.
class CFilterCondition {
public:
    void Add(const CString& piece, bool orJoin);
    const CString& Text() const { return m_text; }

private:
    CString m_text;
};

// What "筛选条件" hands the window: " (text) " around the trimmed text, empty for none.
CString WrappedCondition(const CString& text);

// The condition of "增加条件过滤主关键字": " (text) ", where a text that holds "例" (the
// example the edit starts with) counts as empty.
CString KeyFilterCondition(const CString& text);

// Runs the condition against the table once, read-only ("SELECT COUNT(*) FROM KES.table WHERE
// condition"). Empty when the database takes it; else the message for the dialog, with the
// database's reason. A condition that would change anything is refused by the database.
CString ConditionRefusal(CQueryClient& client, const CString& table, const CString& condition);
