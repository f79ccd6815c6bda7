// The system view's inventory on a scale-10 demo database: for each table, the time from the
// previous table's row to this table's row as the viewer receives them (worker thread, its own
// connection, the counting statement through the data service and the query client) against a
// bare "SELECT COUNT(*),MIN(t),MAX(t)" of the same table stepped through the sqlite3 C API, both
// in this run. Prints the ratio per table (target: at most 1.2) and over all tables.
//
// inventory_bench [sqlite:PATH]: counts an existing demo database; without one, a scale-10 demo
// database is built in a scratch directory first (a few minutes).
#include "BackgroundInventory.h"
#include "BenchDatabase.h"
#include "DemoDatabase.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRuns = 5;

const std::vector<CInventoryTable> kTables = {
    {"RIVER_HOUR", "", "TM"}, {"RAIN_HOUR", "", "TM"}, {"RAIN_DAY", "", "TM"}, {"RSVR_DAY", "", "TM"},
    {"FLOW_XUN", "", "TM"},   {"FLOW_MON", "", "TM"},  {"HOURDB", "", "TIME"}, {"DAYDB", "", "TIME"},
    {"RTEV", "", "TIME"},     {"STATION", "", ""},
};

// Seconds per table, as the rows arrive: the first includes opening the worker's connection.
std::vector<double> InventoryTimes(const std::string& uri, std::vector<CInventoryRow>& rows) {
    std::vector<double> times;
    rows.clear();
    Clock::time_point last = Clock::now();
    CBackgroundInventory load(uri, kTables, [&](const CInventoryRow& row) {
        const Clock::time_point now = Clock::now();
        times.push_back(std::chrono::duration<double>(now - last).count());
        last = now;
        rows.push_back(row);
    });
    load.Wait();
    return times;
}

// Seconds of the bare count of one table.
double BareCount(sqlite3* db, const CInventoryTable& table) {
    const std::string t = table.timeColumn.str();
    const std::string sql = t.empty()
                                ? "SELECT COUNT(*) FROM " + table.table.str()
                                : "SELECT COUNT(*),MIN(" + t + "),MAX(" + t + ") FROM " + table.table.str();
    const Clock::time_point start = Clock::now();
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql.c_str(), sqlite3_errmsg(db));
        std::exit(1);
    }
    while (sqlite3_step(st) == SQLITE_ROW) {
    }
    sqlite3_finalize(st);
    return std::chrono::duration<double>(Clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv) {
    std::string uri = argc > 1 ? argv[1] : "";
    std::unique_ptr<bench::ScratchDatabase> scratch;
    if (uri.empty()) {
        scratch = std::make_unique<bench::ScratchDatabase>("demo10.sqlite");
        uri = scratch->Uri();
        demo::DemoOptions options;
        options.scale = 10;
        options.replace = true;
        std::string error;
        std::fprintf(stderr, "building a scale-10 demo database in %s ...\n", scratch->Path().c_str());
        if (!demo::BuildDemoDatabase(uri, options, error)) {
            std::fprintf(stderr, "cannot build the demo database: %s\n", error.c_str());
            return 1;
        }
    }
    if (uri.rfind("sqlite:", 0) != 0) {
        std::fprintf(stderr, "usage: inventory_bench [sqlite:PATH]\n");
        return 1;
    }
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(uri.substr(7).c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "cannot open %s\n", uri.c_str());
        return 1;
    }

    // The best of several rounds, table by table; in each round a whole inventory and then the
    // bare counts take turns, so a load that comes and goes on the machine falls on both alike.
    std::vector<double> best(kTables.size(), 1e300), bareBest(kTables.size(), 1e300);
    std::vector<CInventoryRow> rows;
    for (int run = 0; run < kRuns; ++run) {
        const std::vector<double> times = InventoryTimes(uri, rows);
        if (times.size() != kTables.size()) {
            std::fprintf(stderr, "the inventory gave %zu rows for %zu tables\n", times.size(),
                         kTables.size());
            return 1;
        }
        for (std::size_t i = 0; i < times.size(); ++i) {
            best[i] = std::min(best[i], times[i]);
            bareBest[i] = std::min(bareBest[i], BareCount(db, kTables[i]));
        }
    }
    std::printf("%-12s %10s %14s %10s %7s\n", "table", "rows", "inventory ms", "bare ms", "ratio");
    double inventoryTotal = 0, bareTotal = 0;
    for (std::size_t i = 0; i < kTables.size(); ++i) {
        if (!rows[i].Counted()) {
            std::fprintf(stderr, "%s: %s\n", kTables[i].table.GetString(), rows[i].failure.GetString());
            return 1;
        }
        const double bare = bareBest[i];
        inventoryTotal += best[i];
        bareTotal += bare;
        std::printf("%-12s %10s %14.2f %10.2f %7.2f\n", kTables[i].table.GetString(),
                    rows[i].count.GetString(), best[i] * 1e3, bare * 1e3, best[i] / bare);
    }
    std::printf("%-12s %10s %14.2f %10.2f %7.2f\n", "all", "", inventoryTotal * 1e3, bareTotal * 1e3,
                inventoryTotal / bareTotal);
    sqlite3_close(db);
    return 0;
}
