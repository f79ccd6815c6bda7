// Statistics rows on random data with many equal values and missing values, against the same
// figures computed here from the rows as they were written: the database reads only the first
// row of each extreme, and of equal extremes the earliest time is the one shown, whichever
// database answers.
#include "EngineDatabase.h"
#include "QueryClient.h"
#include "QueryItem.h"
#include "TableQuery.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>

namespace {

struct Sample {
    std::string time; // "YYYY-MM-DD HH:MM:SS"
    int value;        // -999 missing
};

class StatisticsTest : public EngineDatabaseTest {
protected:
    static constexpr int kStations = 4;
    static constexpr int kHours = 150;

    // Writes STAT_RANDOM: whole values from a small range (so extremes repeat), every fifth
    // value or so missing, rows inserted out of time order so the storage order is no help.
    void WriteRandomTable(unsigned seed) {
        std::vector<std::string> reply;
        ASSERT_TRUE(testdb::Run(
            "CREATE TABLE KES.STAT_RANDOM (STCD INTEGER, TM TIMESTAMP, V DOUBLE PRECISION)", reply));
        ASSERT_TRUE(testdb::Run(
            "INSERT INTO KES.SET_DB_TABLE_NAME VALUES ('STAT_RANDOM', 1, 'admin', 0, 2, 0, '')", reply));
        for (const char* col : {"('STAT_RANDOM','STCD','站码',8,4,8,0,0,0,'',1,'[PK(ID)]')",
                                "('STAT_RANDOM','TM','时间',19,11,19,0,0,0,'',2,'[PK(TIME)]')",
                                "('STAT_RANDOM','V','值',8,8,8,0,0,0,'',3,'[STAT(COLLIGATEB)]')"})
            ASSERT_TRUE(testdb::Run(std::string("INSERT INTO KES.SET_TABLE_COL_NAME VALUES ") + col, reply));
        std::mt19937 random(seed);
        std::string insert = "INSERT INTO KES.STAT_RANDOM VALUES ";
        for (int s = 1; s <= kStations; ++s) {
            std::vector<int> hours(kHours);
            for (int h = 0; h < kHours; ++h)
                hours[std::size_t(h)] = h;
            std::shuffle(hours.begin(), hours.end(), random);
            for (int h : hours) {
                char tm[32];
                std::snprintf(tm, sizeof tm, "2008-07-%02d %02d:00:00", 1 + h / 24, h % 24);
                int v = random() % 5 == 0 ? -999 : int(random() % 7) - 3;
                m_samples[s].push_back({tm, v});
                insert += (insert.back() == ' ' ? "(" : ",(") + std::to_string(s) + ",{ts '" + tm + "'}," +
                          std::to_string(v) + ")";
            }
        }
        ASSERT_TRUE(testdb::Run(insert, reply)) << (reply.empty() ? "" : reply[0]);
    }

    std::map<int, std::vector<Sample>> m_samples;
};

// The figures of one station's samples, as the statistics rows give them unformatted.
struct Expected {
    double average = 0, sum = 0;
    int max = -1000, min = 1000;
    std::string maxTime, minTime;
};

Expected Compute(const std::vector<Sample>& samples, const std::string& from, const std::string& to) {
    Expected e;
    int count = 0;
    for (const Sample& x : samples) {
        if (x.value == -999 || x.time < from || x.time > to) continue;
        ++count;
        e.sum += x.value;
        if (x.value > e.max || (x.value == e.max && x.time < e.maxTime)) e.max = x.value, e.maxTime = x.time;
        if (x.value < e.min || (x.value == e.min && x.time < e.minTime)) e.min = x.value, e.minTime = x.time;
    }
    e.average = std::floor(e.sum / count * 100) / 100;
    return e;
}

std::vector<std::string> Cells(const CStringArray& row) {
    std::vector<std::string> cells;
    for (const CString& c : row)
        cells.push_back(c.str());
    return cells;
}

} // namespace

TEST_P(StatisticsTest, RandomValuesWithTiesAndMissingGiveTheEarliestExtremeOnEveryBackend) {
    WriteRandomTable(20240611);
    const std::string from = "2008-07-01 05:00:00", to = "2008-07-06 02:00:00";
    CQueryClient client;
    CTableQuery query(client);
    query.Load("STAT_RANDOM", {});
    query.m_request.form = kFormGivenStations;
    for (int s = 1; s <= kStations; ++s)
        query.m_request.keys.Add(CString(std::to_string(s)));
    query.m_request.startTime = from.c_str();
    query.m_request.endTime = to.c_str();

    std::vector<CStatisticsRow> rows = query.ComputeStatistics();
    ASSERT_EQ(rows.size(), std::size_t(kStations * 6));
    for (int s = 1; s <= kStations; ++s) {
        SCOPED_TRACE("station " + std::to_string(s));
        Expected e = Compute(m_samples[s], from, to);
        const CStatisticsRow* block = &rows[std::size_t((s - 1) * 6)];
        auto cell = [&](int row) { return std::string(block[row].cells[2].str()); };
        EXPECT_NEAR(std::stod(cell(0)), e.average, 1e-9);
        EXPECT_EQ(std::stod(cell(1)), e.max);
        EXPECT_EQ(cell(2), CQueryItem::FormatTimeText(CString(e.maxTime), "时").str());
        EXPECT_EQ(std::stod(cell(3)), e.min);
        EXPECT_EQ(cell(4), CQueryItem::FormatTimeText(CString(e.minTime), "时").str());
        EXPECT_EQ(std::stod(cell(5)), e.sum);
    }
}

TEST_P(StatisticsTest, TheFirstRowAloneIsTheFirstRowOfTheWholeResult) {
    WriteRandomTable(7);
    CQueryClient client;
    CTableQuery query(client);
    query.Load("STAT_RANDOM", {});
    query.m_request.startTime = "2008-07-01 00:00:00";
    query.m_request.endTime = "2008-07-07 23:00:00";
    query.ComputeStatistics(); // finds the key columns
    for (int s = 1; s <= kStations; ++s) {
        for (const CString& sql : query.StatisticsStatements(CString(std::to_string(s)), 3)) {
            CQueryClient whole, first;
            ASSERT_EQ(whole.Query(sql), 1) << whole.m_strLastError.str();
            ASSERT_EQ(first.QueryFirstRows(sql, 1), 1) << first.m_strLastError.str();
            ASSERT_EQ(first.GetRowCount(), 1) << sql.str();
            EXPECT_EQ(Cells(first.m_rows[0]), Cells(whole.m_rows[0])) << sql.str();
        }
    }
    // A statement the limit cannot be added to is still cut to its first rows, and twice the
    // same text (now prepared) answers the same.
    for (int round = 0; round < 2; ++round) {
        CQueryClient first;
        ASSERT_EQ(first.QueryFirstRows("SELECT STCD, TM FROM KES.STAT_RANDOM ORDER BY TM, STCD LIMIT 10", 3),
                  1);
        ASSERT_EQ(first.GetRowCount(), 3);
        EXPECT_EQ(first.m_rows[2][0].str(), "3");
        EXPECT_EQ(first.m_rows[2][1].str(), "2008-07-01 00:00:00");
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, StatisticsTest,
                         ::testing::Values(testdb::Kind::Sqlite, testdb::Kind::Postgres), BackendName);
