#pragma once
// The hydrology behind the demo data: daily rainfall by basin with wet and dry spells, river
// flows that follow the flood season (June to September) and the rain of the days before,
// stage from flow through a rating curve, and reservoir levels that follow an operating curve
// (drawn down before the flood season, kept at the flood limit through it, refilled in autumn).
// Every value comes from the station, the day and sine seasons through keyed pseudo-random
// numbers: no noise, no clock, the same numbers on every run.
#include "DemoStations.h"

#include <vector>

namespace demo {

constexpr double kMissing = -999;

struct StationSeries {
    std::vector<double> rain;   // mm per day (08:00 to 08:00)
    std::vector<double> inflow; // daily mean inflow, m³/s (a river station: its flow)
    std::vector<double> flow;   // daily mean flow past the station (a reservoir: outflow)
    std::vector<double> level;  // a reservoir: its level at 08:00 of the day, m
};

// 0 in the dry season, 1 at the height of the flood season (mid-July).
double Season(int day);
StationSeries MakeSeries(const DemoStation& station);

double HourlyFlow(const DemoStation& station, const StationSeries& series, int day, int hour);
double HourlyLevel(const DemoStation& station, const StationSeries& series, int day, int hour);

// The level and flow of a day: instantaneous at 08:00, mean, maximum and minimum with their
// hours.
struct DayFigures {
    double inst = 0, mean = 0, max = 0, min = 0;
    int maxHour = 0, minHour = 0;
};
DayFigures DailyLevel(const DemoStation& station, const StationSeries& series, int day);
DayFigures DailyFlow(const DemoStation& station, const StationSeries& series, int day);

} // namespace demo
