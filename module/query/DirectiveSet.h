#pragma once
// The bracketed directives that steer a configured table and its columns, written into the
// table's "show" text and each column's "restrictdata" text: [PK(ID)][DEC(2)][STAT(AVG)].
// Only bracketed items count; each is kept trimmed and upper-cased. A keyword matches an item
// when it occurs anywhere in it (so DC also matches [TOTAL(DCHAR)]), and a value is taken from
// the first matching item that carries enough arguments. Values are computed on every ask.
#include "Arrays.h"
#include "CString.h"
#include "QueryColumn.h"

#include <optional>
#include <string_view>

using CColumnList = CObjectArray<CQueryColumn>;

// Statistics kinds a column may ask for.
enum EStatKind {
    kStatNone = 0,
    kStatMax = 1,
    kStatMin = 2,
    kStatAvg = 3,
    kStatSum = 4,
    kStatAvgExt = 5,
    kStatColligateA = 6,
    kStatColligateB = 7
};

class CDirectiveSet {
public:
    CDirectiveSet() = default;
    explicit CDirectiveSet(const CColumnList* columns) : m_columns(columns) {}

    void SetColumns(const CColumnList* columns) { m_columns = columns; }
    // Key values of the current query, indexed like the columns (for TableID).
    void SetKeyValues(const CStringArray* keyValues) { m_keyValues = keyValues; }

    // Replaces the items by those of the text (no current column).
    void Parse(const CString& text);
    // Parses the column's directive text and makes it the current column.
    void ParseColumn(const CQueryColumn& column);
    const CStringArray& Items() const { return m_items; }

    bool Has(std::string_view keyword) const;
    // The arguments between the first "(" after the opening bracket and the next ")", split at
    // every ","; one empty argument when there are none.
    static CStringArray Arguments(const CString& item);
    // The arguments of the first item that matches the keyword and holds at least minArgs.
    std::optional<CStringArray> Find(std::string_view keyword, int minArgs) const;
    // Whether any matching item's first argument (trimmed, upper-cased) equals the value.
    bool HasFirstArgument(std::string_view keyword, std::string_view value) const;
    // Index of the column with that name (trimmed, case-insensitive), or -1.
    int ColumnIndex(const CString& name) const;
    // Parses the columns from index 1 in turn and stops at the first whose directives match
    // the keyword; returns its index (its items stay parsed) or -1.
    int FindColumnWith(std::string_view keyword);

    // Table directives.
    CString PhysicalTableName(const CString& configured) const; // TableID
    CString ModiWord() const;                                   // default "WRITE"
    CString DirectWord() const;                                 // default "H"

    // Column directives of the parsed text.
    bool HasWhere() const;
    CString WhereText() const;
    CString CheckText() const;
    int DataPropertyColumn() const; // DC: the named column's index, 0 for none
    bool IsPkId() const { return HasFirstArgument("PK", "ID"); }
    bool IsPkTime() const { return HasFirstArgument("PK", "TIME"); }
    bool HasPk() const { return Has("PK"); }
    // CHANGETIME: the period label ("年" "月" "旬" "日" "时") and count; false when none.
    bool ChangeTime(CString& label, int& count) const;
    bool HasLackTime() const { return Has("LACKTIME"); }
    bool HasAnalyQuery() const { return Has("ANALYQUERY"); }
    bool HasRtevState() const { return Has("RTEVSTATE"); }
    std::optional<int> Decimals() const;       // DEC(n)
    std::optional<int> SignificantDigits() const; // AVAIL(n)
    bool HasShowTime() const { return Has("SHOWTIME"); }
    CString ShowTime() const;
    bool HasTotalRole(std::string_view role) const;
    int TotalDcharDigits() const; // TOTAL(DCHAR, n), default 2
    CDWordArray TotalTables() const; // TOTAL(TABLE, t1, t2, ...)
    std::optional<CStringArray> Calc() const; // (pass, function, column, ...)
    CString FieldTime() const;
    // STAT: the kind and the further columns named (the current column's own name left out).
    EStatKind StatKind(CStringArray* columns = nullptr) const;
    CString DataSensorTime() const; // DAY, DAY10 or MON; default DAY

    // Table-wide answers over every column.
    CString AuditText();   // WLOG of the last column that has one; "无数据" without columns
    int StatisticsLevel(); // 1 ordinary statistics, 5 COLLIGATEA, 6 COLLIGATEB, 0 none

    static EStatKind StatKindOf(const CString& word);
    static CString PeriodLabelOf(const CString& unitWord); // YEAR → 年 ...; empty when unknown

private:
    bool CurrentColumnHidden() const { return m_current && m_current->Point == -1; }

    const CColumnList* m_columns = nullptr;
    const CStringArray* m_keyValues = nullptr;
    const CQueryColumn* m_current = nullptr;
    CStringArray m_items;
};
