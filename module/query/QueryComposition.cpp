#include "QueryComposition.h"

#include "OleDateTime.h"
#include "QueryItem.h"
#include "SqlText.h"

#include <chrono>

namespace {

CString TrimmedUpper(CString s) {
    return s.Trim().MakeUpper();
}

constexpr const char* kYearTimeFormat = "%Y-%m-%d %H:%M:%S";

// The month, day and time of t in another year. A day past the month's end (29 February of a
// common year) becomes the month's last day instead of an unreadable time.
COleDateTime YearTime(int year, const COleDateTime& t) {
    using namespace std::chrono;
    int day = t.GetDay();
    unsigned monthEnd = unsigned(
        year_month_day_last{std::chrono::year{year}, month_day_last{month{unsigned(t.GetMonth())}}}.day());
    if (unsigned(day) > monthEnd) day = int(monthEnd);
    return COleDateTime(year, t.GetMonth(), day, t.GetHour(), t.GetMinute(), t.GetSecond());
}

long long MonthDayTime(const COleDateTime& t) {
    return ((((t.GetMonth() * 100LL + t.GetDay()) * 100 + t.GetHour()) * 100 + t.GetMinute()) * 100) +
           t.GetSecond();
}

} // namespace

CString CQueryComposition::SelectPart(const CColumnList& columns, const CString& physicalTable) {
    m_timePositions.RemoveAll();
    if (columns.GetSize() < 2) return {};
    CString list;
    for (int i = 1; i < columns.GetSize(); ++i) {
        if (i > 1) list += ",";
        list += columns[i].colname;
        if (columns[i].valueClass == kValueTime) m_timePositions.Add(DWORD(i - 1));
    }
    CString table = TrimmedUpper(physicalTable);
    if (table.Find("KES.") < 0) table = "KES." + table;
    CString select = "select " + list + " from " + table;
    return TrimmedUpper(select);
}

CKeyColumns CQueryComposition::FindKeyColumns(const CColumnList& columns, int visibleCount) {
    CKeyColumns keys;
    CDirectiveSet d(&columns);
    int last = std::min(visibleCount, columns.GetSize() - 1);
    for (int i = 1; i <= last; ++i) {
        const CQueryColumn& c = columns[i];
        d.ParseColumn(c);
        bool isId = d.IsPkId(), isTime = d.IsPkTime();
        if (isId && keys.idIndex < 0) {
            keys.idIndex = i;
            keys.idName = c.colname;
            keys.idClass = c.valueClass;
        }
        if (d.HasPk() && !isId && !isTime) keys.furtherKeySuffix.AppendFormat(",%s", c.colname);
        if (isTime) {
            keys.timeIndex = i;
            keys.timeName = c.colname;
        }
        CString label;
        int count = 0;
        if (d.ChangeTime(label, count)) {
            keys.changeIndex = i;
            keys.changeLabel = label;
            keys.changeCount = count;
            keys.changeClass = c.valueClass;
        }
    }
    return keys;
}

CString CQueryComposition::IdCondition(const CKeyColumns& keys, const CStringArray& values) {
    if (keys.idIndex < 0 || values.IsEmpty()) return {};
    if (keys.idClass == kValueNumber) {
        // A key that is not a number cannot match a number column; it is left out rather than
        // written bare into the statement.
        CString list;
        for (CString v : values) {
            v.Trim();
            if (!IsSqlNumber(v)) continue;
            if (!list.IsEmpty()) list += ",";
            list += v;
        }
        if (list.IsEmpty()) list = "NULL";
        return keys.idName + " IN(" + list + ") ";
    }
    if (keys.idClass == kValueText) {
        CString pieces;
        for (const CString& v : values) {
            if (!pieces.IsEmpty()) pieces += " OR ";
            CString piece;
            piece.Format("%s LIKE '%%%s%%' ", keys.idName, EscapeInLiteral(v));
            pieces += piece;
        }
        return " (" + pieces + ") ";
    }
    return {};
}

CString CQueryComposition::TimeCondition(const CString& timeColumn, const CString& start,
                                         const CString& end) {
    if (timeColumn.IsEmpty() || start.IsEmpty() || end.IsEmpty()) return {};
    CString c;
    c.Format(" (%s>={ts '%s'} AND %s<={ts '%s'}) ", timeColumn, EscapeInLiteral(start), timeColumn,
             EscapeInLiteral(end));
    return c;
}

CYearRange CQueryComposition::YearRange(const COleDateTime& from, const COleDateTime& to, int year) {
    // A whole year (the end one year after the start, same month, day and time) ends in the next
    // year too, rather than shrinking to one instant.
    const bool endsNextYear =
        MonthDayTime(to) < MonthDayTime(from) || (MonthDayTime(to) == MonthDayTime(from) && to > from);
    return {YearTime(year, from), YearTime(endsNextYear ? year + 1 : year, to)};
}

CString CQueryComposition::MultiYearCondition(const CString& timeColumn, const CString& start,
                                              const CString& end, const CDWordArray& years) {
    if (years.IsEmpty() || timeColumn.IsEmpty()) return {};
    COleDateTime from = CQueryItem::ParseTime(start), to = CQueryItem::ParseTime(end);
    if (!from.IsValid() || !to.IsValid()) return {};
    CString joined;
    for (int i = 0; i < years.GetSize(); ++i) {
        const CYearRange year = YearRange(from, to, int(years[i]));
        CString range =
            TimeCondition(timeColumn, year.start.Format(kYearTimeFormat), year.end.Format(kYearTimeFormat));
        if (i == 0)
            joined = range;
        else
            joined += " OR " + range + " ";
    }
    return "  (" + joined + ")  ";
}

CString CQueryComposition::FixedConditions(const CColumnList& columns) {
    CDirectiveSet d(&columns);
    CString joined;
    for (int i = 1; i < columns.GetSize(); ++i) {
        d.ParseColumn(columns[i]);
        if (!d.Has("CHECK")) continue;
        if (!joined.IsEmpty()) joined += " AND ";
        joined += d.CheckText();
    }
    return joined.IsEmpty() ? CString() : " (" + joined + ") ";
}

CString CQueryComposition::OrderClause(const CKeyColumns& keys) {
    CString order;
    bool hasId = keys.idIndex >= 0, hasTime = keys.timeIndex >= 0;
    if (hasId && hasTime)
        order.Format(" ORDER BY %s ASC %s ,%s ASC", keys.idName, keys.furtherKeySuffix, keys.timeName);
    else if (hasId)
        order.Format(" ORDER BY %s ASC %s ", keys.idName, keys.furtherKeySuffix);
    else if (hasTime)
        order.Format(" ORDER BY %s ASC", keys.timeName);
    return order;
}

CString CQueryComposition::Clause(const CQueryRequest& request, const CKeyColumns& keys,
                                  const CString& idCondition, const CString& timeCondition,
                                  const CString& fixedConditions) {
    CString order = OrderClause(keys);
    if (request.form == kFormAllStations) {
        bool hasFilter = !request.filter.IsEmpty(), hasFixed = !fixedConditions.IsEmpty();
        if (hasFilter && hasFixed)
            return " WHERE " + fixedConditions + " AND " + request.filter + " " + order;
        if (hasFilter) return " WHERE " + request.filter + " " + order;
        if (hasFixed) return " WHERE " + fixedConditions + " " + order;
        return order;
    }
    // The time range first, then the stations: the order of the system's own statements.
    CStringArray pieces;
    for (const CString& p : {timeCondition, idCondition, request.filter, fixedConditions})
        if (!p.IsEmpty()) pieces.Add(p);
    if (request.tableIdOption) {
        CString tab;
        tab.Format(" TABID=%d ", request.tableId);
        pieces.Add(tab);
    }
    CString clause;
    for (int i = 0; i < pieces.GetSize(); ++i)
        clause += (i == 0 ? " WHERE " : " AND ") + pieces[i];
    return clause + order;
}

CString CQueryComposition::Statements(const CColumnList& columns, int visibleCount,
                                      const CString& physicalTable, const CQueryRequest& request) {
    if (request.form == kFormNone) return {};
    CString select = SelectPart(columns, physicalTable);
    if (select.IsEmpty() || visibleCount < 1) return {};
    CKeyColumns keys = FindKeyColumns(columns, visibleCount);
    CString time = request.analysis
                       ? MultiYearCondition(keys.timeName, request.startTime, request.endTime, request.years)
                       : TimeCondition(keys.timeName, request.startTime, request.endTime);
    CString fixed = FixedConditions(columns);

    if (request.stationInput)
        return select + Clause(request, keys, request.typedStationCondition, time, fixed) + ";";
    if (request.form == kFormAllStations) return select + Clause(request, keys, {}, time, fixed);

    CString text;
    const CStringArray& all = request.keys;
    for (int first = 0; first < all.GetSize(); first += kKeysPerStatement) {
        CStringArray batch;
        for (int i = first; i < all.GetSize() && i < first + kKeysPerStatement; ++i)
            batch.Add(all[i]);
        text += select + Clause(request, keys, IdCondition(keys, batch), time, fixed) + ";";
    }
    if (all.IsEmpty() && keys.timeIndex >= 0 && keys.idIndex < 0)
        text = select + Clause(request, keys, {}, time, fixed) + ";";
    return text;
}
