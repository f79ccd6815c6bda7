#pragma once
// The drive records the host's drive panel sends: a period, a station, and "show and query".
#include "DrawObject.h"
#include "OleDateTime.h"

inline constexpr int kDriveShow = 0;
inline constexpr int kDriveShowSubKind = 2;
inline constexpr int kDriveStation = 8;
inline constexpr int kDrivePeriod = 10;

// Start as value 1, length in days as value 2.
inline CDrawObjectDrive PeriodDrive(const COleDateTime& start, double spanDays, int subKind) {
    return {kDrivePeriod, subKind, start.m_dt, spanDays, 0};
}
// Value 1 says how value 2 (and value 3) name the station.
inline CDrawObjectDrive StationDrive(double value1, double value2, double value3) {
    return {kDriveStation, 0, value1, value2, value3};
}
inline CDrawObjectDrive ShowDrive() {
    return {kDriveShow, kDriveShowSubKind, 0, 0, 0};
}
