// The point pages without their windows: the point grid of "点数据查询" and taking it back, the
// list edits of its tool strip, what "数据查询条件" offers and writes, and the statements of
// "选择站号" and of the display styles run on both backends.
#include "ComplexString.h"
#include "ListRowEdits.h"
#include "PointCondition.h"
#include "PointPageRows.h"
#include "PointPicker.h"
#include "QueryClient.h"
#include "SysLookChoices.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<CPointEntry> Point(const char* number, const char* name, std::array<int, 4> flags) {
    auto p = std::make_unique<CPointEntry>();
    p->m_number = number;
    p->m_name = name;
    for (int k = 0; k < 4; ++k)
        p->m_values[k] = flags[size_t(k)];
    return p;
}

std::string Numbers(const CObjectArray<CPointEntry>& points) {
    std::string text;
    for (int i = 0; i < points.GetSize(); ++i)
        text += (i ? "," : "") + points[i].m_number.str();
    return text;
}

TEST(PointGrid, ShowsEveryEntryAndTakesTypedFlagsBackAsZeroOrOne) {
    CObjectArray<CPointEntry> points;
    points.Add(Point("10021", "水位(上)", {1, 1, 0, 0}));
    points.Add(Point("10022", "流量", {0, 1, 1, 1}));
    CGridIterator grid;
    FillPointGrid(grid, points);
    ASSERT_EQ(grid.GetRowCount(), 3);
    ASSERT_EQ(grid.GetColumnCount(), 7);
    EXPECT_EQ(grid.GetItemText(0, 3), "瞬间值");
    EXPECT_EQ(grid.GetItemText(0, 6), "最小值");
    EXPECT_EQ(grid.GetItemText(2, 0), "2");
    EXPECT_EQ(grid.GetItemText(1, 1), "水位(上)");
    EXPECT_EQ(grid.GetItemText(2, 2), "10022");
    EXPECT_EQ(grid.GetItemText(2, 5), "1");

    grid.SetItemText(1, 3, "5");
    grid.SetItemText(1, 4, "-3");
    grid.SetItemText(1, 5, "abc");
    grid.SetItemText(2, 1, "出库流量");
    TakePointGrid(grid, points);
    EXPECT_EQ(points[0].m_values[0], 1) << "5 is stored as 1";
    EXPECT_EQ(points[0].m_values[1], 0) << "-3 is stored as 0";
    EXPECT_EQ(points[0].m_values[2], 0);
    EXPECT_EQ(points[1].m_name, "出库流量");
    EXPECT_EQ(points[1].m_values[3], 1);
}

TEST(PointGrid, ToolStripEditsMoveTheSelectedRowsAndRefuseMovesPastTheEnds) {
    CObjectArray<CPointEntry> points;
    for (const char* n : {"1", "2", "3", "4"})
        points.Add(Point(n, n, {1, 1, 1, 1}));
    EXPECT_FALSE(MoveListRowsUp(points, 1, 2)) << "the first row cannot go up";
    EXPECT_TRUE(MoveListRowsUp(points, 2, 3));
    EXPECT_EQ(Numbers(points), "2,3,1,4");
    EXPECT_FALSE(MoveListRowsDown(points, 3, 4)) << "the last row cannot go down";
    EXPECT_TRUE(MoveListRowsDown(points, 1, 1));
    EXPECT_EQ(Numbers(points), "3,2,1,4");
    EXPECT_TRUE(DeleteListRows(points, 2, 9)) << "rows past the list are ignored";
    EXPECT_EQ(Numbers(points), "3");
    EXPECT_FALSE(DeleteListRows(points, 0, 0));
    EXPECT_EQ(points.GetSize(), 1);
}

TEST(PointCondition, OffersOnlyStatisticsEveryPointHasAndFallsBackInOrder) {
    CObjectArray<CPointEntry> points;
    points.Add(Point("1", "a", {1, 1, 0, 1}));
    points.Add(Point("2", "b", {0, 1, 0, 1}));
    const std::array<bool, 4> offered = OfferedStatistics(points);
    EXPECT_EQ(offered, (std::array<bool, 4>{false, true, false, true}));
    EXPECT_EQ(OfferedStatistic(0, offered), 1) << "the first offered one replaces instantaneous";
    EXPECT_EQ(OfferedStatistic(3, offered), 3);
    EXPECT_EQ(OfferedStatistic(-1, offered), 1);
    points.Add(Point("3", "c", {1, 0, 1, 0}));
    EXPECT_EQ(OfferedStatistic(1, OfferedStatistics(points)), -1) << "no statistic common to all";

    const std::array<bool, 4> none = OfferedStatistics(CObjectArray<CPointEntry>{});
    EXPECT_FALSE(none[kPointInstant]) << "without points the instantaneous value is not offered";
}

TEST(PointCondition, DefaultSpansFollowTheDataTypeOnTheFirstOpeningOnly) {
    CPointQuerySettings s;
    s.m_startTime = COleDateTime(2026, 1, 1, 0, 0, 0);
    s.m_endTime = COleDateTime(2026, 1, 5, 0, 0, 0);
    int inits = 0;
    const COleDateTime now(2026, 12, 8, 6, 30, 0);
    COleDateTime start, end;
    InitialPeriod({s, inits}, kPointTenDay, now, start, end);
    EXPECT_EQ(end, now);
    EXPECT_EQ(start, COleDateTime(2026, 11, 2, 6, 30, 0)) << "旬数据 reaches 36 days back";
    EXPECT_EQ(inits, 1);
    InitialPeriod({s, inits}, kPointTenDay, now, start, end);
    EXPECT_EQ(start, s.m_startTime) << "later openings show the request's period";
    EXPECT_EQ(end, s.m_endTime);
    EXPECT_EQ(inits, 1);

    EXPECT_DOUBLE_EQ(DefaultSpanOf(kPointHourly).GetTotalHours(), 12);
    EXPECT_DOUBLE_EQ(DefaultSpanOf(kPointDaily).GetTotalDays(), 10);
    EXPECT_DOUBLE_EQ(DefaultSpanOf(kPointMonthly).GetTotalDays(), 100);
}

TEST(PointCondition, AStartAfterTheEndIsRefusedWithTheValuesWrittenAndNoStatisticWarns) {
    CPointQuerySettings s;
    s.m_dataType = kPointHourly;
    s.m_valueKind = kPointMaximum;
    int inits = 1;
    const COleDateTime later(2026, 11, 30, 0, 0, 0);
    const COleDateTime earlier(2026, 11, 20, 0, 0, 0);
    EXPECT_EQ(ApplyPointCondition({s, inits}, 1, later, earlier, kPointAverage), EPointCondOutcome::Refused);
    EXPECT_EQ(s.m_dataType, kPointDaily);
    EXPECT_EQ(s.m_startTime, later);
    EXPECT_EQ(s.m_endTime, earlier);
    EXPECT_EQ(s.m_valueKind, kPointMaximum) << "the statistic waits for a valid period";

    EXPECT_EQ(ApplyPointCondition({s, inits}, 3, earlier, later, -1), EPointCondOutcome::NoStatistic);
    EXPECT_EQ(s.m_dataType, kPointMonthly);
    EXPECT_EQ(s.m_valueKind, -1);
    EXPECT_EQ(ApplyPointCondition({s, inits}, 0, earlier, earlier, kPointMinimum),
              EPointCondOutcome::Written);
    EXPECT_EQ(s.m_valueKind, kPointMinimum);
}

TEST(PointPicker, StatementsNarrowByChosenCodesAndQuoteWhatIsNoNumber) {
    EXPECT_EQ(CentreStationsStatement(), "SELECT CSNAME,CSID  FROM KES.CENTERSTA ORDER BY CSID ASC");
    EXPECT_EQ(DataCharacteristicsStatement(), "SELECT CHARNAME,DCHAR  FROM KES.DATACHAR ORDER BY DCHAR ASC");
    EXPECT_EQ(PointListStatement(kNoFilterChoice, kNoFilterChoice),
              "SELECT SENNAME,SENID FROM KES.ALLPOINT  ORDER BY SENID ASC ");
    EXPECT_EQ(PointListStatement(kNoFilterChoice, "水位(2)"),
              "SELECT SENNAME,SENID FROM KES.ALLPOINT  WHERE DCHAR=2 ORDER BY SENID ASC ");
    EXPECT_EQ(PointListStatement("长江(上游)(1)", "水位(2)"),
              "SELECT SENNAME,SENID FROM KES.ALLPOINT  WHERE CSID=1 AND DCHAR=2 ORDER BY SENID ASC ")
        << "the code is in the last parentheses";
    EXPECT_EQ(PointListStatement("x(1 OR 1=1)", kNoFilterChoice),
              "SELECT SENNAME,SENID FROM KES.ALLPOINT  WHERE CSID='1 OR 1=1' ORDER BY SENID ASC ");
    EXPECT_EQ(PointListStatement("x(a'b)", kNoFilterChoice),
              "SELECT SENNAME,SENID FROM KES.ALLPOINT  WHERE CSID='a''b' ORDER BY SENID ASC ");

    CStringArray chosen;
    chosen.Add("水位(上)(10021)");
    chosen.Add("流量(10022)");
    const int flags[4] = {1, 0, 1, 0};
    const CObjectArray<CPointEntry> points = PointEntriesOf(chosen, flags);
    ASSERT_EQ(points.GetSize(), 2);
    EXPECT_EQ(points[0].m_name, "水位(上)");
    EXPECT_EQ(points[0].m_number, "10021");
    EXPECT_EQ(points[1].m_values[2], 1);
    EXPECT_EQ(points[1].m_values[1], 0);
}

class PointLookups : public ::testing::TestWithParam<testdb::Kind> {
protected:
    void SetUp() override {
        TESTDB_OPEN(m_db, GetParam());
        LOGFONT font;
        font.lfHeight = 14;
        font.lfWeight = 700;
        font.lfFaceName = "楷体";
        const std::string fontText = CComplexString::AnnexArrayString(font).str();
        for (const std::string& sql : {
                 std::string("CREATE TABLE KES.CENTERSTA (CSID INTEGER, CSNAME VARCHAR(40))"),
                 std::string("CREATE TABLE KES.DATACHAR (DCHAR INTEGER, CHARNAME VARCHAR(40))"),
                 std::string("CREATE TABLE KES.ALLPOINT (ID INTEGER, SENID INTEGER, CSID INTEGER, "
                             "SENNAME VARCHAR(40), DCHAR INTEGER)"),
                 std::string("CREATE TABLE KES.SET_DISPLAY_MODE (DISMODEID INTEGER, TYPENAME VARCHAR(40), "
                             "SHOWT INTEGER)"),
                 std::string("CREATE TABLE KES.SET_DISPLAY_MODE_INI (DISMODEID INTEGER, COLID INTEGER, "
                             "COLORFG INTEGER, COLORBG INTEGER, FONT VARCHAR(200))"),
                 std::string("INSERT INTO KES.CENTERSTA VALUES (2, '中游 ')"),
                 std::string("INSERT INTO KES.CENTERSTA VALUES (1, '上游')"),
                 std::string("INSERT INTO KES.DATACHAR VALUES (1, '水位')"),
                 std::string("INSERT INTO KES.DATACHAR VALUES (2, '流量')"),
                 std::string("INSERT INTO KES.ALLPOINT VALUES (5, 10051, 2, '坝下水位', 1)"),
                 std::string("INSERT INTO KES.ALLPOINT VALUES (1, 10021, 1, '坝上水位', 1)"),
                 std::string("INSERT INTO KES.ALLPOINT VALUES (2, 10022, 1, '入库流量', 2)"),
                 std::string("INSERT INTO KES.SET_DISPLAY_MODE VALUES (1, '水情', 1)"),
                 std::string("INSERT INTO KES.SET_DISPLAY_MODE VALUES (3, '雨情', 1)"),
                 std::string("INSERT INTO KES.SET_DISPLAY_MODE_INI VALUES (1, 2, 255, 16777215, '" +
                             fontText + "')"),
                 std::string("INSERT INTO KES.SET_DISPLAY_MODE_INI VALUES (1, 1, 0, 14745599, '" + fontText +
                             "')"),
                 std::string("INSERT INTO KES.SET_DISPLAY_MODE_INI VALUES (3, 1, 128, 0, '')"),
             }) {
            std::vector<std::string> reply;
            ASSERT_TRUE(testdb::Run(sql, reply)) << sql;
        }
    }
    static CStringArray Points(const CString& centre, const CString& characteristic) {
        CQueryClient client;
        return LoadNameCodeChoices(client, PointListStatement(centre, characteristic));
    }
    std::unique_ptr<testdb::TestDatabase> m_db;
};

TEST_P(PointLookups, BlankFiltersListEveryPointBySenidAndChosenOnesNarrow) {
    CQueryClient client;
    const CStringArray centres = LoadNameCodeChoices(client, CentreStationsStatement());
    ASSERT_EQ(centres.GetSize(), 2);
    EXPECT_EQ(centres[0], "上游(1)");
    EXPECT_EQ(centres[1], "中游(2)") << "names are trimmed";
    const CStringArray characteristics = LoadNameCodeChoices(client, DataCharacteristicsStatement());
    ASSERT_EQ(characteristics.GetSize(), 2);

    const CStringArray all = Points(kNoFilterChoice, kNoFilterChoice);
    ASSERT_EQ(all.GetSize(), 3);
    EXPECT_EQ(all[0], "坝上水位(10021)");
    EXPECT_EQ(all[1], "入库流量(10022)");
    EXPECT_EQ(all[2], "坝下水位(10051)");

    const CStringArray upstream = Points(centres[0], kNoFilterChoice);
    ASSERT_EQ(upstream.GetSize(), 2);
    const CStringArray levels = Points(centres[0], characteristics[0]);
    ASSERT_EQ(levels.GetSize(), 1);
    EXPECT_EQ(levels[0], "坝上水位(10021)");
    EXPECT_EQ(Points("中游(2)", "流量(2)").GetSize(), 0);

    const testdb::Snapshot before = testdb::TakeSnapshot(GetParam());
    EXPECT_EQ(Points("x(1 OR 1=1)", kNoFilterChoice).GetSize(), 0) << "a code is a value, never SQL";
    EXPECT_EQ(Points("x(1; DELETE FROM KES.ALLPOINT)", kNoFilterChoice).GetSize(), 0);
    EXPECT_EQ(testdb::TakeSnapshot(GetParam()), before);
}

TEST_P(PointLookups, TheFirstDisplayModeLoadsItsStylesLikeAnyOther) {
    CQueryClient client;
    const CStringArray modes = DisplayModeChoices(client);
    ASSERT_EQ(modes.GetSize(), 2);
    EXPECT_EQ(modes[0], "水情(1)");
    const CObjectArray<CStyleEntry> first = DisplayModeStyles(client, modes[0]);
    ASSERT_EQ(first.GetSize(), 2);
    EXPECT_EQ(first[0].m_first, 0) << "ordered by column id";
    EXPECT_EQ(first[0].m_second, 14745599);
    EXPECT_EQ(first[1].m_first, 255);
    EXPECT_EQ(first[1].m_font.lfFaceName, "楷体");
    EXPECT_EQ(first[1].m_font.lfWeight, 700);
    EXPECT_EQ(DisplayModeStyles(client, modes[1]).GetSize(), 1);
    EXPECT_EQ(DisplayModeStyles(client, "手写(1 or 1=1)").GetSize(), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, PointLookups,
                         ::testing::Values(testdb::Kind::Sqlite, testdb::Kind::Postgres),
                         [](const auto& info) {
                             return info.param == testdb::Kind::Sqlite ? "Sqlite" : "Postgres";
                         });

} // namespace
