#pragma once
// Times to the second as the date-time controls show and edit them.
#include "OleDateTime.h"

#include <QDateTime>

inline QDateTime ToQDateTime(const COleDateTime& time) {
    return QDateTime(QDate(time.GetYear(), time.GetMonth(), time.GetDay()),
                     QTime(time.GetHour(), time.GetMinute(), time.GetSecond()));
}

inline COleDateTime ToOleDateTime(const QDateTime& time) {
    const QDate date = time.date();
    const QTime clock = time.time();
    return COleDateTime(date.year(), date.month(), date.day(), clock.hour(), clock.minute(), clock.second());
}
