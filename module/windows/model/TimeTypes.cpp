#include "TimeTypes.h"

CString TimeTypeCaption(int code) {
    return PeriodWordOfType(code);
}

CString PeriodWordOfType(int code) {
    switch (code) {
    case kTypeHour:
        return "时";
    case kTypeDay:
        return "日";
    case kTypeTenDay:
        return "旬";
    case kTypeMonth:
        return "月";
    default:
        return {};
    }
}

std::vector<int> ConfiguredTimeTypes(const CDWordArray& totalTables) {
    std::vector<int> types;
    for (int i = 0; i < totalTables.GetSize() && int(types.size()) < kMaxTimeTypeButtons; ++i)
        types.push_back(int(static_cast<unsigned short>(totalTables[i]))); // kept as 16-bit codes
    return types;
}

CStringArray IntervalTexts(int code) {
    CStringArray texts;
    auto fill = [&texts](const char* format, int last) {
        for (int i = 1; i <= last; ++i) {
            CString t;
            t.Format(format, i);
            texts.Add(t);
        }
    };
    switch (code) {
    case kTypeHour:
        fill("%d小时", 24);
        break;
    case kTypeDay:
        fill("%d天", 31);
        break;
    case kTypeTenDay:
        fill("%d旬", 3);
        break;
    case kTypeMonth:
        fill("%d月", 12);
        break;
    default:
        break;
    }
    return texts;
}

CTimeRange AdaptTimeRange(int code, const COleDateTime& start, const COleDateTime& end) {
    CTimeRange r{start, end, std::nullopt};
    switch (code) {
    case kTypeHour:
        r.end = end + COleDateTimeSpan(0, 1, 0, 0);
        r.precision = 2;
        break;
    case kTypeDay:
        r.precision = 3;
        break;
    case kTypeTenDay:
        r.start = end - COleDateTimeSpan(30, 0, 0, 0);
        r.precision = 33;
        break;
    case kTypeMonth:
        r.start = end - COleDateTimeSpan(63, 0, 0, 0);
        r.precision = 4;
        break;
    default:
        break;
    }
    return r;
}

std::optional<int> ShowTimePrecision(const CString& word) {
    CString w = word;
    w.Trim();
    w.MakeUpper();
    if (w == "YEAR") return 5;
    if (w == "MONTH" || w == "MON") return 4;
    if (w == "DAY") return 3;
    if (w == "HOUR") return 2;
    if (w == "MIN") return 1;
    return std::nullopt;
}
