#include "DateTimePicker.h"

#include "QtTimeConvert.h"

CDateTimePicker::CDateTimePicker(int controlId, CWnd* owner, EPart part, QWidget* parent)
    : QDateTimeEdit(parent), CWnd(*this, controlId, owner) {
    setDisplayFormat(part == kDate ? "yyyy-MM-dd" : "HH:mm:ss");
    setCalendarPopup(part == kDate);
}

bool CDateTimePicker::SetTime(const COleDateTime& time) {
    if (!time.IsValid()) return false;
    setDateTime(ToQDateTime(time));
    return true;
}

COleDateTime CDateTimePicker::GetTime() const {
    return ToOleDateTime(dateTime());
}
