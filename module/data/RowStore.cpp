#include "RowStore.h"

#include <algorithm>
#include <cassert>
#include <limits>

namespace {

// A count or length, seven bits a byte from the lowest, the high bit set on all bytes but the last.
void PutNumber(std::string& out, std::size_t value) {
    while (value >= 0x80) {
        out += char((value & 0x7F) | 0x80);
        value >>= 7;
    }
    out += char(value);
}

std::size_t GetNumber(const std::string& in, std::size_t& pos) {
    std::size_t value = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(in[pos++]);
        value |= std::size_t(byte & 0x7F) << shift;
        if (byte < 0x80) return value;
    }
}

// Where the row beginning at begin ends.
std::size_t RowEnd(const std::string& text, std::size_t begin) {
    std::size_t pos = begin;
    for (std::size_t cells = GetNumber(text, pos); cells > 0; --cells)
        pos += GetNumber(text, pos);
    return pos;
}

} // namespace

const CRowStore::Block* CRowStore::Locate(long row, std::size_t& begin) const {
    if (row < 0 || row >= m_rows) return nullptr;
    const Block& block = m_blocks[std::size_t(row / kRowsPerBlock)];
    begin = block.rows[std::size_t(row % kRowsPerBlock)];
    return &block;
}

int CRowStore::CellCount(long row) const {
    std::size_t pos = 0;
    const Block* block = Locate(row, pos);
    return block ? int(GetNumber(*block->text, pos)) : 0;
}

std::string_view CRowStore::Cell(long row, int column) const {
    std::size_t pos = 0;
    const Block* block = Locate(row, pos);
    if (!block || column < 0) return {};
    const std::string& text = *block->text;
    if (std::size_t(column) >= GetNumber(text, pos)) return {};
    for (int c = 0; c < column; ++c)
        pos += GetNumber(text, pos);
    const std::size_t length = GetNumber(text, pos);
    return std::string_view(text).substr(pos, length);
}

void CRowStore::RowCells(long row, std::vector<std::string_view>& cells) const {
    cells.clear();
    std::size_t pos = 0;
    const Block* block = Locate(row, pos);
    if (!block) return;
    const std::string& text = *block->text;
    for (std::size_t count = GetNumber(text, pos); count > 0; --count) {
        const std::size_t length = GetNumber(text, pos);
        cells.emplace_back(text.data() + pos, length);
        pos += length;
    }
}

CStringArray CRowStore::CopyRow(long row) const {
    CStringArray cells;
    const int count = CellCount(row);
    cells.Reserve(count);
    for (int c = 0; c < count; ++c)
        cells.Add(CString(Cell(row, c)));
    return cells;
}

std::shared_ptr<const std::string> CRowStore::RowText(long row) const {
    std::size_t begin = 0;
    const Block* block = Locate(row, begin);
    return block ? block->text : nullptr;
}

std::string& CRowStore::WritableText(Block& block) {
    if (block.text.use_count() > 1) block.text = std::make_shared<std::string>(*block.text);
    return *block.text;
}

CRowStore::Block& CRowStore::OpenRowBlock() {
    if (!m_rowOpen) {
        if (m_blocks.empty() || long(m_blocks.back().rows.size()) == kRowsPerBlock) {
            // Rows are much alike: a block takes about the room of the one before it.
            const std::size_t room = m_blocks.empty() ? 0 : m_blocks.back().text->size();
            m_blocks.emplace_back();
            m_blocks.back().text->reserve(room + room / 16);
            m_blocks.back().rows.reserve(std::size_t(kRowsPerBlock));
        }
        m_openBegin = m_blocks.back().text->size();
        m_openCells = 0;
        m_rowOpen = true;
    }
    return m_blocks.back();
}

void CRowStore::AddCell(std::string_view text) {
    std::string& texts = WritableText(OpenRowBlock());
    PutNumber(texts, text.size());
    texts.append(text);
    ++m_openCells;
}

void CRowStore::EndRow() {
    Block& block = OpenRowBlock();
    std::string& texts = WritableText(block);
    // The count goes in front of the row's cells; only this row's few bytes move.
    std::string count;
    PutNumber(count, m_openCells);
    texts.insert(m_openBegin, count);
    // A block's row offsets are 32 bits: 4,096 rows never come near.
    assert(texts.size() < std::numeric_limits<std::uint32_t>::max());
    block.rows.push_back(std::uint32_t(m_openBegin));
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
    std::string& texts = WritableText(block);
    const std::size_t begin = texts.size();
    PutNumber(texts, std::size_t(cells.GetSize()));
    for (const CString& cell : cells) {
        PutNumber(texts, cell.str().size());
        texts.append(cell.str());
    }
    assert(texts.size() < std::numeric_limits<std::uint32_t>::max());
    block.rows[std::size_t(row % kRowsPerBlock)] = std::uint32_t(begin);
    return true;
}

void CRowStore::Clear() {
    m_blocks.clear();
    m_rows = 0;
    m_rowOpen = false;
}

void CRowStore::Truncate(long rows) {
    if (m_rowOpen) {
        // The cells of a row not ended go with it.
        if (m_blocks.back().text->size() > m_openBegin) WritableText(m_blocks.back()).resize(m_openBegin);
        m_rowOpen = false;
    }
    if (rows < 0) rows = 0;
    if (rows >= m_rows) return;
    m_blocks.resize(std::size_t((rows + kRowsPerBlock - 1) / kRowsPerBlock));
    m_rows = rows;
    if (m_blocks.empty()) return;
    Block& block = m_blocks.back();
    block.rows.resize(std::size_t(rows - long(m_blocks.size() - 1) * kRowsPerBlock));
    // A row kept may have been replaced: its texts then lie after those of the rows dropped.
    std::size_t textEnd = 0;
    for (std::uint32_t begin : block.rows)
        textEnd = std::max(textEnd, RowEnd(*block.text, begin));
    if (textEnd < block.text->size()) WritableText(block).resize(textEnd);
}

std::size_t CRowStore::TextBytes() const {
    std::size_t bytes = 0;
    for (const Block& block : m_blocks)
        bytes += block.text->size();
    return bytes;
}
