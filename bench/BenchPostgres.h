#pragma once
// A scratch database of its own on the PostgreSQL server named by VEXOR_BENCH_PG (libpq
// key=value words; scripts/bench starts a private server and sets it), filled through libpq
// directly: the settings tables and the hourly river table of the SQLite benchmarks.
#include "BenchTables.h"

#include <libpq-fe.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

namespace bench {

class ScratchPostgres {
public:
    // Null conninfo when VEXOR_BENCH_PG is not set: Available() says so and the caller skips its part.
    ScratchPostgres() {
        const char* admin = std::getenv("VEXOR_BENCH_PG");
        if (!admin || !*admin) return;
        m_admin = admin;
        m_name = "vexor_bench_" + std::to_string(::getpid());
        AdminExec("DROP DATABASE IF EXISTS " + m_name);
        AdminExec("CREATE DATABASE " + m_name);
        m_conninfo = m_admin + " dbname=" + m_name;
        m_conn.reset(PQconnectdb(m_conninfo.c_str()));
        if (PQstatus(Handle()) != CONNECTION_OK) Die(PQerrorMessage(Handle()));
        Exec("SET client_min_messages = warning; CREATE SCHEMA IF NOT EXISTS kes; SET search_path = kes");
    }
    ~ScratchPostgres() {
        if (m_conninfo.empty()) return;
        m_conn.reset();
        AdminExec("DROP DATABASE IF EXISTS " + m_name + " WITH (FORCE)");
    }
    ScratchPostgres(const ScratchPostgres&) = delete;
    ScratchPostgres& operator=(const ScratchPostgres&) = delete;

    // False, having said why, when VEXOR_BENCH_PG is not set.
    bool Available() const {
        if (m_conninfo.empty())
            std::printf("VEXOR_BENCH_PG is not set: scripts/bench starts a PostgreSQL server and sets it\n");
        return !m_conninfo.empty();
    }
    const std::string& Conninfo() const { return m_conninfo; }
    PGconn* Handle() const { return m_conn.get(); }

    void Exec(const std::string& sql) {
        PGresult* r = PQexec(Handle(), sql.c_str());
        bool ok = PQresultStatus(r) == PGRES_COMMAND_OK || PQresultStatus(r) == PGRES_TUPLES_OK;
        PQclear(r);
        if (!ok) Die(sql + ": " + PQerrorMessage(Handle()));
    }

    // The settings tables and RIVER_HOUR (STCD, TM, Z, Q, WPTN, NOTE) configured in them, as
    // FillHourlyRiverTable writes them on SQLite, the rows sent with COPY.
    void FillHourlyRiverTable() {
        Exec(std::string(kSettingsTablesSql) + kRiverHourSql);
        CopyHourlyRows("RIVER_HOUR");
        Exec("CREATE INDEX RIVER_HOUR_KEY ON RIVER_HOUR (STCD, TM); ANALYZE");
    }

    // kHourlyStations x kHourlyHours rows of HourlyRowAt, as WriteHourlyRows writes them.
    void CopyHourlyRows(const std::string& table) {
        PGresult* r = PQexec(Handle(), ("COPY " + table + " FROM STDIN").c_str());
        if (PQresultStatus(r) != PGRES_COPY_IN) Die(PQerrorMessage(Handle()));
        PQclear(r);
        std::string chunk;
        char line[160];
        for (int s = 0; s < kHourlyStations; ++s) {
            for (int h = 0; h < kHourlyHours; ++h) {
                const HourlyRow row = HourlyRowAt(s, h);
                std::snprintf(line, sizeof line, "%d\t%s\t%.15g\t%.15g\t%d\t\n", row.station,
                              row.time.c_str(), row.level, row.flow, row.trend);
                chunk += line;
            }
            if (PQputCopyData(Handle(), chunk.data(), int(chunk.size())) != 1) Die(PQerrorMessage(Handle()));
            chunk.clear();
        }
        if (PQputCopyEnd(Handle(), nullptr) != 1) Die(PQerrorMessage(Handle()));
        r = PQgetResult(Handle());
        if (PQresultStatus(r) != PGRES_COMMAND_OK) Die(PQerrorMessage(Handle()));
        PQclear(r);
        while ((r = PQgetResult(Handle())))
            PQclear(r);
    }

private:
    [[noreturn]] static void Die(const std::string& why) {
        std::fprintf(stderr, "%s\n", why.c_str());
        std::exit(1);
    }
    void AdminExec(const std::string& sql) {
        PGconn* admin = PQconnectdb((m_admin + " dbname=postgres").c_str());
        if (PQstatus(admin) != CONNECTION_OK) Die(PQerrorMessage(admin));
        PQsetNoticeProcessor(
            admin, [](void*, const char*) {}, nullptr); // "does not exist, skipping"
        PGresult* r = PQexec(admin, sql.c_str());
        bool ok = PQresultStatus(r) == PGRES_COMMAND_OK;
        PQclear(r);
        std::string error = PQerrorMessage(admin);
        PQfinish(admin);
        if (!ok) Die(sql + ": " + error);
    }

    std::string m_admin, m_name, m_conninfo;
    struct Finish {
        void operator()(PGconn* c) const { PQfinish(c); }
    };
    std::unique_ptr<PGconn, Finish> m_conn;
};

} // namespace bench
