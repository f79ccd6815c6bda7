// Reading the bracketed directives of tables and columns.
#include "DirectiveSet.h"

#include <gtest/gtest.h>

namespace {

CColumnList Columns(std::initializer_list<std::pair<const char*, const char*>> namesAndDirectives) {
    CColumnList list;
    list.Add(std::make_unique<CQueryColumn>()); // the placeholder at index 0
    for (auto [name, directives] : namesAndDirectives) {
        auto c = std::make_unique<CQueryColumn>();
        c->colname = name;
        c->restrictdata = directives;
        c->Point = list.GetSize();
        list.Add(std::move(c));
    }
    return list;
}

} // namespace

TEST(DirectiveParsing, OnlyClosedBracketedItemsCountTrimmedAndUpperCased) {
    struct Case {
        const char* text;
        std::vector<const char*> items;
    };
    const Case cases[] = {
        {"[DEC(2)] [PK(ID)]", {"[DEC(2)]", "[PK(ID)]"}},
        {"水位 [ dec(3) ]说明", {"[ DEC(3) ]"}},
        {"[dec(3) (unclosed", {}},
        {"[A[B]] [C]", {"[A[B]", "[C]"}},
        {"]stray] []", {"[]"}},
        {"", {}},
    };
    CDirectiveSet d;
    for (const Case& c : cases) {
        d.Parse(c.text);
        ASSERT_EQ(d.Items().GetSize(), int(c.items.size())) << c.text;
        for (int i = 0; i < d.Items().GetSize(); ++i) EXPECT_EQ(d.Items()[i], c.items[size_t(i)]) << c.text;
    }
}

TEST(DirectiveParsing, ArgumentsAreSplitUntrimmedWithEmptyPiecesKept) {
    auto args = CDirectiveSet::Arguments("[STAT(AVG, RAIN,,STCD)]");
    ASSERT_EQ(args.GetSize(), 4);
    EXPECT_EQ(args[1], " RAIN");
    EXPECT_EQ(args[2], "");
    EXPECT_EQ(CDirectiveSet::Arguments("[PK]").GetSize(), 1);
    EXPECT_EQ(CDirectiveSet::Arguments("[PK()]")[0], "");
    EXPECT_EQ(CDirectiveSet::Arguments("(X)")[0], "");         // "(" must follow the bracket
    EXPECT_EQ(CDirectiveSet::Arguments("[W(A)B)]")[0], "A");   // up to the first ")"
}

TEST(DirectiveLookup, KeywordsMatchAnywhereAndTakeTheFirstItemWithEnoughArguments) {
    CDirectiveSet d;
    d.Parse("[Dec(3)]");
    EXPECT_EQ(d.Decimals(), 3);

    d.Parse("[PK]");
    EXPECT_TRUE(d.HasPk());
    EXPECT_FALSE(d.IsPkId());
    EXPECT_FALSE(d.IsPkTime());

    d.Parse("[PK(TIME)][PK( id )]");
    EXPECT_TRUE(d.IsPkTime());
    EXPECT_TRUE(d.IsPkId());

    d.Parse("[CALC(A)][DEC(1)]");
    EXPECT_FALSE(d.Calc().has_value()); // one argument is not a computed column
    d.Parse("[CALC(A)][CALC(B,GETWATER,Z)]");
    ASSERT_TRUE(d.Calc().has_value());
    EXPECT_EQ((*d.Calc())[1], "GETWATER");

    // Units the period conversion does not know leave the search going.
    CString label;
    int count = -1;
    d.Parse("[CHANGETIME(WEEK,1)][CHANGETIME(DAY10,2)]");
    EXPECT_TRUE(d.ChangeTime(label, count));
    EXPECT_EQ(label, "旬");
    EXPECT_EQ(count, 2);
    d.Parse("[CHANGETIME(WEEK,1)]");
    EXPECT_FALSE(d.ChangeTime(label, count));
    EXPECT_EQ(label, "");
    EXPECT_EQ(count, 0);

    d.Parse("");
    EXPECT_EQ(d.ModiWord(), "WRITE");
    EXPECT_EQ(d.DirectWord(), "H");
    EXPECT_EQ(d.DataSensorTime(), "DAY");
    EXPECT_FALSE(d.Decimals().has_value());
    d.Parse("[Direct(v)][Modi(READ)][DATASENSORTIME(DAY10)][CHECK(Z>0 AND Q<(5))]");
    EXPECT_EQ(d.DirectWord(), "V");
    EXPECT_EQ(d.ModiWord(), "READ");
    EXPECT_EQ(d.DataSensorTime(), "DAY10");
    EXPECT_EQ(d.CheckText(), "(Z>0 AND Q<(5))");
}

TEST(DirectiveLookup, ColumnReferencesResolveByName) {
    CColumnList cols = Columns({{"STCD", "[PK(ID)]"}, {" rain ", "[STAT(AVG,RAIN,STCD)]"}, {"DCHAR", ""},
                                {"Z", "[TOTAL(DCHAR)]"}});
    CDirectiveSet d(&cols);
    EXPECT_EQ(d.ColumnIndex("  Rain"), 2);
    EXPECT_EQ(d.ColumnIndex("NONE"), -1);

    d.ParseColumn(cols[2]);
    CStringArray others;
    EXPECT_EQ(d.StatKind(&others), kStatAvg);
    ASSERT_EQ(others.GetSize(), 1);
    EXPECT_EQ(others[0], "STCD");

    // [TOTAL(DCHAR)] also counts as a data-property item naming the column DCHAR.
    d.ParseColumn(cols[4]);
    EXPECT_EQ(d.DataPropertyColumn(), 3);
    EXPECT_TRUE(d.HasTotalRole("DCHAR"));
    EXPECT_EQ(d.TotalDcharDigits(), 2);
}

TEST(DirectiveLookup, HiddenColumnsAskForNoStatisticsCalculationOrValues) {
    CColumnList cols = Columns({{"V", "[STAT(SUM)][CALC(A,GETDAYSMON,TM)][TOTAL(V)]"}});
    cols[1].Point = -1;
    CDirectiveSet d(&cols);
    d.ParseColumn(cols[1]);
    EXPECT_EQ(d.StatKind(), kStatNone);
    EXPECT_FALSE(d.Calc().has_value());
    EXPECT_FALSE(d.HasTotalRole("V"));
    cols[1].Point = 1;
    d.ParseColumn(cols[1]);
    EXPECT_EQ(d.StatKind(), kStatSum);
    EXPECT_TRUE(d.HasTotalRole("V"));
}

TEST(DirectiveTableWide, PartitionedTablesAuditTextsAndStatisticsLevel) {
    CColumnList cols = Columns({{"STCD", "[PK(ID)][WLOG(水位修改)]"}, {"TM", "[PK(TIME)]"},
                                {"Z", "[STAT(MAX)][WLOG(河道水位)]"}, {"Q", "[STAT(COLLIGATEA)]"}});
    CStringArray keys;
    keys.SetSize(cols.GetSize());
    keys[1] = "60105123";
    CDirectiveSet d(&cols);
    d.SetKeyValues(&keys);

    d.Parse("[TableID(STCD,100000,10)]");
    EXPECT_EQ(d.PhysicalTableName("RIVER_"), "RIVER_1"); // 60105123 / 100000 = 601, mod 10 = 1
    d.Parse("[TableID(STCD,0,10)]");
    EXPECT_EQ(d.PhysicalTableName("RIVER_"), "RIVER_");
    d.Parse("[TableID(NOSUCH,10,10)]");
    EXPECT_EQ(d.PhysicalTableName("RIVER_"), "RIVER_");

    EXPECT_EQ(d.AuditText(), "河道水位");
    EXPECT_EQ(d.StatisticsLevel(), 5);
    EXPECT_EQ(d.FindColumnWith("PK(TIME)"), 2);

    CColumnList none;
    CDirectiveSet empty(&none);
    EXPECT_EQ(empty.AuditText(), "无数据");
    EXPECT_EQ(empty.StatisticsLevel(), 0);
}
