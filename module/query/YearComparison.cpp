#include "YearComparison.h"

#include "AnalysisContext.h"
#include "QueryItem.h"
#include "TableQuery.h"

#include <algorithm>
#include <cassert>
#include <charconv>

namespace {

constexpr int kLeapYear = 2000;

bool PeriodStartsOn(const COleDateTime& day, int timeType) {
    switch (timeType) {
    case 5:
        return day.GetDay() == 1 || day.GetDay() == 11 || day.GetDay() == 21;
    case 6:
        return day.GetDay() == 1;
    default:
        return true;
    }
}

CString RowLabel(const COleDateTime& time, int timeType) {
    if (timeType == 3) return time.Format("%m-%d %H");
    if (timeType == 6) return time.Format("%m");
    return time.Format("%m-%d");
}

// The role whose first column holds the value compared for a value kind.
ETotalRole RoleOfKind(int valueKind) {
    switch (valueKind) {
    case 1:
        return kRoleAverage;
    case 2:
        return kRoleMaximum;
    case 3:
        return kRoleMinimum;
    default:
        return kRoleValue;
    }
}

} // namespace

long long ComparisonPeriodKey(const COleDateTime& time, int timeType) {
    return ((time.GetYear() * 100LL + time.GetMonth()) * 100 + time.GetDay()) * 100 +
           (timeType == 3 ? time.GetHour() : 0);
}

CComparisonAxis ComparisonAxis(const COleDateTime& from, const COleDateTime& to, int timeType, int interval) {
    CComparisonAxis axis;
    if (!from.IsValid() || !to.IsValid()) return axis;
    interval = std::max(interval, 1);
    // A range that runs into the next year has its February there.
    CYearRange range = CQueryComposition::YearRange(from, to, kLeapYear);
    axis.referenceYear = kLeapYear;
    if (range.end.GetYear() != kLeapYear) {
        axis.referenceYear = kLeapYear - 1;
        range = CQueryComposition::YearRange(from, to, axis.referenceYear);
    }
    const bool hours = timeType == 3;
    COleDateTime t =
        hours ? COleDateTime(range.start.GetYear(), range.start.GetMonth(), range.start.GetDay(),
                             range.start.GetHour(), 0, 0)
              : COleDateTime(range.start.GetYear(), range.start.GetMonth(), range.start.GetDay(), 0, 0, 0);
    const COleDateTimeSpan step = hours ? COleDateTimeSpan(0, 1, 0, 0) : COleDateTimeSpan(1, 0, 0, 0);
    int counter = 0;
    for (; t <= range.end; t += step) {
        if (!PeriodStartsOn(t, timeType)) continue;
        if (counter++ % interval != 0) continue;
        axis.rowOfPeriod.emplace(ComparisonPeriodKey(t, timeType), axis.rowLabels.GetSize());
        axis.rowLabels.Add(RowLabel(t, timeType));
    }
    return axis;
}

CYearComparison CompareYears(CTableQuery& query) {
    const CQueryRequest request = query.m_request;
    CYearComparison result;
    for (DWORD y : request.years)
        result.years.push_back(int(y));
    const COleDateTime from = CQueryItem::ParseTime(request.startTime);
    const COleDateTime to = CQueryItem::ParseTime(request.endTime);
    const int type = request.analysisType >= 3 && request.analysisType <= 6 ? request.analysisType : 3;
    const CComparisonAxis axis = ComparisonAxis(from, to, type, request.analysisInterval);
    result.periods = axis.rowLabels;
    result.values.assign(std::size_t(axis.rowLabels.GetSize()),
                         std::vector<std::optional<double>>(result.years.size()));
    if (request.keys.IsEmpty() || result.years.empty() || axis.rowLabels.IsEmpty()) return result;

    CAnalysisContext context;
    for (std::size_t j = 0; j < result.years.size(); ++j) {
        const int year = result.years[j];
        query.m_request = request;
        query.m_request.form = kFormGivenStations;
        query.m_request.keys.RemoveAll();
        query.m_request.keys.Add(request.keys[0]);
        query.m_request.years.RemoveAll();
        query.m_request.years.Add(DWORD(year));
        if (query.RunQuery() != 1) continue;

        const CYearRange range = CQueryComposition::YearRange(from, to, year);
        context.Reset();
        context.SetRows(&query.Records());
        context.SetColumns(&query.Settings().Columns());
        context.SetQueryEngine(&query);
        context.SetRange(range.start, range.end);
        context.SetTimeType(type);
        context.SetInterval(request.analysisInterval);
        context.CollectRoles();
        context.Compute();

        const std::vector<int>& columns = context.RoleColumns(RoleOfKind(request.valueKind));
        if (columns.empty()) continue;
        const int column = columns.front();
        if (result.valueHeading.IsEmpty()) {
            const CColumnList& list = query.Settings().Columns();
            result.valueHeading = list[column].colnamech;
            CDirectiveSet d(&list);
            d.ParseColumn(list[column]);
            result.decimals = d.Decimals().value_or(2);
        }
        for (const CAnalysisRecord& record : context.Records()) {
            // The key holds year, month, day and hour: the same period in the reference year.
            const long long key = context.PeriodKeys()[std::size_t(record.period)];
            const long long shifted = key + (axis.referenceYear - year) * 1000000LL;
            auto row = axis.rowOfPeriod.find(shifted);
            if (row == axis.rowOfPeriod.end()) continue; // outside the matrix
            result.values[std::size_t(row->second)][j] = record.values[std::size_t(column)];
        }
    }
    query.m_request = request;
    return result;
}

CString ComparisonCellText(const std::optional<double>& value, int decimals) {
    if (!value) return {};
    // As "%.*f" writes it, without printf's machinery: a ten-year comparison has 87,600 cells.
    // The largest double has 309 digits before the point.
    char buf[352];
    const auto [end, ec] =
        std::to_chars(buf, buf + sizeof buf, *value, std::chars_format::fixed, std::clamp(decimals, 0, 10));
    assert(ec == std::errc());
    return CString(std::string_view(buf, std::size_t(end - buf)));
}

void FillYearComparison(const CYearComparison& comparison, CGridIterator& grid, const CRowColours& colours) {
    const long rows = comparison.periods.GetSize();
    const long columns = long(comparison.years.size()) + 2;
    grid.SetDisplayMode(CGridIterator::DISPLAY_SPARSE);
    grid.SetMatrixSize(rows + 1, columns);
    grid.AddSparseCell({0, 0, "  "});
    grid.AddSparseCell({0, 1, "时间"});
    CString text;
    for (std::size_t j = 0; j < comparison.years.size(); ++j) {
        text.Format("%d年", comparison.years[j]);
        grid.AddSparseCell({0, long(j) + 2, text});
    }
    for (long r = 0; r < rows; ++r) {
        text.Format("%d", r + 1);
        grid.AddSparseCell({r + 1, 0, text});
        grid.AddSparseCell({r + 1, 1, comparison.periods[int(r)]});
        for (std::size_t j = 0; j < comparison.years.size(); ++j)
            if (const auto& value = comparison.values[std::size_t(r)][j])
                grid.AddSparseCell({r + 1, long(j) + 2, ComparisonCellText(value, comparison.decimals)});
    }
    grid.CloseMatrix();
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    if (colours.alternate) grid.SetRowStripes(1, rows, 0, colours.first, colours.second);
}
