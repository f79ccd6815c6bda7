// Five-minute records of a few level points (RTEV with event states, REAL with data
// properties), the generating units' state changes in RTDB and a short audit history.
#include "DemoInternal.h"
#include "DemoSeries.h"

#include <fmt/format.h>

namespace demo {
namespace {

constexpr int kRealTimeStations[] = {1, 2, 7, 15}; // 宜昌, 沙市, 长阳, 三峡
constexpr int kGapStation = 1;                     // 宜昌: six hours without a record

// Event state codes of RTEV.
enum { kNormal = 0, kAboveLimit = 1, kBelowLimit = 2, kLinkLost = 3, kLinkBack = 7, kJump = 8 };

} // namespace

int RealTimeFirstDay() {
    return DayIndex(2026, 11, 1);
}
int RealTimeDayCount(bool compact) {
    return compact ? 2 : 21;
}

void WriteRealTimeData(CDemoWriter& writer, const DataPlan& plan) {
    const int first = RealTimeFirstDay(), days = RealTimeDayCount(plan.compact);
    plan.Say(fmt::format("写入实时数据 RTEV/REAL {} 点 {} 天 …", std::size(kRealTimeStations), days));
    // The link to 宜昌 was lost from 06:00 to 12:00 of the first day (the twelfth of the month
    // in the full build).
    const int gapDay = first + (plan.compact ? 0 : 11);
    writer.Begin();
    CRowBatch events(writer, "RTEV", "SENID,TIME,FACTV,DATAPRO,STATE");
    CRowBatch values(writer, "REAL", "SENID,TIME,FACTV,DATAPRO");
    for (int index : kRealTimeStations) {
        const DemoStation& s = plan.stations[std::size_t(index)];
        StationSeries series = MakeSeries(s);
        const int point = PointId(index, kLevelPoint);
        for (int d = first; d < first + days; ++d)
            for (int minute = 0; minute < 24 * 60; minute += 5) {
                const int h = minute / 60, m = minute % 60;
                const bool inGap = index == kGapStation && d == gapDay && minute > 6 * 60 && minute < 12 * 60;
                if (inGap) continue;
                double z0 = HourlyLevel(s, series, d, h),
                       z1 = HourlyLevel(s, series, h == 23 ? d + 1 : d, (h + 1) % 24);
                double ripple = (Uniform(unsigned(point), unsigned(d * 1440 + minute), 7) - 0.5) * 0.02;
                double z = z0 + (z1 - z0) * m / 60.0 + ripple;
                double u = Uniform(unsigned(point), unsigned(d * 1440 + minute), 8);
                int state = u < 0.002 ? kJump : u < 0.004 ? kAboveLimit : u < 0.005 ? kBelowLimit : kNormal;
                if (index == kGapStation && d == gapDay && minute == 6 * 60) state = kLinkLost;
                if (index == kGapStation && d == gapDay && minute == 12 * 60) state = kLinkBack;
                int property = u < 0.01 ? 1 : u < 0.012 ? 3 : 0;
                std::string time = Ts(TimeText(d, h, m));
                events.Add(fmt::format("{},{},{},{},{}", point, time, Number(z, 2), property, state));
                values.Add(fmt::format("{},{},{},{}", point, time, Number(z, 2), property));
            }
    }
    events.Flush();
    values.Flush();
    writer.Commit();

    // Units start in the morning and stop at night; a few stand as reserve for a day, and one
    // unit of each plant is in planned maintenance for a week.
    plan.Say("写入机组状态 RTDB …");
    writer.Begin();
    CRowBatch states(writer, "RTDB", "SENID,TIME,FACTV");
    const int unitsFrom = DemoDayCount() - 28;
    for (const DemoUnit& u : DemoUnits()) {
        const bool maintained = u.id == 20103 || u.id == 20207;
        for (int d = unitsFrom; d < DemoDayCount(); ++d) {
            if (maintained && d - unitsFrom >= 7 && d - unitsFrom < 14) {
                if (d - unitsFrom == 7) states.Add(fmt::format("{},{},1", u.id, Ts(TimeText(d, 9))));
                continue;
            }
            if (Uniform(unsigned(u.id), unsigned(d), 9) < 0.15) continue; // reserve all day
            int start = 6 + u.id % 3, stop = 21 + u.id % 2, m = u.id % 6 * 5;
            states.Add(fmt::format("{},{},2", u.id, Ts(TimeText(d, start, m))));
            states.Add(fmt::format("{},{},8", u.id, Ts(TimeText(d, start, m + 10))));
            states.Add(fmt::format("{},{},2", u.id, Ts(TimeText(d, stop, m))));
            states.Add(fmt::format("{},{},4", u.id, Ts(TimeText(d, stop, m + 10))));
        }
    }
    states.Flush();

    CRowBatch log(writer, "SCHLOG", "T,SEQID,TYPE,LOGINFO,CONT,CONDIR,CONTTYPE,EDITMEN");
    log.Add(fmt::format(
        "{},1,3,'表RAIN_DAY修改数据 关键字(STCD=60804100 TM=2026-11-03 08:00:00) 数据(12.5)',{},0,"
        "'Vexor数据修改','admin'",
        Ts("2026-11-03 09:12:40"), Ts("2026-11-03 09:12:40")));
    log.Add(fmt::format("{},2,3,'手工录入 20101 2026-11-05 07:20:00 空转 ',{},0,NULL,NULL",
                        Ts("2026-11-05 07:21:05"), Ts("2026-11-05 07:21:05")));
    log.Add(fmt::format(
        "{},3,3,'表RSVR_DAY修改数据 关键字(STCD=60803500 TM=2026-11-20 08:00:00) 数据(198.62)',{},0,"
        "'Vexor数据修改','admin'",
        Ts("2026-11-20 10:02:11"), Ts("2026-11-20 10:02:11")));
    log.Flush();
    writer.Commit();
}

} // namespace demo
