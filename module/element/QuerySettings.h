#pragma once
// The table query's request as the element keeps it: the table, stations, period and time
// type, the query style, and the write permission and edit direction. Not a property string:
// it is written field by field into the display file.
#include "Arrays.h"
#include "CString.h"
#include "OleDateTime.h"

enum EQueryStyle { kStylePanel = 0, kStyleMenu = 1, kStyleDrive = 2 };
enum EStationDisplay { kDisplayAllStations = 1, kDisplayGivenStations = 2 };
enum ETimeTypeIndex { kTimeHour = 0, kTimeDay = 1, kTimeTenDay = 2, kTimeMonth = 3 };

class CQuerySettings {
public:
    int m_startFlag = 1;
    CString m_tableName;
    CStringArray m_stations;
    CString m_startTimeText; // "%Y-%m-%d %H:%M:%S"
    CString m_endTimeText;
    int m_displayMode = 0;
    int m_queryStyle = kStylePanel;
    int m_dynamicTime = 0;
    int m_timeTypeIndex = kTimeHour;
    int m_timeInterval = 3; // as the window settings, its persistent home
    int m_timeOffset = 0;
    int m_advanced = 0;
    CString m_accessMode = "READ";   // "READ", "WRITE" or "READ/WRITE"
    CString m_modifyDirection = "H"; // "H" or "V"
    CString m_further1 = "0";
    CString m_further2 = "1";
    COleDateTime m_startTime;
    COleDateTime m_endTime;
    CString m_windowText1;
    CString m_windowText2;

    friend bool operator==(const CQuerySettings&, const CQuerySettings&) = default;
};
