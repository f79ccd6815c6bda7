#include "UnitEntryForms.h"

const CStringArray& CUnitEntryCatalogue::FormNames() {
    static const CStringArray names{kRozForm, kVuForm};
    return names;
}

long CUnitEntryCatalogue::SchemeOf(const CString& formName) {
    CString name = formName;
    name.Trim();
    if (name == kRozForm) return 10010;
    if (name == kVuForm) return 10011;
    return 0;
}
