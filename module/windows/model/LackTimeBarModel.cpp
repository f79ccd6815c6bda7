#include "LackTimeBarModel.h"

#include "QueryItem.h"
#include "RequestPeriod.h"
#include "TableQuery.h"
#include "TimePrecision.h"

#include <algorithm>

namespace {

bool ReadPeriodEnd(const CString& text, COleDateTime& time) {
    return CQueryItem::ReadTime(text, time) > 0 && time.IsValid();
}

} // namespace

CStringArray LackUnitCaptions() {
    return {"秒", "分", "时", "天"};
}

CStringArray LackIntervalTexts(int unit) {
    static constexpr const char* kFormats[kLackUnitCount] = {"%d秒", "%d分", "%d时", "%d天"};
    CStringArray texts;
    if (unit < 0 || unit >= kLackUnitCount) return texts;
    const int last = unit == kLackDays ? 31 : 60;
    for (int i = 1; i <= last; ++i) {
        CString text;
        text.Format(kFormats[unit], i);
        texts.Add(text);
    }
    return texts;
}

CLackTimeRequest LackTimeRequestFor(const CQuerySettings& request, const CString& table) {
    CLackTimeRequest lack;
    lack.stations = request.m_stations;
    lack.startTime = request.m_startTimeText;
    lack.endTime = request.m_endTimeText;
    lack.extraText = table;
    lack.extraText.Trim().MakeUpper();
    lack.intervalUnit = request.m_timeTypeIndex;
    lack.intervalCount = request.m_timeInterval;
    return lack;
}

int CLackTimeBarModel::Attach() {
    const int code = CQueryBarModel::Attach();
    CQuerySettings& request = Request();
    if (request.m_timeTypeIndex < 0 || request.m_timeTypeIndex >= kLackUnitCount)
        request.m_timeTypeIndex = kLackSeconds;
    request.m_timeInterval =
        std::clamp(request.m_timeInterval, 1, LackIntervalTexts(request.m_timeTypeIndex).GetSize());
    return code;
}

void CLackTimeBarModel::SelectUnit(int unit) {
    if (unit < 0 || unit >= kLackUnitCount) return;
    Request().m_timeTypeIndex = unit;
    Request().m_timeInterval = 1;
}

CTimeRange CLackTimeBarModel::InitialTimes() const {
    CTimeRange range;
    range.precision = TIME_PRECISION_HOUR;
    if (ReadPeriodEnd(Request().m_startTimeText, range.start) &&
        ReadPeriodEnd(Request().m_endTimeText, range.end))
        return range;
    range.end = COleDateTime::GetCurrentTime() + COleDateTimeSpan(0, 1, 0, 0);
    range.start = range.end - COleDateTimeSpan(3, 0, 0, 0);
    return range;
}

ERefreshOutcome CLackTimeBarModel::Refresh(const CRefreshInput& input) {
    if (const ERefreshOutcome stations = WriteStations(input.selectedItems); stations != ERefreshOutcome::Go)
        return stations;
    if (HasTimeBlock()) {
        if (input.end < input.start) return ERefreshOutcome::BadTimeRange;
        // Gaps are counted between the times as chosen, to the second.
        WriteRequestPeriod(Request(), Engine(), input.start, input.end);
    }
    Engine().m_request.totals = HasTotals();
    return ERefreshOutcome::Go;
}
