#include "QuickSearch.h"
#include "PinyinInitials.h"

#include <gtest/gtest.h>

namespace {

CStringArray InitialsOf(std::initializer_list<const char*> displayTexts) {
    CStringArray initials;
    for (const char* text : displayTexts)
        initials.Add(PinyinInitialsOf(CString(text)));
    return initials;
}

TEST(QuickSearch, EveryWordMustOccurSomewhereInTheInitials) {
    CStringArray stations = InitialsOf({"vu(1001)", "三峡(1001)", "三峡(2001)", "水库(1010)", "一号机(1#)"});
    EXPECT_EQ(QuickSearch(stations, "sx 10"), (std::vector<int>{1}));
    EXPECT_EQ(QuickSearch(stations, "10 sx"), (std::vector<int>{1}));
    EXPECT_EQ(QuickSearch(stations, "10"), (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(QuickSearch(stations, "yhj 1h"), (std::vector<int>{4}));
    EXPECT_EQ(QuickSearch(stations, "sx 10 zz"), (std::vector<int>{}));
}

TEST(QuickSearch, SearchTextIsLowerCasedAndSplitAtAnyRunOfSpaces) {
    CStringArray stations = InitialsOf({"宜昌站(60101)", "宜宾(60102)"});
    EXPECT_EQ(QuickSearch(stations, "  YC   601 "), (std::vector<int>{0}));
    EXPECT_EQ(QuickSearchWords("  YC   601 "), (std::vector<std::string>{"yc", "601"}));
}

TEST(QuickSearch, PolyphonesAreFoundByAnyReading) {
    CStringArray stations =
        InitialsOf({"重庆(500001)", "东阿(372524)", "宜昌站(60101)", "长江重庆段", "中乐", "sh重Q(7)"});
    EXPECT_EQ(QuickSearch(stations, "cq"), (std::vector<int>{0, 3, 5}));
    EXPECT_EQ(QuickSearch(stations, "zq"), (std::vector<int>{0, 3, 5}));
    EXPECT_EQ(QuickSearch(stations, "de"), (std::vector<int>{1}));
    EXPECT_EQ(QuickSearch(stations, "da"), (std::vector<int>{1}));
    // Every typed letter is one reading of its own character, on consecutive characters.
    EXPECT_EQ(QuickSearch(stations, "zjcq"), (std::vector<int>{3})); // 长 zhǎng, 重 chóng
    // 昌站 in 宜昌站; the two readings of 长 in 长江重庆段 are one character, not "cz".
    EXPECT_EQ(QuickSearch(stations, "cz"), (std::vector<int>{2}));
    EXPECT_EQ(QuickSearch(stations, "zy"), (std::vector<int>{4})); // 乐 yuè
    EXPECT_EQ(QuickSearch(stations, "zl"), (std::vector<int>{4}));
    EXPECT_EQ(QuickSearch(stations, "cqd 长"), (std::vector<int>{})); // hanzi typed never match a key
    // A name without polyphones behaves as before.
    EXPECT_EQ(QuickSearch(stations, "ycz 601"), (std::vector<int>{2}));
    EXPECT_EQ(QuickSearch(stations, "yz"), (std::vector<int>{}));
    // Hanzi and ASCII mixed: the ASCII letters stand for themselves, 重 for both readings.
    EXPECT_EQ(QuickSearch(stations, "shcq7"), (std::vector<int>{5}));
    EXPECT_EQ(QuickSearch(stations, "hzq"), (std::vector<int>{5}));
    EXPECT_EQ(QuickSearch(stations, "hzh"), (std::vector<int>{}));
}

TEST(QuickSearch, BlankTextKeepsEveryStation) {
    CStringArray stations = InitialsOf({"宜昌站", "宜宾", ""});
    EXPECT_EQ(QuickSearch(stations, ""), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(QuickSearch(stations, "   "), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(QuickSearch(CStringArray(), "yc"), (std::vector<int>{}));
}

} // namespace
