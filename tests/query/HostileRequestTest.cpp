// Hostile texts in every part of a refresh request that a user or a configuration can type:
// the filter, the table name, the stations and the times. On SQLite and PostgreSQL, none of
// them changes anything in the database, and the statements the engine would send keep their
// shape.
#include "EngineDatabase.h"
#include "QueryClient.h"
#include "TableQuery.h"

#include <gtest/gtest.h>

namespace {

class HostileRequest : public EngineDatabaseTest {
protected:
    void SetUp() override {
        EngineDatabaseTest::SetUp();
        if (IsSkipped()) return;
        // Computed columns write on every refresh: the reference is the database after one.
        Refresh("MONTH_FLOW", {"1"}, "2008-01-01 00:00:00", "2008-12-31 00:00:00");
        m_before = testdb::TakeSnapshot(GetParam());
    }

    CTableQuery& Refresh(const char* table, CStringArray keys, const char* from, const char* to,
                         const char* filter = "") {
        m_query = std::make_unique<CTableQuery>(m_client);
        m_query->Load(table, {});
        m_query->m_request.form = kFormGivenStations;
        m_query->m_request.keys = std::move(keys);
        m_query->m_request.startTime = from;
        m_query->m_request.endTime = to;
        m_query->m_request.filter = filter;
        CGridIterator grid;
        m_query->Refresh(grid, 1);
        return *m_query;
    }
    void ExpectUnchanged(const std::string& what) {
        EXPECT_EQ(testdb::TakeSnapshot(GetParam()), m_before) << what;
    }

    CQueryClient m_client;
    std::unique_ptr<CTableQuery> m_query;
    testdb::Snapshot m_before;
};

const char* const kWrites[] = {
    "1=1; DELETE FROM KES.DAY_LEVEL --",
    "1=1; DELETE FROM KES.DAY_LEVEL; SELECT 1",
    "Z IN (SELECT 1); DROP TABLE KES.SCHLOG",
    "NOTE='x'';DELETE FROM KES.DAY_LEVEL;--'",
    "1=1 /* ' */ ; UPDATE KES.DAY_LEVEL SET Z=0; /* ' */",
};

TEST_P(HostileRequest, FiltersNeverWrite) {
    for (const char* filter : kWrites) {
        Refresh("DAY_LEVEL", {"7"}, "2008-07-01 00:00:00", "2008-07-02 00:00:00", filter);
        ExpectUnchanged(filter);
    }
}

TEST_P(HostileRequest, TableNamesNeverWrite) {
    for (const char* table : {"X; DELETE FROM KES.DAY_LEVEL; ", "DAY_LEVEL; DELETE FROM KES.DAY_LEVEL",
                              "DAY_LEVEL' OR '1'='1", "MONTH_FLOW; UPDATE KES.MONTH_FLOW SET Q=0"}) {
        CTableQuery& q = Refresh(table, {"7"}, "2008-07-01 00:00:00", "2008-07-02 00:00:00");
        EXPECT_EQ(q.ResultRowCount(), 0) << table;
        ExpectUnchanged(table);
    }
}

TEST_P(HostileRequest, StationsAndTimesNeverWrite) {
    for (const char* station : {"7); DELETE FROM KES.DAY_LEVEL; --", "7' OR '1'='1",
                                "7'; DELETE FROM KES.DAY_LEVEL; --", "1,2) OR (1=1"}) {
        Refresh("DAY_LEVEL", {station}, "2008-07-01 00:00:00", "2008-07-02 00:00:00");
        ExpectUnchanged(station);
        // The computed columns of MONTH_FLOW write: a station cannot widen or redirect them.
        Refresh("MONTH_FLOW", {station}, "2008-01-01 00:00:00", "2008-12-31 00:00:00");
        ExpectUnchanged(station);
    }
    for (const char* time : {"2008-07-01'}; DELETE FROM KES.DAY_LEVEL; --", "2008-01-01' OR '1'='1",
                             "2008-01-01'}) OR 1=1; UPDATE KES.MONTH_FLOW SET Q=0; --"}) {
        Refresh("DAY_LEVEL", {"7"}, time, "2008-07-02 00:00:00");
        ExpectUnchanged(time);
        Refresh("MONTH_FLOW", {"1"}, time, "2008-12-31 00:00:00");
        ExpectUnchanged(time);
    }
}

TEST_P(HostileRequest, StatementsKeepTheirShape) {
    // Whatever the station, the request is one statement per batch, the station a literal.
    CTableQuery q(m_client);
    q.Load("DAY_LEVEL", {});
    q.m_request.form = kFormGivenStations;
    q.m_request.keys = {"7'; DELETE FROM KES.DAY_LEVEL; --"};
    q.m_request.startTime = "2008-07-01 00:00:00";
    q.m_request.endTime = "2008-07-02 00:00:00";
    for (const CString& sql : CQueryClient::SplitForQuery(q.ComposeStatements()))
        EXPECT_EQ(CString(sql).MakeUpper().Find("DELETE FROM"), -1) << sql.str();
    for (const CString& sql : q.StatisticsStatements(q.m_request.keys[0], 3))
        EXPECT_EQ(CQueryClient::SplitForQuery(sql).size(), 1u) << sql.str();
}

INSTANTIATE_TEST_SUITE_P(Backends, HostileRequest,
                         ::testing::Values(testdb::Kind::Sqlite, testdb::Kind::Postgres), BackendName);

} // namespace
