#pragma once
// Printing a filled grid for a terminal (columns aligned by display width, Chinese characters
// two cells wide) or as tab-separated lines.
#include "CommandLine.h"
#include "GridIterator.h"

#include <cstdio>
#include <string>

// Terminal columns a UTF-8 text takes.
int DisplayWidth(std::string_view utf8);

void PrintGridAligned(const CGridIterator& grid, std::FILE* out);
void PrintGridTsv(const CGridIterator& grid, std::FILE* out);

// Where a command writes its grid: --format text|tsv|xlsx and --out FILE.
struct CGridOutput {
    std::string format = "text";
    std::string out;
};

// Reads --format and --out; false with the reason (unknown format, a spreadsheet without a file).
bool ReadGridOutput(const cli::ParsedArgs& args, CGridOutput& output, std::string& error);

// Writes the grid as asked: to standard output, or to --out in place of the file there only
// once the whole export is written. Answers the exit status; a failure is reported on standard
// error as "vexorquery COMMAND: REASON".
int WriteGrid(const CGridIterator& grid, const CGridOutput& output, const char* command);
