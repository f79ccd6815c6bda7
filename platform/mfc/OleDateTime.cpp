#include "OleDateTime.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace {
using namespace std::chrono;

constexpr long long kSecondsPerDay = 86400;
// The framework accepts years 100 to 9999.
constexpr double kMinLinear = -657434.0;     // 0100-01-01
constexpr double kMaxLinear = 2958465.99999; // 9999-12-31 23:59:59

sys_days Epoch() {
    return sys_days{year{1899} / December / 30};
}

long long FloorDiv(long long a, long long b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}
} // namespace

void COleDateTimeSpan::SetDateTimeSpan(long days, int hours, int minutes, int seconds) {
    m_span = double(days) + (double(hours) * 3600 + double(minutes) * 60 + double(seconds)) / kSecondsPerDay;
    m_status = valid;
}

long long COleDateTimeSpan::TotalSecondsRounded() const {
    return std::llround(m_span * kSecondsPerDay);
}
long COleDateTimeSpan::GetDays() const {
    return long(TotalSecondsRounded() / kSecondsPerDay);
}
int COleDateTimeSpan::GetHours() const {
    return int(TotalSecondsRounded() % kSecondsPerDay / 3600);
}
int COleDateTimeSpan::GetMinutes() const {
    return int(TotalSecondsRounded() % 3600 / 60);
}
int COleDateTimeSpan::GetSeconds() const {
    return int(TotalSecondsRounded() % 60);
}

double COleDateTime::Linear() const {
    if (m_dt >= 0) return m_dt;
    double whole = std::trunc(m_dt);
    return whole + (whole - m_dt); // the fraction counts forwards from the day's start
}

double COleDateTime::FromLinear(double linear) {
    if (linear >= 0) return linear;
    double day = std::floor(linear);
    double frac = linear - day;
    return day - frac;
}

COleDateTime COleDateTime::GetCurrentTime() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return COleDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                        local.tm_sec);
}

int COleDateTime::SetDateTime(int y, int mo, int d, int h, int mi, int s) {
    year_month_day ymd{year{y}, month{unsigned(mo)}, day{unsigned(d)}};
    bool ok = y >= 100 && y <= 9999 && mo >= 1 && mo <= 12 && d >= 1 && d <= 31 && ymd.ok() && h >= 0 &&
              h <= 23 && mi >= 0 && mi <= 59 && s >= 0 && s <= 59;
    if (!ok) {
        m_dt = 0;
        m_status = invalid;
        return 1;
    }
    long long days = (sys_days{ymd} - Epoch()).count();
    double linear = double(days) + double(h * 3600 + mi * 60 + s) / kSecondsPerDay;
    m_dt = FromLinear(linear);
    m_status = valid;
    return 0;
}

bool COleDateTime::Split(Fields& f) const {
    if (m_status != valid) return false;
    double linear = Linear();
    if (!(linear >= kMinLinear && linear <= kMaxLinear)) return false; // also rejects NaN
    long long secs = std::llround(linear * kSecondsPerDay);
    long long dayNo = FloorDiv(secs, kSecondsPerDay);
    long long tod = secs - dayNo * kSecondsPerDay;
    sys_days sd = Epoch() + days{dayNo};
    year_month_day ymd{sd};
    f.year = int(ymd.year());
    f.month = int(unsigned(ymd.month()));
    f.day = int(unsigned(ymd.day()));
    f.hour = int(tod / 3600);
    f.minute = int(tod % 3600 / 60);
    f.second = int(tod % 60);
    f.dayOfWeek = int(weekday{sd}.c_encoding()) + 1;
    f.dayOfYear = int((sd - sys_days{ymd.year() / January / 1}).count()) + 1;
    return true;
}

int COleDateTime::GetYear() const {
    Fields f;
    return Split(f) ? f.year : -1;
}
int COleDateTime::GetMonth() const {
    Fields f;
    return Split(f) ? f.month : -1;
}
int COleDateTime::GetDay() const {
    Fields f;
    return Split(f) ? f.day : -1;
}
int COleDateTime::GetHour() const {
    Fields f;
    return Split(f) ? f.hour : -1;
}
int COleDateTime::GetMinute() const {
    Fields f;
    return Split(f) ? f.minute : -1;
}
int COleDateTime::GetSecond() const {
    Fields f;
    return Split(f) ? f.second : -1;
}
int COleDateTime::GetDayOfWeek() const {
    Fields f;
    return Split(f) ? f.dayOfWeek : -1;
}
int COleDateTime::GetDayOfYear() const {
    Fields f;
    return Split(f) ? f.dayOfYear : -1;
}

namespace {

void AppendTwoDigits(std::string& out, int v) {
    out += char('0' + v / 10 % 10);
    out += char('0' + v % 10);
}

} // namespace

CString COleDateTime::Format(std::string_view pattern) const {
    Fields f;
    if (!Split(f) || pattern.empty()) return {};
    // The exchange and display forms use only these conversions: written directly, they cost
    // no locale look-up; any other pattern goes through strftime.
    std::string out;
    out.reserve(pattern.size() + 16);
    bool direct = true;
    for (std::size_t i = 0; i < pattern.size() && direct; ++i) {
        char c = pattern[i];
        if (c != '%') {
            out += c;
            continue;
        }
        char conv = i + 1 < pattern.size() ? pattern[++i] : '\0';
        switch (conv) {
        case 'Y':
            out += std::to_string(f.year);
            break;
        case 'm':
            AppendTwoDigits(out, f.month);
            break;
        case 'd':
            AppendTwoDigits(out, f.day);
            break;
        case 'H':
            AppendTwoDigits(out, f.hour);
            break;
        case 'M':
            AppendTwoDigits(out, f.minute);
            break;
        case 'S':
            AppendTwoDigits(out, f.second);
            break;
        case '%':
            out += '%';
            break;
        default:
            direct = false;
            break;
        }
    }
    if (direct) return CString(std::move(out));

    std::tm tm{};
    tm.tm_year = f.year - 1900;
    tm.tm_mon = f.month - 1;
    tm.tm_mday = f.day;
    tm.tm_hour = f.hour;
    tm.tm_min = f.minute;
    tm.tm_sec = f.second;
    tm.tm_wday = f.dayOfWeek - 1;
    tm.tm_yday = f.dayOfYear - 1;
    tm.tm_isdst = -1;
    // A leading space keeps strftime's result non-empty, so a zero length always means "too small".
    std::string fmt = " " + std::string(pattern);
    std::string buf(fmt.size() * 4 + 64, '\0');
    for (;;) {
        std::size_t n = std::strftime(buf.data(), buf.size(), fmt.c_str(), &tm);
        if (n > 0) return CString(buf.substr(1, n - 1));
        if (buf.size() > 1 << 20) return {};
        buf.resize(buf.size() * 2);
    }
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& span) const {
    COleDateTime r(FromLinear(Linear() + span.GetTotalDays()));
    if (m_status != valid || span.GetStatus() != COleDateTimeSpan::valid) r.m_status = invalid;
    return r;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& span) const {
    return *this + (-span);
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& other) const {
    COleDateTimeSpan s(Linear() - other.Linear());
    if (m_status != valid || other.m_status != valid) s.SetStatus(COleDateTimeSpan::invalid);
    return s;
}
