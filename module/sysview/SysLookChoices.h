#pragma once
// What the system view's settings dialogs read and how they edit the list of tables, without a
// window: the display modes to choose from, the configured tables and their columns, and the
// list of chosen tables as the settings grid shows it.
#include "GridIterator.h"
#include "SysViewSettings.h"

class CQueryClient;

extern const char* const kDisplayModesStatement;
extern const char* const kTableNamesStatement;
// The statement that lists the columns of a configured table; the name goes in as a literal.
CString TableColumnsStatement(const CString& table);

// "类型名(模式号)" for every display mode.
CStringArray DisplayModeChoices(CQueryClient& client);
// The names of the configured tables in use.
CStringArray TableChoices(CQueryClient& client);
// The column names of a configured table.
CStringArray ColumnChoices(CQueryClient& client, const CString& table);

// The settings grid: headers " ", "表名", "中文名", "时间字段" and one numbered row per entry.
void FillEntryGrid(CGridIterator& grid, const CObjectArray<CSysViewEntry>& entries);
// The entries as the grid's cells hold them (columns 1 to 3 of rows 1 and below).
CObjectArray<CSysViewEntry> EntriesFromGrid(const CGridIterator& grid);

// Edits of the list on the selected grid rows first..last (grid row r holds entry r - 1). Each
// answers whether the list changed; a move shifts the selection by one row when it did.
bool DeleteEntryRows(CObjectArray<CSysViewEntry>& entries, long first, long last);
bool MoveEntryRowsUp(CObjectArray<CSysViewEntry>& entries, long first, long last);
bool MoveEntryRowsDown(CObjectArray<CSysViewEntry>& entries, long first, long last);
