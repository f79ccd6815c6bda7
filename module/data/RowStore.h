#pragma once
// The rows of a big query, kept as compactly as their texts allow: a refresh of hundreds of
// thousands of rows is kept for as long as the grid shows it (edits are written back from it),
// so a text object per cell would cost several times the texts themselves.
//
// Rows live in blocks of a few thousand; a block holds its cells' texts back to back in one
// string, the end offset of each cell, and per row where its texts and cell ends begin. Filling
// grows only the last block, so the store never copies what it already holds. A row replaced
// after an edit is appended to its block again (the old texts stay as dead text: edits are few).
#include "Arrays.h"
#include "CString.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CRowStore {
public:
    long GetSize() const { return m_rows; }
    bool IsEmpty() const { return m_rows == 0; }
    // Cells of a row; 0 outside the store.
    int CellCount(long row) const;
    // A cell's text (column counted from 0); empty outside the row or the store. Valid until
    // the store changes.
    std::string_view Cell(long row, int column) const;
    // The row's cells as texts of their own; empty outside the store.
    CStringArray CopyRow(long row) const;

    // Appending: the cells of a row one after the other, then EndRow. A row without cells is a
    // row too.
    void AddCell(std::string_view text);
    void EndRow();
    void AddRow(const CStringArray& cells);
    // Gives a row new cells (their count may differ); false outside the store.
    bool ReplaceRow(long row, const CStringArray& cells);
    void Clear();
    // Drops rows from the end down to rows (the rows of a statement that failed).
    void Truncate(long rows);

    // Bytes of cell text held, dead text of replaced rows included.
    std::size_t TextBytes() const;

private:
    static constexpr long kRowsPerBlock = 4096;
    struct RowEntry {
        std::uint32_t begin = 0;     // offset of the first cell's text
        std::uint32_t firstCell = 0; // index of the first cell's end in ends
        std::uint32_t cells = 0;
    };
    struct Block {
        std::string text;
        std::vector<std::uint32_t> ends;
        std::vector<RowEntry> rows;
    };

    const RowEntry* Entry(long row, const Block** block) const;
    Block& OpenRowBlock();

    std::vector<Block> m_blocks;
    long m_rows = 0;
    bool m_rowOpen = false;
    RowEntry m_open; // the row being filled
};
