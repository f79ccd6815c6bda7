// Query of a 200,000-row, 6-column SELECT on SQLite through the full path (data service,
// dialect adapter, reply rows, query client parsing) against the same SELECT stepped
// directly through the sqlite3 C API into the same cell texts, both in this run. Prints the
// ratio (target: at most 1.5) and the memory the kept rows take per cell.
#include "DataSource.h"
#include "QueryClient.h"
#include "ValueText.h"

#include <malloc.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

namespace {

constexpr int kRows = 200'000;
constexpr int kCols = 6;
const char* kSelect = "SELECT ID,STCD,TM,FACTV,AVGV,NAME FROM KES.BIGDATA ORDER BY ID";

void MakeDatabase(const std::string& path) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(
        db,
        "CREATE TABLE BIGDATA (ID INTEGER PRIMARY KEY, STCD INTEGER, TM TIMESTAMP, FACTV DOUBLE PRECISION,"
        " AVGV DOUBLE PRECISION, NAME VARCHAR(40)); BEGIN",
        nullptr, nullptr, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO BIGDATA VALUES (?,?,?,?,?,?)", -1, &st, nullptr);
    static const char* names[] = {"长江大桥", "汉口", "宜昌", "沙市", "城陵矶", "监利"};
    char tm[32];
    for (int i = 0; i < kRows; ++i) {
        int minutes = i * 60;
        std::snprintf(tm, sizeof tm, "2024-%02d-%02d %02d:00:00", 1 + minutes / (28 * 24 * 60) % 12,
                      1 + minutes / (24 * 60) % 28, minutes / 60 % 24);
        sqlite3_bind_int(st, 1, i + 1);
        sqlite3_bind_int(st, 2, 60100 + i % 40);
        sqlite3_bind_text(st, 3, tm, -1, SQLITE_TRANSIENT);
        sqlite3_bind_double(st, 4, (i % 2000) * 0.25 - 100);
        if (i % 97 == 0)
            sqlite3_bind_double(st, 5, -999);
        else
            sqlite3_bind_double(st, 5, 1000.0 / (1 + i % 777));
        sqlite3_bind_text(st, 6, names[i % 6], -1, SQLITE_STATIC);
        sqlite3_step(st);
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

// The baseline: the same rows stepped straight out of SQLite into the same cell texts.
void DirectQuery(sqlite3* db, CObjectArray<CStringArray>& rows) {
    rows.RemoveAll();
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT ID,STCD,TM,FACTV,AVGV,NAME FROM BIGDATA ORDER BY ID", -1, &st, nullptr);
    std::string cell;
    while (sqlite3_step(st) == SQLITE_ROW) {
        auto row = std::make_unique<CStringArray>();
        for (int c = 0; c < kCols; ++c) {
            cell.clear();
            switch (sqlite3_column_type(st, c)) {
            case SQLITE_INTEGER:
                kes::AppendInteger(cell, sqlite3_column_int64(st, c));
                break;
            case SQLITE_FLOAT:
                kes::AppendNumber(cell, sqlite3_column_double(st, c));
                break;
            case SQLITE_TEXT:
                cell.assign(reinterpret_cast<const char*>(sqlite3_column_text(st, c)),
                            std::size_t(sqlite3_column_bytes(st, c)));
                break;
            default:
                break;
            }
            row->Add(CString(cell));
        }
        rows.Add(std::move(row));
    }
    sqlite3_finalize(st);
}

double Best(int runs, const std::function<void()>& work) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        work();
        std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

std::size_t HeapInUse() {
    malloc_trim(0);
    return mallinfo2().uordblks;
}

} // namespace

int main() {
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("vexor-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::string path = (dir / "bench.sqlite").string();
    MakeDatabase(path);
    setenv("VEXOR_LOG_DIR", dir.c_str(), 1);
    kes::SetDataSource("sqlite:" + path);

    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    CObjectArray<CStringArray> direct;
    CQueryClient client;

    // Warm both paths (file cache, the service's connection) before timing.
    DirectQuery(db, direct);
    client.Query(kSelect);
    bool same = client.GetRowCount() == kRows && direct.GetSize() == kRows;
    for (int r = 0; same && r < kRows; r += 997)
        same = client.m_rows[r] == direct[r];
    if (!same) {
        std::fprintf(stderr, "query_client_bench: the two paths answer different rows\n");
        return 1;
    }

    constexpr int kRuns = 5;
    double baseline = Best(kRuns, [&] { DirectQuery(db, direct); });
    double full = Best(kRuns, [&] { client.Query(kSelect); });

    client.ClearRows();
    direct.RemoveAll();
    std::size_t before = HeapInUse();
    client.Query(kSelect);
    std::size_t kept = HeapInUse() - before;
    client.ClearRows();

    std::printf("query_client: %d rows x %d columns, direct sqlite3 %.3f s, full service + client %.3f s\n",
                kRows, kCols, baseline, full);
    std::printf("query_client: full/direct ratio %.2f (target <= 1.50)\n", full / baseline);
    std::printf("query_client: kept rows %.1f bytes per cell\n", double(kept) / (double(kRows) * kCols));

    sqlite3_close(db);
    kes::SetDataSource("");
    std::filesystem::remove_all(dir);
    return 0;
}
