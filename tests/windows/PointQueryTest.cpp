// The point data query without a window: the time axis of every data type across month and
// year ends, the period call's request, and the grid filled from period tables on SQLite and
// PostgreSQL (points without data, missing values, quality colours, value kinds, styles).
#include "PointQuery.h"

#include "InterfaceSettings.h"
#include "QueryClient.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Labels(const CSortedTextList& axis) {
    std::vector<std::string> labels;
    for (int i = 0; i < axis.GetSize(); ++i)
        labels.push_back(axis.GetAt(i).str());
    return labels;
}

using Labels_t = std::vector<std::string>;

TEST(PointTimeAxis, HoursCutToTheHourAndCrossTheYear) {
    EXPECT_EQ(Labels(BuildTimeAxis(kPointHourly, COleDateTime(2025, 12, 31, 22, 40, 5),
                                   COleDateTime(2026, 1, 1, 1, 59, 59))),
              (Labels_t{"2025-12-31 22", "2025-12-31 23", "2026-01-01 00", "2026-01-01 01"}));
    // An end on the hour keeps its label.
    EXPECT_EQ(
        BuildTimeAxis(kPointHourly, COleDateTime(2026, 3, 1, 0, 0, 0), COleDateTime(2026, 3, 2, 0, 0, 0))
            .GetSize(),
        25);
    // A whole leap year of hours.
    const CSortedTextList year =
        BuildTimeAxis(kPointHourly, COleDateTime(2024, 1, 1, 0, 0, 0), COleDateTime(2024, 12, 31, 23, 0, 0));
    EXPECT_EQ(year.GetSize(), 366 * 24);
    EXPECT_EQ(year.GetAt(59 * 24).str(), "2024-02-29 00");
    EXPECT_EQ(year.Last().str(), "2024-12-31 23");
}

TEST(PointTimeAxis, DaysTenDayPeriodsAndMonthsAcrossTheirEnds) {
    EXPECT_EQ(Labels(BuildTimeAxis(kPointDaily, COleDateTime(2024, 2, 27, 8, 0, 0),
                                   COleDateTime(2024, 3, 1, 7, 0, 0))),
              (Labels_t{"2024-02-27", "2024-02-28", "2024-02-29", "2024-03-01"}));
    EXPECT_EQ(Labels(BuildTimeAxis(kPointTenDay, COleDateTime(2026, 5, 5, 0, 0, 0),
                                   COleDateTime(2026, 5, 25, 0, 0, 0))),
              (Labels_t{"2026-05-11", "2026-05-21"}));
    EXPECT_EQ(Labels(BuildTimeAxis(kPointTenDay, COleDateTime(2025, 12, 15, 0, 0, 0),
                                   COleDateTime(2026, 1, 11, 0, 0, 0))),
              (Labels_t{"2025-12-21", "2026-01-01", "2026-01-11"}));
    EXPECT_EQ(Labels(BuildTimeAxis(kPointMonthly, COleDateTime(2025, 11, 30, 8, 0, 0),
                                   COleDateTime(2026, 2, 1, 0, 0, 0))),
              (Labels_t{"2025-11", "2025-12", "2026-01", "2026-02"}));
    // A year type, an end before the start and an invalid time give no periods.
    EXPECT_EQ(
        BuildTimeAxis(7, COleDateTime(2025, 1, 1, 0, 0, 0), COleDateTime(2026, 1, 1, 0, 0, 0)).GetSize(), 0);
    EXPECT_EQ(BuildTimeAxis(kPointDaily, COleDateTime(2025, 1, 2, 0, 0, 0), COleDateTime(2025, 1, 1, 0, 0, 0))
                  .GetSize(),
              0);
    COleDateTime invalid;
    invalid.SetStatus(COleDateTime::invalid);
    EXPECT_EQ(BuildTimeAxis(kPointDaily, invalid, COleDateTime(2025, 1, 1, 0, 0, 0)).GetSize(), 0);
}

TEST(PointTimeAxis, FindsTextsFromTheLastFindOnAndWrapsAround) {
    CSortedTextList list;
    for (const char* t : {"c", "a", "b", "a"})
        list.Add(t);
    list.SortUnique();
    EXPECT_EQ(Labels(list), (Labels_t{"a", "b", "c"}));
    EXPECT_EQ(list.Find("c"), 2);
    EXPECT_EQ(list.Find("a"), 0); // before the last find: found after wrapping
    EXPECT_EQ(list.Find("x"), -1);
    EXPECT_EQ(list.GetAt(3).str(), "");
    list.Sort(false);
    EXPECT_EQ(list.First().str(), "c");
}

TEST(PointPeriodRequest, NamesTheTableOfTheTypeAndEndsOneSecondEarly) {
    const CParam p = PointPeriodRequest(kPointTenDay, 10021, COleDateTime(2026, 5, 1, 0, 0, 0),
                                        COleDateTime(2026, 6, 1, 0, 0, 0));
    EXPECT_EQ(p.ExStr().str(), "DAY10DB");
    EXPECT_EQ(p.Ids(), std::vector<int>{10021});
    EXPECT_EQ(p.ExInt(), 0);
    EXPECT_EQ(*p.Begin(), COleDateTime(2026, 5, 1, 0, 0, 0));
    EXPECT_EQ(*p.End(), COleDateTime(2026, 5, 31, 23, 59, 59));
    EXPECT_EQ(PeriodTableOf(kPointHourly).str(), "HOURDB");
    EXPECT_EQ(PeriodTableOf(kPointDaily).str(), "DAYDB");
    EXPECT_EQ(PeriodTableOf(kPointMonthly).str(), "MONTHDB");
    EXPECT_TRUE(PeriodTableOf(7).IsEmpty());
}

TEST(PointGridWidths, TakeTheSavedWidthsAndTheLastForColumnsBeyond) {
    CDWordArray saved;
    EXPECT_TRUE(SavedPointColumnWidths(saved, 4).empty());
    saved.Add(30);
    saved.Add(120);
    EXPECT_EQ(SavedPointColumnWidths(saved, 4), (std::vector<int>{30, 120, 120, 120}));
}

class PointQueryData : public ::testing::TestWithParam<testdb::Kind> {
protected:
    static constexpr const char* kPeriodColumns =
        " (SENID INTEGER, TIME TIMESTAMP, INSTV DOUBLE PRECISION, INSTQ INTEGER, AVGV DOUBLE PRECISION, "
        "AVGQ INTEGER, MAXV DOUBLE PRECISION, MAXQ INTEGER, MINV DOUBLE PRECISION, MINQ INTEGER)";

    void SetUp() override {
        TESTDB_OPEN(m_db, GetParam());
        // No MONTHDB: a monthly query fails for every point.
        for (const char* table : {"HOURDB", "DAYDB", "DAY10DB"})
            Exec(std::string("CREATE TABLE KES.") + table + kPeriodColumns);
        Exec("CREATE TABLE KES.SET_DATAPRO_COLOR (DATAPROID INTEGER, COLOR INTEGER, DISSTA INTEGER)");
        Exec("CREATE TABLE KES.SCHLOG (T TIMESTAMP, SEQID INTEGER, TYPE INTEGER, LOGINFO VARCHAR(400), "
             "CONT TIMESTAMP, CONDIR INTEGER, CONTTYPE VARCHAR(40), EDITMEN VARCHAR(40))");
        Exec("INSERT INTO KES.SET_DATAPRO_COLOR VALUES (0, 0, 1)");
        Exec("INSERT INTO KES.SET_DATAPRO_COLOR VALUES (3, 255, 1)");
        Exec("INSERT INTO KES.SET_DATAPRO_COLOR VALUES (9, 8421504, 0)");
        // Point 1: three hours, one of them corrected by hand (quality 3), one with its
        // average stored as NULL. Point 2: a rejected value (quality 9) and a value exactly at
        // the end of the period. Point 3: nothing.
        Exec("INSERT INTO KES.HOURDB VALUES (1, {ts '2025-12-31 23:00:00'}, 1.5, 0, 1.25, 0, 2, 0, 1, 0)");
        Exec("INSERT INTO KES.HOURDB VALUES (1, {ts '2026-01-01 00:00:00'}, 2.25, 3, NULL, 0, 3, 0, 2, 0)");
        Exec("INSERT INTO KES.HOURDB VALUES (1, {ts '2026-01-01 01:00:00'}, -0.5, 0, -0.5, 0, 0, 0, -1, 0)");
        Exec("INSERT INTO KES.HOURDB VALUES (2, {ts '2025-12-31 23:00:00'}, 7, 9, 7, 9, 7, 9, 7, 9)");
        Exec("INSERT INTO KES.HOURDB VALUES (2, {ts '2026-01-01 02:00:00'}, 8, 0, 8, 0, 8, 0, 8, 0)");
        // A day value read at 08:00 belongs to its day.
        Exec("INSERT INTO KES.DAYDB VALUES (1, {ts '2026-01-02 08:00:00'}, 12, 0, 11, 0, 13, 0, 10, 0)");
        m_settings.m_dataType = kPointHourly;
        m_settings.m_startTime = COleDateTime(2025, 12, 31, 23, 0, 0);
        m_settings.m_endTime = COleDateTime(2026, 1, 1, 2, 0, 0);
        for (const char* number : {"1", "2", "3"}) {
            auto point = std::make_unique<CPointEntry>();
            point->m_number = number;
            point->m_name = std::string("测点") + number;
            m_settings.m_points.Add(std::move(point));
        }
    }

    static void Exec(const std::string& sql) {
        std::vector<std::string> reply;
        ASSERT_TRUE(testdb::Run(sql, reply)) << sql << ": " << (reply.empty() ? "" : reply[0]);
    }

    // The shown texts of a grid row from column 1 on.
    static Labels_t Row(const CGridIterator& grid, long row) {
        Labels_t texts;
        for (long c = 1; c < grid.GetColumnCount(); ++c)
            texts.emplace_back(grid.GetDisplayText(row, c));
        return texts;
    }

    std::unique_ptr<testdb::TestDatabase> m_db;
    CPointQuerySettings m_settings;
    CPointQuery m_query;
    CGridIterator m_grid;
};

TEST_P(PointQueryData, FillsOneRowPerPeriodWithBlanksWhereThereIsNoValue) {
    m_query.Load(m_settings);
    CInterfaceSettings face;
    face.m_alternateRows = 1;
    m_query.Fill(m_grid, m_settings, PointGridLookOf(face));
    ASSERT_EQ(m_grid.GetRowCount(), 5);
    ASSERT_EQ(m_grid.GetColumnCount(), 5);
    EXPECT_EQ(Row(m_grid, 0), (Labels_t{"时间", "测点1", "测点2", "测点3"}));
    EXPECT_EQ(m_grid.GetItemText(0, 0).str(), "  ");
    // The rejected value is not shown; the value at the very end lies outside the request.
    EXPECT_EQ(Row(m_grid, 1), (Labels_t{"2025-12-31 23", "1.500", " ", " "}));
    EXPECT_EQ(Row(m_grid, 2), (Labels_t{"2026-01-01 00", "2.250", " ", " "}));
    EXPECT_EQ(Row(m_grid, 3), (Labels_t{"2026-01-01 01", "-0.500", " ", " "}));
    EXPECT_EQ(Row(m_grid, 4), (Labels_t{"2026-01-01 02", " ", " ", " "}));
    EXPECT_EQ(m_grid.GetItemText(4, 0).str(), "4");
    // A hand-corrected value shows in its quality's colour; rows alternate.
    EXPECT_EQ(m_grid.GetCellLook(2, 2).crText, COLORREF(255));
    EXPECT_EQ(m_grid.GetCellLook(1, 2).crText, COLORREF(0));
    EXPECT_EQ(m_grid.GetCellLook(1, 3).crBack, face.m_firstRowColor);
    EXPECT_EQ(m_grid.GetCellLook(2, 3).crBack, face.m_secondRowColor);
    // Point 2 has a record, though not one shown; point 3 has none at all.
    EXPECT_EQ(m_query.NoDataText(m_settings).str(), "无数据的测点: 测点3");
}

TEST_P(PointQueryData, ShowsTheChosenValueKindAndNullAsBlank) {
    m_settings.m_valueKind = kPointAverage;
    m_query.Load(m_settings);
    m_query.Fill(m_grid, m_settings, PointGridLookOf(CInterfaceSettings{}));
    EXPECT_EQ(Row(m_grid, 1)[1], "1.250");
    EXPECT_EQ(Row(m_grid, 2)[1], " "); // stored as NULL
    m_settings.m_valueKind = kPointMinimum;
    m_query.Fill(m_grid, m_settings, PointGridLookOf(CInterfaceSettings{}));
    EXPECT_EQ(Row(m_grid, 3)[1], "-1.000");
}

TEST_P(PointQueryData, PeriodTypesReadTheirTableAndAFailedCallLeavesItsColumnBlank) {
    m_settings.m_dataType = kPointDaily;
    m_settings.m_startTime = COleDateTime(2026, 1, 1, 8, 0, 0);
    m_settings.m_endTime = COleDateTime(2026, 1, 3, 8, 0, 0);
    m_query.Load(m_settings);
    m_query.Fill(m_grid, m_settings, PointGridLookOf(CInterfaceSettings{}));
    ASSERT_EQ(m_grid.GetRowCount(), 4);
    EXPECT_EQ(Row(m_grid, 2), (Labels_t{"2026-01-02", "12.000", " ", " "}));

    m_settings.m_dataType = kPointMonthly; // there is no MONTHDB
    m_query.Load(m_settings);
    m_query.Fill(m_grid, m_settings, PointGridLookOf(CInterfaceSettings{}));
    ASSERT_EQ(m_grid.GetRowCount(), 2);
    EXPECT_EQ(Row(m_grid, 1), (Labels_t{"2026-01", " ", " ", " "}));
    ASSERT_EQ(m_query.Outcomes().size(), 3u);
    EXPECT_LT(m_query.Outcomes()[0].result, 0);
    EXPECT_FALSE(m_query.Outcomes()[0].error.IsEmpty());
    EXPECT_EQ(m_query.NoDataText(m_settings).str(), "无数据的测点: 测点1, 测点2, 测点3");

    m_settings.m_dataType = 7;
    m_query.Load(m_settings);
    m_query.Fill(m_grid, m_settings, PointGridLookOf(CInterfaceSettings{}));
    EXPECT_EQ(m_grid.GetRowCount(), 1);
}

TEST_P(PointQueryData, RecordsBetweenPeriodStartsLandInTheirPeriodOrAreLeftOut) {
    // One record of a point: the same value for every kind, quality 0.
    auto put = [](const char* table, int point, const char* time, int value) {
        const std::string v = std::to_string(value) + ", 0";
        Exec(std::string("INSERT INTO KES.") + table + " VALUES (" + std::to_string(point) + ", {ts '" +
             time + "'}, " + v + ", " + v + ", " + v + ", " + v + ")");
    };
    auto show = [this](int dataType, const COleDateTime& start, const COleDateTime& end) {
        m_settings.m_dataType = dataType;
        m_settings.m_startTime = start;
        m_settings.m_endTime = end;
        m_query.Load(m_settings);
        m_query.Fill(m_grid, m_settings, PointGridLookOf(CInterfaceSettings{}));
    };
    // Within the hour it starts, the last second included.
    put("HOURDB", 3, "2026-01-01 00:59:59", 4);
    put("HOURDB", 3, "2026-01-01 01:00:00", 5);
    show(kPointHourly, m_settings.m_startTime, m_settings.m_endTime);
    EXPECT_EQ(Row(m_grid, 2), (Labels_t{"2026-01-01 00", "2.250", " ", "4.000"}));
    EXPECT_EQ(Row(m_grid, 3), (Labels_t{"2026-01-01 01", "-0.500", " ", "5.000"}));

    // Ten-day periods start on the 1st, 11th and 21st; a record of another day is on no row.
    put("DAY10DB", 1, "2026-01-05 00:00:00", 1);
    put("DAY10DB", 1, "2026-01-11 08:00:00", 6);
    put("DAY10DB", 1, "2026-01-21 23:59:59", 7);
    show(kPointTenDay, COleDateTime(2026, 1, 1, 0, 0, 0), COleDateTime(2026, 1, 31, 0, 0, 0));
    ASSERT_EQ(m_grid.GetRowCount(), 4);
    EXPECT_EQ(Row(m_grid, 1), (Labels_t{"2026-01-01", " ", " ", " "}));
    EXPECT_EQ(Row(m_grid, 2), (Labels_t{"2026-01-11", "6.000", " ", " "}));
    EXPECT_EQ(Row(m_grid, 3), (Labels_t{"2026-01-21", "7.000", " ", " "}));
    EXPECT_EQ(m_query.Outcomes()[0].result, 3);
    EXPECT_EQ(m_query.Outcomes()[0].placed, 2);

    // A month's record may lie anywhere in its month, across the year's end too.
    Exec(std::string("CREATE TABLE KES.MONTHDB") + kPeriodColumns);
    put("MONTHDB", 2, "2025-12-31 23:00:00", 8);
    put("MONTHDB", 2, "2026-02-01 00:00:00", 9);
    show(kPointMonthly, COleDateTime(2025, 12, 1, 0, 0, 0), COleDateTime(2026, 2, 15, 0, 0, 0));
    ASSERT_EQ(m_grid.GetRowCount(), 4);
    EXPECT_EQ(Row(m_grid, 1), (Labels_t{"2025-12", " ", "8.000", " "}));
    EXPECT_EQ(Row(m_grid, 2), (Labels_t{"2026-01", " ", " ", " "}));
    EXPECT_EQ(Row(m_grid, 3), (Labels_t{"2026-02", " ", "9.000", " "}));
}

TEST_P(PointQueryData, ColumnStylesGiveFontsAndColoursAndTheFirstDressesTheHeadings) {
    CStyleEntry style;
    style.m_first = 0x00FF00;
    style.m_second = 0xEEEEEE;
    style.m_font.lfHeight = 20;
    style.m_font.lfFaceName = "黑体";
    m_settings.m_styles.Add(std::make_unique<CStyleEntry>(style));
    m_query.Load(m_settings);
    m_query.Fill(m_grid, m_settings, PointGridLookOf(CInterfaceSettings{}));
    const CGridCellPro heading = m_grid.GetColumnHeader(2);
    EXPECT_EQ(heading.m_crText, COLORREF(0x00FF00));
    EXPECT_EQ(heading.m_font.lfFaceName.str(), "黑体");
    // Point 3 has no style of its own and takes the first; its empty cells keep the style.
    const CGridCellLook look = m_grid.GetCellLook(1, 4);
    ASSERT_NE(look.font, nullptr);
    EXPECT_EQ(look.font->lfHeight, 20);
    EXPECT_EQ(look.crText, COLORREF(0x00FF00));
}

TEST_P(PointQueryData, TypedValuesAreWrittenWithTheManualQualityAndAudited) {
    m_query.Load(m_settings);
    m_query.Fill(m_grid, m_settings, PointGridLookOf(CInterfaceSettings{}));
    // Row 2 (2026-01-01 00): point 1 corrected, point 3 typed where it had no record.
    const Labels_t before = Row(m_grid, 2);
    CStringArray was, now;
    for (const std::string& t : before)
        was.Add(CString(t).Trim());
    now = was;
    now[1] = "3.5";
    now[3] = "-1.25";
    CQueryClient client;
    ASSERT_EQ(m_query.WritePeriod(1, was, now, m_settings, client), 1) << m_query.LastWriteError().str();
    EXPECT_TRUE(m_query.LastAuditError().IsEmpty()) << m_query.LastAuditError().str();
    EXPECT_EQ(
        testdb::Rows("SELECT INSTV,INSTQ FROM KES.HOURDB WHERE SENID=1 AND TIME={ts '2026-01-01 00:00:00'}"),
        Labels_t{"3.5,3,"});
    EXPECT_EQ(testdb::Rows("SELECT INSTV,INSTQ,AVGV FROM KES.HOURDB WHERE SENID=3"), Labels_t{"-1.25,3,,"});
    EXPECT_EQ(
        testdb::Rows("SELECT SEQID,LOGINFO FROM KES.SCHLOG ORDER BY SEQID"),
        (Labels_t{"1,手工修改 1 2026-01-01 00 将2.250修改为3.5 ,", "2,手工录入 3 2026-01-01 00 -1.25 ,"}));
    // The row shows what is stored now, the corrected value in the colour of hand-set data.
    m_query.FillRow(m_grid, 1, m_settings, PointGridLookOf(CInterfaceSettings{}));
    EXPECT_EQ(Row(m_grid, 2), (Labels_t{"2026-01-01 00", "3.500", " ", "-1.250"}));
    EXPECT_EQ(m_grid.GetCellLook(2, 4).crText, COLORREF(255));

    // A text that is no number writes nothing at all; an unchanged row sends nothing.
    CStringArray bad = now;
    bad[1] = "1; DROP TABLE KES.HOURDB";
    bad[2] = "7";
    EXPECT_EQ(m_query.WritePeriod(1, now, bad, m_settings, client), 0);
    EXPECT_FALSE(m_query.LastWriteError().IsEmpty());
    EXPECT_TRUE(m_query.SentStatements().empty());
    EXPECT_EQ(m_query.WritePeriod(1, now, now, m_settings, client), 1);
    EXPECT_TRUE(m_query.SentStatements().empty());
    // Clearing a value stores none.
    CStringArray cleared = now;
    cleared[1] = "";
    ASSERT_EQ(m_query.WritePeriod(1, now, cleared, m_settings, client), 1);
    EXPECT_EQ(testdb::Rows("SELECT INSTV FROM KES.HOURDB WHERE SENID=1 AND TIME={ts '2026-01-01 00:00:00'}"),
              Labels_t{","});
}

INSTANTIATE_TEST_SUITE_P(Backends, PointQueryData,
                         ::testing::Values(testdb::Kind::Sqlite, testdb::Kind::Postgres),
                         [](const auto& info) {
                             return info.param == testdb::Kind::Sqlite ? "Sqlite" : "Postgres";
                         });

} // namespace
