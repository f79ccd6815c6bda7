#pragma once
// The generating-unit entry forms, one per power plant, known by their names: the catalogue
// the window settings choose from and the projection scheme that lists each plant's units.
#include "Arrays.h"
#include "CString.h"

class CUnitEntryCatalogue {
public:
    static constexpr const char* kRozForm = "roz机组数据录入";
    static constexpr const char* kVuForm = "vu左岸机组数据录入";

    // The form names in their order: first "roz机组数据录入", then "vu左岸机组数据录入".
    static const CStringArray& FormNames();
    // The projection scheme of a form's units (10010, 10011), 0 for a name that is no form.
    // The name is compared trimmed.
    static long SchemeOf(const CString& formName);
};
