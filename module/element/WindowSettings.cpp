#include "WindowSettings.h"

#include "PropertyList.h"

CWindowSettings::CWindowSettings() {
    m_colors[0] = 0xC0C0C0;
    m_colors[1] = 0x0000FF;
    m_fonts.fill(m_font);
}

CString CWindowSettings::Encode() const {
    CPropertyWriter w;
    for (COLORREF c : m_colors)
        w.Long(c);
    for (const LOGFONT& f : m_fonts)
        w.Font(f);
    for (int v : {m_queryStyle, m_dynamicTime, m_timeType, m_timeInterval, m_advanced, m_singleSelect,
                  m_stationListHeight, m_dataEntryMenu})
        w.Int(v);
    w.Text(m_entryFormName);
    w.Int(m_timeOffset);
    return w.Joined();
}

void CWindowSettings::Decode(const CString& text) {
    CPropertyReader r(text);
    if (r.Count() < kItemsWithColoursAndFonts) return;
    for (COLORREF& c : m_colors)
        r.Long(c);
    for (LOGFONT& f : m_fonts)
        r.Font(f);
    r.Int(m_queryStyle) && r.Int(m_dynamicTime) && r.Int(m_timeType) && r.Int(m_timeInterval) &&
        r.Int(m_advanced) && r.Int(m_singleSelect) && r.Int(m_stationListHeight) && r.Int(m_dataEntryMenu) &&
        r.Text(m_entryFormName) && r.Int(m_timeOffset);
}
