#pragma once
// The period a refresh asks for. The bar's time controls hold a start and an end to their
// precision; the request gets them moved by the rules of the time type: hourly rainfall is
// stored at the end of its hour, day and coarser types read from midnight of the first day to
// 08:00 of the last, and a table summed by periods with a CHANGETIME column moves both bounds
// by one period. The bar's "刷新" and the command line both go through here, so that the same
// dates ask for the same rows.
#include "CString.h"
#include "OleDateTime.h"
#include "TimeTypes.h"

#include <vector>

class CQuerySettings;
class CQueryTableSettings;
class CTableQuery;

// What a table's directives say about its time.
struct CTableTimeRules {
    bool hasTotals = false;  // a column carries TOTAL(TABLE, ...)
    std::vector<int> types;  // its time types, at most ten
    CString showTime;        // the first SHOWTIME word: the time controls' precision
    bool changeTime = false; // a CHANGETIME column
    CString changeLabel;     // its period label ("时", "日", ...)
    CString fieldTime;       // the FIELDTIME word of the PK(TIME) column
};
CTableTimeRules TableTimeRules(const CQueryTableSettings& settings);

// The time type a table is read in when no element chooses one: the first type of its
// TOTAL(TABLE, ...), else the type of its time column's FIELDTIME word; hours when neither.
int TableTimeType(const CTableTimeRules& rules);

struct CRequestPeriod {
    COleDateTime start;
    COleDateTime end;
};
// The request's bounds for the times the controls hold, under the time type typeCode.
CRequestPeriod RequestPeriod(const CTableTimeRules& rules, int typeCode, bool hourlyShift, COleDateTime start,
                             COleDateTime end);
// A bar's refresh writes the bounds it asks for into the window's request, as times and as texts,
// and the texts into the engine's request.
void WriteRequestPeriod(CQuerySettings& request, CTableQuery& engine, const COleDateTime& start,
                        const COleDateTime& end);

// The request of a refresh given only dates (the command line), as the bar makes it for the
// table's own time type: each date as the time controls would hold it, then RequestPeriod; the
// statistics rows write their times in that type. An empty date leaves its bound empty.
void RequestForDates(CTableQuery& query, const CString& from, const CString& to);
