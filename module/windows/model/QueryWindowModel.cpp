#include "QueryWindowModel.h"

#include "TimeTypes.h"

#include <algorithm>

const char* const kExportFilter = "电子表格(*.xls)|*.txt|文本 文件(*.txt)|*.txt||";

EBarKind BarKindFor(CTableQuery& query) {
    if (query.IsAnalysisMode()) return EBarKind::Analysis;
    if (query.IsLackTimeMode()) return EBarKind::LackTime;
    return EBarKind::Ordinary;
}

CString TimeTypeWord(int timeTypeIndex) {
    const CString word = PeriodWordOfType(timeTypeIndex + kTypeHour);
    return word.IsEmpty() ? CString("时") : word;
}

CTableQueryOptions EngineOptionsFor(const CInterfaceSettings& face, const CQueryOptions& options,
                                    const CQuerySettings& query) {
    CTableQueryOptions o;
    o.alternateRows = face.m_alternateRows != 0;
    o.firstRowColor = face.m_firstRowColor;
    o.secondRowColor = face.m_secondRowColor;
    o.gridBackground = face.m_gridBackground;
    o.fixedColumnCount = face.m_fixedColumnCount;
    o.reverseTimeOrder = options.m_reverseTimeOrder != 0;
    o.curveName = options.m_curveName != 0;
    o.missingDataStats = options.m_missingDataStats != 0;
    o.analysisComparison = options.m_analysisComparison != 0;
    o.timeTypeWord = TimeTypeWord(query.m_timeTypeIndex);
    o.timeOffset = query.m_timeOffset;
    o.modifyDirection = query.m_modifyDirection;
    // With the advanced flag the element's own column records stand for the settings tables,
    // once they have been built (index 0 is the empty record).
    o.elementColumns = {query.m_advanced == 1 && options.m_columns.GetSize() > 1, &options.m_columns};
    return o;
}

void RequestFromSettings(const CQuerySettings& query, int form, CQueryRequest& request) {
    request.form = form;
    request.keys = query.m_stations;
    request.startTime = query.m_startTimeText;
    request.endTime = query.m_endTimeText;
}

CHeaderSort& CHeaderSort::LastSort() {
    static CHeaderSort sort;
    return sort;
}

CString CHeaderSort::Click(long column) {
    if (column != m_column) {
        m_column = column;
        m_descending = false;
    } else {
        m_descending = !m_descending;
    }
    return m_descending ? "DESC" : "ASC";
}

std::vector<int> StoredColumnWidths(const CInterfaceSettings& face, long columnCount) {
    std::vector<int> widths(std::size_t(std::max(columnCount, 0L)), -1);
    if (face.m_fixedColumns == 0) return widths;
    const CDWordArray& stored = face.m_columnWidths;
    for (long col = 0; col < columnCount; ++col) {
        if (!stored.IsEmpty())
            widths[std::size_t(col)] = int(stored[std::min<long>(col, stored.GetSize() - 1)]);
        if (face.m_elementChoice && col < face.m_elementList.GetSize() && face.m_elementList[col] == 0)
            widths[std::size_t(col)] = 0;
    }
    return widths;
}

CString ExportPath(const CString& chosen, int filterIndex) {
    const char* extension = filterIndex == 1 ? ".xls" : filterIndex == 2 ? ".txt" : "";
    CString path = chosen;
    CString tail = path.Right(4);
    if (*extension && tail.MakeUpper() != CString(extension).MakeUpper()) path += extension;
    return path;
}

bool EditingAllowed(const CString& accessWord) {
    return accessWord == "WRITE";
}

bool EditingNeedsLogin(const CString& accessWord) {
    return accessWord == "READ/WRITE";
}

bool CEditedRow::IsNew() const {
    return std::all_of(previous.begin(), previous.end(), [](const CString& v) { return v.IsEmpty(); });
}

CStringArray RecordTexts(const CGridIterator& grid, long index, int visible, bool transposed) {
    CStringArray values;
    for (int i = 1; i <= visible; ++i)
        values.Add(transposed ? grid.GetItemText(i, index) : grid.GetItemText(index, i));
    return values;
}

void LoadEditedRow(CEditedRow& edit, const CGridIterator& grid, long index, int visible, bool transposed) {
    edit.row = index;
    edit.record = transposed ? grid.GetColumnRecord(index) : grid.GetRowRecord(index);
    edit.current = RecordTexts(grid, index, visible, transposed);
    edit.previous = edit.current;
}

int CommitEditedRow(CEditedRow& edit, const CGridIterator& grid, CTableQuery& query, bool transposed) {
    edit.current = RecordTexts(grid, edit.row, query.Settings().VisibleCount(), transposed);
    if (!edit.Edited()) return 1;
    if (query.WriteRow(edit.current, edit.previous, edit.record) != 1) return 0;
    edit.previous = edit.current;
    return 1;
}
