#include "DemoSeries.h"

#include <algorithm>
#include <cmath>

namespace demo {
namespace {

constexpr double kPi = 3.14159265358979323846;

// 2025 was a dry year, 2026 a wet one: the analysis view has something to compare.
double YearFactor(int day) {
    switch (YearOf(day)) {
    case 2025:
        return 0.8;
    case 2026:
        return 1.15;
    default:
        return 1.0;
    }
}

// The rain of a basin's day; stations of a basin get wet together.
double BasinRain(int basin, int day) {
    double season = Season(day);
    double chance = 0.12 + 0.38 * season;
    // The summer drought of 2025: five weeks with hardly a shower.
    if (day >= DayIndex(2025, 7, 20) && day <= DayIndex(2025, 8, 25)) chance *= 0.15;
    if (Uniform(unsigned(basin), unsigned(day), 1) >= chance) return 0;
    double heavy = -std::log(Uniform(unsigned(basin), unsigned(day), 2) + 1e-9);
    return heavy * (3 + 24 * season) * YearFactor(day);
}

// Operating curve of a reservoir by day of the year: full through the winter, drawn down in
// spring to make room, held at the flood limit from mid-June to early September, refilled in
// autumn.
double OperatingLevel(const DemoReservoir& r, int dayOfYear) {
    const double full = r.normalLevel, limit = r.floodLimit;
    const double low = limit - 0.3 * (limit - r.deadLevel); // the drawdown before the floods
    const double curve[][2] = {{1, full},
                               {60, full - 0.15 * (full - low)},
                               {130, full - 0.55 * (full - low)},
                               {155, low},
                               {165, limit},
                               {250, limit},
                               {285, limit + 0.7 * (full - limit)},
                               {305, full},
                               {367, full}};
    for (std::size_t i = 1; i < std::size(curve); ++i)
        if (dayOfYear <= curve[i][0]) {
            double t = (dayOfYear - curve[i - 1][0]) / (curve[i][0] - curve[i - 1][0]);
            return curve[i - 1][1] + t * (curve[i][1] - curve[i - 1][1]);
        }
    return full;
}

double Round(double v, double unit) {
    return std::round(v / unit) * unit;
}

} // namespace

double Season(int day) {
    return 0.5 - 0.5 * std::cos(2 * kPi * (DayOfYear(day) - 15) / 365.25);
}

StationSeries MakeSeries(const DemoStation& station) {
    const int n = DemoDayCount();
    StationSeries s;
    s.rain.resize(std::size_t(n));
    s.inflow.resize(std::size_t(n));
    s.flow.resize(std::size_t(n));
    // Copies of a named station (scale > 1) rain a little differently but keep its river.
    const unsigned key = unsigned(station.id);
    double runoff = 0;
    for (int d = 0; d < n; ++d) {
        double rain = BasinRain(station.basin, d) * (0.6 + 0.8 * Uniform(key, unsigned(d), 3));
        if (rain > 0 && rain < 0.5) rain = 0.5;
        s.rain[std::size_t(d)] = Round(rain, 0.5);
        runoff = 0.82 * runoff + rain;
        double base = station.baseFlow * (0.32 + 0.9 * Season(d)) * YearFactor(d);
        double wave = 1 + 0.05 * std::sin(2 * kPi * d / 9.7 + key % 7);
        s.inflow[std::size_t(d)] = base * wave + station.baseFlow * 0.010 * runoff;
    }
    if (station.kind == StationKind::River) {
        s.flow = s.inflow;
        return s;
    }
    const DemoReservoir& r = DemoReservoirs()[std::size_t(station.reservoir)];
    s.level.resize(std::size_t(n));
    double surplus = 0;
    for (int d = 0; d < n; ++d) {
        // A flood is held back above the flood limit and let out over the following weeks.
        double excess = s.inflow[std::size_t(d)] / station.baseFlow - 1.5;
        surplus = std::min(0.9 * surplus + std::max(0.0, excess) * 0.015 * (r.normalLevel - r.deadLevel),
                           0.5 * (r.normalLevel - r.floodLimit) + 0.5);
        double level = OperatingLevel(r, DayOfYear(d)) + surplus;
        s.level[std::size_t(d)] = std::min(level, r.normalLevel + 2);
    }
    for (int d = 0; d < n; ++d) {
        int a = d + 1 < n ? d : d - 1;
        double stored =
            (StorageAt(r, s.level[std::size_t(a + 1)]) - StorageAt(r, s.level[std::size_t(a)])) * 1e8;
        s.flow[std::size_t(d)] = std::max(0.25 * station.baseFlow, s.inflow[std::size_t(d)] - stored / 86400);
    }
    return s;
}

double HourlyFlow(const DemoStation& station, const StationSeries& s, int day, int hour) {
    int next = std::min(day + 1, int(s.flow.size()) - 1);
    double q =
        s.flow[std::size_t(day)] + (s.flow[std::size_t(next)] - s.flow[std::size_t(day)]) * hour / 24.0;
    // Power stations upstream follow the daily load: more water by day than by night.
    double peaking = station.kind == StationKind::Reservoir ? 0.18 : 0.04;
    return q * (1 + peaking * std::sin(2 * kPi * (hour - 11) / 24.0));
}

double HourlyLevel(const DemoStation& station, const StationSeries& s, int day, int hour) {
    if (station.kind == StationKind::Reservoir) {
        int next = std::min(day + 1, int(s.level.size()) - 1);
        double h = (hour - 8 + 24) % 24 / 24.0; // levels are read at 08:00
        return s.level[std::size_t(day)] + (s.level[std::size_t(next)] - s.level[std::size_t(day)]) * h;
    }
    double q = HourlyFlow(station, s, day, hour);
    return station.z0 + station.zScale * std::pow(std::max(q, 1.0) / station.baseFlow, 0.6);
}

namespace {

template <typename Value> DayFigures Figures(Value value) {
    DayFigures f;
    f.max = -1e300;
    f.min = 1e300;
    double sum = 0;
    for (int h = 0; h < 24; ++h) {
        int hour = (8 + h) % 24; // the hydrological day runs from 08:00 to 08:00
        double v = value(hour);
        sum += v;
        if (v > f.max) f.max = v, f.maxHour = hour;
        if (v < f.min) f.min = v, f.minHour = hour;
    }
    f.inst = value(8);
    f.mean = sum / 24;
    return f;
}

} // namespace

DayFigures DailyLevel(const DemoStation& station, const StationSeries& s, int day) {
    return Figures([&](int hour) { return HourlyLevel(station, s, day, hour); });
}

DayFigures DailyFlow(const DemoStation& station, const StationSeries& s, int day) {
    return Figures([&](int hour) { return HourlyFlow(station, s, day, hour); });
}

} // namespace demo
