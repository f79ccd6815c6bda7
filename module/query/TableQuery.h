#pragma once
// The query engine of one configured table: everything between "the user pressed 刷新" and
// "the grid is full" (computed columns, statements, presentation, statistics rows), and between
// "the user left an edited row" and "the row and its audit record are written". Toolkit-free:
// the query window, the command-line tool and the tests run this one refresh path.
#include "GridIterator.h"
#include "LackTime.h"
#include "QueryClient.h"
#include "QueryComposition.h"
#include "QueryItem.h"
#include "QueryTableSettings.h"
#include "YearComparison.h"

#include <memory>
#include <optional>
#include <vector>

// What the element's settings say about presenting and running the query.
struct CTableQueryOptions {
    bool alternateRows = true;
    COLORREF firstRowColor = 0xC8FFFF;
    COLORREF secondRowColor = 0xFFFFFF;
    COLORREF gridBackground = 0xFFFFFF;
    long fixedColumnCount = 1;
    bool reverseTimeOrder = false;
    bool curveName = false;
    bool missingDataStats = false;
    bool analysisComparison = false;
    CString timeTypeWord = "时";   // the window's time type, for statistics times
    int timeOffset = 0;            // periods by which read times are moved back
    CString modifyDirection = "H"; // "V" shows the grid transposed
    CElementColumns elementColumns;
};

// One statistics row of a station: its label and one text per visible column.
struct CStatisticsRow {
    CString label;
    CStringArray cells;    // index i-1 for visible column i
    CDWordArray timeCells; // columns whose text is a time, not a number
};

class CTableQuery {
public:
    static constexpr int kMissingValue = -999;

    explicit CTableQuery(CQueryClient& client);
    ~CTableQuery();
    CTableQuery(const CTableQuery&) = delete;
    CTableQuery& operator=(const CTableQuery&) = delete;

    // Loads the table's settings and directives. When the database cannot be read, LoadError
    // holds its reason and the next refresh with argument 1 loads them again first.
    void Load(const CString& tableName, const CTableQueryOptions& options);
    const CString& LoadError() const { return m_loadError; }
    const CQueryTableSettings& Settings() const { return m_settings; }
    CQueryTableSettings& Settings() { return m_settings; }
    const CTableQueryOptions& Options() const { return m_options; }
    // The window's time type word ("时" "日" "旬" "月"), as the user last chose it.
    void SetTimeTypeWord(const CString& word) { m_options.timeTypeWord = word; }

    CQueryRequest m_request;
    CLackTimeRequest m_lackRequest; // the missing-data bar's request, in missing-data mode

    // Refresh with argument 1 (query and fill), -1 (fill again without querying) or 0.
    void Refresh(CGridIterator& grid, int argument = 1);
    // The database's reasons for the statements of the last refresh that failed, in order (a
    // settings load that failed again comes first); empty when every statement succeeded. The
    // grid of a failed refresh is incomplete.
    const std::vector<CString>& RefreshErrors() const { return m_refreshErrors; }
    bool RefreshFailed() const { return !m_refreshErrors.empty(); }

    // The steps of a refresh, in their order.
    // Runs the computed-column updates; each failure (statement and reason) is kept in
    // RefreshErrors until the next run.
    void RunComputedColumns();
    void ApplyCurveHeadings();
    // The request text of the refresh (empty when nothing is to be queried).
    CString ComposeStatements();
    // Runs the statements; the result rows stay in the client. 1 when every statement
    // succeeded, else 0 with the reason added to RefreshErrors.
    int RunQuery();

    // The same refresh with its query run elsewhere (a worker thread): BeginRefresh runs the
    // steps before the query, PrepareQuery answers what to run (an empty text: nothing, the
    // rows stay as they were), AcceptRows takes what the run answered as RunQuery would, and
    // Refresh(grid, -1) fills the grid. Until AcceptRows the engine keeps the rows of its last
    // refresh, so a run that is stopped changes nothing; AcceptRows leaves them in rows.
    struct QueryRun {
        CString text;
        CTimeColumn timeColumn;
    };
    void BeginRefresh();
    QueryRun PrepareQuery();
    int AcceptRows(CRowStore& rows, int ok, const CString& error);
    void FillGrid(CGridIterator& grid);
    // An empty grid with the column headings only, before the first query.
    void ShowHeadings(CGridIterator& grid);
    // Colours the data cells of a result row (a column of a transposed grid) from the data
    // property of its stored record, as the fill does: after a write the record holds the
    // property now stored.
    void ApplyDataPropertyColours(CGridIterator& grid, long index, bool transposed);
    std::vector<CStatisticsRow> ComputeStatistics();

    // The statements the computed columns would run, in order, without running them.
    std::vector<CString> ComputedColumnStatements();
    // Every statistics statement for one station and column, as sent.
    std::vector<CString> StatisticsStatements(const CString& station, int column);

    // Whether the table shows missing-data statistics instead of rows, or the analysis query.
    bool IsLackTimeMode();
    bool IsAnalysisMode();

    // The rows of the last query as read from the database (every selected column, hidden ones
    // included, in select order), numbered as the grid's row records number them.
    long ResultRowCount() const { return m_records.GetSize(); }
    const CRowStore& Records() const { return m_records; }
    // A record's cells as texts of their own; false (record untouched) for no such record.
    bool CopyRecord(long index, CStringArray& record) const;

    // The year comparison the last refresh in analysis mode showed.
    const CYearComparison& Comparison() const { return m_comparison; }

    // Writing edited rows back. Shown values are one text per visible column (index i-1 for
    // column i), as the grid shows them. A row read from the database (record >= 0) is keyed
    // by its stored key values and only the columns whose shown text changed are written,
    // converted back to their stored form; a row without a record whose previous texts are
    // all empty is inserted. Every change runs in one transaction with its audit record:
    // a row that no longer exists, or whose edited columns someone else changed since it was
    // read, is not written. WriteRow answers 1 when the row was written or there was nothing
    // to write, 0 when it was not (LastWriteError says why); a change whose audit record could
    // not be written is kept, answers 1 and leaves the reason in LastAuditError.
    int WriteRow(const CStringArray& current, const CStringArray& previous, long record = -1);
    int DeleteRow(long record);
    const CString& LastWriteError() const { return m_writeError; }
    const CString& LastAuditError() const { return m_auditError; }
    // Every statement the last write or delete sent, in order (data, checks and audit).
    const std::vector<CString>& SentStatements() const { return m_sent; }
    // The statement and log text a write or delete would send, without sending it; false with
    // LastWriteError when a value cannot be written.
    bool BuildInsert(const CStringArray& current, CString& sql, CString& logText);
    bool BuildUpdate(const CStringArray& current, const CStringArray& previous, long record, CString& sql,
                     CString& logText);
    bool BuildDelete(long record, CString& sql, CString& logText);
    // The time moved to the start of its period of the given label ("时" "日" "旬" "月" "年").
    static CString PeriodStart(const CString& timeText, const CString& label, int count);

    const CKeyColumns& KeyColumns() const { return m_keys; }
    int StatisticsLevel();
    static const char* const kStatisticsLabels[6];

    // How the cells of one visible column are shown, worked out once per fill.
    struct ColumnPlan {
        int dataPropertyColumn = 0; // DC: the column holding the row's data-property code
        std::optional<int> decimals;
        std::optional<int> digits; // AVAIL
        bool eventState = false;   // RTEVSTATE
        CTimeTextFormat time;      // FIELDTIME on the PK(TIME) column
    };
    std::vector<ColumnPlan> PlanColumns();
    // The displayed text of a value: missing values blank, time, decimals, digits, state.
    // Answers a view of the value itself when nothing changes it, else of scratch.
    std::string_view FormatValue(const ColumnPlan& plan, std::string_view text, std::string& scratch) const;

    // Stripes rows firstRow..lastRow in the alternating colours, when the element asks for them.
    void ApplyRowColours(CGridIterator& grid, long firstRow, long lastRow);

private:
    void PresentHeader(CGridIterator& grid);
    CString StationLiteral(const CString& station) const;
    // The physical table (TableID partition) holding a station's rows.
    CString PhysicalTableFor(const CString& station) const;

    // Row writing (RowWriter.cpp).
    bool ValueText(int column, CString value, CString& text);
    bool EditedValueText(int column, const CString& shown, const CString& stored, CString& text);
    CString StoredTimeText(int column, const CString& stored) const;
    CString WritingTable(const CString& idValue) const;
    std::vector<int> ManualDataColumns();
    std::vector<int> EditedColumns(const CStringArray& current, const CStringArray& previous,
                                   const std::vector<int>& manual) const;
    CString StoredKeyCondition(const CStringArray& stored, CString& description) const;
    CString SensorTime(const CString& idValue, const CString& timeText);
    // Runs a prepared change with its audit record in one transaction (see WriteRow).
    int RunChange(const CString& action, const CString& table, const CString& sql, const CString& check,
                  const CStringArray* stored, const std::vector<int>& compared, const CStringArray& previous,
                  const CStringArray& current, const CString& logText, long record);
    bool WriteAuditRecord(CQueryClient& client, const CString& action, const CStringArray& previous,
                          const CStringArray& current, const CString& logText);
    CString FirstValue(const CString& sql, CString* second = nullptr);
    bool DataPropertyShown(int code, COLORREF& colour);

    CQueryClient& m_client;
    CQueryTableSettings m_settings;
    CTableQueryOptions m_options;
    CQueryComposition m_composition;
    CKeyColumns m_keys;
    std::vector<CStatisticsRow> m_statistics;
    CYearComparison m_comparison;
    CRowStore m_records;
    CString m_loadError;
    CString m_writeError;
    CString m_auditError;
    std::vector<CString> m_sent;
    std::vector<CString> m_refreshErrors;

    // Data-property colours: 50 slots (colour, shown), read on first use.
    bool m_dataPropertiesLoaded = false;
    COLORREF m_dataPropertyColour[50] = {};
    bool m_dataPropertyShown[50] = {};
};
