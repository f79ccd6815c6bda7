#pragma once
// The steps of a demo build, each in its own file; DemoDatabase.cpp runs them in order.
#include "DemoDatabase.h"
#include "DemoStations.h"
#include "DemoWriter.h"

#include <string>
#include <vector>

namespace demo {

// Drops (when present) and creates every table of the demo database.
void CreateSchema(CDemoWriter& writer);
// Indexes by station and time, made after the rows are in.
void CreateIndexes(CDemoWriter& writer);
// Names of the tables CreateSchema makes.
std::vector<std::string> DemoTableNames();

// The settings tables (configured tables, columns, mappings, display modes, colours) and the
// reference tables they map through (stations, basins, centres, points, units, curves).
void WriteSettings(CDemoWriter& writer, const std::vector<DemoStation>& stations);

// The data tables.
struct DataPlan {
    std::vector<DemoStation> stations;
    bool compact = false;
    std::function<void(const std::string&)> progress;
    void Say(const std::string& line) const {
        if (progress) progress(line);
    }
};
void WriteStationData(CDemoWriter& writer, const DataPlan& plan);   // river, rain, ten-day, month, sediment
void WriteReservoirData(CDemoWriter& writer, const DataPlan& plan); // reservoir days, curves
void WritePointData(CDemoWriter& writer, const DataPlan& plan);     // period tables, HISVIEW
void WriteEarlierYears(CDemoWriter& writer, const DataPlan& plan);  // DAYDB, HISVIEW 2019-2023 (not compact)
void WriteRealTimeData(CDemoWriter& writer, const DataPlan& plan);  // RTEV, REAL, RTDB, SCHLOG

// First days of the hourly and the real-time stretch.
int HourlyFirstDay(bool compact);
int RealTimeFirstDay();
int RealTimeDayCount(bool compact);

} // namespace demo
