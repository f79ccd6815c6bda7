#include "CString.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "Types.h"

TEST(CString, SubstringsClampTheirArguments) {
    const CString text = "水位abc"; // 6 bytes of Chinese, then 3 ASCII
    struct Case {
        const char* op;
        int a, b;
        const char* expected;
    } cases[] = {
        {"Mid", 0, 100, "水位abc"},
        {"Mid", 6, 2, "ab"},
        {"Mid", 6, 100, "abc"},
        {"Mid", -5, 3, "水"},
        {"Mid", 9, 1, ""},
        {"Mid", 50, 1, ""},
        {"Mid", 2, -1, ""},
        {"Mid", INT_MAX, INT_MAX, ""},
        {"Mid", 1, INT_MAX,
         "\xB0\xB4\xE4\xBD\x8D"
         "abc"},
        {"Mid1", 6, 0, "abc"},
        {"Mid1", -3, 0, "水位abc"},
        {"Mid1", 9, 0, ""},
        {"Left", 3, 0, "水"},
        {"Left", 0, 0, ""},
        {"Left", -1, 0, ""},
        {"Left", 99, 0, "水位abc"},
        {"Right", 3, 0, "abc"},
        {"Right", 0, 0, ""},
        {"Right", -4, 0, ""},
        {"Right", 99, 0, "水位abc"},
    };
    for (const Case& c : cases) {
        CString got;
        std::string op = c.op;
        if (op == "Mid")
            got = text.Mid(c.a, c.b);
        else if (op == "Mid1")
            got = text.Mid(c.a);
        else if (op == "Left")
            got = text.Left(c.a);
        else
            got = text.Right(c.a);
        EXPECT_EQ(got, CString(c.expected)) << c.op << "(" << c.a << ", " << c.b << ")";
    }
}

TEST(CString, Searching) {
    const CString text = "站码(STCD);站名(STNM)";
    EXPECT_EQ(text.Find('('), 6);
    EXPECT_EQ(text.Find('(', 7), 19);
    EXPECT_EQ(text.Find('(', 20), -1);
    EXPECT_EQ(text.Find('(', -1), -1);
    EXPECT_EQ(text.Find('(', text.GetLength()), -1);
    EXPECT_EQ(text.Find("STNM"), 20);
    EXPECT_EQ(text.Find("站名"), 13);
    EXPECT_EQ(text.Find("STCD", 8), -1);
    EXPECT_EQ(text.Find("", text.GetLength()), text.GetLength());
    EXPECT_EQ(text.Find("x", text.GetLength() + 1), -1);
    EXPECT_EQ(text.ReverseFind('('), 19);
    EXPECT_EQ(text.ReverseFind('#'), -1);
    EXPECT_EQ(text.FindOneOf(";)"), 11);
    EXPECT_EQ(text.FindOneOf("#"), -1);
    EXPECT_EQ(CString().Find('a'), -1);
}

TEST(CString, EditingKeepsMultiByteTextIntact) {
    struct Case {
        const char* before;
        const char* op;
        const char* a;
        const char* b;
        const char* after;
        int result;
    } cases[] = {
        {"  \t水位 \r\n", "Trim", "", "", "水位", 0},
        {"  水位  ", "TrimLeft", "", "", "水位  ", 0},
        {"  水位  ", "TrimRight", "", "", "  水位", 0},
        {"   ", "Trim", "", "", "", 0},
        {"xx,a,b,,", "TrimChars", ",x", "", "a,b", 0},
        {"a,b,,c", "Replace", ",,", ",", "a,b,c", 1},
        {"aaa", "Replace", "aa", "b", "ba", 1},
        {"aaa", "Replace", "a", "aa", "aaaaaa", 3},
        {"站名;站名", "Replace", "站名", "STNM", "STNM;STNM", 2},
        {"abc", "Replace", "", "x", "abc", 0},
        {"abc", "Replace", "d", "x", "abc", 0},
        {"a;b;c", "ReplaceChar", ";", ",", "a,b,c", 2},
        {"a b  c ", "Remove", " ", "", "abc", 4},
        {"abc", "Remove", "x", "", "abc", 0},
        {"select 水位 from kes.river_r", "MakeUpper", "", "", "SELECT 水位 FROM KES.RIVER_R", 0},
        {"KES.站表 WHERE", "MakeLower", "", "", "kes.站表 where", 0},
        {"abc", "Insert", "1", "水", "a水bc", 6},
        {"abc", "Insert", "-5", "x", "xabc", 4},
        {"abc", "Insert", "99", "x", "abcx", 4},
        {"abcdef", "Delete", "2", "2", "abef", 4},
        {"abcdef", "Delete", "4", "99", "abcd", 4},
        {"abcdef", "Delete", "-3", "1", "bcdef", 5},
        {"abcdef", "Delete", "9", "1", "abcdef", 6},
        {"abcdef", "Delete", "1", "-1", "abcdef", 6},
    };
    for (const Case& c : cases) {
        CString s = c.before;
        std::string op = c.op;
        int result = 0;
        if (op == "Trim")
            s.Trim();
        else if (op == "TrimLeft")
            s.TrimLeft();
        else if (op == "TrimRight")
            s.TrimRight();
        else if (op == "TrimChars")
            s.Trim(c.a);
        else if (op == "Replace")
            result = s.Replace(std::string_view(c.a), std::string_view(c.b));
        else if (op == "ReplaceChar")
            result = s.Replace(c.a[0], c.b[0]);
        else if (op == "Remove")
            result = s.Remove(c.a[0]);
        else if (op == "MakeUpper")
            s.MakeUpper();
        else if (op == "MakeLower")
            s.MakeLower();
        else if (op == "Insert")
            result = s.Insert(TextToInt(c.a), c.b);
        else if (op == "Delete")
            result = s.Delete(TextToInt(c.a), TextToInt(c.b));
        EXPECT_EQ(s, CString(c.after)) << op << " of \"" << c.before << '"';
        EXPECT_EQ(result, c.result) << op << " of \"" << c.before << '"';
    }
    EXPECT_EQ(CString("Abc").CompareNoCase("aBC"), 0);
    EXPECT_LT(CString("abc").Compare("abd"), 0);
    EXPECT_GT(CString("b").Compare("abc"), 0);
    EXPECT_EQ(CString('-', 3), "---");
    EXPECT_EQ(CString('-', -3), "");
}

namespace {
template <class... Args> std::string Formatted(std::string_view format, const Args&... args) {
    CString s;
    s.Format(format, args...);
    return s.str();
}
} // namespace

TEST(CString, FormatIsSafeWhateverTheArgumentTypes) {
    const CString face = "宋体";
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        std::string got;
        std::string expected;
    } cases[] = {
        {Formatted("%ld|%d|%s|%5.2f", int(0xC0C0C0), 7, face, 1.0), "12632256|7|宋体| 1.00"},
        {Formatted("%d %ld %lld", std::int64_t(5'000'000'000), short(-3), 'A'), "5000000000 -3 65"},
        {Formatted("%d|%u|%ld|%06X", (unsigned char)200, (unsigned char)200, COLORREF(0xC0C0C0),
                   COLORREF(0xC0C0C0)),
         "200|200|12632256|C0C0C0"},
        // Negative values under unsigned conversions keep the width they were passed with.
        {Formatted("%X|%u|%x|%lx|%u", -1, short(-3), std::int64_t(-1), std::int8_t(-1), true),
         "FFFFFFFF|4294967293|ffffffffffffffff|ffffffff|1"},
        // Conversions that do not match the argument convert it rather than read garbage; a
        // double under an integer conversion is cut to its whole part, NaN and overflow safely.
        {Formatted("%d|%.1f|%s|%s", 2.9, 3, 42, CString("x")), "2|3.0|42|x"},
        {Formatted("%d|%d|%d|%d", -2.9, nan, 1e300, -1e300), "-2|0|9223372036854775807|-9223372036854775808"},
        {Formatted("100%%|%%d|%-6s|%6s|%.3s", "ab", "cd", CString("abcdef")), "100%|%d|ab    |    cd|abc"},
        // Missing arguments format as zero or empty; surplus ones are ignored.
        {Formatted("%d,%s,%g.", 1), "1,,0."},
        {Formatted("%d", 1, 2, 3), "1"},
        // A lone trailing % and unknown conversions stay as written.
        {Formatted("50%", 1), "50%"},
        {Formatted("%5", 1), "%5"},
        {Formatted("%y|%d", 4), "%y|4"},
        {Formatted("%*d|%-*d|%.*f", 4, 7, 3, 8, 2, 3.14159), "   7|8  |3.14"},
        {Formatted("%s", std::string(300, 'x') + "尾"), std::string(300, 'x') + "尾"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.expected);

    CString appended = "a";
    appended.AppendFormat("%c%s", 'b', face);
    EXPECT_EQ(appended, "ab宋体");
}

TEST(CString, NumbersReadLikeTheCLibrary) {
    struct Case {
        const char* text;
        long long asLong;
        int asInt;
        double asDouble;
    } cases[] = {
        {"42", 42, 42, 42.0},
        {"  -17abc", -17, -17, -17.0},
        {"+8", 8, 8, 8.0},
        {"abc", 0, 0, 0.0},
        {"", 0, 0, 0.0},
        {"-", 0, 0, 0.0},
        {"3.75", 3, 3, 3.75},
        {"1e3", 1, 1, 1000.0},
        {"0x1F", 0, 0, 31.0},
        {"007", 7, 7, 7.0},
        {"4294967295", 4294967295LL, INT_MAX, 4294967295.0},
        {"-99999999999", -99999999999LL, INT_MIN, -99999999999.0},
        {"99999999999999999999", LLONG_MAX, INT_MAX, 1e20},
        {"-999", -999, -999, -999.0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TextToLong(c.text), c.asLong) << c.text;
        EXPECT_EQ(TextToInt(c.text), c.asInt) << c.text;
        EXPECT_DOUBLE_EQ(TextToDouble(c.text), c.asDouble) << c.text;
    }
    // The text need not be terminated where the view ends.
    std::string_view part = std::string_view("12345").substr(0, 2);
    EXPECT_EQ(TextToInt(part), 12);
}

// The number readers are written for speed; they must read exactly what the C library reads.
TEST(CStringNumbers, ReadersAgreeWithTheCLibrary) {
    std::mt19937 rng(7);
    const std::string alphabet = " \t+-0123456789.eExXinfaINFA";
    std::vector<std::string> texts = {"",
                                      "-",
                                      "+",
                                      " 42",
                                      "9223372036854775807",
                                      "9223372036854775808",
                                      "-9223372036854775808",
                                      "-9223372036854775809",
                                      "1e400",
                                      "1e-400",
                                      "0x1p3",
                                      "nan",
                                      "-inf",
                                      " 12.5abc",
                                      "4.9e-324",
                                      "2.2250738585072011e-308"};
    for (int i = 0; i < 20000; ++i) {
        std::string t;
        int n = int(rng() % 24);
        for (int k = 0; k < n; ++k)
            t += alphabet[rng() % alphabet.size()];
        texts.push_back(t);
        texts.push_back(std::to_string(int(rng())) + "." + std::to_string(rng() % 100000));
    }
    for (const std::string& t : texts) {
        EXPECT_EQ(TextToLong(t), std::strtoll(t.c_str(), nullptr, 10)) << "[" << t << "]";
        double expected = std::strtod(t.c_str(), nullptr), got = TextToDouble(t);
        if (std::isnan(expected))
            EXPECT_TRUE(std::isnan(got)) << "[" << t << "]";
        else
            EXPECT_EQ(std::memcmp(&expected, &got, sizeof got), 0)
                << "[" << t << "] " << expected << " " << got;
    }
}
