#include "TimeContorl.h"

#include "QtTimeConvert.h"

#include <QLineEdit>

#include <algorithm>

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
