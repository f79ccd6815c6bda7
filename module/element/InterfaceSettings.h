#pragma once
// What the element shows and how its grid looks: the mode (table query, point query or
// settings-table viewer), row colours, fixed columns, stored column widths, the per-column
// element choice and the width of the query panel.
#include "Arrays.h"
#include "PropertyList.h"
#include "QueryItem.h"
#include "Types.h"

enum EElementMode { kModeTableQuery = 0, kModePointQuery = 1, kModeSystemView = 2 };

class CInterfaceSettings : public CQueryItem {
public:
    long m_mode = kModeTableQuery;
    int m_alternateRows = 1;
    COLORREF m_firstRowColor = 0xC8FFFF;
    COLORREF m_secondRowColor = 0xFFFFFF;
    COLORREF m_gridBackground = 0xFFFFFF;
    int m_fixedColumns = 0;
    CDWordArray m_columnWidths; // pixels, one per grid column
    int m_elementChoice = 0;
    CDWordArray m_elementList; // one check state per grid column
    long m_fixedColumnCount = 1;
    long m_panelWidth = 175;

    CString Encode() const;
    void Decode(const CString& text);

    friend bool operator==(const CInterfaceSettings&, const CInterfaceSettings&) = default;

    // The mode is read from any list; the row flag and colours only from a list of at least 4
    // items, the fixed-columns flag and the rest only from one of at least 5.
    template <class Self, class V>
    requires FieldsOf<Self, CInterfaceSettings>
    static void Fields(Self& s, V& v) {
        v.Mode("mode", s.m_mode);
        if (!v.Holds(4)) return;
        v.Flag("alternateRows", s.m_alternateRows);
        v.Color("firstRowColor", s.m_firstRowColor);
        v.Color("secondRowColor", s.m_secondRowColor);
        if (!v.Holds(5)) return;
        v.Flag("fixedColumns", s.m_fixedColumns);
        v.Numbers("columnWidths", s.m_columnWidths);
        v.Color("gridBackground", s.m_gridBackground);
        v.Int("elementChoice", s.m_elementChoice);
        v.Numbers("elementList", s.m_elementList);
        v.Long("fixedColumnCount", s.m_fixedColumnCount);
        v.Long("panelWidth", s.m_panelWidth);
    }
};
