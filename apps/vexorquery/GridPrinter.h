#pragma once
// Printing a filled grid for a terminal (columns aligned by display width, Chinese characters
// two cells wide) or as tab-separated lines.
#include "GridIterator.h"

#include <cstdio>
#include <string>

// Terminal columns a UTF-8 text takes.
int DisplayWidth(std::string_view utf8);

void PrintGridAligned(const CGridIterator& grid, std::FILE* out);
void PrintGridTsv(const CGridIterator& grid, std::FILE* out);
