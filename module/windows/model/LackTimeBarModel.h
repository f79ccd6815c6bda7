#pragma once
// What the missing-data bar decides beyond what it shares with the station-and-time bar (the
// selection groups, the cascade, direct entry, the station checks): its time units 秒 分 时 天
// with their interval lists, the period it shows first, and its refresh, which writes the
// stations, the period to the second, the unit and the interval into the request. The
// engine's missing-data request is made from that request by one function, which the query
// window and `vexorquery query --lack` both call.
#include "LackTime.h"
#include "QueryBarModel.h"

inline constexpr int kLackUnitCount = 4;

// Captions of the unit buttons: "秒" "分" "时" "天" (the unit codes 0 to 3 of the statistics).
CStringArray LackUnitCaptions();
// Entries of a unit's interval list: "%d秒", "%d分" and "%d时" for 1 to 60, "%d天" for 1 to 31.
CStringArray LackIntervalTexts(int unit);

// The missing-data statistics' request for the stations, the period, the unit (the request's
// time type index) and the interval that a bar wrote into request, on the event table.
CLackTimeRequest LackTimeRequestFor(const CQuerySettings& request, const CString& table);

class CLackTimeBarModel : public CQueryBarModel {
public:
    using CQueryBarModel::CQueryBarModel;

    // Loads the groups as the station-and-time bar does. The unit and the interval are those
    // of the request, brought into the lists, so the bar shows what a refresh asks for.
    int Attach() override;

    int Unit() const { return Request().m_timeTypeIndex; }
    int IntervalIndex() const { return Request().m_timeInterval - 1; }
    // A unit button was clicked: that unit, interval 1. The interval list is then
    // LackIntervalTexts(Unit()) with entry 0 selected.
    void SelectUnit(int unit);
    // What the time controls show first: the request's period, or without one the three days
    // up to an hour from now.
    CTimeRange InitialTimes() const;

    ERefreshOutcome Refresh(const CRefreshInput& input) override;
};
