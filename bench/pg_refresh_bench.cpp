// The table query engine on PostgreSQL against the bare libpq loop on the same data, in one
// run: a refresh returning 200,000 rows (20 stations, hourly, about 14 months) from query to a
// filled grid, against the same SELECT read with libpq into cell texts, once as one PQexec and
// once in single-row mode, the faster of the two being the baseline (target: at most 1.5).
#include "BenchPostgres.h"
#include "BenchQuery.h"
#include "DataSource.h"
#include "QueryClient.h"
#include "TableQuery.h"

#include <vector>

namespace {

std::vector<std::string> ReadWhole(PGconn* conn, const std::string& sql) {
    std::vector<std::string> texts;
    PGresult* r = PQexec(conn, sql.c_str());
    const int rows = PQntuples(r), columns = PQnfields(r);
    texts.reserve(std::size_t(rows) * std::size_t(columns));
    for (int i = 0; i < rows; ++i)
        for (int c = 0; c < columns; ++c)
            texts.emplace_back(PQgetvalue(r, i, c), std::size_t(PQgetlength(r, i, c)));
    PQclear(r);
    return texts;
}

std::vector<std::string> ReadRowByRow(PGconn* conn, const std::string& sql) {
    std::vector<std::string> texts;
    PQsendQuery(conn, sql.c_str());
    PQsetSingleRowMode(conn);
    while (PGresult* r = PQgetResult(conn)) {
        if (PQresultStatus(r) == PGRES_SINGLE_TUPLE)
            for (int c = 0; c < PQnfields(r); ++c)
                texts.emplace_back(PQgetvalue(r, 0, c), std::size_t(PQgetlength(r, 0, c)));
        PQclear(r);
    }
    return texts;
}

} // namespace

int main() {
    bench::ScratchPostgres pg;
    if (!pg.Available()) return 0;
    std::printf("building %d rows of hourly data for %d stations on PostgreSQL...\n",
                bench::kHourlyStations * bench::kHourlyHours, bench::kHourlyStations);
    pg.FillHourlyRiverTable();
    kes::SetDataSource(pg.Conninfo());

    std::string in;
    for (const std::string& id : bench::HourlyStationIds())
        in += (in.empty() ? "" : ",") + id;
    const std::string bare = "SELECT STCD,TM,Z,Q,WPTN,NOTE FROM RIVER_HOUR WHERE (TM>='" +
                             std::string(bench::kHourlyFrom) + "' AND TM<='" + bench::kHourlyTo +
                             "') AND STCD IN(" + in + ") ORDER BY STCD ASC, TM ASC";
    CQueryClient client;
    CTableQuery query(client);
    bench::AskForHourlyStations(query);

    std::size_t cells = 0;
    long rows = 0;
    std::vector<double> best = bench::BestOfInTurns(7, {[&] { cells = ReadWhole(pg.Handle(), bare).size(); },
                                                        [&] { ReadRowByRow(pg.Handle(), bare); },
                                                        [&] {
                                                            CGridIterator grid;
                                                            query.Refresh(grid, 1);
                                                            rows = grid.GetRowCount() - 1;
                                                        },
                                                        [&] { query.RunQuery(); }});
    const double whole = best[0], rowByRow = best[1], refresh = best[2], queryOnly = best[3];
    const double baseline = std::min(whole, rowByRow);
    kes::CloseDataSource();

    std::printf("refresh of %ld rows (%zu cells) on PostgreSQL to a filled grid: %.3f s; through the query "
                "client alone: %.3f s\n",
                rows, cells, refresh, queryOnly);
    std::printf("bare libpq: one PQexec %.3f s, single-row mode %.3f s\n", whole, rowByRow);
    std::printf(
        "    ratio refresh / bare libpq = %.2f (target at most 1.50); query client alone / bare libpq = "
        "%.2f\n",
        refresh / baseline, queryOnly / baseline);
    return 0;
}
