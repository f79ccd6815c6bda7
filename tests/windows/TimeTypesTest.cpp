#include "TimeTypes.h"

#include <gtest/gtest.h>

namespace {

TEST(TimeTypes, ButtonCaptionsAndAtMostTenTypes) {
    CDWordArray configured;
    for (DWORD code : {4, 6, 3, 5, 9})
        configured.Add(code);
    std::vector<int> types = ConfiguredTimeTypes(configured);
    EXPECT_EQ(types, (std::vector<int>{4, 6, 3, 5, 9}));
    EXPECT_EQ(TimeTypeCaption(types[0]), "日");
    EXPECT_EQ(TimeTypeCaption(types[1]), "月");
    EXPECT_EQ(TimeTypeCaption(3), "时");
    EXPECT_EQ(TimeTypeCaption(5), "旬");
    EXPECT_EQ(TimeTypeCaption(9), "");
    for (int i = 0; i < 8; ++i)
        configured.Add(3);
    EXPECT_EQ(ConfiguredTimeTypes(configured).size(), 10u);
    configured.RemoveAll();
    configured.Add(0x10004); // codes are kept as 16-bit values
    EXPECT_EQ(ConfiguredTimeTypes(configured), (std::vector<int>{4}));
}

TEST(TimeTypes, IntervalListPerType) {
    EXPECT_EQ(IntervalTexts(3).GetSize(), 24);
    EXPECT_EQ(IntervalTexts(3)[23], "24小时");
    EXPECT_EQ(IntervalTexts(4).GetSize(), 31);
    EXPECT_EQ(IntervalTexts(4)[0], "1天");
    CStringArray tenDays = IntervalTexts(5);
    ASSERT_EQ(tenDays.GetSize(), 3);
    EXPECT_EQ(tenDays[2], "3旬");
    EXPECT_EQ(IntervalTexts(6)[11], "12月");
    EXPECT_TRUE(IntervalTexts(7).IsEmpty());
}

TEST(TimeTypes, ControlsFollowTheType) {
    COleDateTime start(2026, 3, 1, 8, 0, 0), end(2026, 3, 31, 8, 0, 0);
    CTimeRange hour = AdaptTimeRange(3, start, end);
    EXPECT_EQ(hour.start, start);
    EXPECT_EQ(hour.end, COleDateTime(2026, 3, 31, 9, 0, 0));
    EXPECT_EQ(hour.precision, 2);
    CTimeRange day = AdaptTimeRange(4, start, end);
    EXPECT_EQ(day.end, end);
    EXPECT_EQ(day.precision, 3);
    CTimeRange tenDay = AdaptTimeRange(5, start, end);
    EXPECT_EQ(tenDay.start, COleDateTime(2026, 3, 1, 8, 0, 0));
    EXPECT_EQ(tenDay.precision, 33);
    CTimeRange month = AdaptTimeRange(6, start, end);
    EXPECT_EQ(month.start, COleDateTime(2026, 1, 27, 8, 0, 0));
    EXPECT_EQ(month.precision, 4);
    EXPECT_FALSE(AdaptTimeRange(0, start, end).precision);
}

TEST(TimeTypes, ShowTimeWordGivesThePrecision) {
    EXPECT_EQ(ShowTimePrecision("YEAR"), 5);
    EXPECT_EQ(ShowTimePrecision("MONTH"), 4);
    EXPECT_EQ(ShowTimePrecision(" mon "), 4);
    EXPECT_EQ(ShowTimePrecision("DAY"), 3);
    EXPECT_EQ(ShowTimePrecision("HOUR"), 2);
    EXPECT_EQ(ShowTimePrecision("MIN"), 1);
    EXPECT_FALSE(ShowTimePrecision("SEC"));
    EXPECT_FALSE(ShowTimePrecision(""));
}

} // namespace
