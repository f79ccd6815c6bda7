// Conditions put together or typed by hand: the pieces of "筛选条件", the key filter, and the
// read-only check that keeps a condition that would write away from the data, on both backends.
#include "ConditionBuilder.h"
#include "QueryClient.h"
#include "FixtureDatabase.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace {

CQueryColumn Column(const char* name, int valueClass, int position = 1, const char* scheme = "") {
    CQueryColumn c;
    c.colname = name;
    c.valueClass = valueClass;
    c.Point = position;
    c.Projmodeid = scheme;
    return c;
}

TEST(FilterPieces, OfferShownTextAndNumberColumnsAndQuoteEveryValue) {
    CObjectArray<CQueryColumn> list;
    list.Add(std::make_unique<CQueryColumn>());
    for (const CQueryColumn& c : {Column("STNM", kValueText), Column("WLEVEL", kValueNumber),
                                  Column("TM", kValueTime), Column("HIDDEN", kValueNumber, -1)})
        list.Add(std::make_unique<CQueryColumn>(c));
    const std::vector<CQueryColumn> offered = FilterColumns(list);
    ASSERT_EQ(offered.size(), 2u) << "no time column, no hidden column, not the empty record";
    EXPECT_EQ(offered[0].colname, "STNM");
    EXPECT_EQ(OperatorCaptions(offered[0]).GetSize(), 2);
    EXPECT_EQ(OperatorCaptions(offered[1])[1], "大于等于");

    const CQueryColumn level = Column("WLEVEL", kValueNumber);
    const CQueryColumn name = Column("STNM", kValueText);
    EXPECT_EQ(ComposePiece(level, 1, "12.5"), "WLEVEL>=12.5");
    EXPECT_EQ(ComposePiece(level, 2, " "), "WLEVEL=0") << "an empty number is 0";
    EXPECT_EQ(ComposePiece(level, 0, "1 OR 1=1"), "WLEVEL>NULL")
        << "what is no number never joins the statement";
    EXPECT_EQ(ComposePiece(level, 6, "1"), "");
    EXPECT_EQ(ComposePiece(name, 0, " 'abc' "), "STNM like '%abc%'") << "typed quotes go before % is added";
    EXPECT_EQ(ComposePiece(name, 1, "x' OR '1'='1"), "STNM not like '%x'' OR ''1''=''1%'");
    EXPECT_EQ(ComposePiece(name, 2, "a"), "") << "texts have two operators";

    EXPECT_EQ(ValueRefusal(level, " 12.5 "), "");
    EXPECT_EQ(ValueRefusal(level, " "), "") << "nothing typed counts as 0";
    EXPECT_NE(ValueRefusal(level, "1 OR 1=1"), "");
    EXPECT_EQ(ValueRefusal(name, "1 OR 1=1"), "") << "a text is quoted, not checked";

    const CQueryColumn mapped = Column("STCD", kValueNumber, 1, "3");
    EXPECT_EQ(ValueRefusal(mapped, "宜昌站(60105400)"), "") << "a list entry gives its code";
    EXPECT_EQ(ComposePiece(mapped, 2, "宜昌站(60105400)"), "STCD=60105400");
    EXPECT_EQ(ComposePiece(mapped, 2, ""), "") << "nothing chosen from the list";

    CFilterCondition condition;
    condition.Add("A", true);
    condition.Add("", false);
    condition.Add("B", true);
    condition.Add("C", false);
    EXPECT_EQ(condition.Text(), "A OR B AND C");
    EXPECT_EQ(WrappedCondition("  A OR B "), " (A OR B) ");
    EXPECT_EQ(WrappedCondition("  "), "");
    EXPECT_EQ(KeyFilterCondition("ID>5"), " (ID>5) ");
    EXPECT_EQ(KeyFilterCondition("例: ID>5"), " () ");
}

class ConditionCheck : public ::testing::TestWithParam<testdb::Kind> {
protected:
    void SetUp() override {
        TESTDB_OPEN_FIXTURE(m_db, GetParam());
    }
    std::unique_ptr<testdb::TestDatabase> m_db;
};

TEST_P(ConditionCheck, TakesReadingConditionsAndRefusesWritingOnesWithoutWriting) {
    CQueryClient client;
    EXPECT_EQ(ConditionRefusal(client, "DAYDB", " (SENID>0 AND INSTV>=0) "), "");
    EXPECT_EQ(ConditionRefusal(client, "ALLPOINT", " (SENNAME like '%1%') "), "");

    const testdb::Snapshot before = testdb::TakeSnapshot(GetParam());
    const char* writing[] = {
        "1=1; DELETE FROM KES.DAYDB",         "1=1; UPDATE KES.DAYDB SET INSTV=0",
        "1=1; COMMIT; DELETE FROM KES.DAYDB", "1=1; INSERT INTO KES.RTDB VALUES (1, NULL, 1)",
        "1=1; DROP TABLE KES.HOURDB",         "NOSUCHCOLUMN=1",
    };
    for (const char* condition : writing) {
        const CString refusal = ConditionRefusal(client, "DAYDB", condition);
        EXPECT_TRUE(refusal.str().starts_with("条件不能使用: ")) << condition << ": " << refusal.str();
        EXPECT_GT(refusal.str().size(), std::string("条件不能使用: ").size())
            << "the database's reason is told: " << condition;
    }
    EXPECT_EQ(testdb::TakeSnapshot(GetParam()), before) << "nothing was written";
}

INSTANTIATE_TEST_SUITE_P(Backends, ConditionCheck,
                         ::testing::Values(testdb::Kind::Sqlite, testdb::Kind::Postgres),
                         [](const auto& info) {
                             return info.param == testdb::Kind::Sqlite ? "Sqlite" : "Postgres";
                         });

} // namespace
