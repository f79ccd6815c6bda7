#pragma once
// Printing a filled grid for a terminal (columns aligned by display width, Chinese characters
// two cells wide) or as tab-separated lines.
#include "GridIterator.h"

#include <cstdio>
#include <string>

// The text a user sees in a cell: a code of a mapped column shows as its name.
std::string DisplayText(const CGridIterator& grid, long row, long col);
// Terminal columns a UTF-8 text takes.
int DisplayWidth(std::string_view utf8);

void PrintGridAligned(const CGridIterator& grid, std::FILE* out);
void PrintGridTsv(const CGridIterator& grid, std::FILE* out);
