#pragma once
// The look of the element's windows: panel colours and fonts, the single selection, the
// data-entry menu entry. Its property string is also the stored home of six query fields (query
// style, dynamic time, time type, interval, advanced flag, time offset): they live in the query
// settings alone, and the string carries them at their places between the fonts and the single
// selection.
#include "PropertyList.h"
#include "QueryItem.h"
#include "QuerySettings.h"
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
    int m_singleSelect = 0;                        // 1: single selection ("多选" unticked)
    int m_stationListHeight = 100;
    int m_dataEntryMenu = 0;
    CString m_entryFormName;

    // The property string, carrying the six fields of query.
    CString Encode(const CQuerySettings& query) const;
    // Reads the property string; the six carried fields go to query, those the string stops
    // before taking the values a string without them has always given (dynamic time 1,
    // interval 3, the others 0).
    void Decode(const CString& text, CQuerySettings& query);
    // Reads the property string where the query settings are had elsewhere: the carried fields
    // are passed over.
    void Decode(const CString& text);

    friend bool operator==(const CWindowSettings&, const CWindowSettings&) = default;

    // query: the query settings whose carried fields the string holds.
    template <class Self, class Query, class V>
    requires FieldsOf<Self, CWindowSettings> && FieldsOf<Query, CQuerySettings>
    static void Fields(Self& s, Query& query, V& v) {
        if (!v.Holds(kItemsWithColoursAndFonts)) return;
        for (size_t i = 0; i < s.m_colors.size(); ++i)
            v.Color("colors[" + std::to_string(i) + "]", s.m_colors[i]);
        for (size_t i = 0; i < s.m_fonts.size(); ++i)
            v.Font("fonts[" + std::to_string(i) + "]", s.m_fonts[i]);
        v.Int("queryStyle", query.m_queryStyle);
        v.Int("dynamicTime", query.m_dynamicTime);
        v.Int("timeType", query.m_timeTypeIndex);
        v.Int("timeInterval", query.m_timeInterval);
        v.Int("advanced", query.m_advanced);
        v.Int("singleSelect", s.m_singleSelect);
        v.Int("stationListHeight", s.m_stationListHeight);
        v.Int("dataEntryMenu", s.m_dataEntryMenu);
        v.Text("entryFormName", s.m_entryFormName);
        v.Int("timeOffset", query.m_timeOffset);
    }
};
