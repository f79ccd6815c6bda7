// Reservoir days and curves, the period tables of the measuring points (hour, day, ten-day
// period, month) and the history that the analysis view compares year by year.
#include "DemoInternal.h"
#include "DemoSeries.h"

#include <fmt/format.h>

#include <algorithm>

namespace demo {
namespace {

constexpr int kYichang = 1, kHankou = 4, kChangyang = 7, kHuangzhuang = 10, kThreeGorges = 15;

std::string MaxMinTime(int day, int hour) {
    // The hydrological day runs from 08:00 to 08:00: hours before 08:00 belong to the next date.
    return Ts(TimeText(hour < 8 ? day + 1 : day, hour));
}

struct PointDays {
    int pointId = 0;
    std::vector<DayFigures> days;
    std::vector<bool> missing;
};

// The figures of every day of the level and flow points of the twenty named stations.
std::vector<PointDays> NamedPointDays(const DataPlan& plan) {
    std::vector<PointDays> points;
    for (const DemoStation& s : plan.stations) {
        if (s.id != plan.stations[std::size_t(s.baseIndex)].id) continue;
        StationSeries series = MakeSeries(s);
        PointDays level{PointId(s.baseIndex, kLevelPoint), {}, {}},
            flow{PointId(s.baseIndex, kFlowPoint), {}, {}};
        for (int d = 0; d < DemoDayCount(); ++d) {
            level.days.push_back(DailyLevel(s, series, d));
            flow.days.push_back(DailyFlow(s, series, d));
            // The days the station was dark (see the hourly river table).
            bool dark =
                (s.baseIndex == kChangyang && d >= DayIndex(2026, 11, 10) && d <= DayIndex(2026, 11, 11)) ||
                (s.baseIndex == 3 && d >= DayIndex(2026, 7, 20) && d <= DayIndex(2026, 7, 21));
            level.missing.push_back(dark);
            flow.missing.push_back(dark);
        }
        points.push_back(std::move(level));
        points.push_back(std::move(flow));
    }
    return points;
}

std::string PeriodRow(int point, const std::string& time, double inst, double mean, double max, double min,
                      bool missing) {
    if (missing) return fmt::format("{},{},-999,9,-999,9,-999,9,-999,9", point, time);
    return fmt::format("{},{},{},0,{},0,{},0,{},0", point, time, Number(inst, 2), Number(mean, 2),
                       Number(max, 2), Number(min, 2));
}

void WritePeriodTables(CDemoWriter& writer, const DataPlan& plan, const std::vector<PointDays>& points) {
    plan.Say(fmt::format("写入测点时段数据 {} 点 …", points.size()));
    const char* columns = "SENID,TIME,INSTV,INSTQ,AVGV,AVGQ,MAXV,MAXQ,MINV,MINQ";
    writer.Begin();
    CRowBatch day(writer, "DAYDB", columns), xun(writer, "DAY10DB", columns),
        month(writer, "MONTHDB", columns);
    for (const PointDays& p : points) {
        DayFigures acc;
        int count = 0, start = 0;
        for (int d = 0; d < DemoDayCount(); ++d) {
            const DayFigures& f = p.days[std::size_t(d)];
            bool missing = p.missing[std::size_t(d)];
            day.Add(PeriodRow(p.pointId, Ts(TimeText(d, 8)), f.inst, f.mean, f.max, f.min, missing));
            if (count == 0) acc = f, start = d;
            acc.mean = count == 0 ? f.mean : acc.mean + f.mean;
            acc.max = std::max(acc.max, f.max);
            acc.min = std::min(acc.min, f.min);
            ++count;
            int dom = DayOfMonth(d), end = DaysInMonthOf(d);
            if (dom == 10 || dom == 20 || dom == end) {
                xun.Add(PeriodRow(p.pointId, Ts(TimeText(start, 8)), p.days[std::size_t(start)].inst,
                                  acc.mean / count, acc.max, acc.min, false));
                count = 0;
            }
        }
        for (int d = 0; d < DemoDayCount(); d += DaysInMonthOf(d)) {
            int n = DaysInMonthOf(d);
            double sum = 0, max = -1e300, min = 1e300;
            for (int k = d; k < d + n; ++k) {
                const DayFigures& f = p.days[std::size_t(k)];
                sum += f.mean, max = std::max(max, f.max), min = std::min(min, f.min);
            }
            month.Add(PeriodRow(p.pointId, Ts(TimeText(d, 8)), p.days[std::size_t(d)].inst, sum / n, max, min,
                                false));
        }
    }
    day.Flush();
    xun.Flush();
    month.Flush();
    writer.Commit();

    // Hourly values of the last weeks, for the point query's hourly data.
    const int first = plan.compact ? DemoDayCount() - 3 : DemoDayCount() - 30;
    writer.Begin();
    CRowBatch hour(writer, "HOURDB", columns);
    for (const DemoStation& s : plan.stations) {
        if (s.id != plan.stations[std::size_t(s.baseIndex)].id) continue;
        StationSeries series = MakeSeries(s);
        for (int d = first; d < DemoDayCount(); ++d)
            for (int h = 0; h < 24; ++h) {
                double z = HourlyLevel(s, series, d, h), q = HourlyFlow(s, series, d, h);
                std::string t = Ts(TimeText(d, h));
                hour.Add(PeriodRow(PointId(s.baseIndex, kLevelPoint), t, z, z, z + 0.02, z - 0.02, false));
                hour.Add(PeriodRow(PointId(s.baseIndex, kFlowPoint), t, q, q, q * 1.01, q * 0.99, false));
            }
    }
    hour.Flush();
    writer.Commit();
}

void WriteHistory(CDemoWriter& writer, const DataPlan& plan, const std::vector<PointDays>& points) {
    plan.Say("写入历史数据分析 HISVIEW …");
    const int wanted[] = {PointId(kYichang, kLevelPoint),    PointId(kYichang, kFlowPoint),
                          PointId(kHankou, kLevelPoint),     PointId(kHankou, kFlowPoint),
                          PointId(kChangyang, kLevelPoint),  PointId(kHuangzhuang, kLevelPoint),
                          PointId(kThreeGorges, kLevelPoint)};
    writer.Begin();
    CRowBatch rows(writer, "HISVIEW", "SENID,TIME,INSTV,AVGV,MAXV,MAXT,MINV,MINT");
    for (const PointDays& p : points) {
        if (std::find(std::begin(wanted), std::end(wanted), p.pointId) == std::end(wanted)) continue;
        for (int d = 0; d < DemoDayCount(); ++d) {
            if (p.missing[std::size_t(d)]) continue;
            const DayFigures& f = p.days[std::size_t(d)];
            rows.Add(fmt::format("{},{},{},{},{},{},{},{}", p.pointId, Ts(TimeText(d, 8)), Number(f.inst, 2),
                                 Number(f.mean, 2), Number(f.max, 2), MaxMinTime(d, f.maxHour),
                                 Number(f.min, 2), MaxMinTime(d, f.minHour)));
        }
    }
    rows.Flush();
    writer.Commit();
}

} // namespace

void WriteReservoirData(CDemoWriter& writer, const DataPlan& plan) {
    plan.Say("写入水库日报与水位库容曲线 …");
    writer.Begin();
    CRowBatch days(writer, "RSVR_DAY", "STCD,TM,RZ,W,INQ,OTQ,INW,OTW,PRO");
    CRowBatch curves(writer, "CURVE", "CURVEID,CURVENAME,STCD,DIMNAME");
    CRowBatch curvePoints(writer, "CURVED", "CURVEID,PTNO,V0,V1,V2");
    for (const DemoStation& s : plan.stations) {
        if (s.kind != StationKind::Reservoir) continue;
        const DemoReservoir& r = DemoReservoirs()[std::size_t(s.reservoir)];
        StationSeries series = MakeSeries(s);
        for (int d = 0; d < DemoDayCount(); ++d) {
            double level = series.level[std::size_t(d)];
            // Volumes (INW, OTW) are left at 0: the engine computes them from the flows.
            days.Add(fmt::format("{},{},{},{},{},{},0,0,0", s.id, Ts(TimeText(d, 8)), Number(level, 2),
                                 Number(StorageAt(r, level), 2), Number(series.inflow[std::size_t(d)], 0),
                                 Number(series.flow[std::size_t(d)], 0)));
        }
        if (s.id != plan.stations[std::size_t(s.baseIndex)].id) continue;
        int curve = s.reservoir + 1;
        curves.Add(fmt::format("{},{},{},'v0:坝前水位(m) v1:库容(亿m³) v2:水面面积(km²)'", curve,
                               Quote(s.name + "水位库容曲线"), s.id));
        for (int k = 0; k <= 20; ++k) {
            double level = r.deadLevel + (r.normalLevel + 5 - r.deadLevel) * k / 20;
            curvePoints.Add(fmt::format("{},{},{},{},{}", curve, k + 1, Number(level, 2),
                                        Number(StorageAt(r, level), 3), Number(AreaAt(r, level), 1)));
        }
    }
    days.Flush();
    curves.Flush();
    curvePoints.Flush();
    writer.Commit();
}

void WritePointData(CDemoWriter& writer, const DataPlan& plan) {
    std::vector<PointDays> points = NamedPointDays(plan);
    WritePeriodTables(writer, plan, points);
    WriteHistory(writer, plan, points);
}

} // namespace demo
