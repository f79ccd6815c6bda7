// vexorquery edit: changes one row of a configured table exactly as the query window does:
// the same refresh, the same edited-row commit (stored record, changed columns only, one
// transaction with its audit record), or the same delete. Prints every statement sent.
#include "Commands.h"

#include "CommandLogin.h"
#include "QueryClient.h"
#include "QueryWindowModel.h"
#include "TableQuery.h"
#include "TableRequest.h"

#include <cstdio>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace {

const char* kUsage =
    "usage: vexorquery edit [--db URI] --table NAME [--stations ID,...] [--from TIME] [--to TIME]\n"
    "                       [--form 1|2] --row N (--set HEADING=VALUE ... | --delete) [--user NAME]\n"
    "Refreshes the table as 'query' does, then changes data row N (1 = first data row, as\n"
    "'query --format text' numbers them) in the columns named by their headings, or deletes it,\n"
    "and writes the change with its audit record. With --user the password is the first line\n"
    "of standard input and the user must be allowed to modify data.\n";

struct Options {
    CTableRequestOptions table;
    std::string user;
    long long row = 0;
    bool remove = false;
    std::vector<std::pair<std::string, std::string>> sets;
};

int Fail(const std::string& message) {
    std::fprintf(stderr, "vexorquery edit: %s\n", message.c_str());
    return 1;
}

constexpr cli::OptionSpec kOwnOptions[] = {
    {"--row", true},
    {"--set", true},
    {"--delete", false},
    {"--user", true},
};

bool ParseOptions(const cli::ParsedArgs& args, Options& o, std::string& error) {
    if (!ReadTableRequestOptions(args, o.table, error)) return false;
    o.user = args.Value("--user");
    o.remove = args.Has("--delete");
    if (!args.Has("--row") ||
        !cli::ReadWholeNumber(args.Value("--row"), 1, std::numeric_limits<int>::max(), o.row)) {
        error = "--row takes a data row number of 1 or more";
        return false;
    }
    for (const std::string& set : args.Values("--set")) {
        std::size_t eq = set.find('=');
        if (eq == std::string::npos || eq == 0) {
            error = "--set takes HEADING=VALUE";
            return false;
        }
        o.sets.emplace_back(set.substr(0, eq), set.substr(eq + 1));
    }
    if (o.remove == !o.sets.empty()) {
        error = "give either --set HEADING=VALUE or --delete";
        return false;
    }
    return true;
}

} // namespace

int RunEditCommand(const Args& args) {
    cli::ParsedArgs parsed;
    Options o;
    std::string error;
    std::vector<cli::OptionSpec> specs(std::begin(kOwnOptions), std::end(kOwnOptions));
    specs.insert(specs.end(), TableRequestOptionSpecs().begin(), TableRequestOptionSpecs().end());
    if (auto status = cli::ReadCommandArgs("edit", args, specs, 0, 0, kUsage, parsed)) return *status;
    if (!ParseOptions(parsed, o, error)) return cli::UsageError("edit", error, kUsage);
    CQueryClient client;
    CTableQuery query(client);
    // The rows numbered as `query` numbers them: the same request, read as the bar reads it.
    if (!PrepareTableQuery(o.table, CTableQueryOptions{}, true, query, error)) return Fail(error);
    if (!o.user.empty() && !LogInFromInput(o.user, error)) return Fail(error);
    const CString table = query.Settings().TableName();
    CGridIterator grid;
    query.Refresh(grid, 1);
    if (query.RefreshFailed()) return Fail("the query failed: " + query.RefreshErrors().front().str());
    if (o.row > query.ResultRowCount())
        return Fail("row " + std::to_string(o.row) + " is not a data row: the query gave " +
                    std::to_string(query.ResultRowCount()) + " rows");

    int written = 0;
    if (o.remove) {
        written = query.DeleteRow(grid.GetRowRecord(o.row));
    } else {
        const int visible = query.Settings().VisibleCount();
        CEditedRow edit;
        LoadEditedRow(edit, grid, o.row, visible, false);
        for (const auto& [heading, value] : o.sets) {
            int column = 0;
            for (int i = 1; i <= visible && column == 0; ++i)
                if (CString(query.Settings().Columns()[i].colnamech).Trim() == CString(heading).Trim())
                    column = i;
            if (column == 0) return Fail("no column headed '" + heading + "' in table " + table.str());
            grid.SetItemText(o.row, column, value);
        }
        written = CommitEditedRow(edit, grid, query, false);
        if (written == 1 && query.SentStatements().empty()) {
            std::printf("-- nothing to write: the row already shows these values\n");
            return 0;
        }
    }
    for (const CString& sql : query.SentStatements())
        std::printf("%s\n", sql.GetString());
    if (written != 1) return Fail(query.LastWriteError().str());
    if (!query.LastAuditError().IsEmpty()) return Fail(query.LastAuditError().str());
    return 0;
}
