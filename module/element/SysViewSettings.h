#pragma once
// The settings-table viewer: which tables it lists, and which column gives each table's span.
#include "Arrays.h"
#include "QueryItem.h"
#include "Types.h"

class CSysViewEntry {
public:
    CString m_table;
    CString m_second;
    CString m_column; // when set, the viewer also shows its minimum and maximum
    friend bool operator==(const CSysViewEntry&, const CSysViewEntry&) = default;
};

class CSysViewSettings : public CQueryItem {
public:
    COLORREF m_background = 0xFFFFFF;
    CString m_text;
    CObjectArray<CSysViewEntry> m_entries;

    CString Encode() const;
    void Decode(const CString& text);

    friend bool operator==(const CSysViewSettings&, const CSysViewSettings&) = default;
};
