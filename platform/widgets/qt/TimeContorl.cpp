#include "TimeContorl.h"

#include <QLineEdit>

#include <algorithm>

namespace {

// Period of the month by day: 0 上旬 (1-10), 1 中旬 (11-20), 2 下旬 (21-end).
int TenDayOf(int day) {
    return std::min((day - 1) / 10, 2);
}

const char* TenDayWord(int tenDay) {
    static const char* const words[] = {"上旬", "中旬", "下旬"};
    return words[tenDay];
}

QDateTime ToQDateTime(const COleDateTime& time) {
    return QDateTime(QDate(time.GetYear(), time.GetMonth(), time.GetDay()),
                     QTime(time.GetHour(), time.GetMinute(), time.GetSecond()));
}

COleDateTime ToOleDateTime(const QDateTime& time) {
    const QDate date = time.date();
    const QTime clock = time.time();
    return COleDateTime(date.year(), date.month(), date.day(), clock.hour(), clock.minute(), clock.second());
}

} // namespace

bool IsTimePrecision(int precision) {
    return (precision >= TIME_PRECISION_MINUTE && precision <= TIME_PRECISION_YEAR) ||
           precision == TIME_PRECISION_TENDAY;
}

COleDateTime CutTimeToPrecision(const COleDateTime& time, int precision) {
    if (!time.IsValid()) return time;
    const int year = time.GetYear(), month = time.GetMonth(), day = time.GetDay();
    switch (precision) {
    case TIME_PRECISION_MINUTE:
        return COleDateTime(year, month, day, time.GetHour(), time.GetMinute(), 0);
    case TIME_PRECISION_HOUR:
        return COleDateTime(year, month, day, time.GetHour(), 0, 0);
    case TIME_PRECISION_DAY:
        return COleDateTime(year, month, day, 0, 0, 0);
    case TIME_PRECISION_TENDAY:
        return COleDateTime(year, month, TenDayOf(day) * 10 + 1, 0, 0, 0);
    case TIME_PRECISION_MONTH:
        return COleDateTime(year, month, 1, 0, 0, 0);
    case TIME_PRECISION_YEAR:
        return COleDateTime(year, 1, 1, 0, 0, 0);
    default:
        return time;
    }
}

CString FormatTimeForPrecision(const COleDateTime& time, int precision) {
    switch (precision) {
    case TIME_PRECISION_HOUR:
        return time.Format("%Y年%m月%d日 %H时");
    case TIME_PRECISION_DAY:
        return time.Format("%Y年%m月%d日");
    case TIME_PRECISION_TENDAY:
        if (!time.IsValid()) return {};
        return time.Format("%Y年%m月 ") + CString(TenDayWord(TenDayOf(time.GetDay())));
    case TIME_PRECISION_MONTH:
        return time.Format("%Y年%m月");
    case TIME_PRECISION_YEAR:
        return time.Format("%Y年");
    default:
        return time.Format("%Y年%m月%d日 %H时%M分");
    }
}

CTimeContorl::CTimeContorl(int controlId, CWnd* owner, QWidget* parent, int precision)
    : QDateTimeEdit(parent), CWnd(*this, controlId, owner),
      m_precision(IsTimePrecision(precision) ? precision : TIME_PRECISION_MINUTE) {
    setCalendarPopup(false);
    setDateTime(QDateTime(QDate::currentDate(), QTime(QTime::currentTime().hour(), 0)));
    ApplyFormat();
    connect(this, &QDateTimeEdit::dateTimeChanged, this, [this] {
        if (m_precision == TIME_PRECISION_TENDAY) ApplyFormat();
        if (!m_quiet) NotifyOwner(DTN_DATETIMECHANGE);
    });
}

bool CTimeContorl::SetPrecision(int precision) {
    if (!IsTimePrecision(precision)) return false;
    m_precision = precision;
    ApplyFormat();
    return true;
}

bool CTimeContorl::SetTime(const COleDateTime& time) {
    if (!time.IsValid()) return false;
    const QDateTime shown = ToQDateTime(time);
    if (!shown.isValid()) return false;
    m_quiet = true;
    setDateTime(shown);
    m_quiet = false;
    return true;
}

COleDateTime CTimeContorl::GetTime() const {
    return CutTimeToPrecision(ToOleDateTime(dateTime()), m_precision);
}

void CTimeContorl::ApplyFormat() {
    QString format;
    switch (m_precision) {
    case TIME_PRECISION_HOUR:
        format = QStringLiteral("yyyy年MM月dd日 HH时");
        break;
    case TIME_PRECISION_DAY:
        format = QStringLiteral("yyyy年MM月dd日");
        break;
    case TIME_PRECISION_TENDAY:
        format = QStringLiteral("yyyy年MM月 '%1'").arg(QString::fromUtf8(TenDayWord(TenDayOf(date().day()))));
        break;
    case TIME_PRECISION_MONTH:
        format = QStringLiteral("yyyy年MM月");
        break;
    case TIME_PRECISION_YEAR:
        format = QStringLiteral("yyyy年");
        break;
    default:
        format = QStringLiteral("yyyy年MM月dd日 HH时mm分");
        break;
    }
    if (format == displayFormat()) return;
    const int cursor = lineEdit()->cursorPosition();
    setDisplayFormat(format);
    lineEdit()->setCursorPosition(cursor);
}

bool CTimeContorl::CursorOnTenDay() const {
    if (m_precision != TIME_PRECISION_TENDAY) return false;
    // "yyyy年MM月" is eight characters; the word follows.
    return lineEdit()->cursorPosition() > 8;
}

void CTimeContorl::stepBy(int steps) {
    if (!CursorOnTenDay()) {
        QDateTimeEdit::stepBy(steps);
        return;
    }
    const QDate day = date();
    const int periods = (day.year() * 12 + day.month() - 1) * 3 + TenDayOf(day.day()) + steps;
    const int month = periods / 3;
    const QDate moved(month / 12, month % 12 + 1, periods % 3 * 10 + 1);
    if (moved.isValid()) setDateTime(QDateTime(moved, time()));
}

QAbstractSpinBox::StepEnabled CTimeContorl::stepEnabled() const {
    if (CursorOnTenDay()) return StepUpEnabled | StepDownEnabled;
    return QDateTimeEdit::stepEnabled();
}
