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

TEST(QuickSearch, BlankTextKeepsEveryStation) {
    CStringArray stations = InitialsOf({"宜昌站", "宜宾", ""});
    EXPECT_EQ(QuickSearch(stations, ""), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(QuickSearch(stations, "   "), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(QuickSearch(CStringArray(), "yc"), (std::vector<int>{}));
}

} // namespace
