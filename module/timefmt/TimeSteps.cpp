// Moving a time by whole hydrological periods: hours, days, ten-day periods ("旬": the 1st-10th,
// 11th-20th and 21st to the month's end), months and years.
#include "QueryItem.h"

#include <algorithm>

namespace {

enum StepUnit { kHour0 = 0, kHour = 1, kDay = 2, kTenDay = 3, kMonth = 4, kYear = 5 };

// The fields a step keeps: every step ends on a whole hour.
struct Fields {
    long long year;
    int month, day, hour;
};

// False when the time is not valid or outside the years a time can hold.
bool ReadFields(const COleDateTime& t, Fields& f) {
    if (!t.IsValid()) return false;
    f = {t.GetYear(), t.GetMonth(), t.GetDay(), t.GetHour()};
    return f.year >= 0;
}

// Sets the time to the given day at the given hour, minutes and seconds 0. A year that a time
// cannot hold makes the time invalid.
void SetDayAndHour(COleDateTime& t, long long year, int month, int day, int hour) {
    if (year < 0 || year > 99999) {
        t.SetStatus(COleDateTime::invalid);
        return;
    }
    t.SetDateTime(int(year), month, day, hour, 0, 0);
}

long long FloorDiv(long long a, long long b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Adds a span, then drops minutes and seconds; the hour reached stays.
void AddSpanToWholeHour(COleDateTime& t, const COleDateTimeSpan& span) {
    COleDateTime moved = t + span;
    Fields f;
    if (!ReadFields(moved, f)) {
        t.SetStatus(COleDateTime::invalid);
        return;
    }
    SetDayAndHour(t, f.year, f.month, f.day, f.hour);
}

// Ten-day periods are numbered continuously: 36 to a year, 3 to a month.
long long TenDayIndex(const Fields& f) {
    return f.year * 36 + (f.month - 1) * 3 + std::min((f.day - 1) / 10, 2);
}

bool StartsTenDay(int day) {
    return day == 1 || day == 11 || day == 21;
}

// Walking day by day, each day 1, 11 or 21 reached is one boundary, and the walk stops on the
// count-th one. Forward, the first boundary is the start of the next period; backward, it is
// the start of the current period unless the time already lies on it. The walk is computed
// directly, so a large count cannot keep the user-interface thread busy, and a walk beyond the
// calendar ends as an invalid time instead of running on.
void StepTenDays(COleDateTime& t, int count) {
    if (count == 0) return;
    Fields f;
    if (!ReadFields(t, f)) return;
    long long target = TenDayIndex(f) + count;
    if (count < 0 && !StartsTenDay(f.day)) ++target;
    long long year = FloorDiv(target, 36);
    int inYear = int(target - year * 36);
    SetDayAndHour(t, year, inYear / 3 + 1, inYear % 3 * 10 + 1, f.hour);
}

// To the 1st of the month count months away, hour kept. The same as adding count to the month
// and carrying the quotient by 12 into the year, with December for a remainder of 0 and a
// remainder below 1 borrowed from the year.
void StepMonths(COleDateTime& t, int count) {
    Fields f;
    if (!ReadFields(t, f)) return;
    long long months = f.year * 12 + (f.month - 1) + count;
    long long year = FloorDiv(months, 12);
    SetDayAndHour(t, year, int(months - year * 12) + 1, 1, f.hour);
}

void StepYears(COleDateTime& t, int count) {
    Fields f;
    if (!ReadFields(t, f)) return;
    SetDayAndHour(t, f.year + count, 1, 1, f.hour);
}

} // namespace

void CQueryItem::StepTime(COleDateTime& time, int unit, int count) {
    switch (unit) {
    case kHour0:
    case kHour:
        AddSpanToWholeHour(time, COleDateTimeSpan(0, count, 0, 0));
        break;
    case kDay:
        AddSpanToWholeHour(time, COleDateTimeSpan(count, 0, 0, 0));
        break;
    case kTenDay:
        StepTenDays(time, count);
        break;
    case kMonth:
        StepMonths(time, count);
        break;
    case kYear:
        StepYears(time, count);
        break;
    default:
        break;
    }
}

void CQueryItem::ShiftTime(COleDateTime& time, const CString& typeWord, int count) {
    // Rebuilt from its fields, the time loses any fraction of a second it carried.
    Fields f;
    if (ReadFields(time, f))
        time.SetDateTime(int(f.year), f.month, f.day, f.hour, time.GetMinute(), time.GetSecond());
    else
        time.SetStatus(COleDateTime::invalid);

    struct WordUnit {
        const char* word;
        int unit;
    };
    static constexpr WordUnit kUnits[] = {
        {"年", kYear}, {"月", kMonth}, {"旬", kTenDay}, {"日", kDay}, {"时", kHour}};
    for (const WordUnit& w : kUnits)
        if (typeWord == w.word) {
            StepTime(time, w.unit, count);
            return;
        }
}
