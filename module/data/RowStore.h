#pragma once
// The rows of a big query, kept as compactly as their texts allow: a refresh of hundreds of
// thousands of rows is kept for as long as the grid shows it (edits are written back from it),
// so a text object per cell would cost several times the texts themselves.
//
// Rows live in blocks of a few thousand; a block holds its rows back to back in one string, each
// row as its cell count and then every cell as its length and its text (counts and lengths take
// one byte up to 127, seven bits a byte beyond), and per row where it begins. Filling grows only
// the last block, sized like the block before it, so the store seldom copies what it holds. A
// row replaced after an edit is appended to its block again (the old row stays as dead text:
// edits are few). Reading a cell steps over the cells before it in its row: rows are short.
//
// A block's texts can be shared with a reader that keeps them instead of a copy (the grid shows
// some cells exactly as stored): a shared block text never changes; the store writes to a copy
// of its own when it changes a block that is shared.
#include "Arrays.h"
#include "CString.h"

#include <cstdint>
#include <memory>
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
    // Views of all the row's cells at once, read in one pass (cheaper than Cell for each of a
    // wide row); none outside the store. Valid as Cell's views are.
    void RowCells(long row, std::vector<std::string_view>& cells) const;
    // The row's cells as texts of their own; empty outside the store.
    CStringArray CopyRow(long row) const;
    // The text that holds the row's cells: every Cell view of the row lies inside it. It never
    // changes while a reader keeps it; nullptr outside the store.
    std::shared_ptr<const std::string> RowText(long row) const;

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

    // Bytes held for the cells, their counts and lengths included, and the dead text of
    // replaced rows.
    std::size_t TextBytes() const;

private:
    static constexpr long kRowsPerBlock = 4096;
    struct Block {
        std::shared_ptr<std::string> text = std::make_shared<std::string>();
        std::vector<std::uint32_t> rows; // where each row begins in text
    };

    // The block of a row and where the row begins; nullptr outside the store.
    const Block* Locate(long row, std::size_t& begin) const;
    Block& OpenRowBlock();
    // The block's text for writing: a copy of its own first when a reader shares it.
    static std::string& WritableText(Block& block);

    std::vector<Block> m_blocks;
    long m_rows = 0;
    bool m_rowOpen = false;
    std::size_t m_openBegin = 0; // where the row being filled begins in the last block
    std::uint32_t m_openCells = 0;
};
