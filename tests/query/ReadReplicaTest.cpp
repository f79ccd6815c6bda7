// A data source naming a written and a read database ("WRITE|READ"), here two connection
// strings to one server told apart by a session setting: queries go to the reading one, and
// every writing statement, the audit included, to the written one, also from several
// operators editing at once.
#include "DataSource.h"
#include "EngineDatabase.h"
#include "QueryClient.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

using ReadReplica = EngineDatabaseTest;

namespace {

// Every statement that changes DAY_LEVEL or SCHLOG notes the session setting vexor.side of the
// connection that sent it.
void NoteTheWritingSide() {
    std::vector<std::string> reply;
    for (const char* sql :
         {"CREATE TABLE KES.WRITE_SIDE (TNAME VARCHAR(40), SIDE VARCHAR(20))",
          "CREATE FUNCTION kes.vx_note_side() RETURNS trigger LANGUAGE plpgsql AS $f$ BEGIN INSERT INTO "
          "kes.write_side VALUES (TG_TABLE_NAME, current_setting('vexor.side', true)); RETURN NULL; END $f$",
          "CREATE TRIGGER vx_side AFTER INSERT OR UPDATE OR DELETE ON kes.day_level FOR EACH STATEMENT "
          "EXECUTE "
          "FUNCTION kes.vx_note_side()",
          "CREATE TRIGGER vx_side AFTER INSERT OR UPDATE OR DELETE ON kes.schlog FOR EACH STATEMENT EXECUTE "
          "FUNCTION kes.vx_note_side()"})
        ASSERT_TRUE(testdb::Run(sql, reply)) << sql << ": " << (reply.empty() ? "" : reply[0]);
}

std::string Side(const std::string& uri, const char* side) {
    return uri + " options='-c vexor.side=" + side + "'";
}

} // namespace

TEST_P(ReadReplica, QueriesReadTheReplicaAndEveryWriteGoesToThePrimary) {
    std::vector<std::string> reply;
    for (int s = 100; s < 102; ++s)
        ASSERT_TRUE(testdb::Run("INSERT INTO KES.DAY_LEVEL VALUES (" + std::to_string(s) +
                                    ", {ts '2008-07-01 08:00:00'}, 1, 'start', 0)",
                                reply));
    NoteTheWritingSide();
    const std::string source = Side(m_db->uri(), "write") + " | " + Side(m_db->uri(), "read");
    kes::SetDataSource(source);

    CQueryClient client;
    const CString side = "SELECT current_setting('vexor.side', true)";
    ASSERT_EQ(client.Query(side), 1) << client.m_strLastError.str();
    ASSERT_EQ(client.GetRowCount(), 1);
    EXPECT_EQ(client.m_rows[0][0].str(), "read");
    // Inside a transaction a read belongs to it, so it goes to the written database.
    ASSERT_EQ(client.Execute("BEGIN"), 1);
    ASSERT_EQ(client.Query(side), 1);
    EXPECT_EQ(client.m_rows[0][0].str(), "write");
    ASSERT_EQ(client.Execute("UPDATE KES.DAY_LEVEL SET NOTE='x' WHERE STCD=7"), 1);
    ASSERT_EQ(client.Execute("COMMIT"), 1);
    ASSERT_EQ(client.Query(side), 1);
    EXPECT_EQ(client.m_rows[0][0].str(), "read");

    // Four operators edit with the audit through the same pair of connection strings.
    const int writers = 4, each = 30;
    std::string cmd;
    for (int k = 0; k < writers; ++k)
        cmd += "'" + std::string(EDIT_WRITER) + "' \"" + source + "\" " + std::to_string(each) + " " +
               std::to_string(k) + " & p" + std::to_string(k) + "=$!; ";
    cmd += "rc=0; for p in $p0 $p1 $p2 $p3; do wait $p || rc=1; done; exit $rc";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;

    kes::SetDataSource(m_db->uri());
    auto seq = testdb::Rows("SELECT SEQID FROM KES.SCHLOG");
    ASSERT_EQ(seq.size(), std::size_t(writers * each)) << (seq.empty() ? "" : seq[0]);
    EXPECT_EQ(std::set<std::string>(seq.begin(), seq.end()).size(), seq.size());
    auto sides = testdb::Rows("SELECT SIDE, COUNT(*) FROM KES.WRITE_SIDE GROUP BY SIDE ORDER BY SIDE");
    ASSERT_EQ(sides.size(), 1u) << sides[0] << (sides.size() > 1 ? sides[1] : "");
    EXPECT_EQ(sides[0].substr(0, 6), "write,");
    EXPECT_GE(std::atoi(sides[0].c_str() + 6), 1 + 2 * writers * each); // the rows and their audit
}

INSTANTIATE_TEST_SUITE_P(Backends, ReadReplica, ::testing::Values(testdb::Kind::Postgres), BackendName);
