#pragma once
// The settings-table viewer: which tables it lists, and which column gives each table's span.
#include "Arrays.h"
#include "PropertyList.h"
#include "QueryItem.h"
#include "Types.h"

class CSysViewEntry {
public:
    CString m_table;
    CString m_second;
    CString m_column; // when set, the viewer also shows its minimum and maximum
    friend bool operator==(const CSysViewEntry&, const CSysViewEntry&) = default;
};

template <class Self, class V>
requires FieldsOf<Self, CSysViewEntry>
void EntryFields(Self& e, V& v) {
    v.Text("table", e.m_table);
    v.Text("second", e.m_second);
    v.Text("column", e.m_column);
}

class CSysViewSettings : public CQueryItem {
public:
    COLORREF m_background = 0xFFFFFF;
    CString m_text;
    CObjectArray<CSysViewEntry> m_entries;

    CString Encode() const;
    void Decode(const CString& text);

    friend bool operator==(const CSysViewSettings&, const CSysViewSettings&) = default;

    template <class Self, class V>
    requires FieldsOf<Self, CSysViewSettings>
    static void Fields(Self& s, V& v) {
        v.Color("background", s.m_background);
        v.Text("text", s.m_text);
        v.Objects("entries", s.m_entries);
    }
};
