#pragma once
// What `query` and `edit` share: the options that choose a configured table, its stations and
// its period, and the steps that turn them into the engine's request exactly as the query
// window's bar would (the table's time type decides how the dates are read).
#include "CommandLine.h"
#include "TableQuery.h"

#include <span>
#include <string>

struct CTableRequestOptions {
    std::string db, table, stations, from, to;
    int form = 2;
};

// The option specs of a table request, for cli::ParseArgs beside a command's own.
std::span<const cli::OptionSpec> TableRequestOptionSpecs();

// Reads --db, --table, --stations, --from, --to and --form; false with the reason.
bool ReadTableRequestOptions(const cli::ParsedArgs& args, CTableRequestOptions& o, std::string& error);

// Opens the data source, loads the table and writes its request. With barPeriod the dates
// are read as the bar reads them for the table's time type; otherwise the times stand as given.
// False with the reason (unknown table, unknown station, no database, times out of order).
bool PrepareTableQuery(const CTableRequestOptions& o, const CTableQueryOptions& options, bool barPeriod,
                       CTableQuery& query, std::string& error);
