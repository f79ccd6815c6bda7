// The table query engine against hand-written SQL on the same data, in one run:
// (1) a refresh returning 200,000 rows (20 stations, hourly, about 14 months) from query to a
//     filled grid, against the bare SELECT stepped through the sqlite3 C API into cell texts
//     (target: at most 2 times);
// (2) statistics rows (average, maximum and minimum with their times, sum) for 20 stations,
//     against the same statistics computed by one GROUP BY statement (target: at most 2.5
//     times).
// The settings are read once before the timed work, as a window reads them before its
// refreshes.
#include "BenchQuery.h"
#include "DataSource.h"
#include "QueryClient.h"
#include "TableQuery.h"

#include <cmath>
#include <ctime>
#include <vector>

namespace {

constexpr int kStations = bench::kHourlyStations;
constexpr int kHours = bench::kHourlyHours;
const char* kFrom = bench::kHourlyFrom;
const char* kTo = bench::kHourlyTo;

void Fill(bench::ScratchDatabase& db) {
    db.Exec(bench::kSettingsTablesSql);
    for (const char* table : {"RIVER_HOUR", "RIVER_STAT"}) {
        std::string t = table;
        bool stat = t == "RIVER_STAT";
        db.Exec("CREATE TABLE " + t +
                " (STCD INTEGER, TM TIMESTAMP, Z DOUBLE PRECISION, Q DOUBLE PRECISION,"
                " WPTN INTEGER, NOTE VARCHAR(40));"
                "CREATE INDEX " +
                t + "_KEY ON " + t +
                "(STCD, TM);"
                "INSERT INTO SET_DB_TABLE_NAME VALUES ('" +
                t +
                "',1,'',0,2,0,'');"
                "INSERT INTO SET_TABLE_COL_NAME VALUES ('" +
                t +
                "','STCD','站码',8,4,8,0,0,0,'',1,'[PK(ID)]');"
                "INSERT INTO SET_TABLE_COL_NAME VALUES ('" +
                t +
                "','TM','时间',19,11,19,0,0,0,'',2,'[PK(TIME)][FIELDTIME(时)]');"
                "INSERT INTO SET_TABLE_COL_NAME VALUES ('" +
                t + "','Z','水位',8,8,8,2,0,0,'',3,'[DEC(2)]" + (stat ? "[STAT(COLLIGATEB)]" : "") +
                "');"
                "INSERT INTO SET_TABLE_COL_NAME VALUES ('" +
                t +
                "','Q','流量',8,8,8,2,0,0,'',4,'[AVAIL(3)]');"
                "INSERT INTO SET_TABLE_COL_NAME VALUES ('" +
                t +
                "','WPTN','水势',4,4,4,0,0,0,'',5,'');"
                "INSERT INTO SET_TABLE_COL_NAME VALUES ('" +
                t + "','NOTE','说明',40,12,40,0,0,0,'',6,'');");
        bench::WriteHourlyRows(db, t, true);
    }
}

} // namespace

int main() {
    bench::ScratchDatabase db("engine.db");
    std::printf("building %d rows of hourly data for %d stations...\n", kStations * kHours, kStations);
    Fill(db);
    kes::SetDataSource(db.Uri());

    // (1) refresh to a filled grid against the bare SELECT.
    std::size_t cells = 0;
    std::string in;
    for (const std::string& id : bench::HourlyStationIds())
        in += (in.empty() ? "" : ",") + id;
    std::string bare = "SELECT STCD,TM,Z,Q,WPTN,NOTE FROM RIVER_HOUR WHERE (TM>='" + std::string(kFrom) +
                       "' AND TM<='" + kTo + "') AND STCD IN(" + in + ") ORDER BY STCD ASC, TM ASC";
    long rows = 0;
    CQueryClient refreshClient;
    CTableQuery refreshQuery(refreshClient);
    bench::AskForHourlyStations(refreshQuery);
    std::vector<double> best1 =
        bench::BestOfInTurns(5, {[&] {
                                     std::vector<std::string> texts;
                                     texts.reserve(std::size_t(kStations) * kHours * 6);
                                     sqlite3_stmt* st = nullptr;
                                     sqlite3_prepare_v2(db.Handle(), bare.c_str(), -1, &st, nullptr);
                                     while (sqlite3_step(st) == SQLITE_ROW)
                                         for (int c = 0; c < 6; ++c) {
                                             const unsigned char* t = sqlite3_column_text(st, c);
                                             texts.emplace_back(t ? reinterpret_cast<const char*>(t) : "");
                                         }
                                     sqlite3_finalize(st);
                                     cells = texts.size();
                                 },
                                 [&] {
                                     CGridIterator grid;
                                     refreshQuery.Refresh(grid, 1);
                                     rows = grid.GetRowCount() - 1;
                                 },
                                 [&] { refreshQuery.RunQuery(); }});
    const double direct = best1[0], refresh = best1[1], queryOnly = best1[2];
    std::printf("(1) refresh of %ld rows (%zu cells) to a filled grid: %.3f s; bare SELECT: %.3f s\n", rows,
                cells, refresh, direct);
    std::printf(
        "    ratio refresh / bare SELECT = %.2f (target at most 2.00); of it the statements through the "
        "query client alone: %.2f\n",
        refresh / direct, queryOnly / direct);

    // (2) statistics rows against one GROUP BY.
    std::string grouped =
        "SELECT STCD, TRIM(FLOOR(AVG(Z)*100)/100), MAX(Z), MIN(Z), SUM(Z) FROM RIVER_STAT WHERE Z NOT "
        "IN(-999) AND (TM>='" +
        std::string(kFrom) + "' AND TM<='" + kTo + "') AND STCD IN(" + in + ") GROUP BY STCD";
    // The settings are read once, as a window does before its refreshes; the statistics
    // statements alone are timed, taking turns with the GROUP BY.
    std::size_t statRows = 0;
    CQueryClient statClient;
    CTableQuery statQuery(statClient);
    bench::AskForHourlyStations(statQuery, "RIVER_STAT");
    std::vector<double> best2 =
        bench::BestOfInTurns(7, {[&] {
                                     CQueryClient client;
                                     client.Query(CString(grouped));
                                 },
                                 [&] { statRows = statQuery.ComputeStatistics().size(); }});
    const double groupBy = best2[0], statistics = best2[1];
    std::printf("(2) statistics rows (%zu) for %d stations: %.3f s; one GROUP BY statement: %.3f s\n",
                statRows, kStations, statistics, groupBy);
    std::printf("    ratio statistics rows / GROUP BY = %.2f (target at most 2.50)\n", statistics / groupBy);
    return 0;
}
