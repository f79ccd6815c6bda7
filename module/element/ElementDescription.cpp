#include "ElementDescription.h"

#include <fmt/format.h>

std::string DescribeFont(const LOGFONT& f) {
    return fmt::format("\"{}\" height {} width {} weight {} italic {} underline {} strike-out {} charset {} "
                       "escapement {} orientation {} out {} clip {} quality {} pitch-family 0x{:02X}",
                       f.lfFaceName.str(), f.lfHeight, f.lfWidth, f.lfWeight, f.lfItalic, f.lfUnderline,
                       f.lfStrikeOut, f.lfCharSet, f.lfEscapement, f.lfOrientation, f.lfOutPrecision,
                       f.lfClipPrecision, f.lfQuality, f.lfPitchAndFamily);
}

std::string DescribeColor(COLORREF c) {
    return fmt::format("0x{:06X} (r {} g {} b {})", c, GetRValue(c), GetGValue(c), GetBValue(c));
}

namespace {

class Lines {
public:
    explicit Lines(std::vector<CFieldLine>& out) : m_out(out) {}
    template <class T> void Add(const std::string& name, const T& value) {
        m_out.push_back({name, fmt::format("{}", value)});
    }
    void Text(const std::string& name, const CString& value) {
        m_out.push_back({name, "\"" + value.str() + "\""});
    }
    void Color(const std::string& name, COLORREF c) { m_out.push_back({name, DescribeColor(c)}); }
    void Font(const std::string& name, const LOGFONT& f) { m_out.push_back({name, DescribeFont(f)}); }
    void Texts(const std::string& name, const CStringArray& a) {
        Add(name + ".count", a.GetSize());
        for (int i = 0; i < a.GetSize(); ++i)
            Text(fmt::format("{}[{}]", name, i), a[i]);
    }
    void Numbers(const std::string& name, const CDWordArray& a) {
        std::string v;
        for (DWORD d : a)
            v += (v.empty() ? "" : " ") + std::to_string(d);
        Add(name, fmt::format("[{}]", v));
    }

private:
    std::vector<CFieldLine>& m_out;
};

void DescribeWindow(Lines& l, const CWindowSettings& w) {
    for (int i = 0; i < CWindowSettings::kColourCount; ++i)
        l.Color(fmt::format("window.colors[{}]", i), w.m_colors[size_t(i)]);
    for (int i = 0; i < CWindowSettings::kFontCount; ++i)
        l.Font(fmt::format("window.fonts[{}]", i), w.m_fonts[size_t(i)]);
    l.Add("window.queryStyle", w.m_queryStyle);
    l.Add("window.dynamicTime", w.m_dynamicTime);
    l.Add("window.timeType", w.m_timeType);
    l.Add("window.timeInterval", w.m_timeInterval);
    l.Add("window.advanced", w.m_advanced);
    l.Add("window.singleSelect", w.m_singleSelect);
    l.Add("window.stationListHeight", w.m_stationListHeight);
    l.Add("window.dataEntryMenu", w.m_dataEntryMenu);
    l.Text("window.entryFormName", w.m_entryFormName);
    l.Add("window.timeOffset", w.m_timeOffset);
}

void DescribeInterface(Lines& l, const CInterfaceSettings& s) {
    static const char* modes[] = {"table query", "point query", "settings-table viewer"};
    l.Add("interface.mode",
          fmt::format("{}{}", s.m_mode,
                      s.m_mode >= 0 && s.m_mode <= 2 ? std::string(" (") + modes[s.m_mode] + ")" : ""));
    l.Add("interface.alternateRows", s.m_alternateRows);
    l.Color("interface.firstRowColor", s.m_firstRowColor);
    l.Color("interface.secondRowColor", s.m_secondRowColor);
    l.Color("interface.gridBackground", s.m_gridBackground);
    l.Add("interface.fixedColumns", s.m_fixedColumns);
    l.Numbers("interface.columnWidths", s.m_columnWidths);
    l.Add("interface.elementChoice", s.m_elementChoice);
    l.Numbers("interface.elementList", s.m_elementList);
    l.Add("interface.fixedColumnCount", s.m_fixedColumnCount);
    l.Add("interface.panelWidth", s.m_panelWidth);
}

void DescribePoint(Lines& l, const CPointQuerySettings& s) {
    l.Add("point.accessMode", s.m_accessMode);
    l.Color("point.gridBackground", s.m_gridBackground);
    l.Add("point.points.count", s.m_points.GetSize());
    for (int i = 0; i < s.m_points.GetSize(); ++i) {
        const CPointEntry& p = s.m_points[i];
        l.Add(fmt::format("point.points[{}]", i),
              fmt::format("number \"{}\" name \"{}\" values {} {} {} {}", p.m_number.str(), p.m_name.str(),
                          p.m_values[0], p.m_values[1], p.m_values[2], p.m_values[3]));
    }
    l.Add("point.styles.count", s.m_styles.GetSize());
    for (int i = 0; i < s.m_styles.GetSize(); ++i) {
        const CStyleEntry& e = s.m_styles[i];
        l.Add(fmt::format("point.styles[{}]", i),
              fmt::format("{} {} font {}", e.m_first, e.m_second, DescribeFont(e.m_font)));
    }
    l.Text("point.displayModeName", s.m_displayModeName);
    l.Add("point.dataType", s.m_dataType);
    l.Add("point.further", s.m_further);
}

void DescribeOptions(Lines& l, const CQueryOptions& o) {
    l.Add("options.selectItems.count", o.m_selectItems.GetSize());
    for (int i = 0; i < o.m_selectItems.GetSize(); ++i) {
        const CSelectItem& s = o.m_selectItems[i];
        l.Add(fmt::format("options.selectItems[{}]", i),
              fmt::format("scheme \"{}\" label \"{}\" table \"{}\" name \"{}\" show {} key \"{}\" kind {} "
                          "condition \"{}\"",
                          s.schemeId.str(), s.label.str(), s.table.str(), s.nameColumn.str(), s.showFlag,
                          s.keyColumn.str(), s.kind, s.condition.str()));
    }
    l.Add("options.columns.count", o.m_columns.GetSize());
    for (int i = 0; i < o.m_columns.GetSize(); ++i) {
        const CQueryColumn& c = o.m_columns[i];
        l.Add(fmt::format("options.columns[{}]", i),
              fmt::format(
                  "name \"{}\" heading \"{}\" type \"{}\" type name \"{}\" scheme \"{}\" directive \"{}\" "
                  "position {} further \"{}\" \"{}\"",
                  c.colname.str(), c.colnamech.str(), c.datatypeid.str(), c.typeName.str(),
                  c.Projmodeid.str(), c.restrictdata.str(), c.Point, c.further1.str(), c.further2.str()));
    }
    l.Text("options.stationColumn", o.m_stationColumn);
    l.Text("options.timeColumn", o.m_timeColumn);
    l.Text("options.columnsTable", o.m_columnsTable);
    l.Add("options.timeCondition", o.m_timeCondition);
    l.Add("options.idCondition", o.m_idCondition);
    l.Add("options.analysisComparison", o.m_analysisComparison);
    l.Add("options.directDisplay", o.m_directDisplay);
    l.Add("options.missingDataStats", o.m_missingDataStats);
    l.Add("options.rtuSetting", o.m_rtuSetting);
    l.Text("options.dataCharCode", o.m_dataCharCode);
    l.Texts("options.userGroups", o.m_userGroups);
    l.Add("options.showPrimaryKeyId", o.m_showPrimaryKeyId);
    l.Add("options.hourlyRainfall", o.m_hourlyRainfall);
    l.Add("options.reverseTimeOrder", o.m_reverseTimeOrder);
    l.Add("options.stationInput", o.m_stationInput);
    l.Add("options.statisticsEnabled", o.m_statisticsEnabled);
    l.Text("options.hiddenColumns", o.m_hiddenColumns);
    l.Add("options.decimals", fmt::format("instant {} average {} maximum {} minimum {}", o.m_decimalsInstant,
                                          o.m_decimalsAverage, o.m_decimalsMaximum, o.m_decimalsMinimum));
    l.Add("options.curveName", o.m_curveName);
}

void DescribeSysView(Lines& l, const CSysViewSettings& s) {
    l.Color("sysview.background", s.m_background);
    l.Text("sysview.text", s.m_text);
    l.Add("sysview.entries.count", s.m_entries.GetSize());
    for (int i = 0; i < s.m_entries.GetSize(); ++i) {
        const CSysViewEntry& e = s.m_entries[i];
        l.Add(fmt::format("sysview.entries[{}]", i),
              fmt::format("table \"{}\" second \"{}\" column \"{}\"", e.m_table.str(), e.m_second.str(),
                          e.m_column.str()));
    }
}

void DescribeQuery(Lines& l, const CQuerySettings& q) {
    l.Add("query.startFlag", q.m_startFlag);
    l.Text("query.tableName", q.m_tableName);
    l.Texts("query.stations", q.m_stations);
    l.Text("query.startTime", q.m_startTimeText);
    l.Text("query.endTime", q.m_endTimeText);
    l.Add("query.displayMode", q.m_displayMode);
    l.Add("query.queryStyle", q.m_queryStyle);
    l.Add("query.dynamicTime", q.m_dynamicTime);
    l.Add("query.timeTypeIndex", q.m_timeTypeIndex);
    l.Add("query.timeInterval", q.m_timeInterval);
    l.Add("query.timeOffset", q.m_timeOffset);
    l.Add("query.advanced", q.m_advanced);
    l.Text("query.accessMode", q.m_accessMode);
    l.Text("query.modifyDirection", q.m_modifyDirection);
    l.Text("query.further1", q.m_further1);
    l.Text("query.further2", q.m_further2);
}

} // namespace

std::vector<CFieldLine> DescribeElement(const CVexorQueryElemOBJ& e) {
    std::vector<CFieldLine> out;
    Lines l(out);
    l.Text("typeName", e.m_typeName);
    l.Add("rect", fmt::format("{} {} {} {} ({} x {})", e.m_rect.left, e.m_rect.top, e.m_rect.right,
                              e.m_rect.bottom, e.m_rect.Width(), e.m_rect.Height()));
    CLineStyle line = e.GetLineStyle();
    CFillStyle fill = e.GetFillStyle();
    CTextStyle text = e.GetTextStyle();
    l.Add("lineStyle",
          fmt::format("colour {} width {} style {}", DescribeColor(line.color), line.width, line.style));
    l.Add("fillStyle", fmt::format("colour {} filled {} pattern {}", DescribeColor(fill.color), fill.filled,
                                   fill.pattern));
    l.Add("textStyle", fmt::format("colour {} font {}", DescribeColor(text.color), DescribeFont(text.font)));
    DescribeWindow(l, e.m_windowSettings);
    DescribeQuery(l, e.m_querySettings);
    DescribeInterface(l, e.m_interfaceSettings);
    DescribePoint(l, e.m_pointSettings);
    DescribeOptions(l, e.m_queryOptions);
    DescribeSysView(l, e.m_sysViewSettings);
    l.Text("further1", e.m_further1);
    l.Text("further2", e.m_further2);
    l.Text("further3", e.m_further3);
    return out;
}
