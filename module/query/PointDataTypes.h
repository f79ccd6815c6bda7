#pragma once
// The data type of a measuring point (ALLPOINT.DTYPE): it decides how the analysis folds a
// point's values into periods. The table is read once per module run into a shared client;
// a read that failed is tried again on the next lookup. Not guarded: user-interface thread.
#include "CString.h"

// The type of the point; 2 for an id of 0 or below, an id not in the table, or while the
// table cannot be read.
int PointDataType(long pointId);
// The type of the point named by a cell text.
int PointDataTypeOf(const CString& pointIdText);
// Forgets the table read, as at the start of a module run.
void ForgetPointDataTypes();
