// Two clients auditing changes at the same moment on the server database: every audit record
// gets its own SEQID.
#include "EngineDatabase.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

using ConcurrentAudit = EngineDatabaseTest;

TEST_P(ConcurrentAudit, TwoWritersNeverShareASequenceNumber) {
    const int each = 40;
    std::string writer = AUDIT_WRITER;
    std::string uri = m_db->uri();
    std::string one = "'" + writer + "' '" + uri + "' " + std::to_string(each);
    std::string cmd = one + " & a=$!; " + one + " & b=$!; wait $a; ra=$?; wait $b; rb=$?; exit $((ra | rb))";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
    auto rows = testdb::Rows("SELECT SEQID FROM KES.SCHLOG");
    ASSERT_EQ(rows.size(), std::size_t(2 * each)) << (rows.empty() ? "" : rows[0]);
    std::set<std::string> distinct(rows.begin(), rows.end());
    EXPECT_EQ(distinct.size(), rows.size());
}

INSTANTIATE_TEST_SUITE_P(Backends, ConcurrentAudit,
                         ::testing::Values(testdb::Kind::Sqlite, testdb::Kind::Postgres), BackendName);
