#pragma once
// The units of a plant as the entry form lists them: the scheme's row of SET_PROJECTION_MODE
// names the table and its name and number columns; the scheme's rows of that table are the
// units, in the order of their numbers.
#include "Arrays.h"
#include "CString.h"

class CQueryClient;

struct CUnitList {
    CStringArray numbers; // trimmed and upper-cased, as written into RTDB
    CStringArray names;   // trimmed and upper-cased, as the list shows them
};

// The statement that lists the units of a scheme from its table and columns.
CString UnitListStatement(long scheme, const CString& table, const CString& nameColumn,
                          const CString& numberColumn);

// Loads the units of a scheme. A scheme without a row, or with an empty table or column name,
// lists no unit. False with the database's reason when a statement failed.
bool LoadUnits(CQueryClient& client, long scheme, CUnitList& units, CString& error);
