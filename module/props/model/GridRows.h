#pragma once
// The settings grids of the dialogs: one fixed header row, one fixed numbering column, text
// cells.
#include "GridIterator.h"

#include <initializer_list>
#include <string_view>

// Sets up the grid with these headers (the first over the numbering column) and room for
// `rows` data rows.
void StartTextGrid(CGridIterator& grid, std::initializer_list<const char*> headers, int rows);
// Grid row `row`: its number ("%d") and the texts from column 1 on.
void SetNumberedRow(CGridIterator& grid, long row, std::initializer_list<std::string_view> texts);
