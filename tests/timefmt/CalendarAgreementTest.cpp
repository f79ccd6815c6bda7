// The stored number is whole days since 1899-12-30 with the time of day as a fraction that
// is subtracted before day 0.
//
// Every day from 1899 (so that day 0, 1899-12-30, is crossed) to 2100 checked against the civil
// calendar of <chrono>: day numbers, fields, text round trips and period stepping. Expected
// results come from calendar rules here, never from the code under test.
#include "QueryItem.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>
#include <vector>

namespace {

using namespace std::chrono;

constexpr sys_days kDayZero = sys_days{year{1899} / December / 30};

struct Moment {
    sys_days day;
    int hour, minute, second;
};

COleDateTime Build(const Moment& m) {
    year_month_day ymd{m.day};
    return COleDateTime(int(ymd.year()), int(unsigned(ymd.month())), int(unsigned(ymd.day())), m.hour,
                        m.minute, m.second);
}

// The stored number of a moment, from the day count and the time of day alone.
double OleNumber(const Moment& m) {
    const long long dayNo = (m.day - kDayZero).count();
    const double fraction = (m.hour * 3600 + m.minute * 60 + m.second) / 86400.0;
    return dayNo >= 0 ? double(dayNo) + fraction : double(dayNo) - fraction;
}

std::string Describe(sys_days day) {
    year_month_day ymd{day};
    return std::to_string(int(ymd.year())) + "-" + std::to_string(unsigned(ymd.month())) + "-" +
           std::to_string(unsigned(ymd.day()));
}

// Next start of a ten-day period strictly after the day: the 11th, the 21st or the next 1st.
sys_days NextTenDayStart(sys_days day) {
    year_month_day ymd{day};
    unsigned d = unsigned(ymd.day());
    if (d < 11) return sys_days{ymd.year() / ymd.month() / 11};
    if (d < 21) return sys_days{ymd.year() / ymd.month() / 21};
    return sys_days{(ymd.year() / ymd.month() + months{1}) / 1};
}

// Last start of a ten-day period strictly before the day.
sys_days PreviousTenDayStart(sys_days day) {
    year_month_day ymd{day};
    unsigned d = unsigned(ymd.day());
    if (d > 21) return sys_days{ymd.year() / ymd.month() / 21};
    if (d > 11) return sys_days{ymd.year() / ymd.month() / 11};
    if (d > 1) return sys_days{ymd.year() / ymd.month() / 1};
    return sys_days{(ymd.year() / ymd.month() - months{1}) / 21};
}

sys_days TenDaysAway(sys_days day, int count) {
    for (; count > 0; --count)
        day = NextTenDayStart(day);
    for (; count < 0; ++count)
        day = PreviousTenDayStart(day);
    return day;
}

sys_days MonthsAway(sys_days day, int count) {
    year_month_day ymd{day};
    return sys_days{(ymd.year() / ymd.month() + months{count}) / 1};
}

class Mismatches {
public:
    void Check(bool ok, sys_days day, const std::string& what) {
        if (ok) return;
        if (m_lines.size() < 20) m_lines.push_back(Describe(day) + ": " + what);
        ++m_count;
    }
    void Report() const {
        std::string text;
        for (const std::string& l : m_lines)
            text += l + "\n";
        EXPECT_EQ(m_count, 0) << text;
    }

private:
    std::vector<std::string> m_lines;
    int m_count = 0;
};

} // namespace

TEST(QueryItemCalendar, EveryDayAgreesWithTheCivilCalendar) {
    Mismatches bad;
    const sys_days first = sys_days{year{1899} / January / 1};
    const sys_days last = sys_days{year{2100} / December / 31};
    for (sys_days day = first; day <= last; day += days{1}) {
        const long long dayNo = (day - kDayZero).count();
        // Vary the time of day from day to day so that every hour is met.
        const int hour = int((dayNo % 24 + 24) % 24);
        const int minute = int((dayNo * 7 % 60 + 60) % 60);
        const int second = int((dayNo * 13 % 60 + 60) % 60);
        const Moment moment{day, hour, minute, second};
        const year_month_day ymd{day};
        const COleDateTime t = Build(moment);

        bad.Check(t.IsValid() && std::fabs(t.m_dt - OleNumber(moment)) < 1e-9, day, "OLE number");
        bad.Check(COleDateTime(int(ymd.year()), int(unsigned(ymd.month())), int(unsigned(ymd.day())), 0, 0, 0)
                          .m_dt == double(dayNo),
                  day, "midnight day number");
        bad.Check(t.GetYear() == int(ymd.year()) && t.GetMonth() == int(unsigned(ymd.month())) &&
                      t.GetDay() == int(unsigned(ymd.day())),
                  day, "date fields");
        bad.Check(t.GetHour() == hour && t.GetMinute() == minute && t.GetSecond() == second, day,
                  "time fields");
        bad.Check(t.GetDayOfWeek() == int(weekday{day}.c_encoding()) + 1, day, "day of week");
        bad.Check(t.GetDayOfYear() == int((day - sys_days{ymd.year() / January / 1}).count()) + 1, day,
                  "day of year");

        // Both text forms read back to the same time.
        bad.Check(CQueryItem::ParseTime(t.Format("%Y-%m-%d %H:%M:%S")) == t, day, "dashed text");
        bad.Check(CQueryItem::ParseTime(t.Format("%Y年%m月%d日%H时%M分%S秒")) == t, day, "worded text");

        struct Step {
            int unit, count;
            Moment expected;
        };
        const Step steps[] = {
            {1, 1, {day + days{(hour + 1) / 24}, (hour + 1) % 24, 0, 0}},
            {1, -1, {day - days{hour == 0 ? 1 : 0}, (hour + 23) % 24, 0, 0}},
            {2, 1, {day + days{1}, hour, 0, 0}},
            {2, -1, {day - days{1}, hour, 0, 0}},
            {3, 1, {TenDaysAway(day, 1), hour, 0, 0}},
            {3, -1, {TenDaysAway(day, -1), hour, 0, 0}},
            {3, 3, {TenDaysAway(day, 3), hour, 0, 0}},
            {3, -3, {TenDaysAway(day, -3), hour, 0, 0}},
            {4, 1, {MonthsAway(day, 1), hour, 0, 0}},
            {4, -1, {MonthsAway(day, -1), hour, 0, 0}},
            {4, 13, {MonthsAway(day, 13), hour, 0, 0}},
            {4, -13, {MonthsAway(day, -13), hour, 0, 0}},
        };
        for (const Step& s : steps) {
            COleDateTime moved = t;
            CQueryItem::StepTime(moved, s.unit, s.count);
            if (!moved.IsValid() || std::fabs(moved.m_dt - OleNumber(s.expected)) > 1e-9)
                bad.Check(false, day,
                          "unit " + std::to_string(s.unit) + " by " + std::to_string(s.count) + " gave " +
                              moved.Format("%Y-%m-%d %H:%M:%S").str());
        }
    }
    bad.Report();
}
