#include "AnalyBarModel.h"

#include "QueryClient.h"
#include "QueryItem.h"
#include "RequestPeriod.h"
#include "TableQuery.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>

namespace {

constexpr int kUnitMonth = 4;

COleDateTime OneYearLater(const COleDateTime& t) {
    using namespace std::chrono;
    const int year = t.GetYear() + 1;
    const unsigned last = unsigned(
        year_month_day_last{std::chrono::year{year}, month_day_last{month{unsigned(t.GetMonth())}}}.day());
    return COleDateTime(year, t.GetMonth(), std::min(t.GetDay(), int(last)), t.GetHour(), t.GetMinute(),
                        t.GetSecond());
}

} // namespace

CStringArray AnalysisYears(CQueryClient& client) {
    CStringArray years;
    if (client.Query(kYearSpanStatement) != 1 || client.GetRowCount() < 1) return years;
    const CStringArray row = client.m_rows[0];
    client.ClearRows();
    // An empty table answers one row of empty texts.
    if (row.GetSize() < 2 || row[0].IsEmpty() || row[1].IsEmpty()) return years;
    const COleDateTime latest = CQueryItem::ParseTime(row[0]), earliest = CQueryItem::ParseTime(row[1]);
    if (!latest.IsValid() || !earliest.IsValid()) return years;
    CString text;
    for (int y = latest.GetYear(); y >= earliest.GetYear(); --y) {
        text.Format("%d", y);
        years.Add(text);
    }
    return years;
}

CAnalysisPeriod AnalysisPeriod(int typeCode, bool hourlyRainfall, COleDateTime start, COleDateTime end) {
    if (end == start) end = OneYearLater(end);
    // Hourly rainfall is stored at the end of its hour; days read from 00:00 to 08:00.
    const CRequestPeriod period =
        RequestPeriod(CTableTimeRules{}, typeCode, typeCode == kTypeHour && hourlyRainfall, start, end);
    CAnalysisPeriod result{period.start, period.end};
    if (typeCode == kTypeMonth) {
        CQueryItem::StepTime(result.start, kUnitMonth, 0);
        CQueryItem::StepTime(result.end, kUnitMonth, 0);
    }
    return result;
}

CAnalyBarModel::CAnalyBarModel(CQueryBarModel& stations, CTableQuery& engine, CQuerySettings& request,
                               const CQueryOptions& options)
    : m_stations(stations), m_engine(engine), m_request(request), m_options(options) {
    m_engine.m_request.analysisType = kTypeHour;
    m_engine.m_request.analysisInterval = 1;
    m_engine.m_request.valueKind = kValueInstant;
}

CTimeRange CAnalyBarModel::SelectTimeType(int button, const COleDateTime& start, const COleDateTime& end) {
    if (button >= 0 && button < kAnalysisTypeButtons) m_typeButton = button;
    m_engine.m_request.analysisType = TimeType();
    m_engine.m_request.analysisInterval = 1;
    return AdaptTimeRange(TimeType(), start, end);
}

void CAnalyBarModel::SelectValueKind(int kind) {
    if (kind >= 0 && kind < kValueKindButtons) m_engine.m_request.valueKind = kind;
}

int CAnalyBarModel::ValueKind() const {
    return m_engine.m_request.valueKind;
}

void CAnalyBarModel::SelectInterval(int index) {
    if (index >= 0) m_engine.m_request.analysisInterval = index + 1;
}

ERefreshOutcome CAnalyBarModel::Refresh(const CAnalyRefreshInput& input) {
    if (const ERefreshOutcome stations = m_stations.WriteStations(input.selectedItems);
        stations != ERefreshOutcome::Go)
        return stations;
    if (input.selectedYears.IsEmpty()) return ERefreshOutcome::NoYear;

    CQueryRequest& request = m_engine.m_request;
    const CAnalysisPeriod period =
        AnalysisPeriod(TimeType(), m_options.m_hourlyRainfall == 1, input.start, input.end);
    WriteRequestPeriod(m_request, m_engine, period.start, period.end);
    m_request.m_timeTypeIndex = TimeType() - kTypeHour;
    request.totals = true;
    request.hourlyShift = TimeType() == kTypeHour && m_options.m_hourlyRainfall == 1;
    request.analysisType = TimeType();
    request.years.RemoveAll();
    for (int i = input.selectedYears.GetSize() - 1; i >= 0; --i)
        request.years.Add(DWORD(std::atoi(input.selectedYears[i].GetString())));
    return ERefreshOutcome::Go;
}
