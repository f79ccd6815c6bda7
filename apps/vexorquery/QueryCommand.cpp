// vexorquery query: one refresh of a configured table, exactly as the query window runs it,
// printed for a terminal, as tab-separated lines or written to a spreadsheet.
#include "Commands.h"

#include "DataSource.h"
#include "GridPrinter.h"
#include "QueryClient.h"
#include "QueryItem.h"
#include "TableQuery.h"

#include <cstdio>
#include <cstring>
#include <set>

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

// A time text as the request carries it; false when it is no real date-time.
bool NormalTime(const std::string& text, CString& out) {
    int fields[6] = {0, 1, 1, 0, 0, 0};
    char tail = 0;
    int n = std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d%c", &fields[0], &fields[1], &fields[2], &fields[3],
                        &fields[4], &fields[5], &tail);
    if (n < 1 || n > 6) return false;
    COleDateTime t(fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]);
    if (!t.IsValid()) return false;
    out = t.Format("%Y-%m-%d %H:%M:%S");
    return true;
}

bool ParseOptions(const Args& args, Options& o, std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size()) {
                error = a + " needs a value";
                return false;
            }
            into = args[++i];
            return true;
        };
        std::string v;
        if (a == "--db") {
            if (!value(o.db)) return false;
        } else if (a == "--table") {
            if (!value(o.table)) return false;
        } else if (a == "--stations") {
            if (!value(o.stations)) return false;
        } else if (a == "--from") {
            if (!value(o.from)) return false;
        } else if (a == "--to") {
            if (!value(o.to)) return false;
        } else if (a == "--filter") {
            if (!value(o.filter)) return false;
        } else if (a == "--format") {
            if (!value(o.format)) return false;
            if (o.format != "text" && o.format != "tsv" && o.format != "xlsx" && o.format != "xls") {
                error = "unknown format '" + o.format + "' (text, tsv or xlsx)";
                return false;
            }
        } else if (a == "--out") {
            if (!value(o.out)) return false;
        } else if (a == "--form") {
            if (!value(v)) return false;
            if (v != "1" && v != "2") {
                error = "--form takes 1 (all stations) or 2 (given stations)";
                return false;
            }
            o.form = v[0] - '0';
        } else if (a == "--lack") {
            if (!value(v)) return false;
            char* end = nullptr;
            o.lackSeconds = std::strtoll(v.c_str(), &end, 10);
            if (v.empty() || *end != '\0' || o.lackSeconds <= 0) {
                error = "--lack takes a number of seconds greater than 0";
                return false;
            }
        } else if (a == "--explain") {
            o.explain = true;
        } else {
            error = "unknown argument '" + a + "'";
            return false;
        }
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

} // namespace

int RunQueryCommand(const Args& args) {
    Options o;
    std::string error;
    if (!ParseOptions(args, o, error)) {
        std::fprintf(stderr, "vexorquery query: %s\n%s", error.c_str(), kUsage);
        return 1;
    }
    if (!o.db.empty()) kes::SetDataSource(o.db);

    CQueryRequest request;
    request.form = o.form;
    request.keys = SplitStations(o.stations);
    request.filter = o.filter;
    if (!o.from.empty() && !NormalTime(o.from, request.startTime))
        return Fail("--from is not a valid time: " + o.from);
    if (!o.to.empty() && !NormalTime(o.to, request.endTime)) return Fail("--to is not a valid time: " + o.to);
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

    if (o.format == "xlsx" || o.format == "xls") {
        CString saveError;
        if (!grid.SaveData(o.out, &saveError)) return Fail(saveError.str());
        std::fprintf(stderr, "wrote %s: %ld rows\n", o.out.c_str(), grid.GetRowCount());
        return 0;
    }
    std::FILE* out = stdout;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(nullptr, std::fclose);
    if (!o.out.empty()) {
        file.reset(std::fopen(o.out.c_str(), "w"));
        if (!file) return Fail("cannot write " + o.out + ": " + std::strerror(errno));
        out = file.get();
    }
    if (o.format == "tsv")
        PrintGridTsv(grid, out);
    else
        PrintGridAligned(grid, out);
    return 0;
}
