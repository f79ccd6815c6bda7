// Scrolling a grid of a million cells (100,000 rows x 10 columns, with header row and column)
// page by page in the grid control at the query window's usual size (1020 x 695): each frame
// is one page down and a synchronous repaint of the control. Against the repaint of a grid of a
// few cells in a control of the same size, measured in the same run. Target: under 8 ms per
// frame. Runs on any Qt platform; offscreen when none is set.
#include "BenchTables.h"
#include "GridCtrl.h"
#include "QueryItem.h"

#include <QApplication>
#include <QScrollBar>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr long kRows = 100'000;
constexpr long kCols = 10;
constexpr int kFrames = 400;

void FillGrid(CGridIterator& grid, long rows, long cols) {
    static const char* headers[] = {"站码",   "时间", "水位", "流量", "水势",
                                    "蓄水量", "入库", "出库", "雨量", "说明"};
    grid.SetColumnCount(cols + 1);
    grid.SetRowCount(rows + 1);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    for (long c = 1; c <= cols; ++c)
        grid.SetItemText(0, c, headers[(c - 1) % 10]);
    char text[64];
    for (long r = 1; r <= rows; ++r) {
        grid.SetItemText(r, 0, std::to_string(r));
        for (long c = 1; c <= cols; ++c) {
            switch (c % 4) {
            case 1:
                std::snprintf(text, sizeof text, "%ld", 60100000 + (r % 97) * 100);
                break;
            case 2:
                std::snprintf(text, sizeof text, "2024-%02ld-%02ld %02ld:00:00", 1 + r / 720 % 12,
                              1 + r / 24 % 28, r % 24);
                break;
            case 3:
                std::snprintf(text, sizeof text, "%.2f", 40 + double((r * 48271 + c) % 1000) / 100);
                break;
            default:
                std::snprintf(text, sizeof text, "%ld", (r * 16807 + c) % 5000);
                break;
            }
            grid.SetItemText(r, c, text);
        }
    }
}

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Processor time of the whole process (the painter's helper threads included), in seconds: on
// a busy machine it shows what a frame costs apart from waiting for a core.
double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// A control of the window's size over the grid, shown and painted once.
struct ShownGrid {
    explicit ShownGrid(CGridIterator& grid) : ctrl(grid, 942, nullptr) {
        ctrl.SetGridFont(CQueryItem::DefaultFont());
        ctrl.Refresh();
        ctrl.resize(1020, 695);
        ctrl.show();
        QApplication::processEvents();
        ctrl.repaint();
    }
    CGridCtrl ctrl;
};

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    CGridIterator big;
    FillGrid(big, kRows, kCols);
    CGridIterator tiny;
    FillGrid(tiny, 2, 2);

    ShownGrid large(big);
    ShownGrid small(tiny);
    QScrollBar& bar = *large.ctrl.verticalScrollBar();
    std::printf("%ld rows x %ld columns; a page is %d rows, the view %dx%d\n", kRows, kCols, bar.pageStep(),
                large.ctrl.width(), large.ctrl.height());

    std::vector<double> frames, baseline, frameCpu;
    for (int f = 0; f < kFrames; ++f) {
        const double cpu = CpuSeconds();
        // Down the grid page by page; back to the top at the bottom.
        frames.push_back(Seconds([&] {
            const int next = bar.value() + bar.pageStep();
            bar.setValue(next > bar.maximum() ? 0 : next);
            large.ctrl.repaint();
        }));
        frameCpu.push_back(CpuSeconds() - cpu);
        baseline.push_back(Seconds([&] { small.ctrl.repaint(); }));
    }
    // The far end of the grid as well: a jump to the last page.
    const double toEnd = Seconds([&] {
        bar.setValue(bar.maximum());
        large.ctrl.repaint();
    });

    const double slowest = *std::max_element(frames.begin(), frames.end());
    const double frame = bench::Median(frames), tinyFrame = bench::Median(baseline);
    std::printf("page scroll + repaint: median %.3f ms, slowest %.3f ms; jump to the last page %.3f ms\n",
                frame * 1e3, slowest * 1e3, toEnd * 1e3);
    std::printf("processor time per frame: median %.3f ms\n", bench::Median(frameCpu) * 1e3);
    std::printf("repaint of a tiny grid of the same size: median %.3f ms\n", tinyFrame * 1e3);
    std::printf("per frame %.3f ms (target under 8 ms); ratio to the tiny grid %.2f\n", frame * 1e3,
                frame / tinyFrame);
    return 0;
}
