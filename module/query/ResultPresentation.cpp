// Writing the result rows into the grid: headings, cell texts by the column directives,
// data-property colours, alternating row colours, then the statistics rows.
#include "DataProColorTable.h"
#include "QueryClient.h"
#include "QueryItem.h"
#include "RTEV.h"
#include "TableQuery.h"

namespace {

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

bool IsMissing(std::string_view text) {
    return !IsBlank(text) && TextToInt(text) == CTableQuery::kMissingValue;
}

} // namespace

const char* const CTableQuery::kStatisticsLabels[6] = {"统计 平均值", "统计 最大值",     "统计 最大值时间",
                                                       "统计 最小值", "统计 最小值时间", "统计 累加值"};

std::vector<CTableQuery::ColumnPlan> CTableQuery::PlanColumns() {
    const CColumnList& cols = m_settings.Columns();
    std::vector<ColumnPlan> plans(std::size_t(m_settings.VisibleCount()) + 1);
    CDirectiveSet d(&cols);
    for (int i = 1; i <= m_settings.VisibleCount(); ++i) {
        d.ParseColumn(cols[i]);
        ColumnPlan& p = plans[std::size_t(i)];
        // The code may sit in a hidden column: hidden columns are selected so they can be read.
        p.dataPropertyColumn = d.DataPropertyColumn();
        if (p.dataPropertyColumn >= cols.GetSize()) p.dataPropertyColumn = 0;
        p.decimals = d.Decimals();
        p.digits = d.SignificantDigits();
        p.eventState = d.HasRtevState();
        if (d.IsPkTime()) p.time = CTimeTextFormat(d.FieldTime());
    }
    return plans;
}

std::string_view CTableQuery::FormatValue(const ColumnPlan& plan, std::string_view text,
                                          std::string& scratch) const {
    // A text starting with a digit is neither blank nor the missing-value marker.
    if (text.empty() || text[0] < '0' || text[0] > '9') {
        if (IsMissing(text)) return {};
        // Blank cells stay blank: a missing value must not turn into 0 or a state message.
        if (IsBlank(text)) return text;
    }
    if (!plan.time.IsEmpty()) {
        plan.time.Format(text, scratch);
        text = scratch;
        if (IsBlank(text)) return text;
    }
    if (plan.decimals && *plan.decimals >= 0) {
        CQueryItem::FormatDecimals(text, *plan.decimals, scratch);
        text = scratch;
    }
    if (plan.digits) {
        CQueryItem::FormatNumber(text, *plan.digits, scratch);
        text = scratch;
    }
    if (plan.eventState) {
        scratch = CRTEV::GetStateMsg(TextToInt(text)).str();
        text = scratch;
    }
    return text;
}

bool CTableQuery::DataPropertyShown(int code, COLORREF& colour) {
    if (!m_dataPropertiesLoaded) {
        m_dataPropertiesLoaded = true;
        // The first 50 rows of the colour table, each in the slot of its code.
        CQueryClient client;
        CDataProColorTable table(client);
        for (int r = 0; r < table.m_entries.GetSize() && r < 50; ++r) {
            const CDataProColor& e = table.m_entries[r];
            if (e.m_nDataProId < 0 || e.m_nDataProId >= 50) continue;
            m_dataPropertyColour[e.m_nDataProId] = COLORREF(e.m_lColor);
            m_dataPropertyShown[e.m_nDataProId] = e.m_nDisSta == 1;
        }
    }
    if (code < 0 || code >= 50 || !m_dataPropertyShown[code]) return false;
    colour = m_dataPropertyColour[code];
    return true;
}

void CTableQuery::PresentHeader(CGridIterator& grid) {
    const CColumnList& cols = m_settings.Columns();
    grid.SetItemText(0, 0, "  ");
    for (int i = 1; i <= m_settings.VisibleCount(); ++i) {
        const CQueryColumn& c = cols[i];
        CGridCellPro pro;
        pro.m_strText = c.colnamech;
        if (!c.fontText.IsEmpty()) pro.m_font = c.font;
        if (!c.colorfgText.IsEmpty()) pro.m_crText = c.colorfg;
        if (!c.colorbgText.IsEmpty()) pro.m_crBack = c.colorbg;
        pro.m_nKind = c.valueClass == kValueTime ? GRID_KIND_TIME : GRID_KIND_TEXT;
        pro.m_nAlign = c.valueClass == kValueNumber ? GRID_ALIGN_RIGHT : GRID_ALIGN_LEFT;
        if (!c.projections.IsEmpty()) {
            pro.m_nKind = GRID_KIND_LIST;
            pro.m_values = c.projections;
            pro.m_nAlign = GRID_ALIGN_LEFT;
        }
        grid.SetColumnHeader(i, pro);
    }
    long fixed = m_options.fixedColumnCount;
    if (fixed > 1 && fixed < m_settings.VisibleCount() + 1) grid.SetFixedColumnCount(fixed);
}

void CTableQuery::ShowHeadings(CGridIterator& grid) {
    const int visible = m_settings.VisibleCount();
    if (visible < 1) return;
    grid.SetDisplayModeInit();
    grid.SetBkColor(m_options.gridBackground);
    grid.SetColumnCount(visible + 1);
    grid.SetRowCount(1);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    PresentHeader(grid);
    if (m_options.modifyDirection == "V") grid.ChangeRowColDirect();
}

void CTableQuery::ApplyDataPropertyColours(CGridIterator& grid, long index, bool transposed) {
    const long stored = transposed ? grid.GetColumnRecord(index) : grid.GetRowRecord(index);
    if (stored < 0 || stored >= m_records.GetSize()) return;
    const int cells = m_records.CellCount(stored);
    const std::vector<ColumnPlan> plans = PlanColumns();
    for (int i = 1; i <= m_settings.VisibleCount() && std::size_t(i) < plans.size(); ++i) {
        const int dc = plans[std::size_t(i)].dataPropertyColumn;
        if (dc < 1 || dc - 1 >= cells) continue;
        COLORREF colour = 0; // a property not shown in colour: the default text colour
        DataPropertyShown(TextToInt(m_records.Cell(stored, dc - 1)), colour);
        if (transposed)
            grid.SetItemFgColour(i, index, colour);
        else
            grid.SetItemFgColour(index, i, colour);
    }
}

void CTableQuery::ApplyRowColours(CGridIterator& grid, long firstRow, long lastRow) {
    if (!m_options.alternateRows) return;
    grid.SetRowStripes(firstRow, lastRow, 0, m_options.firstRowColor, m_options.secondRowColor);
}

void CTableQuery::FillGrid(CGridIterator& grid) {
    const int visible = m_settings.VisibleCount();
    const long results = ResultRowCount();
    m_statistics = ComputeStatistics();
    const long total = results + long(m_statistics.size());
    grid.SetColumnCount(visible + 1);
    grid.SetRowCount(total + 1);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    PresentHeader(grid);

    if (total > 0) ApplyRowColours(grid, 1, total);

    std::vector<ColumnPlan> plans = PlanColumns();
    if (results > 0) { // rows are much alike: the first one sizes the text store
        std::size_t rowBytes = 16;
        for (int c = 0; c < m_records.CellCount(0); ++c)
            rowBytes += m_records.Cell(0, c).size() + 8;
        grid.ReserveText(rowBytes * std::size_t(results));
    }
    std::string scratch;
    std::vector<std::string_view> record;
    for (long r = 0; r < results; ++r) {
        m_records.RowCells(r, record);
        const int cells = int(record.size());
        // A cell shown as stored refers to the record's text instead of a copy of it.
        const std::shared_ptr<const std::string> stored = m_records.RowText(r);
        const long row = r + 1;
        grid.SetItemText(row, 0, std::to_string(row));
        grid.SetRowRecord(row, r);
        for (int i = 1; i <= visible; ++i) {
            if (i - 1 >= cells) break;
            const ColumnPlan& plan = plans[std::size_t(i)];
            std::string_view text = record[std::size_t(i - 1)];
            if (plan.dataPropertyColumn > 0 && plan.dataPropertyColumn - 1 < cells) {
                COLORREF colour = 0;
                if (!DataPropertyShown(TextToInt(record[std::size_t(plan.dataPropertyColumn - 1)]), colour)) {
                    text = {};
                } else {
                    grid.SetItemFgColour(row, i, colour);
                }
            }
            std::string_view shown = FormatValue(plan, text, scratch);
            if (shown == text) shown = text; // formatting changed nothing: the stored characters
            if (shown.data() != text.data() && !plan.time.IsEmpty())
                grid.SetRecurringText(row, i, shown); // the same times for every station
            else
                grid.SetItemText(row, i, shown, stored);
        }
    }
    CString number;

    long row = results;
    for (const CStatisticsRow& s : m_statistics) {
        ++row;
        number.Format("%d", row);
        grid.SetItemText(row, 0, number);
        for (int i = 1; i <= visible && i - 1 < s.cells.GetSize(); ++i) {
            CString text = s.cells[i - 1];
            bool isTime = false;
            for (DWORD t : s.timeCells)
                isTime = isTime || int(t) == i;
            bool isLabel = i == m_keys.timeIndex || i == m_keys.idIndex;
            if (!isTime && !isLabel) {
                grid.SetItemText(row, i, FormatValue(plans[std::size_t(i)], text.str(), scratch));
                continue;
            }
            grid.SetItemText(row, i, text.str());
        }
    }
}
