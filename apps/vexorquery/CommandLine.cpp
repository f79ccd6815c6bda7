#include "CommandLine.h"

#include <cstdio>

namespace cli {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads 1 to maxDigits digits at text[pos]; value stays small enough for int.
bool ReadDigits(std::string_view text, std::size_t& pos, std::size_t minDigits, std::size_t maxDigits,
                int& value) {
    std::size_t start = pos;
    value = 0;
    while (pos < text.size() && IsDigit(text[pos]) && pos - start < maxDigits)
        value = value * 10 + (text[pos++] - '0');
    return pos - start >= minDigits && (pos == text.size() || !IsDigit(text[pos]));
}

bool LeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && LeapYear(y) ? 29 : days[m - 1];
}

} // namespace

std::string ParsedArgs::Value(std::string_view option) const {
    auto it = values.find(option);
    return it == values.end() ? std::string() : it->second;
}

const std::vector<std::string>& ParsedArgs::Values(std::string_view option) const {
    static const std::vector<std::string> none;
    auto it = all.find(option);
    return it == all.end() ? none : it->second;
}

bool ParseArgs(const std::vector<std::string>& args, std::span<const OptionSpec> options,
               std::size_t maxPositional, ParsedArgs& out, std::string& error) {
    out = ParsedArgs();
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            out.help = true;
            return true;
        }
        if (!a.empty() && a[0] == '-') {
            const OptionSpec* spec = nullptr;
            for (const OptionSpec& o : options)
                if (o.name == a) spec = &o;
            if (!spec) {
                error = "unknown option '" + a + "'";
                return false;
            }
            if (!spec->takesValue) {
                out.flags.insert(a);
            } else if (i + 1 >= args.size()) {
                error = a + " needs a value";
                return false;
            } else {
                out.values[a] = args[++i];
                out.all[a].push_back(args[i]);
            }
        } else if (out.positional.size() < maxPositional) {
            out.positional.push_back(a);
        } else {
            error = "unexpected argument '" + a + "'";
            return false;
        }
    }
    return true;
}

std::optional<int> ReadCommandArgs(std::string_view command, const std::vector<std::string>& args,
                                   std::span<const OptionSpec> options, std::size_t minPositional,
                                   std::size_t maxPositional, const char* usage, ParsedArgs& out) {
    std::string error;
    if (!ParseArgs(args, options, maxPositional, out, error)) return UsageError(command, error, usage);
    if (out.help) {
        std::fputs(usage, stdout);
        return 0;
    }
    if (out.positional.size() < minPositional) {
        std::fputs(usage, stderr);
        return 1;
    }
    return std::nullopt;
}

int UsageError(std::string_view command, const std::string& reason, const char* usage) {
    std::fprintf(stderr, "vexorquery %.*s: %s\n%s", int(command.size()), command.data(), reason.c_str(),
                 usage);
    return 1;
}

bool ReadTime(std::string_view text, std::string& normal) {
    int f[6] = {0, 1, 1, 0, 0, 0};
    static const char separators[6] = {'\0', '-', '-', ' ', ':', ':'};
    std::size_t pos = 0;
    for (int i = 0; i < 6; ++i) {
        if (i > 0) {
            if (pos == text.size()) break;
            if (text[pos] != separators[i]) return false;
            ++pos;
        }
        if (!ReadDigits(text, pos, i == 0 ? 4 : 1, i == 0 ? 4 : 2, f[i])) return false;
    }
    if (pos != text.size()) return false;
    if (f[0] < 1000 || f[1] < 1 || f[1] > 12 || f[2] < 1 || f[2] > DaysInMonth(f[0], f[1]) || f[3] > 23 ||
        f[4] > 59 || f[5] > 59)
        return false;
    char buffer[80]; // room for any int, so the compiler sees no truncation
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", f[0], f[1], f[2], f[3], f[4], f[5]);
    normal = buffer;
    return true;
}

} // namespace cli
