#pragma once
// Where a station's real-time data has gaps: every stretch longer than a given interval
// without a record, between the range start, the records in time order and the range end.
#include "Arrays.h"
#include "CString.h"
#include "GridIterator.h"

#include <vector>

enum ELackUnit { kLackSeconds = 0, kLackMinutes = 1, kLackHours = 2, kLackDays = 3 };

struct CLackTimeRequest {
    CStringArray stations;
    CString startTime;
    CString endTime;
    CString extraText; // the event table the service reads: "RTEV" or "REAL"
    int intervalCount = 1;
    int intervalUnit = kLackHours;
};

// One row per gap: station id, "from 至 to", length; a station without records gives one row
// with "***缺数***" and "***无数据***"; a station whose read fails gives none.
std::vector<CStringArray> LackTimeRows(const CLackTimeRequest& request);

// The length text of a gap: "%2d天%2d时%2d分%2d秒" and its shorter forms.
CString LackLengthText(double days);

struct CRowColours {
    bool alternate = true;
    COLORREF first = 0xC8FFFF;
    COLORREF second = 0xFFFFFF;
};

void FillLackTimeGrid(CGridIterator& grid, const std::vector<CStringArray>& rows, const CRowColours& colours);
