#pragma once
// Small helpers the engine benchmarks share: a scratch SQLite file filled through the sqlite3
// C API (fast, and independent of the code being measured) and a best-of-N stopwatch.
#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace bench {

class ScratchDatabase {
public:
    explicit ScratchDatabase(const char* name) {
        m_dir = std::filesystem::temp_directory_path() / ("vexor-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_dir);
        m_path = (m_dir / name).string();
        std::filesystem::remove(m_path);
        if (sqlite3_open(m_path.c_str(), &m_db) != SQLITE_OK) {
            std::fprintf(stderr, "cannot create %s\n", m_path.c_str());
            std::exit(1);
        }
        Exec("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF");
    }
    ~ScratchDatabase() {
        sqlite3_close(m_db);
        std::filesystem::remove_all(m_dir);
    }
    void Exec(const std::string& sql) {
        char* error = nullptr;
        if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            std::fprintf(stderr, "%s: %s\n", sql.c_str(), error ? error : "");
            std::exit(1);
        }
    }
    sqlite3* Handle() const { return m_db; }
    const std::string& Path() const { return m_path; }
    std::string Uri() const { return "sqlite:" + m_path; }

private:
    std::filesystem::path m_dir;
    std::string m_path;
    sqlite3* m_db = nullptr;
};

// Rows written through one prepared INSERT in one transaction: bind a row's values, Row(), and
// Commit() after the last.
class RowInserter {
public:
    RowInserter(ScratchDatabase& db, const std::string& insert) : m_db(db) {
        m_db.Exec("BEGIN");
        if (sqlite3_prepare_v2(db.Handle(), insert.c_str(), -1, &m_st, nullptr) != SQLITE_OK) Die(insert);
    }
    ~RowInserter() { sqlite3_finalize(m_st); }
    RowInserter(const RowInserter&) = delete;
    RowInserter& operator=(const RowInserter&) = delete;

    void Int(int column, long long value) { sqlite3_bind_int64(m_st, column, value); }
    void Double(int column, double value) { sqlite3_bind_double(m_st, column, value); }
    void Text(int column, const std::string& value) {
        sqlite3_bind_text(m_st, column, value.c_str(), int(value.size()), SQLITE_TRANSIENT);
    }
    void Row() {
        if (sqlite3_step(m_st) != SQLITE_DONE) Die(sqlite3_sql(m_st));
        sqlite3_reset(m_st);
    }
    void Commit() {
        sqlite3_finalize(m_st);
        m_st = nullptr;
        m_db.Exec("COMMIT");
    }

private:
    [[noreturn]] void Die(const std::string& sql) {
        std::fprintf(stderr, "%s: %s\n", sql.c_str(), sqlite3_errmsg(m_db.Handle()));
        std::exit(1);
    }
    ScratchDatabase& m_db;
    sqlite3_stmt* m_st = nullptr;
};

// A moment as the tables hold it, "YYYY-MM-DD hh:mm:ss" in UTC.
inline std::string TimeText(std::time_t at) {
    std::tm parts{};
    gmtime_r(&at, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
    return text;
}

// The best of several runs, in seconds: the least disturbed by the rest of the machine.
inline double BestOf(int runs, const std::function<void()>& work) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        work();
        double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (s < best) best = s;
    }
    return best;
}

// The best time of each piece of work over several rounds, the pieces taking turns within a
// round: a load that comes and goes on a shared machine then falls on all of them alike.
inline std::vector<double> BestOfInTurns(int rounds, const std::vector<std::function<void()>>& works) {
    std::vector<double> best(works.size(), 1e300);
    for (int r = 0; r < rounds; ++r)
        for (std::size_t i = 0; i < works.size(); ++i) {
            auto start = std::chrono::steady_clock::now();
            works[i]();
            double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            if (s < best[i]) best[i] = s;
        }
    return best;
}

} // namespace bench
