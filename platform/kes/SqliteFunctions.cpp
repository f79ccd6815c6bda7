#include "SqliteFunctions.h"

#include "ValueText.h"

#include <sqlite3.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>

namespace kes {
namespace {

constexpr double kUnixEpochJulianDay = 2440587.5;

struct CivilTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

bool FromText(std::string_view text, CivilTime& t) {
    std::string s(text);
    int n =
        std::sscanf(s.c_str(), "%d-%d-%d %d:%d:%d", &t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second);
    if (n < 3) return false;
    return std::chrono::year_month_day(std::chrono::year(t.year), std::chrono::month(unsigned(t.month)),
                                       std::chrono::day(unsigned(t.day)))
        .ok();
}

bool FromJulianDay(double jd, CivilTime& t) {
    if (!std::isfinite(jd) || jd < 0 || jd > 5373484) return false; // the years 0000 to 9999
    long long seconds = std::llround((jd - kUnixEpochJulianDay) * 86400.0);
    long long days = seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400);
    long long rest = seconds - days * 86400;
    std::chrono::year_month_day ymd{std::chrono::sys_days{std::chrono::days{days}}};
    t.year = int(ymd.year());
    t.month = int(unsigned(ymd.month()));
    t.day = int(unsigned(ymd.day()));
    t.hour = int(rest / 3600);
    t.minute = int(rest / 60 % 60);
    t.second = int(rest % 60);
    return true;
}

double ToJulianDay(const CivilTime& t) {
    auto days = std::chrono::sys_days{std::chrono::year(t.year) / t.month / t.day}.time_since_epoch().count();
    return double(days) + kUnixEpochJulianDay + (t.hour * 3600 + t.minute * 60 + t.second) / 86400.0;
}

bool ValueToTime(sqlite3_value* v, CivilTime& t) {
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        return FromJulianDay(sqlite3_value_double(v), t);
    case SQLITE_TEXT:
        return FromText(reinterpret_cast<const char*>(sqlite3_value_text(v)), t);
    default:
        return false;
    }
}

bool StartsWithWord(std::string_view fmt, std::size_t i, std::string_view word) {
    if (fmt.size() - i < word.size()) return false;
    for (std::size_t k = 0; k < word.size(); ++k)
        if (std::toupper(static_cast<unsigned char>(fmt[i + k])) != word[k]) return false;
    return true;
}

std::string FormatTime(const CivilTime& t, std::string_view fmt) {
    std::string out;
    char buf[16];
    auto put = [&](const char* f, int v) {
        std::snprintf(buf, sizeof buf, f, v);
        out += buf;
    };
    for (std::size_t i = 0; i < fmt.size();) {
        if (fmt[i] == '"') { // quoted text is copied as it stands
            std::size_t end = fmt.find('"', i + 1);
            end = end == std::string_view::npos ? fmt.size() : end;
            out.append(fmt.substr(i + 1, end - i - 1));
            i = end + 1;
        } else if (StartsWithWord(fmt, i, "YYYY")) {
            put("%04d", t.year), i += 4;
        } else if (StartsWithWord(fmt, i, "YY")) {
            put("%02d", t.year % 100), i += 2;
        } else if (StartsWithWord(fmt, i, "HH24")) {
            put("%02d", t.hour), i += 4;
        } else if (StartsWithWord(fmt, i, "HH12")) {
            put("%02d", t.hour % 12 == 0 ? 12 : t.hour % 12), i += 4;
        } else if (StartsWithWord(fmt, i, "HH")) {
            put("%02d", t.hour % 12 == 0 ? 12 : t.hour % 12), i += 2;
        } else if (StartsWithWord(fmt, i, "MI")) {
            put("%02d", t.minute), i += 2;
        } else if (StartsWithWord(fmt, i, "MM")) {
            put("%02d", t.month), i += 2;
        } else if (StartsWithWord(fmt, i, "DD")) {
            put("%02d", t.day), i += 2;
        } else if (StartsWithWord(fmt, i, "SS")) {
            put("%02d", t.second), i += 2;
        } else {
            out += fmt[i++];
        }
    }
    return out;
}

void ResultNumberText(sqlite3_context* ctx, sqlite3_value* v) {
    std::string text;
    if (sqlite3_value_type(v) == SQLITE_INTEGER)
        AppendInteger(text, sqlite3_value_int64(v));
    else
        AppendNumber(text, sqlite3_value_double(v));
    sqlite3_result_text(ctx, text.data(), int(text.size()), SQLITE_TRANSIENT);
}

void ToChar(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    int type = sqlite3_value_type(argv[0]);
    if (type == SQLITE_NULL) return sqlite3_result_null(ctx);
    if (argc == 1) {
        if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) return ResultNumberText(ctx, argv[0]);
        return sqlite3_result_value(ctx, argv[0]);
    }
    CivilTime t;
    if (!ValueToTime(argv[0], t)) return sqlite3_result_error(ctx, "to_char: the value is not a time", -1);
    const char* fmt = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    std::string text = FormatTime(t, fmt ? fmt : "");
    sqlite3_result_text(ctx, text.data(), int(text.size()), SQLITE_TRANSIENT);
}

void LastDay(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    CivilTime t;
    if (!ValueToTime(argv[0], t)) return sqlite3_result_error(ctx, "last_day: the value is not a time", -1);
    using namespace std::chrono;
    t.day = int(unsigned(year_month_day_last(year(t.year), month_day_last(month(unsigned(t.month)))).day()));
    sqlite3_result_double(ctx, ToJulianDay(t));
}

void TrimValue(sqlite3_context* ctx, int, sqlite3_value** argv) {
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_NULL:
        return sqlite3_result_null(ctx);
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        return ResultNumberText(ctx, argv[0]);
    default: {
        std::string_view s(reinterpret_cast<const char*>(sqlite3_value_text(argv[0])),
                           std::size_t(sqlite3_value_bytes(argv[0])));
        std::size_t b = s.find_first_not_of(' ');
        if (b == std::string_view::npos) return sqlite3_result_text(ctx, "", 0, SQLITE_STATIC);
        std::size_t e = s.find_last_not_of(' ');
        sqlite3_result_text(ctx, s.data() + b, int(e - b + 1), SQLITE_TRANSIENT);
    }
    }
}

} // namespace

void RegisterDialectFunctions(sqlite3* db) {
    constexpr int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(db, "to_char", 1, flags, nullptr, ToChar, nullptr, nullptr);
    sqlite3_create_function(db, "to_char", 2, flags, nullptr, ToChar, nullptr, nullptr);
    sqlite3_create_function(db, "last_day", 1, flags, nullptr, LastDay, nullptr, nullptr);
    sqlite3_create_function(db, "trim", 1, flags, nullptr, TrimValue, nullptr, nullptr);
}

} // namespace kes
