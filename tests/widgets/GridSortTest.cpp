#include "GridIterator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Column = std::vector<std::string>;

// A grid with a header row, the row number in column 0 and the given texts in column 1.
CGridIterator GridOf(const Column& values) {
    CGridIterator grid;
    grid.SetColumnCount(2);
    grid.SetRowCount(long(values.size()) + 1);
    grid.SetItemText(0, 1, "值");
    for (std::size_t i = 0; i < values.size(); ++i) {
        grid.SetItemText(long(i) + 1, 0, std::to_string(i + 1));
        grid.SetItemText(long(i) + 1, 1, values[i]);
    }
    return grid;
}

Column ColumnOf(const CGridIterator& grid, long col, long first = 1) {
    Column texts;
    for (long r = first; r < grid.GetRowCount(); ++r)
        texts.emplace_back(grid.GetCellView(r, col));
    return texts;
}

Column Sorted(const Column& values, const char* order) {
    CGridIterator grid = GridOf(values);
    EXPECT_TRUE(grid.SortData(1, order));
    EXPECT_EQ(grid.GetCellView(0, 1), "值"); // the header row stays on top
    return ColumnOf(grid, 1);
}

TEST(GridSort, NumbersCompareByValueNotByTheirDigits) {
    const Column values{"10", "9", "-2", "-10", "0.5", "1e2", " 3 ", "+4", "-0.25"};
    EXPECT_EQ(Sorted(values, "ASC"), (Column{"-10", "-2", "-0.25", "0.5", " 3 ", "+4", "9", "10", "1e2"}));
    EXPECT_EQ(Sorted(values, "DESC"), (Column{"1e2", "10", "9", "+4", " 3 ", "0.5", "-0.25", "-2", "-10"}));
}

TEST(GridSort, DateTimesAndTheirLeadingPartsCompareInTime) {
    const Column values{"2024-01-02 08:00:00", "2024-01-02",   "2023-12-31 23:59:59", "2024-1-5", "2024-01",
                        "2024-01-02 08:30",    "2024-01-02 10"};
    EXPECT_EQ(Sorted(values, "ASC"),
              (Column{"2023-12-31 23:59:59", "2024-01", "2024-01-02", "2024-01-02 08:00:00",
                      "2024-01-02 08:30", "2024-01-02 10", "2024-1-5"}));
    EXPECT_EQ(Sorted(values, "DESC").front(), "2024-1-5");

    // Times as the grid shows them by time type; ten-day periods in the order of their days.
    const Column shown{"2024年06月 下旬",    "2024年06月 上旬", "2024年06月 中旬",           "2024年05月",
                       "2024年06月01日08时", "2023年",          "2024年06月01日08时30分05秒"};
    EXPECT_EQ(Sorted(shown, "DESC"),
              (Column{"2024年06月 下旬", "2024年06月 中旬", "2024年06月01日08时30分05秒",
                      "2024年06月01日08时", "2024年06月 上旬", "2024年05月", "2023年"}));
}

TEST(GridSort, ChineseTextsFollowTheSystemsPinyinOrder) {
    // In code-point order 北 comes before 安; operators expect 安徽, 北京, 长沙 (an, bei, chang).
    const Column values{"长沙", "北京", "安徽", "Beijing", "北京站"};
    EXPECT_EQ(Sorted(values, "ASC"), (Column{"Beijing", "安徽", "北京", "北京站", "长沙"}));
    EXPECT_EQ(Sorted(values, "DESC"), (Column{"长沙", "北京站", "北京", "安徽", "Beijing"}));
}

TEST(GridSort, BlanksGoLastInBothOrdersAndKindsKeepTheirRank) {
    const Column values{"", "正常", "2024-06-01", "  ", "12", "-3", "\t", "abc", "2024-05-01"};
    EXPECT_EQ(Sorted(values, "ASC"),
              (Column{"-3", "12", "2024-05-01", "2024-06-01", "abc", "正常", "", "  ", "\t"}));
    EXPECT_EQ(Sorted(values, "DESC"),
              (Column{"正常", "abc", "2024-06-01", "2024-05-01", "12", "-3", "", "  ", "\t"}));
}

TEST(GridSort, EqualKeysKeepTheirOrderInBothDirections) {
    CGridIterator grid = GridOf({"5", "3", "5", "3.0", "5.00", "", "3", ""});
    ASSERT_TRUE(grid.SortData(1, "desc")); // case and blanks around the word do not matter
    EXPECT_EQ(ColumnOf(grid, 0), (Column{"1", "3", "5", "2", "4", "7", "6", "8"}));
    ASSERT_TRUE(grid.SortData(1, " ASC "));
    EXPECT_EQ(ColumnOf(grid, 0), (Column{"2", "4", "7", "1", "3", "5", "6", "8"}));
}

TEST(GridSort, ARowRangeLeavesTheStatisticsRowsBelowInPlace) {
    CGridIterator grid = GridOf({"3", "1", "2", "6.00", "1.00"});
    grid.SetItemText(4, 0, "统计 平均值");
    grid.SetItemText(5, 0, "统计 最小值");
    ASSERT_TRUE(grid.SortData(1, "DESC", 1, 3));
    EXPECT_EQ(ColumnOf(grid, 1), (Column{"3", "2", "1", "6.00", "1.00"}));
    EXPECT_EQ(ColumnOf(grid, 0), (Column{"1", "3", "2", "统计 平均值", "统计 最小值"}));

    // With two fixed rows the plain form leaves both on top.
    CGridIterator twoFixed = GridOf({"b", "c", "a"});
    twoFixed.SetFixedRowCount(2);
    ASSERT_TRUE(twoFixed.SortData(1, "ASC"));
    EXPECT_EQ(ColumnOf(twoFixed, 1), (Column{"b", "a", "c"}));
}

TEST(GridSort, WholeRowsMoveWithTheirLooksAndHeaders) {
    CGridIterator grid = GridOf({"2", "1", "3"});
    grid.SetColumnCount(3);
    for (long r = 1; r <= 3; ++r)
        grid.SetItemText(r, 2, "行" + std::string(grid.GetCellView(r, 1)));
    grid.SetRowColors(1, RGB(2, 2, 2), RGB(20, 20, 20));
    grid.SetItemBkColour(3, 2, RGB(3, 3, 3));
    CGridCellPro header;
    header.m_strText = "第二";
    header.m_crBack = RGB(99, 99, 99);
    grid.SetRowHeader(2, header);

    ASSERT_TRUE(grid.SortData(1, "ASC"));
    EXPECT_EQ(ColumnOf(grid, 1), (Column{"1", "2", "3"}));
    EXPECT_EQ(ColumnOf(grid, 2), (Column{"行1", "行2", "行3"}));
    EXPECT_EQ(ColumnOf(grid, 0), (Column{"第二", "1", "3"}));
    EXPECT_EQ(grid.GetCellLook(1, 0).crBack, RGB(99, 99, 99));
    EXPECT_EQ(grid.GetCellLook(2, 1).crBack, RGB(20, 20, 20));
    EXPECT_EQ(grid.GetCellLook(3, 2).crBack, RGB(3, 3, 3));
    EXPECT_EQ(grid.GetCellLook(1, 1).crBack, 0xFFFFFFu);
}

TEST(GridSort, UnknownOrdersAndRangesOutsideTheGridChangeNothing) {
    CGridIterator grid = GridOf({"2", "1"});
    EXPECT_FALSE(grid.SortData(1, "UP"));
    EXPECT_FALSE(grid.SortData(1, ""));
    EXPECT_FALSE(grid.SortData(2, "ASC"));
    EXPECT_FALSE(grid.SortData(-1, "ASC"));
    EXPECT_FALSE(grid.SortData(1, "ASC", 2, 1));
    EXPECT_FALSE(grid.SortData(1, "ASC", 1, 3));
    EXPECT_FALSE(grid.SortData(1, "ASC", -1, 1));
    EXPECT_EQ(ColumnOf(grid, 1), (Column{"2", "1"}));

    CGridIterator headerOnly;
    EXPECT_TRUE(headerOnly.SortData(0, "DESC"));
    EXPECT_FALSE(headerOnly.SortData(0, "SIDEWAYS"));
}

} // namespace
