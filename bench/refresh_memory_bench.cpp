// How much memory one big refresh takes: a refresh of 200,000 rows (20 stations, hourly, about
// 14 months; station, time, level, flow, trend and note, shown with the row numbers as seven
// grid columns) to a filled grid, on SQLite. Prints the rise of the process's peak resident size
// over the refresh against the size of the cell texts the refresh returns (target: at most 3).
#include "BenchQuery.h"
#include "DataSource.h"
#include "QueryClient.h"
#include "TableQuery.h"

#include <sys/resource.h>

namespace {

// The process's peak resident size so far, in bytes.
double PeakResident() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) * 1024; // kilobytes on Linux
}

} // namespace

int main() {
    bench::ScratchDatabase db("memory.db");
    std::printf("building %d rows of hourly data for %d stations...\n",
                bench::kHourlyStations * bench::kHourlyHours, bench::kHourlyStations);
    bench::FillHourlyRiverTable(db);
    kes::SetDataSource(db.Uri());

    double peakBefore = 0, peakAfter = 0;
    long rows = 0, columns = 0;
    {
        CQueryClient client;
        CTableQuery query(client);
        bench::AskForHourlyStations(query);
        CGridIterator grid;
        peakBefore = PeakResident();
        query.Refresh(grid, 1);
        peakAfter = PeakResident();
        rows = grid.GetRowCount() - 1;
        columns = grid.GetColumnCount();
    }
    // The cell texts of the result, counted afterwards in a refresh of their own.
    double text = 0;
    long cells = 0;
    {
        CQueryClient client;
        CTableQuery query(client);
        bench::AskForHourlyStations(query);
        query.RunQuery();
        const CRowStore& records = query.Records();
        for (long r = 0; r < records.GetSize(); ++r)
            for (int c = 0; c < records.CellCount(r); ++c) {
                text += double(records.Cell(r, c).size());
                ++cells;
            }
    }
    const double mb = 1024 * 1024;
    std::printf(
        "refresh of %ld rows to a grid of %ld columns: peak resident size %.1f MB before, %.1f MB after;"
        " %ld cell texts of %.1f MB\n",
        rows, columns, peakBefore / mb, peakAfter / mb, cells, text / mb);
    std::printf("    ratio peak rise / cell texts = %.2f (target at most 3.00)\n",
                (peakAfter - peakBefore) / text);
    return 0;
}
