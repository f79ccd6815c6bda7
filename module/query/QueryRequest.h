#pragma once
// What one refresh asks for, as the query bar or the window fills it in.
#include "Arrays.h"
#include "CString.h"

enum EComposeForm { kFormNone = 0, kFormAllStations = 1, kFormGivenStations = 2 };

struct CQueryRequest {
    int form = kFormNone;
    CStringArray keys;              // selected station or point ids, as text
    bool stationInput = false;      // the typed station condition replaces the id condition
    CString typedStationCondition;
    CString startTime;              // "%Y-%m-%d %H:%M:%S"
    CString endTime;
    CString filter;                 // condition built on the condition page
    bool tableIdOption = false;     // tables partitioned by a TABID column
    int tableId = 0;
    bool analysis = false;          // the multi-year analysis of "HISVIEW"
    CDWordArray years;
    int analysisType = 3;           // the analysis bar's time type: 3 hour, 4 day, 5 ten-day, 6 month
    int analysisInterval = 1;       // periods per step
    int valueKind = 0;              // 0 instantaneous, 1 average, 2 maximum, 3 minimum
    bool totals = false;            // a column carries TOTAL(TABLE, ...)
    bool hourlyShift = false;       // hourly rainfall: the period was moved one hour later
    CString directStationCondition; // direct display: " ( ... )" from the bar's filter lists
};

// The key columns of a configured table, found among its visible columns.
struct CKeyColumns {
    int idIndex = -1;
    CString idName;
    int idClass = 0;
    CString furtherKeySuffix; // ",%s" per further PK column
    int timeIndex = -1;
    CString timeName;
    int changeIndex = -1;     // the CHANGETIME column
    CString changeLabel;
    int changeCount = 0;
    int changeClass = 0;
};
