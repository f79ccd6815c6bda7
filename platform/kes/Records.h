#pragma once
// The data records that OutRT and OutSpanDB answer with.
//
// OutRT reads the event tables RTEV and REAL: one record per stored value of a station,
// (SENID, TIME, FACTV, DATAPRO) = station, time, value, data property.
// OutSpanDB reads the period tables HOURDB, DAYDB, DAY10DB and MONTHDB: one record per period
// of a point, (SENID, TIME, INSTV, INSTQ, AVGV, AVGQ, MAXV, MAXQ, MINV, MINQ) = point, period
// time, and a value and a quality code for each of the four value kinds.
#include "Object.h"
#include "OleDateTime.h"

class CRTRecord : public CObject {
public:
    CRTRecord() = default;
    CRTRecord(const CRTRecord&) = default;
    CRTRecord& operator=(const CRTRecord&) = default;

    int m_nSenId = 0;
    COleDateTime m_time;
    double m_fValue = 0;
    int m_nDataPro = 0;
};

class CSpanRecord : public CObject {
public:
    // Index of the value kinds in m_fValue and m_nQuality.
    enum Kind { Instant = 0, Average = 1, Maximum = 2, Minimum = 3 };

    CSpanRecord() = default;
    CSpanRecord(const CSpanRecord&) = default;
    CSpanRecord& operator=(const CSpanRecord&) = default;

    int m_nSenId = 0;
    COleDateTime m_time;
    float m_fValue[4] = {0, 0, 0, 0};
    int m_nQuality[4] = {0, 0, 0, 0};
};
