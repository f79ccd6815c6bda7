#pragma once
// The advanced options of the table query: the column list and selection items that the
// advanced settings build, key column names, the query's special flags and the decimals of
// the four value kinds.
#include "Arrays.h"
#include "QueryColumn.h"
#include "QueryItem.h"
#include "SelectItem.h"

class CQueryOptions : public CQueryItem {
public:
    CObjectArray<CSelectItem> m_selectItems;
    CObjectArray<CQueryColumn> m_columns; // index 0 an empty record once built
    CString m_stationColumn;
    CString m_timeColumn;
    CString m_columnsTable; // the table the column list was made for
    int m_timeCondition = 0;
    int m_idCondition = 0;
    int m_analysisComparison = 0;
    int m_directDisplay = 0;
    int m_missingDataStats = 0;
    int m_rtuSetting = 0;
    CString m_dataCharCode;
    CStringArray m_userGroups;
    int m_showPrimaryKeyId = 1;
    int m_hourlyRainfall = 0;
    int m_reverseTimeOrder = 0;
    int m_stationInput = 1;
    int m_statisticsEnabled = 0;
    CString m_hiddenColumns; // ","-separated column numbers
    int m_decimalsInstant = 2;
    int m_decimalsAverage = 2;
    int m_decimalsMaximum = 2;
    int m_decimalsMinimum = 2;
    int m_curveName = 0;

    CString Encode() const;
    void Decode(const CString& text);

    friend bool operator==(const CQueryOptions&, const CQueryOptions&) = default;
};
