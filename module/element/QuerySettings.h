#pragma once
// The table query's request as the element keeps it: the table, stations, period and time
// type, the query style, and the write permission and edit direction. Not a property string:
// it is written field by field into the display file.
#include "Arrays.h"
#include "CString.h"
#include "OleDateTime.h"
#include "PropertyList.h"

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

    // The stored fields in the order of the display file; `Carried` ones travel in the window
    // settings. The times and window texts are set at run time and not stored.
    template <class Self, class V>
    requires FieldsOf<Self, CQuerySettings>
    static void Fields(Self& s, V& v) {
        v.Int("startFlag", s.m_startFlag);
        v.Texts("stations", s.m_stations);
        v.Int("displayMode", s.m_displayMode);
        v.Text("further2", s.m_further2);
        v.Text("accessMode", s.m_accessMode);
        v.Text("modifyDirection", s.m_modifyDirection);
        v.Text("further1", s.m_further1);
        v.Text("tableName", s.m_tableName);
        v.Text("startTime", s.m_startTimeText);
        v.Text("endTime", s.m_endTimeText);
        v.Carried("queryStyle", s.m_queryStyle);
        v.Carried("dynamicTime", s.m_dynamicTime);
        v.Carried("timeTypeIndex", s.m_timeTypeIndex);
        v.Carried("timeInterval", s.m_timeInterval);
        v.Carried("timeOffset", s.m_timeOffset);
        v.Carried("advanced", s.m_advanced);
    }
};
