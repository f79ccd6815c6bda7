#pragma once
// The look and the query behaviour of the element's windows: panel colours and fonts, and the
// persistent home of the query style, dynamic time, time type, interval, advanced flag and
// time offset of the query settings.
#include "PropertyList.h"
#include "QueryItem.h"
#include "Types.h"

#include <array>
#include <string>

class CWindowSettings : public CQueryItem {
public:
    static constexpr int kColourCount = 31;
    static constexpr int kFontCount = 30;
    static constexpr int kItemCount = 71;
    // Colours and fonts are read back only from a list that holds all of them.
    static constexpr int kItemsWithColoursAndFonts = kColourCount + kFontCount;

    CWindowSettings();

    std::array<COLORREF, kColourCount> m_colors{}; // 0 panel background, 1 single-selection colour
    std::array<LOGFONT, kFontCount> m_fonts;       // 0 window font, 1 single-selection font
    int m_queryStyle = 0;
    int m_dynamicTime = 1;
    int m_timeType = 0;
    int m_timeInterval = 3;
    int m_advanced = 0;
    int m_singleSelect = 0; // 1: single selection ("多选" unticked)
    int m_stationListHeight = 100;
    int m_dataEntryMenu = 0;
    CString m_entryFormName;
    int m_timeOffset = 0;

    CString Encode() const;
    void Decode(const CString& text);

    friend bool operator==(const CWindowSettings&, const CWindowSettings&) = default;

    template <class Self, class V>
    requires FieldsOf<Self, CWindowSettings>
    static void Fields(Self& s, V& v) {
        if (!v.Holds(kItemsWithColoursAndFonts)) return;
        for (size_t i = 0; i < s.m_colors.size(); ++i)
            v.Color("colors[" + std::to_string(i) + "]", s.m_colors[i]);
        for (size_t i = 0; i < s.m_fonts.size(); ++i)
            v.Font("fonts[" + std::to_string(i) + "]", s.m_fonts[i]);
        v.Int("queryStyle", s.m_queryStyle);
        v.Int("dynamicTime", s.m_dynamicTime);
        v.Int("timeType", s.m_timeType);
        v.Int("timeInterval", s.m_timeInterval);
        v.Int("advanced", s.m_advanced);
        v.Int("singleSelect", s.m_singleSelect);
        v.Int("stationListHeight", s.m_stationListHeight);
        v.Int("dataEntryMenu", s.m_dataEntryMenu);
        v.Text("entryFormName", s.m_entryFormName);
        v.Int("timeOffset", s.m_timeOffset);
    }
};
