// The year comparison of the analysis query: ten years of hourly history of one station
// (87,600 rows), compared hour by hour, against one hand-written SELECT of the same rows stepped
// through sqlite3. The comparison queries each year, condenses it by period and lays the years
// side by side; its time over the bare read is the ratio printed (target: at most 2).
#include "BenchQuery.h"
#include "DataSource.h"
#include "QueryClient.h"
#include "TableQuery.h"

#include <cmath>
#include <ctime>

namespace {

constexpr int kYears = 10;
constexpr int kFirstYear = 2015;
constexpr int kHours = kYears * 8760;

void Fill(bench::ScratchDatabase& db) {
    db.Exec(
        std::string(bench::kSettingsTablesSql) +
        "CREATE TABLE ALLPOINT (ID INTEGER, DTYPE INTEGER);"
        "INSERT INTO ALLPOINT VALUES (1, 2);"
        "CREATE TABLE HISVIEW (SENID INTEGER, TIME TIMESTAMP, INSTV DOUBLE PRECISION, AVGV DOUBLE PRECISION,"
        " MAXV DOUBLE PRECISION, MAXT TIMESTAMP, MINV DOUBLE PRECISION, MINT TIMESTAMP);"
        "CREATE INDEX HISVIEW_KEY ON HISVIEW (SENID, TIME);"
        "INSERT INTO SET_DB_TABLE_NAME VALUES ('HISVIEW',1,'',0,2,0,'[Modi(READ)]');"
        "INSERT INTO SET_TABLE_COL_NAME VALUES"
        " ('HISVIEW','SENID','测点',8,4,8,0,0,0,'',1,'[PK(ID)][TOTAL(GY)][TOTAL(DTYPE)]'),"
        " ('HISVIEW','TIME','时间',19,11,19,0,0,0,'',2,'[PK(TIME)][TOTAL(TIME)][TOTAL(TABLE,3,4,5,6)]["
        "ANALYQUERY]'),"
        " ('HISVIEW','INSTV','瞬时值',8,8,8,2,0,0,'',3,'[TOTAL(V)][DEC(2)]'),"
        " ('HISVIEW','AVGV','平均值',8,8,8,2,0,0,'',4,'[TOTAL(AVGV)][DEC(2)]'),"
        " ('HISVIEW','MAXV','最大值',8,8,8,2,0,0,'',5,'[TOTAL(MAXV)][DEC(2)]'),"
        " ('HISVIEW','MAXT','最大值时间',19,11,19,0,0,0,'',6,'[TOTAL(MAXV_R)]'),"
        " ('HISVIEW','MINV','最小值',8,8,8,2,0,0,'',7,'[TOTAL(MINV)][DEC(2)]'),"
        " ('HISVIEW','MINT','最小值时间',19,11,19,0,0,0,'',8,'[TOTAL(MINV_R)]');");
    bench::RowInserter rows(db, "INSERT INTO HISVIEW VALUES (1,?,?,?,?,?,?,?)");
    for (int h = 0; h < kHours; ++h) {
        const std::string tm = bench::TimeText(1420070400 + std::time_t(h) * 3600); // from 2015-01-01
        const double z = 45 + 4 * std::sin(h / 900.0) + 0.3 * std::sin(h / 7.0);
        rows.Text(1, tm);
        rows.Double(2, z);
        rows.Double(3, z - 0.01);
        rows.Double(4, z + 0.05);
        rows.Text(5, tm);
        rows.Double(6, z - 0.05);
        rows.Text(7, tm);
        rows.Row();
    }
    rows.Commit();
}

} // namespace

int main() {
    bench::ScratchDatabase db("years.db");
    std::printf("building %d hours of history for one station...\n", kHours);
    Fill(db);

    kes::SetDataSource(db.Uri());
    CQueryClient client;
    CTableQuery query(client);
    CTableQueryOptions options;
    options.analysisComparison = true;
    bench::AskForStations(query, "HISVIEW", {"1"}, "2015-01-01 00:00:00", "2015-12-31 23:00:00", options);
    query.m_request.analysisType = 3;
    for (int y = kFirstYear; y < kFirstYear + kYears; ++y)
        query.m_request.years.Add(DWORD(y));
    CGridIterator grid;

    // The baseline: the same rows, read once and every value looked at as text. It and the
    // comparison take turns, so a load that comes and goes falls on both alike.
    std::size_t read = 0;
    auto bareSelect = [&] {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db.Handle(),
                           "SELECT SENID,TIME,INSTV,AVGV,MAXV,MAXT,MINV,MINT FROM HISVIEW WHERE SENID=1"
                           " AND TIME>='2015-01-01 00:00:00' AND TIME<='2024-12-31 23:00:00' ORDER BY TIME",
                           -1, &st, nullptr);
        read = 0;
        std::size_t bytes = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int c = 0; c < 8; ++c)
                if (sqlite3_column_text(st, c)) bytes += std::size_t(sqlite3_column_bytes(st, c));
            ++read;
        }
        if (bytes == 0) read = 0;
        sqlite3_finalize(st);
    };
    const std::vector<double> best = bench::BestOfInTurns(5, {bareSelect, [&] { query.Refresh(grid, 1); }});
    const double bare = best[0], compared = best[1];
    if (query.RefreshFailed()) {
        std::fprintf(stderr, "the comparison failed: %s\n", query.RefreshErrors().front().GetString());
        return 1;
    }
    std::size_t values = 0;
    for (const auto& row : query.Comparison().values)
        for (const auto& v : row)
            values += v.has_value();
    std::printf("bare SELECT        %6zu rows: %.3f s\n", read, bare);
    std::printf("year comparison    %6zu values in %ld x %ld cells: %.3f s\n", values, grid.GetRowCount(),
                grid.GetColumnCount(), compared);
    std::printf("comparison / bare SELECT = %.2f (target <= 2)\n", compared / bare);
    return 0;
}
