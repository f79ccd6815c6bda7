#pragma once
// The decisions of the table query window that need no window: how the element's records
// become the engine's options and request, the header sort that all query windows of the
// process share, which stored widths the grid columns take, the export path, and the state of
// the row being edited. The Qt window only carries these out.
#include "Arrays.h"
#include "CString.h"
#include "InterfaceSettings.h"
#include "QueryOptions.h"
#include "QuerySettings.h"
#include "TableQuery.h"
#include "WindowSettings.h"

#include <vector>

// The bar a query window shows for its table: the analysis bar, the missing-data bar or the
// ordinary station-and-time bar.
enum class EBarKind { Ordinary, Analysis, LackTime };
EBarKind BarKindFor(CTableQuery& query);

// The engine's options for the element's records.
CTableQueryOptions EngineOptionsFor(const CInterfaceSettings& face, const CQueryOptions& options,
                                    const CQuerySettings& query);
// The word of the window's time type ("时", "日", "旬", "月").
CString TimeTypeWord(int timeTypeIndex);
// Writes the settings' stations and period into the engine's request, with the composition form.
void RequestFromSettings(const CQuerySettings& query, int form, CQueryRequest& request);

// The header sort: the first click on a column, and a click on another column, sorts
// ascending; each further click on the same column turns the order round. The last column
// and order are the process's, whichever query window was clicked.
class CHeaderSort {
public:
    static CHeaderSort& LastSort();
    // The order ("ASC" or "DESC") a click on the column sorts by, remembered as the last sort.
    CString Click(long column);
    void Forget() { m_column = -1; }

private:
    long m_column = -1;
    bool m_descending = false;
};

// The width each grid column takes from the stored widths: -1 leaves a column as it is.
// Widths apply only with the fixed-grid-columns flag; columns past the stored list take its
// last width; with the element choice, a column whose entry in the element list is 0 is hidden.
std::vector<int> StoredColumnWidths(const CInterfaceSettings& face, long columnCount);

// The export dialog's filter text and the path written for the chosen filter (1 spreadsheet,
// 2 text): the filter's extension is appended unless the path already ends with it.
extern const char* const kExportFilter;
CString ExportPath(const CString& chosen, int filterIndex);

// Whether cells may be edited under the read/write word, and whether a click should first ask.
bool EditingAllowed(const CString& accessWord);
bool EditingNeedsLogin(const CString& accessWord);

// The row being edited: its values as shown now and as they were shown when it was loaded, and
// the stored record it was read from (-1 for a new row), which keys the write.
struct CEditedRow {
    long row = -1;    // grid row (or column when the grid is transposed), -1 for none
    long record = -1; // the engine's stored record of the row
    CStringArray current;
    CStringArray previous;
    bool Edited() const { return current != previous; }
    bool IsNew() const;
    void Clear() { *this = CEditedRow{}; }
};

// The shown texts of visible columns 1..visible of grid record index: a row, or a column of a
// transposed grid.
CStringArray RecordTexts(const CGridIterator& grid, long index, int visible, bool transposed);
// Makes record index the edited row, its texts as they are shown now.
void LoadEditedRow(CEditedRow& edit, const CGridIterator& grid, long index, int visible, bool transposed);
// Writes the edited row back through the engine when its texts changed since it was loaded:
// 1 when written (or nothing to write), 0 when not (the engine says why). After a write the
// row's texts are its new previous texts.
int CommitEditedRow(CEditedRow& edit, const CGridIterator& grid, CTableQuery& query, bool transposed);
