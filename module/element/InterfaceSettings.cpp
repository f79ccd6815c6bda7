#include "InterfaceSettings.h"

CString CInterfaceSettings::Encode() const {
    CPropertyWriter w;
    Fields(*this, w);
    return w.Joined();
}

void CInterfaceSettings::Decode(const CString& text) {
    CPropertyReader r(text);
    Fields(*this, r);
}
