// Five years of history before the demo period (2019 to 2023) for the level and flow points of
// Yichang and Hankou, in the day table and the history view: the analysis view's year list then
// reaches back far enough to compare wet and dry years. Each earlier year repeats the shape of a
// demo year, a little higher or lower.
#include "DemoInternal.h"
#include "DemoSeries.h"

#include <fmt/format.h>

namespace demo {
namespace {

constexpr int kFirstEarlierYear = 2019;
constexpr int kEarlierYears = 5;
constexpr int kYichang = 1, kHankou = 4;

std::string HourTime(int day, int hour) {
    // The hydrological day runs from 08:00 to 08:00: hours before 08:00 belong to the next date.
    return Ts(TimeText(hour < 8 ? day + 1 : day, hour));
}

DayFigures Shifted(DayFigures f, bool level, int year) {
    const int k = year - 2021;
    auto move = [&](double v) { return level ? v + 0.25 * k : v * (1 + 0.05 * k); };
    f.inst = move(f.inst), f.mean = move(f.mean), f.max = move(f.max), f.min = move(f.min);
    return f;
}

} // namespace

void WriteEarlierYears(CDemoWriter& writer, const DataPlan& plan) {
    if (plan.compact) return;
    plan.Say("写入历史数据分析 2019-2023 年 …");
    writer.Begin();
    CRowBatch day(writer, "DAYDB", "SENID,TIME,INSTV,INSTQ,AVGV,AVGQ,MAXV,MAXQ,MINV,MINQ");
    CRowBatch history(writer, "HISVIEW", "SENID,TIME,INSTV,AVGV,MAXV,MAXT,MINV,MINT");
    for (int index : {kYichang, kHankou}) {
        const DemoStation& s = plan.stations[std::size_t(index)];
        const StationSeries series = MakeSeries(s);
        for (int d = DayIndex(kFirstEarlierYear, 1, 1); d < 0; ++d) {
            const std::string date = TimeText(d);
            const int year = std::stoi(date.substr(0, 4)), month = std::stoi(date.substr(5, 2)),
                      dom = std::stoi(date.substr(8, 2));
            const int source = 2024 + (year - kFirstEarlierYear) % 3;
            if (month == 2 && dom == 29 && source != 2024) continue;
            const int from = DayIndex(source, month, dom);
            if (from >= DemoDayCount()) continue; // past the demo period
            for (bool level : {true, false}) {
                const DayFigures f =
                    Shifted(level ? DailyLevel(s, series, from) : DailyFlow(s, series, from), level, year);
                const int point = PointId(index, level ? kLevelPoint : kFlowPoint);
                const std::string t = Ts(TimeText(d, 8));
                day.Add(fmt::format("{},{},{},0,{},0,{},0,{},0", point, t, Number(f.inst, 2),
                                    Number(f.mean, 2), Number(f.max, 2), Number(f.min, 2)));
                history.Add(fmt::format("{},{},{},{},{},{},{},{}", point, t, Number(f.inst, 2),
                                        Number(f.mean, 2), Number(f.max, 2), HourTime(d, f.maxHour),
                                        Number(f.min, 2), HourTime(d, f.minHour)));
            }
        }
    }
    day.Flush();
    history.Flush();
    writer.Commit();
}

} // namespace demo
