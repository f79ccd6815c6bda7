// vexorquery query: one refresh of a configured table, exactly as the query window runs it,
// printed for a terminal, as tab-separated lines or written to a spreadsheet.
#include "Commands.h"

#include "AtomicFile.h"
#include "CommandLine.h"

#include "DataSource.h"
#include "GridPrinter.h"
#include "QueryClient.h"
#include "QueryItem.h"
#include "RequestPeriod.h"
#include "TableQuery.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <set>
#include <utility>

namespace {

const char* kUsage =
    "usage: vexorquery query [--db URI] --table NAME [--stations ID,...] [--from TIME] [--to TIME]\n"
    "                        [--form 1|2] [--filter CONDITION] [--lack SECONDS]\n"
    "                        [--format text|tsv|xlsx] [--out FILE] [--explain]\n"
    "TIME is \"YYYY-MM-DD HH:MM:SS\" (or a leading part of it, such as YYYY-MM-DD).\n";

struct Options {
    std::string db, table, stations, from, to, filter, format = "text", out;
    int form = 2;
    long long lackSeconds = -1;
    bool explain = false;
};

int Fail(const std::string& message) {
    std::fprintf(stderr, "vexorquery query: %s\n", message.c_str());
    return 1;
}

constexpr cli::OptionSpec kOptions[] = {
    {"--db", true},   {"--table", true},  {"--stations", true}, {"--from", true},
    {"--to", true},   {"--filter", true}, {"--format", true},   {"--out", true},
    {"--form", true}, {"--lack", true},   {"--explain", false},
};

bool ParseOptions(const cli::ParsedArgs& args, Options& o, std::string& error) {
    o.db = args.Value("--db");
    o.table = args.Value("--table");
    o.stations = args.Value("--stations");
    o.filter = args.Value("--filter");
    o.out = args.Value("--out");
    o.explain = args.Has("--explain");
    if (args.Has("--format")) {
        o.format = args.Value("--format");
        if (o.format != "text" && o.format != "tsv" && o.format != "xlsx" && o.format != "xls") {
            error = "unknown format '" + o.format + "' (text, tsv or xlsx)";
            return false;
        }
    }
    for (auto [option, into] : {std::pair{"--from", &o.from}, std::pair{"--to", &o.to}})
        if (args.Has(option) && !cli::ReadTime(args.Value(option), *into)) {
            error = std::string(option) + " is not a valid time: " + args.Value(option);
            return false;
        }
    long long number = 0;
    if (args.Has("--form")) {
        if (!cli::ReadWholeNumber(args.Value("--form"), 1, 2, number)) {
            error = "--form takes 1 (all stations) or 2 (given stations)";
            return false;
        }
        o.form = int(number);
    }
    if (args.Has("--lack")) {
        // The interval count of a missing-data request is an int.
        if (!cli::ReadWholeNumber(args.Value("--lack"), 1, std::numeric_limits<int>::max(), number)) {
            error = "--lack takes a whole number of seconds from 1 to " +
                    std::to_string(std::numeric_limits<int>::max());
            return false;
        }
        o.lackSeconds = number;
    }
    if (o.table.empty()) {
        error = "--table is required";
        return false;
    }
    if ((o.format == "xlsx" || o.format == "xls") && o.out.empty()) {
        error = "--format " + o.format + " needs --out FILE";
        return false;
    }
    return true;
}

CStringArray SplitStations(const std::string& text) {
    CStringArray out;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t comma = text.find(',', start);
        CString s(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (!s.Trim().IsEmpty()) out.Add(s);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return out;
}

// Stations of a mapped id column must be among its codes.
std::string UnknownStation(const CTableQuery& query, const CStringArray& stations) {
    int id = query.KeyColumns().idIndex;
    if (id < 1) return {};
    const CStringArray& entries = query.Settings().Columns()[id].projections;
    if (entries.IsEmpty()) return {};
    std::set<std::string> codes;
    for (const CString& e : entries) {
        int open = e.ReverseFind('(');
        if (open >= 0 && e.Right(1) == ")") codes.insert(e.Mid(open + 1, e.GetLength() - open - 2).str());
    }
    for (const CString& s : stations)
        if (!codes.count(s.str())) return s.str();
    return {};
}

// The grid as asked: to standard output, or to --out in place of the file there only once
// the whole export is written.
int WriteGrid(const CGridIterator& grid, const Options& o) {
    if (o.format == "xlsx" || o.format == "xls") {
        CString saveError;
        if (!grid.SaveData(o.out, &saveError)) return Fail(saveError.str());
        std::fprintf(stderr, "wrote %s: %ld rows\n", o.out.c_str(), grid.GetRowCount());
        return 0;
    }
    auto print = [&](std::FILE* out) {
        if (o.format == "tsv")
            PrintGridTsv(grid, out);
        else
            PrintGridAligned(grid, out);
    };
    if (o.out.empty()) {
        print(stdout);
        if (std::fflush(stdout) != 0 || std::ferror(stdout))
            return Fail(std::string("cannot write the output: ") + std::strerror(errno));
        return 0;
    }
    mfc::CAtomicFile file(o.out);
    std::FILE* out = file.Open() ? file.Stream() : nullptr;
    if (out) print(out);
    if (!out || !file.Commit()) return Fail(file.Error());
    return 0;
}

} // namespace

int RunQueryCommand(const Args& args) {
    cli::ParsedArgs parsed;
    Options o;
    std::string error;
    if (!cli::ParseArgs(args, kOptions, 0, parsed, error)) {
        std::fprintf(stderr, "vexorquery query: %s\n%s", error.c_str(), kUsage);
        return 1;
    }
    if (parsed.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (!ParseOptions(parsed, o, error)) {
        std::fprintf(stderr, "vexorquery query: %s\n%s", error.c_str(), kUsage);
        return 1;
    }
    if (!o.db.empty()) kes::SetDataSource(o.db);

    CQueryRequest request;
    request.form = o.form;
    request.keys = SplitStations(o.stations);
    request.filter = o.filter;
    request.startTime = o.from;
    request.endTime = o.to;
    if (!request.startTime.IsEmpty() && !request.endTime.IsEmpty() &&
        CQueryItem::ParseTime(request.endTime) < CQueryItem::ParseTime(request.startTime))
        return Fail("--to lies before --from");

    std::string connectError;
    if (!kes::CurrentConnection(connectError))
        return Fail("cannot open the database " + kes::DescribeDataSource() + ": " + connectError);

    CTableQueryOptions options;
    options.missingDataStats = o.lackSeconds > 0;
    CQueryClient client;
    CTableQuery query(client);
    CString table(o.table);
    query.Load(table.Trim().MakeUpper(), options);
    if (!query.Settings().HasTableRow() && query.Settings().VisibleCount() == 0)
        return Fail("unknown table " + table.str() +
                    " (no row in SET_DB_TABLE_NAME and no configured columns)");
    query.m_request = request;
    // The same dates ask for the same rows as in the query window: the bar's rules for the
    // table's time type, which also writes the statistics times. Missing-data statistics count
    // between the times as given.
    if (o.lackSeconds <= 0) RequestForDates(query, request.startTime, request.endTime);
    if (std::string bad = UnknownStation(query, request.keys); !bad.empty())
        return Fail("no such station " + bad + " in table " + table.str());

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

    return WriteGrid(grid, o);
}
