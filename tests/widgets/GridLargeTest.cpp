#include "GridIterator.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdio>
#include <random>
#include <string>

namespace {

// One result row of a refresh: row number, station, time, level, flow, state. The row number
// in column 0 lets every sorted row be checked against the texts it was filled with.
struct RowMaker {
    static constexpr const char* kStations[] = {"长江大桥", "汉口", "宜昌", "沙市", "城陵矶", "Jianli"};

    static std::string Cell(long id, long col) {
        char buf[64];
        switch (col) {
        case 0:
            return std::to_string(id);
        case 1:
            return kStations[(id * 7919) % 6];
        case 2: {
            const long minutes = (id * 104729) % (366 * 24 * 60);
            std::snprintf(buf, sizeof buf, "2024-%02ld-%02ld %02ld:%02ld:00",
                          1 + minutes / (31 * 24 * 60) % 12, 1 + minutes / (24 * 60) % 28, minutes / 60 % 24,
                          minutes % 60);
            return buf;
        }
        case 3:
            if (id % 97 == 0) return ""; // missing value
            std::snprintf(buf, sizeof buf, "%.2f", double((id * 48271) % 200001 - 100000) / 100);
            return buf;
        case 4:
            return std::to_string((id * 16807) % 5000);
        default:
            return id % 5 == 0 ? "越上限" : "正常";
        }
    }
};

TEST(GridLarge, MillionCellsFillSortAndReadBackIntact) {
    constexpr long kRows = 166'667; // x 6 columns: a million cells
    constexpr long kCols = 6;
    CGridIterator grid;
    grid.SetColumnCount(kCols);
    grid.SetRowCount(kRows + 1);
    for (long r = 1; r <= kRows; ++r)
        for (long c = 0; c < kCols; ++c)
            grid.SetItemText(r, c, RowMaker::Cell(r, c));

    auto idOf = [&](long r) {
        long id = 0;
        const std::string_view text = grid.GetCellView(r, 0);
        std::from_chars(text.data(), text.data() + text.size(), id);
        return id;
    };
    auto checkRowsIntact = [&] {
        std::vector<bool> seen(kRows + 1);
        for (long r = 1; r <= kRows; ++r) {
            const long id = idOf(r);
            ASSERT_TRUE(id >= 1 && id <= kRows && !seen[std::size_t(id)]) << "row " << r;
            seen[std::size_t(id)] = true;
            for (long c = 1; c < kCols; ++c)
                ASSERT_EQ(grid.GetCellView(r, c), RowMaker::Cell(id, c)) << "row " << r << " column " << c;
        }
    };

    // Levels high to low, blanks at the end; equal levels keep the filling order.
    ASSERT_TRUE(grid.SortData(3, "DESC"));
    checkRowsIntact();
    double previous = 1e9;
    bool blanks = false;
    for (long r = 1; r <= kRows; ++r) {
        const std::string_view text = grid.GetCellView(r, 3);
        if (text.empty()) {
            blanks = true;
            ASSERT_TRUE(r == 1 || !grid.GetCellView(r - 1, 3).empty() || idOf(r - 1) < idOf(r));
            continue;
        }
        ASSERT_FALSE(blanks) << "a number after the blanks at row " << r;
        const double value = std::stod(std::string(text));
        ASSERT_LE(value, previous) << "row " << r;
        if (r > 1 && value == previous) {
            ASSERT_LT(idOf(r - 1), idOf(r)) << "row " << r;
        }
        previous = value;
    }
    EXPECT_TRUE(blanks);

    // Times oldest first.
    ASSERT_TRUE(grid.SortData(2, "ASC"));
    checkRowsIntact();
    for (long r = 2; r <= kRows; ++r)
        ASSERT_LE(grid.GetCellView(r - 1, 2), grid.GetCellView(r, 2)) << "row " << r;

    // And back into filling order by the row numbers.
    ASSERT_TRUE(grid.SortData(0, "ASC"));
    for (long r = 1; r <= kRows; ++r)
        ASSERT_EQ(idOf(r), r);
}

} // namespace
