#pragma once
// ODBC type codes of configured columns, their names and the value class that decides quoting
// in statements, alignment in the grid and editing.
#include "CString.h"

struct CColumnType {
    CString name;
    int valueClass;
};

// Unknown codes give an empty name and value class 0 (never shown).
CColumnType ColumnTypeOf(int odbcTypeCode);
