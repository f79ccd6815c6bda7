// "高级设置", "增加选择" and "统计信息设置" without their windows: the selection items as the
// buttons and the tool strip change them, the column grid, the boxes a table offers, and the
// lists and "初始化设置" read from the demo database on both backends.
#include "AdvancedSettings.h"
#include "AddSelectChoices.h"
#include "ColumnGrid.h"
#include "CompactDemo.h"
#include "QueryClient.h"
#include "SelectionItems.h"
#include "StatSetValues.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<CSelectItem> Item(int kind, const char* label) {
    auto item = std::make_unique<CSelectItem>();
    item->kind = kind;
    item->label = label;
    return item;
}

// The items as kind letters and labels, e.g. "F:a F:b S:st T:".
std::string Shape(const CSelectItems& items) {
    std::string shape;
    for (const auto& item : items)
        shape += std::string(shape.empty() ? "" : " ") + "?FST"[item->kind] + ":" + item->label.str();
    return shape;
}

CSelectItems ThreeFiltersStationTime() {
    CSelectItems items;
    for (const char* label : {"a", "b", "c"})
        items.Add(Item(kSelectFilter, label));
    items.Add(Item(kSelectStation, "st"));
    items.Add(Item(kSelectTime, ""));
    return items;
}

void AddColumn(CQueryOptions& o, const char* name, const char* directives) {
    if (o.m_columns.IsEmpty()) o.m_columns.Add(std::make_unique<CQueryColumn>());
    auto c = std::make_unique<CQueryColumn>();
    c->colname = name;
    c->colnamech = name;
    c->restrictdata = directives;
    c->Point = o.m_columns.GetSize();
    o.m_columns.Add(std::move(c));
}

TEST(SelectionItems, TimeConditionKeepsOneTimeItemAndOkDropsWhatTheBoxesNoLongerHold) {
    CSelectItems items = ThreeFiltersStationTime();
    SetTimeItem(items, true, "TM");
    SetTimeItem(items, true, "TM");
    EXPECT_EQ(Shape(items), "F:a F:b F:c S:st T:") << "ticked twice: still one time item";
    EXPECT_EQ(items[4].keyColumn, "TM");
    SetTimeItem(items, false, "TM");
    EXPECT_EQ(Shape(items), "F:a F:b F:c S:st");

    CQueryOptions o;
    o.m_selectItems = ThreeFiltersStationTime();
    StoreConditions(o, true, false);
    EXPECT_EQ(Shape(o.m_selectItems), "T:") << "without the ID condition only the time item stays";
    EXPECT_EQ(o.m_idCondition, 0);
    EXPECT_EQ(o.m_timeCondition, 1);
    o.m_selectItems = ThreeFiltersStationTime();
    StoreConditions(o, false, true);
    EXPECT_EQ(Shape(o.m_selectItems), "F:a F:b F:c S:st");
}

TEST(SelectionItems, StationItemIsReplacedAndNewFiltersGoFirst) {
    CSelectItems items = ThreeFiltersStationTime();
    items[3].schemeId = "1";
    items[3].condition = " (STCD>1) ";
    items.Add(Item(kSelectStation, "second"));
    EXPECT_EQ(KeyMappingText(items), "st(1)") << "the first station item";

    std::unique_ptr<CSelectItem> station = NewStationItem(items, "STCD");
    EXPECT_EQ(station->schemeId, "1");
    EXPECT_EQ(station->condition, " (STCD>1) ");
    EXPECT_EQ(station->keyColumn, "STCD");
    station->label = "new";
    ReplaceStationItem(items, std::move(station));
    EXPECT_EQ(Shape(items), "F:a F:b F:c T: S:new");

    AddFilterItem(items, Item(kSelectFilter, "z"));
    EXPECT_EQ(Shape(items), "F:z F:a F:b F:c T: S:new");
    EXPECT_EQ(NewStationItem(CSelectItems(), "ID")->schemeId, "") << "nothing to preset from";
}

TEST(SelectionItems, ToolStripEditsStayAmongTheFilterRows) {
    CSelectItems items = ThreeFiltersStationTime();
    EXPECT_FALSE(DeleteFilterRows(items, -1, -1)) << "no selection";
    EXPECT_FALSE(MoveFilterRowsUp(items, 1, 2)) << "the first row cannot go up";
    EXPECT_FALSE(MoveFilterRowsDown(items, 3, 3)) << "the last filter row does not go below the station";
    EXPECT_FALSE(MoveFilterRowsUp(items, 3, 4)) << "a selection past the filter rows";
    EXPECT_EQ(Shape(items), "F:a F:b F:c S:st T:");

    EXPECT_TRUE(MoveFilterRowsUp(items, 2, 3));
    EXPECT_EQ(Shape(items), "F:b F:c F:a S:st T:");
    EXPECT_TRUE(MoveFilterRowsDown(items, 1, 2));
    EXPECT_EQ(Shape(items), "F:a F:b F:c S:st T:");
    EXPECT_TRUE(DeleteFilterRows(items, 2, 9)) << "a selection reaching past the filter rows";
    EXPECT_EQ(Shape(items), "F:a S:st T:") << "station and time items are no filter rows";

    CGridIterator grid;
    FillFilterGrid(grid, items);
    EXPECT_EQ(grid.GetRowCount(), 2);
    EXPECT_EQ(grid.GetItemText(1, 1), "a");
}

TEST(ColumnGrid, ShowsTheSchemeChoiceKeepsItsIdAndGivesTheCellsBack) {
    CQueryOptions o;
    AddColumn(o, "STCD", "[PK(ID)]");
    AddColumn(o, "Z", "");
    o.m_columns[1].Projmodeid = "1";
    CGridIterator grid;
    FillColumnGrid(grid, o.m_columns, {"1(测站)", "15000(水势)"});
    ASSERT_EQ(grid.GetRowCount(), 3);
    EXPECT_EQ(grid.GetItemText(0, 3), "映射方案");
    EXPECT_EQ(grid.GetDisplayText(1, 3), "1(测站)");
    grid.SetItemText(2, 2, "水位");
    grid.SetItemText(2, 3, "15000");
    grid.SetItemText(2, 4, "-1");
    grid.SetItemText(2, 5, "[DEC(1)]");
    ColumnsFromGrid(grid, o.m_columns);
    EXPECT_EQ(o.m_columns[2].colnamech, "水位");
    EXPECT_EQ(o.m_columns[2].Projmodeid, "15000");
    EXPECT_EQ(o.m_columns[2].Point, -1);
    EXPECT_EQ(o.m_columns[2].restrictdata, "[DEC(1)]");
    EXPECT_EQ(o.m_columns[2].colname, "Z") << "the column name is not edited";

    o.m_columnsTable = "river_hour";
    DropColumnsOfOtherTable(o, " RIVER_HOUR ");
    EXPECT_EQ(o.m_columns.GetSize(), 3) << "the same table, written otherwise";
    DropColumnsOfOtherTable(o, "RAIN_DAY");
    EXPECT_TRUE(o.m_columns.IsEmpty()) << "another table: nothing until 初始化设置";
    FillColumnGrid(grid, o.m_columns, {});
    EXPECT_EQ(grid.GetRowCount(), 1);
}

TEST(AdvancedBoxes, AnalysisAndMissingDataOnlyWhereTheTableAndItsDirectivesAllowThem) {
    CQueryOptions o;
    AddColumn(o, "SENID", "[PK(ID)]");
    AddColumn(o, "TIME", "[PK(TIME)][ANALYQUERY]");
    AddColumn(o, "TM2", "[PK(TIME)]");
    ScanKeyColumns(o);
    EXPECT_EQ(o.m_stationColumn, "SENID");
    EXPECT_EQ(o.m_timeColumn, "TM2") << "the last time key wins";

    o.m_analysisComparison = o.m_missingDataStats = 1;
    COfferedBoxes offered = OfferedBoxes(" hisview", o);
    EXPECT_TRUE(offered.analysisComparison);
    EXPECT_FALSE(offered.missingDataStats);
    EXPECT_EQ(o.m_analysisComparison, 1);
    EXPECT_EQ(o.m_missingDataStats, 0);
    offered = OfferedBoxes("RIVER_HOUR", o);
    EXPECT_FALSE(offered.analysisComparison);
    EXPECT_EQ(o.m_analysisComparison, 0);

    CQueryOptions lack;
    AddColumn(lack, "SENID", "[PK(ID)][LACKTIME]");
    AddColumn(lack, "TIME", "[PK(TIME)]");
    lack.m_missingDataStats = 1;
    EXPECT_FALSE(OfferedBoxes("RTEV", lack).missingDataStats) << "LACKTIME must mark the time key";
    lack.m_columns[2].restrictdata = "[PK(TIME)][LACKTIME]";
    EXPECT_TRUE(OfferedBoxes("REAL", lack).missingDataStats);
    EXPECT_FALSE(OfferedBoxes("HISVIEW", lack).missingDataStats);
}

TEST(AddSelect, FilterConditionQuotesCodesThatAreNoNumbersAndIsEmptyWithoutChoice) {
    EXPECT_EQ(ChosenCodesCondition({}), "");
    EXPECT_EQ(ChosenCodesCondition({"长江(1)", "汉江(4)"}), "(1,4)");
    EXPECT_EQ(ChosenCodesCondition({"a(x')", "b(2)"}), "('x''',2)");

    const std::vector<CProjectionScheme> schemes = {{"1", "测站", "STATION", "STNM", "STCD", "1"}};
    EXPECT_EQ(FindScheme(schemes, " 1 "), 0);
    EXPECT_EQ(FindScheme(schemes, "7"), -1);
    EXPECT_EQ(FindScheme(schemes, ""), -1);
    EXPECT_STREQ(kUnknownSchemeMessage, "库中没有此号!请重新设置!");
    EXPECT_EQ(SchemeValuesStatement(schemes[0]), " SELECT STNM,STCD FROM KES.STATION ORDER BY STCD ");
    CProjectionScheme odd = schemes[0];
    odd.table = "STATION; DELETE FROM KES.STATION";
    EXPECT_EQ(SchemeValuesStatement(odd), "") << "a name from the database that is no plain name";
    odd = schemes[0];
    odd.keyColumn = "";
    EXPECT_EQ(SchemeValuesStatement(odd), "");

    CSelectItem item;
    item.kind = kSelectFilter;
    FillSelectItem(item, schemes[0], "站", "(1)");
    EXPECT_EQ(item.schemeId, "1");
    EXPECT_EQ(item.table, "STATION");
    EXPECT_EQ(item.nameColumn, "STNM");
    EXPECT_EQ(item.keyColumn, "STCD");
    EXPECT_EQ(item.label, "站");
    EXPECT_EQ(item.kind, kSelectFilter);
}

TEST(AdvancedChoices, RtuAndStatisticsKeepWhatTheyMayAndRefuseWhatIsNoNumber) {
    const std::vector<CDataChar> chars = {{"1", "水位"}, {"12", "流量"}, {"2", "雨量"}};
    CQueryOptions o;
    o.m_rtuSetting = 1;
    o.m_dataCharCode = "2";
    o.m_userGroups = {"3", "12", "0"};
    CRtuChoice rtu = CRtuChoice::Load(o, chars);
    EXPECT_EQ(rtu.dataChar, 1) << "the first code that contains the stored text";
    EXPECT_EQ(rtu.userGroups, (std::vector<int>{3, 0})) << "group 12 is not in the list";
    rtu.on = false;
    rtu.Save(o, chars);
    EXPECT_EQ(o.m_rtuSetting, 0);
    EXPECT_EQ(o.m_dataCharCode, "2") << "unticked: only the flag is cleared";
    rtu.on = true;
    rtu.dataChar = -1;
    rtu.Save(o, chars);
    EXPECT_EQ(o.m_dataCharCode, "");
    EXPECT_EQ(o.m_userGroups, (CStringArray{"3", "0"}));

    CStatSetValues stat = CStatSetValues::Load(o);
    EXPECT_EQ(stat.decimalsAverage, "2");
    stat.enabled = true;
    stat.hiddenColumns = "3,5";
    stat.decimalsMinimum = "x";
    CString message;
    EXPECT_FALSE(stat.Save(o, message));
    EXPECT_EQ(o.m_statisticsEnabled, 0) << "nothing is stored";
    stat.decimalsMinimum = "4";
    EXPECT_TRUE(stat.Save(o, message));
    EXPECT_EQ(o.m_decimalsMinimum, 4);
    EXPECT_EQ(o.m_hiddenColumns, "3,5");
}

class AdvancedLists : public ::testing::TestWithParam<testdb::Kind> {
protected:
    void SetUp() override {
        TESTDB_OPEN_DEMO(m_db, GetParam());
    }
    std::unique_ptr<testdb::TestDatabase> m_db;
};

TEST_P(AdvancedLists, InitialiseReadsTheTableAnewAndTheDialogsListTheSchemes) {
    CQueryClient client;
    CQueryOptions o;
    o.m_selectItems = ThreeFiltersStationTime();
    o.m_analysisComparison = o.m_missingDataStats = 1;
    o.m_stationColumn = "OLD";
    InitialiseColumns(client, "RIVER_HOUR", o);
    ASSERT_GT(o.m_columns.GetSize(), 4);
    EXPECT_EQ(o.m_columns[0].colname, "") << "index 0 is the empty record";
    EXPECT_EQ(o.m_columns[1].colname, "STCD");
    EXPECT_EQ(o.m_columnsTable, "RIVER_HOUR");
    EXPECT_EQ(o.m_stationColumn, "STCD");
    EXPECT_EQ(o.m_timeColumn, "TM");
    EXPECT_TRUE(o.m_selectItems.IsEmpty());
    EXPECT_EQ(o.m_analysisComparison + o.m_missingDataStats, 0);

    const CStringArray choices = LoadSchemeChoices(client);
    ASSERT_FALSE(choices.IsEmpty());
    EXPECT_EQ(choices[0], "1(测站)");
    const std::vector<CProjectionScheme> schemes = LoadProjectionSchemes(client);
    ASSERT_EQ(std::size_t(choices.GetSize()), schemes.size());
    EXPECT_EQ(schemes[2].Choice(), "流域(3)");
    const CStringArray basins = LoadSchemeValues(client, schemes[2]);
    ASSERT_EQ(basins.GetSize(), 7);
    EXPECT_EQ(basins[0], "长江上游(1)");
    const std::vector<CDataChar> chars = LoadDataChars(client);
    ASSERT_EQ(chars.size(), 4u);
    EXPECT_EQ(chars[1].Choice(), "流量(2)");
}

INSTANTIATE_TEST_SUITE_P(Backends, AdvancedLists,
                         ::testing::Values(testdb::Kind::Sqlite, testdb::Kind::Postgres),
                         [](const auto& info) {
                             return info.param == testdb::Kind::Sqlite ? "Sqlite" : "Postgres";
                         });

} // namespace
