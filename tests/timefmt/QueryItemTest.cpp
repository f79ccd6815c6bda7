#include "QueryItem.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr const char* kExchange = "%Y-%m-%d %H:%M:%S";

// Builds a time from "YYYY-MM-DD HH:MM:SS" without going through the code under test.
COleDateTime At(const char* text) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    EXPECT_EQ(std::sscanf(text, "%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s), 6) << text;
    COleDateTime t(y, mo, d, h, mi, s);
    EXPECT_TRUE(t.IsValid()) << text;
    return t;
}

CString Show(const COleDateTime& t) {
    return t.IsValid() ? t.Format(kExchange) : CString("invalid");
}

// What a number shown to that many significant digits should read, by the C library: "%#0.*g",
// "%g" once the rounded value has more whole digits than that, no point at the end.
std::string PrintfSignificant(double v, int digits) {
    char expected[128];
    std::snprintf(expected, sizeof expected, "%#0.*g", digits, v);
    const double rounded = std::strtod(expected, nullptr);
    if (std::fabs(rounded) >= std::pow(10.0, digits)) std::snprintf(expected, sizeof expected, "%g", rounded);
    std::string e = expected;
    if (!e.empty() && e.back() == '.') e.pop_back();
    return e;
}

} // namespace

TEST(QueryItemParseTime, ReadsBothTextFormsAndDefaultsMissingFields) {
    struct Case {
        const char* text;
        const char* expected; // "invalid" for a text that names no real date-time
    } cases[] = {
        {"2008-05-06 13:45:10", "2008-05-06 13:45:10"},
        {"2008-05-06", "2008-05-06 00:00:00"},
        {"2008-05", "2008-05-01 00:00:00"},
        {"2008", "2008-01-01 00:00:00"},
        {"2008-05-06 7", "2008-05-06 07:00:00"},
        {"  2008-5-6   7:8:9 trailing", "2008-05-06 07:08:09"},
        {"2008年5月6日", "2008-05-06 00:00:00"},
        {"2008年05月06日13时45分10秒", "2008-05-06 13:45:10"},
        {"2008年5月", "2008-05-01 00:00:00"},
        {"2008年", "2008-01-01 00:00:00"},
        {"", "1990-01-01 00:00:00"},
        {"   ", "1990-01-01 00:00:00"},
        {"garbage", "1990-01-01 00:00:00"},
        {"年月日", "1990-01-01 00:00:00"},
        {"-", "1990-01-01 00:00:00"},
        // The dashed form reads more fields here, so the mixed text is taken as 2008-01-01.
        {"2008-1年5月", "2008-01-01 00:00:00"},
        {"2023-02-29", "invalid"},
        {"2024-04-31 08:00:00", "invalid"},
        {"2024-02-29 23:59:59", "2024-02-29 23:59:59"},
        {"2008-13-01", "invalid"},
        {"2008-05-06 24:00:00", "invalid"},
        {"2008-05-06 12:60:00", "invalid"},
        {"2008-00-10", "invalid"},
        {"2008--5-06", "invalid"},
        {"0-1-1", "invalid"},
        // Numbers beyond an int must not overflow the reader; they simply make no date.
        {"99999999999999999999-1-1", "invalid"},
        {"2008-99999999999999999999", "invalid"},
        {"-99999999999999999999", "invalid"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Show(CQueryItem::ParseTime(c.text)), CString(c.expected)) << '"' << c.text << '"';
}

// The two text forms are read as the C library's scanf reads them; random texts built from
// the pieces of time texts must give the same time as a reading through sscanf itself.
TEST(QueryItemParseTime, AgreesWithTheCLibraryScanner) {
    const char* const pieces[] = {"2008", "5",  "31", "12", "0",    "07",       "-",  "-",
                                  ":",    " ",  "\t", "年", "月",   "日",       "时", "分",
                                  "秒",   "+3", "-7", "x",  "\xE5", "2024-02-", "29"};
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> length(0, 12);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    for (int caseNo = 0; caseNo < 5000; ++caseNo) {
        std::string text;
        for (int i = length(rng); i > 0; --i)
            text += pieces[pick(rng)];

        int dashed[6] = {1990, 1, 1, 0, 0, 0};
        int worded[6] = {1990, 1, 1, 0, 0, 0};
        int nDashed = std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d", &dashed[0], &dashed[1], &dashed[2],
                                  &dashed[3], &dashed[4], &dashed[5]);
        int nWorded = std::sscanf(text.c_str(), "%d年%d月%d日%d时%d分%d秒", &worded[0], &worded[1],
                                  &worded[2], &worded[3], &worded[4], &worded[5]);
        const int* f = nWorded > nDashed ? worded : dashed;
        const COleDateTime expected(f[0], f[1], f[2], f[3], f[4], f[5]);
        EXPECT_EQ(Show(CQueryItem::ParseTime(text)), Show(expected)) << '"' << text << '"';
    }
}

TEST(QueryItemStepTime, TenDayPeriods) {
    struct Case {
        const char* from;
        int count;
        const char* expected;
    } cases[] = {
        {"2008-07-05 08:30:15", 1, "2008-07-11 08:00:00"},
        {"2008-07-01 08:00:00", 1, "2008-07-11 08:00:00"},
        {"2008-07-10 23:59:59", 1, "2008-07-11 23:00:00"},
        {"2008-07-15 00:00:00", -1, "2008-07-11 00:00:00"},
        {"2008-07-11 06:10:00", -1, "2008-07-01 06:00:00"},
        {"2008-07-01 06:00:00", -1, "2008-06-21 06:00:00"},
        {"2008-07-25 12:00:00", 1, "2008-08-01 12:00:00"},
        {"2008-07-31 12:00:00", 1, "2008-08-01 12:00:00"},
        {"2008-07-31 12:00:00", -1, "2008-07-21 12:00:00"},
        {"2008-07-21 12:00:00", -1, "2008-07-11 12:00:00"},
        {"2008-02-29 01:00:00", 1, "2008-03-01 01:00:00"},
        {"2007-02-28 01:00:00", 1, "2007-03-01 01:00:00"},
        {"2008-03-05 01:00:00", -2, "2008-02-21 01:00:00"},
        {"2008-12-25 00:00:00", 1, "2009-01-01 00:00:00"},
        {"2009-01-01 00:00:00", -1, "2008-12-21 00:00:00"},
        {"2009-01-05 00:00:00", -4, "2008-12-01 00:00:00"},
        {"2008-01-01 00:00:00", 36, "2009-01-01 00:00:00"},
        {"2008-01-01 00:00:00", -36, "2007-01-01 00:00:00"},
        {"2008-01-15 00:00:00", -37, "2007-01-11 00:00:00"},
        // Count 0 leaves the time untouched, minutes and seconds included.
        {"2008-07-05 08:30:15", 0, "2008-07-05 08:30:15"},
    };
    for (const Case& c : cases) {
        COleDateTime t = At(c.from);
        CQueryItem::StepTime(t, 3, c.count);
        EXPECT_EQ(Show(t), CString(c.expected)) << c.from << " by " << c.count;
    }
}

TEST(QueryItemStepTime, HoursDaysMonthsYears) {
    struct Case {
        const char* from;
        int unit;
        int count;
        const char* expected;
    } cases[] = {
        {"2008-07-05 08:30:15", 0, 1, "2008-07-05 09:00:00"},
        {"2008-07-05 08:30:15", 1, 0, "2008-07-05 08:00:00"},
        {"2008-12-31 23:30:00", 1, 1, "2009-01-01 00:00:00"},
        {"2008-03-01 00:10:00", 1, -1, "2008-02-29 23:00:00"},
        {"2008-07-05 08:30:15", 1, -48, "2008-07-03 08:00:00"},
        {"2008-02-28 22:45:00", 2, 1, "2008-02-29 22:00:00"},
        {"2008-03-01 22:45:00", 2, -1, "2008-02-29 22:00:00"},
        {"2008-12-31 05:00:00", 2, 1, "2009-01-01 05:00:00"},
        {"2008-07-05 08:30:15", 2, 0, "2008-07-05 08:00:00"},
        {"2008-01-31 10:20:30", 4, 1, "2008-02-01 10:00:00"},
        {"2008-01-15 10:20:30", 4, -1, "2007-12-01 10:00:00"},
        {"2008-03-20 00:00:00", 4, -3, "2007-12-01 00:00:00"},
        {"2008-03-20 00:00:00", 4, -2, "2008-01-01 00:00:00"},
        {"2008-12-20 00:00:00", 4, 0, "2008-12-01 00:00:00"},
        {"2008-12-20 00:00:00", 4, 1, "2009-01-01 00:00:00"},
        {"2008-11-20 00:00:00", 4, 1, "2008-12-01 00:00:00"},
        {"2008-01-20 00:00:00", 4, 11, "2008-12-01 00:00:00"},
        {"2008-01-20 00:00:00", 4, 12, "2009-01-01 00:00:00"},
        {"2008-01-20 00:00:00", 4, -12, "2007-01-01 00:00:00"},
        {"2008-01-20 00:00:00", 4, -13, "2006-12-01 00:00:00"},
        {"2008-06-20 00:00:00", 4, -30, "2005-12-01 00:00:00"},
        {"2008-06-20 00:00:00", 4, 30, "2010-12-01 00:00:00"},
        {"2008-06-20 17:59:59", 5, 1, "2009-01-01 17:00:00"},
        {"2008-06-20 17:59:59", 5, -3, "2005-01-01 17:00:00"},
        {"2008-06-20 17:59:59", 5, 0, "2008-01-01 17:00:00"},
        {"2008-06-20 17:59:59", 6, 5, "2008-06-20 17:59:59"},
        {"2008-06-20 17:59:59", -1, 5, "2008-06-20 17:59:59"},
    };
    for (const Case& c : cases) {
        COleDateTime t = At(c.from);
        CQueryItem::StepTime(t, c.unit, c.count);
        EXPECT_EQ(Show(t), CString(c.expected)) << c.from << " unit " << c.unit << " by " << c.count;
    }
}

// A count that walks off the calendar must end, and end as an invalid time rather than a date
// that wrapped around.
TEST(QueryItemStepTime, CountsBeyondTheCalendarGiveInvalidTimes) {
    for (int unit = 0; unit <= 5; ++unit)
        for (int count : {INT_MAX, INT_MIN, 300'000'000, -300'000'000}) {
            COleDateTime t = At("2008-06-20 12:00:00");
            CQueryItem::StepTime(t, unit, count);
            EXPECT_FALSE(t.IsValid()) << "unit " << unit << " by " << count << " gave " << Show(t);
        }
    // An invalid time stays invalid whatever it is stepped by.
    for (int unit = 0; unit <= 5; ++unit) {
        COleDateTime t = CQueryItem::ParseTime("2023-02-29");
        CQueryItem::StepTime(t, unit, 1);
        EXPECT_FALSE(t.IsValid()) << "unit " << unit;
    }
}

TEST(QueryItemShiftTime, WordsPickTheirPeriod) {
    struct Case {
        const char* word;
        int count;
        const char* expected;
    } cases[] = {
        {"年", 1, "2009-01-01 08:00:00"},
        {"月", -1, "2008-06-01 08:00:00"},
        {"旬", 1, "2008-07-21 08:00:00"},
        {"旬", -1, "2008-07-11 08:00:00"},
        {"日", 1, "2008-07-16 08:00:00"},
        {"时", -2, "2008-07-15 06:00:00"},
        // Words without a period (and words with spaces: only FormatTimeByType trims) leave the
        // time as rebuilt from its fields.
        {"分", 5, "2008-07-15 08:30:15"},
        {"月旬", 1, "2008-07-15 08:30:15"},
        {" 月", 1, "2008-07-15 08:30:15"},
        {"", 1, "2008-07-15 08:30:15"},
    };
    for (const Case& c : cases) {
        COleDateTime t = At("2008-07-15 08:30:15");
        CQueryItem::ShiftTime(t, c.word, c.count);
        EXPECT_EQ(Show(t), CString(c.expected)) << '"' << c.word << "\" by " << c.count;
    }
    // Rebuilding rounds away a stray fraction of a second that would otherwise show.
    COleDateTime t(At("2008-07-15 08:30:15").m_dt + 0.4 / 86400);
    CQueryItem::ShiftTime(t, "秒", 0);
    EXPECT_EQ(t, At("2008-07-15 08:30:15"));
}

TEST(QueryItemFormatTime, EveryWord) {
    struct Case {
        const char* time;
        const char* word;
        const char* expected;
    } cases[] = {
        {"2008-07-21 09:05:03", "年", "2008年"},
        {"2008-07-21 09:05:03", "月", "2008年07月"},
        {"2008-07-21 09:05:03", "日", "2008年07月21日"},
        {"2008-07-21 09:05:03", "时", "2008年07月21日09时"},
        {"2008-07-21 09:05:03", "分", "2008年07月21日09时05分"},
        {"2008-07-21 09:05:03", "秒", "2008年07月21日09时05分03秒"},
        {"2008-07-01 00:00:00", "旬", "2008年07月 上旬"},
        {"2008-07-10 23:00:00", "旬", "2008年07月 上旬"},
        {"2008-07-11 00:00:00", "旬", "2008年07月 中旬"},
        {"2008-07-20 00:00:00", "旬", "2008年07月 中旬"},
        {"2008-07-21 00:00:00", "旬", "2008年07月 下旬"},
        {"2008-07-31 00:00:00", "旬", "2008年07月 下旬"},
        {"2008-02-29 00:00:00", "旬", "2008年02月 下旬"},
        {"2008-07-01 00:00:00", "月旬", "2008年07月"},
        {"2008-07-02 00:00:00", "月旬", "2008年07月 上旬"},
        {"2008-07-11 00:00:00", "月旬", "2008年07月 中旬"},
        {"2008-07-21 00:00:00", "月旬", "2008年07月 下旬"},
        {"2008-07-21 09:05:03", "YEAR", "2008"},
        {"2008-07-21 09:05:03", "MON", "2008-07"},
        {"2008-07-21 09:05:03", "DAY", "2008-07-21"},
        {"2008-07-21 09:05:03", "HOUR", "2008-07-21 09"},
        {"2008-07-21 09:05:03", "MIN", "2008-07-21 09:05"},
        {"2008-07-21 09:05:03", "SEC", "2008-07-21 09:05:03"},
        {"2008-07-21 09:05:03", "  日 ", "2008年07月21日"},
        {"2008-07-21 09:05:03", "\t旬\r\n", "2008年07月 下旬"},
        {"2008-07-21 09:05:03", "year", ""},
        {"2008-07-21 09:05:03", "周", ""},
        {"2008-07-21 09:05:03", "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CQueryItem::FormatTimeByType(At(c.time), c.word), CString(c.expected))
            << c.time << " \"" << c.word << '"';

    EXPECT_EQ(CQueryItem::FormatTimeByType(CQueryItem::ParseTime("2023-02-29"), "日"), "");
    EXPECT_EQ(CQueryItem::FormatTimeText("2008年7月21日", "旬"), "2008年07月 下旬");
    EXPECT_EQ(CQueryItem::FormatTimeText("2008-07-01 10:00:00", "月旬"), "2008年07月");
    EXPECT_EQ(CQueryItem::FormatTimeText("2008-7", "SEC"), "2008-07-01 00:00:00");
    EXPECT_EQ(CQueryItem::FormatTimeText("", "DAY"), "1990-01-01");
    EXPECT_EQ(CQueryItem::FormatTimeText("2024-04-31", "DAY"), "");
}

TEST(QueryItemValues, FormatNumber) {
    struct Case {
        const char* text;
        int digits;
        const char* expected;
    } cases[] = {
        {"1234.5", 3, "1230"},
        {"100", 3, "100"},
        {"12.5", 4, "12.50"},
        {"12.6", 2, "13"},
        {"0.126", 2, "0.13"},
        {"0.000012345", 3, "1.23e-05"},
        {"0", 3, "0.00"},
        {"-0", 2, "-0.0"},
        {"-12.5", 4, "-12.50"},
        {"-100", 3, "-100"},
        {"999", 3, "999"},
        {"1000", 3, "1000"},
        {"123456", 3, "123000"},
        {"1234567", 3, "1.23e+06"},
        {"-1234.5", 3, "-1230"},
        // Rounding up to the next power of ten reads as plain digits, as 1000 itself does.
        {"999.7", 3, "1000"},
        {"-999.7", 3, "-1000"},
        {"9.96", 2, "10"},
        {"abc", 3, "0.00"},
        {"", 2, "0.0"},
        {" 42abc", 3, "42.0"},
        {"1e3", 2, "1000"},
        {"5", 1, "5"},
        {"5", 0, "5"},
        {"1234.5", 0, "1000"},
        {"1234.5", -3, "1000"},
        {"3.14159", 10, "3.141590000"},
        {"inf", 3, "inf"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CQueryItem::FormatNumber(c.text, c.digits), CString(c.expected))
            << '"' << c.text << "\" " << c.digits;
}

TEST(QueryItemValues, ParenTextAndNearZero) {
    struct Case {
        const char* text;
        const char* expected;
    } cases[] = {
        {"水位(m)", "m"},
        {"  流量 ( m3/s )  ", "m3/s"},
        {"雨量", ""},
        {"", ""},
        {"   ", ""},
        {"a(b", ""},
        {"a)b(c", ""},
        {"a)b(c)", "c"},
        {"(x)(y)", "x"},
        {"((x))", "(x"},
        {"()", ""},
        {"a( )b", ""},
        {"库容(万m³)", "万m³"},
        {"x(y)z)", "y"},
        {"（全角）", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CQueryItem::ParenText(c.text), CString(c.expected)) << '"' << c.text << '"';

    struct NearCase {
        double value;
        bool near;
    } nears[] = {{0.0, true},         {-0.0, true},
                 {1e-6, true},        {-1e-6, true},
                 {9.99e-7, true},     {1.0001e-6, false},
                 {-1.0001e-6, false}, {0.5, false},
                 {-3.0, false},       {std::numeric_limits<double>::quiet_NaN(), false}};
    for (const NearCase& c : nears)
        EXPECT_EQ(CQueryItem::IsNearZero(c.value), c.near) << c.value;
}

TEST(QueryItemFont, DefaultRecordFont) {
    LOGFONT f = CQueryItem().m_font;
    EXPECT_EQ(f.lfHeight, 12);
    EXPECT_EQ(f.lfWidth, 0);
    EXPECT_EQ(f.lfWeight, 400);
    EXPECT_EQ(f.lfCharSet, 134);
    EXPECT_EQ(f.lfOutPrecision, 3);
    EXPECT_EQ(f.lfClipPrecision, 2);
    EXPECT_EQ(f.lfQuality, 1);
    EXPECT_EQ(f.lfPitchAndFamily, 0x32);
    EXPECT_EQ(f.lfFaceName, "宋体");
}

// Exchange-form texts are shown through a shortcut; it must read exactly like the general path.
TEST(QueryItemFormatTimeText, ShortcutAgreesWithTheGeneralPath) {
    const char* words[] = {"年", "月", "日", "时", "分", "秒", "旬", "月旬", "DAY", " 日 ", "x"};
    const char* texts[] = {"2008-07-21 08:05:09", "1999-12-31 23:59:59", "2024-02-29 00:00:00",
                           "2023-02-29 00:00:00", "2008-13-01 00:00:00", "2008-07-01 24:00:00",
                           "0099-01-01 00:00:00", "2008-07-01 08:00",    "2008-07-0a 08:00:00"};
    for (const char* text : texts)
        for (const char* word : words)
            EXPECT_EQ(CQueryItem::FormatTimeText(text, word),
                      CQueryItem::FormatTimeByType(CQueryItem::ParseTime(text), word))
                << text << " " << word;
    for (int day = 0; day < 3000; day += 7) {
        COleDateTime t =
            COleDateTime(2000, 1, 1, 0, 0, 0) + COleDateTimeSpan(day, day % 24, day % 60, day % 59);
        CString text = t.Format("%Y-%m-%d %H:%M:%S");
        for (const char* word : {"年", "月", "日", "时", "分", "秒"})
            EXPECT_EQ(CQueryItem::FormatTimeText(text, word), CQueryItem::FormatTimeByType(t, word)) << text;
    }
}

// FormatNumber writes "%#0.<digits>g" without printf for plain values; the text must be the
// one printf gives.
TEST(QueryItemFormatNumber, AgreesWithPrintfAlternateForm) {
    std::mt19937_64 rng(11);
    std::vector<double> values = {0.0,  -0.0,     1.0,    0.5,   100,     1234.5,
                                  12.5, 0.012345, 9.9995, 99.95, 0.00001, -0.0001234};
    for (int i = 0; i < 20000; ++i) {
        double scale = std::pow(10.0, int(rng() % 14) - 7);
        values.push_back((double(rng() % 2000001) - 1000000.0) / 1000.0 * scale);
    }
    for (double v : values) {
        for (int digits = 0; digits <= 17; ++digits) {
            char text[64];
            std::snprintf(text, sizeof text, "%.17g", v);
            ASSERT_EQ(CQueryItem::FormatNumber(text, digits), CString(PrintfSignificant(v, digits)))
                << text << " digits " << digits;
        }
    }
}

// Stored cells are plain decimals of at most fifteen digits, which FormatNumber and
// FormatDecimals round from their digits; the text must be the one printf gives for the
// double the cell reads as, ties and carries into a new digit included.
TEST(QueryItemFormatNumber, StoredDecimalsRoundAsPrintfDoes) {
    std::vector<std::string> texts = {"0.5",
                                      "1.5",
                                      "2.5",
                                      "-2.5",
                                      "0.125",
                                      "0.375",
                                      "2.675",
                                      "1.005",
                                      "-1.005",
                                      "9.995",
                                      "99.95",
                                      "999.5",
                                      "0.0005",
                                      "-0.0049",
                                      "-0.004",
                                      "0.00001",
                                      "7",
                                      "-7",
                                      "100",
                                      "1234.5",
                                      "999.7",
                                      "-999.7",
                                      "9.96",
                                      "41.2",
                                      "007.25",
                                      "5.",
                                      ".5",
                                      "-.5",
                                      "0.10",
                                      "123456789012345",
                                      "12345678901234.5",
                                      "1234567890123.4",
                                      "0.000123456789012345",
                                      "99999.99999",
                                      "-0.0",
                                      "0",
                                      "1e3",
                                      "+1.5",
                                      " 1.5",
                                      "1.5 ",
                                      "1..5",
                                      "-",
                                      ".",
                                      "",
                                      "0.1000000000000000000001"};
    std::mt19937_64 rng(5);
    for (int i = 0; i < 20000; ++i) {
        double scale = std::pow(10.0, int(rng() % 16) - 8);
        double v = (double(rng() % 2000001) - 1000000.0) / 1000.0 * scale;
        char text[64];
        std::snprintf(text, sizeof text, "%.15g", v); // as the row store keeps numbers
        texts.push_back(text);
        std::snprintf(text, sizeof text, "%.*f", int(rng() % 5), v); // short decimals: ties
        texts.push_back(text);
    }
    for (const std::string& text : texts) {
        const double v = std::strtod(text.c_str(), nullptr);
        char expected[512];
        for (int decimals = 0; decimals <= 16; ++decimals) {
            std::snprintf(expected, sizeof expected, "%.*f", decimals, v);
            std::string shown = "stale";
            CQueryItem::FormatDecimals(text, decimals, shown);
            ASSERT_EQ(shown, expected) << '"' << text << "\" decimals " << decimals;
        }
        for (int digits = 0; digits <= 17; ++digits) {
            ASSERT_EQ(CQueryItem::FormatNumber(text, digits), CString(PrintfSignificant(v, digits)))
                << '"' << text << "\" digits " << digits;
        }
    }
}

// A grid column formats each cell into the buffer that holds the previous step's text.
TEST(QueryItemFormatNumber, FormatsTheTextItsResultHolds) {
    std::string s = "41.2355";
    CQueryItem::FormatDecimals(s, 2, s);
    EXPECT_EQ(s, "41.24");
    CQueryItem::FormatNumber(s, 3, s);
    EXPECT_EQ(s, "41.2");
    s = "1234.5678";
    CQueryItem::FormatNumber(s, 3, s);
    EXPECT_EQ(s, "1230");
    s = "0.000012345"; // exponent form, through printf
    CQueryItem::FormatNumber(s, 3, s);
    EXPECT_EQ(s, "1.23e-05");
    s = "2024-01-31 00:00:00";
    CTimeTextFormat("日").Format(s, s);
    EXPECT_EQ(s, "2024年01月31日");
    s = "2024-02-29 23:00:00";
    CTimeTextFormat("旬").Format(s, s);
    EXPECT_EQ(s, "2024年02月 下旬");
}
