#pragma once
// The date-time control of the widget library. It shows a time to a precision, in Chinese:
//     1 minute   2026年12月07日 08时30分        4 month    2026年12月
//     2 hour     2026年12月07日 08时            5 year     2026年
//     3 day      2026年12月07日                 33 ten-day 2026年12月 上旬 (中旬, 下旬)
// The control keeps the full time it was given; GetTime answers it cut to the precision, so a
// ten-day precision answers day 1, 11 or 21 at midnight. Tells the owner DTN_DATETIMECHANGE
// when the user changes the time; SetTime and SetPrecision tell nothing.
#include "OleDateTime.h"
#include "TimePrecision.h"
#include "Wnd.h"

#include <QDateTimeEdit>

constexpr int DTN_DATETIMECHANGE = -759;

class CTimeContorl : public QDateTimeEdit, public CWnd {
public:
    CTimeContorl(int controlId, CWnd* owner, QWidget* parent = nullptr,
                 int precision = TIME_PRECISION_MINUTE);

    // False (and no change) for an unknown code.
    bool SetPrecision(int precision);
    int GetPrecision() const { return m_precision; }

    // False (and no change) for an invalid time.
    bool SetTime(const COleDateTime& time);
    COleDateTime GetTime() const;
    void GetTime(COleDateTime& time) const { time = GetTime(); }

protected:
    void stepBy(int steps) override;
    StepEnabled stepEnabled() const override;

private:
    // The text after the month is the ten-day word, which the field format cannot hold as a
    // section: it is a literal, rewritten whenever the day moves into another ten-day period.
    void ApplyFormat();
    bool CursorOnTenDay() const;

    int m_precision;
    bool m_quiet = false;
};
