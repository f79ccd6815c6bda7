#pragma once
// What the analysis query bar adds to the shared station model: the years to compare (read
// from the span of the day table), the time type of the data, the value kind, and the period
// a refresh asks for. Stations, the start flag and direct entry are the shared model's.
#include "QueryBarModel.h"

#include <vector>

inline constexpr const char* kYearSpanStatement = "SELECT MAX(TIME),MIN(TIME) FROM KES.DAYDB ";

enum EValueKind { kValueInstant = 0, kValueAverage = 1, kValueMaximum = 2, kValueMinimum = 3 };
inline constexpr int kAnalysisTypeButtons = 4; // 时 日 旬 月
inline constexpr int kValueKindButtons = 4;    // 瞬间值 平均值 最大值 最小值

// The controls as the window reads them for a refresh: the station (one item: the drop-down),
// the times, and the years.
struct CAnalyRefreshInput : CRefreshInput {
    CStringArray selectedYears; // the texts of the selected years, in list order
};

// The years from the latest to the earliest time of the day table; none when it cannot be read.
CStringArray AnalysisYears(CQueryClient& client);

// The period sent for the times the controls hold: an end equal to the start becomes one year
// later; the hour type with hourly rainfall moves both one hour later; day and coarser read from
// 00:00 of the first date to 08:00 of the last, months from the first of their month.
struct CAnalysisPeriod {
    COleDateTime start;
    COleDateTime end;
};
CAnalysisPeriod AnalysisPeriod(int typeCode, bool hourlyRainfall, COleDateTime start, COleDateTime end);

class CAnalyBarModel {
public:
    CAnalyBarModel(CQueryBarModel& stations, CTableQuery& engine, CQuerySettings& request,
                   const CQueryOptions& options);

    int TimeType() const { return kTypeHour + m_typeButton; }
    int TypeButton() const { return m_typeButton; }
    // A type button: type 3 + button, interval 1; the controls follow the type.
    CTimeRange SelectTimeType(int button, const COleDateTime& start, const COleDateTime& end);
    void SelectValueKind(int kind);
    int ValueKind() const;
    void SelectInterval(int index);

    // Stop, NoStation or NoYear, each leaving the period of the request as it was; else Go.
    ERefreshOutcome Refresh(const CAnalyRefreshInput& input);

private:
    CQueryBarModel& m_stations;
    CTableQuery& m_engine;
    CQuerySettings& m_request;
    const CQueryOptions& m_options;
    int m_typeButton = 0;
};
