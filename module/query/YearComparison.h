#pragma once
// The year comparison of the analysis query: one value per period of the chosen time type for
// each selected year, side by side, read for one station. Each year is queried and condensed
// on its own (the analysis context); its periods are laid on one period axis that carries no
// year, so that 05-01 of every year shares a row.
#include "Arrays.h"
#include "CString.h"
#include "GridIterator.h"
#include "LackTime.h"
#include "OleDateTime.h"

#include <map>
#include <optional>
#include <vector>

class CTableQuery;

struct CYearComparison {
    std::vector<int> years;                                 // in the order of the selection
    CStringArray periods;                                   // row labels: "%m-%d %H", "%m-%d" or "%m"
    std::vector<std::vector<std::optional<double>>> values; // [period][year]; none: no value
    CString valueHeading;                                   // heading of the compared column
    int decimals = 2;
};

// The rows of a comparison. The axis is laid on a leap year, so that 02-29 has its row (empty
// in common years). With an interval above 1 a row stands for each step of that many periods.
struct CComparisonAxis {
    int referenceYear = 2000;
    CStringArray rowLabels;
    std::map<long long, int> rowOfPeriod; // period in the reference year (ComparisonPeriodKey) -> row
};
CComparisonAxis ComparisonAxis(const COleDateTime& from, const COleDateTime& to, int timeType, int interval);
// A period of the axis as a number: year, month, day and (for hours) hour of its start.
long long ComparisonPeriodKey(const COleDateTime& time, int timeType);

// Runs the request's years one by one for its first station and condenses each; the request
// is left as it was. Failed statements are in the engine's RefreshErrors.
CYearComparison CompareYears(CTableQuery& query);

// A value as the grid shows it: decimals places, empty when there is none.
CString ComparisonCellText(const std::optional<double>& value, int decimals);
// Cell (0, 0) "  ", column 1 "时间" with the period labels, one column "%d年" per year; column 0
// numbers the rows from 1.
void FillYearComparison(const CYearComparison& comparison, CGridIterator& grid, const CRowColours& colours);
