// vexorquery unit-entry: one "增加" of a unit entry form's start or stop page, written exactly
// as the page writes it (the same statements, audit records and transaction). Prints every
// statement sent.
#include "Commands.h"

#include "CommandLine.h"
#include "CommandLogin.h"
#include "DataSource.h"
#include "QueryClient.h"
#include "QueryItem.h"
#include "UnitEntryForms.h"
#include "UnitList.h"
#include "UnitStateEntry.h"

#include <cstdio>
#include <string>

namespace {

const char* kUsage =
    "usage: vexorquery unit-entry [--db URI] --form NAME --unit ID --page start|stop --time TIME\n"
    "                             [--second-time TIME] [--only first|second] [--stop-kind 4|16|1]\n"
    "                             [--user NAME]\n"
    "Writes what the form's page writes on its \"增加\": on the start page the start-up at TIME\n"
    "and the grid connection, on the stop page the disconnection at TIME and the stop; the\n"
    "second event one second after TIME unless --second-time gives its time. --only writes one\n"
    "of the two. --stop-kind: 4 停机备用 (default), 16 停机临检, 1 停机计检. --unit takes the\n"
    "unit's number or name. With --user the password is the first line of standard input.\n";

constexpr cli::OptionSpec kOptions[] = {
    {"--db", true},          {"--form", true}, {"--unit", true},      {"--page", true}, {"--time", true},
    {"--second-time", true}, {"--only", true}, {"--stop-kind", true}, {"--user", true},
};

int Fail(const std::string& message) {
    std::fprintf(stderr, "vexorquery unit-entry: %s\n", message.c_str());
    return 1;
}

bool ReadOptions(const cli::ParsedArgs& args, CUnitEntryInput& input, std::string& error) {
    for (const char* required : {"--form", "--unit", "--page", "--time"})
        if (!args.Has(required)) {
            error = std::string(required) + " is required";
            return false;
        }
    const std::string page = args.Value("--page");
    if (page != "start" && page != "stop") {
        error = "--page takes start or stop";
        return false;
    }
    input.page = page == "start" ? EUnitPage::Start : EUnitPage::Stop;
    std::string normal;
    if (!cli::ReadTime(args.Value("--time"), normal)) {
        error = "--time takes YYYY-MM-DD HH:MM:SS";
        return false;
    }
    input.firstTime = CQueryItem::ParseTime(CString(normal));
    input.secondTime = input.firstTime + COleDateTimeSpan(0, 0, 0, 1);
    if (args.Has("--second-time")) {
        if (!cli::ReadTime(args.Value("--second-time"), normal)) {
            error = "--second-time takes YYYY-MM-DD HH:MM:SS";
            return false;
        }
        input.secondTime = CQueryItem::ParseTime(CString(normal));
    }
    if (args.Has("--only")) {
        const std::string only = args.Value("--only");
        if (only != "first" && only != "second") {
            error = "--only takes first or second";
            return false;
        }
        input.writeFirst = only == "first";
        input.writeSecond = only == "second";
    }
    if (args.Has("--stop-kind")) {
        long long kind = 0;
        if (input.page != EUnitPage::Stop || !cli::ReadWholeNumber(args.Value("--stop-kind"), 1, 16, kind) ||
            (kind != kStopReserve && kind != kStopInspection && kind != kStopMaintenance)) {
            error = "--stop-kind takes 4, 16 or 1, on the stop page";
            return false;
        }
        input.stopKind = int(kind);
    }
    return true;
}

// The number of the unit given by its number or its name, as the form lists it; empty when
// the form has no such unit.
CString FindUnit(const CUnitList& units, CString given) {
    given.Trim().MakeUpper();
    for (int i = 0; i < units.numbers.GetSize(); ++i)
        if (units.numbers[i] == given || units.names[i] == given) return units.numbers[i];
    return {};
}

} // namespace

int RunUnitEntryCommand(const Args& args) {
    cli::ParsedArgs parsed;
    if (auto status = cli::ReadCommandArgs("unit-entry", args, kOptions, 0, 0, kUsage, parsed))
        return *status;
    CUnitEntryInput input;
    std::string error;
    if (!ReadOptions(parsed, input, error)) return cli::UsageError("unit-entry", error, kUsage);
    const CString form(parsed.Value("--form"));
    const long scheme = CUnitEntryCatalogue::SchemeOf(form);
    if (scheme == 0) return Fail("no unit entry form named '" + form.str() + "'");

    if (parsed.Has("--db")) kes::SetDataSource(parsed.Value("--db"));
    std::string connectError;
    if (!kes::CurrentConnection(connectError))
        return Fail("cannot open the database " + kes::DescribeDataSource() + ": " + connectError);
    if (parsed.Has("--user") && !LogInFromInput(parsed.Value("--user"), error)) return Fail(error);

    CQueryClient client;
    CUnitList units;
    CString loadError;
    if (!LoadUnits(client, scheme, units, loadError))
        return Fail("the units could not be read: " + loadError.str());
    input.unitNumber = FindUnit(units, CString(parsed.Value("--unit")));
    if (input.unitNumber.IsEmpty())
        return Fail("form '" + form.str() + "' has no unit '" + parsed.Value("--unit") + "'");

    std::vector<CUnitStateChange> changes;
    CString refusal;
    if (!PlanUnitEntry(input, changes, refusal)) return Fail(refusal.str());
    CUnitEntryOutcome outcome;
    const bool written = WriteUnitEntry(client, changes, outcome);
    for (const CString& sql : outcome.sent)
        std::printf("%s\n", sql.GetString());
    if (!written) return Fail(outcome.error.str());
    return 0;
}
