// Data sources and statements that cannot be served: each call fails with a readable text in
// the array's first object, nothing crashes, and the service recovers when it can.
#include "DataService.h"
#include "DataSource.h"
#include "TestDatabase.h"

#include <libpq-fe.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <gtest/gtest.h>

using testdb::Rows;
using Reply = std::vector<std::string>;

namespace {

// The error text of a failing statement; fails the test when the statement succeeds.
std::string ErrorOf(const std::string& sql) {
    std::vector<std::string> reply;
    EXPECT_FALSE(testdb::Run(sql, reply)) << sql;
    EXPECT_EQ(reply.size(), 1u);
    return reply.empty() ? std::string() : reply[0];
}

std::unique_ptr<testdb::TestDatabase> Sqlite() {
    std::string reason;
    auto db = testdb::TestDatabase::Create(testdb::Kind::Sqlite, reason);
    std::string failure;
    if (db && !db->LoadFixture(failure)) ADD_FAILURE() << failure;
    return db;
}

} // namespace

TEST(FailingSource, MissingFileIsNotCreatedAndEveryCallFails) {
    auto db = Sqlite();
    std::string missing = db->dir() + "/nowhere/none.sqlite";
    kes::SetDataSource("sqlite:" + missing);
    std::string error = ErrorOf("SELECT 1");
    EXPECT_NE(error.find("cannot open the database file " + missing), std::string::npos) << error;
    EXPECT_EQ(ErrorOf("SELECT 2"), error);
    EXPECT_NE(access(missing.c_str(), F_OK), 0);

    kes::SetDataSource("mysql://somewhere");
    EXPECT_NE(ErrorOf("SELECT 1").find("unknown data source"), std::string::npos);
}

TEST(FailingSource, FileThatIsNoDatabaseIsRefused) {
    auto db = Sqlite();
    std::string junk = db->dir() + "/junk.sqlite";
    std::ofstream(junk) << std::string(4096, 'x');
    kes::SetDataSource("sqlite:" + junk);
    EXPECT_NE(ErrorOf("SELECT 1").find("not a database"), std::string::npos);
}

TEST(FailingSource, ReadOnlyDatabaseAnswersReadsAndRefusesWrites) {
    auto db = Sqlite();
    kes::SetDataSource("sqlite:" + db->sqlitePath() + "?mode=ro");
    EXPECT_EQ(Rows("SELECT COUNT(*) FROM KES.RTEV"), Reply({"4,"}));
    EXPECT_NE(ErrorOf("DELETE FROM KES.RTEV").find("readonly"), std::string::npos);
    if (geteuid() != 0) { // the super-user writes read-only files anyway
        chmod(db->sqlitePath().c_str(), 0444);
        kes::SetDataSource("sqlite:" + db->sqlitePath());
        EXPECT_NE(ErrorOf("DELETE FROM KES.RTEV").find("readonly"), std::string::npos);
    }
    EXPECT_EQ(Rows("SELECT COUNT(*) FROM KES.RTEV"), Reply({"4,"}));
}

TEST(FailingSource, DatabaseLockedByAnotherWriterFailsTheWriteOnly) {
    auto db = Sqlite();
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(db->sqlitePath().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_NE(ErrorOf("INSERT INTO KES.RTDB VALUES (1, {ts '2008-01-01 00:00:00'}, 1)").find("locked"),
              std::string::npos);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(Rows("INSERT INTO KES.RTDB VALUES (1, {ts '2008-01-01 00:00:00'}, 1)"), Reply({"INSERT 0 1"}));
}

TEST(FailingStatement, HostileStatementsFailAndLeaveTheDataAlone) {
    auto db = Sqlite();
    EXPECT_EQ(ErrorOf("SELECT * FROM KES.RTEV WHERE SENID='5"), "unterminated string literal");
    EXPECT_EQ(ErrorOf("SELECT 1; DELETE FROM KES.RTEV"), "only one statement may be sent at a time");
    EXPECT_NE(ErrorOf("SELECT * FROM KES.NO_SUCH_TABLE").find("no such table"), std::string::npos);
    EXPECT_EQ(Rows("SELECT COUNT(*) FROM KES.RTEV"), Reply({"4,"}));
    // A table made without the schema would live in memory only and lose its rows.
    EXPECT_NE(ErrorOf("CREATE TABLE LOST (A INTEGER)").find("schema KES"), std::string::npos);
    // A statement without result columns answers its status, worded as PostgreSQL's.
    EXPECT_EQ(Rows("CREATE TABLE KES.KEPT (A INTEGER)"), Reply({"CREATE"}));
    EXPECT_EQ(Rows("INSERT INTO KEPT VALUES (1)"), Reply({"INSERT 0 1"}));
    EXPECT_EQ(Rows("WITH S AS (SELECT 1) UPDATE KEPT SET A=A+1"), Reply({"UPDATE 1"}));
    EXPECT_EQ(Rows("DELETE FROM KEPT WHERE A=0"), Reply({"DELETE 0"}));
    kes::CloseDataSource();
    EXPECT_EQ(Rows("SELECT A FROM KES.KEPT"), Reply({"2,"}));
    // A statement may end in ";" (the writing path keeps it) and may be empty.
    EXPECT_EQ(Rows("SELECT COUNT(*) FROM KES.RTEV;"), Reply({"4,"}));
    EXPECT_EQ(Rows(""), Reply{});
}

TEST(FailingStatement, RequestArrayMustHoldOneStatement) {
    CParam param;
    CObArray empty;
    EXPECT_LT(InSqlStr(&param, &empty), 0);
    ASSERT_EQ(empty.GetSize(), 1);
    EXPECT_LT(InSqlStr(&param, nullptr), 0);
    CObArray two;
    two.Add(std::make_unique<CSqlStr>(CString("SELECT 1")));
    two.Add(std::make_unique<CSqlStr>(CString("SELECT 2")));
    EXPECT_LT(InSqlStr(&param, &two), 0);
    EXPECT_EQ(two.GetSize(), 1);
}

TEST(FailingServer, ServerThatDropsTheConnectionFailsOneStatementThenRecovers) {
    std::unique_ptr<testdb::TestDatabase> db;
    TESTDB_OPEN(db, testdb::Kind::Postgres);
    Reply pid = Rows("SELECT pg_backend_pid()");
    ASSERT_EQ(pid.size(), 1u);
    ASSERT_EQ(pid[0].find("ERROR"), std::string::npos) << pid[0];
    // The server ends the service's session from outside, as a restart or an admin would.
    PGconn* admin = PQconnectdb(std::getenv("VEXOR_TEST_PG"));
    std::string kill = "SELECT pg_terminate_backend(" + pid[0].substr(0, pid[0].size() - 1) + ")";
    PQclear(PQexec(admin, kill.c_str()));
    PQfinish(admin);
    std::string error = ErrorOf("SELECT 1");
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(Rows("SELECT 2"), Reply({"2,"}));
}

TEST(FailingServer, UnreachableServerFailsWithoutHanging) {
    std::string dir = testing::TempDir();
    kes::SetDataSource("host=" + dir + "/no-server-here port=1 dbname=kes");
    std::string error = ErrorOf("SELECT 1");
    EXPECT_NE(error.find("cannot connect to the database server"), std::string::npos) << error;
    kes::SetDataSource("");
}
