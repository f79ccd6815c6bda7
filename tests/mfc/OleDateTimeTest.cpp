#include "OleDateTime.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <limits>

namespace {

CString Show(const COleDateTime& t) {
    return t.IsValid() ? t.Format("%Y-%m-%d %H:%M:%S") : CString("invalid");
}

} // namespace

TEST(COleDateTime, SetDateTimeRejectsImpossibleDates) {
    struct Case {
        int y, mo, d, h, mi, s;
        bool valid;
    } cases[] = {
        {2024, 2, 29, 0, 0, 0, true},       {2023, 2, 29, 0, 0, 0, false},
        {1900, 2, 29, 0, 0, 0, false},      {2000, 2, 29, 0, 0, 0, true},
        {2024, 4, 31, 0, 0, 0, false},      {2024, 4, 30, 23, 59, 59, true},
        {2024, 1, 1, 24, 0, 0, false},      {2024, 1, 1, 0, 60, 0, false},
        {2024, 1, 1, 0, 0, 60, false},      {2024, 1, 1, -1, 0, 0, false},
        {2024, 1, 1, 0, -1, 0, false},      {2024, 1, 1, 0, 0, -1, false},
        {2024, 0, 1, 0, 0, 0, false},       {2024, 13, 1, 0, 0, 0, false},
        {2024, -1, 1, 0, 0, 0, false},      {2024, 1, 0, 0, 0, 0, false},
        {2024, 1, 32, 0, 0, 0, false},      {2024, 1, -5, 0, 0, 0, false},
        {99, 12, 31, 0, 0, 0, false},       {100, 1, 1, 0, 0, 0, true},
        {9999, 12, 31, 23, 59, 59, true},   {10000, 1, 1, 0, 0, 0, false},
        {-2024, 1, 1, 0, 0, 0, false},      {INT_MAX, 1, 1, 0, 0, 0, false},
        {2024, INT_MIN, 1, 0, 0, 0, false}, {2024, 1, INT_MAX, 0, 0, 0, false},
    };
    for (const Case& c : cases) {
        COleDateTime t(2001, 1, 1, 0, 0, 0);
        int rc = t.SetDateTime(c.y, c.mo, c.d, c.h, c.mi, c.s);
        EXPECT_EQ(rc == 0, c.valid) << c.y << "-" << c.mo << "-" << c.d << " " << c.h << ":" << c.mi << ":"
                                    << c.s;
        EXPECT_EQ(t.IsValid(), c.valid);
        if (c.valid) {
            EXPECT_EQ(t.GetYear(), c.y);
            EXPECT_EQ(t.GetMonth(), c.mo);
            EXPECT_EQ(t.GetDay(), c.d);
            EXPECT_EQ(t.GetHour(), c.h);
            EXPECT_EQ(t.GetMinute(), c.mi);
            EXPECT_EQ(t.GetSecond(), c.s);
        } else {
            // An invalid time shows nothing and answers -1 for every field.
            EXPECT_EQ(t.GetStatus(), COleDateTime::invalid);
            EXPECT_EQ(t.Format("%Y"), "");
            for (int field : {t.GetYear(), t.GetMonth(), t.GetDay(), t.GetHour(), t.GetMinute(),
                              t.GetSecond(), t.GetDayOfWeek(), t.GetDayOfYear()})
                EXPECT_EQ(field, -1);
        }
    }
}

TEST(COleDateTime, StoredNumbersAroundDayZero) {
    // Before 1899-12-30 the whole part counts days back while the fraction still runs forward.
    struct Case {
        double ole;
        const char* text;
        int dayOfWeek;
    } cases[] = {
        {0.0, "1899-12-30 00:00:00", 7},      {0.25, "1899-12-30 06:00:00", 7},
        {1.5, "1899-12-31 12:00:00", 1},      {-1.0, "1899-12-29 00:00:00", 6},
        {-1.25, "1899-12-29 06:00:00", 6},    {-1.75, "1899-12-29 18:00:00", 6},
        {-2.5, "1899-12-28 12:00:00", 5},     {-0.5, "1899-12-30 12:00:00", 7},
        {2.0, "1900-01-01 00:00:00", 2},      {39650.0, "2008-07-21 00:00:00", 2},
        {-36522.0, "1800-01-01 00:00:00", 4}, {2958465.0, "9999-12-31 00:00:00", 6},

    };
    for (const Case& c : cases) {
        COleDateTime t(c.ole);
        EXPECT_EQ(Show(t), CString(c.text)) << c.ole;
        EXPECT_EQ(t.GetDayOfWeek(), c.dayOfWeek) << c.ole;
        if (c.ole != -0.5) {
            COleDateTime rebuilt(t.GetYear(), t.GetMonth(), t.GetDay(), t.GetHour(), t.GetMinute(),
                                 t.GetSecond());
            EXPECT_DOUBLE_EQ(rebuilt.m_dt, c.ole) << c.text;
        }
    }
    EXPECT_EQ(COleDateTime(-657434.0).GetYear(), 100);
    EXPECT_EQ(COleDateTime(-657434.0).GetDayOfYear(), 1);
    // Times out of the framework's years, or not numbers at all, have no fields.
    for (double ole : {2958466.0, -657435.0, std::numeric_limits<double>::quiet_NaN(),
                       std::numeric_limits<double>::infinity()})
        EXPECT_EQ(COleDateTime(ole).GetYear(), -1) << ole;

    // Ordering follows time, not the stored number: -1.25 (06:00) comes before -1.75 (18:00).
    EXPECT_LT(COleDateTime(-1.25), COleDateTime(-1.75));
    EXPECT_LT(COleDateTime(-1.75), COleDateTime(0.0));
    EXPECT_LT(COleDateTime(-2.0), COleDateTime(-1.99));
}

TEST(COleDateTime, SpanArithmetic) {
    struct Case {
        const char* from;
        long days;
        int hours, minutes, seconds;
        const char* expected;
    } cases[] = {
        {"2008-07-21 23:30:00", 0, 1, 0, 0, "2008-07-22 00:30:00"},
        {"2008-07-22 00:30:00", 0, -1, 0, 0, "2008-07-21 23:30:00"},
        {"2008-01-31 12:00:00", 1, 0, 0, 0, "2008-02-01 12:00:00"},
        {"2008-02-28 12:00:00", 1, 0, 0, 0, "2008-02-29 12:00:00"},
        {"2007-02-28 12:00:00", 1, 0, 0, 0, "2007-03-01 12:00:00"},
        {"2008-12-31 23:59:59", 0, 0, 0, 1, "2009-01-01 00:00:00"},
        {"2009-01-01 00:00:00", 0, 0, 0, -1, "2008-12-31 23:59:59"},
        {"2008-03-01 00:00:00", -366, 0, 0, 0, "2007-03-01 00:00:00"},
        {"1899-12-29 18:00:00", 0, 12, 0, 0, "1899-12-30 06:00:00"},
        {"1899-12-30 06:00:00", 0, -12, 0, 0, "1899-12-29 18:00:00"},
        {"1899-12-31 01:00:00", -3, 0, 0, 0, "1899-12-28 01:00:00"},
        {"1899-12-28 23:00:00", 2, 2, 0, 0, "1899-12-31 01:00:00"},
        {"1800-01-01 00:00:00", 36522, 0, 0, 0, "1899-12-30 00:00:00"},
        {"2008-07-21 10:00:00", 0, 0, 90, 0, "2008-07-21 11:30:00"},
        {"2008-07-21 10:00:00", 0, 0, 0, 86400, "2008-07-22 10:00:00"},
    };
    for (const Case& c : cases) {
        int y, mo, d, h, mi, s;
        ASSERT_EQ(std::sscanf(c.from, "%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s), 6);
        const COleDateTime from(y, mo, d, h, mi, s);
        const COleDateTimeSpan span(c.days, c.hours, c.minutes, c.seconds);
        const COleDateTime to = from + span;
        EXPECT_EQ(Show(to), CString(c.expected)) << c.from << " + " << span.GetTotalHours() << "h";
        EXPECT_EQ(Show(to - span), CString(c.from)) << c.expected;
        COleDateTime stepped = from;
        stepped += span;
        stepped -= span;
        EXPECT_EQ(Show(stepped), CString(c.from));
        // The difference of the two times is the span again, even across day 0.
        EXPECT_NEAR((to - from).GetTotalSeconds(), span.GetTotalSeconds(), 1e-3) << c.from;
    }

    const COleDateTimeSpan span(3, 4, 5, 6);
    EXPECT_EQ(span.GetDays(), 3);
    EXPECT_EQ(span.GetHours(), 4);
    EXPECT_EQ(span.GetMinutes(), 5);
    EXPECT_EQ(span.GetSeconds(), 6);
    EXPECT_DOUBLE_EQ(span.GetTotalHours(), 3 * 24 + 4 + 5 / 60.0 + 6 / 3600.0);
    const COleDateTimeSpan back = -span;
    EXPECT_EQ(back.GetDays(), -3);
    EXPECT_EQ(back.GetHours(), -4);
    EXPECT_EQ(back.GetMinutes(), -5);
    EXPECT_EQ(back.GetSeconds(), -6);
    EXPECT_EQ((span - span).GetTotalSeconds(), 0.0);
    EXPECT_EQ(COleDateTimeSpan(0, 0, 0, 59).GetMinutes(), 0);
    EXPECT_EQ(COleDateTimeSpan(0, 23, 59, 60).GetDays(), 1);

    // Arithmetic with an invalid time or span gives an invalid result.
    COleDateTime bad;
    bad.SetDateTime(2023, 2, 29, 0, 0, 0);
    EXPECT_FALSE((bad + span).IsValid());
    EXPECT_EQ((bad - COleDateTime(2008, 1, 1, 0, 0, 0)).GetStatus(), COleDateTimeSpan::invalid);
    COleDateTimeSpan badSpan(1.0);
    badSpan.SetStatus(COleDateTimeSpan::invalid);
    EXPECT_FALSE((COleDateTime(2008, 1, 1, 0, 0, 0) + badSpan).IsValid());
}

TEST(COleDateTime, FieldsRoundToTheNearestSecond) {
    const double noon = COleDateTime(2008, 7, 21, 12, 0, 0).m_dt;
    const double second = 1.0 / 86400;
    struct Case {
        double ole;
        const char* text;
    } cases[] = {
        {noon + 0.4 * second, "2008-07-21 12:00:00"},
        {noon + 0.6 * second, "2008-07-21 12:00:01"},
        {noon - 0.4 * second, "2008-07-21 12:00:00"},
        {noon - 0.6 * second, "2008-07-21 11:59:59"},
        {COleDateTime(2008, 12, 31, 23, 59, 59).m_dt + 0.6 * second, "2009-01-01 00:00:00"},
        {COleDateTime(2008, 7, 21, 0, 0, 0).m_dt - 0.3 * second, "2008-07-21 00:00:00"},
        // Before day 0 the fraction runs the other way; rounding must still cross midnight forward.
        {COleDateTime(1899, 12, 28, 23, 59, 59).m_dt - 0.6 * second, "1899-12-29 00:00:00"},
        {-1.0 - 0.4 * second, "1899-12-29 00:00:00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Show(COleDateTime(c.ole)), CString(c.text)) << c.ole;
}

TEST(COleDateTime, Format) {
    const COleDateTime t(2008, 7, 1, 9, 5, 3);
    struct Case {
        const char* pattern;
        const char* expected;
    } cases[] = {
        {"%Y年%m月", "2008年07月"},
        {"%Y-%m-%d %H:%M:%S", "2008-07-01 09:05:03"},
        {"%Y年%m月%d日%H时%M分%S秒", "2008年07月01日09时05分03秒"},
        {"%Y年%m月 上旬", "2008年07月 上旬"},
        {"%j|%w|%%", "183|2|%"},
        {"纯文字", "纯文字"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(t.Format(c.pattern), CString(c.expected)) << c.pattern;

    // A pattern whose result is far longer than the pattern itself still comes out whole.
    std::string longPattern;
    std::string longExpected;
    for (int i = 0; i < 200; ++i) {
        longPattern += "%c|";
        longExpected += "Tue Jul  1 09:05:03 2008|";
    }
    EXPECT_EQ(t.Format(longPattern), CString(longExpected));
    EXPECT_EQ(COleDateTime(1600, 2, 29, 0, 0, 0).Format("%Y-%m-%d"), "1600-02-29");
}

// The common conversions are written directly; they must read exactly as strftime writes them.
TEST(COleDateTime, DirectFormatAgreesWithStrftime) {
    const char* pattern = "%Y年%m月%d日%H时%M分%S秒 %% %Y-%m-%d %H:%M:%S";
    for (double day = -700.25; day < 80000; day += 97.3171) {
        COleDateTime t(day);
        int y = t.GetYear();
        std::tm tm{};
        tm.tm_year = y - 1900;
        tm.tm_mon = t.GetMonth() - 1;
        tm.tm_mday = t.GetDay();
        tm.tm_hour = t.GetHour();
        tm.tm_min = t.GetMinute();
        tm.tm_sec = t.GetSecond();
        char expected[128];
        std::strftime(expected, sizeof expected, pattern, &tm);
        EXPECT_EQ(t.Format(pattern), CString(expected)) << day;
    }
    // Conversions without a direct form still go through strftime.
    EXPECT_EQ(COleDateTime(2008, 7, 1, 8, 0, 0).Format("%y/%j"), "08/183");
}
