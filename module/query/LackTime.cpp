#include "LackTime.h"

#include "DataService.h"
#include "QueryItem.h"

#include <cmath>

namespace {

long long UnitSeconds(int unit) {
    switch (unit) {
    case kLackSeconds:
        return 1;
    case kLackMinutes:
        return 60;
    case kLackHours:
        return 3600;
    case kLackDays:
        return 86400;
    default:
        return 1;
    }
}

// Whole seconds between two times, rounded half up.
long long SecondsBetween(const COleDateTime& earlier, const COleDateTime& later) {
    return static_cast<long long>((later - earlier).GetTotalDays() * 86400.0 + 0.5);
}

// Releases what the service put into the array, whatever happens to the caller.
struct ServiceRecords {
    CObArray array;
    ~ServiceRecords() { DestroyOb(&array); }
};

} // namespace

CString LackLengthText(double days) {
    COleDateTimeSpan span(days);
    CString text;
    if (span.GetDays() > 0)
        text.Format("%2d天%2d时%2d分%2d秒", span.GetDays(), span.GetHours(), span.GetMinutes(),
                    span.GetSeconds());
    else if (span.GetHours() > 0)
        text.Format("%2d时%2d分%2d秒", span.GetHours(), span.GetMinutes(), span.GetSeconds());
    else if (span.GetMinutes() > 0)
        text.Format("%2d分%2d秒", span.GetMinutes(), span.GetSeconds());
    else if (span.GetSeconds() > 0)
        text.Format("%2d秒", span.GetSeconds());
    return text;
}

std::vector<CStringArray> LackTimeRows(const CLackTimeRequest& request) {
    std::vector<CStringArray> rows;
    const COleDateTime start = CQueryItem::ParseTime(request.startTime);
    const COleDateTime end = CQueryItem::ParseTime(request.endTime);
    const long long limit = static_cast<long long>(request.intervalCount) * UnitSeconds(request.intervalUnit);

    for (const CString& station : request.stations) {
        CParam param;
        param.AddID(TextToInt(station.str()));
        param.SetTime(start, 'B');
        param.SetTime(end, 'E');
        param.SetExStr(request.extraText);
        ServiceRecords records;
        if (OutRT(&param, &records.array) < 0) continue;

        CString id;
        id.Format("%d", TextToInt(station.str()));
        if (records.array.IsEmpty()) {
            rows.push_back(CStringArray{id, "***缺数***", "***无数据***"});
            continue;
        }
        auto gap = [&](const COleDateTime& from, const COleDateTime& to) {
            if (SecondsBetween(from, to) <= limit) return;
            CString range;
            range.Format("%s 至 %s", from.Format("%Y-%m-%d %H:%M:%S"), to.Format("%Y-%m-%d %H:%M:%S"));
            rows.push_back(CStringArray{id, range, LackLengthText((to - from).GetTotalDays())});
        };
        COleDateTime previous = start;
        for (const auto& obj : records.array) {
            const auto* record = dynamic_cast<const CRTRecord*>(obj.get());
            if (!record) continue;
            gap(previous, record->m_time);
            previous = record->m_time;
        }
        gap(previous, end);
    }
    return rows;
}

void FillLackTimeGrid(CGridIterator& grid, const std::vector<CStringArray>& rows,
                      const CRowColours& colours) {
    grid.SetColumnCount(4);
    grid.SetRowCount(long(rows.size()) + 1);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    const char* headings[4] = {"  ", "站号", "缺数时间范围", "缺数时间统计"};
    for (long c = 0; c < 4; ++c) {
        CGridCellPro pro;
        pro.m_strText = headings[c];
        pro.m_nAlign = GRID_ALIGN_LEFT;
        if (c == 0)
            grid.SetItemText(0, 0, headings[0]);
        else
            grid.SetColumnHeader(c, pro);
    }
    CString number;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        long row = long(r) + 1;
        number.Format("%d", row);
        grid.SetItemText(row, 0, number);
        grid.SetRowTexts(row, 1, rows[r]);
    }
    if (colours.alternate) grid.SetRowStripes(1, long(rows.size()), 0, colours.first, colours.second);
}
