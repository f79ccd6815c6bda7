#include "TableQuery.h"

#include "QueryClient.h"

CTableQuery::CTableQuery(CQueryClient& client) : m_client(client) {}

CTableQuery::~CTableQuery() = default;

void CTableQuery::Load(const CString& tableName, const CTableQueryOptions& options) {
    m_options = options;
    // The client keeps its last error until the next failure: start from none.
    m_client.m_strLastError.Empty();
    m_settings.Load(m_client, tableName, options.elementColumns);
    m_keys = CQueryComposition::FindKeyColumns(m_settings.Columns(), m_settings.VisibleCount());
    const bool nothingRead = !m_settings.HasTableRow() && m_settings.VisibleCount() == 0;
    m_loadError = nothingRead ? m_client.m_strLastError : CString();
    m_client.m_strLastError.Empty();
}

bool CTableQuery::IsLackTimeMode() {
    CString table = m_settings.TableName();
    table.Trim().MakeUpper();
    if (!m_options.missingDataStats || (table != "RTEV" && table != "REAL")) return false;
    CDirectiveSet d(&m_settings.Columns());
    for (int i = 1; i < m_settings.Columns().GetSize(); ++i) {
        d.ParseColumn(m_settings.Columns()[i]);
        if (d.HasLackTime() && d.IsPkTime()) return true;
    }
    return false;
}

bool CTableQuery::IsAnalysisMode() {
    CString table = m_settings.TableName();
    table.Trim().MakeUpper();
    if (!m_options.analysisComparison || table != "HISVIEW") return false;
    CDirectiveSet d(&m_settings.Columns());
    return d.FindColumnWith("ANALYQUERY") >= 0;
}

bool CTableQuery::CopyRecord(long index, CStringArray& record) const {
    if (index < 0 || index >= m_records.GetSize()) return false;
    record = m_records.CopyRow(index);
    return true;
}

int CTableQuery::StatisticsLevel() {
    CDirectiveSet d(&m_settings.Columns());
    return d.StatisticsLevel();
}

CString CTableQuery::PhysicalTableFor(const CString& station) const {
    // TableID reads the station's key in the id column.
    CStringArray keyValues;
    keyValues.SetSize(m_settings.Columns().GetSize());
    if (m_keys.idIndex >= 0 && m_keys.idIndex < keyValues.GetSize()) keyValues[m_keys.idIndex] = station;
    return m_settings.PhysicalTableName(&keyValues);
}

CString CTableQuery::ComposeStatements() {
    m_keys = CQueryComposition::FindKeyColumns(m_settings.Columns(), m_settings.VisibleCount());
    CQueryRequest request = m_request;
    request.analysis = IsAnalysisMode();
    return m_composition.Statements(
        m_settings.Columns(), m_settings.VisibleCount(),
        PhysicalTableFor(m_request.keys.IsEmpty() ? CString() : m_request.keys[0]), request);
}

CTableQuery::QueryRun CTableQuery::PrepareQuery() {
    m_client.ClearRows();
    QueryRun run;
    run.text = ComposeStatements();
    if (!run.text.IsEmpty() && m_options.timeOffset != 0 && m_keys.timeIndex >= 1) {
        run.timeColumn.m_nColumn = m_keys.timeIndex;
        run.timeColumn.m_strType = m_options.timeTypeWord;
        run.timeColumn.m_nOffset = m_options.timeOffset;
    }
    return run;
}

int CTableQuery::AcceptRows(CRowStore& rows, int ok, const CString& error) {
    // The rows as read are the records the grid's rows are written back from; they stay here,
    // not in the client, so a later lookup on the same client cannot drop them.
    std::swap(m_records, rows);
    if (ok == 1 && error.IsEmpty()) return 1;
    m_refreshErrors.push_back(error.IsEmpty() ? CString("the query failed") : error);
    return 0;
}

int CTableQuery::RunQuery() {
    QueryRun run = PrepareQuery();
    if (run.text.IsEmpty()) return 0;
    m_client.m_timeColumn = run.timeColumn;
    // Query answers for the last statement only; an earlier batch's failure shows as a reason.
    m_client.m_strLastError.Empty();
    CRowStore rows;
    m_client.m_pRowStore = &rows;
    int ok = m_client.Query(run.text);
    m_client.m_pRowStore = nullptr;
    m_client.m_timeColumn = CTimeColumn();
    return AcceptRows(rows, ok, m_client.m_strLastError);
}

void CTableQuery::BeginRefresh() {
    m_refreshErrors.clear();
    // Settings the database could not give are asked for again: it may answer now.
    if (!m_loadError.IsEmpty()) Load(m_settings.TableName(), m_options);
    RunComputedColumns();
    if (!m_loadError.IsEmpty()) m_refreshErrors.insert(m_refreshErrors.begin(), m_loadError);
    ApplyCurveHeadings();
}

void CTableQuery::Refresh(CGridIterator& grid, int argument) {
    if (argument == 1) {
        m_refreshErrors.clear();
        // Settings the database could not give are asked for again: it may answer now.
        if (!m_loadError.IsEmpty()) Load(m_settings.TableName(), m_options);
    }
    if (IsLackTimeMode()) {
        grid.SetDisplayModeInit();
        grid.SetBkColor(m_options.gridBackground);
        FillLackTimeGrid(grid, LackTimeRows(m_lackRequest),
                         {m_options.alternateRows, m_options.firstRowColor, m_options.secondRowColor});
        return;
    }
    if (argument == 1 && !IsAnalysisMode()) {
        BeginRefresh();
        RunQuery();
    }
    if (argument != 1 && argument != -1) return;
    grid.SetDisplayModeInit();
    grid.SetBkColor(m_options.gridBackground);
    if (IsAnalysisMode()) {
        // The years side by side instead of the rows: each year is queried on its own.
        m_refreshErrors.clear();
        m_comparison = CompareYears(*this);
        FillYearComparison(m_comparison, grid,
                           {m_options.alternateRows, m_options.firstRowColor, m_options.secondRowColor});
        if (m_options.modifyDirection == "V") grid.ChangeRowColDirect();
        return;
    }
    FillGrid(grid);
    const long results = ResultRowCount();
    if (m_options.reverseTimeOrder && m_keys.timeIndex >= 1 && results > 0 &&
        grid.SortData(m_keys.timeIndex, "DESC", 1, results)) {
        // Newest first, still numbered from the top and striped as before.
        CString number;
        for (long row = 1; row <= results; ++row) {
            number.Format("%d", row);
            grid.SetItemText(row, 0, number);
        }
        ApplyRowColours(grid, 1, results);
    }
    if (m_options.modifyDirection == "V") grid.ChangeRowColDirect();
}
