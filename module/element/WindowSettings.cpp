#include "WindowSettings.h"

CWindowSettings::CWindowSettings() {
    m_colors[0] = 0xC0C0C0;
    m_colors[1] = 0x0000FF;
    m_fonts.fill(m_font);
}

CString CWindowSettings::Encode(const CQuerySettings& query) const {
    CPropertyWriter w;
    Fields(*this, query, w);
    return w.Joined();
}

void CWindowSettings::Decode(const CString& text, CQuerySettings& query) {
    // What a window record without the carried fields of the string has always held.
    query.m_queryStyle = kStylePanel;
    query.m_dynamicTime = 1;
    query.m_timeTypeIndex = kTimeHour;
    query.m_timeInterval = 3;
    query.m_advanced = 0;
    query.m_timeOffset = 0;
    CPropertyReader r(text);
    Fields(*this, query, r);
}

void CWindowSettings::Decode(const CString& text) {
    CQuerySettings passedOver;
    Decode(text, passedOver);
}
