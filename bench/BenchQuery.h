#pragma once
// The engine asked as a query window asks it: one table, the given stations, one stretch.
#include "BenchTables.h"
#include "TableQuery.h"

#include <string>
#include <vector>

namespace bench {

// Loads table into query and asks for the given stations from from to to.
inline CTableQuery& AskForStations(CTableQuery& query, const char* table,
                                   const std::vector<std::string>& stations, const char* from, const char* to,
                                   const CTableQueryOptions& options = {}) {
    query.Load(table, options);
    query.m_request.form = kFormGivenStations;
    for (const std::string& id : stations)
        query.m_request.keys.Add(CString(id));
    query.m_request.startTime = from;
    query.m_request.endTime = to;
    return query;
}

// The whole stretch of the hourly tables for all their stations.
inline CTableQuery& AskForHourlyStations(CTableQuery& query, const char* table = "RIVER_HOUR") {
    return AskForStations(query, table, HourlyStationIds(), kHourlyFrom, kHourlyTo);
}

} // namespace bench
