#include "StatSetValues.h"

#include "PropertyPageValues.h"

namespace {

CString Number(int value) {
    CString text;
    text.Format("%d", value);
    return text;
}

} // namespace

CStatSetValues CStatSetValues::Load(const CQueryOptions& o) {
    return {o.m_statisticsEnabled == 1,  o.m_hiddenColumns,           Number(o.m_decimalsInstant),
            Number(o.m_decimalsAverage), Number(o.m_decimalsMaximum), Number(o.m_decimalsMinimum)};
}

bool CStatSetValues::Save(CQueryOptions& o, CString& message) const {
    long long decimals[4] = {};
    const CString* texts[4] = {&decimalsInstant, &decimalsAverage, &decimalsMaximum, &decimalsMinimum};
    for (int i = 0; i < 4; ++i)
        if (!ReadPageNumber(*texts[i], kAnyIntRange, decimals[i], message)) return false;
    o.m_statisticsEnabled = enabled ? 1 : 0;
    o.m_hiddenColumns = hiddenColumns;
    o.m_decimalsInstant = int(decimals[0]);
    o.m_decimalsAverage = int(decimals[1]);
    o.m_decimalsMaximum = int(decimals[2]);
    o.m_decimalsMinimum = int(decimals[3]);
    return true;
}
