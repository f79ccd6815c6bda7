#pragma once
// What the element shows and how its grid looks: the mode (table query, point query or
// settings-table viewer), row colours, fixed columns, stored column widths, the per-column
// element choice and the width of the query panel.
#include "Arrays.h"
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
};
