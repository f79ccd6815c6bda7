#pragma once
// A scratch database of its own on the PostgreSQL server named by VEXOR_BENCH_PG (libpq
// key=value words; scripts/bench starts a private server and sets it), filled through libpq
// directly: the settings tables and the hourly river table of the SQLite benchmarks.
#include "BenchTables.h"

#include <libpq-fe.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <unistd.h>

namespace bench {

class ScratchPostgres {
public:
    // Null conninfo when VEXOR_BENCH_PG is not set: the caller says so and skips its part.
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

    bool Available() const { return !m_conninfo.empty(); }
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
        Exec("CREATE TABLE SET_DB_TABLE_NAME (TNAME VARCHAR(40), STA INTEGER, USERNAME VARCHAR(40),"
             " OBTYPE INTEGER, SELECTMODE INTEGER, DISMODEID INTEGER, SHOW VARCHAR(400));"
             "CREATE TABLE SET_TABLE_COL_NAME (TNAME VARCHAR(40), COLNAME VARCHAR(40), COLNAMECH VARCHAR(40),"
             " COLNAMELEN INTEGER, DATATYPEID INTEGER, DATASIZE INTEGER, DATADECIMAL INTEGER, NULLTYPEID"
             " INTEGER, PROJMODEID INTEGER, DATADESC VARCHAR(80), POINT INTEGER, RESTRICTDATA VARCHAR(400));"
             "CREATE TABLE SET_DATAPRO_COLOR (DATAPROID INTEGER, COLOR INTEGER, DISSTA INTEGER);"
             "CREATE TABLE RIVER_HOUR (STCD INTEGER, TM TIMESTAMP, Z DOUBLE PRECISION, Q DOUBLE PRECISION,"
             " WPTN INTEGER, NOTE VARCHAR(40));"
             "INSERT INTO SET_DB_TABLE_NAME VALUES ('RIVER_HOUR',1,'',0,2,0,'');"
             "INSERT INTO SET_TABLE_COL_NAME VALUES"
             " ('RIVER_HOUR','STCD','站码',8,4,8,0,0,0,'',1,'[PK(ID)]'),"
             " ('RIVER_HOUR','TM','时间',19,11,19,0,0,0,'',2,'[PK(TIME)][FIELDTIME(时)]'),"
             " ('RIVER_HOUR','Z','水位',8,8,8,2,0,0,'',3,'[DEC(2)]'),"
             " ('RIVER_HOUR','Q','流量',8,8,8,2,0,0,'',4,'[AVAIL(3)]'),"
             " ('RIVER_HOUR','WPTN','水势',4,4,4,0,0,0,'',5,''),"
             " ('RIVER_HOUR','NOTE','说明',40,12,40,0,0,0,'',6,'')");
        CopyHourlyRows("RIVER_HOUR");
        Exec("CREATE INDEX RIVER_HOUR_KEY ON RIVER_HOUR (STCD, TM); ANALYZE");
    }

    // kHourlyStations x kHourlyHours rows from 2024-01-01, the values WriteHourlyRows writes.
    void CopyHourlyRows(const std::string& table) {
        PGresult* r = PQexec(Handle(), ("COPY " + table + " FROM STDIN").c_str());
        if (PQresultStatus(r) != PGRES_COPY_IN) Die(PQerrorMessage(Handle()));
        PQclear(r);
        std::string chunk;
        char line[160], tm[32];
        for (int s = 0; s < kHourlyStations; ++s) {
            for (int h = 0; h < kHourlyHours; ++h) {
                std::time_t at = 1704067200 + std::time_t(h) * 3600;
                std::tm parts{};
                gmtime_r(&at, &parts);
                std::strftime(tm, sizeof tm, "%Y-%m-%d %H:%M:%S", &parts);
                std::snprintf(line, sizeof line, "%d\t%s\t%.15g\t%.15g\t%d\t\n", 60100000 + s * 100, tm,
                              40 + 5 * std::sin(h / 700.0) + s * 0.1, 1200 + 800 * std::sin(h / 500.0),
                              4 + h % 3);
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
