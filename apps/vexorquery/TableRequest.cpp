#include "TableRequest.h"

#include "DataSource.h"
#include "QueryItem.h"
#include "RequestPeriod.h"

#include <set>
#include <utility>

namespace {

constexpr cli::OptionSpec kSpecs[] = {
    {"--db", true},   {"--table", true}, {"--stations", true},
    {"--from", true}, {"--to", true},    {"--form", true},
};

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

std::span<const cli::OptionSpec> TableRequestOptionSpecs() {
    return kSpecs;
}

bool ReadTableRequestOptions(const cli::ParsedArgs& args, CTableRequestOptions& o, std::string& error) {
    o.db = args.Value("--db");
    o.table = args.Value("--table");
    o.stations = args.Value("--stations");
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
    if (o.table.empty()) {
        error = "--table is required";
        return false;
    }
    return true;
}

bool PrepareTableQuery(const CTableRequestOptions& o, const CTableQueryOptions& options, bool barPeriod,
                       CTableQuery& query, std::string& error) {
    if (!o.db.empty()) kes::SetDataSource(o.db);
    CQueryRequest request;
    request.form = o.form;
    request.keys = SplitStations(o.stations);
    request.startTime = o.from;
    request.endTime = o.to;
    if (!request.startTime.IsEmpty() && !request.endTime.IsEmpty() &&
        CQueryItem::ParseTime(request.endTime) < CQueryItem::ParseTime(request.startTime)) {
        error = "--to lies before --from";
        return false;
    }
    std::string connectError;
    if (!kes::CurrentConnection(connectError)) {
        error = "cannot open the database " + kes::DescribeDataSource() + ": " + connectError;
        return false;
    }
    CString table(o.table);
    query.Load(table.Trim().MakeUpper(), options);
    if (!query.Settings().HasTableRow() && query.Settings().VisibleCount() == 0) {
        error = "unknown table " + table.str() + " (no row in SET_DB_TABLE_NAME and no configured columns)";
        return false;
    }
    query.m_request = request;
    // The same dates ask for the same rows as in the query window: the bar's rules for the
    // table's time type, which also writes the statistics times.
    if (barPeriod) RequestForDates(query, request.startTime, request.endTime);
    if (std::string bad = UnknownStation(query, request.keys); !bad.empty()) {
        error = "no such station " + bad + " in table " + table.str();
        return false;
    }
    return true;
}
