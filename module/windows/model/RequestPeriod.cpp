#include "RequestPeriod.h"

#include "DirectiveSet.h"
#include "QueryComposition.h"
#include "QueryItem.h"
#include "QuerySettings.h"
#include "TableQuery.h"
#include "TimePrecision.h"

namespace {

constexpr const char* kTimeFormat = "%Y-%m-%d %H:%M:%S";

COleDateTime AtHour(const COleDateTime& t, int hour) {
    return COleDateTime(t.GetYear(), t.GetMonth(), t.GetDay(), hour, 0, 0);
}

} // namespace

CTableTimeRules TableTimeRules(const CQueryTableSettings& settings) {
    CTableTimeRules rules;
    const CColumnList& columns = settings.Columns();
    CDirectiveSet directives(&columns);
    if (directives.FindColumnWith("SHOWTIME") > 0) rules.showTime = directives.ShowTime();
    for (int c = 1; c < columns.GetSize(); ++c) {
        if (!columns.GetAt(c)) continue;
        directives.ParseColumn(columns[c]);
        if (rules.fieldTime.IsEmpty() && directives.IsPkTime()) rules.fieldTime = directives.FieldTime();
        if (!rules.hasTotals && directives.HasFirstArgument("TOTAL", "TABLE")) {
            rules.hasTotals = true;
            rules.types = ConfiguredTimeTypes(directives.TotalTables());
        }
    }
    const CKeyColumns keys = CQueryComposition::FindKeyColumns(columns, settings.VisibleCount());
    rules.changeTime = keys.changeIndex >= 0;
    rules.changeLabel = keys.changeLabel;
    return rules;
}

int TableTimeType(const CTableTimeRules& rules) {
    if (rules.hasTotals && !rules.types.empty()) {
        const int first = rules.types.front();
        if (first >= kTypeHour && first <= kTypeMonth) return first;
    }
    for (int code = kTypeHour; code <= kTypeMonth; ++code)
        if (!rules.fieldTime.IsEmpty() && rules.fieldTime == PeriodWordOfType(code)) return code;
    return kTypeHour;
}

CRequestPeriod RequestPeriod(const CTableTimeRules& rules, int typeCode, bool hourlyShift, COleDateTime start,
                             COleDateTime end) {
    // Hourly rainfall is stored at the end of its hour.
    if (hourlyShift) {
        start += COleDateTimeSpan(0, 1, 0, 0);
        end += COleDateTimeSpan(0, 1, 0, 0);
    }
    if (typeCode >= kTypeDay) {
        start = AtHour(start, 0);
        end = AtHour(end, 8);
    }
    if (rules.changeTime && rules.hasTotals) {
        const bool shift = typeCode == kTypeHour ? rules.changeLabel == "时"
                                                 : typeCode >= kTypeDay && typeCode <= kTypeMonth;
        if (shift) {
            CQueryItem::ShiftTime(start, PeriodWordOfType(typeCode), 1);
            CQueryItem::ShiftTime(end, PeriodWordOfType(typeCode), 1);
        }
    }
    return {start, end};
}

void RequestForDates(CTableQuery& query, const CString& from, const CString& to) {
    const CTableTimeRules rules = TableTimeRules(query.Settings());
    const int type = TableTimeType(rules);
    query.SetTimeTypeWord(PeriodWordOfType(type));
    CQueryRequest& request = query.m_request;
    request.totals = rules.hasTotals;
    request.hourlyShift = false;
    if (from.IsEmpty() && to.IsEmpty()) return;

    // The controls keep the precision of the SHOWTIME word, minutes without one.
    const int precision = ShowTimePrecision(rules.showTime).value_or(TIME_PRECISION_MINUTE);
    auto shown = [&](const CString& text) {
        return CutTimeToPrecision(CQueryItem::ParseTime(text), precision);
    };
    const COleDateTime start = shown(from.IsEmpty() ? to : from);
    const COleDateTime end = shown(to.IsEmpty() ? from : to);
    const CRequestPeriod period = RequestPeriod(rules, type, false, start, end);
    request.startTime = from.IsEmpty() ? CString() : period.start.Format(kTimeFormat);
    request.endTime = to.IsEmpty() ? CString() : period.end.Format(kTimeFormat);
}

void WriteRequestPeriod(CQuerySettings& request, CTableQuery& engine, const COleDateTime& start,
                        const COleDateTime& end) {
    request.m_startTime = start;
    request.m_endTime = end;
    request.m_startTimeText = start.Format(kTimeFormat);
    request.m_endTimeText = end.Format(kTimeFormat);
    engine.m_request.startTime = request.m_startTimeText;
    engine.m_request.endTime = request.m_endTimeText;
}
