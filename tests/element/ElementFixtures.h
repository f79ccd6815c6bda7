#pragma once
// An element with every configuration field moved away from its default, Chinese texts and
// texts holding the property-string separators included.
#include "VexorQueryElemOBJ.h"

inline void SetEveryField(CVexorQueryElemOBJ& e) {
    e.m_rect = CRect(15, 25, 1035, 720);
    e.SetLineStyle({0x112233, 3, 2});
    e.SetFillStyle({0x445566, 1, 4});
    LOGFONT tf = CQueryItem::DefaultFont();
    tf.lfFaceName = "黑体";
    e.SetTextStyle({tf, 0x778899});

    CWindowSettings& w = e.m_windowSettings;
    for (int i = 0; i < CWindowSettings::kColourCount; ++i)
        w.m_colors[size_t(i)] = COLORREF(0x010203 * (i + 1));
    for (int i = 0; i < CWindowSettings::kFontCount; ++i) {
        LOGFONT& f = w.m_fonts[size_t(i)];
        f.lfHeight = 10 + i;
        f.lfWeight = 700;
        f.lfItalic = 1;
        f.lfFaceName = i % 2 ? "微软雅黑" : "Noto;Sans\\CJK";
    }
    w.m_singleSelect = 1;
    w.m_stationListHeight = 240;
    w.m_dataEntryMenu = 1;
    w.m_entryFormName = "机组开停机录入";

    CQuerySettings& q = e.m_querySettings;
    q.m_startFlag = 0;
    q.m_tableName = "HISVIEW";
    q.m_stations = {"60101100", "坝上;站", "", "a\\b"};
    q.m_startTimeText = "2008-05-06 08:00:00";
    q.m_endTimeText = "2008-05-07 08:00:00";
    q.m_displayMode = 2;
    q.m_queryStyle = 2;
    q.m_dynamicTime = 1;
    q.m_timeTypeIndex = 3;
    q.m_timeInterval = 7;
    q.m_timeOffset = -2;
    q.m_advanced = 1;
    q.m_accessMode = "READ/WRITE";
    q.m_modifyDirection = "V";
    q.m_further1 = "甲";
    q.m_further2 = "乙";

    CInterfaceSettings& s = e.m_interfaceSettings;
    s.m_mode = kModeSystemView;
    s.m_alternateRows = 0;
    s.m_firstRowColor = 0x123456;
    s.m_secondRowColor = 0xFEDCBA;
    s.m_gridBackground = 0x0F0F0F;
    s.m_fixedColumns = 1;
    s.m_columnWidths = {80, 120, 65};
    s.m_elementChoice = 1;
    s.m_elementList = {1, 0, 1, 1};
    s.m_fixedColumnCount = 2;
    s.m_panelWidth = 220;

    CPointQuerySettings& p = e.m_pointSettings;
    p.m_accessMode = kPointReadWrite;
    p.m_gridBackground = 0x010101;
    auto point = std::make_unique<CPointEntry>();
    point->m_number = "10010001";
    point->m_name = "1号机组有功";
    point->m_values[0] = 1;
    point->m_values[3] = -4;
    p.m_points.Add(std::move(point));
    auto style = std::make_unique<CStyleEntry>();
    style->m_first = 3;
    style->m_second = 0xFF;
    style->m_font = tf;
    p.m_styles.Add(std::move(style));
    p.m_displayModeName = "默认显示";
    p.m_dataType = kPointTenDay;
    p.m_further = 9;

    CQueryOptions& o = e.m_queryOptions;
    auto item = std::make_unique<CSelectItem>();
    item->schemeId = "10010";
    item->label = "测站";
    item->table = "SMPRO";
    item->nameColumn = "PRONAME";
    item->showFlag = 1;
    item->keyColumn = "PRONUMER";
    item->kind = kSelectStation;
    item->condition = "PROID=10010 AND NAME LIKE '%坝;%'";
    o.m_selectItems.Add(std::move(item));
    o.m_columns.Add(std::make_unique<CQueryColumn>());
    auto col = std::make_unique<CQueryColumn>();
    col->colname = "Z";
    col->colnamech = "水位(m)";
    col->datatypeid = "2";
    col->typeName = "SQL_NUMERIC";
    col->Projmodeid = "0";
    col->restrictdata = "[DECIMAL(2)][STAT(AVG,MAX)]";
    col->Point = 3;
    col->further1 = "x";
    col->further2 = "y";
    o.m_columns.Add(std::move(col));
    o.m_stationColumn = "STCD";
    o.m_timeColumn = "TM";
    o.m_columnsTable = "RIVER_HOUR";
    o.m_timeCondition = o.m_idCondition = o.m_analysisComparison = o.m_directDisplay = 1;
    o.m_missingDataStats = o.m_rtuSetting = 1;
    o.m_dataCharCode = "字符";
    o.m_userGroups = {"1", "", "运行值班"};
    o.m_showPrimaryKeyId = 0;
    o.m_hourlyRainfall = o.m_reverseTimeOrder = 1;
    o.m_stationInput = 0;
    o.m_statisticsEnabled = 1;
    o.m_hiddenColumns = "1,3,5";
    o.m_decimalsInstant = 1;
    o.m_decimalsAverage = 3;
    o.m_decimalsMaximum = 0;
    o.m_decimalsMinimum = 4;
    o.m_curveName = 12;

    CSysViewSettings& v = e.m_sysViewSettings;
    v.m_background = 0xABCDEF;
    v.m_text = "设置表";
    auto entry = std::make_unique<CSysViewEntry>();
    entry->m_table = "RIVER_HOUR";
    entry->m_second = "河道";
    entry->m_column = "TM";
    v.m_entries.Add(std::move(entry));

    e.m_further1 = "一";
    e.m_further2 = "";
    e.m_further3 = "三;\\";
}
