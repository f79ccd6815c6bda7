// The query window's decisions without a window: shared header sort, stored widths, export paths.
#include "QueryWindowModel.h"

#include <gtest/gtest.h>

TEST(EngineOptions, TheElementsOwnColumnsStandForTheSettingsTablesOnlyOnceBuiltUnderTheAdvancedFlag) {
    CInterfaceSettings face;
    CQueryOptions options;
    CQuerySettings query;
    query.m_timeTypeIndex = kTimeTenDay;
    CTableQueryOptions o = EngineOptionsFor(face, options, query);
    EXPECT_FALSE(o.elementColumns.advanced);
    EXPECT_EQ(o.timeTypeWord, "旬");
    query.m_advanced = 1;
    EXPECT_FALSE(EngineOptionsFor(face, options, query).elementColumns.advanced) << "none built yet";
    options.m_columns.Add(std::make_unique<CQueryColumn>());
    options.m_columns.Add(std::make_unique<CQueryColumn>());
    o = EngineOptionsFor(face, options, query);
    EXPECT_TRUE(o.elementColumns.advanced);
    EXPECT_EQ(o.elementColumns.columns, &options.m_columns);
}

TEST(HeaderSort, ThreeClicksOnOneColumnTurnTheOrderAndAnotherColumnStartsAscending) {
    CHeaderSort sort;
    EXPECT_EQ(sort.Click(3), "ASC");
    EXPECT_EQ(sort.Click(3), "DESC");
    EXPECT_EQ(sort.Click(3), "ASC");
    EXPECT_EQ(sort.Click(1), "ASC");
    EXPECT_EQ(sort.Click(3), "ASC");
    EXPECT_EQ(&CHeaderSort::LastSort(), &CHeaderSort::LastSort());
}

TEST(StoredColumnWidths, ApplyOnlyWithTheFlagRepeatTheLastAndHideUncheckedElements) {
    CInterfaceSettings face;
    face.m_columnWidths = {60, 120};
    EXPECT_EQ(StoredColumnWidths(face, 5), std::vector<int>(5, -1)) << "without the fixed-columns flag";
    face.m_fixedColumns = 1;
    EXPECT_EQ(StoredColumnWidths(face, 5), (std::vector<int>{60, 120, 120, 120, 120}));
    face.m_elementChoice = 1;
    face.m_elementList = {1, 1, 0, 1};
    EXPECT_EQ(StoredColumnWidths(face, 5), (std::vector<int>{60, 120, 0, 120, 120}));
    face.m_columnWidths.RemoveAll();
    EXPECT_EQ(StoredColumnWidths(face, 3), (std::vector<int>{-1, -1, 0}));
    EXPECT_TRUE(StoredColumnWidths(face, 0).empty());
}

TEST(ExportPath, TheFilterGivesTheExtensionUnlessThePathHasItAlready) {
    EXPECT_EQ(ExportPath("/tmp/河道水情", 2), "/tmp/河道水情.txt");
    EXPECT_EQ(ExportPath("/tmp/河道水情", 1), "/tmp/河道水情.xls");
    EXPECT_EQ(ExportPath("/tmp/a.TXT", 2), "/tmp/a.TXT");
    EXPECT_EQ(ExportPath("/tmp/a.txt", 1), "/tmp/a.txt.xls");
    EXPECT_EQ(ExportPath("/tmp/a", 7), "/tmp/a");
}

TEST(EditedRow, ReadWriteWordsAndNewRows) {
    EXPECT_TRUE(EditingAllowed("WRITE"));
    EXPECT_FALSE(EditingAllowed("READ/WRITE"));
    EXPECT_TRUE(EditingNeedsLogin("READ/WRITE"));
    EXPECT_FALSE(EditingNeedsLogin("READ"));
    CEditedRow row;
    row.previous = {"", ""};
    row.current = {"1", ""};
    EXPECT_TRUE(row.IsNew());
    EXPECT_TRUE(row.Edited());
    row.previous = row.current;
    EXPECT_FALSE(row.Edited());
    EXPECT_FALSE(row.IsNew());
}
