// Many operator stations on one PostgreSQL server: at 1, 2, 4, 8 and 16 readers, each a
// process of its own with its own connection, every reader refreshes a 10,000-row query (one
// station's hourly rows) to a filled grid again and again for a fixed time, while 4 writers
// edit rows as the query window does (refresh, change a value, write the row with its audit
// record). Every process connects and reads its settings first; the timed part starts for all
// at once. Prints per level the refreshes per second, the median and 95th-percentile refresh
// time and the failures; targets: at 16 readers at least the throughput of 2, no failed
// refresh, one audit record per write, every SEQID once.
#include "BenchPostgres.h"
#include "BenchQuery.h"
#include "DataSource.h"
#include "QueryClient.h"
#include "QueryWindowModel.h"
#include "TableQuery.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <set>
#include <thread>
#include <vector>

namespace {

constexpr double kSecondsPerLevel = 4.0;
// Time for every process of a level to connect and read its settings before the timed part.
constexpr double kSecondsToStart = 1.5;
constexpr int kWriters = 4;

using Clock = std::chrono::steady_clock;

// What a child process reports through its pipe: a count of failures, then its latencies.
struct Report {
    int failures = 0;
    std::vector<double> latencies; // seconds; a writer reports one entry per write
};

void WriteAll(int fd, const void* data, std::size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t n = ::write(fd, p, size);
        if (n <= 0) return;
        p += n;
        size -= std::size_t(n);
    }
}

void SendReport(int fd, const Report& report) {
    int count = int(report.latencies.size());
    WriteAll(fd, &report.failures, sizeof report.failures);
    WriteAll(fd, &count, sizeof count);
    WriteAll(fd, report.latencies.data(), report.latencies.size() * sizeof(double));
}

Report ReadReport(int fd) {
    Report report;
    std::string bytes;
    char buf[65536];
    for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) > 0;)
        bytes.append(buf, std::size_t(n));
    if (bytes.size() < 2 * sizeof(int)) {
        report.failures = 1; // the child died before it could say anything
        return report;
    }
    int count = 0;
    std::memcpy(&report.failures, bytes.data(), sizeof(int));
    std::memcpy(&count, bytes.data() + sizeof(int), sizeof(int));
    report.latencies.resize(std::size_t(count));
    std::memcpy(report.latencies.data(), bytes.data() + 2 * sizeof(int),
                std::min(bytes.size() - 2 * sizeof(int), std::size_t(count) * sizeof(double)));
    return report;
}

// One operator refreshing one station's 10,000 hours from start until the time is up.
Report Reader(int index, Clock::time_point start, Clock::time_point until) {
    Report report;
    CQueryClient client;
    CTableQuery query(client);
    bench::AskForStations(query, "RIVER_HOUR",
                          {bench::HourlyStationIds()[std::size_t(index) % bench::kHourlyStations]},
                          bench::kHourlyFrom, bench::kHourlyTo);
    std::this_thread::sleep_until(start);
    while (Clock::now() < until) {
        auto start = Clock::now();
        CGridIterator grid;
        query.Refresh(grid, 1);
        report.latencies.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        if (query.RefreshFailed() || query.ResultRowCount() != bench::kHourlyHours) ++report.failures;
    }
    return report;
}

// One operator editing the level of station 100 + index, as the query window writes a row.
Report Writer(int index, Clock::time_point start, Clock::time_point until) {
    Report report;
    CQueryClient client;
    CTableQuery query(client);
    bench::AskForStations(query, "DAY_LEVEL", {std::to_string(100 + index)}, "2008-07-01 00:00:00",
                          "2008-07-02 00:00:00");
    std::this_thread::sleep_until(start);
    for (int i = 0; Clock::now() < until; ++i) {
        auto start = Clock::now();
        CGridIterator grid;
        query.Refresh(grid, 1);
        if (query.ResultRowCount() != 1) {
            ++report.failures;
            continue;
        }
        CEditedRow edit;
        LoadEditedRow(edit, grid, 1, query.Settings().VisibleCount(), false);
        grid.SetItemText(1, 3, std::to_string(i) + ".5");
        if (CommitEditedRow(edit, grid, query, false) != 1 || !query.LastAuditError().IsEmpty())
            ++report.failures;
        else
            report.latencies.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    return report;
}

// Starts a child that connects on its own and runs work; answers its pid and the pipe's end.
template <class Work> std::pair<pid_t, int> Spawn(const std::string& conninfo, Work work) {
    int fds[2];
    if (::pipe(fds) != 0) std::exit(1);
    pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        kes::SetDataSource(conninfo);
        SendReport(fds[1], work());
        kes::CloseDataSource();
        ::_exit(0); // the parent's objects (the scratch database) are not the child's to end
    }
    ::close(fds[1]);
    return {pid, fds[0]};
}

double Percentile(std::vector<double>& v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, std::size_t(p * double(v.size())))];
}

} // namespace

int main() {
    bench::ScratchPostgres pg;
    if (!pg.Available()) return 0;
    std::printf("building %d rows of hourly data and the edited table on PostgreSQL...\n",
                bench::kHourlyStations * bench::kHourlyHours);
    pg.FillHourlyRiverTable();
    pg.Exec("CREATE TABLE SCHLOG (T TIMESTAMP, SEQID INTEGER, TYPE INTEGER, LOGINFO VARCHAR(400),"
            " CONT TIMESTAMP, CONDIR INTEGER, CONTTYPE VARCHAR(40), EDITMEN VARCHAR(40));"
            "CREATE TABLE DAY_LEVEL (STCD INTEGER, TM TIMESTAMP, Z DOUBLE PRECISION, NOTE VARCHAR(80),"
            " PRO INTEGER);"
            "INSERT INTO SET_DB_TABLE_NAME VALUES ('DAY_LEVEL', 1, 'admin', 0, 2, 0, '[Direct(H)]');"
            "INSERT INTO SET_TABLE_COL_NAME VALUES"
            " ('DAY_LEVEL','STCD','站码',8,4,8,0,0,0,'',1,'[PK(ID)]'),"
            " ('DAY_LEVEL','TM','日期',19,11,19,0,0,0,'',2,'[PK(TIME)][CHANGETIME(DAY,1)]'),"
            " ('DAY_LEVEL','Z','水位',8,8,8,2,0,0,'',3,'[DC(PRO)][WLOG(日水位修改)]'),"
            " ('DAY_LEVEL','NOTE','说明',80,12,80,0,0,0,'',4,'[DC(PRO)]'),"
            " ('DAY_LEVEL','PRO','属性',4,4,4,0,0,0,'',5,'')");
    for (int w = 0; w < kWriters; ++w)
        pg.Exec("INSERT INTO DAY_LEVEL VALUES (" + std::to_string(100 + w) +
                ", '2008-07-01 08:00:00', 1, '', 0)");

    std::printf("%8s %14s %10s %10s %9s %8s %14s\n", "readers", "refreshes/s", "p50 ms", "p95 ms", "failed",
                "writes", "write failed");
    double throughputAt2 = 0, throughputAt16 = 0;
    int failedRefreshes = 0, failedWrites = 0;
    long writes = 0;
    for (int readers : {1, 2, 4, 8, 16}) {
        auto seconds = [](double s) {
            return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(s));
        };
        const auto start = Clock::now() + seconds(kSecondsToStart), until = start + seconds(kSecondsPerLevel);
        std::vector<std::pair<pid_t, int>> readerChildren, writerChildren;
        for (int r = 0; r < readers; ++r)
            readerChildren.push_back(Spawn(pg.Conninfo(), [=] { return Reader(r, start, until); }));
        for (int w = 0; w < kWriters; ++w)
            writerChildren.push_back(Spawn(pg.Conninfo(), [=] { return Writer(w, start, until); }));
        std::vector<double> latencies;
        int failed = 0, writeFailed = 0;
        long levelWrites = 0;
        for (auto [pid, fd] : readerChildren) {
            Report r = ReadReport(fd);
            ::close(fd);
            int status = 0;
            ::waitpid(pid, &status, 0);
            failed += r.failures + (WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1);
            latencies.insert(latencies.end(), r.latencies.begin(), r.latencies.end());
        }
        for (auto [pid, fd] : writerChildren) {
            Report r = ReadReport(fd);
            ::close(fd);
            int status = 0;
            ::waitpid(pid, &status, 0);
            writeFailed += r.failures + (WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1);
            levelWrites += long(r.latencies.size());
        }
        const double throughput = double(latencies.size()) / kSecondsPerLevel;
        if (readers == 2) throughputAt2 = throughput;
        if (readers == 16) throughputAt16 = throughput;
        failedRefreshes += failed;
        failedWrites += writeFailed;
        writes += levelWrites;
        const double p50 = Percentile(latencies, 0.5) * 1000, p95 = Percentile(latencies, 0.95) * 1000;
        std::printf("%8d %14.1f %10.1f %10.1f %9d %8ld %14d\n", readers, throughput, p50, p95, failed,
                    levelWrites, writeFailed);
    }

    // Every write has its audit record, and no two share a sequence number.
    PGresult* r = PQexec(pg.Handle(), "SELECT COUNT(*), COUNT(DISTINCT SEQID) FROM SCHLOG");
    const long audits = std::atol(PQgetvalue(r, 0, 0)), distinct = std::atol(PQgetvalue(r, 0, 1));
    PQclear(r);
    std::printf("    ratio throughput 16 readers / 2 readers = %.2f (target at least 1.00)\n",
                throughputAt16 / std::max(throughputAt2, 1e-9));
    std::printf(
        "    failed refreshes %d (target 0); failed writes %d; writes %ld, audit records %ld (target equal),"
        " distinct SEQID %ld (target equal)\n",
        failedRefreshes, failedWrites, writes, audits, distinct);
    return 0;
}
