#pragma once
// The records the query windows hand to the grid: the look of a header cell and one data cell
// given by its position.
#include "Arrays.h"
#include "CString.h"
#include "LogFont.h"
#include "Types.h"

// Cell kind codes of a header record: how the grid edits the cells of that column.
constexpr int GRID_KIND_DEFAULT = 100; // plain cell (also the corner cell)
constexpr int GRID_KIND_TEXT = 101;    // free text
constexpr int GRID_KIND_LIST = 111;    // one of the record's value list
constexpr int GRID_KIND_TIME = 1000;   // date-time

// Alignment codes of a header record, for the texts of its column.
constexpr int GRID_ALIGN_LEFT = 1;
constexpr int GRID_ALIGN_CENTER = 2;
constexpr int GRID_ALIGN_RIGHT = 3;

// Header cell record: heading text and the look of a header cell. A record without a font of
// its own (face name empty and height 0) is drawn in the grid's font.
struct CGridCellPro {
    CString m_strText;
    LOGFONT m_font;
    COLORREF m_crText = 0;
    COLORREF m_crBack = 0xFFFFFF;
    int m_nKind = GRID_KIND_DEFAULT;
    int m_nAlign = GRID_ALIGN_RIGHT;
    CStringArray m_values; // choices of a GRID_KIND_LIST column

    bool HasOwnFont() const { return !(m_font == LOGFONT{}); }
    friend bool operator==(const CGridCellPro&, const CGridCellPro&) = default;
};

// One data cell by position (grid coordinates: row 0 and column 0 are the headers).
class CGridCellSparse {
public:
    CGridCellSparse() = default;
    CGridCellSparse(long row, long col, CString text) { SetData(row, col, std::move(text)); }

    void SetData(long row, long col, CString text) {
        m_nRow = row;
        m_nCol = col;
        m_strText = std::move(text);
    }
    long GetRow() const { return m_nRow; }
    long GetCol() const { return m_nCol; }
    const CString& GetText() const { return m_strText; }

private:
    long m_nRow = 0;
    long m_nCol = 0;
    CString m_strText;
};
