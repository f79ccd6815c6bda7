// vexorquery edit: changes one row of a configured table exactly as the query window does:
// the same refresh, the same edited-row commit (stored record, changed columns only, one
// transaction with its audit record), or the same delete. Prints every statement sent.
#include "Commands.h"

#include "DataService.h"
#include "DataSource.h"
#include "Login.h"
#include "QueryClient.h"
#include "QueryItem.h"
#include "QueryWindowModel.h"
#include "RequestPeriod.h"
#include "TableQuery.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iostream>
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
    std::string db, table, stations, from, to, user;
    int form = 2;
    long row = 0;
    bool remove = false;
    std::vector<std::pair<std::string, std::string>> sets;
};

int Fail(const std::string& message) {
    std::fprintf(stderr, "vexorquery edit: %s\n", message.c_str());
    return 1;
}

bool ReadTimeOption(const std::string& text, CString& out) {
    COleDateTime t;
    const int fields = CQueryItem::ReadTime(CString(text), t);
    if (fields < 3 || !t.IsValid()) return false;
    // The whole text must be the time: a trailing word is a typing error, not a time.
    for (char c : text)
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == ':' || c == ' ')) return false;
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
        } else if (a == "--user") {
            if (!value(o.user)) return false;
        } else if (a == "--form") {
            if (!value(v)) return false;
            if (v != "1" && v != "2") {
                error = "--form takes 1 (all stations) or 2 (given stations)";
                return false;
            }
            o.form = v[0] - '0';
        } else if (a == "--row") {
            if (!value(v)) return false;
            std::size_t used = 0;
            try {
                o.row = std::stol(v, &used);
            } catch (const std::exception&) {
                used = 0;
            }
            if (used == 0 || used != v.size() || o.row < 1) {
                error = "--row takes a row number of 1 or more";
                return false;
            }
        } else if (a == "--set") {
            if (!value(v)) return false;
            std::size_t eq = v.find('=');
            if (eq == std::string::npos || eq == 0) {
                error = "--set takes HEADING=VALUE";
                return false;
            }
            o.sets.emplace_back(v.substr(0, eq), v.substr(eq + 1));
        } else if (a == "--delete") {
            o.remove = true;
        } else {
            error = "unknown argument '" + a + "'";
            return false;
        }
    }
    if (o.table.empty())
        error = "--table is required";
    else if (o.row < 1)
        error = "--row is required";
    else if (o.remove == !o.sets.empty())
        error = "give either --set HEADING=VALUE or --delete";
    return error.empty();
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

// Logs the user in through the same question the window asks, answered from the options.
bool LogIn(const std::string& user, std::string& error) {
    std::string password;
    if (!std::getline(std::cin, password)) {
        error = "--user needs the password as the first line of standard input";
        return false;
    }
    if (!password.empty() && password.back() == '\r') password.pop_back();
    auto previous = kes::SetCredentialResponder([&](const CString&, kes::Credentials& answer) {
        answer.user = CString(user);
        answer.password = CString(password);
        return true;
    });
    CString name;
    const int right = KesLogin(nullptr, &name, "", 3);
    kes::SetCredentialResponder(std::move(previous));
    std::fill(password.begin(), password.end(), '\0');
    if (right < 0)
        error = "login failed: unknown user or wrong password";
    else if (right == 0)
        error = "user " + user + " may not modify data";
    return right >= 1;
}

} // namespace

int RunEditCommand(const Args& args) {
    Options o;
    std::string error;
    for (const std::string& a : args)
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
    if (!ParseOptions(args, o, error)) {
        std::fprintf(stderr, "vexorquery edit: %s\n%s", error.c_str(), kUsage);
        return 1;
    }
    if (!o.db.empty()) kes::SetDataSource(o.db);

    CQueryRequest request;
    request.form = o.form;
    request.keys = SplitStations(o.stations);
    if (!o.from.empty() && !ReadTimeOption(o.from, request.startTime))
        return Fail("--from is not a valid time: " + o.from);
    if (!o.to.empty() && !ReadTimeOption(o.to, request.endTime))
        return Fail("--to is not a valid time: " + o.to);

    std::string connectError;
    if (!kes::CurrentConnection(connectError))
        return Fail("cannot open the database " + kes::DescribeDataSource() + ": " + connectError);
    if (!o.user.empty() && !LogIn(o.user, error)) return Fail(error);

    CQueryClient client;
    CTableQuery query(client);
    CString table(o.table);
    query.Load(table.Trim().MakeUpper(), CTableQueryOptions{});
    if (!query.Settings().HasTableRow() && query.Settings().VisibleCount() == 0)
        return Fail("unknown table " + table.str());
    query.m_request = request;
    RequestForDates(query, request.startTime, request.endTime); // the rows `query` numbers
    CGridIterator grid;
    query.Refresh(grid, 1);
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
