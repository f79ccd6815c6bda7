#include "RowStore.h"

#include <algorithm>
#include <cassert>
#include <limits>

const CRowStore::RowEntry* CRowStore::Entry(long row, const Block** block) const {
    if (row < 0 || row >= m_rows) return nullptr;
    const Block& b = m_blocks[std::size_t(row / kRowsPerBlock)];
    *block = &b;
    return &b.rows[std::size_t(row % kRowsPerBlock)];
}

int CRowStore::CellCount(long row) const {
    const Block* block = nullptr;
    const RowEntry* entry = Entry(row, &block);
    return entry ? int(entry->cells) : 0;
}

std::string_view CRowStore::Cell(long row, int column) const {
    const Block* block = nullptr;
    const RowEntry* entry = Entry(row, &block);
    if (!entry || column < 0 || std::uint32_t(column) >= entry->cells) return {};
    const std::size_t end = block->ends[entry->firstCell + std::uint32_t(column)];
    const std::size_t begin =
        column == 0 ? entry->begin : block->ends[entry->firstCell + std::uint32_t(column) - 1];
    return std::string_view(block->text).substr(begin, end - begin);
}

CStringArray CRowStore::CopyRow(long row) const {
    CStringArray cells;
    const int count = CellCount(row);
    cells.Reserve(count);
    for (int c = 0; c < count; ++c)
        cells.Add(CString(Cell(row, c)));
    return cells;
}

CRowStore::Block& CRowStore::OpenRowBlock() {
    if (!m_rowOpen) {
        if (m_blocks.empty() || long(m_blocks.back().rows.size()) == kRowsPerBlock) m_blocks.emplace_back();
        Block& block = m_blocks.back();
        m_open = {std::uint32_t(block.text.size()), std::uint32_t(block.ends.size()), 0};
        m_rowOpen = true;
    }
    return m_blocks.back();
}

void CRowStore::AddCell(std::string_view text) {
    Block& block = OpenRowBlock();
    // A block's offsets are 32 bits: 4,096 rows never come near.
    assert(block.text.size() + text.size() < std::numeric_limits<std::uint32_t>::max());
    block.text.append(text);
    block.ends.push_back(std::uint32_t(block.text.size()));
    ++m_open.cells;
}

void CRowStore::EndRow() {
    Block& block = OpenRowBlock();
    block.rows.push_back(m_open);
    m_rowOpen = false;
    ++m_rows;
}

void CRowStore::AddRow(const CStringArray& cells) {
    for (const CString& cell : cells)
        AddCell(cell);
    EndRow();
}

bool CRowStore::ReplaceRow(long row, const CStringArray& cells) {
    if (row < 0 || row >= m_rows) return false;
    assert(!m_rowOpen);
    Block& block = m_blocks[std::size_t(row / kRowsPerBlock)];
    RowEntry entry{std::uint32_t(block.text.size()), std::uint32_t(block.ends.size()), 0};
    for (const CString& cell : cells) {
        block.text.append(cell.str());
        block.ends.push_back(std::uint32_t(block.text.size()));
        ++entry.cells;
    }
    block.rows[std::size_t(row % kRowsPerBlock)] = entry;
    return true;
}

void CRowStore::Clear() {
    m_blocks.clear();
    m_rows = 0;
    m_rowOpen = false;
}

void CRowStore::Truncate(long rows) {
    m_rowOpen = false;
    if (rows < 0) rows = 0;
    if (rows >= m_rows) return;
    m_blocks.resize(std::size_t((rows + kRowsPerBlock - 1) / kRowsPerBlock));
    m_rows = rows;
    if (m_blocks.empty()) return;
    Block& block = m_blocks.back();
    block.rows.resize(std::size_t(rows - long(m_blocks.size() - 1) * kRowsPerBlock));
    // A row kept may have been replaced: its texts then lie after those of the rows dropped.
    std::uint32_t textEnd = 0, cellEnd = 0;
    for (const RowEntry& row : block.rows) {
        cellEnd = std::max(cellEnd, row.firstCell + row.cells);
        textEnd = std::max(textEnd, row.cells ? block.ends[row.firstCell + row.cells - 1] : row.begin);
    }
    block.text.resize(textEnd);
    block.ends.resize(cellEnd);
}

std::size_t CRowStore::TextBytes() const {
    std::size_t bytes = 0;
    for (const Block& block : m_blocks)
        bytes += block.text.size();
    return bytes;
}
