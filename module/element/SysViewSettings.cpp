#include "SysViewSettings.h"

CString CSysViewSettings::Encode() const {
    CPropertyWriter w;
    Fields(*this, w);
    return w.Joined();
}

void CSysViewSettings::Decode(const CString& text) {
    CPropertyReader r(text);
    Fields(*this, r);
}
