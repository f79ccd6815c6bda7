// Missing-data statistics for 50 stations of 5-minute records: time per record for a quarter,
// half and whole year of data (1, 2 and 4 times the records), which should stay flat: the
// statistics take one pass over each station's records.
#include "BenchDatabase.h"
#include "DataSource.h"
#include "LackTime.h"

#include <cmath>
#include <ctime>

namespace {

constexpr int kStations = 50;
constexpr int kStep = 300; // seconds between records

void Fill(bench::ScratchDatabase& db) {
    db.Exec("CREATE TABLE RTEV (SENID INTEGER, TIME TIMESTAMP, FACTV DOUBLE PRECISION, DATAPRO INTEGER);"
            "CREATE INDEX RTEV_KEY ON RTEV(SENID, TIME)");
    bench::RowInserter rows(db, "INSERT INTO RTEV VALUES (?,?,?,0)");
    const int perYear = 365 * 24 * 3600 / kStep;
    for (int s = 0; s < kStations; ++s) {
        for (int i = 0; i < perYear; ++i) {
            if ((i + s * 7) % 1000 < 3) continue; // a gap now and then
            rows.Int(1, 1000 + s);
            rows.Text(2, bench::TimeText(1704067200 + std::time_t(i) * kStep));
            rows.Double(3, std::sin(i / 100.0));
            rows.Row();
        }
    }
    rows.Commit();
}

} // namespace

int main() {
    bench::ScratchDatabase db("lack.db");
    std::printf("building a year of 5-minute records for %d stations...\n", kStations);
    Fill(db);
    kes::SetDataSource(db.Uri());

    const char* ends[3] = {"2024-03-31 23:59:59", "2024-06-30 23:59:59", "2024-12-30 23:59:59"};
    const char* names[3] = {"quarter year (1x)", "half year (2x)", "whole year (4x)"};
    double perRecord[3] = {0, 0, 0};
    for (int k = 0; k < 3; ++k) {
        CLackTimeRequest r;
        for (int s = 0; s < kStations; ++s)
            r.stations.Add(CString(std::to_string(1000 + s)));
        r.startTime = "2024-01-01 00:00:00";
        r.endTime = ends[k];
        r.extraText = "RTEV";
        r.intervalCount = 10;
        r.intervalUnit = kLackMinutes;
        std::size_t gaps = 0;
        double seconds = bench::BestOf(2, [&] { gaps = LackTimeRows(r).size(); });
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db.Handle(), "SELECT COUNT(*) FROM RTEV WHERE TIME<=?", -1, &st, nullptr);
        sqlite3_bind_text(st, 1, ends[k], -1, SQLITE_STATIC);
        sqlite3_step(st);
        double records = double(sqlite3_column_int64(st, 0));
        sqlite3_finalize(st);
        perRecord[k] = seconds / records;
        std::printf("%-18s %9.0f records, %6zu gaps: %.3f s, %.3f us per record\n", names[k], records, gaps,
                    seconds, perRecord[k] * 1e6);
    }
    std::printf("time per record, 2x / 1x = %.2f, 4x / 1x = %.2f (linear growth keeps both near 1)\n",
                perRecord[1] / perRecord[0], perRecord[2] / perRecord[0]);
    return 0;
}
