// The missing-data bar's model over the compact demo database: its units and interval lists,
// the refusals that leave the request alone, and the gaps its request finds at the start, in
// the middle and at the end of a period (宜昌's level point 10021 has no record from 06:05 to
// 11:55 of 1 November).
#include "LackTimeBarModel.h"
#include "DemoBarDatabase.h"

namespace {

class LackTimeBarModelTest : public DemoBarTest {
protected:
    struct LackBar {
        CQueryClient client;
        CTableQuery engine{client};
        CQuerySettings request;
        CWindowSettings window;
        CQueryOptions options;
        CInterfaceSettings ui;
        CLackTimeBarModel model{engine, client, request, window, options, ui};

        LackBar() {
            CTableQueryOptions engineOptions;
            engineOptions.missingDataStats = true;
            engine.Load("RTEV", engineOptions);
        }
        int Item(const char* key) const {
            const CSelectGroup* station = model.Groups().Station();
            for (int i = 0; station && i < station->GetCount(); ++i)
                if (station->keys[i] == key) return i;
            return -1;
        }
        // The rows the window shows for what the bar wrote.
        std::vector<CStringArray> Gaps() { return LackTimeRows(LackTimeRequestFor(request, "rtev ")); }
    };
};

TEST_F(LackTimeBarModelTest, UnitsOfferTheirIntervalsAndAClickStartsAtOne) {
    EXPECT_EQ(LackUnitCaptions(), (CStringArray{"秒", "分", "时", "天"}));
    const int sizes[kLackUnitCount] = {60, 60, 60, 31};
    const char* lasts[kLackUnitCount] = {"60秒", "60分", "60时", "31天"};
    for (int unit = 0; unit < kLackUnitCount; ++unit) {
        const CStringArray texts = LackIntervalTexts(unit);
        ASSERT_EQ(texts.GetSize(), sizes[unit]) << unit;
        EXPECT_EQ(texts[texts.GetSize() - 1], lasts[unit]);
    }
    EXPECT_EQ(LackIntervalTexts(1)[0], "1分");
    EXPECT_TRUE(LackIntervalTexts(4).IsEmpty());

    // The element's unit and interval stand, brought into the lists.
    LackBar bar;
    bar.request.m_timeTypeIndex = kLackDays;
    bar.request.m_timeInterval = 45;
    EXPECT_EQ(bar.model.Attach(), kNotifyShow);
    ASSERT_TRUE(bar.model.HasStationList());
    ASSERT_TRUE(bar.model.HasTimeBlock());
    EXPECT_EQ(bar.model.Unit(), kLackDays);
    EXPECT_EQ(bar.model.IntervalIndex(), 30);
    bar.request.m_timeTypeIndex = 7;
    bar.request.m_timeInterval = 0;
    bar.model.Attach();
    EXPECT_EQ(bar.model.Unit(), kLackSeconds);
    EXPECT_EQ(bar.model.IntervalIndex(), 0);

    bar.model.SelectInterval(9);
    bar.model.SelectUnit(kLackMinutes);
    EXPECT_EQ(bar.request.m_timeTypeIndex, kLackMinutes);
    EXPECT_EQ(bar.request.m_timeInterval, 1);
    bar.model.SelectInterval(14);
    bar.model.SelectInterval(-1); // nothing chosen in the list
    bar.model.SelectUnit(kLackUnitCount);
    const CLackTimeRequest lack = LackTimeRequestFor(bar.request, " real");
    EXPECT_EQ(lack.intervalUnit, kLackMinutes);
    EXPECT_EQ(lack.intervalCount, 15);
    EXPECT_EQ(lack.extraText, "REAL");
}

TEST_F(LackTimeBarModelTest, RefusedChoicesLeaveTheRequestAlone) {
    LackBar bar;
    bar.model.Attach();
    bar.request.m_stations.Add("OLD");
    bar.request.m_startTimeText = "2026-01-01 00:00:00";

    bar.request.m_startFlag = 0;
    EXPECT_EQ(bar.model.Refresh(Input({0}, At(2026, 11, 1), At(2026, 11, 2))), ERefreshOutcome::Stop);
    bar.request.m_startFlag = 1;
    EXPECT_EQ(bar.model.Refresh(Input({}, At(2026, 11, 1), At(2026, 11, 2))), ERefreshOutcome::NoStation);
    EXPECT_EQ(bar.request.m_stations, CStringArray{"OLD"});
    EXPECT_EQ(bar.model.Refresh(Input({0}, At(2026, 11, 2), At(2026, 11, 1))), ERefreshOutcome::BadTimeRange);
    EXPECT_EQ(bar.request.m_startTimeText, "2026-01-01 00:00:00");

    // Without a period of its own the bar offers the three days up to an hour from now.
    bar.request.m_startTimeText.Empty();
    const CTimeRange initial = bar.model.InitialTimes();
    EXPECT_NEAR((initial.end - COleDateTime::GetCurrentTime()).GetTotalDays() * 24, 1.0, 0.01);
    EXPECT_DOUBLE_EQ((initial.end - initial.start).GetTotalDays(), 3.0);
}

TEST_F(LackTimeBarModelTest, GapsAtTheStartInsideAndAtTheEndOfThePeriodAreCounted) {
    LackBar bar;
    bar.model.Attach();
    const int yichang = bar.Item("10021"), shashi = bar.Item("10031");
    ASSERT_GE(yichang, 0);
    ASSERT_GE(shashi, 0);
    bar.model.SelectUnit(kLackHours);

    // The period starts inside the gap: the stretch up to the first record is a gap.
    ASSERT_EQ(bar.model.Refresh(Input({yichang, shashi}, At(2026, 11, 1, 8), At(2026, 11, 1, 14))),
              ERefreshOutcome::Go);
    EXPECT_EQ(bar.request.m_stations, (CStringArray{"10021", "10031"}));
    EXPECT_EQ(bar.request.m_startTimeText, "2026-11-01 08:00:00");
    std::vector<CStringArray> gaps = bar.Gaps();
    ASSERT_EQ(gaps.size(), 1u);
    EXPECT_EQ(gaps[0], (CStringArray{"10021", "2026-11-01 08:00:00 至 2026-11-01 12:00:00", " 4时 0分 0秒"}));

    // The period ends inside it: from the last record to the end.
    bar.model.Refresh(Input({yichang}, At(2026, 11, 1, 3), At(2026, 11, 1, 10)));
    gaps = bar.Gaps();
    ASSERT_EQ(gaps.size(), 1u);
    EXPECT_EQ(gaps[0][1], "2026-11-01 06:00:00 至 2026-11-01 10:00:00");

    // Wholly inside it: no record at all.
    bar.model.Refresh(Input({yichang}, At(2026, 11, 1, 7), At(2026, 11, 1, 11)));
    gaps = bar.Gaps();
    ASSERT_EQ(gaps.size(), 1u);
    EXPECT_EQ(gaps[0], (CStringArray{"10021", "***缺数***", "***无数据***"}));

    // Five minutes between records is no gap at five minutes, and is one at four.
    bar.model.SelectUnit(kLackMinutes);
    bar.model.SelectInterval(4);
    bar.model.Refresh(Input({shashi}, At(2026, 11, 1, 0), At(2026, 11, 1, 23, 55)));
    EXPECT_TRUE(bar.Gaps().empty());
    bar.model.SelectInterval(3);
    gaps = bar.Gaps();
    ASSERT_EQ(gaps.size(), 287u);
    EXPECT_EQ(gaps[0][2], " 5分 0秒");
}

} // namespace
