#pragma once
// The look and the query behaviour of the element's windows: panel colours and fonts, and the
// persistent home of the query style, dynamic time, time type, interval, advanced flag and
// time offset of the query settings.
#include "QueryItem.h"
#include "Types.h"

#include <array>

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
};
