// The statements of a refresh, built from a configured table and a request.
#include "QueryComposition.h"
#include "SqlText.h"

#include <gtest/gtest.h>

namespace {

struct Col {
    const char* name;
    int valueClass;
    const char* directives;
};

CColumnList Columns(std::initializer_list<Col> cols) {
    CColumnList list;
    list.Add(std::make_unique<CQueryColumn>());
    for (const Col& c : cols) {
        auto r = std::make_unique<CQueryColumn>();
        r->colname = c.name;
        r->valueClass = c.valueClass;
        r->restrictdata = c.directives;
        r->Point = list.GetSize();
        list.Add(std::move(r));
    }
    return list;
}

CColumnList RiverTable() {
    return Columns(
        {{"STCD", kValueNumber, "[PK(ID)]"}, {"TM", kValueTime, "[PK(TIME)]"}, {"Z", kValueNumber, ""}});
}

CQueryRequest GivenStations(std::initializer_list<const char*> keys) {
    CQueryRequest r;
    r.form = kFormGivenStations;
    for (const char* k : keys)
        r.keys.Add(k);
    r.startTime = "2008-05-01 00:00:00";
    r.endTime = "2008-05-31 23:00:00";
    return r;
}

int CountOf(const CString& text, const char* piece) {
    int n = 0;
    for (int at = text.Find(piece); at >= 0; at = text.Find(piece, at + 1))
        ++n;
    return n;
}

} // namespace

TEST(QueryComposition, TwoStationsOverOneMonthGiveTheSystemsStatement) {
    CColumnList cols = RiverTable();
    CQueryComposition c;
    CString text = c.Statements(cols, 3, "river_hour", GivenStations({"60101100", "60101200"}));
    EXPECT_EQ(text,
              "SELECT STCD,TM,Z FROM KES.RIVER_HOUR WHERE  (TM>={ts '2008-05-01 00:00:00'} AND "
              "TM<={ts '2008-05-31 23:00:00'})  AND STCD IN(60101100,60101200)  ORDER BY STCD ASC  ,TM ASC;");
    EXPECT_EQ(c.TimePositions(), (CDWordArray{1}));
}

TEST(QueryComposition, KeysGoInBatchesOfFive) {
    CColumnList cols = RiverTable();
    CQueryRequest r = GivenStations({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"});
    CString text = CQueryComposition().Statements(cols, 3, "KES.RIVER_HOUR", r);
    EXPECT_EQ(CountOf(text, ";"), 3);
    EXPECT_NE(text.Find("IN(1,2,3,4,5)"), -1);
    EXPECT_NE(text.Find("IN(6,7,8,9,10)"), -1);
    EXPECT_NE(text.Find("IN(11)"), -1);
    EXPECT_EQ(CountOf(text, "KES.KES."), 0); // a prefixed name is not prefixed twice

    // No keys: one statement only for a table with a time key and no id key.
    r.keys.RemoveAll();
    EXPECT_EQ(CQueryComposition().Statements(cols, 3, "RIVER_HOUR", r), "");
    CColumnList timeOnly = Columns({{"TM", kValueTime, "[PK(TIME)]"}, {"P", kValueNumber, ""}});
    EXPECT_EQ(CountOf(CQueryComposition().Statements(timeOnly, 2, "RAIN", r), ";"), 1);
}

TEST(QueryComposition, TextIdsMatchAnywhereAndCannotBreakTheStatement) {
    CColumnList cols = Columns({{"STNM", kValueText, "[PK(ID)]"}, {"TM", kValueTime, "[PK(TIME)]"}});
    CKeyColumns keys = CQueryComposition::FindKeyColumns(cols, 2);
    CStringArray values = {"坝上", "x' OR '1'='1"};
    EXPECT_EQ(CQueryComposition::IdCondition(keys, values),
              " (STNM LIKE '%坝上%'  OR STNM LIKE '%x'' OR ''1''=''1%' ) ");

    CColumnList numeric = RiverTable();
    CKeyColumns numKeys = CQueryComposition::FindKeyColumns(numeric, 3);
    EXPECT_EQ(CQueryComposition::IdCondition(numKeys, {"12", "1;DELETE FROM X", " 7 "}), "STCD IN(12,7) ");
    EXPECT_EQ(CQueryComposition::IdCondition(numKeys, {"abc"}), "STCD IN(NULL) ");
}

TEST(QueryComposition, TimeConditionsAndMultiYearRanges) {
    EXPECT_EQ(CQueryComposition::TimeCondition("TM", "", "2008-05-31 23:00:00"), ""); // only an end time
    CString years = CQueryComposition::MultiYearCondition("TM", "2004-11-01 08:00:00", "2004-02-28 08:00:00",
                                                          CDWordArray{2005, 2006});
    EXPECT_EQ(years, "  ( (TM>={ts '2005-11-01 08:00:00'} AND TM<={ts '2006-02-28 08:00:00'})  OR "
                     " (TM>={ts '2006-11-01 08:00:00'} AND TM<={ts '2007-02-28 08:00:00'})  )  ");
    // 29 February falls back to the month's end in a common year.
    CString leap = CQueryComposition::MultiYearCondition("TM", "2004-02-01 00:00:00", "2004-02-29 00:00:00",
                                                         CDWordArray{2005});
    EXPECT_NE(leap.Find("2005-02-28 00:00:00"), -1) << leap;
    EXPECT_EQ(CQueryComposition::MultiYearCondition("TM", "2004-02-01 00:00:00", "2004-02-29 00:00:00", {}),
              "");
}

TEST(QueryComposition, ClauseFormsJoinThePiecesInOrder) {
    CColumnList cols = Columns({{"STCD", kValueNumber, "[PK(ID)]"},
                                {"TM", kValueTime, "[PK(TIME)]"},
                                {"Z", kValueNumber, "[CHECK(Z>0)]"},
                                {"Q", kValueNumber, "[check(q<>-999)]"}});
    CKeyColumns keys = CQueryComposition::FindKeyColumns(cols, 4);
    CString fixed = CQueryComposition::FixedConditions(cols);
    EXPECT_EQ(fixed, " ((Z>0) AND (Q<>-999)) ");

    CQueryRequest all;
    all.form = kFormAllStations;
    EXPECT_EQ(CQueryComposition::Clause(all, keys, "", "", ""), " ORDER BY STCD ASC  ,TM ASC");
    all.filter = "Z>100";
    EXPECT_EQ(CQueryComposition::Clause(all, keys, "ID", "TIME", fixed),
              " WHERE  ((Z>0) AND (Q<>-999))  AND Z>100  ORDER BY STCD ASC  ,TM ASC");

    CQueryRequest given = GivenStations({});
    given.filter = "Z>1";
    given.tableIdOption = true;
    given.tableId = 3;
    EXPECT_EQ(
        CQueryComposition::Clause(given, keys, "ID", "TIME", fixed),
        " WHERE TIME AND ID AND Z>1 AND  ((Z>0) AND (Q<>-999))  AND  TABID=3  ORDER BY STCD ASC  ,TM ASC");

    CColumnList further = Columns({{"STCD", kValueNumber, "[PK(ID)]"}, {"UNIT", kValueNumber, "[PK(UNIT)]"}});
    EXPECT_EQ(CQueryComposition::OrderClause(CQueryComposition::FindKeyColumns(further, 2)),
              " ORDER BY STCD ASC ,UNIT ");
}

TEST(QueryComposition, TypedStationConditionAndAllStationsFormGiveOneStatement) {
    CColumnList cols = RiverTable();
    CQueryRequest r = GivenStations({"1", "2", "3", "4", "5", "6"});
    r.stationInput = true;
    r.typedStationCondition = "STCD>60100000";
    CString text = CQueryComposition().Statements(cols, 3, "RIVER_HOUR", r);
    EXPECT_EQ(CountOf(text, ";"), 1);
    EXPECT_NE(text.Find("AND STCD>60100000"), -1) << text;

    r.stationInput = false;
    r.form = kFormAllStations;
    text = CQueryComposition().Statements(cols, 3, "RIVER_HOUR", r);
    EXPECT_EQ(text, "SELECT STCD,TM,Z FROM KES.RIVER_HOUR ORDER BY STCD ASC  ,TM ASC");

    CColumnList placeholderOnly;
    placeholderOnly.Add(std::make_unique<CQueryColumn>());
    EXPECT_EQ(CQueryComposition().Statements(placeholderOnly, 0, "RIVER_HOUR", r), "");
}

TEST(SqlText, KeyListsQuoteWhatIsNotANumber) {
    EXPECT_EQ(MapKeyList("(1, 2.5,-3)"), "(1,2.5,-3)");
    EXPECT_EQ(MapKeyList("(a,坝上)"), "('a','坝上')");
    EXPECT_EQ(MapKeyList("(1,'x,y',o'k)"), "(1,'x,y','o''k')");
    EXPECT_EQ(MapKeyList("('it''s')"), "('it''s')");
    EXPECT_EQ(MapKeyList("(1) OR 1=1 --"), "('(1) OR 1=1 --')");
    EXPECT_TRUE(IsSqlNumber("1e5"));
    EXPECT_FALSE(IsSqlNumber("1e"));
    EXPECT_FALSE(IsSqlNumber("."));
    EXPECT_FALSE(IsSqlNumber(""));
    EXPECT_EQ(QuoteLiteral("O'Neil"), "'O''Neil'");
}

TEST(SqlText, ValuesAreWrittenByTheirColumnsClassAndCannotEscapeTheirLiteral) {
    CQueryColumn text, number, time, other;
    text.valueClass = kValueText;
    number.valueClass = kValueNumber;
    time.valueClass = kValueTime;
    EXPECT_EQ(FormatSqlValue(text, "%abc%"), "'%abc%'");
    EXPECT_EQ(FormatSqlValue(text, "x' OR '1'='1"), "'x'' OR ''1''=''1'");
    EXPECT_EQ(FormatSqlValue(number, " 12.5 "), "12.5");
    EXPECT_EQ(FormatSqlValue(number, ""), "0");
    EXPECT_EQ(FormatSqlValue(number, "1 OR 1=1"), "NULL");
    EXPECT_EQ(FormatSqlValue(time, "2008-07-01 08:00:00"), "{ts '2008-07-01 08:00:00'}");
    EXPECT_EQ(FormatSqlValue(time, "").Left(5), "{ts '");
    EXPECT_EQ(FormatSqlValue(other, "x"), "");
}
