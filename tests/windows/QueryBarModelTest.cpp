// Loading the selection groups from the demo settings, the cascade of the filter lists, the
// quick search and direct station entry.
#include "DemoBarDatabase.h"
#include "PinyinInitials.h"

namespace {

class QueryBarModelTest : public DemoBarTest {};

TEST_F(QueryBarModelTest, DirectivesGiveStationTimeAndFilterGroupsWithMatchingItems) {
    Bar bar("RIVER_HOUR");
    bar.request.m_stations.Add("60105400");
    EXPECT_EQ(bar.model.Attach(), kNotifyShow);
    const CSelectionGroups& groups = bar.model.Groups();
    // STCD [Where(1)], TM [Where(0)], Z [Where(3+4)].
    ASSERT_EQ(groups.GetCount(), 4);
    EXPECT_EQ(groups[0].kind, kSelectStation);
    EXPECT_EQ(groups[0].label, "测站");
    EXPECT_EQ(groups[1].kind, kSelectTime);
    EXPECT_EQ(groups[2].label, "流域");
    EXPECT_EQ(groups[3].table, "CENTERSTA");
    EXPECT_EQ(bar.model.TimeDisplayWord(), "HOUR");
    EXPECT_EQ(bar.model.TimeControlPrecision(), 2);
    EXPECT_FALSE(bar.model.HasTypeButtons());

    const CSelectGroup& station = *groups.Station();
    ASSERT_EQ(station.GetCount(), Count("SELECT COUNT(*) FROM KES.STATION"));
    ASSERT_EQ(station.initials.GetSize(), station.GetCount());
    for (int i = 0; i < station.GetCount(); ++i) {
        EXPECT_EQ(station.displayTexts[i], station.names[i] + "(" + station.keys[i] + ")");
        EXPECT_EQ(station.initials[i], PinyinInitialsOf(station.displayTexts[i]));
    }
    EXPECT_EQ(groups[2].GetCount(), 7);
    EXPECT_EQ(bar.model.FilterEntries(0)[0], "流域");
    EXPECT_EQ(bar.model.FilterEntries(0).GetSize(), 8);
    EXPECT_EQ(groups.Master().keys, station.keys);

    // The request's station is selected by its exact key; list texts follow show-primary-key-ID.
    CStationListFill fill = bar.model.StationListFill();
    ASSERT_EQ(fill.selected.size(), 1u);
    EXPECT_EQ(station.keys[fill.selected[0]], "60105400");
    EXPECT_EQ(bar.model.CurrentStationText(), "长江宜昌站(60105400)");
    EXPECT_TRUE(fill.stationTextChanged);
    EXPECT_EQ(fill.texts[fill.selected[0]], "长江宜昌站(60105400)");
    bar.options.m_showPrimaryKeyId = 0;
    EXPECT_EQ(bar.model.StationTexts()[fill.selected[0]], "长江宜昌站");
}

TEST_F(QueryBarModelTest, TablesWithoutStationOrTimeGroupCollapseTheBar) {
    Bar bar("RIVER_HOUR");
    bar.request.m_advanced = 1; // advanced, but no selection items configured
    EXPECT_EQ(bar.model.Attach(), kNotifyCollapse);
    EXPECT_EQ(bar.model.Groups().GetCount(), 0);
    EXPECT_TRUE(bar.model.StationListFill().texts.IsEmpty());
}

TEST_F(QueryBarModelTest, ConfiguredItemsRestrictFilterAndStationLists) {
    Bar bar("RIVER_HOUR");
    bar.AddItem("3", "流域", "BASIN", "BSNM", "BSCD", kSelectFilter, "(3,4)");
    bar.AddItem("1", "测站", "STATION", "STNM", "STCD", kSelectStation, "STTP IS NOT NULL");
    bar.AddItem("0", "时间", "", "", "", kSelectTime);
    EXPECT_EQ(bar.model.Attach(), kNotifyShow);
    const CSelectionGroups& groups = bar.model.Groups();
    EXPECT_EQ(groups[0].condition, "BSCD IN(3,4)");
    EXPECT_EQ(groups[0].names.GetSize(), 2);
    EXPECT_EQ(groups.Station()->condition, "BSCD IN(3,4) AND STTP IS NOT NULL");
    EXPECT_EQ(groups.Station()->GetCount(),
              Count("SELECT COUNT(*) FROM KES.STATION WHERE BSCD IN(3,4) AND STTP IS NOT NULL"));
    EXPECT_GT(groups.Station()->GetCount(), 0);

    // Direct display leaves the station list empty; the filter lists still load.
    Bar direct("RIVER_HOUR");
    direct.AddItem("3", "流域", "BASIN", "BSNM", "BSCD", kSelectFilter);
    direct.AddItem("1", "测站", "STATION", "STNM", "STCD", kSelectStation);
    direct.options.m_directDisplay = 1;
    direct.model.Attach();
    EXPECT_EQ(direct.model.Groups()[0].GetCount(), 7);
    EXPECT_EQ(direct.model.Groups().Station()->GetCount(), 0);
}

TEST_F(QueryBarModelTest, FilterSelectionNarrowsTheStationsAndTheLabelRestoresThem) {
    Bar bar("RIVER_HOUR");
    bar.model.Attach();
    CSelectionGroups& groups = bar.model.Groups();
    const int all = groups.Station()->GetCount();
    int hanjiang = -1;
    for (int i = 0; i < groups[2].GetCount(); ++i)
        if (groups[2].names[i] == "汉江") hanjiang = i;
    ASSERT_GE(hanjiang, 0);

    std::vector<CString> conditions = groups.CascadeConditions({hanjiang + 1, 0});
    ASSERT_EQ(conditions.size(), 1u);
    EXPECT_EQ(groups.CascadeStatement(conditions),
              "SELECT STNM,STCD FROM KES.STATION WHERE BSCD IN(4) ORDER BY STCD ASC ");
    EXPECT_FALSE(bar.model.Cascade({hanjiang + 1, 0}));
    const CSelectGroup& station = *groups.Station();
    EXPECT_EQ(station.GetCount(), Count("SELECT COUNT(*) FROM KES.STATION WHERE BSCD=4"));
    EXPECT_LT(station.GetCount(), all);
    for (int i = 0; i < station.GetCount(); ++i) {
        EXPECT_EQ(station.names[i].Left(6), "汉江") << station.names[i];
        EXPECT_EQ(station.initials[i], PinyinInitialsOf(station.displayTexts[i]));
    }
    EXPECT_EQ(groups.Master().keys, station.keys); // the quick search now starts from these

    // Both filters: the basin and the first centre.
    EXPECT_FALSE(bar.model.Cascade({hanjiang + 1, 1}));
    EXPECT_EQ(station.GetCount(), Count("SELECT COUNT(*) FROM KES.STATION WHERE BSCD=4 AND CSID=1"));

    EXPECT_FALSE(bar.model.Cascade({0, 0}));
    EXPECT_EQ(station.GetCount(), all);
}

TEST_F(QueryBarModelTest, DirectDisplayCascadeBuildsTheStationConditionInstead) {
    Bar bar("RIVER_HOUR");
    bar.options.m_directDisplay = 1;
    bar.model.Attach();
    EXPECT_TRUE(bar.model.Cascade({2, 0}));
    EXPECT_EQ(bar.engine.m_request.directStationCondition, " ( BSCD IN(2) )");
    EXPECT_FALSE(bar.model.Cascade({0, 0}));
    EXPECT_EQ(bar.engine.m_request.directStationCondition, "");
}

TEST_F(QueryBarModelTest, QuickSearchFiltersTheMasterCopyAndClearingRestoresIt) {
    Bar bar("RIVER_HOUR");
    bar.model.Attach();
    const CSelectGroup& station = *bar.model.Groups().Station();
    const CStringArray allKeys = station.keys;

    bar.model.QuickSearch("HJ");
    ASSERT_GT(station.GetCount(), 0);
    EXPECT_LT(station.GetCount(), allKeys.GetSize());
    for (int i = 0; i < station.GetCount(); ++i)
        EXPECT_GE(station.initials[i].Find("hj"), 0) << station.displayTexts[i];
    EXPECT_EQ(bar.model.StationTexts().GetSize(), station.GetCount());

    // A second search starts again from the full list, not from the last result.
    bar.model.QuickSearch("hj 6180");
    const int narrowed = station.GetCount();
    EXPECT_GT(narrowed, 0);
    bar.model.QuickSearch("6180");
    EXPECT_GE(station.GetCount(), narrowed);

    bar.model.QuickSearch("zzzz");
    EXPECT_EQ(station.GetCount(), 0);
    bar.model.QuickSearch("  ");
    EXPECT_EQ(station.keys, allKeys);
    EXPECT_EQ(station.displayTexts.GetSize(), allKeys.GetSize());
}

TEST_F(QueryBarModelTest, DirectEntryQueriesTheEnteredStationAndSelectsItsItems) {
    Bar bar("RIVER_HOUR");
    bar.model.Attach();
    CRefreshInput input;
    input.start = At(2026, 11, 1);
    input.end = At(2026, 11, 2);

    bar.model.BeginDirectEntry();
    CDirectEntryResult result = bar.model.ConfirmDirectEntry(" 60105400 ", input);
    EXPECT_EQ(result.outcome, ERefreshOutcome::Go);
    ASSERT_EQ(bar.engine.m_request.keys.GetSize(), 1);
    EXPECT_EQ(bar.engine.m_request.keys[0], "60105400");
    ASSERT_EQ(result.selected.size(), 1u);
    EXPECT_EQ(bar.model.CurrentStationText(), "长江宜昌站(60105400)");
    EXPECT_FALSE(bar.model.InDirectEntry());

    // Cancelled entry: later refreshes ask for the empty station without the station check.
    bar.model.BeginDirectEntry();
    EXPECT_EQ(bar.model.Refresh(input), ERefreshOutcome::Go);
    ASSERT_EQ(bar.request.m_stations.GetSize(), 1);
    EXPECT_EQ(bar.request.m_stations[0], "");
}

} // namespace
