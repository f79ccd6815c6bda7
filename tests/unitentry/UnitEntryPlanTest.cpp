// What one "增加" of a start or stop page would write, and what it refuses, without a database.
#include "UnitEntryForms.h"
#include "UnitList.h"
#include "UnitStateEntry.h"

#include <gtest/gtest.h>

namespace {

CUnitEntryInput StartUp(const char* unit) {
    CUnitEntryInput input;
    input.unitNumber = unit;
    input.firstTime = COleDateTime(2026, 12, 1, 8, 0, 0);
    input.secondTime = COleDateTime(2026, 12, 1, 8, 0, 1);
    return input;
}

std::vector<CUnitStateChange> Plan(const CUnitEntryInput& input) {
    std::vector<CUnitStateChange> changes;
    CString refusal;
    EXPECT_TRUE(PlanUnitEntry(input, changes, refusal)) << refusal.str();
    return changes;
}

CString Refusal(const CUnitEntryInput& input) {
    std::vector<CUnitStateChange> changes;
    CString refusal;
    EXPECT_FALSE(PlanUnitEntry(input, changes, refusal));
    EXPECT_TRUE(changes.empty());
    return refusal;
}

} // namespace

TEST(UnitEntryPlan, TheStartPageWritesStartUpAndConnectionWithTheirAuditTexts) {
    auto changes = Plan(StartUp(" 20101 "));
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].insert,
              " INSERT INTO RTDB(SENID,TIME,FACTV) VALUES(20101,{ts '2026-12-01 08:00:00'},2 )");
    EXPECT_EQ(changes[0].audit, "手工录入 20101 2026-12-01 08:00:00 空转 ");
    EXPECT_EQ(changes[1].insert,
              " INSERT INTO RTDB(SENID,TIME,FACTV) VALUES(20101,{ts '2026-12-01 08:00:01'},8 )");
    EXPECT_EQ(changes[1].audit, "手工录入 20101 2026-12-01 08:00:01 运行 ");
    EXPECT_EQ(changes[1].event, "并网时间");

    CUnitEntryInput onlyConnection = StartUp("20101");
    onlyConnection.writeFirst = false;
    changes = Plan(onlyConnection);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].state, "8");
}

TEST(UnitEntryPlan, TheStopPageWritesDisconnectionAndTheChosenStopKind) {
    CUnitEntryInput input = StartUp("20203");
    input.page = EUnitPage::Stop;
    const std::pair<int, std::pair<const char*, const char*>> kinds[] = {
        {kStopReserve, {"4", "备用"}}, {kStopInspection, {"16", "临检"}}, {kStopMaintenance, {"1", "计检"}}};
    for (const auto& [kind, expected] : kinds) {
        input.stopKind = kind;
        auto changes = Plan(input);
        ASSERT_EQ(changes.size(), 2u);
        EXPECT_EQ(changes[0].state, "2");
        EXPECT_EQ(changes[0].word, "空转");
        EXPECT_EQ(changes[0].event, "解列时间");
        EXPECT_EQ(changes[1].state, expected.first);
        EXPECT_EQ(changes[1].audit, CString("手工录入 20203 2026-12-01 08:00:01 ") + expected.second + " ");
    }
    input.stopKind = 8;
    EXPECT_EQ(Refusal(input).Find("停机方式"), 0);
}

TEST(UnitEntryPlan, NothingIsWrittenWithoutAUnitWithEqualTimesOrWithAUnitThatIsNoNumber) {
    EXPECT_EQ(Refusal(StartUp("  ")), "请选择机组");

    // Equal to the second, even when only one of the two events is to be written.
    CUnitEntryInput same = StartUp("20101");
    same.secondTime = COleDateTime(2026, 12, 1, 8, 0, 0);
    same.writeSecond = false;
    EXPECT_EQ(Refusal(same), "开机与并网时间不能相同!");
    same.page = EUnitPage::Stop;
    EXPECT_EQ(Refusal(same), "开机与并网时间不能相同!");

    // The number is written into the statement as it stands.
    EXPECT_NE(Refusal(StartUp("1,{ts '2000-01-01 00:00:00'},2 ); DELETE FROM RTDB; --")).Find("机组编号"),
              -1);

    CUnitEntryInput nothing = StartUp("20101");
    nothing.writeFirst = nothing.writeSecond = false;
    EXPECT_TRUE(Plan(nothing).empty());
}

TEST(UnitEntryPlan, OnlyTheTwoKnownFormsHaveUnits) {
    const CStringArray& names = CUnitEntryCatalogue::FormNames();
    ASSERT_EQ(names.GetSize(), 2);
    EXPECT_EQ(names[0], "roz机组数据录入");
    EXPECT_EQ(names[1], "vu左岸机组数据录入");
    EXPECT_EQ(CUnitEntryCatalogue::SchemeOf(" roz机组数据录入 "), 10010);
    EXPECT_EQ(CUnitEntryCatalogue::SchemeOf("vu左岸机组数据录入"), 10011);
    EXPECT_EQ(CUnitEntryCatalogue::SchemeOf("ROZ机组数据录入"), 0);
    EXPECT_EQ(CUnitEntryCatalogue::SchemeOf(""), 0);
    EXPECT_EQ(UnitListStatement(10010, "SMPRO", "PRONAME", "PRONUMER"),
              "SELECT PRONAME,PRONUMER FROM KES.SMPRO WHERE PROID=10010 ORDER BY PRONUMER ASC");
}
