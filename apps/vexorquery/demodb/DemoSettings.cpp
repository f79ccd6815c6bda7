// The settings an engineer of the dispatch centre would have written for the demo tables:
// which tables are offered, their columns with Chinese headings, positions and directives,
// the value-to-name mappings, display modes and data-property colours, and the reference
// tables the mappings read.
#include "DemoInternal.h"

#include "ComplexString.h"
#include "QueryItem.h"

#include <fmt/format.h>

namespace demo {
namespace {

// ODBC type codes of SET_TABLE_COL_NAME.DATATYPEID.
enum TypeCode { kInteger = 4, kDouble = 8, kTimestamp = 11, kVarchar = 12 };

struct ColumnDef {
    const char* name;
    const char* heading;
    TypeCode type;
    int decimals;
    int projection; // SET_PROJECTION_MODE.PROJMODEID, 0 none
    int point;      // display position; -1 hidden
    const char* directives;
};

struct TableDef {
    const char* name;
    int selectMode;
    int displayMode;
    const char* show;
    std::vector<ColumnDef> columns;
};

const std::vector<TableDef>& ConfiguredTables() {
    static const std::vector<TableDef> tables = {
        {"RIVER_HOUR",
         2,
         2,
         "[Modi(READ/WRITE)][Direct(H)]",
         {{"STCD", "站名", kInteger, 0, 1, 1, "[PK(ID)][Where(1)]"},
          {"TM", "时间", kTimestamp, 0, 0, 2, "[PK(TIME)][FIELDTIME(时)][SHOWTIME(HOUR)][Where(0)]"},
          {"Z", "水位(m)", kDouble, 2, 0, 3, "[DEC(2)][STAT(COLLIGATEA)][Where(3+4)]"},
          {"Q", "流量(m³/s)", kDouble, 1, 0, 4, "[AVAIL(4)][STAT(MAX)]"},
          {"WPTN", "水势", kInteger, 0, 15000, 5, ""},
          {"NOTE", "备注", kVarchar, 0, 0, -1, ""}}},
        {"RAIN_DAY",
         2,
         1,
         "[Modi(WRITE)]",
         {{"STCD", "站名", kInteger, 0, 1, 1, "[PK(ID)][Where(1)]"},
          {"TM", "日期", kTimestamp, 0, 0, 2, "[PK(TIME)][FIELDTIME(日)][SHOWTIME(DAY)][Where(0)]"},
          {"P", "雨量(mm)", kDouble, 1, 0, 3,
           "[DC(PRO)][DEC(1)][STAT(COLLIGATEB)][Where(4)][WLOG(日降水量修改)]"},
          {"PRO", "数据属性", kInteger, 0, 15001, 4, "[CHECK(PRO<>44)]"}}},
        {"RAIN_HOUR",
         2,
         2,
         "[Modi(READ/WRITE)]",
         {{"STCD", "站名", kInteger, 0, 1, 1, "[PK(ID)][Where(1)]"},
          {"TM", "时间", kTimestamp, 0, 0, 2, "[PK(TIME)][FIELDTIME(时)][SHOWTIME(HOUR)][Where(0)]"},
          {"P", "时段雨量(mm)", kDouble, 1, 0, 3,
           "[DC(PRO)][DEC(1)][STAT(SUM)][Where(3+4)][WLOG(小时雨量修改)]"},
          {"PRO", "数据属性", kInteger, 0, 15001, 4, ""}}},
        {"RSVR_DAY",
         2,
         3,
         "[Modi(READ/WRITE)][Direct(H)]",
         {{"STCD", "水库", kInteger, 0, 2, 1, "[PK(ID)][Where(2)]"},
          {"TM", "日期", kTimestamp, 0, 0, 2,
           "[PK(TIME)][FIELDTIME(日)][CHANGETIME(DAY,1)][SHOWTIME(DAY)][Where(0)]"},
          {"RZ", "库水位(m)", kDouble, 2, 0, 3, "[DEC(2)][STAT(AVGEXT)][DC(PRO)][WLOG(水库日报修改)]"},
          {"W", "库容(亿m³)", kDouble, 2, 0, 4, "[DEC(2)]"},
          {"INQ", "入库流量(m³/s)", kDouble, 0, 0, 5, "[AVAIL(4)]"},
          {"OTQ", "出库流量(m³/s)", kDouble, 0, 0, 6, "[AVAIL(4)]"},
          {"INW", "入库水量(亿m³)", kDouble, 3, 0, 7, "[CALC(A,GETWATER,INQ)][DEC(3)]"},
          {"OTW", "出库水量(亿m³)", kDouble, 3, 0, 8, "[CALC(A,GETWATER,OTQ)][DEC(3)]"},
          {"PRO", "数据属性", kInteger, 0, 15001, -1, ""}}},
        {"FLOW_XUN",
         2,
         1,
         "",
         {{"STCD", "站名", kInteger, 0, 1, 1, "[PK(ID)][Where(1)]"},
          {"TM", "旬", kTimestamp, 0, 0, 2, "[PK(TIME)][FIELDTIME(旬)][Where(0)]"},
          {"Q", "旬平均流量(m³/s)", kDouble, 0, 0, 3, "[AVAIL(4)][STAT(AVG)]"},
          {"DAYS", "天数", kInteger, 0, 0, 4, "[CALC(A,GETDAYSXUN)]"},
          {"W", "旬径流量(亿m³)", kDouble, 3, 0, 5, "[CALC(B,GETWATER,Q,DAYS)][DEC(3)][STAT(SUM)]"}}},
        {"FLOW_MON",
         2,
         1,
         "",
         {{"STCD", "站名", kInteger, 0, 1, 1, "[PK(ID)][Where(1)]"},
          {"TM", "月份", kTimestamp, 0, 0, 2, "[PK(TIME)][FIELDTIME(月)][SHOWTIME(MON)][Where(0)]"},
          {"Q", "月平均流量(m³/s)", kDouble, 0, 0, 3, "[AVAIL(4)][STAT(AVG)]"},
          {"W", "月径流量(亿m³)", kDouble, 2, 0, 4, "[CALC(B,GETWATER,Q,DAYS)][DEC(2)][STAT(SUM)]"},
          {"DAYS", "天数", kInteger, 0, 0, 5, "[CALC(A,GETDAYSMON)]"}}},
        // One physical table per basin: SEDIMENT_DAY60 (长江), 61 (汉江), 62 (鄱阳湖), chosen by
        // the first two digits of the station code.
        {"SEDIMENT_DAY",
         2,
         1,
         "[TableID(STCD,1000000,100)][Modi(READ)]",
         {{"STCD", "站名", kInteger, 0, 1, 1, "[PK(ID)][Where(1)]"},
          {"TM", "日期", kTimestamp, 0, 0, 2, "[PK(TIME)][FIELDTIME(日)][Where(0)]"},
          {"CS", "含沙量(kg/m³)", kDouble, 3, 0, 3, "[DEC(3)][STAT(AVG)]"},
          {"QS", "输沙率(kg/s)", kDouble, 1, 0, 4, "[AVAIL(4)]"},
          {"PRO", "数据属性", kInteger, 0, 15001, -1, ""}}},
        {"HISVIEW",
         1,
         2,
         "[Modi(READ)]",
         {{"SENID", "测点", kInteger, 0, 5, 1, "[PK(ID)][Where(5)][TOTAL(GY)][TOTAL(DTYPE)]"},
          {"TIME", "时间", kTimestamp, 0, 0, 2,
           "[PK(TIME)][TOTAL(TIME)][TOTAL(TABLE,3,4,5,6)][ANALYQUERY][FIELDTIME(日)][Where(0)]"},
          {"INSTV", "瞬时值", kDouble, 2, 0, 3, "[TOTAL(V)][DEC(2)]"},
          {"AVGV", "平均值", kDouble, 2, 0, 4, "[TOTAL(AVGV)][DEC(2)]"},
          {"MAXV", "最大值", kDouble, 2, 0, 5, "[TOTAL(MAXV)][DEC(2)]"},
          {"MAXT", "最大值时间", kTimestamp, 0, 0, 6, "[TOTAL(MAXV_R)]"},
          {"MINV", "最小值", kDouble, 2, 0, 7, "[TOTAL(MINV)][DEC(2)]"},
          {"MINT", "最小值时间", kTimestamp, 0, 0, 8, "[TOTAL(MINV_R)]"}}},
        {"RTEV",
         2,
         1,
         "[Modi(READ)]",
         {{"SENID", "测点", kInteger, 0, 5, 1, "[PK(ID)][Where(5)]"},
          {"TIME", "时间", kTimestamp, 0, 0, 2, "[PK(TIME)][LACKTIME][Where(0)]"},
          {"FACTV", "数值", kDouble, 2, 0, 3, "[DEC(2)]"},
          {"DATAPRO", "数据属性", kInteger, 0, 15001, 4, ""},
          {"STATE", "事件状态", kInteger, 0, 0, 5, "[RTEVSTATE]"}}},
        {"REAL",
         2,
         1,
         "[Modi(READ)]",
         {{"SENID", "测点", kInteger, 0, 5, 1, "[PK(ID)][Where(5)]"},
          {"TIME", "时间", kTimestamp, 0, 0, 2, "[PK(TIME)][LACKTIME][Where(0)]"},
          {"FACTV", "数值", kDouble, 2, 0, 3, "[DC(DATAPRO)][DEC(2)][STAT(AVGEXT)]"},
          {"DATAPRO", "数据属性", kInteger, 0, 15001, 4, ""}}},
        {"DAYDB",
         2,
         2,
         "[Modi(READ/WRITE)]",
         {{"SENID", "测点", kInteger, 0, 5, 1, "[PK(ID)][Where(5)]"},
          {"TIME", "日期", kTimestamp, 0, 0, 2, "[PK(TIME)][FIELDTIME(日)][DATASENSORTIME(DAY)][Where(0)]"},
          {"INSTV", "八时值", kDouble, 2, 0, 3, "[DEC(2)][WLOG(测点日数据修改)]"},
          {"AVGV", "日均值", kDouble, 2, 0, 4, "[DEC(2)][STAT(AVG)]"},
          {"MAXV", "日最大值", kDouble, 2, 0, 5, "[DEC(2)][STAT(MAX)]"},
          {"MINV", "日最小值", kDouble, 2, 0, 6, "[DEC(2)][STAT(MIN)]"},
          {"INSTQ", "八时值质量", kInteger, 0, 0, -1, ""},
          {"AVGQ", "日均值质量", kInteger, 0, 0, -1, ""},
          {"MAXQ", "最大值质量", kInteger, 0, 0, -1, ""},
          {"MINQ", "最小值质量", kInteger, 0, 0, -1, ""}}},
        {"MONTHDB",
         2,
         1,
         "[Modi(READ/WRITE)]",
         {{"SENID", "测点", kInteger, 0, 5, 1, "[PK(ID)][Where(5)]"},
          {"TIME", "月份", kTimestamp, 0, 0, 2, "[PK(TIME)][FIELDTIME(月)][DATASENSORTIME(MON)][Where(0)]"},
          {"AVGV", "月均值", kDouble, 2, 0, 3, "[DEC(2)][STAT(AVG)]"},
          {"MAXV", "月最大值", kDouble, 2, 0, 4, "[DEC(2)][STAT(MAX)]"},
          {"MINV", "月最小值", kDouble, 2, 0, 5, "[DEC(2)][STAT(MIN)]"}}},
        {"RTDB",
         2,
         1,
         "[Modi(WRITE)]",
         {{"SENID", "机组", kInteger, 0, 10012, 1, "[PK(ID)][Where(10012)]"},
          {"TIME", "时间", kTimestamp, 0, 0, 2, "[PK(TIME)][Where(0)]"},
          {"FACTV", "机组状态", kDouble, 0, 15002, 3, "[WLOG(RTDB001)]"}}},
        {"CURVED",
         1,
         1,
         "[Direct(V)][Modi(READ/WRITE)]",
         {{"CURVEID", "曲线", kInteger, 0, 7, 1, "[PK(ID)][Where(7)]"},
          {"PTNO", "点号", kInteger, 0, 0, 2, "[PK(NO)]"},
          {"V0", "水位(m)", kDouble, 2, 0, 3, "[DEC(2)]"},
          {"V1", "库容(亿m³)", kDouble, 3, 0, 4, "[DEC(3)]"},
          {"V2", "水面面积(km²)", kDouble, 1, 0, 5, "[DEC(1)]"}}},
        {"SCHLOG",
         1,
         1,
         "[Modi(READ)]",
         {{"T", "修改时间", kTimestamp, 0, 0, 1, "[PK(TIME)][Where(0)]"},
          {"SEQID", "序号", kInteger, 0, 0, 2, ""},
          {"LOGINFO", "修改内容", kVarchar, 0, 0, 3, ""},
          {"CONTTYPE", "类别", kVarchar, 0, 0, 4, ""},
          {"EDITMEN", "修改人", kVarchar, 0, 0, 5, ""},
          {"TYPE", "类型", kInteger, 0, 0, -1, ""},
          {"CONT", "记录时间", kTimestamp, 0, 0, -1, ""},
          {"CONDIR", "方向", kInteger, 0, 0, -1, ""}}},
    };
    return tables;
}

struct Scheme {
    int id;
    const char* name;
    const char* table;
    const char* nameColumn;
    const char* keyColumn;
};

constexpr Scheme kSchemes[] = {
    {1, "测站", "STATION", "STNM", "STCD"},
    {2, "水库", "RESERVOIR", "RSNM", "STCD"},
    {3, "流域", "BASIN", "BSNM", "BSCD"},
    {4, "分中心", "CENTERSTA", "CSNAME", "CSID"},
    {5, "测点", "ALLPOINT", "SENNAME", "ID"},
    {6, "数据特性", "DATACHAR", "CHARNAME", "DCHAR"},
    {7, "水位库容曲线", "CURVE", "CURVENAME", "CURVEID"},
    {10010, "roz机组", "SMPRO", "PRONAME", "PRONUMER"},
    {10011, "vu左岸机组", "SMPRO", "PRONAME", "PRONUMER"},
    {10012, "全部机组", "SMPRO", "PRONAME", "PRONUMER"},
    {15000, "水势", "SMPRO", "PRONAME", "PRONUMER"},
    {15001, "数据属性", "SMPRO", "PRONAME", "PRONUMER"},
    {15002, "机组状态", "SMPRO", "PRONAME", "PRONUMER"},
};

struct Code {
    int code;
    const char* name;
};

constexpr Code kWaterTrend[] = {{4, "落"}, {5, "涨"}, {6, "平"}};
constexpr Code kDataProperty[] = {{0, "正常"},     {1, "估算"}, {2, "插补"},
                                  {3, "人工置数"}, {9, "错误"}, {44, "作废"}};
constexpr Code kUnitState[] = {{1, "计检"}, {2, "空转"}, {4, "备用"}, {8, "运行"}, {16, "临检"}};
constexpr Code kBasins[] = {{1, "长江上游"}, {2, "长江中游"}, {3, "清江"},  {4, "汉江"},
                            {5, "乌江"},     {6, "洞庭湖"},   {7, "鄱阳湖"}};
constexpr Code kCentres[] = {
    {1, "长江上游分中心"}, {2, "长江中游分中心"}, {3, "清江分中心"}, {4, "汉江分中心"}, {5, "乌江分中心"}};
constexpr Code kDataChars[] = {{1, "水位"}, {2, "流量"}, {3, "雨量"}, {4, "机组状态"}};

std::string Font(const char* face, long height, long weight) {
    LOGFONT f = CQueryItem::DefaultFont();
    f.lfHeight = height;
    f.lfWeight = weight;
    f.lfPitchAndFamily = 2;
    f.lfFaceName = face;
    return CComplexString::AnnexArrayString(f).str();
}

void WriteTables(CDemoWriter& writer) {
    CRowBatch tables(writer, "SET_DB_TABLE_NAME", "TNAME,STA,USERNAME,OBTYPE,SELECTMODE,DISMODEID,SHOW");
    CRowBatch columns(
        writer, "SET_TABLE_COL_NAME",
        "TNAME,COLNAME,COLNAMECH,COLNAMELEN,DATATYPEID,DATASIZE,DATADECIMAL,NULLTYPEID,PROJMODEID,"
        "DATADESC,POINT,RESTRICTDATA");
    for (const TableDef& t : ConfiguredTables()) {
        tables.Add(fmt::format("{},1,'admin',0,{},{},{}", Quote(t.name), t.selectMode, t.displayMode,
                               Quote(t.show)));
        for (const ColumnDef& c : t.columns) {
            int size = c.type == kTimestamp ? 19 : c.type == kVarchar ? 80 : 8;
            columns.Add(fmt::format("{},{},{},{},{},{},{},{},{},{},{},{}", Quote(t.name), Quote(c.name),
                                    Quote(c.heading), size, int(c.type), size, c.decimals,
                                    c.point == 1 ? 1 : 0, c.projection, Quote(c.heading), c.point,
                                    Quote(c.directives)));
        }
    }
    tables.Flush();
    columns.Flush();
}

void WriteMappings(CDemoWriter& writer) {
    CRowBatch schemes(writer, "SET_PROJECTION_MODE", "PROJMODEID,TYPENAME,PROTABLE,PRONAME,PRONUMER,SHOWT");
    for (const Scheme& s : kSchemes)
        schemes.Add(fmt::format("{},{},{},{},{},1", s.id, Quote(s.name), Quote(s.table), Quote(s.nameColumn),
                                Quote(s.keyColumn)));
    schemes.Flush();

    CRowBatch smpro(writer, "SMPRO", "PROID,PRONAME,PRONUMER");
    for (const DemoUnit& u : DemoUnits()) {
        smpro.Add(fmt::format("{},{},{}", u.scheme, Quote(u.name), u.id));
        smpro.Add(fmt::format("10012,{},{}", Quote(u.name), u.id));
    }
    auto codes = [&](int scheme, const auto& list) {
        for (const Code& c : list)
            smpro.Add(fmt::format("{},{},{}", scheme, Quote(c.name), c.code));
    };
    codes(15000, kWaterTrend);
    codes(15001, kDataProperty);
    codes(15002, kUnitState);
    smpro.Flush();
}

void WriteAppearance(CDemoWriter& writer) {
    CRowBatch modes(writer, "SET_DISPLAY_MODE", "DISMODEID,TYPENAME,SHOWT");
    modes.Add("1,'常规',1");
    modes.Add("2,'蓝白相间',1");
    modes.Add("3,'水库醒目',1");
    modes.Flush();

    // Colours are Windows colour values, red in the low byte: 0x800000 is dark blue.
    CRowBatch looks(writer, "SET_DISPLAY_MODE_INI", "DISMODEID,COLID,COLORFG,COLORBG,FONT");
    auto look = [&](int mode, int column, unsigned fg, unsigned bg, const std::string& font) {
        looks.Add(fmt::format("{},{},{},{},{}", mode, column, fg, bg, Quote(font)));
    };
    look(1, 1, 0x000000, 0xFFFFFF, Font("宋体", 12, 400));
    look(2, 1, 0x800000, 0xFFF0E0, Font("黑体", 12, 700));
    look(2, 2, 0x000000, 0xFFFFFF, Font("宋体", 12, 400));
    look(3, 1, 0x000000, 0xE0FFFF, Font("楷体", 14, 700));
    look(3, 2, 0x000000, 0xFFFFFF, Font("宋体", 12, 400));
    look(3, 3, 0x0000C0, 0xFFFFFF, Font("宋体", 12, 700));
    looks.Flush();

    CRowBatch colours(writer, "SET_DATAPRO_COLOR", "DATAPROID,COLOR,DISSTA");
    colours.Add("0,0,1");        // 正常: black
    colours.Add("1,16711680,1"); // 估算: blue
    colours.Add("2,32768,1");    // 插补: green
    colours.Add("3,255,1");      // 人工置数: red
    colours.Add("9,8421504,0");  // 错误: not shown
    colours.Add("44,8421504,0"); // 作废: not shown
    colours.Flush();
}

void WriteReferences(CDemoWriter& writer, const std::vector<DemoStation>& stations) {
    CRowBatch datachar(writer, "DATACHAR", "DCHAR,CHARNAME");
    for (const Code& c : kDataChars)
        datachar.Add(fmt::format("{},{}", c.code, Quote(c.name)));
    datachar.Flush();

    CRowBatch centres(writer, "CENTERSTA", "CSID,CSNAME");
    for (const Code& c : kCentres)
        centres.Add(fmt::format("{},{}", c.code, Quote(c.name)));
    centres.Flush();

    // The region menu: the directory row switches it on; the sub-centres are found by plant
    // class (FTYPE 1, 2, 10) or by regional grid (RANKING 401-499 华中, 901-999 南方).
    CRowBatch relation(writer, "RELATION", "DIRECTORY,FNAME,CSID,FTYPE,RANKING");
    relation.Add("'TRUE','分中心配置',0,10000,0");
    relation.Add("NULL,'长江上游分中心',1,1,401");
    relation.Add("NULL,'长江中游分中心',2,1,402");
    relation.Add("NULL,'清江分中心',3,2,403");
    relation.Add("NULL,'汉江分中心',4,10,404");
    relation.Add("NULL,'乌江分中心',5,2,901");
    relation.Flush();

    CRowBatch basins(writer, "BASIN", "BSCD,BSNM");
    for (const Code& c : kBasins)
        basins.Add(fmt::format("{},{}", c.code, Quote(c.name)));
    basins.Flush();

    CRowBatch station(writer, "STATION", "STCD,STNM,RVNM,STTP,BSCD,CSID");
    for (const DemoStation& s : stations)
        station.Add(fmt::format("{},{},{},{},{},{}", s.id, Quote(s.name), Quote(s.river),
                                s.kind == StationKind::Reservoir ? "'RR'" : "'ZQ'", s.basin, s.centre));
    station.Flush();

    CRowBatch reservoir(writer, "RESERVOIR", "STCD,RSNM,BSCD,CSID,DEADZ,FLZ,NORMZ");
    for (const DemoStation& s : stations) {
        if (s.kind != StationKind::Reservoir) continue;
        const DemoReservoir& r = DemoReservoirs()[std::size_t(s.reservoir)];
        reservoir.Add(fmt::format("{},{},{},{},{},{},{}", s.id, Quote(s.name), s.basin, s.centre,
                                  Number(r.deadLevel, 2), Number(r.floodLimit, 2), Number(r.normalLevel, 2)));
    }
    reservoir.Flush();

    // Points of the twenty named stations (the day-start hour of hydrological days is 08:00),
    // then the generating units (state points, day start 00:00).
    CRowBatch points(writer, "ALLPOINT", "ID,SENID,RTUID,CSID,DTYPE,DCALCT,SENNAME,DCHAR,USERGR,TAB");
    int order = 0;
    for (const DemoStation& s : stations) {
        if (s.id != stations[std::size_t(s.baseIndex)].id) continue; // copies have no points
        static constexpr struct {
            PointKind kind;
            const char* suffix;
            int dtype;
        } kKinds[] = {{kLevelPoint, "水位", 2}, {kFlowPoint, "流量", 2}, {kRainPoint, "雨量", 5}};
        for (const auto& k : kKinds) {
            int id = PointId(s.baseIndex, k.kind);
            points.Add(fmt::format("{},{},{},{},{},8,{},{},0,{}", id, id, s.baseIndex + 1, s.centre, k.dtype,
                                   Quote(s.name + k.suffix), int(k.kind), ++order));
        }
    }
    for (const DemoUnit& u : DemoUnits())
        points.Add(fmt::format("{},{},{},0,4,0,{},4,0,{}", u.id, u.id, u.scheme == 10010 ? 100 : 200,
                               Quote(u.name), ++order));
    points.Flush();
}

} // namespace

void WriteSettings(CDemoWriter& writer, const std::vector<DemoStation>& stations) {
    writer.Begin();
    WriteTables(writer);
    WriteMappings(writer);
    WriteAppearance(writer);
    WriteReferences(writer, stations);
    writer.Commit();
}

} // namespace demo
