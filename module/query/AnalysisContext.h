#pragma once
// The analysis context: condenses the rows of an analysis query into one record per period of
// the chosen time type (hour, day, ten-day period, month) for each group of rows (the values
// of the TOTAL(GY) columns, a station or point), folding the values of the TOTAL role columns
// by the data type of the group's point; then lays the records and one statistics row per
// group into a grid. Toolkit-free: the query window, the command line and the tests use it.
#include "Arrays.h"
#include "DirectiveSet.h"
#include "GridIterator.h"
#include "LackTime.h"
#include "OleDateTime.h"
#include "RowStore.h"

#include <optional>
#include <vector>

class CTableQuery;

// The TOTAL roles of value columns, in the order of the role lists.
enum ETotalRole {
    kRoleGroup,
    kRoleValue,
    kRoleAverage,
    kRoleMaximum,
    kRoleMinimum,
    kRoleValueTime,
    kRoleAverageTime,
    kRoleMaximumTime,
    kRoleMinimumTime,
    kRoleCount
};

// One condensed record: one step of periods of one group.
struct CAnalysisRecord {
    CString group;                             // the TOTAL(GY) texts, joined by ","
    int period = 0;                            // index of the step's first period label
    CStringArray cells;                        // texts of the other columns (index as the columns; 0 unused)
    std::vector<double> sums;                  // accumulator per column
    std::vector<int> counts;                   // values folded in per column (AVGV: those not missing)
    std::vector<std::optional<double>> values; // what a value column shows; none when missing
};

class CAnalysisContext {
public:
    static constexpr double kMaximumStart = -999999999.0;
    static constexpr double kMinimumStart = 999999999.0;
    static constexpr COLORREF kHighlight = 0x9F64C4;

    // Empties the role lists, table ids and records; interval 1; no DTYPE or TIME column.
    void Reset();
    void SetColumns(const CColumnList* columns) { m_columns = columns; }
    // Rows as the engine keeps them: the texts of columns 1.. in select order.
    void SetRows(const CRowStore* rows) { m_rows = rows; }
    void SetQueryEngine(const CTableQuery* engine) { m_engine = engine; }
    void SetRange(const COleDateTime& start, const COleDateTime& end);
    // A code outside 0..10 means hours.
    void SetTimeType(int code);
    void SetInterval(int interval) { m_interval = interval < 1 ? 1 : interval; }
    void SetRowColours(const CRowColours& colours) { m_colours = colours; }

    bool IsHour() const { return m_typeFlags[3] != 0; }
    bool IsDay() const { return m_typeFlags[4] != 0; }
    bool IsTenDay() const { return m_typeFlags[5] != 0; }
    bool IsMonth() const { return m_typeFlags[6] != 0; }
    int TimeType() const;

    bool HasRoles() const;
    bool HasTableRoles() const;
    void CollectRoles();
    void Compute();
    // The records and one statistics row per group, in display mode 3, numbered from 1.
    void FillGrid(CGridIterator& grid) const;

    const std::vector<int>& RoleColumns(ETotalRole role) const { return m_roles[role]; }
    int DtypeColumn() const { return m_dtypeColumn; }
    int TimeColumn() const { return m_timeColumn; }
    int DataType() const { return m_dataType; }
    const CDWordArray& TableIds() const { return m_tableIds; }
    const CStringArray& PeriodLabels() const { return m_labels; }
    const CString& StartText() const { return m_startText; }
    const CString& EndText() const { return m_endText; }
    // "%s 至 %s" of the first and last period label, the single label when they are equal.
    CString CoveredRange() const;
    // The condensed records, group by group in period order, and per group the fold of all its
    // rows (the statistics row).
    const std::vector<CAnalysisRecord>& Records() const { return m_records; }
    const std::vector<CAnalysisRecord>& Statistics() const { return m_statistics; }
    COLORREF Highlight() const { return m_highlight; }

    // The text of a time as a period label of the current type ("%Y-%m-%d %H", "%Y-%m-%d" for
    // days and ten-day periods, "%Y-%m"); a time inside a ten-day period gives its first day.
    CString PeriodText(const COleDateTime& time) const;
    // The text of a record's cell: a value column's value as "%lf" (empty without a value),
    // any other column's text as copied from its rows.
    CString CellText(const CAnalysisRecord& record, int column) const;
    // The period a time falls in, as a number that orders and identifies it (year, month, day,
    // hour of its start); the periods of the axis are looked up by it.
    long long PeriodKey(const COleDateTime& time) const;
    // The key of each period label, in axis order.
    const std::vector<long long>& PeriodKeys() const { return m_keys; }

private:
    void BuildPeriodLabels();
    // Rows are read in place, by their number in the row store.
    CAnalysisRecord NewRecord(long row, const CString& group) const;
    void Fold(CAnalysisRecord& record, long row, int dataType) const;
    void Finish(CAnalysisRecord& record, int dataType) const;
    int GroupDataType(long row) const;
    std::string_view Cell(long row, int column) const;
    bool IsValueColumn(int column) const;
    void AddPeriod(const COleDateTime& start);
    long long PeriodKey(int year, int month, int day, int hour) const;
    // The key of the period of a row's time text; none for a text that is no time.
    std::optional<long long> RowPeriodKey(std::string_view timeText) const;

    const CColumnList* m_columns = nullptr;
    const CRowStore* m_rows = nullptr;
    const CTableQuery* m_engine = nullptr;
    COleDateTime m_start, m_end;
    CString m_startText, m_endText;
    int m_typeFlags[10] = {0, 0, 0, 1, 0, 0, 0, 0, 0, 0};
    int m_interval = 1;
    std::vector<int> m_roles[kRoleCount];
    std::vector<int> m_textColumns; // the columns a new record copies the text of (Compute)
    int m_dtypeColumn = -1;
    int m_timeColumn = -1;
    int m_dataType = 2;
    CDWordArray m_tableIds;
    CStringArray m_labels;
    std::vector<long long> m_keys;
    std::vector<CAnalysisRecord> m_records;
    std::vector<CAnalysisRecord> m_statistics;
    std::optional<CRowColours> m_colours;
    COLORREF m_highlight = 0;
};
