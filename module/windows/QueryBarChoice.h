#pragma once
// The one place that decides which bar a table query window shows and makes it: the analysis
// bar for the multi-year analysis, the missing-data bar for event tables counted for gaps, the
// station-and-time bar otherwise. The bar is a child of the window (control 941).
#include "QueryBarWindow.h"
#include "QueryWindowModel.h"

class CWnd;

// The bar made inside owner (the query window or dialog 907), attached to the engine; nullptr
// when the records are incomplete.
CQueryBarWindow* CreateQueryBar(EBarKind kind, const CQueryBarRecords& records, CWnd& owner);
