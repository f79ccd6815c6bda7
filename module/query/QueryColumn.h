#pragma once
// One configured column of a queried table: its names, type, value-to-name mapping, display
// position, directive text and appearance. Index 0 of every column list is an empty record;
// real columns start at index 1.
#include "Arrays.h"
#include "CString.h"
#include "LogFont.h"
#include "Types.h"

#include <cstdint>

// Value class of a column: decides quoting in SQL, alignment and editing.
enum EValueClass { kValueOther = 0, kValueText = 1, kValueNumber = 2, kValueTime = 3 };

class CQueryColumn {
public:
    CString colname;
    CString colnamech;
    CString datatypeid;
    CString typeName;
    int valueClass = kValueOther;
    CString Projmodeid;
    CStringArray projections; // each "name(code)"
    CString showt;
    std::int32_t Point = 0;     // display position
    CString further1, further2; // the element's own column settings, copied along
    CString restrictdata;       // directive text
    CString colorfgText;
    COLORREF colorfg = 0;
    CString colorbgText;
    COLORREF colorbg = 0;
    CString fontText;
    LOGFONT font;
    int furtherInt = 0;

    friend bool operator==(const CQueryColumn&, const CQueryColumn&) = default;
};
