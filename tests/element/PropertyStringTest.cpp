// Property strings: what a decoder reads from a list that holds fewer (or odd) items.
#include "ComplexString.h"
#include "ElementFixtures.h"

#include <gtest/gtest.h>

namespace {

CStringArray Items(const CString& joined) {
    CStringArray items;
    CComplexString::DecomposeStringS(joined, items);
    return items;
}

CString FirstItems(const CString& joined, int n) {
    CStringArray all = Items(joined), part;
    for (int i = 0; i < n && i < all.GetSize(); ++i)
        part.Add(all[i]);
    return CComplexString::AnnexArrayStringS(part);
}

template <class Record> void ExpectEveryPrefixDecodesSafelyAndCompletes(const Record& full) {
    CString joined = full.Encode();
    int count = Items(joined).GetSize();
    for (int n = 0; n <= count; ++n) {
        Record r;
        r.Decode(FirstItems(joined, n));
        r.Decode(joined); // the complete string then fills in everything
        EXPECT_TRUE(r == full) << "after a prefix of " << n << " items";
    }
    Record untouched;
    untouched.Decode(FirstItems(joined, 0));
    EXPECT_TRUE(untouched == Record());
}

// The same for the window settings, whose string also carries six fields of query.
void ExpectEveryWindowPrefixDecodesSafelyAndCompletes(const CWindowSettings& full,
                                                      const CQuerySettings& query) {
    CString joined = full.Encode(query);
    int count = Items(joined).GetSize();
    for (int n = 0; n <= count; ++n) {
        CWindowSettings r;
        CQuerySettings q = query;
        r.Decode(FirstItems(joined, n), q);
        r.Decode(joined, q);
        EXPECT_TRUE(r == full && q == query) << "after a prefix of " << n << " items";
    }
}

} // namespace

TEST(PropertyStrings, RecordsRoundTripAndSurviveEveryShortList) {
    CVexorQueryElemOBJ e;
    SetEveryField(e);
    ExpectEveryWindowPrefixDecodesSafelyAndCompletes(e.m_windowSettings, e.m_querySettings);
    ExpectEveryPrefixDecodesSafelyAndCompletes(e.m_interfaceSettings);
    ExpectEveryPrefixDecodesSafelyAndCompletes(e.m_pointSettings);
    ExpectEveryPrefixDecodesSafelyAndCompletes(e.m_queryOptions);
    ExpectEveryPrefixDecodesSafelyAndCompletes(e.m_sysViewSettings);
    EXPECT_EQ(Items(e.m_windowSettings.Encode(e.m_querySettings)).GetSize(), CWindowSettings::kItemCount);
}

TEST(PropertyStrings, WindowSettingsReadColoursAndFontsOnlyFromAWholeList) {
    CVexorQueryElemOBJ source;
    SetEveryField(source);
    source.m_querySettings.m_queryStyle = 2;
    source.m_querySettings.m_dynamicTime = 0;
    source.m_querySettings.m_timeInterval = 9;
    CString joined = source.m_windowSettings.Encode(source.m_querySettings);

    // The carried query fields a string without them gives are those they always had from it:
    // dynamic time 1 and interval 3, not the query record's own starting values.
    CWindowSettings sixty;
    CQuerySettings sixtyQuery = source.m_querySettings;
    sixty.Decode(FirstItems(joined, 60), sixtyQuery);
    EXPECT_TRUE(sixty == CWindowSettings());
    EXPECT_EQ(sixtyQuery.m_queryStyle, kStylePanel);
    EXPECT_EQ(sixtyQuery.m_dynamicTime, 1);
    EXPECT_EQ(sixtyQuery.m_timeInterval, 3);
    EXPECT_EQ(sixtyQuery.m_tableName, source.m_querySettings.m_tableName) << "only the carried fields";

    CWindowSettings sixtyOne;
    CQuerySettings sixtyOneQuery;
    sixtyOne.Decode(FirstItems(joined, 61), sixtyOneQuery);
    EXPECT_EQ(sixtyOne.m_colors, source.m_windowSettings.m_colors);
    EXPECT_EQ(sixtyOne.m_fonts, source.m_windowSettings.m_fonts);
    EXPECT_EQ(sixtyOneQuery.m_queryStyle, kStylePanel); // the list stops before the integers

    CWindowSettings sixtyTwo;
    CQuerySettings sixtyTwoQuery;
    sixtyTwo.Decode(FirstItems(joined, 62), sixtyTwoQuery);
    EXPECT_EQ(sixtyTwoQuery.m_queryStyle, 2);
    EXPECT_EQ(sixtyTwoQuery.m_dynamicTime, 1);
    EXPECT_EQ(sixtyTwoQuery.m_timeInterval, 3);

    // Passed over where the query settings are had elsewhere.
    CWindowSettings window;
    window.Decode(joined);
    EXPECT_TRUE(window == source.m_windowSettings);
}

TEST(PropertyStrings, InterfaceSettingsReadGroupsOnlyWhenPresent) {
    struct Case {
        const char* items;
        long mode;
        int alternate;
        COLORREF first;
        int fixed;
    };
    // Items joined by '|' for readability; mode, alternate, first, second, fixed, ...
    const Case cases[] = {
        {"-3", 0, 1, 0xC8FFFF, 0}, // a mode that is not positive reads as 0
        {"2", 2, 1, 0xC8FFFF, 0},
        {"|1|5", 0, 1, 0xC8FFFF, 0}, // an empty mode leaves it; three items read no more
        {"1|yes|5|6", 1, 0, 5, 0},   // any flag text other than 1 reads as 0
        {"1|1|5|6|1", 1, 1, 5, 1},
        {"abc|0|7|8|2", 0, 0, 7, 0},
    };
    for (const Case& c : cases) {
        CStringArray items;
        CString text = c.items;
        for (int start = 0;;) {
            int bar = text.Find('|', start);
            items.Add(text.Mid(start, bar < 0 ? text.GetLength() - start : bar - start));
            if (bar < 0) break;
            start = bar + 1;
        }
        CInterfaceSettings s;
        s.Decode(CComplexString::AnnexArrayStringS(items));
        EXPECT_EQ(s.m_mode, c.mode) << c.items;
        EXPECT_EQ(s.m_alternateRows, c.alternate) << c.items;
        EXPECT_EQ(s.m_firstRowColor, c.first) << c.items;
        EXPECT_EQ(s.m_fixedColumns, c.fixed) << c.items;
        EXPECT_EQ(s.m_panelWidth, 175) << c.items;
    }
}

TEST(PropertyStrings, ListsAreRebuiltFromTheItemsPresent) {
    // A width count larger than the widths present keeps the widths that are there and leaves
    // the later fields alone.
    CInterfaceSettings s;
    s.m_columnWidths = {9, 9, 9, 9};
    s.Decode(CComplexString::AnnexArrayStringS({"0", "1", "1", "2", "0", "5", "70", "80"}));
    EXPECT_EQ(s.m_columnWidths, (CDWordArray{70, 80}));
    EXPECT_EQ(s.m_gridBackground, 0xFFFFFFu);

    // A negative count empties the list.
    CQueryOptions o;
    o.m_selectItems.Add(std::make_unique<CSelectItem>());
    o.Decode(CComplexString::AnnexArrayStringS({"-5", "0", "STCD"}));
    EXPECT_EQ(o.m_selectItems.GetSize(), 0);
    EXPECT_EQ(o.m_stationColumn, "STCD");
    EXPECT_EQ(o.m_showPrimaryKeyId, 1);
}

TEST(PropertyStrings, PointLookupsOutsideTheListGiveNothing) {
    CVexorQueryElemOBJ e;
    SetEveryField(e);
    const CPointQuerySettings& p = e.m_pointSettings;
    EXPECT_EQ(p.PointNumberAt(0), 10010001);
    EXPECT_EQ(p.PointNameAt(0), "1号机组有功");
    EXPECT_EQ(p.PointNumberAt(1), -1);
    EXPECT_EQ(p.PointNumberAt(-1), -1);
    EXPECT_EQ(p.PointNameAt(5), "");
}
