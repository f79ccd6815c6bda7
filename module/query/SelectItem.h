#pragma once
// A configured selection item: what a query bar turns into one selection group (a station
// list, a time block or a filter list), with the projection scheme it draws its texts from.
#include "CString.h"

enum ESelectKind { kSelectFilter = 1, kSelectStation = 2, kSelectTime = 3 };

class CSelectItem {
public:
    CString schemeId; // projection scheme id
    CString label;
    CString table;
    CString nameColumn;
    int showFlag = 0; // the scheme's show flag
    CString keyColumn;
    int kind = kSelectFilter;
    CString condition;

    friend bool operator==(const CSelectItem&, const CSelectItem&) = default;
};
