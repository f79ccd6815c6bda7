#pragma once
// "统计信息设置" (dialog 918) as values: whether the statistics rows follow these settings,
// which columns they leave out, and the decimals of each statistic.
#include "QueryOptions.h"

struct CStatSetValues {
    bool enabled = false;
    CString hiddenColumns; // column numbers separated by ","
    CString decimalsInstant;
    CString decimalsAverage;
    CString decimalsMaximum;
    CString decimalsMinimum;

    static CStatSetValues Load(const CQueryOptions& options);
    // False with the message when a decimal count is no whole number (nothing is stored then).
    bool Save(CQueryOptions& options, CString& message) const;
};
