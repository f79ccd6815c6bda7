// The station tables: hourly river stages and flows, daily rainfall, ten-day and monthly
// runoff and daily sediment, with the faults a real network has (a station dark for two
// days, a gauge that reports -999, voided and hand-entered rainfall).
#include "DemoInternal.h"
#include "DemoSeries.h"

#include <fmt/format.h>

#include <cmath>

namespace demo {
namespace {

// Named stations by their index in the list of twenty.
constexpr int kJianli = 3, kHankou = 4, kChangyang = 7, kEnshi = 8, kHuangzhuang = 10, kJiujiang = 5;

bool InDays(int day, int first, int last) {
    return day >= first && day <= last;
}

// Hours without a record: the station's transmitter was dark.
bool Outage(const DemoStation& s, int day) {
    if (s.baseIndex == kChangyang) return InDays(day, DayIndex(2026, 11, 10), DayIndex(2026, 11, 11));
    if (s.baseIndex == kJianli) return InDays(day, DayIndex(2026, 7, 20), DayIndex(2026, 7, 21));
    return false;
}

// Hours whose record holds -999: the gauge answered but measured nothing.
bool GaugeFault(const DemoStation& s, int day, int hour) {
    return s.baseIndex == kHuangzhuang && day == DayIndex(2026, 11, 5) && hour >= 3 && hour <= 8;
}

void WriteRiverHours(CDemoWriter& writer, const DataPlan& plan, const std::vector<StationSeries>& series) {
    const int first = HourlyFirstDay(plan.compact), last = DemoDayCount() - 1;
    plan.Say(fmt::format("写入河道水情 {} 站 {} 至 {} …", plan.stations.size(), TimeText(first).substr(0, 10),
                         TimeText(last).substr(0, 10)));
    writer.Begin();
    CRowBatch rows(writer, "RIVER_HOUR", "STCD,TM,Z,Q,WPTN,NOTE");
    for (std::size_t i = 0; i < plan.stations.size(); ++i) {
        const DemoStation& s = plan.stations[i];
        double previous = HourlyLevel(s, series[i], first, 0);
        for (int d = first; d <= last; ++d) {
            if (Outage(s, d)) continue;
            for (int h = 0; h < 24; ++h) {
                double z = HourlyLevel(s, series[i], d, h), q = HourlyFlow(s, series[i], d, h);
                const char* note = "";
                int trend = z > previous + 0.005 ? 5 : z < previous - 0.005 ? 4 : 6;
                previous = z;
                if (GaugeFault(s, d, h)) {
                    z = q = kMissing;
                    note = "水位计故障";
                }
                rows.Add(fmt::format("{},{},{},{},{},{}", s.id, Ts(TimeText(d, h)), Number(z, 2),
                                     Number(q, 1), trend, Quote(note)));
            }
        }
    }
    rows.Flush();
    writer.Commit();
}

void WriteRain(CDemoWriter& writer, const DataPlan& plan, const std::vector<StationSeries>& series) {
    plan.Say(fmt::format("写入日降水量 {} 站 …", plan.stations.size()));
    writer.Begin();
    CRowBatch rows(writer, "RAIN_DAY", "STCD,TM,P,PRO");
    for (std::size_t i = 0; i < plan.stations.size(); ++i) {
        const DemoStation& s = plan.stations[i];
        for (int d = 0; d < DemoDayCount(); ++d) {
            double p = series[i].rain[std::size_t(d)];
            int property = 0;
            double u = Uniform(unsigned(s.id), unsigned(d), 5);
            if (s.baseIndex == kEnshi && InDays(d, DayIndex(2025, 8, 3), DayIndex(2025, 8, 5)))
                p = kMissing; // the tipping bucket was blocked
            else if (s.baseIndex == kJiujiang && InDays(d, DayIndex(2026, 3, 10), DayIndex(2026, 3, 12)))
                property = 44; // voided after a check: the grid never shows these rows
            else if (u < 0.01)
                property = 3; // typed in by the station
            else if (u < 0.02)
                property = 1; // estimated from neighbours
            else if (u < 0.023)
                property = 9; // failed the plausibility check
            rows.Add(fmt::format("{},{},{},{}", s.id, Ts(TimeText(d, 8)), Number(p, 1), property));
        }
    }
    rows.Flush();
    writer.Commit();
}

// Hourly rainfall over the same stretch as the river hours: each day's rain falls as one storm
// of a few hours between 08:00 and 08:00 of the next day, so the hours add up to the day.
void WriteRainHours(CDemoWriter& writer, const DataPlan& plan, const std::vector<StationSeries>& series) {
    const int first = HourlyFirstDay(plan.compact), last = DemoDayCount() - 1;
    plan.Say(fmt::format("写入小时雨量 {} 站 …", plan.stations.size()));
    writer.Begin();
    CRowBatch rows(writer, "RAIN_HOUR", "STCD,TM,P,PRO");
    for (std::size_t i = 0; i < plan.stations.size(); ++i) {
        const DemoStation& s = plan.stations[i];
        std::vector<double> hours(24 * std::size_t(last - first + 2), 0.0);
        for (int d = first; d <= last; ++d) {
            const double total = series[i].rain[std::size_t(d)];
            if (total <= 0) continue;
            const int start = int(Uniform(unsigned(s.id), unsigned(d), 11) * 14);
            const int length = 2 + int(Uniform(unsigned(s.id), unsigned(d), 12) * 8);
            // A storm that swells and fades: triangular weights over its hours.
            std::vector<double> share(static_cast<std::size_t>(length));
            double weights = 0;
            for (int k = 0; k < length; ++k)
                weights += share[std::size_t(k)] = std::min(k + 1, length - k);
            double written = 0;
            int peak = 0;
            for (int k = 0; k < length; ++k) {
                double v = std::round(total * share[std::size_t(k)] / weights * 10) / 10;
                hours[std::size_t((d - first) * 24 + 9 + start + k)] = v; // hour ending at 09:00 + ...
                written += v;
                if (share[std::size_t(k)] > share[std::size_t(peak)]) peak = k;
            }
            hours[std::size_t((d - first) * 24 + 9 + start + peak)] += total - written;
        }
        for (int d = first; d <= last; ++d)
            for (int h = 0; h < 24; ++h) {
                double p = hours[std::size_t((d - first) * 24 + h)];
                int property = p > 0 && Uniform(unsigned(s.id), unsigned(d * 24 + h), 13) < 0.03 ? 3 : 0;
                rows.Add(fmt::format("{},{},{},{}", s.id, Ts(TimeText(d, h)), Number(p, 1), property));
            }
    }
    rows.Flush();
    writer.Commit();
}

// Ten-day and monthly runoff: the mean flow of each period; days and volume are left for the
// engine's computed columns to fill in.
void WriteRunoff(CDemoWriter& writer, const DataPlan& plan, const std::vector<StationSeries>& series) {
    plan.Say("写入旬、月径流 …");
    writer.Begin();
    CRowBatch xun(writer, "FLOW_XUN", "STCD,TM,Q,DAYS,W");
    CRowBatch month(writer, "FLOW_MON", "STCD,TM,Q,DAYS,W");
    for (std::size_t i = 0; i < plan.stations.size(); ++i) {
        const DemoStation& s = plan.stations[i];
        double xunSum = 0, monthSum = 0;
        int xunDays = 0, monthDays = 0;
        for (int d = 0; d < DemoDayCount(); ++d) {
            double q = series[i].flow[std::size_t(d)];
            xunSum += q, monthSum += q;
            ++xunDays, ++monthDays;
            int dom = DayOfMonth(d), end = DaysInMonthOf(d);
            if (dom == 10 || dom == 20 || dom == end) {
                int label = dom == 10 ? 5 : dom == 20 ? 15 : 25; // the third period is dated the 25th
                xun.Add(fmt::format("{},{},{},0,0", s.id, Ts(TimeText(d - dom + label)),
                                    Number(xunSum / xunDays, 1)));
                xunSum = 0, xunDays = 0;
            }
            if (dom == end) {
                month.Add(fmt::format("{},{},{},0,0", s.id, Ts(TimeText(d - dom + 1)),
                                      Number(monthSum / monthDays, 1)));
                monthSum = 0, monthDays = 0;
            }
        }
    }
    xun.Flush();
    month.Flush();
    writer.Commit();
}

// Sediment of the river stations, one physical table per basin (the first two digits of the
// station code).
void WriteSediment(CDemoWriter& writer, const DataPlan& plan, const std::vector<StationSeries>& series) {
    plan.Say("写入日含沙量（分表） …");
    writer.Begin();
    CRowBatch basin60(writer, "SEDIMENT_DAY60", "STCD,TM,CS,QS,PRO");
    CRowBatch basin61(writer, "SEDIMENT_DAY61", "STCD,TM,CS,QS,PRO");
    CRowBatch basin62(writer, "SEDIMENT_DAY62", "STCD,TM,CS,QS,PRO");
    for (std::size_t i = 0; i < plan.stations.size(); ++i) {
        const DemoStation& s = plan.stations[i];
        if (s.kind != StationKind::River) continue;
        int part = s.id / 1000000 % 100;
        CRowBatch& rows = part == 60 ? basin60 : part == 61 ? basin61 : basin62;
        for (int d = 0; d < DemoDayCount(); ++d) {
            double q = series[i].flow[std::size_t(d)], season = Season(d);
            double cs = (0.02 + 0.9 * season * season) * std::pow(q / s.baseFlow, 1.3);
            if (s.baseIndex == kHankou) cs *= 0.6; // the Three Gorges hold most of it back
            rows.Add(
                fmt::format("{},{},{},{},0", s.id, Ts(TimeText(d, 8)), Number(cs, 3), Number(cs * q, 1)));
        }
    }
    basin60.Flush();
    basin61.Flush();
    basin62.Flush();
    writer.Commit();
}

} // namespace

int HourlyFirstDay(bool compact) {
    return compact ? DayIndex(2026, 11, 1) : DayIndex(2025, 10, 1);
}

void WriteStationData(CDemoWriter& writer, const DataPlan& plan) {
    std::vector<StationSeries> series;
    series.reserve(plan.stations.size());
    for (const DemoStation& s : plan.stations)
        series.push_back(MakeSeries(s));
    WriteRiverHours(writer, plan, series);
    WriteRain(writer, plan, series);
    WriteRainHours(writer, plan, series);
    WriteRunoff(writer, plan, series);
    WriteSediment(writer, plan, series);
}

} // namespace demo
