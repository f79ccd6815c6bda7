#include "GridIterator.h"

#include "GridCellText.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <functional>
#include <limits>
#include <stdexcept>

namespace {

const CGridCellPro& DefaultPro() {
    static const CGridCellPro pro;
    return pro;
}

// Drops the text of a record: header texts live in the header cells.
CGridCellPro WithoutText(const CGridCellPro& pro) {
    CGridCellPro look = pro;
    look.m_strText.Empty();
    return look;
}

} // namespace

CGridIterator::CGridIterator() {
    SetDisplayModeInit();
}

void CGridIterator::SetDisplayModeInit() {
    m_rows = 1;
    m_cols = 1;
    m_fixedRows = 1;
    m_fixedCols = 1;
    m_slots.assign(1, Slot{});
    m_arena.clear();
    m_garbage = 0;
    m_shared.clear();
    m_pool = std::string();
    m_poolIndex = {};
    m_pooled = 0;
    m_looks.clear();
    m_lookIndex.clear();
    m_fonts.clear();
    m_rowLook.clear();
    m_stripeFirst = 0;
    m_stripeLast = -1;
    m_cellLook.clear();
    m_rowRecord.clear();
    m_colRecord.clear();
    m_recordRow = 0;
    m_recordCount = 0;
    m_colPro.clear();
    m_rowPro.clear();
    m_gridBack = 0xFFFFFF;
    m_displayMode = DISPLAY_INIT;
    m_transposed = false;
    m_matrixClosed = false;
    m_declaredRows = 0;
    m_declaredCols = 0;
    m_pending.clear();
}

void CGridIterator::SetDisplayMode(int mode) {
    m_displayMode = mode;
    if (mode == DISPLAY_SPARSE) {
        m_pending.clear();
        m_matrixClosed = false;
        m_declaredRows = 0;
        m_declaredCols = 0;
    }
}

bool CGridIterator::SizeAllowed(std::uint64_t rows, std::uint64_t cols) {
    // Negative counts arrive here as huge numbers and are refused with the rest.
    return rows >= 1 && cols >= 1 && rows < MAX_CELLS && cols < MAX_CELLS && rows * cols < MAX_CELLS;
}

// ---- sparse mode

bool CGridIterator::SetMatrixSize(long rows, long cols) {
    if (!SizeAllowed(std::uint64_t(rows), std::uint64_t(cols))) return false;
    m_declaredRows = rows;
    m_declaredCols = cols;
    return true;
}

bool CGridIterator::AddSparseCell(const CGridCellSparse& cell) {
    if (m_displayMode != DISPLAY_SPARSE || m_matrixClosed) return false;
    if (cell.GetRow() < 0 || cell.GetCol() < 0 ||
        !SizeAllowed(std::uint64_t(cell.GetRow()) + 1, std::uint64_t(cell.GetCol()) + 1))
        return false;
    m_pending.push_back(cell);
    return true;
}

bool CGridIterator::CloseMatrix() {
    if (m_displayMode != DISPLAY_SPARSE || m_matrixClosed) return false;
    long rows = std::max(m_rows, m_declaredRows);
    long cols = std::max(m_cols, m_declaredCols);
    for (const CGridCellSparse& cell : m_pending) {
        rows = std::max(rows, cell.GetRow() + 1);
        cols = std::max(cols, cell.GetCol() + 1);
    }
    if (!SizeAllowed(std::uint64_t(rows), std::uint64_t(cols))) return false;
    SetColumnCount(cols);
    SetRowCount(rows);
    for (const CGridCellSparse& cell : m_pending)
        SetItemText(cell.GetRow(), cell.GetCol(), cell.GetText().str());
    m_pending.clear();
    m_pending.shrink_to_fit();
    m_matrixClosed = true;
    return true;
}

// ---- shape

bool CGridIterator::SetRowCount(long rows) {
    if (!SizeAllowed(std::uint64_t(rows), std::uint64_t(m_cols))) return false;
    if (rows < m_recordRow + m_recordCount) MaterialiseRowRecords();
    if (rows <= m_stripeLast) MaterialiseRowStripes();
    if (rows < m_rows) {
        for (std::size_t i = SlotIndex(rows, 0); i < m_slots.size(); ++i)
            Forget(m_slots[i]);
    }
    m_slots.resize(std::size_t(rows) * std::size_t(m_cols));
    if (!m_cellLook.empty()) m_cellLook.resize(m_slots.size(), 0);
    if (!m_rowLook.empty()) m_rowLook.resize(std::size_t(rows), 0);
    if (!m_rowRecord.empty()) m_rowRecord.resize(std::size_t(rows), -1);
    if (m_rowPro.size() > std::size_t(rows)) m_rowPro.resize(std::size_t(rows));
    m_rows = rows;
    CompactIfWasteful();
    return true;
}

bool CGridIterator::SetColumnCount(long cols) {
    if (!SizeAllowed(std::uint64_t(m_rows), std::uint64_t(cols))) return false;
    if (cols == m_cols) return true;
    const std::size_t keep = std::size_t(std::min(cols, m_cols));
    std::vector<Slot> slots(std::size_t(m_rows) * std::size_t(cols));
    std::vector<std::uint32_t> looks(m_cellLook.empty() ? 0 : slots.size(), 0);
    for (long r = 0; r < m_rows; ++r) {
        const std::size_t from = SlotIndex(r, 0);
        const std::size_t to = std::size_t(r) * std::size_t(cols);
        std::copy_n(m_slots.begin() + long(from), keep, slots.begin() + long(to));
        for (std::size_t c = keep; c < std::size_t(m_cols); ++c)
            Forget(m_slots[from + c]);
        if (!looks.empty()) std::copy_n(m_cellLook.begin() + long(from), keep, looks.begin() + long(to));
    }
    m_slots = std::move(slots);
    m_cellLook = std::move(looks);
    if (m_colPro.size() > std::size_t(cols)) m_colPro.resize(std::size_t(cols));
    if (!m_colRecord.empty()) m_colRecord.resize(std::size_t(cols), -1);
    m_cols = cols;
    CompactIfWasteful();
    return true;
}

// ---- texts

std::string_view CGridIterator::GetCellView(long row, long col) const {
    if (!Contains(row, col)) return {};
    const Slot& s = m_slots[SlotIndex(row, col)];
    if (IsShared(s)) {
        const char* texts = SharedOf(s) == POOL ? m_pool.data() : m_shared[SharedOf(s)]->data();
        return std::string_view(texts + s.offset, TextLength(s));
    }
    return std::string_view(m_arena.data() + s.offset, s.length);
}

const CGridCellPro* CGridIterator::ValueListOf(long row, long col) const {
    if (!Contains(row, col) || (m_transposed ? col < m_fixedCols : row < m_fixedRows)) return nullptr;
    const CGridCellPro& pro = m_transposed ? GetRowLook(row) : GetColumnLook(col);
    return pro.m_nKind == GRID_KIND_LIST ? &pro : nullptr;
}

std::string_view CGridIterator::GetDisplayText(long row, long col) const {
    std::string_view text = GetCellView(row, col);
    if (text.empty()) return text;
    const CGridCellPro* pro = ValueListOf(row, col);
    if (!pro) return text;
    std::string_view name, code;
    for (const CString& entry : pro->m_values)
        if (gridtext::SplitListEntry(entry, name, code) && code == text) return name;
    return text;
}

std::uint32_t CGridIterator::Append(std::string_view text) {
    constexpr std::size_t limit = std::numeric_limits<std::uint32_t>::max();
    if (text.size() >= SHARED) throw std::length_error("grid cell text too long");
    if (m_arena.size() + text.size() > limit) {
        Compact();
        if (m_arena.size() + text.size() > limit) throw std::length_error("grid texts too long");
    }
    const auto offset = std::uint32_t(m_arena.size());
    m_arena.append(text);
    return offset;
}

bool CGridIterator::SetItemText(long row, long col, std::string_view text) {
    if (!Contains(row, col)) return false;
    Slot* s = &m_slots[SlotIndex(row, col)];
    if (!IsShared(*s) && text.size() <= s->length) {
        // Fits where the old text was; memmove because the text may be part of the old one.
        if (!text.empty()) std::memmove(m_arena.data() + s->offset, text.data(), text.size());
        m_garbage += s->length - text.size();
        s->length = std::uint32_t(text.size());
        if (text.empty()) s->offset = 0;
        return true;
    }
    // A text taken from this grid must be copied first: making room may compact the arena.
    const bool inArena =
        !m_arena.empty() && text.data() >= m_arena.data() && text.data() < m_arena.data() + m_arena.size();
    std::string copy;
    if (inArena) {
        copy.assign(text);
        text = copy;
    }
    Forget(*s);
    const std::uint32_t offset = Append(text);
    s = &m_slots[SlotIndex(row, col)];
    s->offset = offset;
    s->length = std::uint32_t(text.size());
    CompactIfWasteful();
    return true;
}

int CGridIterator::SharedIndex(const std::shared_ptr<const std::string>& owner) {
    // A fill shares the texts one after the other: the one wanted is the last or a new one. (An
    // owner met again later takes a second index; its cells read the same.)
    if (!m_shared.empty() && m_shared.back() == owner) return int(m_shared.size() - 1);
    if (m_shared.size() == MAX_SHARED_TEXTS) return -1;
    m_shared.push_back(owner);
    return int(m_shared.size() - 1);
}

bool CGridIterator::SetItemText(long row, long col, std::string_view text,
                                const std::shared_ptr<const std::string>& owner) {
    if (!Contains(row, col)) return false;
    const bool inside = owner && !text.empty() && text.data() >= owner->data() &&
                        text.data() + text.size() <= owner->data() + owner->size() &&
                        std::size_t(text.data() - owner->data()) <= std::numeric_limits<std::uint32_t>::max();
    const int index = inside && text.size() <= SHARED_LENGTH_MASK ? SharedIndex(owner) : -1;
    if (index < 0) return SetItemText(row, col, text);
    Slot& s = m_slots[SlotIndex(row, col)];
    Forget(s);
    s.offset = std::uint32_t(text.data() - owner->data());
    s.length = SHARED | std::uint32_t(index) << SHARED_LENGTH_BITS | std::uint32_t(text.size());
    CompactIfWasteful();
    return true;
}

bool CGridIterator::SetRecurringText(long row, long col, std::string_view text) {
    if (!Contains(row, col)) return false;
    std::uint32_t offset = 0;
    if (text.empty() || text.size() > SHARED_LENGTH_MASK || !PoolOffset(text, offset))
        return SetItemText(row, col, text);
    Slot& s = m_slots[SlotIndex(row, col)];
    Forget(s);
    s.offset = offset;
    s.length = SHARED | std::uint32_t(POOL) << SHARED_LENGTH_BITS | std::uint32_t(text.size());
    CompactIfWasteful();
    return true;
}

bool CGridIterator::PoolOffset(std::string_view text, std::uint32_t& offset) {
    if (m_poolIndex.empty()) m_poolIndex.assign(1024, 0);
    const std::size_t mask = m_poolIndex.size() - 1;
    std::size_t at = std::hash<std::string_view>{}(text)&mask;
    for (; m_poolIndex[at] != 0; at = (at + 1) & mask) {
        if (PoolEntry(m_poolIndex[at]) == text) {
            offset = std::uint32_t(m_poolIndex[at] >> 32);
            return true;
        }
    }
    if (m_pooled == MAX_RECURRING || m_pool.size() + text.size() > std::numeric_limits<std::uint32_t>::max())
        return false;
    // A text taken from the pool itself is copied first: appending may move the pool.
    const bool inPool =
        !m_pool.empty() && text.data() >= m_pool.data() && text.data() < m_pool.data() + m_pool.size();
    const std::string copy = inPool ? std::string(text) : std::string();
    if (inPool) text = copy;
    offset = std::uint32_t(m_pool.size());
    m_pool.append(text);
    m_poolIndex[at] = std::uint64_t(offset) << 32 | text.size();
    if (++m_pooled * 2 > m_poolIndex.size()) GrowPoolIndex();
    return true;
}

void CGridIterator::GrowPoolIndex() {
    std::vector<std::uint64_t> index(m_poolIndex.size() * 2, 0);
    const std::size_t mask = index.size() - 1;
    for (std::uint64_t entry : m_poolIndex) {
        if (entry == 0) continue;
        std::size_t at = std::hash<std::string_view>{}(PoolEntry(entry)) & mask;
        while (index[at] != 0)
            at = (at + 1) & mask;
        index[at] = entry;
    }
    m_poolIndex = std::move(index);
}

void CGridIterator::CompactIfWasteful() {
    if (m_garbage > (std::size_t(1) << 20) && m_garbage * 2 > m_arena.size()) Compact();
}

void CGridIterator::Compact() {
    std::string arena;
    arena.reserve(m_arena.size() - std::min(m_garbage, m_arena.size()));
    for (Slot& s : m_slots) {
        if (IsShared(s)) continue;
        if (s.length == 0) {
            s.offset = 0;
            continue;
        }
        const auto offset = std::uint32_t(arena.size());
        arena.append(m_arena, s.offset, s.length);
        s.offset = offset;
    }
    m_arena = std::move(arena);
    m_garbage = 0;
}

// ---- header records

bool CGridIterator::SetColumnHeader(long col, const CGridCellPro& pro) {
    if (!Contains(0, col)) return false;
    if (m_colPro.size() <= std::size_t(col)) m_colPro.resize(std::size_t(col) + 1);
    m_colPro[std::size_t(col)] = WithoutText(pro);
    return SetItemText(0, col, pro.m_strText.str());
}

const CGridCellPro& CGridIterator::GetColumnLook(long col) const {
    return col >= 0 && std::size_t(col) < m_colPro.size() ? m_colPro[std::size_t(col)] : DefaultPro();
}

CGridCellPro CGridIterator::GetColumnHeader(long col) const {
    CGridCellPro pro = GetColumnLook(col);
    pro.m_strText = CString(GetCellView(0, col));
    return pro;
}

bool CGridIterator::SetRowHeader(long row, const CGridCellPro& pro) {
    if (!Contains(row, 0)) return false;
    if (m_rowPro.size() <= std::size_t(row)) m_rowPro.resize(std::size_t(row) + 1);
    m_rowPro[std::size_t(row)] = WithoutText(pro);
    return SetItemText(row, 0, pro.m_strText.str());
}

const CGridCellPro& CGridIterator::GetRowLook(long row) const {
    return row >= 0 && std::size_t(row) < m_rowPro.size() ? m_rowPro[std::size_t(row)] : DefaultPro();
}

CGridCellPro CGridIterator::GetRowHeader(long row) const {
    CGridCellPro pro = GetRowLook(row);
    pro.m_strText = CString(GetCellView(row, 0));
    return pro;
}

// ---- looks

std::uint32_t CGridIterator::LookIndex(const Look& look) {
    if (look.mask == 0) return 0;
    auto [it, added] = m_lookIndex.try_emplace(std::tuple(look.mask, look.crText, look.crBack, look.font),
                                               std::uint32_t(m_looks.size()) + 1);
    if (added) m_looks.push_back(look);
    return it->second;
}

namespace {
void MergeInto(auto& base, const auto& change, std::uint8_t textBit, std::uint8_t backBit,
               std::uint8_t fontBit) {
    if (change.mask & textBit) base.crText = change.crText;
    if (change.mask & backBit) base.crBack = change.crBack;
    if (change.mask & fontBit) base.font = change.font;
    base.mask |= change.mask;
}
} // namespace

bool CGridIterator::MergeCellLook(long row, long col, const Look& change) {
    if (!Contains(row, col)) return false;
    if (m_cellLook.empty()) m_cellLook.assign(m_slots.size(), 0);
    std::uint32_t& index = m_cellLook[SlotIndex(row, col)];
    Look look = index ? m_looks[index - 1] : Look{};
    MergeInto(look, change, LOOK_TEXT, LOOK_BACK, LOOK_FONT);
    index = LookIndex(look);
    return true;
}

bool CGridIterator::SetItemFgColour(long row, long col, COLORREF colour) {
    return MergeCellLook(row, col, Look{LOOK_TEXT, colour, 0, -1});
}

bool CGridIterator::SetItemBkColour(long row, long col, COLORREF colour) {
    return MergeCellLook(row, col, Look{LOOK_BACK, 0, colour, -1});
}

bool CGridIterator::SetItemFont(long row, long col, const LOGFONT& font) {
    if (!Contains(row, col)) return false;
    auto it = std::find(m_fonts.begin(), m_fonts.end(), font);
    if (it == m_fonts.end()) it = m_fonts.insert(m_fonts.end(), font);
    return MergeCellLook(row, col, Look{LOOK_FONT, 0, 0, std::int32_t(it - m_fonts.begin())});
}

bool CGridIterator::SetRowColors(long row, COLORREF text, COLORREF back) {
    if (!Contains(row, 0)) return false;
    if (m_rowLook.empty()) m_rowLook.assign(std::size_t(m_rows), 0);
    std::uint32_t& index = m_rowLook[std::size_t(row)];
    Look look = index ? m_looks[index - 1] : Look{};
    MergeInto(look, Look{LOOK_TEXT | LOOK_BACK, text, back, -1}, LOOK_TEXT, LOOK_BACK, LOOK_FONT);
    index = LookIndex(look);
    return true;
}

bool CGridIterator::SetRowStripes(long firstRow, long lastRow, COLORREF text, COLORREF even, COLORREF odd) {
    if (firstRow < 0 || lastRow >= m_rows || firstRow > lastRow) return false;
    MaterialiseRowStripes();
    // SetRowColors sets both colours of a row: the stripes replace whatever the rows had.
    if (!m_rowLook.empty()) {
        std::fill(m_rowLook.begin() + firstRow, m_rowLook.begin() + lastRow + 1, 0);
        if (std::all_of(m_rowLook.begin(), m_rowLook.end(), [](std::uint32_t index) { return index == 0; }))
            m_rowLook = {};
    }
    m_stripeFirst = firstRow;
    m_stripeLast = lastRow;
    m_stripeEven = LookIndex(Look{LOOK_TEXT | LOOK_BACK, text, even, -1});
    m_stripeOdd = LookIndex(Look{LOOK_TEXT | LOOK_BACK, text, odd, -1});
    return true;
}

void CGridIterator::MaterialiseRowStripes() {
    if (m_stripeLast < m_stripeFirst) return;
    assert(m_stripeLast < m_rows);
    if (m_rowLook.empty()) m_rowLook.assign(std::size_t(m_rows), 0);
    for (long r = m_stripeFirst; r <= m_stripeLast; ++r) {
        std::uint32_t& index = m_rowLook[std::size_t(r)];
        if (index == 0) index = r % 2 == 0 ? m_stripeEven : m_stripeOdd;
    }
    m_stripeFirst = 0;
    m_stripeLast = -1;
}

void CGridIterator::ApplyLook(CGridCellLook& out, std::uint32_t lookIndex) const {
    if (lookIndex == 0) return;
    const Look& look = m_looks[lookIndex - 1];
    if (look.mask & LOOK_TEXT) out.crText = look.crText;
    if (look.mask & LOOK_BACK) out.crBack = look.crBack;
    if (look.mask & LOOK_FONT) out.font = &m_fonts[std::size_t(look.font)];
}

CGridCellLook CGridIterator::GetCellLook(long row, long col) const {
    CGridCellLook out;
    out.crBack = m_gridBack;
    if (!Contains(row, col)) return out;
    const CGridCellPro* pro = row == 0 ? &GetColumnLook(col) : col == 0 ? &GetRowLook(row) : nullptr;
    if (pro) {
        out.crText = pro->m_crText;
        out.crBack = pro->m_crBack;
        if (pro->HasOwnFont()) out.font = &pro->m_font;
    }
    if (row >= m_stripeFirst && row <= m_stripeLast)
        ApplyLook(out, row % 2 == 0 ? m_stripeEven : m_stripeOdd);
    if (!m_rowLook.empty()) ApplyLook(out, m_rowLook[std::size_t(row)]);
    if (!m_cellLook.empty()) ApplyLook(out, m_cellLook[SlotIndex(row, col)]);
    return out;
}

// ---- editing

bool CGridIterator::InsertRow(long before, long count) {
    if (before < 0 || before > m_rows || count < 1 ||
        !SizeAllowed(std::uint64_t(m_rows) + std::uint64_t(count), std::uint64_t(m_cols)))
        return false;
    BeforeRowsMove();
    const auto at = long(SlotIndex(before, 0));
    const std::size_t n = std::size_t(count) * std::size_t(m_cols);
    m_slots.insert(m_slots.begin() + at, n, Slot{});
    if (!m_cellLook.empty()) m_cellLook.insert(m_cellLook.begin() + at, n, 0);
    if (!m_rowLook.empty()) m_rowLook.insert(m_rowLook.begin() + before, std::size_t(count), 0);
    if (!m_rowRecord.empty()) m_rowRecord.insert(m_rowRecord.begin() + before, std::size_t(count), -1);
    if (std::size_t(before) < m_rowPro.size())
        m_rowPro.insert(m_rowPro.begin() + before, std::size_t(count), DefaultPro());
    m_rows += count;
    return true;
}

bool CGridIterator::DeleteRow(long row, long count) {
    if (row < 0 || row >= m_rows || count < 1) return false;
    count = std::min(count, m_rows - row);
    if (count == m_rows) return false; // the grid keeps one row
    BeforeRowsMove();
    const auto first = long(SlotIndex(row, 0));
    const auto last = long(SlotIndex(row + count, 0));
    for (long i = first; i < last; ++i)
        Forget(m_slots[std::size_t(i)]);
    m_slots.erase(m_slots.begin() + first, m_slots.begin() + last);
    if (!m_cellLook.empty()) m_cellLook.erase(m_cellLook.begin() + first, m_cellLook.begin() + last);
    if (!m_rowLook.empty()) m_rowLook.erase(m_rowLook.begin() + row, m_rowLook.begin() + row + count);
    if (!m_rowRecord.empty()) m_rowRecord.erase(m_rowRecord.begin() + row, m_rowRecord.begin() + row + count);
    if (std::size_t(row) < m_rowPro.size())
        m_rowPro.erase(m_rowPro.begin() + row,
                       m_rowPro.begin() + std::min<long>(row + count, long(m_rowPro.size())));
    m_rows -= count;
    CompactIfWasteful();
    return true;
}

bool CGridIterator::InsertColumn(long before, long count) {
    if (before < 0 || before > m_cols || count < 1 ||
        !SizeAllowed(std::uint64_t(m_rows), std::uint64_t(m_cols) + std::uint64_t(count)))
        return false;
    const long oldCols = m_cols;
    SetColumnCount(m_cols + count);
    if (before == oldCols) return true;
    // Shift the cells right of the insertion point within each row; the new empty slots at the
    // end of each row end up at the insertion point.
    for (long r = 0; r < m_rows; ++r) {
        auto rowBegin = m_slots.begin() + long(SlotIndex(r, 0));
        std::rotate(rowBegin + before, rowBegin + oldCols, rowBegin + m_cols);
        if (!m_cellLook.empty()) {
            auto lookBegin = m_cellLook.begin() + long(SlotIndex(r, 0));
            std::rotate(lookBegin + before, lookBegin + oldCols, lookBegin + m_cols);
        }
    }
    if (std::size_t(before) < m_colPro.size())
        m_colPro.insert(m_colPro.begin() + before, std::size_t(count), DefaultPro());
    if (!m_colRecord.empty()) {
        // SetColumnCount appended the new columns' entries; they belong at the insertion point.
        std::rotate(m_colRecord.begin() + before, m_colRecord.begin() + oldCols, m_colRecord.end());
    }
    return true;
}

bool CGridIterator::DeleteColumn(long col, long count) {
    if (col < 0 || col >= m_cols || count < 1) return false;
    count = std::min(count, m_cols - col);
    if (count == m_cols) return false; // the grid keeps one column
    // Move the doomed cells to the end of each row, then cut them off.
    for (long r = 0; r < m_rows; ++r) {
        auto rowBegin = m_slots.begin() + long(SlotIndex(r, 0));
        std::rotate(rowBegin + col, rowBegin + col + count, rowBegin + m_cols);
        if (!m_cellLook.empty()) {
            auto lookBegin = m_cellLook.begin() + long(SlotIndex(r, 0));
            std::rotate(lookBegin + col, lookBegin + col + count, lookBegin + m_cols);
        }
    }
    if (std::size_t(col) < m_colPro.size())
        m_colPro.erase(m_colPro.begin() + col,
                       m_colPro.begin() + std::min<long>(col + count, long(m_colPro.size())));
    if (!m_colRecord.empty())
        std::rotate(m_colRecord.begin() + col, m_colRecord.begin() + col + count, m_colRecord.end());
    return SetColumnCount(m_cols - count);
}

// ---- transposition

void CGridIterator::MaterialiseCellLooks() {
    if (m_rowLook.empty()) return;
    if (m_cellLook.empty()) m_cellLook.assign(m_slots.size(), 0);
    for (long r = 0; r < m_rows; ++r) {
        const std::uint32_t rowIndex = m_rowLook[std::size_t(r)];
        if (rowIndex == 0) continue;
        for (long c = 0; c < m_cols; ++c) {
            std::uint32_t& index = m_cellLook[SlotIndex(r, c)];
            Look look = m_looks[rowIndex - 1];
            if (index) MergeInto(look, m_looks[index - 1], LOOK_TEXT, LOOK_BACK, LOOK_FONT);
            index = LookIndex(look);
        }
    }
    m_rowLook.clear();
}

void CGridIterator::ChangeRowColDirect() {
    BeforeRowsMove();
    MaterialiseCellLooks();
    std::vector<Slot> slots(m_slots.size());
    std::vector<std::uint32_t> looks(m_cellLook.size());
    for (long r = 0; r < m_rows; ++r) {
        for (long c = 0; c < m_cols; ++c) {
            const std::size_t from = SlotIndex(r, c);
            const std::size_t to = std::size_t(c) * std::size_t(m_rows) + std::size_t(r);
            slots[to] = m_slots[from];
            if (!looks.empty()) looks[to] = m_cellLook[from];
        }
    }
    m_slots = std::move(slots);
    m_cellLook = std::move(looks);
    std::swap(m_rows, m_cols);
    std::swap(m_fixedRows, m_fixedCols);
    std::swap(m_colPro, m_rowPro);
    std::swap(m_rowRecord, m_colRecord);
    m_transposed = !m_transposed;
}

// ---- stored records

void CGridIterator::MaterialiseRowRecords() {
    if (m_recordCount == 0) return;
    assert(m_rowRecord.empty() && m_recordRow + m_recordCount <= m_rows);
    m_rowRecord.assign(std::size_t(m_rows), -1);
    for (long i = 0; i < m_recordCount; ++i)
        m_rowRecord[std::size_t(m_recordRow + i)] = std::int32_t(i);
    m_recordCount = 0;
}

bool CGridIterator::SetRowRecord(long row, long record) {
    if (row < 0 || row >= m_rows) return false;
    if (m_rowRecord.empty()) {
        if ((record < 0 ? -1 : record) == GetRowRecord(row)) return true;
        if (m_recordCount == 0 && record == 0) { // a fill in record order begins
            m_recordRow = row;
            m_recordCount = 1;
            return true;
        }
        if (row == m_recordRow + m_recordCount && record == m_recordCount) {
            ++m_recordCount;
            return true;
        }
        MaterialiseRowRecords();
        if (m_rowRecord.empty()) m_rowRecord.assign(std::size_t(m_rows), -1);
    }
    m_rowRecord[std::size_t(row)] = std::int32_t(record < 0 ? -1 : record);
    return true;
}

long CGridIterator::GetRowRecord(long row) const {
    if (m_rowRecord.empty() && row >= m_recordRow && row < m_recordRow + m_recordCount)
        return row - m_recordRow;
    if (row < 0 || std::size_t(row) >= m_rowRecord.size()) return -1;
    return m_rowRecord[std::size_t(row)];
}

long CGridIterator::GetColumnRecord(long col) const {
    if (col < 0 || std::size_t(col) >= m_colRecord.size()) return -1;
    return m_colRecord[std::size_t(col)];
}
