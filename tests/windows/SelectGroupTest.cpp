#include "SelectGroup.h"
#include "RegionMenu.h"

#include <gtest/gtest.h>

namespace {

CSelectGroup Group(const char* scheme, const char* table, const char* name, const char* key,
                   const char* condition = "") {
    CSelectGroup g;
    g.schemeId = scheme;
    g.table = table;
    g.nameColumn = name;
    g.keyColumn = key;
    g.condition = condition;
    return g;
}

TEST(GroupListStatement, OrdinarySchemesListTheWholeTableOrTheirCondition) {
    EXPECT_EQ(GroupListStatement(Group("1", " STATION ", "STNM", "STCD")),
              "SELECT DISTINCT STCD,STNM  FROM KES.STATION ORDER BY STCD ASC");
    EXPECT_EQ(GroupListStatement(Group("9999", "STATION", "STNM", "STCD", "BSCD IN(3)")),
              "SELECT DISTINCT STCD,STNM  FROM KES.STATION WHERE BSCD IN(3) ORDER BY STCD ASC");
}

TEST(GroupListStatement, CodeSchemesAreRestrictedToTheirProid) {
    EXPECT_EQ(GroupListStatement(Group("15000", "SMPRO", "PRONAME", "PRONUMER")),
              "SELECT DISTINCT PRONUMER,PRONAME  FROM KES.SMPRO WHERE PROID=15000 ORDER BY PRONUMER ASC");
    EXPECT_EQ(GroupListStatement(Group("10000", "SMPRO", "PRONAME", "PRONUMER", "PRONUMER IN(1)")),
              "SELECT DISTINCT PRONUMER,PRONAME  FROM KES.SMPRO WHERE PROID=10000 AND PRONUMER IN(1) "
              "ORDER BY PRONUMER ASC");
    // Only the scheme's number reaches the statement.
    EXPECT_EQ(GroupListStatement(Group("15000' OR '1'='1", "SMPRO", "PRONAME", "PRONUMER")),
              "SELECT DISTINCT PRONUMER,PRONAME  FROM KES.SMPRO WHERE PROID=15000 ORDER BY PRONUMER ASC");
}

TEST(GroupListStatement, SameNameAndKeyColumnIsSelectedTwiceUnderAnAlias) {
    EXPECT_EQ(GroupListStatement(Group("5", "ALLPOINT", "ID", "ID")),
              "SELECT DISTINCT ID,ID  IDAlias  FROM KES.ALLPOINT ORDER BY ID ASC");
}

TEST(GroupListStatement, NoStatementWithoutTableOrColumnsOrFromScheme30000) {
    EXPECT_EQ(GroupListStatement(Group("30000", "SMPRO", "PRONAME", "PRONUMER")), "");
    EXPECT_EQ(GroupListStatement(Group("29999", "SMPRO", "PRONAME", "PRONUMER")).Find("PROID=29999") > 0,
              true);
    EXPECT_EQ(GroupListStatement(Group("1", " ", "STNM", "STCD")), "");
    EXPECT_EQ(GroupListStatement(Group("1", "STATION", "", "STCD")), "");
    EXPECT_EQ(GroupListStatement(Group("1", "STATION", "STNM", " ")), "");
}

TEST(FilterCondition, ConfiguredKeyListsAreMappedAndQuoted) {
    EXPECT_EQ(FilterCondition("BSCD", "(1, 2)"), "BSCD IN(1,2)");
    EXPECT_EQ(FilterCondition("CODE", "(a,b)"), "CODE IN('a','b')");
    EXPECT_EQ(FilterCondition("CODE", "(x'y) OR 1=1 --"), "CODE IN('(x''y) OR 1=1 --')");
    // An empty list restricts nothing instead of giving "IN()".
    EXPECT_EQ(FilterCondition("BSCD", ""), "");
    EXPECT_EQ(FilterCondition("BSCD", " ( ) "), "");
    EXPECT_EQ(KeyLiteral(" 60101 "), "60101");
    EXPECT_EQ(KeyLiteral("a'b"), "'a''b'");
}

TEST(SelectGroup, ItemsStayInStepWhenAddedAndRemoved) {
    CSelectGroup g;
    g.AddItem("一号机", "1#", true);
    g.AddItem("宜昌", "60105400", false); // without the pinyin table: no initials
    EXPECT_EQ(g.displayTexts[0], "一号机(1#)");
    EXPECT_EQ(g.initials[0], "yhj1h");
    g.AddItem("三峡", "2", true);
    g.RemoveItem(1);
    EXPECT_EQ(g.names.GetSize(), 2);
    EXPECT_EQ(g.keys[1], "2");
}

TEST(RegionMenu, StatementsByPlantClassAndByRegionalGrid) {
    EXPECT_EQ(RegionStatement(33510), "select FNAME, csid from kes.relation where ftype=1 order by ranking");
    EXPECT_EQ(RegionStatement(33512), "select FNAME, csid from kes.relation where ftype=10 order by ranking");
    EXPECT_EQ(RegionStatement(33513),
              "select FNAME, csid from kes.relation where ranking>100 and ranking<200 order by ranking");
    EXPECT_EQ(RegionStatement(33521),
              "select FNAME, csid from kes.relation where ranking>900 and ranking<1000 order by ranking");
    EXPECT_EQ(RegionCaption(33516), "华中");
    EXPECT_EQ(RegionCodeOf(33516), 400);
    EXPECT_EQ(RegionStatement(33509), "");
    EXPECT_EQ(RegionStatement(33522), "");
    EXPECT_EQ(DatabaseErrorMessage("no table"), "数据库写错误!\nno table");
}

} // namespace
