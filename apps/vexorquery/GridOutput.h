#pragma once
// Where a command's filled grid goes: aligned text or tab-separated lines to standard output or
// a file, or a spreadsheet file. A file appears only once it is completely written.
#include "CommandLine.h"
#include "GridIterator.h"

#include <string>

struct CGridOutput {
    std::string format = "text"; // text, tsv, xlsx (xls)
    std::string out;             // empty: standard output
};

// Reads --format and --out; false with the reason.
bool ReadGridOutput(const cli::ParsedArgs& args, CGridOutput& output, std::string& error);
// Writes the grid; the exit status, with "vexorquery COMMAND: reason" on failure.
int WriteGrid(const CGridIterator& grid, const CGridOutput& output, const char* command);
