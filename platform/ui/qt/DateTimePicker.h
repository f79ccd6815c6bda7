#pragma once
// The toolkit's date-time picker, showing either the date or the time of day of the time it
// holds. GetTime answers the whole time it was given, with the shown part as the user set it.
#include "OleDateTime.h"
#include "Wnd.h"

#include <QDateTimeEdit>

class CDateTimePicker : public QDateTimeEdit, public CWnd {
public:
    enum EPart { kDate, kTime };
    CDateTimePicker(int controlId, CWnd* owner, EPart part, QWidget* parent = nullptr);

    // False (and no change) for an invalid time.
    bool SetTime(const COleDateTime& time);
    COleDateTime GetTime() const;
};
