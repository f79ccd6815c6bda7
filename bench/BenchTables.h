#pragma once
// Tables the window benchmarks query, written through the sqlite3 C API: the three settings
// tables the engine reads, an hourly river table of 20 stations x 10,000 hours (200,000 result
// rows for the whole stretch) and a station list of realistic Chinese names.
#include "BenchDatabase.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace bench {

constexpr int kHourlyStations = 20;
constexpr int kHourlyHours = 10'000; // 416 days
inline const char* kHourlyFrom = "2024-01-01 00:00:00";
inline const char* kHourlyTo = "2025-02-20 15:00:00";

inline std::vector<std::string> HourlyStationIds() {
    std::vector<std::string> ids;
    for (int s = 0; s < kHourlyStations; ++s)
        ids.push_back(std::to_string(60100000 + s * 100));
    return ids;
}

// The three settings tables the engine reads.
inline const char* kSettingsTablesSql =
    "CREATE TABLE SET_DB_TABLE_NAME (TNAME VARCHAR(40), STA INTEGER, USERNAME VARCHAR(40),"
    " OBTYPE INTEGER, SELECTMODE INTEGER, DISMODEID INTEGER, SHOW VARCHAR(400));"
    "CREATE TABLE SET_TABLE_COL_NAME (TNAME VARCHAR(40), COLNAME VARCHAR(40), COLNAMECH VARCHAR(40),"
    " COLNAMELEN INTEGER, DATATYPEID INTEGER, DATASIZE INTEGER, DATADECIMAL INTEGER, NULLTYPEID INTEGER,"
    " PROJMODEID INTEGER, DATADESC VARCHAR(80), POINT INTEGER, RESTRICTDATA VARCHAR(400));"
    "CREATE TABLE SET_DATAPRO_COLOR (DATAPROID INTEGER, COLOR INTEGER, DISSTA INTEGER);";

// RIVER_HOUR (STCD, TM, Z, Q, WPTN, NOTE) and its configuration in the settings tables; no
// index, which each backend makes where loading is fastest.
inline const char* kRiverHourSql =
    "CREATE TABLE RIVER_HOUR (STCD INTEGER, TM TIMESTAMP, Z DOUBLE PRECISION, Q DOUBLE PRECISION,"
    " WPTN INTEGER, NOTE VARCHAR(40));"
    "INSERT INTO SET_DB_TABLE_NAME VALUES ('RIVER_HOUR',1,'',0,2,0,'');"
    "INSERT INTO SET_TABLE_COL_NAME VALUES"
    " ('RIVER_HOUR','STCD','站码',8,4,8,0,0,0,'',1,'[PK(ID)]'),"
    " ('RIVER_HOUR','TM','时间',19,11,19,0,0,0,'',2,'[PK(TIME)][FIELDTIME(时)]'),"
    " ('RIVER_HOUR','Z','水位',8,8,8,2,0,0,'',3,'[DEC(2)]'),"
    " ('RIVER_HOUR','Q','流量',8,8,8,2,0,0,'',4,'[AVAIL(3)]'),"
    " ('RIVER_HOUR','WPTN','水势',4,4,4,0,0,0,'',5,''),"
    " ('RIVER_HOUR','NOTE','说明',40,12,40,0,0,0,'',6,'');";

// One row of the hourly tables: station index s at hour h from 2024-01-01 00:00 UTC.
struct HourlyRow {
    int station;
    std::string time;
    double level, flow;
    int trend;
};
inline HourlyRow HourlyRowAt(int s, int h) {
    return {60100000 + s * 100, TimeText(1704067200 + std::time_t(h) * 3600),
            40 + 5 * std::sin(h / 700.0) + s * 0.1, 1200 + 800 * std::sin(h / 500.0), 4 + h % 3};
}

// kHourlyStations x kHourlyHours rows of a table (STCD, TM, Z, Q, WPTN, NOTE) from 2024-01-01;
// with missing, every 997th level is the missing-value marker -999.
inline void WriteHourlyRows(ScratchDatabase& db, const std::string& table, bool missing) {
    RowInserter rows(db, "INSERT INTO " + table + " VALUES (?,?,?,?,?,'')");
    for (int s = 0; s < kHourlyStations; ++s) {
        for (int h = 0; h < kHourlyHours; ++h) {
            const HourlyRow row = HourlyRowAt(s, h);
            rows.Int(1, row.station);
            rows.Text(2, row.time);
            rows.Double(3, missing && h % 997 == 0 ? -999 : row.level);
            rows.Double(4, row.flow);
            rows.Int(5, row.trend);
            rows.Row();
        }
    }
    rows.Commit();
}

// The settings tables and RIVER_HOUR (STCD, TM, Z, Q, WPTN, NOTE) configured in them.
inline void FillHourlyRiverTable(ScratchDatabase& db) {
    db.Exec(std::string(kSettingsTablesSql) + kRiverHourSql +
            "CREATE INDEX RIVER_HOUR_KEY ON RIVER_HOUR (STCD, TM);");
    WriteHourlyRows(db, "RIVER_HOUR", false);
}

// Station names as a large basin's list reads: river, place and kind of station, e.g.
// "嘉陵江北碚水文站". Deterministic; keys are 8-digit codes.
inline std::vector<std::pair<std::string, std::string>> RealisticStations(int count) {
    static const char* rivers[] = {"长江", "黄河", "汉江",   "嘉陵江", "岷江", "乌江", "湘江", "赣江",
                                   "淮河", "珠江", "松花江", "辽河",   "沅江", "资水", "清江", "雅砻江"};
    static const char* places[] = {
        "宜昌", "沙市",   "监利",   "城陵矶", "汉口",   "九江", "大通", "安庆",   "芜湖", "南京", "镇江",
        "扬州", "武穴",   "岳阳",   "荆州",   "石首",   "枝城", "寸滩", "朱沱",   "北碚", "万州", "奉节",
        "巫山", "巴东",   "秭归",   "黄陵庙", "螺山",   "新滩", "白河", "丹江口", "襄阳", "皇庄", "仙桃",
        "武隆", "彭水",   "思南",   "湘潭",   "长沙",   "株洲", "衡阳", "外洲",   "峡江", "吉安", "赣州",
        "蚌埠", "王家坝", "润河集", "鲁台子", "花园口", "高村", "艾山", "利津",   "潼关"};
    static const char* kinds[] = {"站", "水文站", "水位站", "雨量站", "闸", "水库"};
    std::vector<std::pair<std::string, std::string>> stations;
    std::uint32_t seed = 2024;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (int i = 0; i < count; ++i) {
        std::string name = rivers[next() % std::size(rivers)];
        name += places[next() % std::size(places)];
        if (i % 7 == 0) name += places[next() % std::size(places)]; // 汉口龙王庙 and the like
        name += kinds[next() % std::size(kinds)];
        stations.emplace_back(std::to_string(60100000 + i * 10), name);
    }
    return stations;
}

// STATION (STCD, STNM) with the given stations.
inline void FillStationTable(ScratchDatabase& db,
                             const std::vector<std::pair<std::string, std::string>>& stations) {
    db.Exec("CREATE TABLE STATION (STCD VARCHAR(8), STNM VARCHAR(40))");
    RowInserter rows(db, "INSERT INTO STATION VALUES (?,?)");
    for (const auto& [key, name] : stations) {
        rows.Text(1, key);
        rows.Text(2, name);
        rows.Row();
    }
    rows.Commit();
}

// The median of the samples (sorted in place).
inline double Median(std::vector<double>& samples) {
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    return n == 0 ? 0 : n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
}

} // namespace bench
