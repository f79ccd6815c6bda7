#pragma once
// The point data query: which points, how they are shown and which period archive they are
// read from (hourly, daily, ten-day or monthly).
#include "Arrays.h"
#include "OleDateTime.h"
#include "PropertyList.h"
#include "QueryItem.h"
#include "Types.h"

enum EPointAccess { kPointWrite = 0, kPointRead = 1, kPointReadWrite = 2 };
enum EPointDataType { kPointHourly = 3, kPointDaily = 4, kPointTenDay = 5, kPointMonthly = 6 };
enum EPointValueKind { kPointInstant = 0, kPointAverage = 1, kPointMaximum = 2, kPointMinimum = 3 };

// A point as the point picker fills it: its number and name and four further values.
class CPointEntry {
public:
    CString m_number;
    CString m_name;
    int m_values[4] = {0, 0, 0, 0};
    friend bool operator==(const CPointEntry&, const CPointEntry&) = default;
};

template <class Self, class V>
requires FieldsOf<Self, CPointEntry>
void EntryFields(Self& p, V& v) {
    v.Text("number", p.m_number);
    v.TrimmedText("name", p.m_name);
    v.Int("values", p.m_values[0]);
    for (int i = 1; i < 4; ++i)
        v.Int("", p.m_values[i]);
}

class CStyleEntry {
public:
    long m_first = 0;
    long m_second = 0;
    LOGFONT m_font;
    friend bool operator==(const CStyleEntry&, const CStyleEntry&) = default;
};

template <class Self, class V>
requires FieldsOf<Self, CStyleEntry>
void EntryFields(Self& e, V& v) {
    v.Long("", e.m_first);
    v.Long("", e.m_second);
    v.Font("font", e.m_font);
}

class CPointQuerySettings : public CQueryItem {
public:
    int m_accessMode = kPointWrite;
    COLORREF m_gridBackground = 0x788181;
    CObjectArray<CPointEntry> m_points;
    CObjectArray<CStyleEntry> m_styles;
    CString m_displayModeName;
    int m_dataType = 0;
    int m_further = 0;
    // The period queried and the kind of value shown: set at run time (the element's period,
    // its drive records), not stored with the display.
    COleDateTime m_startTime;
    COleDateTime m_endTime;
    int m_valueKind = kPointInstant;

    // The point number at index (C library conversion of its text), -1 outside the list.
    int PointNumberAt(int index) const;
    // The point name at index, empty outside the list.
    CString PointNameAt(int index) const;

    CString Encode() const;
    void Decode(const CString& text);

    friend bool operator==(const CPointQuerySettings&, const CPointQuerySettings&) = default;

    template <class Self, class V>
    requires FieldsOf<Self, CPointQuerySettings>
    static void Fields(Self& s, V& v) {
        v.Int("accessMode", s.m_accessMode);
        v.Color("gridBackground", s.m_gridBackground);
        v.Objects("points", s.m_points);
        CStyleEntry newStyle; // a style read without its font keeps the settings' font
        newStyle.m_font = s.m_font;
        v.Objects("styles", s.m_styles, newStyle);
        v.Text("displayModeName", s.m_displayModeName);
        v.Int("dataType", s.m_dataType);
        v.Int("further", s.m_further);
    }
};
