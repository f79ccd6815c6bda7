// Random input for the command-line readers, bounded by a fixed seed and count so that every
// run (and every sanitizer build) sees the same inputs: nothing crashes, every garbage text is
// refused and every well-formed one is read as written.
#include "CommandLine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <regex>

namespace {

constexpr int kIterations = 100000;

class CommandLineFuzz : public ::testing::Test {
protected:
    std::mt19937_64 m_random{20261207};

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    // Mostly the characters the readers care about, sometimes any byte at all.
    std::string Garbage(std::size_t maxLength) {
        static const std::string alphabet = "0123456789+-: Tx.\t\n";
        std::string s(std::size_t(Below(int(maxLength) + 1)), '\0');
        for (char& c : s)
            c = Below(4) == 0 ? char(Below(256)) : alphabet[std::size_t(Below(int(alphabet.size())))];
        return s;
    }

    // A text made from a well-formed one by one change: a character inserted, replaced or
    // removed.
    std::string Mutated(std::string s) {
        std::size_t at = std::size_t(Below(int(s.size()) + 1));
        char c = char(Below(256));
        switch (Below(3)) {
        case 0:
            s.insert(at, 1, c);
            break;
        case 1:
            if (at < s.size()) s[at] = c;
            break;
        default:
            if (at < s.size()) s.erase(at, 1);
            break;
        }
        return s;
    }
};

// What a whole number in [min, max] looks like, worked out without the reader.
bool IsWholeNumber(const std::string& s, long long min, long long max, long long& value) {
    static const std::regex shape("[+-]?[0-9]+");
    if (!std::regex_match(s, shape)) return false;
    __int128 v = 0;
    for (char c : s)
        if (c >= '0' && c <= '9' && v < (__int128(1) << 70)) v = v * 10 + (c - '0');
    if (s[0] == '-') v = -v;
    if (v < min || v > max) return false;
    value = (long long)v;
    return true;
}

// The same for times, through the standard calendar.
bool IsTime(const std::string& s, std::string& normal) {
    static const std::regex shape("([0-9]{4})(?:-([0-9]{1,2})(?:-([0-9]{1,2})(?: "
                                  "([0-9]{1,2})(?::([0-9]{1,2})(?::([0-9]{1,2}))?)?)?)?)?");
    std::smatch m;
    if (!std::regex_match(s, m, shape)) return false;
    int f[6] = {0, 1, 1, 0, 0, 0};
    for (int i = 0; i < 6; ++i)
        if (m[i + 1].matched) f[i] = std::stoi(m[i + 1].str());
    std::chrono::year_month_day date{std::chrono::year(f[0]), std::chrono::month(unsigned(f[1])),
                                     std::chrono::day(unsigned(f[2]))};
    if (f[0] < 1000 || !date.ok() || f[3] > 23 || f[4] > 59 || f[5] > 59) return false;
    char buffer[80];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", f[0], f[1], f[2], f[3], f[4], f[5]);
    normal = buffer;
    return true;
}

} // namespace

TEST_F(CommandLineFuzz, WholeNumbersAgreeWithTheirShape) {
    const std::pair<long long, long long> ranges[] = {
        {1, 2}, {1, 50}, {1, 2147483647}, {-1000, 1000}, {LLONG_MIN, LLONG_MAX}};
    for (int i = 0; i < kIterations; ++i) {
        auto [min, max] = ranges[Below(5)];
        std::string text;
        if (Below(2) == 0) {
            text = Garbage(24);
        } else {
            long long n = std::uniform_int_distribution<long long>(min, max)(m_random);
            text = std::to_string(n);
            if (Below(4) == 0) text = Mutated(text);
        }
        SCOPED_TRACE(text);
        long long expected = 0, read = 0;
        bool valid = IsWholeNumber(text, min, max, expected);
        ASSERT_EQ(cli::ReadWholeNumber(text, min, max, read), valid);
        if (valid) {
            ASSERT_EQ(read, expected);
        }
    }
}

TEST_F(CommandLineFuzz, TimesAgreeWithTheCalendar) {
    for (int i = 0; i < kIterations; ++i) {
        std::string text;
        if (Below(3) == 0) {
            text = Garbage(24);
        } else {
            char buffer[80];
            std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", 1000 + Below(9000),
                          1 + Below(12), 1 + Below(31), Below(24), Below(60), Below(60));
            text = buffer;
            text.resize(std::size_t(4 + Below(16))); // a leading part, possibly cut inside a field
            if (Below(3) == 0) text = Mutated(text);
        }
        SCOPED_TRACE(text);
        std::string expected, read;
        bool valid = IsTime(text, expected);
        ASSERT_EQ(cli::ReadTime(text, read), valid);
        if (valid) {
            ASSERT_EQ(read, expected);
        }
    }
}

TEST_F(CommandLineFuzz, ArgumentListsAreReadAsWrittenOrRefused) {
    constexpr cli::OptionSpec options[] = {{"--db", true}, {"--lack", true}, {"--explain", false}};
    const char* words[] = {"--db", "--lack", "--explain", "--help", "-h", "--", "-", "", "x", "--dbx", "-db"};
    for (int i = 0; i < kIterations; ++i) {
        std::vector<std::string> args(std::size_t(Below(6)));
        for (std::string& a : args)
            a = Below(3) == 0 ? Garbage(6) : words[Below(11)];
        const std::size_t maxPositional = std::size_t(Below(3));

        // Read the list by hand: options take the next word, anything else with a dash is unknown.
        bool valid = true, help = false;
        std::size_t positional = 0;
        for (std::size_t k = 0; k < args.size() && valid && !help; ++k) {
            const std::string& a = args[k];
            if (a == "--help" || a == "-h")
                help = true;
            else if (a == "--db" || a == "--lack")
                valid = ++k < args.size();
            else if (a == "--explain")
                continue;
            else if (!a.empty() && a[0] == '-')
                valid = false;
            else
                valid = ++positional <= maxPositional;
        }

        cli::ParsedArgs parsed;
        std::string error;
        bool ok = cli::ParseArgs(args, options, maxPositional, parsed, error);
        ASSERT_EQ(ok, valid || help);
        if (!ok) {
            ASSERT_FALSE(error.empty());
        } else {
            ASSERT_EQ(parsed.help, help);
            if (!help) {
                ASSERT_EQ(parsed.positional.size(), positional);
            }
        }
    }
}
