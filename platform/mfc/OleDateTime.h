#pragma once
// Date-times as the system stores them: days since 30 December 1899 with the time of day as
// the fraction. Before that day the integer part counts days backwards while the fraction
// still runs forwards (-1.25 is 29 December 1899, 06:00), so arithmetic goes through a linear
// form. Fields are resolved to whole seconds, rounding to the nearest second.
#include "CString.h"

class COleDateTimeSpan {
public:
    enum DateTimeSpanStatus { valid = 0, invalid = 1, null = 2 };

    COleDateTimeSpan() = default;
    explicit COleDateTimeSpan(double days) : m_span(days) {}
    COleDateTimeSpan(long days, int hours, int minutes, int seconds) {
        SetDateTimeSpan(days, hours, minutes, seconds);
    }

    void SetDateTimeSpan(long days, int hours, int minutes, int seconds);
    DateTimeSpanStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeSpanStatus s) { m_status = s; }

    double GetTotalDays() const { return m_span; }
    double GetTotalHours() const { return m_span * 24; }
    double GetTotalMinutes() const { return m_span * 24 * 60; }
    double GetTotalSeconds() const { return m_span * 24 * 60 * 60; }
    // Components of the span rounded to whole seconds; negative spans give negative parts.
    long GetDays() const;
    int GetHours() const;
    int GetMinutes() const;
    int GetSeconds() const;

    COleDateTimeSpan operator+(const COleDateTimeSpan& o) const {
        return COleDateTimeSpan(m_span + o.m_span);
    }
    COleDateTimeSpan operator-(const COleDateTimeSpan& o) const {
        return COleDateTimeSpan(m_span - o.m_span);
    }
    COleDateTimeSpan operator-() const { return COleDateTimeSpan(-m_span); }
    friend bool operator==(const COleDateTimeSpan& a, const COleDateTimeSpan& b) {
        return a.m_span == b.m_span;
    }
    friend auto operator<=>(const COleDateTimeSpan& a, const COleDateTimeSpan& b) {
        return a.m_span <=> b.m_span;
    }

private:
    long long TotalSecondsRounded() const;
    double m_span = 0.0;
    DateTimeSpanStatus m_status = valid;
};

class COleDateTime {
public:
    enum DateTimeStatus { error = -1, valid = 0, invalid = 1, null = 2 };

    COleDateTime() = default;
    explicit COleDateTime(double oleDate) : m_dt(oleDate) {}
    COleDateTime(int year, int month, int day, int hour, int minute, int second) {
        SetDateTime(year, month, day, hour, minute, second);
    }

    static COleDateTime GetCurrentTime(); // local time, to the second

    // 0 on success; 1 when the fields make no real date-time (the value becomes invalid).
    int SetDateTime(int year, int month, int day, int hour, int minute, int second);
    int SetDate(int year, int month, int day) { return SetDateTime(year, month, day, 0, 0, 0); }
    int SetTime(int hour, int minute, int second) { return SetDateTime(1899, 12, 30, hour, minute, second); }

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus s) { m_status = s; }
    bool IsValid() const { return m_status == valid; }
    double m_dt = 0.0;

    // -1 when the value is not valid.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const; // 1 Sunday .. 7 Saturday
    int GetDayOfYear() const; // 1 .. 366

    // strftime-style pattern; literal text (Chinese included) is copied as it stands.
    // An invalid value formats as an empty text.
    CString Format(std::string_view pattern) const;

    COleDateTime operator+(const COleDateTimeSpan& span) const;
    COleDateTime operator-(const COleDateTimeSpan& span) const;
    COleDateTime& operator+=(const COleDateTimeSpan& span) { return *this = *this + span; }
    COleDateTime& operator-=(const COleDateTimeSpan& span) { return *this = *this - span; }
    COleDateTimeSpan operator-(const COleDateTime& other) const;

    friend bool operator==(const COleDateTime& a, const COleDateTime& b) {
        return a.m_status == b.m_status && a.m_dt == b.m_dt;
    }
    friend bool operator<(const COleDateTime& a, const COleDateTime& b) { return a.Linear() < b.Linear(); }
    friend bool operator>(const COleDateTime& a, const COleDateTime& b) { return b < a; }
    friend bool operator<=(const COleDateTime& a, const COleDateTime& b) { return !(b < a); }
    friend bool operator>=(const COleDateTime& a, const COleDateTime& b) { return !(a < b); }

    // Linear day count (negative dates made continuous) and back.
    double Linear() const;
    static double FromLinear(double linear);

private:
    struct Fields {
        int year, month, day, hour, minute, second, dayOfWeek, dayOfYear;
    };
    bool Split(Fields& f) const;
    DateTimeStatus m_status = valid;
};
