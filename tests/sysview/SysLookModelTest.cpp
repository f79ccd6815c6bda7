// What the system view shows and how its settings edit the list of tables, without a window:
// the display-mode statement that takes only a mode number, the viewer's grid with its counted,
// uncounted and failed tables, the column statement's literal, and the list edits of the
// settings grid at the edges of the list.
#include "SqlText.h"
#include "SysLookChoices.h"
#include "SysLookGrid.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplayStyles, TheStatementTakesOnlyTheModeNumberInParentheses) {
    EXPECT_EQ(DisplayStylesStatement("蓝白相间(2)"),
              "select dismodeid,colid,colorfg,colorbg,font from KES.SET_DISPLAY_MODE_INI where dismodeid= 2"
              " order by dismodeid ,colid ");
    // The type name may hold parentheses itself: the last pair gives the number.
    EXPECT_EQ(DisplayModeId("水库(醒目)( 3 )"), "3");
    // Anything but a number would become part of the statement.
    EXPECT_EQ(DisplayStylesStatement("常规(1 or 1=1)"), "");
    EXPECT_EQ(DisplayModeId("常规(1);DELETE FROM KES.RTDB"), "1"); // only the number is taken
    EXPECT_EQ(DisplayStylesStatement("常规"), "");
    EXPECT_EQ(DisplayStylesStatement(""), "");
    EXPECT_EQ(DisplayModeId("常规)1("), "");
}

class InventoryGrid : public ::testing::Test {
protected:
    std::vector<CInventoryRow> m_rows = {
        {"LEVELS", "水位", "3", "2024-12-31 23:00:00", "2026-01-01 00:00:00", ""},
        {"NOPE", "不存在", "", "", "", "no such table: NOPE"},
        {"CODES", "代码", "2", "", "", ""},
    };
    CInterfaceSettings m_face;
    CGridIterator m_grid;
};

TEST_F(InventoryGrid, OneNumberedRowPerTableTheReasonInPlaceOfTheCount) {
    m_face.m_alternateRows = 0;
    const CDisplayStyle bold{0x800000, 0xFFF0E0, LOGFONT{}};
    CDisplayStyle plain;
    plain.font.lfHeight = 12;
    FillInventoryGrid(m_grid, m_rows, {bold, plain}, m_face, 0xE0E0E0);
    ASSERT_EQ(m_grid.GetRowCount(), 4);
    ASSERT_EQ(m_grid.GetColumnCount(), 6);
    const char* headers[] = {" ", "表名", "中文名", "数据量", "开始时间", "结束时间"};
    for (long col = 0; col < 6; ++col) {
        const CGridCellPro header = m_grid.GetColumnHeader(col);
        EXPECT_EQ(header.m_strText, headers[col]);
        // Styles repeat over the columns; header cells stay white.
        EXPECT_EQ(header.m_crText, col % 2 == 0 ? 0x800000u : 0u) << col;
        EXPECT_EQ(header.m_crBack, 0xFFFFFFu) << col;
        EXPECT_EQ(header.m_font.lfHeight, col % 2 == 0 ? 0 : 12) << col;
    }
    const std::vector<std::vector<std::string>> expected = {
        {"1", "LEVELS", "水位", "3", "2024-12-31 23:00:00", "2026-01-01 00:00:00"},
        {"2", "NOPE", "不存在", "no such table: NOPE", "", ""},
        {"3", "CODES", "代码", "2", "", ""},
    };
    for (long row = 1; row <= 3; ++row)
        for (long col = 0; col < 6; ++col)
            EXPECT_EQ(m_grid.GetItemText(row, col), expected[row - 1][col]) << row << "," << col;
    EXPECT_EQ(m_grid.GetCellLook(2, 3).crText, kInventoryFailureColour);
    EXPECT_NE(m_grid.GetCellLook(1, 3).crText, kInventoryFailureColour);
    EXPECT_EQ(m_grid.GetBkColor(), 0xE0E0E0u);
}

TEST_F(InventoryGrid, RowsAlternateOnlyWhenAskedAndNoTablesLeaveTheHeader) {
    m_face.m_alternateRows = 1;
    m_face.m_firstRowColor = 0x00FFFF;
    m_face.m_secondRowColor = 0xFF00FF;
    FillInventoryGrid(m_grid, m_rows, {}, m_face, 0xFFFFFF);
    EXPECT_NE(m_grid.GetCellLook(1, 1).crBack, m_grid.GetCellLook(2, 1).crBack);
    EXPECT_EQ(m_grid.GetCellLook(1, 1).crBack, m_grid.GetCellLook(3, 1).crBack);

    m_face.m_alternateRows = 0;
    FillInventoryGrid(m_grid, m_rows, {}, m_face, 0xFFFFFF);
    EXPECT_EQ(m_grid.GetCellLook(1, 1).crBack, m_grid.GetCellLook(2, 1).crBack);

    FillInventoryGrid(m_grid, {}, {}, m_face, 0xFFFFFF);
    EXPECT_EQ(m_grid.GetRowCount(), 1);
    EXPECT_EQ(m_grid.GetItemText(0, 1), "表名");
}

TEST(TableColumns, TheTableNameIsALiteralEvenWithAQuote) {
    EXPECT_EQ(
        TableColumnsStatement("RIVER_HOUR"),
        "select tname,colname,colnamech,colnamelen,datatypeid,datasize,datadecimal,nulltypeid,Projmodeid,"
        "Datadesc,Point,restrictdata from KES.SET_TABLE_COL_NAME where tname='RIVER_HOUR' ");
    EXPECT_NE(TableColumnsStatement("A' OR '1'='1").Find(QuoteLiteral("A' OR '1'='1")), -1);
}

class EntryList : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"A", "B", "C", "D"}) {
            auto e = std::make_unique<CSysViewEntry>();
            e->m_table = name;
            e->m_second = CString(name) + "名";
            e->m_column = "TM";
            m_entries.Add(std::move(e));
        }
    }
    std::string Names() const {
        std::string names;
        for (int i = 0; i < m_entries.GetSize(); ++i)
            names += m_entries[i].m_table.str();
        return names;
    }
    CObjectArray<CSysViewEntry> m_entries;
};

TEST_F(EntryList, MovesTakeTheNeighbourAcrossTheSelectionAndStopAtTheEnds) {
    EXPECT_TRUE(MoveEntryRowsUp(m_entries, 2, 3)); // B C up: A goes below them
    EXPECT_EQ(Names(), "BCAD");
    EXPECT_FALSE(MoveEntryRowsUp(m_entries, 1, 2));
    EXPECT_EQ(Names(), "BCAD");
    EXPECT_TRUE(MoveEntryRowsDown(m_entries, 1, 2)); // B C down: A goes above them
    EXPECT_EQ(Names(), "ABCD");
    EXPECT_FALSE(MoveEntryRowsDown(m_entries, 3, 4));
    EXPECT_FALSE(MoveEntryRowsDown(m_entries, 4, 5)); // a selection past the list
    EXPECT_EQ(Names(), "ABCD");
}

TEST_F(EntryList, DeleteRemovesTheSelectedRowsOnly) {
    EXPECT_TRUE(DeleteEntryRows(m_entries, 2, 3));
    EXPECT_EQ(Names(), "AD");
    EXPECT_FALSE(DeleteEntryRows(m_entries, 0, 0)); // the header row holds no entry
    EXPECT_TRUE(DeleteEntryRows(m_entries, 2, 9));
    EXPECT_EQ(Names(), "A");
}

TEST_F(EntryList, TheGridShowsTheEntriesAndGivesBackWhatItsCellsHold) {
    CGridIterator grid;
    FillEntryGrid(grid, m_entries);
    ASSERT_EQ(grid.GetRowCount(), 5);
    EXPECT_EQ(grid.GetColumnHeader(3).m_strText, "时间字段");
    EXPECT_EQ(grid.GetItemText(4, 0), "4");
    grid.SetItemText(2, 2, "乙表");
    CObjectArray<CSysViewEntry> back = EntriesFromGrid(grid);
    ASSERT_EQ(back.GetSize(), 4);
    EXPECT_EQ(back[1].m_second, "乙表");
    back[1].m_second = m_entries[1].m_second;
    EXPECT_TRUE(back == m_entries);
}

} // namespace
