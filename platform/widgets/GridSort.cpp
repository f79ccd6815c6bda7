// Ordering the rows of a grid by one column (header click, newest-first display).
#include "Gbk.h"
#include "GridCellText.h"
#include "GridIterator.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <unordered_map>

namespace {

// Numbers before date-times before texts; blanks are kept apart and always go last.
enum class KeyKind : std::uint8_t { Number, Time, Text, Blank };

struct SortKey {
    KeyKind kind = KeyKind::Blank;
    double number = 0;
    std::int64_t time = 0;
    std::string_view text; // code-page bytes of a text
};

bool Less(const SortKey& a, const SortKey& b) {
    if (a.kind != b.kind) return a.kind < b.kind;
    switch (a.kind) {
    case KeyKind::Number:
        return a.number < b.number;
    case KeyKind::Time:
        return a.time < b.time;
    case KeyKind::Text:
        return a.text < b.text;
    case KeyKind::Blank:
        break;
    }
    return false;
}

bool IsAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// Texts are compared in the system's code page, where the common hanzi stand in pinyin order.
// Column texts repeat a lot (station names), so each distinct text is converted once.
class CodePageKeys {
public:
    std::string_view Of(std::string_view text) {
        if (IsAscii(text)) return text; // the same bytes in both encodings
        auto it = m_cache.find(text);
        if (it == m_cache.end()) {
            auto gbk = mfc::Utf8ToGbk(text);
            it = m_cache.emplace(text, gbk ? std::move(*gbk) : std::string(text)).first;
        }
        return it->second;
    }

private:
    std::unordered_map<std::string_view, std::string> m_cache; // keys view the grid's texts
};

bool OrderWord(std::string_view order, bool& descending) {
    order = gridtext::TrimBlanks(order);
    std::string upper(order);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    if (upper == "ASC") {
        descending = false;
        return true;
    }
    if (upper == "DESC") {
        descending = true;
        return true;
    }
    return false;
}

} // namespace

bool CGridIterator::SortData(long col, std::string_view order) {
    if (m_fixedRows >= m_rows) {
        bool descending = false;
        return col >= 0 && col < m_cols && OrderWord(order, descending); // nothing to move
    }
    return SortData(col, order, m_fixedRows, m_rows - 1);
}

bool CGridIterator::SortData(long col, std::string_view order, long firstRow, long lastRow) {
    bool descending = false;
    if (!OrderWord(order, descending)) return false;
    if (col < 0 || col >= m_cols || firstRow < 0 || lastRow >= m_rows || firstRow > lastRow) return false;
    const auto count = std::size_t(lastRow - firstRow + 1);

    CodePageKeys codePage;
    std::vector<SortKey> keys(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view text = GetCellView(firstRow + long(i), col);
        SortKey& key = keys[i];
        if (gridtext::IsBlank(text))
            key.kind = KeyKind::Blank;
        else if (gridtext::ParseNumber(text, key.number))
            key.kind = KeyKind::Number;
        else if (gridtext::ParseTime(text, key.time))
            key.kind = KeyKind::Time;
        else {
            key.kind = KeyKind::Text;
            key.text = codePage.Of(text);
        }
    }

    std::vector<std::uint32_t> sequence(count);
    std::iota(sequence.begin(), sequence.end(), 0u);
    auto blanks = std::stable_partition(sequence.begin(), sequence.end(),
                                        [&](std::uint32_t i) { return keys[i].kind != KeyKind::Blank; });
    if (descending)
        std::stable_sort(sequence.begin(), blanks,
                         [&](std::uint32_t a, std::uint32_t b) { return Less(keys[b], keys[a]); });
    else
        std::stable_sort(sequence.begin(), blanks,
                         [&](std::uint32_t a, std::uint32_t b) { return Less(keys[a], keys[b]); });

    // Move whole rows: slots, cell looks, row looks and row header records.
    const std::size_t stride = std::size_t(m_cols);
    const std::size_t base = SlotIndex(firstRow, 0);
    auto permuteCells = [&](auto& cells) {
        using Cell = typename std::decay_t<decltype(cells)>::value_type;
        std::vector<Cell> moved(count * stride);
        for (std::size_t i = 0; i < count; ++i)
            std::copy_n(cells.begin() + long(base + sequence[i] * stride), stride,
                        moved.begin() + long(i * stride));
        std::copy(moved.begin(), moved.end(), cells.begin() + long(base));
    };
    auto permuteRows = [&](auto& rows) {
        using Row = typename std::decay_t<decltype(rows)>::value_type;
        std::vector<Row> moved(count);
        for (std::size_t i = 0; i < count; ++i)
            moved[i] = std::move(rows[std::size_t(firstRow) + sequence[i]]);
        std::move(moved.begin(), moved.end(), rows.begin() + firstRow);
    };
    BeforeRowsMove();
    permuteCells(m_slots);
    if (!m_cellLook.empty()) permuteCells(m_cellLook);
    if (!m_rowLook.empty()) permuteRows(m_rowLook);
    if (!m_rowRecord.empty()) permuteRows(m_rowRecord);
    if (m_rowPro.size() > std::size_t(firstRow)) {
        if (m_rowPro.size() <= std::size_t(lastRow)) m_rowPro.resize(std::size_t(lastRow) + 1);
        permuteRows(m_rowPro);
    }
    return true;
}
