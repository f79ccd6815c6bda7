// Refresh checks and what they write into the request, the region menu, and keys with quotes.
#include "DemoBarDatabase.h"
#include "RegionMenu.h"

namespace {

class BarRefreshTest : public DemoBarTest {};

TEST_F(BarRefreshTest, RefusedChoicesLeaveTheRequestAlone) {
    Bar bar("RIVER_HOUR");
    bar.model.Attach();
    bar.request.m_stations.Add("OLD");
    bar.request.m_startTimeText = "2026-01-01 00:00:00";

    bar.request.m_startFlag = 0;
    EXPECT_EQ(bar.model.Refresh(Input({0}, At(2026, 11, 1), At(2026, 11, 2))), ERefreshOutcome::Stop);
    EXPECT_EQ(bar.request.m_stations[0], "OLD");
    bar.request.m_startFlag = 1;

    EXPECT_EQ(bar.model.Refresh(Input({}, At(2026, 11, 1), At(2026, 11, 2))), ERefreshOutcome::NoStation);
    EXPECT_EQ(bar.request.m_stations[0], "OLD");
    EXPECT_EQ(bar.request.m_startTimeText, "2026-01-01 00:00:00");

    // The start after the end: stations are taken, times are not.
    const CSelectGroup& station = *bar.model.Groups().Station();
    EXPECT_EQ(bar.model.Refresh(Input({2, 0}, At(2026, 11, 3), At(2026, 11, 2))),
              ERefreshOutcome::BadTimeRange);
    ASSERT_EQ(bar.engine.m_request.keys.GetSize(), 2);
    EXPECT_EQ(bar.engine.m_request.keys[0], station.keys[2]);
    EXPECT_EQ(bar.request.m_stations, bar.engine.m_request.keys);
    EXPECT_EQ(bar.request.m_startTimeText, "2026-01-01 00:00:00");
    EXPECT_EQ(bar.engine.m_request.startTime, "");
}

TEST_F(BarRefreshTest, HourlyTableWritesTheTimesAsChosen) {
    Bar bar("RIVER_HOUR");
    bar.model.Attach();
    bar.options.m_hourlyRainfall = 1; // without TOTAL(TABLE, ...) nothing is shifted
    EXPECT_EQ(bar.model.Refresh(Input({1}, At(2026, 11, 1, 9, 30), At(2026, 11, 2, 10))),
              ERefreshOutcome::Go);
    EXPECT_EQ(bar.request.m_startTimeText, "2026-11-01 09:30:00");
    EXPECT_EQ(bar.request.m_endTimeText, "2026-11-02 10:00:00");
    EXPECT_EQ(bar.engine.m_request.startTime, bar.request.m_startTimeText);
    EXPECT_EQ(bar.request.m_endTime, At(2026, 11, 2, 10));
    EXPECT_FALSE(bar.engine.m_request.hourlyShift);
    EXPECT_FALSE(bar.engine.m_request.totals);
}

TEST_F(BarRefreshTest, HourlyRainfallMovesTheHourTypeOneHourLater) {
    Bar bar("BAR_HOUR");
    bar.options.m_hourlyRainfall = 1;
    bar.model.Attach();
    EXPECT_EQ(bar.model.TypeCaptions(), (CStringArray{"时", "日"}));
    EXPECT_EQ(bar.model.TimeTypeCode(), kTypeHour);
    EXPECT_EQ(bar.model.Refresh(Input({0}, At(2026, 11, 1, 9), At(2026, 11, 1, 12))), ERefreshOutcome::Go);
    EXPECT_TRUE(bar.engine.m_request.totals);
    EXPECT_TRUE(bar.engine.m_request.hourlyShift);
    EXPECT_EQ(bar.request.m_startTimeText, "2026-11-01 10:00:00");
    EXPECT_EQ(bar.request.m_endTimeText, "2026-11-01 13:00:00");

    // The day type: no shift, the day from 00:00 to 08:00.
    bar.model.SelectTimeType(1, At(2026, 11, 1), At(2026, 11, 2));
    EXPECT_EQ(bar.request.m_timeTypeIndex, kTimeDay);
    EXPECT_EQ(bar.model.Refresh(Input({0}, At(2026, 11, 1, 9), At(2026, 11, 3, 12))), ERefreshOutcome::Go);
    EXPECT_FALSE(bar.engine.m_request.hourlyShift);
    EXPECT_EQ(bar.request.m_startTimeText, "2026-11-01 00:00:00");
    EXPECT_EQ(bar.request.m_endTimeText, "2026-11-03 08:00:00");
}

TEST_F(BarRefreshTest, ChangeTimeColumnMovesDayAndMonthPeriodsOnePeriodOn) {
    Bar bar("BAR_DAY");
    bar.model.Attach();
    EXPECT_EQ(bar.model.TypeCaptions(), (CStringArray{"日", "月"}));
    EXPECT_EQ(bar.model.TimeTypeCode(), kTypeDay);
    EXPECT_EQ(bar.model.TimeControlPrecision(), 3);
    EXPECT_EQ(bar.model.Refresh(Input({0}, At(2026, 11, 1, 15, 30), At(2026, 11, 5, 20))),
              ERefreshOutcome::Go);
    EXPECT_EQ(bar.request.m_startTimeText, "2026-11-02 00:00:00");
    EXPECT_EQ(bar.request.m_endTimeText, "2026-11-06 08:00:00");

    bar.request.m_timeInterval = 5;
    CTimeRange range = bar.model.SelectTimeType(1, At(2026, 11, 1), At(2026, 11, 30));
    EXPECT_EQ(bar.request.m_timeTypeIndex, kTimeMonth);
    EXPECT_EQ(bar.request.m_timeInterval, 1);
    EXPECT_EQ(range.start, At(2026, 9, 28));
    EXPECT_EQ(range.precision, 4);
    bar.model.SelectInterval(2);
    EXPECT_EQ(bar.request.m_timeInterval, 3);
    EXPECT_EQ(bar.model.Refresh(Input({0}, range.start, range.end)), ERefreshOutcome::Go);
    EXPECT_EQ(bar.request.m_startTimeText, "2026-10-01 00:00:00");
    EXPECT_EQ(bar.request.m_endTimeText, "2026-12-01 08:00:00");
}

TEST_F(BarRefreshTest, HourTypeMovesOnlyForAnHourlyChangeTimeColumn) {
    Bar bar("BAR_HOURC");
    bar.model.Attach();
    EXPECT_EQ(bar.model.Refresh(Input({0}, At(2026, 11, 1, 9, 30), At(2026, 11, 1, 12))),
              ERefreshOutcome::Go);
    EXPECT_EQ(bar.request.m_startTimeText, "2026-11-01 10:00:00");
    EXPECT_EQ(bar.request.m_endTimeText, "2026-11-01 13:00:00");
    EXPECT_FALSE(bar.engine.m_request.hourlyShift);
}

TEST_F(BarRefreshTest, ElementChoiceWritesALeadingOneAndTheCheckStates) {
    Bar bar("RIVER_HOUR");
    bar.ui.m_elementChoice = 1;
    bar.model.Attach();
    CRefreshInput input = Input({0}, At(2026, 11, 1), At(2026, 11, 2));
    input.elementChecks = std::vector<bool>{true, false, true};
    EXPECT_EQ(bar.model.Refresh(input), ERefreshOutcome::Go);
    EXPECT_EQ(bar.ui.m_elementList, (CDWordArray{1, 1, 0, 1}));
}

TEST_F(BarRefreshTest, RegionChoiceReplacesTheCentresAndReloadsTheStations) {
    Bar bar("RIVER_HOUR");
    bar.model.Attach();
    CString error;
    EXPECT_TRUE(bar.model.RegionMenuOffered(error));
    EXPECT_EQ(error, "");
    Bar noCentres("BAR_DAY");
    noCentres.model.Attach();
    EXPECT_FALSE(noCentres.model.RegionMenuOffered(error));

    CSelectionGroups& groups = bar.model.Groups();
    const CStringArray stationsBefore = groups.Station()->keys;
    CRegionResult none = bar.model.ChooseRegion(33513); // 华北: no sub-centre rows
    EXPECT_FALSE(none.applied);
    EXPECT_EQ(none.message, kMsgNoRegion);
    EXPECT_EQ(groups[3].GetCount(), 5);
    EXPECT_EQ(groups.Station()->keys, stationsBefore);

    CRegionResult first = bar.model.ChooseRegion(33510); // 一类厂
    ASSERT_TRUE(first.applied) << first.message;
    EXPECT_EQ(bar.model.CheckedRegionCommand(), 33510);
    EXPECT_EQ(bar.model.RegionCode(), 1);
    EXPECT_EQ(groups[3].names, (CStringArray{"长江上游分中心", "长江中游分中心"}));
    EXPECT_EQ(groups[3].keys, (CStringArray{"1", "2"}));
    EXPECT_EQ(groups[3].displayTexts[1], "长江中游分中心(2)");
    EXPECT_EQ(groups[3].initials.GetSize(), 2);
    EXPECT_EQ(groups.Station()->condition, "BSCD IN(1,2,3,4,5,6,7) AND CSID IN(1,2)");
    EXPECT_EQ(groups.Station()->GetCount(), Count("SELECT COUNT(*) FROM KES.STATION WHERE CSID IN(1,2)"));
    EXPECT_EQ(groups.Master().keys, groups.Station()->keys);
}

TEST_F(BarRefreshTest, FailedRegionLookupIsReportedAndChangesNothing) {
    Bar bar("RIVER_HOUR");
    bar.model.Attach();
    std::vector<std::string> reply;
    ASSERT_TRUE(testdb::Run("ALTER TABLE KES.RELATION RENAME TO RELATION_OFF", reply));
    CString error;
    EXPECT_FALSE(bar.model.RegionMenuOffered(error));
    EXPECT_EQ(error.Left(20), CString("数据库写错误!\n"));
    CRegionResult result = bar.model.ChooseRegion(33510);
    ASSERT_TRUE(testdb::Run("ALTER TABLE KES.RELATION_OFF RENAME TO RELATION", reply));
    EXPECT_FALSE(result.applied);
    EXPECT_EQ(result.message.Left(20), CString("数据库写错误!\n"));
    EXPECT_GT(result.message.GetLength(), 20);
    EXPECT_EQ(bar.model.Groups()[3].GetCount(), 5);
}

TEST_F(BarRefreshTest, KeysWithQuotesCannotBreakTheStatements) {
    Bar bar("RIVER_HOUR");
    bar.AddItem("1", "分组", "ODDSTA", "N", "G", kSelectFilter);
    bar.AddItem("1", "测站", "ODDSTA", "N", "K", kSelectStation, "K <> 'x'");
    bar.request.m_stations.Add("a'b");
    bar.model.Attach();
    CSelectionGroups& groups = bar.model.Groups();
    ASSERT_EQ(groups[0].keys, (CStringArray{"g'1", "g2"}));
    EXPECT_EQ(bar.model.StationListFill().selected, (std::vector<int>{0}));

    EXPECT_FALSE(bar.model.Cascade({1}));
    EXPECT_EQ(groups.CascadeStatement(groups.CascadeConditions({1})),
              "SELECT N,K FROM KES.ODDSTA WHERE G IN('g''1') AND K <> 'x' ORDER BY K ASC ");
    ASSERT_EQ(groups.Station()->keys, (CStringArray{"a'b"}));
    EXPECT_EQ(bar.model.Refresh(Input({0}, At(2026, 11, 1), At(2026, 11, 2))), ERefreshOutcome::Go);
    EXPECT_EQ(bar.engine.m_request.keys, (CStringArray{"a'b"}));

    // A configured list with a quote is quoted, not pasted.
    Bar listed("RIVER_HOUR");
    listed.AddItem("1", "分组", "ODDSTA", "N", "G", kSelectFilter, "(g'1)");
    listed.AddItem("1", "测站", "ODDSTA", "N", "K", kSelectStation);
    listed.model.Attach();
    EXPECT_EQ(listed.model.Groups()[0].keys, (CStringArray{"g'1"}));
    EXPECT_EQ(listed.model.Groups().Station()->names, (CStringArray{"引号站"}));
}

} // namespace
