// vexorquery inventory [--db URI] TABLE[:TIMECOLUMN[:NAME]] ...: the system view's inventory,
// counted as the viewer counts it (on a worker thread with a connection of its own), one
// tab-separated line a table printed as soon as the table is counted.
#include "Commands.h"

#include "BackgroundInventory.h"
#include "CommandLine.h"
#include "DataSource.h"

#include <cstdio>
#include <limits>

namespace {

const char* kUsage =
    "usage: vexorquery inventory [--db URI] TABLE[:TIMECOLUMN[:NAME]] ...\n"
    "Counts the rows of each table of schema KES, one table after the other, and with a time\n"
    "column also its earliest and latest time. NAME is the Chinese name the row shows. Prints a\n"
    "header line and one line a table as soon as it is counted: number, table, name, count,\n"
    "earliest, latest and, for a table that could not be counted, the database's reason.\n"
    "Exit status 0 when every table was counted, else 1.\n";

constexpr cli::OptionSpec kOptions[] = {{"--db", true}};

int Fail(const std::string& message) {
    std::fprintf(stderr, "vexorquery inventory: %s\n", message.c_str());
    return 1;
}

// TABLE, TABLE:TIMECOLUMN or TABLE:TIMECOLUMN:NAME (the name may hold ":" itself).
bool ReadTable(const std::string& word, CInventoryTable& table) {
    std::size_t first = word.find(':');
    std::size_t second = first == std::string::npos ? first : word.find(':', first + 1);
    table.table = word.substr(0, first);
    if (first != std::string::npos) table.timeColumn = word.substr(first + 1, second - first - 1);
    if (second != std::string::npos) table.chineseName = word.substr(second + 1);
    return !CString(table.table).Trim().IsEmpty();
}

// A cell on one line of its own: tabs and line breaks of a reason become blanks.
std::string Cell(const CString& text) {
    std::string cell = text.str();
    for (char& c : cell)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return cell;
}

} // namespace

int RunInventoryCommand(const Args& args) {
    cli::ParsedArgs parsed;
    if (auto status = cli::ReadCommandArgs("inventory", args, kOptions, 1,
                                           std::numeric_limits<std::size_t>::max(), kUsage, parsed))
        return *status;
    std::string error;
    std::vector<CInventoryTable> tables;
    for (const std::string& word : parsed.positional) {
        CInventoryTable table;
        if (!ReadTable(word, table)) return Fail("no table name in '" + word + "'");
        tables.push_back(table);
    }
    if (parsed.Has("--db")) kes::SetDataSource(parsed.Value("--db"));
    std::string connectError;
    if (!kes::CurrentConnection(connectError))
        return Fail("cannot open the database " + kes::DescribeDataSource() + ": " + connectError);

    std::printf("\t表名\t中文名\t数据量\t开始时间\t结束时间\t说明\n");
    std::fflush(stdout);
    int number = 0;
    CBackgroundInventory load(kes::ResolveDataSource(), tables, [&number](const CInventoryRow& row) {
        std::printf("%d\t%s\t%s\t%s\t%s\t%s\t%s\n", ++number, Cell(row.table).c_str(),
                    Cell(row.chineseName).c_str(), Cell(row.count).c_str(), Cell(row.earliest).c_str(),
                    Cell(row.latest).c_str(), Cell(row.failure).c_str());
        std::fflush(stdout);
    });
    const CInventoryOutcome& outcome = load.Wait();
    if (!outcome.openFailure.IsEmpty())
        return Fail("cannot open the database " + kes::DescribeDataSource() + ": " +
                    outcome.openFailure.str());
    if (outcome.failed == 0) return 0;
    return Fail(std::to_string(outcome.failed) + " of " + std::to_string(outcome.failed + outcome.counted) +
                " tables could not be counted; the reasons are in their rows");
}
