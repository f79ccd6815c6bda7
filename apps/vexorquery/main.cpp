// vexorquery: the command-line tool for integrators and tests. Every subcommand gives a clear
// message and exit status 1 on bad input.
#include "Commands.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>

namespace {

struct Command {
    std::function<int(const Args&)> run;
    const char* usage;
};

const std::map<std::string, Command>& CommandTable() {
    static const std::map<std::string, Command> table = {
        {"compare",
         {RunCompareCommand, "compare --table HISVIEW --station ID --years Y,... --from MM-DD --to MM-DD ... "
                             "  years side by side"}},
        {"configure",
         {RunConfigureCommand,
          "configure FILE --element N --set FIELD=VALUE ...   change an element's configuration"}},
        {"display", {RunDisplayCommand, "display FILE          print every element of a display file"}},
        {"query",
         {RunQueryCommand, "query --table NAME ...  run one refresh of a configured table (--help for all)"}},
        {"demo-db",
         {RunDemoDbCommand,
          "demo-db URI [--scale N] [--force]   build the demo database (sqlite:PATH or PostgreSQL)"}},
        {"demo-display",
         {RunDemoDisplayCommand, "demo-display FILE     write a sample display with data-query elements"}},
        {"edit",
         {RunEditCommand,
          "edit --table NAME --row N --set HEADING=VALUE ... | --delete   change one row (--help)"}},
        {"inventory",
         {RunInventoryCommand,
          "inventory [--db URI] TABLE[:TIMECOLUMN[:NAME]] ...   count tables as the system view does"}},
        {"points",
         {RunPointsCommand, "points --points ID,... --type hour|day|xun|month --from TIME --to TIME   point "
                            "data query (--help)"}},
        {"sql", {RunSqlCommand, "sql [--db URI] [--execute] TEXT   run SQL as the module does, print rows"}},
        {"unit-entry",
         {RunUnitEntryCommand, "unit-entry --form NAME --unit ID --page start|stop --time TIME   enter a "
                               "unit's start or stop (--help)"}},
        {"user",
         {RunUserCommand, "user add NAME [--can-modify] | user passwd NAME [--db URI]   manage users"}},
    };
    return table;
}

void PrintUsage(std::FILE* to) {
    std::fprintf(to, "usage: vexorquery COMMAND [ARGS]\n\ncommands:\n");
    for (const auto& [name, cmd] : CommandTable())
        std::fprintf(to, "  %s\n", cmd.usage);
}

} // namespace

int main(int argc, char** argv) {
    // A file that reaches the size limit fails its write, which is reported, instead of
    // ending the program half-way through.
    std::signal(SIGXFSZ, SIG_IGN);
    if (argc < 2) {
        PrintUsage(stderr);
        return 1;
    }
    std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintUsage(stdout);
        return 0;
    }
    auto it = CommandTable().find(name);
    if (it == CommandTable().end()) {
        std::fprintf(stderr, "vexorquery: unknown command '%s'\n", name.c_str());
        PrintUsage(stderr);
        return 1;
    }
    return it->second.run(Args(argv + 2, argv + argc));
}
