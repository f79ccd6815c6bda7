// The analysis bar's decisions over the demo database: the years it offers, the checks before a
// refresh and what a refresh writes, the period rules (a whole year when the end equals the
// start), and the data types of points that decide how values are folded.
#include "AnalyBarModel.h"
#include "DemoBarDatabase.h"
#include "PointDataTypes.h"
#include "QueryItem.h"

namespace {

class AnalyBarModelTest : public DemoBarTest {
protected:
    struct AnalyBar {
        Bar bar{"HISVIEW"};
        CAnalyBarModel analy{bar.model, bar.engine, bar.request, bar.options};
        AnalyBar() { bar.model.Attach(); }
        // The item of the station list whose key is key.
        int Item(const char* key) const {
            const CSelectGroup* s = bar.model.Groups().Station();
            for (int i = 0; s && i < s->GetCount(); ++i)
                if (s->keys[i] == key) return i;
            return -1;
        }
    };
    static CAnalyRefreshInput Input(std::vector<int> items, std::initializer_list<const char*> years) {
        CAnalyRefreshInput input;
        input.selectedItems = std::move(items);
        input.start = At(2025, 5, 1, 8);
        input.end = At(2025, 5, 12, 8);
        for (const char* y : years)
            input.selectedYears.Add(y);
        return input;
    }
    static std::string Text(const COleDateTime& t) { return t.Format("%Y-%m-%d %H:%M:%S").str(); }
};

} // namespace

TEST_F(AnalyBarModelTest, YearsRunFromTheLatestToTheEarliestDayOfTheDayTable) {
    CQueryClient client;
    const CStringArray years = AnalysisYears(client);
    ASSERT_EQ(years.GetSize(), 3);
    EXPECT_EQ(years[0].str(), "2026");
    EXPECT_EQ(years[2].str(), "2024");
}

TEST_F(AnalyBarModelTest, RefreshNeedsAStationAndAYearAndThenWritesTheRequest) {
    AnalyBar a;
    const int station = a.Item("10021");
    ASSERT_GE(station, 0);
    CQueryRequest& request = a.bar.engine.m_request;

    a.bar.request.m_startFlag = 0;
    EXPECT_EQ(a.analy.Refresh(Input({station}, {"2025"})), ERefreshOutcome::Stop);
    a.bar.request.m_startFlag = 1;
    EXPECT_EQ(a.analy.Refresh(Input({}, {"2025"})), ERefreshOutcome::NoStation);
    // No year: nothing is sent, and the period and years stay as they were.
    EXPECT_EQ(a.analy.Refresh(Input({station}, {})), ERefreshOutcome::NoYear);
    EXPECT_TRUE(request.years.IsEmpty());
    EXPECT_TRUE(request.startTime.IsEmpty());

    a.analy.SelectTimeType(1, At(2025, 5, 1), At(2025, 5, 12));
    a.analy.SelectValueKind(3);
    a.analy.SelectInterval(1);
    // The list shows the latest year first; the request takes them from the last entry up.
    ASSERT_EQ(a.analy.Refresh(Input({station}, {"2026", "2024"})), ERefreshOutcome::Go);
    ASSERT_EQ(request.years.GetSize(), 2);
    EXPECT_EQ(request.years[0], 2024u);
    EXPECT_EQ(request.years[1], 2026u);
    EXPECT_EQ(request.keys[0].str(), "10021");
    EXPECT_EQ(request.startTime.str(), "2025-05-01 00:00:00");
    EXPECT_EQ(request.endTime.str(), "2025-05-12 08:00:00");
    EXPECT_EQ(request.analysisType, kTypeDay);
    EXPECT_EQ(request.analysisInterval, 2);
    EXPECT_EQ(request.valueKind, kValueMinimum);
    EXPECT_TRUE(request.totals);
    EXPECT_EQ(a.bar.request.m_timeTypeIndex, 1);
    // A new type starts again at an interval of one.
    a.analy.SelectTimeType(3, At(2025, 5, 1), At(2025, 5, 12));
    EXPECT_EQ(request.analysisInterval, 1);
    EXPECT_EQ(request.analysisType, kTypeMonth);
}

TEST_F(AnalyBarModelTest, AnEndEqualToTheStartReadsAWholeYear) {
    // Hours without hourly rainfall: the end moves one year, and each year reads a whole year.
    CAnalysisPeriod p = AnalysisPeriod(kTypeHour, false, At(2008, 5, 1, 8), At(2008, 5, 1, 8));
    EXPECT_EQ(Text(p.start), "2008-05-01 08:00:00");
    EXPECT_EQ(Text(p.end), "2009-05-01 08:00:00");
    CDWordArray years;
    years.Add(2010);
    EXPECT_EQ(CQueryComposition::MultiYearCondition("TIME", Text(p.start), Text(p.end), years).str(),
              "  ( (TIME>={ts '2010-05-01 08:00:00'} AND TIME<={ts '2011-05-01 08:00:00'}) )  ");
    // Hourly rainfall is stored at the end of its hour.
    p = AnalysisPeriod(kTypeHour, true, At(2008, 5, 1, 8), At(2008, 5, 1, 8));
    EXPECT_EQ(Text(p.start), "2008-05-01 09:00:00");
    EXPECT_EQ(Text(p.end), "2009-05-01 09:00:00");
    // A leap day a year later is the last day of February.
    p = AnalysisPeriod(kTypeDay, false, At(2024, 2, 29, 10), At(2024, 2, 29, 10));
    EXPECT_EQ(Text(p.start), "2024-02-29 00:00:00");
    EXPECT_EQ(Text(p.end), "2025-02-28 08:00:00");
    // An end before the start is kept: the years carry it into the next year.
    p = AnalysisPeriod(kTypeMonth, false, At(2024, 11, 15), At(2024, 2, 20));
    EXPECT_EQ(Text(p.start), "2024-11-01 00:00:00");
    EXPECT_EQ(Text(p.end), "2024-02-01 08:00:00");
}

TEST_F(AnalyBarModelTest, PointDataTypesComeFromAllPointAndAreReadAgainAfterAFailedRead) {
    const int rain = Count("SELECT MIN(ID) FROM KES.ALLPOINT WHERE DTYPE=5");
    ASSERT_GT(rain, 0);
    ForgetPointDataTypes();
    std::vector<std::string> reply;
    ASSERT_TRUE(testdb::Run("ALTER TABLE KES.ALLPOINT RENAME TO ALLPOINT_AWAY", reply));
    EXPECT_EQ(PointDataType(rain), 2); // not readable: every point folds as type 2
    ASSERT_TRUE(testdb::Run("ALTER TABLE KES.ALLPOINT_AWAY RENAME TO ALLPOINT", reply));
    EXPECT_EQ(PointDataType(rain), 5);
    EXPECT_EQ(PointDataTypeOf("10021"), 2);
    EXPECT_EQ(PointDataType(0), 2);
    EXPECT_EQ(PointDataType(987654), 2);
}
