#include "QuerySettings.h"

void CQuerySettings::SetGivenStations(const CString& text) {
    CString stations = text;
    stations.Trim();
    m_displayMode = kDisplayGivenStations;
    m_stations.RemoveAll();
    int start = 0;
    for (int comma = stations.Find(','); comma >= 0; comma = stations.Find(',', start)) {
        m_stations.Add(stations.Mid(start, comma - start));
        start = comma + 1;
    }
    if (start < stations.GetLength()) m_stations.Add(stations.Mid(start));
}
