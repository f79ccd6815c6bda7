// The tables of the demo database, written in the layout the engine reads (the same DDL
// conventions as the engine's own fixture): integers, double-precision values, TIMESTAMP
// times, VARCHAR texts; table and column names upper-case.
#include "DemoInternal.h"

namespace demo {
namespace {

struct TableDef {
    const char* name;
    const char* columns;
};

constexpr const char* kPeriodColumns =
    "SENID INTEGER, TIME TIMESTAMP, INSTV DOUBLE PRECISION, INSTQ INTEGER, AVGV DOUBLE PRECISION, "
    "AVGQ INTEGER, MAXV DOUBLE PRECISION, MAXQ INTEGER, MINV DOUBLE PRECISION, MINQ INTEGER";
constexpr const char* kSedimentColumns =
    "STCD INTEGER, TM TIMESTAMP, CS DOUBLE PRECISION, QS DOUBLE PRECISION, PRO INTEGER";

const TableDef kTables[] = {
    // Settings tables.
    {"SET_DB_TABLE_NAME", "TNAME VARCHAR(40), STA INTEGER, USERNAME VARCHAR(40), OBTYPE INTEGER, "
                          "SELECTMODE INTEGER, DISMODEID INTEGER, SHOW VARCHAR(400)"},
    {"SET_TABLE_COL_NAME",
     "TNAME VARCHAR(40), COLNAME VARCHAR(40), COLNAMECH VARCHAR(40), COLNAMELEN INTEGER, "
     "DATATYPEID INTEGER, DATASIZE INTEGER, DATADECIMAL INTEGER, NULLTYPEID INTEGER, "
     "PROJMODEID INTEGER, DATADESC VARCHAR(80), POINT INTEGER, RESTRICTDATA VARCHAR(400)"},
    {"SET_PROJECTION_MODE",
     "PROJMODEID INTEGER, TYPENAME VARCHAR(40), PROTABLE VARCHAR(40), PRONAME VARCHAR(40), "
     "PRONUMER VARCHAR(40), SHOWT INTEGER"},
    {"SMPRO", "PROID INTEGER, PRONAME VARCHAR(40), PRONUMER INTEGER"},
    {"SET_DISPLAY_MODE", "DISMODEID INTEGER, TYPENAME VARCHAR(40), SHOWT INTEGER"},
    {"SET_DISPLAY_MODE_INI",
     "DISMODEID INTEGER, COLID INTEGER, COLORFG INTEGER, COLORBG INTEGER, FONT VARCHAR(200)"},
    {"SET_DATAPRO_COLOR", "DATAPROID INTEGER, COLOR INTEGER, DISSTA INTEGER"},
    // Reference tables.
    {"DATACHAR", "DCHAR INTEGER, CHARNAME VARCHAR(40)"},
    {"ALLPOINT", "ID INTEGER, SENID INTEGER, RTUID INTEGER, CSID INTEGER, DTYPE INTEGER, DCALCT INTEGER, "
                 "SENNAME VARCHAR(40), DCHAR INTEGER, USERGR INTEGER, TAB INTEGER"},
    {"CENTERSTA", "CSID INTEGER, CSNAME VARCHAR(40)"},
    {"RELATION", "DIRECTORY VARCHAR(80), FNAME VARCHAR(40), CSID INTEGER, FTYPE INTEGER, RANKING INTEGER"},
    {"BASIN", "BSCD INTEGER, BSNM VARCHAR(40)"},
    {"STATION",
     "STCD INTEGER, STNM VARCHAR(40), RVNM VARCHAR(40), STTP VARCHAR(8), BSCD INTEGER, CSID INTEGER"},
    {"RESERVOIR", "STCD INTEGER, RSNM VARCHAR(40), BSCD INTEGER, CSID INTEGER, DEADZ DOUBLE PRECISION, "
                  "FLZ DOUBLE PRECISION, NORMZ DOUBLE PRECISION"},
    {"CURVE", "CURVEID INTEGER, CURVENAME VARCHAR(40), STCD INTEGER, DIMNAME VARCHAR(80)"},
    {"CURVED",
     "CURVEID INTEGER, PTNO INTEGER, V0 DOUBLE PRECISION, V1 DOUBLE PRECISION, V2 DOUBLE PRECISION"},
    // Data tables.
    {"RIVER_HOUR",
     "STCD INTEGER, TM TIMESTAMP, Z DOUBLE PRECISION, Q DOUBLE PRECISION, WPTN INTEGER, NOTE VARCHAR(80)"},
    {"RAIN_DAY", "STCD INTEGER, TM TIMESTAMP, P DOUBLE PRECISION, PRO INTEGER"},
    {"RAIN_HOUR", "STCD INTEGER, TM TIMESTAMP, P DOUBLE PRECISION, PRO INTEGER"},
    {"RSVR_DAY", "STCD INTEGER, TM TIMESTAMP, RZ DOUBLE PRECISION, W DOUBLE PRECISION, INQ DOUBLE PRECISION, "
                 "OTQ DOUBLE PRECISION, INW DOUBLE PRECISION, OTW DOUBLE PRECISION, PRO INTEGER"},
    {"FLOW_XUN", "STCD INTEGER, TM TIMESTAMP, Q DOUBLE PRECISION, DAYS INTEGER, W DOUBLE PRECISION"},
    {"FLOW_MON", "STCD INTEGER, TM TIMESTAMP, Q DOUBLE PRECISION, DAYS INTEGER, W DOUBLE PRECISION"},
    {"SEDIMENT_DAY60", kSedimentColumns},
    {"SEDIMENT_DAY61", kSedimentColumns},
    {"SEDIMENT_DAY62", kSedimentColumns},
    {"HISVIEW", "SENID INTEGER, TIME TIMESTAMP, INSTV DOUBLE PRECISION, AVGV DOUBLE PRECISION, "
                "MAXV DOUBLE PRECISION, MAXT TIMESTAMP, MINV DOUBLE PRECISION, MINT TIMESTAMP"},
    {"HOURDB", kPeriodColumns},
    {"DAYDB", kPeriodColumns},
    {"DAY10DB", kPeriodColumns},
    {"MONTHDB", kPeriodColumns},
    {"RTEV", "SENID INTEGER, TIME TIMESTAMP, FACTV DOUBLE PRECISION, DATAPRO INTEGER, STATE INTEGER"},
    {"REAL", "SENID INTEGER, TIME TIMESTAMP, FACTV DOUBLE PRECISION, DATAPRO INTEGER"},
    {"RTDB", "SENID INTEGER, TIME TIMESTAMP, FACTV DOUBLE PRECISION"},
    {"SCHLOG",
     "T TIMESTAMP, SEQID INTEGER, TYPE INTEGER, LOGINFO VARCHAR(400), CONT TIMESTAMP, CONDIR INTEGER, "
     "CONTTYPE VARCHAR(40), EDITMEN VARCHAR(40)"},
};

} // namespace

std::vector<std::string> DemoTableNames() {
    std::vector<std::string> names;
    for (const TableDef& t : kTables)
        names.emplace_back(t.name);
    return names;
}

void CreateSchema(CDemoWriter& writer) {
    for (const TableDef& t : kTables) {
        writer.TryExec(std::string("DROP TABLE IF EXISTS KES.") + t.name);
        writer.Exec(std::string("CREATE TABLE KES.") + t.name + " (" + t.columns + ")");
    }
}

void CreateIndexes(CDemoWriter& writer) {
    // The lookups the engine, the bars and the data service make by station and time. SQLite
    // names the schema at the index, PostgreSQL at the table.
    auto index = [&](const std::string& table, const char* columns) {
        if (writer.Backend() == kes::Backend::Sqlite)
            writer.Exec("CREATE INDEX KES.IX_" + table + " ON " + table + " (" + columns + ")");
        else
            writer.Exec("CREATE INDEX IX_" + table + " ON KES." + table + " (" + columns + ")");
    };
    for (const char* table : {"RIVER_HOUR", "RAIN_DAY", "RAIN_HOUR", "RSVR_DAY", "FLOW_XUN", "FLOW_MON",
                              "SEDIMENT_DAY60", "SEDIMENT_DAY61", "SEDIMENT_DAY62"})
        index(table, "STCD, TM");
    for (const char* table : {"HISVIEW", "HOURDB", "DAYDB", "DAY10DB", "MONTHDB", "RTEV", "REAL", "RTDB"})
        index(table, "SENID, TIME");
}

} // namespace demo
