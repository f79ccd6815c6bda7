// Grid filling, sorting and reading at the size of a large refresh (200,000 rows x 6 columns),
// each against a plain-vector baseline measured in the same run. Prints ratios; lower is better.
#include "GridIterator.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using Rows = std::vector<std::vector<std::string>>;
constexpr long kRows = 200'000;
constexpr long kCols = 6;

Rows MakeRows() {
    static const char* stations[] = {"长江大桥", "汉口", "宜昌", "沙市", "城陵矶", "监利"};
    Rows rows(kRows);
    char buf[64];
    for (long id = 0; id < kRows; ++id) {
        auto& row = rows[std::size_t(id)];
        row.push_back(std::to_string(id + 1));
        row.push_back(stations[(id * 7919) % 6]);
        const long minutes = (id * 104729) % (366 * 24 * 60);
        std::snprintf(buf, sizeof buf, "2024-%02ld-%02ld %02ld:%02ld:00", 1 + minutes / (31 * 24 * 60) % 12,
                      1 + minutes / (24 * 60) % 28, minutes / 60 % 24, minutes % 60);
        row.push_back(buf);
        std::snprintf(buf, sizeof buf, "%.2f", double((id * 48271) % 200001 - 100000) / 100);
        row.push_back(buf);
        row.push_back(std::to_string((id * 16807) % 5000));
        row.push_back(id % 5 == 0 ? "越上限" : "正常");
    }
    return rows;
}

// Best of several runs, in seconds. setup runs before each run and is not timed.
double Best(int runs, const std::function<void()>& setup, const std::function<void()>& work) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        setup();
        const auto start = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

volatile std::size_t g_sink;

} // namespace

int main() {
    const Rows rows = MakeRows();
    const double millions = double(kRows * kCols) / 1e6;
    constexpr int kRuns = 5;

    // Fill: copying the texts into one vector of strings vs filling a grid.
    std::vector<std::string> flat;
    const double copyTime = Best(
        kRuns, [&] { flat = {}; },
        [&] {
            flat.reserve(std::size_t(kRows * kCols));
            for (const auto& row : rows)
                for (const auto& text : row)
                    flat.push_back(text);
        });
    CGridIterator grid;
    const double fillTime = Best(
        kRuns, [&] { grid.SetDisplayModeInit(); },
        [&] {
            grid.SetColumnCount(kCols);
            grid.SetRowCount(kRows + 1);
            for (long r = 0; r < kRows; ++r)
                grid.SetRowTexts(r + 1, 0, rows[std::size_t(r)]);
        });

    // Read every cell, as a view scrolling through the whole grid would.
    const double readFlatTime = Best(
        kRuns, [] {},
        [&] {
            std::size_t bytes = 0;
            for (const auto& text : flat)
                bytes += text.size();
            g_sink = bytes;
        });
    const double readGridTime = Best(
        kRuns, [] {},
        [&] {
            std::size_t bytes = 0;
            for (long r = 0; r <= kRows; ++r)
                for (long c = 0; c < kCols; ++c)
                    bytes += grid.GetCellView(r, c).size();
            g_sink = bytes;
        });

    // Sort: the bare minimum, a stable sort of the column's numbers already parsed into doubles,
    // vs the grid's sort of a column, which also reads the texts and moves whole rows.
    std::vector<double> levels;
    const double baselineSortTime = Best(
        3,
        [&] {
            levels.clear();
            for (const auto& row : rows)
                levels.push_back(std::stod(row[3]));
        },
        [&] { std::stable_sort(levels.begin(), levels.end(), std::greater<>()); });
    CGridIterator sorted;
    auto refill = [&] {
        sorted.SetDisplayModeInit();
        sorted.SetColumnCount(kCols);
        sorted.SetRowCount(kRows + 1);
        for (long r = 0; r < kRows; ++r)
            sorted.SetRowTexts(r + 1, 0, rows[std::size_t(r)]);
    };
    const double sortNumberTime = Best(3, refill, [&] { sorted.SortData(3, "DESC"); });
    const double sortTimeTime = Best(3, refill, [&] { sorted.SortData(2, "ASC"); });
    const double sortTextTime = Best(3, refill, [&] { sorted.SortData(1, "ASC"); });

    std::printf("grid_bench: %ld rows x %ld columns (%.1f million cells)\n", kRows, kCols, millions);
    std::printf("  fill:  grid %.1f ms, copying the strings %.1f ms, ratio %.2f\n", fillTime * 1e3,
                copyTime * 1e3, fillTime / copyTime);
    std::printf("  read:  grid %.1f ms, vector of strings %.1f ms, ratio %.2f\n", readGridTime * 1e3,
                readFlatTime * 1e3, readGridTime / readFlatTime);
    std::printf("  sort numbers DESC: %.1f ms per million cells, ratio %.2f to sorting the parsed numbers\n",
                sortNumberTime * 1e3 / millions, sortNumberTime / baselineSortTime);
    std::printf("  sort times ASC:    %.1f ms per million cells, ratio %.2f\n", sortTimeTime * 1e3 / millions,
                sortTimeTime / baselineSortTime);
    std::printf("  sort texts ASC:    %.1f ms per million cells, ratio %.2f\n", sortTextTime * 1e3 / millions,
                sortTextTime / baselineSortTime);
    return 0;
}
