#include "DemoStations.h"

#include <fmt/format.h>

#include <chrono>
#include <cmath>

namespace demo {
namespace {

using namespace std::chrono;

constexpr sys_days kFirstDay = sys_days{year{kFirstYear} / January / 1};
constexpr sys_days kLastDay = sys_days{year{2026} / November / 30};

year_month_day Civil(int day) {
    return year_month_day{kFirstDay + days{day}};
}

struct NamedStation {
    int id;
    const char* name;
    const char* river;
    int basin, centre;
    double baseFlow, z0, zScale;
    int reservoir;
};

// Basins: 1 长江上游 2 长江中游 3 清江 4 汉江 5 乌江 6 洞庭湖 7 鄱阳湖.
// Centres: 1 长江上游分中心 2 长江中游分中心 3 清江分中心 4 汉江分中心 5 乌江分中心.
constexpr NamedStation kNamed[] = {
    {60102200, "长江寸滩站", "长江", 1, 1, 11000, 158, 12, -1},
    {60105400, "长江宜昌站", "长江", 2, 2, 14000, 38, 8, -1},
    {60106980, "长江沙市站", "长江", 2, 2, 13500, 28, 7, -1},
    {60107300, "长江监利站", "长江", 2, 2, 12000, 22, 7, -1},
    {60110000, "长江汉口站", "长江", 2, 2, 23000, 14, 8, -1},
    {60112200, "长江九江站", "长江", 2, 2, 24000, 10, 7, -1},
    {60103100, "嘉陵江北碚站", "嘉陵江", 1, 1, 2100, 178, 9, -1},
    {60803000, "清江长阳站", "清江", 3, 3, 420, 60, 4, -1},
    {60804100, "清江恩施站", "清江", 3, 3, 130, 415, 3, -1},
    {61801700, "汉江白河站", "汉江", 4, 4, 850, 178, 5, -1},
    {61802700, "汉江皇庄站", "汉江", 4, 4, 1500, 36, 6, -1},
    {61803300, "汉江仙桃站", "汉江", 4, 4, 1400, 25, 6, -1},
    {60602000, "乌江武隆站", "乌江", 5, 5, 1600, 172, 8, -1},
    {61500400, "洞庭湖城陵矶站", "长江", 6, 2, 8500, 20, 8, -1},
    {62301800, "鄱阳湖湖口站", "长江", 7, 2, 4800, 9, 8, -1},
    {60105000, "长江三峡水库", "长江", 2, 2, 14000, 0, 0, 0},
    {60803500, "清江隔河岩水库", "清江", 3, 3, 390, 0, 0, 1},
    {60803800, "清江水布垭水库", "清江", 3, 3, 300, 0, 0, 2},
    {61802000, "汉江丹江口水库", "汉江", 4, 4, 1200, 0, 0, 3},
    {60601500, "乌江构皮滩水库", "乌江", 5, 5, 700, 0, 0, 4},
};

} // namespace

int DemoDayCount() {
    return int((kLastDay - kFirstDay).count()) + 1;
}

int DayOfYear(int day) {
    year_month_day ymd = Civil(day);
    return int((sys_days{ymd} - sys_days{ymd.year() / January / 1}).count()) + 1;
}

int YearOf(int day) {
    return int(Civil(day).year());
}
int MonthOf(int day) {
    return int(unsigned(Civil(day).month()));
}
int DayOfMonth(int day) {
    return int(unsigned(Civil(day).day()));
}

int DaysInMonthOf(int day) {
    year_month_day ymd = Civil(day);
    return int(unsigned(year_month_day_last{ymd.year(), month_day_last{ymd.month()}}.day()));
}

int DayIndex(int y, int m, int d) {
    return int((sys_days{year{y} / month{unsigned(m)} / day{unsigned(d)}} - kFirstDay).count());
}

std::string TimeText(int day, int hour, int minute, int second) {
    year_month_day ymd = Civil(day);
    return fmt::format("{:04d}-{:02d}-{:02d} {:02d}:{:02d}:{:02d}", int(ymd.year()), unsigned(ymd.month()),
                       unsigned(ymd.day()), hour, minute, second);
}

std::vector<DemoStation> DemoStations(int scale) {
    std::vector<DemoStation> out;
    for (int k = 0; k < scale; ++k) {
        int index = 0;
        for (const NamedStation& n : kNamed) {
            DemoStation s;
            s.id = n.id + k;
            s.name = k == 0 ? n.name : fmt::format("{}{}", n.name, k + 1);
            s.river = n.river;
            s.basin = n.basin;
            s.centre = n.centre;
            s.kind = n.reservoir >= 0 ? StationKind::Reservoir : StationKind::River;
            s.baseFlow = n.baseFlow;
            s.z0 = n.z0;
            s.zScale = n.zScale;
            s.reservoir = n.reservoir;
            s.baseIndex = index++;
            out.push_back(std::move(s));
        }
    }
    return out;
}

const std::vector<DemoReservoir>& DemoReservoirs() {
    static const std::vector<DemoReservoir> reservoirs = {
        {60105000, "长江三峡水库", 145, 145, 175, 171.5, 393.0, 1084},
        {60803500, "清江隔河岩水库", 160, 193.6, 200, 12.0, 34.0, 72},
        {60803800, "清江水布垭水库", 350, 391.8, 400, 19.0, 43.1, 67},
        {61802000, "汉江丹江口水库", 150, 160, 170, 126.0, 290.5, 1050},
        {60601500, "乌江构皮滩水库", 590, 626.24, 630, 24.0, 55.6, 93},
    };
    return reservoirs;
}

// A storage curve that widens with height, the usual shape of a valley reservoir; it runs
// on five metres above the normal level for the flood surcharge.
double StorageAt(const DemoReservoir& r, double level) {
    double x = (level - r.deadLevel) / (r.normalLevel - r.deadLevel);
    if (x < 0) x = 0;
    return r.deadStorage + (r.normalStorage - r.deadStorage) * std::pow(x, 1.5);
}

double AreaAt(const DemoReservoir& r, double level) {
    double x = (level - r.deadLevel) / (r.normalLevel - r.deadLevel);
    if (x < 0) x = 0;
    return r.area * (0.35 + 0.65 * std::sqrt(x));
}

int PointId(int stationIndex, PointKind kind) {
    return 10000 + 10 * (stationIndex + 1) + int(kind);
}

const std::vector<DemoUnit>& DemoUnits() {
    static const std::vector<DemoUnit> units = [] {
        std::vector<DemoUnit> list;
        for (int i = 1; i <= 6; ++i)
            list.push_back({20100 + i, fmt::format("roz{}号机", i), 10010});
        for (int i = 1; i <= 14; ++i)
            list.push_back({20200 + i, fmt::format("左岸{}号机", i), 10011});
        return list;
    }();
    return units;
}

double Uniform(unsigned long long a, unsigned long long b, unsigned long long c) {
    // splitmix64 over the three keys: well mixed and the same on every platform.
    unsigned long long z = a * 0x9E3779B97F4A7C15ULL + b * 0xBF58476D1CE4E5B9ULL + c * 0x94D049BB133111EBULL +
                           0x2545F4914F6CDD1DULL;
    for (int i = 0; i < 2; ++i) {
        z += 0x9E3779B97F4A7C15ULL;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        z ^= z >> 31;
    }
    return double(z >> 11) * (1.0 / 9007199254740992.0);
}

} // namespace demo
