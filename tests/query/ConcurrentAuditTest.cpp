// Six operators editing at the same moment, each in their own process: every write succeeds,
// no write reverts another's column, and every audit record has its own SEQID.
#include "EngineDatabase.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

using ConcurrentEdits = EngineDatabaseTest;

TEST_P(ConcurrentEdits, SixWritersLoseNothingAndNeverShareASequenceNumber) {
    const int writers = 6, each = 150;
    std::vector<std::string> reply;
    for (int s = 100; s < 100 + writers / 2; ++s)
        ASSERT_TRUE(testdb::Run("INSERT INTO KES.DAY_LEVEL VALUES (" + std::to_string(s) +
                                    ", {ts '2008-07-01 08:00:00'}, 1, 'start', 0)",
                                reply));
    std::string cmd;
    for (int k = 0; k < writers; ++k)
        cmd += "'" + std::string(EDIT_WRITER) + "' '" + m_db->uri() + "' " + std::to_string(each) + " " +
               std::to_string(k) + " & p" + std::to_string(k) + "=$!; ";
    cmd += "rc=0; for p in $p0 $p1 $p2 $p3 $p4 $p5; do wait $p || rc=1; done; exit $rc";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;

    auto seq = testdb::Rows("SELECT SEQID FROM KES.SCHLOG");
    ASSERT_EQ(seq.size(), std::size_t(writers * each)) << (seq.empty() ? "" : seq[0]);
    EXPECT_EQ(std::set<std::string>(seq.begin(), seq.end()).size(), seq.size());
    // Each row holds the last value of both of its writers.
    for (int s = 0; s < writers / 2; ++s) {
        auto row = testdb::Rows("SELECT Z,NOTE,PRO FROM KES.DAY_LEVEL WHERE STCD=" + std::to_string(100 + s));
        ASSERT_EQ(row.size(), 1u);
        EXPECT_EQ(row[0], std::to_string(each - 1) + ".5,w" + std::to_string(2 * s + 1) + "-" +
                              std::to_string(each - 1) + ",3,");
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, ConcurrentEdits,
                         ::testing::Values(testdb::Kind::Sqlite, testdb::Kind::Postgres), BackendName);
