#pragma once
// The data behind a query grid: cell texts, header records, colours and fonts, plus the whole-grid
// operations the query windows use (reset, sparse filling, sort, transposition, export).
//
// Shape. Row 0 is the header row and column 0 the header column (row numbers, statistics
// labels); the fixed row and column counts say how many leading rows and columns stay in view
// when scrolling and which rows a plain sort leaves on top. Headers are ordinary cells for their texts; their
// look comes from one CGridCellPro record per column (row 0) and per row (column 0).
//
// Storage. All cell texts live back to back in one character arena; the matrix is a flat,
// row-major vector of (offset, length) slots with the column count as stride. Filling a row is
// a few appends to the arena, sorting and inserting rows move slots and never copy texts, and a
// replaced text is overwritten in place when it fits (the arena is compacted once more than half
// of it is dead text). A cell may instead refer to a text kept elsewhere that never changes
// (the stored records of a query, where a cell shows what was read unchanged): the grid keeps
// that text alive and holds no copy of it. Texts that recur in many cells (the formatted times
// of a many-station result) can be kept once each in a pool of their own, which only grows.
// Colours and fonts are looks kept in a small deduplicated palette; a cell refers to one through
// a per-row vector and, only once some single cell got its own look, a per-cell vector beside
// the slots. Neither vector exists for a grid that never set a look. Alternating row colours
// over a range of rows are one setting, written out per row only when rows move.
//
// Reading on demand (the grid view's model). A view asks only for the cells it paints:
//     GetRowCount() / GetColumnCount()        -> model dimensions
//     GetCellView(row, col)                   -> text, no copy
//     GetDisplayText(row, col)                -> the text shown (names of mapped codes), no copy
//     GetCellLook(row, col)                   -> text colour, background, font (nullptr: grid font)
//     GetColumnLook(col) / GetRowLook(row)    -> header record: kind, alignment, value list
// Each call is O(1) and allocates nothing. A view and its model hold no object per cell; the
// views and pointers returned stay valid until the next change of the grid, so the model
// converts them at once (e.g. to the toolkit's string) and keeps nothing.
//
// Coordinates are long like the records of the query windows. Readers answer an empty text or
// the default look outside the grid; writers answer false and change nothing.
#include "GridCell.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

// Effective look of one cell.
struct CGridCellLook {
    COLORREF crText = 0;
    COLORREF crBack = 0xFFFFFF;
    const LOGFONT* font = nullptr; // nullptr: the grid's own font
};

class CGridIterator {
public:
    // Display modes: the initial one, and the sparse mode in which cells are gathered as
    // CGridCellSparse records and become the grid when the matrix is closed.
    static constexpr int DISPLAY_INIT = 0;
    static constexpr int DISPLAY_SPARSE = 3;

    // A grid of this many cells or more is refused (a wild coordinate must not exhaust memory).
    static constexpr std::uint64_t MAX_CELLS = std::uint64_t(1) << 28;

    CGridIterator();

    // Back to the initial display mode: one corner cell with a default header record, one fixed
    // row and column, no looks, white grid background.
    void SetDisplayModeInit();
    // Enters a display mode. Entering the sparse mode drops any cells gathered before.
    void SetDisplayMode(int mode);
    int GetDisplayMode() const { return m_displayMode; }

    // Sparse mode. The size is a minimum: closing grows the grid to hold every gathered cell.
    // A cell gathered twice keeps the text given last. Until the matrix is closed the gathered
    // cells are not part of the grid.
    bool SetMatrixSize(long rows, long cols);
    bool AddSparseCell(const CGridCellSparse& cell); // false outside sparse mode or the limits
    bool CloseMatrix();                              // false when the result would be too large
    bool IsMatrixClosed() const { return m_matrixClosed; }

    long GetRowCount() const { return m_rows; }
    long GetColumnCount() const { return m_cols; }
    // New rows and columns are empty; the grid keeps at least one row and one column.
    bool SetRowCount(long rows);
    bool SetColumnCount(long cols);
    long GetFixedRowCount() const { return m_fixedRows; }
    long GetFixedColumnCount() const { return m_fixedCols; }
    void SetFixedRowCount(long n) { m_fixedRows = n < 0 ? 0 : n; }
    void SetFixedColumnCount(long n) { m_fixedCols = n < 0 ? 0 : n; }

    // Room for that many more bytes of cell text, so a fill of known size grows the text store
    // once instead of by doubling.
    void ReserveText(std::size_t bytes) { m_arena.reserve(m_arena.size() + bytes); }

    std::string_view GetCellView(long row, long col) const;
    // The text a user sees in a cell, on screen, on paper and in every export. A data cell of a
    // GRID_KIND_LIST column (a row of a transposed grid) holding the code of one of its
    // "name(code)" entries shows the name; every other cell shows its text. Valid as long as a
    // view of GetCellView is.
    std::string_view GetDisplayText(long row, long col) const;
    // The header record whose value list maps a data cell: its column's, its row's once the grid
    // is transposed; nullptr for header cells and cells without a list.
    const CGridCellPro* ValueListOf(long row, long col) const;
    CString GetItemText(long row, long col) const { return CString(GetCellView(row, col)); }
    bool SetItemText(long row, long col, std::string_view text);
    // The same, for a text that lies inside *owner, which nobody changes while it is shared: the
    // cell refers to it there instead of copying it. Any other text is copied as above.
    bool SetItemText(long row, long col, std::string_view text,
                     const std::shared_ptr<const std::string>& owner);
    // The same, for a text that recurs in many cells, such as the times of a result of many
    // stations: equal texts given this way are kept once. A grid keeps at most MAX_RECURRING
    // distinct ones; texts beyond that are copied as above.
    bool SetRecurringText(long row, long col, std::string_view text);
    static constexpr std::size_t MAX_RECURRING = std::size_t(1) << 16;
    // Writes texts into consecutive cells of a row from firstCol on; texts past the last
    // column are ignored.
    template <class Range> bool SetRowTexts(long row, long firstCol, const Range& texts) {
        if (!Contains(row, firstCol)) return false;
        long col = firstCol;
        for (const auto& text : texts) {
            if (col >= m_cols) break;
            SetItemText(row, col++, std::string_view(text));
        }
        return true;
    }

    // Header records. Setting one also writes its text into the header cell (row 0 of the
    // column, column 0 of the row); reading one gives the current text of that cell.
    bool SetColumnHeader(long col, const CGridCellPro& pro);
    CGridCellPro GetColumnHeader(long col) const;
    bool SetRowHeader(long row, const CGridCellPro& pro);
    CGridCellPro GetRowHeader(long row) const;
    // The same records without their texts, by reference (no copy for a view that paints).
    const CGridCellPro& GetColumnLook(long col) const;
    const CGridCellPro& GetRowLook(long row) const;

    // Looks. A cell's own colour or font wins over its row's, which wins over the header record
    // (header cells) or the defaults of data cells: text colour 0, the grid background (white
    // unless set), the grid's font.
    void SetBkColor(COLORREF colour) { m_gridBack = colour; }
    COLORREF GetBkColor() const { return m_gridBack; }
    bool SetItemFgColour(long row, long col, COLORREF colour);
    bool SetItemBkColour(long row, long col, COLORREF colour);
    bool SetItemFont(long row, long col, const LOGFONT& font);
    bool SetRowColors(long row, COLORREF text, COLORREF back);
    // Alternating row colours: each row firstRow..lastRow gets what SetRowColors(row, text, even)
    // gives an even row and SetRowColors(row, text, odd) an odd one. False for a range outside
    // the grid.
    bool SetRowStripes(long firstRow, long lastRow, COLORREF text, COLORREF even, COLORREF odd);
    CGridCellLook GetCellLook(long row, long col) const;

    // Editing. Rows and columns are inserted before the given index (the count appends them);
    // their cells are empty and take no look.
    bool InsertRow(long before, long count = 1);
    bool DeleteRow(long row, long count = 1);
    bool InsertColumn(long before, long count = 1);
    bool DeleteColumn(long col, long count = 1);

    // Sorts rows by the texts of one column, order "ASC" or "DESC" (case and blanks around it
    // do not matter). Whole rows move, header column and looks included. Numbers compare as
    // numbers, date-times as date-times ("YYYY-MM-DD HH:MM:SS" or a leading part of it, and the
    // display forms of the time types such as "2024年06月 中旬"), other texts by their code-page
    // bytes, which puts Chinese names in the order of the system's own lists; numbers come
    // before date-times before texts, reversed for "DESC". Blank cells go
    // last in both orders, and rows with equal keys keep their order. The first form sorts every
    // row below the fixed rows; the second only rows firstRow..lastRow (inclusive), so that
    // statistics rows below the result rows stay where they are. False for an unknown order,
    // a column or range outside the grid.
    bool SortData(long col, std::string_view order);
    bool SortData(long col, std::string_view order, long firstRow, long lastRow);

    // The stored record a data row shows: an index into the records its filler keeps (the row
    // as read from the database), -1 for a row that shows none (statistics rows, a new row).
    // Records move with their rows when rows are sorted, inserted or deleted, and become the
    // columns' records when the grid is transposed, so an edited row is always written from the
    // record it was read from, never from its display texts.
    bool SetRowRecord(long row, long record);
    long GetRowRecord(long row) const;
    long GetColumnRecord(long col) const;

    // Swaps rows and columns: the header row becomes the header column, header records and
    // fixed counts change sides, every cell keeps its look. Doing it twice gives the grid back.
    void ChangeRowColDirect();
    bool IsTransposed() const { return m_transposed; }

    // Writes every row and column of the grid, header row first, to a file. The file appears
    // complete or not at all: it is written beside the target and renamed over it. False (with
    // the reason in *error when given) when it could not be written whole.
    //  - A path ending in ".xls" or ".xlsx" (any case) gets an Office Open XML workbook, also
    //    under ".xls": plain decimal numbers become numbers shown with their decimals, every
    //    other text (codes with leading zeros, times, labels) stays text, the header row is bold.
    // Cells are written as GetDisplayText shows them.
    //  - Any other path gets text: UTF-8 with a byte-order mark, cells separated by tabs, each
    //    row ending in CR LF as the operators' Windows tools expect. A tab or line break inside a
    //    cell is written as a blank so that every row stays one line.
    bool SaveData(const CString& path, CString* error = nullptr) const;

private:
    // A cell's text: offset and length in the arena, or, with the SHARED bit in length, offset
    // in a shared text whose index sits above the length; the last index stands for the pool
    // of recurring texts.
    struct Slot {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
    };
    static constexpr std::uint32_t SHARED = std::uint32_t(1) << 31;
    static constexpr int SHARED_LENGTH_BITS = 24;
    static constexpr std::uint32_t SHARED_LENGTH_MASK = (std::uint32_t(1) << SHARED_LENGTH_BITS) - 1;
    static constexpr std::size_t POOL = 127;
    static constexpr std::size_t MAX_SHARED_TEXTS = POOL;
    static bool IsShared(const Slot& slot) { return (slot.length & SHARED) != 0; }
    static std::size_t SharedOf(const Slot& slot) { return (slot.length & ~SHARED) >> SHARED_LENGTH_BITS; }
    static std::uint32_t TextLength(const Slot& slot) {
        return IsShared(slot) ? slot.length & SHARED_LENGTH_MASK : slot.length;
    }
    // One palette entry. mask says which of the fields are set.
    struct Look {
        std::uint8_t mask = 0;
        COLORREF crText = 0;
        COLORREF crBack = 0;
        std::int32_t font = -1; // index into m_fonts
        friend bool operator==(const Look&, const Look&) = default;
    };
    static constexpr std::uint8_t LOOK_TEXT = 1, LOOK_BACK = 2, LOOK_FONT = 4;

    bool Contains(long row, long col) const { return row >= 0 && col >= 0 && row < m_rows && col < m_cols; }
    std::size_t SlotIndex(long row, long col) const {
        return std::size_t(row) * std::size_t(m_cols) + std::size_t(col);
    }
    static bool SizeAllowed(std::uint64_t rows, std::uint64_t cols);

    std::uint32_t Append(std::string_view text);
    void Forget(const Slot& slot) {
        if (!IsShared(slot)) m_garbage += slot.length;
    }
    // Index of owner among the shared texts, added when there is room; -1 when there is none.
    int SharedIndex(const std::shared_ptr<const std::string>& owner);
    // Offset of text in the pool, added when it is new and there is room; false when there is none.
    bool PoolOffset(std::string_view text, std::uint32_t& offset);
    void GrowPoolIndex();
    // Writes the stripes out into m_rowLook and the rows' records into m_rowRecord; done before
    // anything moves or drops rows, as both are kept per row from then on.
    void MaterialiseRowStripes();
    void MaterialiseRowRecords();
    void BeforeRowsMove() {
        MaterialiseRowRecords();
        MaterialiseRowStripes();
    }
    std::string_view PoolEntry(std::uint64_t entry) const {
        return std::string_view(m_pool).substr(std::size_t(entry >> 32),
                                               std::size_t(entry & SHARED_LENGTH_MASK));
    }
    void CompactIfWasteful();
    void Compact();

    std::uint32_t LookIndex(const Look& look);
    bool MergeCellLook(long row, long col, const Look& change);
    void MaterialiseCellLooks();
    void ApplyLook(CGridCellLook& out, std::uint32_t lookIndex) const;

    bool SaveText(const std::string& path, CString* error) const;
    bool SaveSpreadsheet(const std::string& path, CString* error) const;

    long m_rows = 1;
    long m_cols = 1;
    long m_fixedRows = 1;
    long m_fixedCols = 1;
    std::vector<Slot> m_slots;
    std::string m_arena;
    std::size_t m_garbage = 0;
    std::vector<std::shared_ptr<const std::string>> m_shared;
    // Recurring texts back to back, and where each lies: offset << 32 | length, found by the
    // text's hash with linear probing, 0 for a free place (no pooled text is empty).
    std::string m_pool;
    std::vector<std::uint64_t> m_poolIndex;
    std::size_t m_pooled = 0;

    // Looks: 0 means none, otherwise 1 + index into m_looks. Both vectors may be empty.
    std::vector<Look> m_looks;
    std::map<std::tuple<std::uint8_t, COLORREF, COLORREF, std::int32_t>, std::uint32_t> m_lookIndex;
    std::vector<LOGFONT> m_fonts;
    std::vector<std::uint32_t> m_rowLook; // one per row when sized
    // Rows m_stripeFirst..m_stripeLast without a row look of their own take m_stripeEven or
    // m_stripeOdd by their parity; no stripes while m_stripeLast < m_stripeFirst.
    long m_stripeFirst = 0;
    long m_stripeLast = -1;
    std::uint32_t m_stripeEven = 0;
    std::uint32_t m_stripeOdd = 0;
    std::vector<std::uint32_t> m_cellLook; // one per slot when sized
    // Stored-record indexes of rows and columns; empty when none was set (all -1). Rows filled
    // in the order of their records need no vector: while m_rowRecord is empty, rows
    // m_recordRow .. m_recordRow + m_recordCount - 1 show records 0 .. m_recordCount - 1.
    std::vector<std::int32_t> m_rowRecord;
    std::vector<std::int32_t> m_colRecord;
    long m_recordRow = 0;
    long m_recordCount = 0;

    // Header records without their texts; shorter vectors mean default records beyond.
    std::vector<CGridCellPro> m_colPro;
    std::vector<CGridCellPro> m_rowPro;
    COLORREF m_gridBack = 0xFFFFFF;

    int m_displayMode = DISPLAY_INIT;
    bool m_transposed = false; // column records describe rows
    bool m_matrixClosed = false;
    long m_declaredRows = 0;
    long m_declaredCols = 0;
    std::vector<CGridCellSparse> m_pending;
};
