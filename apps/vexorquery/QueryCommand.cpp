// vexorquery query: one refresh of a configured table, exactly as the query window runs it,
// printed for a terminal, as tab-separated lines or written to a spreadsheet.
#include "Commands.h"

#include "CommandLine.h"
#include "GridOutput.h"
#include "TableRequest.h"

#include "QueryClient.h"
#include "TableQuery.h"

#include <cstdio>
#include <limits>
#include <utility>

namespace {

const char* kUsage =
    "usage: vexorquery query [--db URI] --table NAME [--stations ID,...] [--from TIME] [--to TIME]\n"
    "                        [--form 1|2] [--filter CONDITION] [--lack SECONDS]\n"
    "                        [--format text|tsv|xlsx] [--out FILE] [--explain]\n"
    "TIME is \"YYYY-MM-DD HH:MM:SS\" (or a leading part of it, such as YYYY-MM-DD).\n";

struct Options {
    CTableRequestOptions table;
    CGridOutput output;
    std::string filter;
    long long lackSeconds = -1;
    bool explain = false;
};

int Fail(const std::string& message) {
    std::fprintf(stderr, "vexorquery query: %s\n", message.c_str());
    return 1;
}

constexpr cli::OptionSpec kOwnOptions[] = {
    {"--filter", true}, {"--format", true}, {"--out", true}, {"--lack", true}, {"--explain", false},
};

bool ParseOptions(const cli::ParsedArgs& args, Options& o, std::string& error) {
    if (!ReadTableRequestOptions(args, o.table, error)) return false;
    if (!ReadGridOutput(args, o.output, error)) return false;
    o.filter = args.Value("--filter");
    o.explain = args.Has("--explain");
    long long number = 0;
    if (args.Has("--lack")) {
        // The interval count of a missing-data request is an int.
        if (!cli::ReadWholeNumber(args.Value("--lack"), 1, std::numeric_limits<int>::max(), number)) {
            error = "--lack takes a whole number of seconds from 1 to " +
                    std::to_string(std::numeric_limits<int>::max());
            return false;
        }
        o.lackSeconds = number;
    }
    return true;
}

} // namespace

int RunQueryCommand(const Args& args) {
    cli::ParsedArgs parsed;
    Options o;
    std::string error;
    std::vector<cli::OptionSpec> specs(std::begin(kOwnOptions), std::end(kOwnOptions));
    specs.insert(specs.end(), TableRequestOptionSpecs().begin(), TableRequestOptionSpecs().end());
    if (auto status = cli::ReadCommandArgs("query", args, specs, 0, 0, kUsage, parsed)) return *status;
    if (!ParseOptions(parsed, o, error)) return cli::UsageError("query", error, kUsage);
    CTableQueryOptions options;
    options.missingDataStats = o.lackSeconds > 0;
    CQueryClient client;
    CTableQuery query(client);
    // Missing-data statistics count between the times as given.
    if (!PrepareTableQuery(o.table, options, o.lackSeconds <= 0, query, error)) return Fail(error);
    query.m_request.filter = o.filter;
    const CQueryRequest& request = query.m_request;
    const CString table = query.Settings().TableName();

    if (o.lackSeconds > 0) {
        if (!query.IsLackTimeMode())
            return Fail("table " + table.str() +
                        " has no missing-data statistics (RTEV or REAL with LACKTIME)");
        if (request.keys.IsEmpty() || request.startTime.IsEmpty() || request.endTime.IsEmpty())
            return Fail("--lack needs --stations, --from and --to");
        query.m_lackRequest.stations = request.keys;
        query.m_lackRequest.startTime = request.startTime;
        query.m_lackRequest.endTime = request.endTime;
        query.m_lackRequest.extraText = table;
        query.m_lackRequest.intervalCount = int(o.lackSeconds);
        query.m_lackRequest.intervalUnit = kLackSeconds;
    }

    if (o.explain) {
        if (o.lackSeconds > 0) {
            std::printf("-- missing-data statistics read each station through the data service (OutRT %s)\n",
                        table.GetString());
            return 0;
        }
        for (const CString& sql : query.ComputedColumnStatements())
            std::printf("%s\n", sql.GetString());
        std::printf("%s\n", query.ComposeStatements().GetString());
        for (const CString& station : request.keys)
            for (int c = 1; c <= query.Settings().VisibleCount(); ++c)
                for (const CString& sql : query.StatisticsStatements(station, c))
                    std::printf("%s\n", sql.GetString());
        return 0;
    }

    CGridIterator grid;
    query.Refresh(grid, 1);
    // A failed statement leaves the grid incomplete: nothing is printed or written.
    if (query.RefreshFailed()) {
        for (const CString& reason : query.RefreshErrors())
            std::fprintf(stderr, "vexorquery query: the query failed: %s\n", reason.GetString());
        return 1;
    }

    return WriteGrid(grid, o.output, "query");
}
