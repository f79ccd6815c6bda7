// The command-line readers: options, whole numbers and times, with the inputs operators and
// scripts get wrong.
#include "CommandLine.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr cli::OptionSpec kOptions[] = {{"--table", true}, {"--explain", false}};

bool Parse(std::vector<std::string> args, cli::ParsedArgs& out, std::string& error,
           std::size_t maxPositional = 1) {
    return cli::ParseArgs(args, kOptions, maxPositional, out, error);
}

} // namespace

TEST(CommandLine, OptionsFlagsAndPositionalArguments) {
    cli::ParsedArgs p;
    std::string error;
    ASSERT_TRUE(Parse({"file", "--table", "--explain", "--table", "RAIN"}, p, error)) << error;
    EXPECT_EQ(p.Value("--table"), "RAIN"); // the last value counts; a value may start with dashes
    EXPECT_FALSE(p.Has("--explain"));      // it was the first --table's value
    EXPECT_EQ(p.positional, std::vector<std::string>{"file"});
    EXPECT_FALSE(p.help);

    EXPECT_FALSE(Parse({"--tabel", "X"}, p, error));
    EXPECT_EQ(error, "unknown option '--tabel'");
    EXPECT_FALSE(Parse({"--table"}, p, error));
    EXPECT_EQ(error, "--table needs a value");
    EXPECT_FALSE(Parse({"a", "b"}, p, error));
    EXPECT_EQ(error, "unexpected argument 'b'");
    EXPECT_FALSE(Parse({"-"}, p, error));
}

TEST(CommandLine, HelpStopsReadingWhereverItStandsAsAnOption) {
    cli::ParsedArgs p;
    std::string error;
    ASSERT_TRUE(Parse({"--explain", "--help", "--no-such-option"}, p, error));
    EXPECT_TRUE(p.help);
    ASSERT_TRUE(Parse({"-h"}, p, error));
    EXPECT_TRUE(p.help);
    ASSERT_TRUE(Parse({"--table", "--help"}, p, error)); // here it is the table's name
    EXPECT_FALSE(p.help);
}

TEST(CommandLine, WholeNumbersRefuseTrailingTextAndValuesOutOfRange) {
    long long v = 0;
    EXPECT_TRUE(cli::ReadWholeNumber("3600", 1, 1 << 30, v));
    EXPECT_EQ(v, 3600);
    EXPECT_TRUE(cli::ReadWholeNumber("+7", 1, 9, v));
    EXPECT_EQ(v, 7);
    EXPECT_TRUE(cli::ReadWholeNumber("-9223372036854775808", std::numeric_limits<long long>::min(), 0, v));
    EXPECT_EQ(v, std::numeric_limits<long long>::min());
    EXPECT_TRUE(cli::ReadWholeNumber("9223372036854775807", 0, std::numeric_limits<long long>::max(), v));

    const int intMax = std::numeric_limits<int>::max();
    v = 42;
    for (const char* bad : {"", "+", "-", "12x", "1 ", " 1", "0x10", "1e3", "1.0", "4294967296", "2147483648",
                            "0", "-1", "99999999999999999999", "9223372036854775808", "1\n"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(cli::ReadWholeNumber(bad, 1, intMax, v));
    }
    EXPECT_FALSE(cli::ReadWholeNumber(std::string_view("5\0", 2), 1, 9, v)); // a NUL is no digit
    EXPECT_EQ(v, 42);                                                        // untouched on refusal
}

TEST(CommandLine, TimesAreRealDatesWithoutTrailingText) {
    std::string t;
    const std::pair<const char*, const char*> good[] = {
        {"2025", "2025-01-01 00:00:00"},
        {"2025-10", "2025-10-01 00:00:00"},
        {"2025-10-01", "2025-10-01 00:00:00"},
        {"2025-1-2 3", "2025-01-02 03:00:00"},
        {"2025-10-01 08:30", "2025-10-01 08:30:00"},
        {"2024-02-29 23:59:59", "2024-02-29 23:59:59"},
        {"2000-02-29", "2000-02-29 00:00:00"},
    };
    for (const auto& [text, normal] : good) {
        SCOPED_TRACE(text);
        ASSERT_TRUE(cli::ReadTime(text, t));
        EXPECT_EQ(t, normal);
    }
    for (const char* bad : {"",
                            "2025-10-01abc",
                            "2025-10-01 ",
                            "2025-10-",
                            "2025-10-01 08:",
                            "2025-02-29",
                            "1900-02-29",
                            "2025-13-01",
                            "2025-00-10",
                            "2025-04-31",
                            "2025-10-01 24:00:00",
                            "2025-10-01 23:60",
                            "2025-10-01 23:59:60",
                            "20251-01-01",
                            "25-01-01",
                            "0999-01-01",
                            " 2025-10-01",
                            "2025-010-01",
                            "2025/10/01",
                            "2025-10-01T08:00",
                            "-2025-10-01",
                            "2025-10-01 08:00:00.5"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(cli::ReadTime(bad, t));
    }
}
