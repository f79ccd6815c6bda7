// The point data query of 50 points over a year of hours (438,000 cells): reading every point
// through the period call into the matrix and filling the grid, against the same values read
// by one hand-written SELECT of HOURDB stepped through sqlite3. Target: at most 2 times.
#include "BenchDatabase.h"
#include "DataService.h"
#include "DataSource.h"
#include "PointQuery.h"

#include <cmath>
#include <ctime>

namespace {

constexpr int kPoints = 50;
constexpr int kHours = 8760;

void Fill(bench::ScratchDatabase& db) {
    db.Exec("CREATE TABLE HOURDB (SENID INTEGER, TIME TIMESTAMP, INSTV DOUBLE PRECISION, INSTQ INTEGER, "
            "AVGV DOUBLE PRECISION, AVGQ INTEGER, MAXV DOUBLE PRECISION, MAXQ INTEGER, "
            "MINV DOUBLE PRECISION, MINQ INTEGER);"
            "CREATE INDEX HOURDB_KEY ON HOURDB(SENID, TIME)");
    bench::RowInserter rows(db, "INSERT INTO HOURDB VALUES (?,?,?,0,?,0,?,0,?,0)");
    for (int p = 0; p < kPoints; ++p)
        for (int h = 0; h < kHours; ++h) {
            const double v = 40 + 5 * std::sin(h / 200.0 + p);
            rows.Int(1, 1000 + p);
            rows.Text(2, bench::TimeText(1735689600 + std::time_t(h) * 3600)); // from 2025-01-01
            for (int k = 0; k < 4; ++k)
                rows.Double(3 + k, v + k * 0.01);
            rows.Row();
        }
    rows.Commit();
}

} // namespace

int main() {
    bench::ScratchDatabase db("points.db");
    std::printf("building a year of hours for %d points...\n", kPoints);
    Fill(db);
    kes::SetDataSource(db.Uri());

    CPointQuerySettings settings;
    settings.m_dataType = kPointHourly;
    settings.m_startTime = COleDateTime(2025, 1, 1, 0, 0, 0);
    settings.m_endTime = COleDateTime(2026, 1, 1, 0, 0, 0);
    for (int p = 0; p < kPoints; ++p) {
        auto point = std::make_unique<CPointEntry>();
        point->m_number = CString(std::to_string(1000 + p));
        settings.m_points.Add(std::move(point));
    }

    long cells = 0;
    double sum = 0, loading = 1e300;
    auto pointQuery = [&] {
        CPointQuery query;
        loading = std::min(loading, bench::BestOf(1, [&] { query.Load(settings); }));
        CGridIterator grid;
        query.Fill(grid, settings, CPointGridLook{});
        // The axis ends with a label for the end itself, which the request leaves out.
        cells = 0;
        for (const CPointOutcome& o : query.Outcomes())
            cells += o.placed;
    };
    auto handWritten = [&] {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(
            db.Handle(),
            "SELECT SENID,TIME,INSTV,INSTQ,AVGV,AVGQ,MAXV,MAXQ,MINV,MINQ FROM HOURDB "
            "WHERE TIME>='2025-01-01 00:00:00' AND TIME<='2025-12-31 23:59:59' ORDER BY SENID,TIME",
            -1, &st, nullptr);
        sum = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            sum += double(sqlite3_column_int(st, 0));
            sum += double(sqlite3_column_bytes(st, 1));
            for (int k = 0; k < 4; ++k)
                sum += sqlite3_column_double(st, 2 + 2 * k) + sqlite3_column_int(st, 3 + 2 * k);
        }
        sqlite3_finalize(st);
    };
    // The period calls alone: what the data service costs, without the matrix and the grid.
    double periodSum = 0;
    auto periodCalls = [&] {
        periodSum = 0;
        for (int p = 0; p < kPoints; ++p) {
            CParam param =
                PointPeriodRequest(kPointHourly, 1000 + p, settings.m_startTime, settings.m_endTime);
            CObArray error;
            OutSpanDBEach(
                &param, [&](const CSpanRecord& record) { periodSum += record.m_fValue[0]; }, &error);
        }
    };
    const std::vector<double> best = bench::BestOfInTurns(3, {pointQuery, handWritten, periodCalls});
    if (cells != long(kPoints) * kHours) {
        std::fprintf(stderr, "the point query placed %ld values, not %d\n", cells, kPoints * kHours);
        return 1;
    }
    std::printf("point query, %d points x %d hours (%ld cells): %.3f s, of which reading %.3f s\n", kPoints,
                kHours, cells, best[0], loading);
    std::printf("one SELECT of HOURDB stepped through sqlite3:       %.3f s (checksum %.0f)\n", best[1], sum);
    std::printf("the period calls alone:                              %.3f s (sum %.0f)\n", best[2],
                periodSum);
    std::printf("ratio %.2f (target <= 2); the period calls alone %.2f\n", best[0] / best[1],
                best[2] / best[1]);
    return 0;
}
