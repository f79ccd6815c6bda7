// Hostile texts through the query client's reading path, on SQLite and PostgreSQL: whatever
// the text, Query changes nothing in the database. Execute still writes and reports what it
// changed, and the audit writer's sequence (a read inside a write transaction) still works.
#include "QueryClient.h"
#include "FixtureDatabase.h"
#include "TestDatabase.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>
#include <utility>

using testdb::Kind;

namespace {

using Cells = std::vector<std::string>;

Cells CellsOf(const CStringArray& row) {
    Cells cells;
    for (const CString& c : row)
        cells.push_back(c.str());
    return cells;
}

using testdb::Snapshot;
using testdb::TakeSnapshot;

class ReadOnlyPath : public ::testing::TestWithParam<Kind> {
protected:
    void SetUp() override {
        TESTDB_OPEN_FIXTURE(m_db, GetParam());
        m_before = TakeSnapshot(GetParam());
        ASSERT_GT(m_before.at(Table("RTEV")).first, 0u);
    }
    bool Postgres() const { return GetParam() == Kind::Postgres; }
    // Table names as the catalogue of the backend writes them.
    std::string Table(const std::string& upper) const {
        if (!Postgres()) return upper;
        std::string lower = upper;
        for (char& c : lower)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        return lower;
    }
    // Sends text through Query, expecting a refusal; the data must be as before.
    void ExpectRefused(const std::string& text) {
        CQueryClient client;
        EXPECT_EQ(client.Query(text.c_str()), 0) << text;
        EXPECT_FALSE(client.m_strLastError.IsEmpty()) << text;
        EXPECT_EQ(TakeSnapshot(GetParam()), m_before) << text << " -> " << client.m_strLastError.str();
    }

    std::unique_ptr<testdb::TestDatabase> m_db;
    Snapshot m_before;
};

TEST_P(ReadOnlyPath, WritingStatementsAreRefusedByTheDatabase) {
    for (const char* text :
         {"DELETE FROM KES.RTEV", "UPDATE KES.RTEV SET FACTV=0", "DROP TABLE KES.RTEV",
          "INSERT INTO KES.RTEV VALUES (9, {ts '2009-01-01 00:00:00'}, 1, 0)",
          "CREATE TABLE KES.MADE (A INTEGER)", "CREATE TABLE KES.COPIED AS SELECT * FROM KES.RTEV",
          "WITH X AS (SELECT 1) DELETE FROM KES.RTEV", "DELETE FROM KES.RTEV RETURNING SENID"}) {
        CQueryClient client;
        EXPECT_EQ(client.Query(text), 0) << text;
        EXPECT_EQ(client.m_strLastError.Find("只读查询不能修改数据"), 0)
            << text << ": " << client.m_strLastError.str();
        EXPECT_EQ(TakeSnapshot(GetParam()), m_before) << text;
    }
}

TEST_P(ReadOnlyPath, TextsBuiltToSmuggleAWriteChangeNothing) {
    // A literal holding ";" is one SELECT that answers the literal.
    CQueryClient client;
    ASSERT_EQ(client.Query("SELECT 'a;DELETE FROM KES.RTEV;--'"), 1) << client.m_strLastError.str();
    ASSERT_EQ(client.GetRowCount(), 1);
    EXPECT_EQ(CellsOf(client.m_rows[0]), Cells({"a;DELETE FROM KES.RTEV;--"}));
    ASSERT_EQ(client.Query("SELECT COUNT(*) FROM KES.RTEV WHERE 'x'';DELETE FROM KES.RTEV;--'='y'"), 1)
        << client.m_strLastError.str();
    EXPECT_EQ(CellsOf(client.m_rows[0]), Cells({"0"}));
    EXPECT_EQ(TakeSnapshot(GetParam()), m_before);

    ExpectRefused("SELECT 1; DELETE FROM KES.RTEV");
    ExpectRefused("SELECT 1 FROM KES.RTEV WHERE 1=1; DELETE FROM KES.RTEV --");
    ExpectRefused("/* ' */ ; DELETE FROM KES.RTEV; /* ' */");
    ExpectRefused("/* x */ DELETE FROM KES.RTEV");
    ExpectRefused("BEGIN; DELETE FROM KES.RTEV; COMMIT");
    ExpectRefused("BEGIN");
    ExpectRefused("COMMIT");
    ExpectRefused("SAVEPOINT S1");
}

TEST_P(ReadOnlyPath, SqliteRefusesAttachVacuumAndPragmaWrites) {
    if (Postgres()) GTEST_SKIP() << "SQLite statements";
    std::string attached = m_db->dir() + "/attached.sqlite", copy = m_db->dir() + "/copy.sqlite";
    ExpectRefused("ATTACH DATABASE '" + attached + "' AS X");
    ExpectRefused("VACUUM INTO '" + copy + "'");
    ExpectRefused("VACUUM");
    ExpectRefused("PRAGMA KES.user_version = 7");
    ExpectRefused("PRAGMA KES.journal_mode = WAL");
    ExpectRefused("ANALYZE");
    CQueryClient client;
    ASSERT_EQ(client.Execute("CREATE INDEX KES.RTEV_SENID ON RTEV(SENID)"), 1) << client.m_strLastError.str();
    m_before = TakeSnapshot(GetParam());
    ExpectRefused("REINDEX");
    EXPECT_FALSE(std::filesystem::exists(attached));
    EXPECT_FALSE(std::filesystem::exists(copy));
    EXPECT_EQ(testdb::Rows("PRAGMA KES.user_version"), std::vector<std::string>({"1,"}));
}

TEST_P(ReadOnlyPath, PostgresRefusesCopySettingsAndWritingFunctions) {
    if (!Postgres()) GTEST_SKIP() << "PostgreSQL statements";
    std::string file = m_db->dir() + "/rows.txt";
    ExpectRefused("COPY KES.RTEV FROM '/dev/null'");
    ExpectRefused("COPY KES.RTEV TO '" + file + "'");
    ExpectRefused("SET default_transaction_read_only = off");
    ExpectRefused("SET SESSION CHARACTERISTICS AS TRANSACTION READ WRITE");
    ExpectRefused("RESET ALL");
    ExpectRefused("DO $$ BEGIN DELETE FROM kes.rtev; END $$");
    EXPECT_FALSE(std::filesystem::exists(file));

    CQueryClient client;
    ASSERT_EQ(client.Execute("CREATE SEQUENCE KES.NUMBERS"), 1) << client.m_strLastError.str();
    ExpectRefused("SELECT nextval('kes.numbers')");
    ASSERT_EQ(client.Query("SELECT is_called FROM kes.numbers"), 1);
    EXPECT_EQ(CellsOf(client.m_rows[0]), Cells({"0"}));

    ASSERT_EQ(client.Execute("CREATE FUNCTION KES.WIPE() RETURNS integer LANGUAGE sql AS "
                             "'DELETE FROM kes.rtev RETURNING 1'"),
              1)
        << client.m_strLastError.str();
    m_before = TakeSnapshot(GetParam());
    ExpectRefused("SELECT KES.WIPE()");
    // A query that turns the session's read-only default off changes no later query.
    ASSERT_EQ(client.Query("SELECT set_config('default_transaction_read_only', 'off', false)"), 1);
    ExpectRefused("DELETE FROM KES.RTEV");
    ExpectRefused("SELECT KES.WIPE()");
}

TEST_P(ReadOnlyPath, ExecuteWritesAndSaysHowManyRowsChanged) {
    CQueryClient client;
    EXPECT_EQ(client.m_nChangedRows, -1);
    ASSERT_EQ(client.Execute("UPDATE KES.RTEV SET FACTV=FACTV+1 WHERE SENID=5"), 1)
        << client.m_strLastError.str();
    long long updated = client.m_nChangedRows;
    EXPECT_GT(updated, 0);
    client.Query("SELECT COUNT(*) FROM KES.RTEV WHERE SENID=5");
    ASSERT_EQ(client.GetRowCount(), 1);
    EXPECT_EQ(client.m_rows[0][0].str(), std::to_string(updated));

    EXPECT_EQ(client.Execute("DELETE FROM KES.RTEV WHERE SENID=-1"), 1);
    EXPECT_EQ(client.m_nChangedRows, 0);
    EXPECT_EQ(client.Execute("INSERT INTO KES.RTDB VALUES (1, {ts '2009-01-01 00:00:00'}, 2)"), 1);
    EXPECT_EQ(client.m_nChangedRows, 1);
    // Several statements: the count is the last one's; a failure says nothing.
    EXPECT_EQ(client.Execute("DELETE FROM KES.RTDB; UPDATE KES.RTEV SET FACTV=1 WHERE SENID=-1"), 1);
    EXPECT_EQ(client.m_nChangedRows, 0);
    EXPECT_EQ(client.Execute("UPDATE KES.NO_SUCH SET A=1"), 0);
    EXPECT_EQ(client.m_nChangedRows, -1);
    EXPECT_EQ(client.Execute("CREATE TABLE KES.MADE (A INTEGER)"), 1);
    EXPECT_EQ(client.m_nChangedRows, -1);

    // Neither path turns a status into a row.
    client.ClearRows();
    EXPECT_EQ(client.GetRowCount(), 0);
    EXPECT_EQ(client.Query("SELECT A FROM KES.MADE"), 1);
    EXPECT_EQ(client.GetRowCount(), 0);
}

TEST_P(ReadOnlyPath, AuditSequenceReadsInsideTheWriteTransaction) {
    for (int round = 1; round <= 2; ++round) {
        CQueryClient client;
        ASSERT_EQ(client.Execute("BEGIN"), 1) << client.m_strLastError.str();
        ASSERT_EQ(client.Execute("LOCK TABLE KES.SCHLOG IN EXCLUSIVE MODE"), 1)
            << client.m_strLastError.str();
        ASSERT_EQ(client.Query("SELECT MAX(SEQID) FROM KES.SCHLOG "), 1) << client.m_strLastError.str();
        ASSERT_EQ(client.GetRowCount(), 1);
        EXPECT_EQ(client.m_rows[0][0].str(), round == 1 ? "" : "1");
        // A write smuggled through the read path inside the transaction is refused, and the
        // transaction can still write afterwards.
        EXPECT_EQ(client.Query("DELETE FROM KES.RTEV"), 0);
        if (Postgres()) {
            EXPECT_EQ(client.Query("SET LOCAL transaction_read_only = off"), 0);
        }
        CString insert;
        insert.Format("INSERT INTO KES.SCHLOG(SEQID,LOGINFO) VALUES(%d,'r')", round);
        ASSERT_EQ(client.Execute(insert), 1) << client.m_strLastError.str();
        EXPECT_EQ(client.m_nChangedRows, 1);
        ASSERT_EQ(client.Execute("COMMIT"), 1) << client.m_strLastError.str();
    }
    EXPECT_EQ(testdb::Rows("SELECT SEQID FROM KES.SCHLOG ORDER BY SEQID"),
              std::vector<std::string>({"1,", "2,"}));
    EXPECT_EQ(TakeSnapshot(GetParam()).at(Table("RTEV")), m_before.at(Table("RTEV")));
    // Outside the transaction writes commit on their own and reads are read-only again.
    CQueryClient client;
    EXPECT_EQ(client.Execute("DELETE FROM KES.SCHLOG WHERE SEQID=2"), 1);
    EXPECT_EQ(client.Query("DELETE FROM KES.SCHLOG"), 0);
    EXPECT_EQ(testdb::Rows("SELECT SEQID FROM KES.SCHLOG"), std::vector<std::string>({"1,"}));
}

TEST_P(ReadOnlyPath, AReadAfterAFailedReadWorks) {
    CQueryClient client;
    EXPECT_EQ(client.Query("SELECT * FROM KES.NO_SUCH"), 0);
    EXPECT_EQ(client.Query("SELECT 1/0 FROM KES.NO_SUCH"), 0);
    EXPECT_EQ(client.Query("DELETE FROM KES.RTEV"), 0);
    ASSERT_EQ(client.Query("SELECT COUNT(*) FROM KES.RTEV"), 1) << client.m_strLastError.str();
    EXPECT_EQ(client.m_rows[0][0].str(), std::to_string(m_before.at(Table("RTEV")).first));
    // Inside a write transaction too.
    ASSERT_EQ(client.Execute("BEGIN"), 1);
    EXPECT_EQ(client.Query("SELECT * FROM KES.NO_SUCH"), 0);
    ASSERT_EQ(client.Query("SELECT COUNT(*) FROM KES.RTEV"), 1) << client.m_strLastError.str();
    EXPECT_EQ(client.Execute("DELETE FROM KES.RTDB"), 1) << client.m_strLastError.str();
    EXPECT_EQ(client.Execute("ROLLBACK"), 1);
}

TEST_P(ReadOnlyPath, StoredTextsComeBackUnchanged) {
    const std::vector<std::string> texts = {"阴,有雨", "a(1,2)b",    ")(", "it's", "x;y",  "back\\slash\\",
                                            "\\,\\(",  "，；（）。", "",   ",",    "((,))"};
    CQueryClient client;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        std::string quoted;
        for (char c : texts[i])
            quoted += c == '\'' ? std::string("''") : std::string(1, c);
        ASSERT_EQ(client.Execute(("INSERT INTO KES.SCHLOG(SEQID,LOGINFO,EDITMEN) VALUES(" +
                                  std::to_string(i) + ",'" + quoted + "','next')")
                                     .c_str()),
                  1)
            << client.m_strLastError.str();
    }
    ASSERT_EQ(client.Query("SELECT SEQID,LOGINFO,EDITMEN FROM KES.SCHLOG ORDER BY SEQID"), 1)
        << client.m_strLastError.str();
    ASSERT_EQ(client.GetRowCount(), int(texts.size()));
    for (std::size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(CellsOf(client.m_rows[int(i)]), Cells({std::to_string(i), texts[i], "next"}));
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Backends, ReadOnlyPath, ::testing::Values(Kind::Sqlite, Kind::Postgres),
                         [](const auto& info) {
                             return info.param == Kind::Sqlite ? "SQLite" : "PostgreSQL";
                         });
