// vexorquery points: the grid of the point data query exactly as the point query window fills
// it, one row per period and one column per point, printed or written to a spreadsheet.
#include "Commands.h"

#include "CommandLine.h"
#include "GridPrinter.h"

#include "DataSource.h"
#include "InterfaceSettings.h"
#include "PointQuery.h"

#include <cstdio>
#include <limits>
#include <utility>

namespace {

const char* kUsage = "usage: vexorquery points [--db URI] --points ID,... --type hour|day|xun|month\n"
                     "                         [--kind inst|avg|max|min] --from TIME --to TIME\n"
                     "                         [--format text|tsv|xlsx] [--out FILE]\n"
                     "TIME is \"YYYY-MM-DD HH:MM:SS\" (or a leading part of it, such as YYYY-MM-DD).\n";

constexpr cli::OptionSpec kOptions[] = {
    {"--db", true},   {"--points", true}, {"--type", true},   {"--kind", true},
    {"--from", true}, {"--to", true},     {"--format", true}, {"--out", true},
};

constexpr std::pair<const char*, int> kTypes[] = {
    {"hour", kPointHourly}, {"day", kPointDaily}, {"xun", kPointTenDay}, {"month", kPointMonthly}};
constexpr std::pair<const char*, int> kKinds[] = {
    {"inst", kPointInstant}, {"avg", kPointAverage}, {"max", kPointMaximum}, {"min", kPointMinimum}};

template <std::size_t N>
bool ReadWord(const std::string& word, const std::pair<const char*, int> (&words)[N], int& value) {
    for (const auto& [name, code] : words)
        if (word == name) {
            value = code;
            return true;
        }
    return false;
}

bool ReadPoints(const std::string& text, CPointQuerySettings& s, std::string& error) {
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = text.find(',', start);
        CString item(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        item.Trim();
        long long id = 0;
        if (!cli::ReadWholeNumber(item.str(), 0, std::numeric_limits<int>::max(), id)) {
            error = "--points takes point numbers separated by commas, not '" + item.str() + "'";
            return false;
        }
        auto point = std::make_unique<CPointEntry>();
        point->m_number = item;
        s.m_points.Add(std::move(point));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return true;
}

bool ReadSettings(const cli::ParsedArgs& args, CPointQuerySettings& s, std::string& error) {
    for (const char* required : {"--points", "--type", "--from", "--to"})
        if (!args.Has(required)) {
            error = std::string(required) + " is required";
            return false;
        }
    if (!ReadPoints(args.Value("--points"), s, error)) return false;
    if (!ReadWord(args.Value("--type"), kTypes, s.m_dataType)) {
        error = "--type takes hour, day, xun or month";
        return false;
    }
    if (args.Has("--kind") && !ReadWord(args.Value("--kind"), kKinds, s.m_valueKind)) {
        error = "--kind takes inst, avg, max or min";
        return false;
    }
    std::string from, to;
    if (!cli::ReadTime(args.Value("--from"), from) || !cli::ReadTime(args.Value("--to"), to)) {
        error = "--from and --to take a time such as 2026-11-01 or \"2026-11-01 08:00:00\"";
        return false;
    }
    s.m_startTime = CQueryItem::ParseTime(from);
    s.m_endTime = CQueryItem::ParseTime(to);
    if (s.m_endTime < s.m_startTime) {
        error = "--to lies before --from";
        return false;
    }
    return true;
}

} // namespace

int RunPointsCommand(const Args& args) {
    cli::ParsedArgs parsed;
    if (auto status = cli::ReadCommandArgs("points", args, kOptions, 0, 0, kUsage, parsed)) return *status;
    CPointQuerySettings settings;
    CGridOutput output;
    std::string error;
    if (!ReadSettings(parsed, settings, error) || !ReadGridOutput(parsed, output, error))
        return cli::UsageError("points", error, kUsage);
    if (parsed.Has("--db")) kes::SetDataSource(parsed.Value("--db"));
    std::string connectError;
    if (!kes::CurrentConnection(connectError)) {
        std::fprintf(stderr, "vexorquery points: cannot open the database %s: %s\n",
                     kes::DescribeDataSource().c_str(), connectError.c_str());
        return 1;
    }

    CPointQuery query;
    query.Load(settings);
    int failed = 0;
    for (int p = 0; p < settings.m_points.GetSize(); ++p)
        if (const CPointOutcome& o = query.Outcomes()[std::size_t(p)]; o.result < 0) {
            std::fprintf(stderr, "vexorquery points: point %s could not be read: %s\n",
                         settings.m_points[p].m_number.GetString(), o.error.GetString());
            ++failed;
        }
    // A column left blank by a failed read is no result: nothing is printed or written.
    if (failed) return 1;
    const CString noData = query.NoDataText(settings);
    if (!noData.IsEmpty()) std::fprintf(stderr, "vexorquery points: %s\n", noData.GetString());

    CGridIterator grid;
    query.Fill(grid, settings, PointGridLookOf(CInterfaceSettings{}));
    return WriteGrid(grid, output, "points");
}
