#include "WindowSettings.h"

CWindowSettings::CWindowSettings() {
    m_colors[0] = 0xC0C0C0;
    m_colors[1] = 0x0000FF;
    m_fonts.fill(m_font);
}

CString CWindowSettings::Encode() const {
    CPropertyWriter w;
    Fields(*this, w);
    return w.Joined();
}

void CWindowSettings::Decode(const CString& text) {
    CPropertyReader r(text);
    Fields(*this, r);
}
