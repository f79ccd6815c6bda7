#pragma once
// Turning a configured table, its directives and one request into the SELECT statements of a
// refresh. Pure text work: nothing here talks to the database.
#include "DirectiveSet.h"
#include "OleDateTime.h"
#include "QueryRequest.h"

struct CYearRange {
    COleDateTime start;
    COleDateTime end;
};

class CQueryComposition {
public:
    // "SELECT col,col,... FROM KES.TABLE" over every real column (hidden ones too), upper-cased;
    // empty when the list holds only the placeholder. Remembers the select-list positions of
    // time columns.
    CString SelectPart(const CColumnList& columns, const CString& physicalTable);
    const CDWordArray& TimePositions() const { return m_timePositions; }

    static CKeyColumns FindKeyColumns(const CColumnList& columns, int visibleCount);

    // " col IN(1,2) " for number ids, " (col LIKE '%a%'  OR col LIKE '%b%' ) " for text ids.
    static CString IdCondition(const CKeyColumns& keys, const CStringArray& values);
    static CString TimeCondition(const CString& timeColumn, const CString& start, const CString& end);
    // The range of one analysis year: the month, day and time of from and to in that year; an
    // end whose month, day and time precede the start's falls in the next year.
    static CYearRange YearRange(const COleDateTime& from, const COleDateTime& to, int year);
    static CString MultiYearCondition(const CString& timeColumn, const CString& start, const CString& end,
                                      const CDWordArray& years);
    static CString FixedConditions(const CColumnList& columns);
    static CString OrderClause(const CKeyColumns& keys);

    // The WHERE and ORDER BY part for the form of the request; idCondition is the id
    // condition for the batch at hand (or the typed condition).
    static CString Clause(const CQueryRequest& request, const CKeyColumns& keys, const CString& idCondition,
                          const CString& timeCondition, const CString& fixedConditions);

    // The whole request text of a refresh: one statement, or one per batch of five keys,
    // separated by ";". Empty when nothing is to be queried.
    CString Statements(const CColumnList& columns, int visibleCount, const CString& physicalTable,
                       const CQueryRequest& request);

    static constexpr int kKeysPerStatement = 5;

private:
    CDWordArray m_timePositions;
};
