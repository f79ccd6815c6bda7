// The analysis context without a database: the period axis of each time type, the folding of
// values by data type with the times they carry, and the grid it lays out.
#include "AnalysisContext.h"
#include "LackTime.h"
#include "QueryItem.h"
#include "YearComparison.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace {

using Texts = std::vector<std::string>;

Texts Strings(const CStringArray& a) {
    Texts out;
    for (const CString& s : a)
        out.push_back(s.str());
    return out;
}

// Columns 1.. with the given directive texts; column 2 is the time column.
CColumnList Columns(std::initializer_list<const char*> directives) {
    CColumnList columns;
    columns.Add(std::make_unique<CQueryColumn>());
    int n = 0;
    for (const char* d : directives) {
        auto c = std::make_unique<CQueryColumn>();
        c->colname.Format("C%d", ++n);
        c->colnamech.Format("列%d", n);
        c->restrictdata = d;
        c->Point = n;
        columns.Add(std::move(c));
    }
    return columns;
}

class AnalysisContextTest : public ::testing::Test {
protected:
    // Point, time, V, AVGV, MAXV, MAXV_R, MINV, MINV_R.
    void SetUp() override {
        m_columns = Columns({"[PK(ID)][TOTAL(GY)]", "[PK(TIME)][TOTAL(TIME)]", "[TOTAL(V)]", "[TOTAL(AVGV)]",
                             "[TOTAL(MAXV)]", "[TOTAL(MAXV_R)]", "[TOTAL(MINV)]", "[TOTAL(MINV_R)]"});
    }
    void Row(std::initializer_list<const char*> cells) {
        auto row = std::make_unique<CStringArray>();
        for (const char* c : cells)
            row->Add(c);
        m_rows.AddRow(*row);
    }
    CAnalysisContext& Run(int type, const char* from, const char* to, int interval = 1) {
        m_context.Reset();
        m_context.SetColumns(&m_columns);
        m_context.SetRows(&m_rows);
        m_context.SetRange(CQueryItem::ParseTime(from), CQueryItem::ParseTime(to));
        m_context.SetTimeType(type);
        m_context.SetInterval(interval);
        m_context.CollectRoles();
        m_context.Compute();
        return m_context;
    }
    std::string Cell(std::size_t record, int column) const {
        return m_context.CellText(m_context.Records().at(record), column).str();
    }

    CColumnList m_columns;
    CRowStore m_rows;
    CAnalysisContext m_context;
};

} // namespace

TEST_F(AnalysisContextTest, RolesAreCollectedFromTheColumns) {
    m_columns = Columns({"[TOTAL(GY)][TOTAL(DTYPE)]", "[TOTAL(TIME)][TOTAL(TABLE,3,4)]", "[TOTAL(DCHAR,4)]",
                         "[TOTAL(V)]", "[TOTAL(V_R)]"});
    m_columns[5].Point = -1; // a hidden column is never a V column, but still V_R
    m_columns[4].Point = -1;
    Run(3, "2025-01-01 00:00:00", "2025-01-01 01:00:00");
    EXPECT_TRUE(m_context.HasRoles());
    EXPECT_TRUE(m_context.HasTableRoles());
    EXPECT_EQ(m_context.RoleColumns(kRoleGroup), std::vector<int>{1});
    EXPECT_TRUE(m_context.RoleColumns(kRoleValue).empty());
    EXPECT_EQ(m_context.RoleColumns(kRoleValueTime), std::vector<int>{5});
    EXPECT_EQ(m_context.DtypeColumn(), 1);
    EXPECT_EQ(m_context.TimeColumn(), 2);
    EXPECT_EQ(m_context.DataType(), 4);
    ASSERT_EQ(m_context.TableIds().GetSize(), 2);
    EXPECT_EQ(m_context.TableIds()[1], 4u);

    m_columns = Columns({"[PK(ID)]", "[PK(TIME)]"});
    m_context.Reset();
    m_context.SetColumns(&m_columns);
    EXPECT_FALSE(m_context.HasRoles());
    EXPECT_FALSE(m_context.HasTableRoles());
}

TEST_F(AnalysisContextTest, PeriodAxisOfEachTimeType) {
    // Across midnight: 23, 00, 01 and 02 o'clock.
    EXPECT_EQ(Strings(Run(3, "2025-12-31 23:00:00", "2026-01-01 02:00:00").PeriodLabels()),
              (Texts{"2025-12-31 23", "2026-01-01 00", "2026-01-01 01", "2026-01-01 02"}));
    // Days from 00:00 of the first to 08:00 of the last.
    EXPECT_EQ(Strings(Run(4, "2024-02-27 00:00:00", "2024-03-01 08:00:00").PeriodLabels()),
              (Texts{"2024-02-27", "2024-02-28", "2024-02-29", "2024-03-01"}));
    // Ten-day periods start on the 1st, 11th and 21st only.
    EXPECT_EQ(Strings(Run(5, "2025-04-25 00:00:00", "2025-05-25 08:00:00").PeriodLabels()),
              (Texts{"2025-05-01", "2025-05-11", "2025-05-21"}));
    EXPECT_EQ(Strings(Run(6, "2025-11-01 00:00:00", "2026-02-01 08:00:00").PeriodLabels()),
              (Texts{"2025-11", "2025-12", "2026-01", "2026-02"}));
    EXPECT_EQ(m_context.CoveredRange().str(), "2025-11 至 2026-02");
    EXPECT_EQ(Strings(Run(6, "2025-11-01 00:00:00", "2025-11-01 08:00:00").PeriodLabels()),
              (Texts{"2025-11"}));
    EXPECT_EQ(m_context.CoveredRange().str(), "2025-11");
    // A type code outside 0..10 means hours.
    m_context.SetTimeType(42);
    EXPECT_TRUE(m_context.IsHour());
}

TEST_F(AnalysisContextTest, DataTypeTwoKeepsTheFirstOfEqualExtremesAndSkipsMissingValues) {
    // One day of three rows: maxima 3, 5, 5 and a near-zero minimum that must not win.
    Row({"7", "2025-05-01 01:00:00", "0", "2", "3", "01:00", "1.5", "01:10"});
    Row({"7", "2025-05-01 02:00:00", "4", "0", "5", "02:00", "0.0000001", "02:10"});
    Row({"7", "2025-05-01 03:00:00", "6", "3", "5", "03:00", "-999", "03:10"});
    Run(4, "2025-05-01 00:00:00", "2025-05-01 08:00:00");
    ASSERT_EQ(m_context.Records().size(), 1u);
    const CAnalysisRecord& day = m_context.Records()[0];
    EXPECT_EQ(Cell(0, 2), "2025-05-01");
    // V: the first value that is not missing.
    EXPECT_EQ(Cell(0, 3), "4.000000");
    // AVGV: 2 + 3 accumulated over the two values present; the period shows their mean.
    EXPECT_DOUBLE_EQ(day.sums[4], 5.0);
    EXPECT_EQ(day.counts[4], 2);
    EXPECT_EQ(Cell(0, 4), "2.500000");
    // MAXV: 5 at the time of the second row.
    EXPECT_EQ(Cell(0, 5), "5.000000");
    EXPECT_EQ(Cell(0, 6), "02:00");
    // MINV: neither the near-zero value nor the missing marker replaces 1.5.
    EXPECT_EQ(Cell(0, 7), "1.500000");
    EXPECT_EQ(Cell(0, 8), "01:10");
}

TEST_F(AnalysisContextTest, OtherDataTypesReplaceOrSum) {
    // TOTAL(DCHAR, n) gives the type of every group.
    auto run = [&](int type) {
        const std::string dchar = "[TOTAL(DCHAR," + std::to_string(type) + ")]";
        m_columns = Columns({"[TOTAL(GY)]", "[TOTAL(TIME)]", "[TOTAL(V)]", "[TOTAL(MAXV)]", "[TOTAL(V_R)]",
                             dchar.c_str(), "[TOTAL(AVGV)]"});
        return &Run(4, "2025-05-01 00:00:00", "2025-05-01 08:00:00");
    };
    m_rows.Clear();
    Row({"1", "2025-05-01 01:00:00", "4", "9", "a", "", "1"});
    Row({"1", "2025-05-01 02:00:00", "6", "2", "b", "", "3"});
    run(1);
    EXPECT_EQ(Cell(0, 3), "6.000000"); // the last value
    EXPECT_EQ(Cell(0, 4), "");         // unchanged: nothing taken
    run(4);
    EXPECT_EQ(Cell(0, 3), "6.000000");
    EXPECT_EQ(Cell(0, 4), "2.000000"); // replaced, not the maximum
    EXPECT_EQ(Cell(0, 7), "3.000000");
    run(5);
    EXPECT_EQ(Cell(0, 3), "10.000000"); // rainfall adds up
    EXPECT_EQ(Cell(0, 5), "b");         // with the time of the last row
    run(9);
    EXPECT_EQ(Cell(0, 3), "");
}

TEST_F(AnalysisContextTest, GroupsStepsAndTheGridWithStatistics) {
    for (const char* point : {"7", "8"})
        for (const char* day : {"2025-05-01", "2025-05-02", "2025-05-03"}) {
            const CString time = CString(day) + " 08:00:00";
            Row({point, time.GetString(), "1", "2", CString(point) == "7" ? "10" : "20", time.GetString(),
                 "1", time.GetString()});
        }
    Row({"7", "2025-06-01 08:00:00", "1", "1", "99", "x", "1", "x"}); // outside the range: dropped
    Run(4, "2025-05-01 00:00:00", "2025-05-03 08:00:00", 2);
    // Steps of two days: 05-01 (two rows) and 05-03 (one row), per point.
    ASSERT_EQ(m_context.Records().size(), 4u);
    EXPECT_EQ(Cell(0, 2), "2025-05-01");
    EXPECT_EQ(Cell(1, 2), "2025-05-03");
    EXPECT_EQ(Cell(2, 1), "8");
    ASSERT_EQ(m_context.Statistics().size(), 2u);
    EXPECT_EQ(m_context.Statistics()[0].cells[2].str(), "统计 2025-05-01 至 2025-05-03");
    EXPECT_EQ(m_context.CellText(m_context.Statistics()[1], 5).str(), "20.000000");

    m_context.SetRowColours({true, 0x111111, 0x222222});
    CGridIterator grid;
    m_context.FillGrid(grid);
    EXPECT_EQ(grid.GetDisplayMode(), CGridIterator::DISPLAY_SPARSE);
    ASSERT_EQ(grid.GetRowCount(), 1 + 4 + 2);
    EXPECT_EQ(grid.GetColumnCount(), 9);
    EXPECT_EQ(std::string(grid.GetCellView(0, 3)), "列3");
    EXPECT_EQ(std::string(grid.GetCellView(6, 0)), "6"); // numbered through both blocks
    EXPECT_EQ(std::string(grid.GetCellView(6, 2)), "统计 2025-05-01 至 2025-05-03");
    EXPECT_EQ(std::string(grid.GetCellView(3, 1)), "8");
    // The records' rows alternate from the first colour on; the statistics rows take none.
    for (long row = 1; row <= 4; ++row)
        EXPECT_EQ(grid.GetCellLook(row, 3).crBack, COLORREF(row % 2 == 1 ? 0x111111 : 0x222222)) << row;
    EXPECT_EQ(grid.GetCellLook(5, 3).crBack, grid.GetBkColor());
    EXPECT_EQ(grid.GetCellLook(6, 3).crBack, grid.GetBkColor());
}

// Rows come in any order: each group's records still follow the period axis, each taking its
// texts from the first row that fell into it.
TEST_F(AnalysisContextTest, RecordsFollowThePeriodAxisWhateverTheRowOrder) {
    for (const char* time :
         {"2025-05-03 08:00:00", "2025-05-01 09:00:00", "2025-05-02 10:00:00", "2025-05-01 07:00:00"})
        Row({"7", time, "1", "2", "3", "t", "1", "t"});
    Run(4, "2025-05-01 00:00:00", "2025-05-03 00:00:00");
    ASSERT_EQ(m_context.Records().size(), 3u);
    for (std::size_t r = 0; r < 3; ++r) {
        EXPECT_EQ(m_context.Records()[r].period, int(r));
        EXPECT_EQ(Cell(r, 1), "7");
    }
    EXPECT_EQ(Cell(0, 2), "2025-05-01");
    EXPECT_EQ(Cell(0, 4), "2.000000"); // the mean of the day's two averages
    EXPECT_EQ(Cell(2, 2), "2025-05-03");
}

// The comparison's cells are written as "%.*f" writes them, halves and all.
TEST(YearComparisonCells, WrittenAsPrintfWritesThem) {
    char expected[400];
    for (double v : {0.125, 2.675, -0.0, 45.005, -999.0, 0.5, 1.5, 2.5, 1e20, -1.25e-7, 123456.789})
        for (int decimals : {0, 1, 2, 3, 10}) {
            std::snprintf(expected, sizeof expected, "%.*f", decimals, v);
            EXPECT_EQ(ComparisonCellText(v, decimals).str(), expected) << v << " " << decimals;
        }
    std::snprintf(expected, sizeof expected, "%.*f", 10, 1.0 / 3);
    EXPECT_EQ(ComparisonCellText(1.0 / 3, 14).str(), expected); // at most ten decimals
    EXPECT_EQ(ComparisonCellText(std::nullopt, 2).str(), "");
}

// The missing-data grid stripes its rows from the second colour on, as the table query does.
TEST(LackTimeGrid, RowsAlternateFromTheSecondColour) {
    CGridIterator grid;
    const std::vector<CStringArray> rows(3, CStringArray{"60105400", "2026-11-01 00:00:00"});
    FillLackTimeGrid(grid, rows, {true, 0x111111, 0x222222});
    ASSERT_EQ(grid.GetRowCount(), 4);
    EXPECT_EQ(grid.GetCellLook(1, 1).crBack, COLORREF(0x222222));
    EXPECT_EQ(grid.GetCellLook(2, 1).crBack, COLORREF(0x111111));
    EXPECT_EQ(grid.GetCellLook(3, 1).crBack, COLORREF(0x222222));
}
