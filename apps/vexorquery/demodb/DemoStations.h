#pragma once
// Who and when the demo data is about: the stations, reservoirs, measuring points and
// generating units, and the demo's fixed calendar. Nothing here reads the clock, so every
// build shows the same period.
#include <string>
#include <vector>

namespace demo {

// The demo period: the three calendar years ending with the last full month before 2026-12,
// that is 2024-01-01 to 2026-11-30. Days are counted from its first day.
constexpr int kFirstYear = 2024;
int DemoDayCount();     // 1065
int DayOfYear(int day); // 1..366
int YearOf(int day);
int MonthOf(int day);    // 1..12
int DayOfMonth(int day); // 1..31
int DaysInMonthOf(int day);
int DayIndex(int year, int month, int dayOfMonth);
// "%Y-%m-%d %H:%M:%S" of a day of the period and a time of that day.
std::string TimeText(int day, int hour = 0, int minute = 0, int second = 0);

enum class StationKind { River, Reservoir };

struct DemoStation {
    int id = 0;
    std::string name;  // "长江宜昌站"
    std::string river; // "长江"
    int basin = 0;     // BASIN.BSCD
    int centre = 0;    // CENTERSTA.CSID
    StationKind kind = StationKind::River;
    double baseFlow = 0;       // mean flow of an ordinary year, m³/s
    double z0 = 0, zScale = 0; // stage-discharge: Z = z0 + zScale * (Q/baseFlow)^0.6
    int reservoir = -1;        // index into DemoReservoirs() for a reservoir station
    int baseIndex = 0;         // index of the named station this one copies (scale > 1)
};

struct DemoReservoir {
    int stationId = 0;
    std::string name;
    double deadLevel = 0, floodLimit = 0, normalLevel = 0; // m
    double deadStorage = 0, normalStorage = 0;             // 亿m³
    double area = 0;                                       // km² at the normal level
};

// The twenty named stations, then for scale > 1 numbered copies of them (ids + k).
std::vector<DemoStation> DemoStations(int scale);
const std::vector<DemoReservoir>& DemoReservoirs();
// Storage (亿m³) and surface area (km²) of a reservoir at a level, from its curve.
double StorageAt(const DemoReservoir& r, double level);
double AreaAt(const DemoReservoir& r, double level);

// Measuring points of a named station: water level, flow and rainfall.
enum PointKind { kLevelPoint = 1, kFlowPoint = 2, kRainPoint = 3 };
int PointId(int stationIndex, PointKind kind); // 10000 + 10 x (index + 1) + kind

struct DemoUnit {
    int id = 0;       // point id, also the unit number of its plant's scheme
    std::string name; // "左岸3号机"
    int scheme = 0;   // 10010 roz, 10011 vu左岸
};
const std::vector<DemoUnit>& DemoUnits();

// Deterministic pseudo-random numbers keyed by what they are about (station, day, hour),
// so any value can be made without walking the ones before it.
double Uniform(unsigned long long a, unsigned long long b = 0, unsigned long long c = 0);

} // namespace demo
