// vexorquery compare: the year comparison of the analysis query, as the query window shows it
// after its analysis bar's "刷新": one station, the chosen years side by side per period.
#include "Commands.h"

#include "AnalyBarModel.h"
#include "CommandLine.h"
#include "GridPrinter.h"
#include "TableRequest.h"
#include "YearChart.h"

#include "QueryClient.h"
#include "TableQuery.h"

#include <cstdio>
#include <cstdlib>

namespace {

const char* kUsage =
    "usage: vexorquery compare [--db URI] --table HISVIEW --station ID --years Y1,Y2,...\n"
    "                          --from MM-DD[ HH] --to MM-DD[ HH] [--type hour|day|xun|month]\n"
    "                          [--interval N] [--kind inst|avg|max|min]\n"
    "                          [--format text|tsv|xlsx] [--out FILE] [--chart PNG]\n"
    "An end before the start runs into the next year; an end equal to the start reads a whole year.\n";

constexpr cli::OptionSpec kOptions[] = {
    {"--db", true},   {"--table", true},  {"--station", true}, {"--years", true},
    {"--from", true}, {"--to", true},     {"--type", true},    {"--interval", true},
    {"--kind", true}, {"--format", true}, {"--out", true},     {"--chart", true},
};

struct Options {
    CTableRequestOptions table;
    CGridOutput output;
    CStringArray years; // as the year list gives them
    int fromMonth = 0, fromDay = 0, fromHour = 0, toMonth = 0, toDay = 0, toHour = 0;
    int type = kTypeHour;
    int interval = 1;
    int kind = kValueInstant;
    std::string chart;
};

int Fail(const std::string& message) {
    std::fprintf(stderr, "vexorquery compare: %s\n", message.c_str());
    return 1;
}

// "MM-DD" or "MM-DD HH"; 02-29 is a day of the comparison.
bool ReadMonthDay(const std::string& text, int& month, int& day, int& hour) {
    long long m = 0, d = 0, h = 0;
    const std::size_t dash = text.find('-');
    if (dash == std::string::npos) return false;
    const std::size_t space = text.find(' ', dash);
    const std::string monthText = text.substr(0, dash);
    const std::string dayText =
        text.substr(dash + 1, space == std::string::npos ? std::string::npos : space - dash - 1);
    if (!cli::ReadWholeNumber(monthText, 1, 12, m) || !cli::ReadWholeNumber(dayText, 1, 31, d)) return false;
    if (space != std::string::npos && !cli::ReadWholeNumber(text.substr(space + 1), 0, 23, h)) return false;
    static constexpr int kDaysIn[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (d > kDaysIn[m - 1]) return false;
    month = int(m), day = int(d), hour = int(h);
    return true;
}

bool ReadYears(const std::string& text, CStringArray& years, std::string& error) {
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = text.find(',', start);
        const std::string word =
            text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        long long year = 0;
        if (!word.empty() && !cli::ReadWholeNumber(word, 1000, 9999, year)) {
            error = "not a year: " + word;
            return false;
        }
        if (!word.empty()) years.Add(CString(word));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return true;
}

bool ParseOptions(const cli::ParsedArgs& args, Options& o, std::string& error) {
    o.table.db = args.Value("--db");
    o.table.table = args.Value("--table");
    o.table.stations = args.Value("--station");
    if (o.table.table.empty() || o.table.stations.empty()) {
        error = "--table and --station are required";
        return false;
    }
    if (!ReadGridOutput(args, o.output, error) || !ReadYears(args.Value("--years"), o.years, error))
        return false;
    if (!ReadMonthDay(args.Value("--from"), o.fromMonth, o.fromDay, o.fromHour) ||
        !ReadMonthDay(args.Value("--to"), o.toMonth, o.toDay, o.toHour)) {
        error = "--from and --to take MM-DD or \"MM-DD HH\", a day of the year and an hour";
        return false;
    }
    static constexpr const char* kTypes[] = {"hour", "day", "xun", "month"};
    static constexpr const char* kKinds[] = {"inst", "avg", "max", "min"};
    auto choose = [&](const char* option, const char* const(&words)[4], int first, int& into) {
        if (!args.Has(option)) return true;
        for (int i = 0; i < 4; ++i)
            if (args.Value(option) == words[i]) return into = first + i, true;
        error = std::string("unknown ") + option + " '" + args.Value(option) + "'";
        return false;
    };
    if (!choose("--type", kTypes, kTypeHour, o.type) || !choose("--kind", kKinds, kValueInstant, o.kind))
        return false;
    long long number = 1;
    if (args.Has("--interval") &&
        !cli::ReadWholeNumber(args.Value("--interval"), 1, IntervalTexts(o.type).GetSize(), number)) {
        error = "--interval takes a number of periods from 1 to " +
                std::to_string(IntervalTexts(o.type).GetSize());
        return false;
    }
    o.interval = int(number);
    o.chart = args.Value("--chart");
    return true;
}

} // namespace

int RunCompareCommand(const Args& args) {
    cli::ParsedArgs parsed;
    Options o;
    std::string error;
    if (auto status = cli::ReadCommandArgs("compare", args, kOptions, 0, 0, kUsage, parsed)) return *status;
    if (!ParseOptions(parsed, o, error)) return cli::UsageError("compare", error, kUsage);
    if (o.years.IsEmpty()) return Fail(kMsgSelectYear);

    CTableQueryOptions options;
    options.analysisComparison = true;
    CQueryClient client;
    CTableQuery query(client);
    if (!PrepareTableQuery(o.table, options, false, query, error)) return Fail(error);
    if (!query.IsAnalysisMode())
        return Fail("table " + query.Settings().TableName().str() +
                    " has no analysis (HISVIEW with ANALYQUERY)");

    // The request the analysis bar writes for these controls. Only month, day and hour count:
    // the times are read in a leap year, where 02-29 exists.
    const CAnalysisPeriod period =
        AnalysisPeriod(o.type, false, COleDateTime(2000, o.fromMonth, o.fromDay, o.fromHour, 0, 0),
                       COleDateTime(2000, o.toMonth, o.toDay, o.toHour, 0, 0));
    CQueryRequest& request = query.m_request;
    request.startTime = period.start.Format("%Y-%m-%d %H:%M:%S");
    request.endTime = period.end.Format("%Y-%m-%d %H:%M:%S");
    request.form = kFormGivenStations;
    request.totals = true;
    request.analysisType = o.type;
    request.analysisInterval = o.interval;
    request.valueKind = o.kind;
    for (const CString& y : o.years)
        request.years.Add(DWORD(std::atoi(y.GetString())));

    CGridIterator grid;
    query.Refresh(grid, 1);
    if (query.RefreshFailed()) {
        for (const CString& reason : query.RefreshErrors())
            std::fprintf(stderr, "vexorquery compare: the query failed: %s\n", reason.GetString());
        return 1;
    }
    if (!o.chart.empty() && !WriteYearChartPng(query.Comparison(), o.chart, error)) return Fail(error);
    return WriteGrid(grid, o.output, "compare");
}
