#pragma once
// The advanced options of the table query: the column list and selection items that the
// advanced settings build, key column names, the query's special flags and the decimals of
// the four value kinds.
#include "Arrays.h"
#include "PropertyList.h"
#include "QueryColumn.h"
#include "QueryItem.h"
#include "SelectItem.h"

// The persisted part of a selection item.
template <class Self, class V>
requires FieldsOf<Self, CSelectItem>
void EntryFields(Self& s, V& v) {
    v.Text("scheme", s.schemeId);
    v.Text("label", s.label);
    v.Text("table", s.table);
    v.Text("name", s.nameColumn);
    v.Int("show", s.showFlag);
    v.Text("key", s.keyColumn);
    v.Int("kind", s.kind);
    v.Text("condition", s.condition);
}

// The persisted part of a column record.
template <class Self, class V>
requires FieldsOf<Self, CQueryColumn>
void EntryFields(Self& c, V& v) {
    v.Text("name", c.colname);
    v.Text("heading", c.colnamech);
    v.Text("type", c.datatypeid);
    v.Text("type name", c.typeName);
    v.Text("scheme", c.Projmodeid);
    v.Text("directive", c.restrictdata);
    v.Int("position", c.Point);
    v.Text("further", c.further1);
    v.Text("", c.further2);
}

class CQueryOptions : public CQueryItem {
public:
    CObjectArray<CSelectItem> m_selectItems;
    CObjectArray<CQueryColumn> m_columns; // index 0 an empty record once built
    CString m_stationColumn;
    CString m_timeColumn;
    CString m_columnsTable; // the table the column list was made for
    int m_timeCondition = 0;
    int m_idCondition = 0;
    int m_analysisComparison = 0;
    int m_directDisplay = 0;
    int m_missingDataStats = 0;
    int m_rtuSetting = 0;
    CString m_dataCharCode;
    CStringArray m_userGroups;
    int m_showPrimaryKeyId = 1;
    int m_hourlyRainfall = 0;
    int m_reverseTimeOrder = 0;
    int m_stationInput = 1;
    int m_statisticsEnabled = 0;
    CString m_hiddenColumns; // ","-separated column numbers
    int m_decimalsInstant = 2;
    int m_decimalsAverage = 2;
    int m_decimalsMaximum = 2;
    int m_decimalsMinimum = 2;
    int m_curveName = 0;

    CString Encode() const;
    void Decode(const CString& text);

    friend bool operator==(const CQueryOptions&, const CQueryOptions&) = default;

    template <class Self, class V>
    requires FieldsOf<Self, CQueryOptions>
    static void Fields(Self& s, V& v) {
        v.Objects("selectItems", s.m_selectItems);
        v.Objects("columns", s.m_columns);
        v.Text("stationColumn", s.m_stationColumn);
        v.Text("timeColumn", s.m_timeColumn);
        v.Text("columnsTable", s.m_columnsTable);
        v.Int("timeCondition", s.m_timeCondition);
        v.Int("idCondition", s.m_idCondition);
        v.Int("analysisComparison", s.m_analysisComparison);
        v.Int("directDisplay", s.m_directDisplay);
        v.Int("missingDataStats", s.m_missingDataStats);
        v.Int("rtuSetting", s.m_rtuSetting);
        v.Text("dataCharCode", s.m_dataCharCode);
        v.Texts("userGroups", s.m_userGroups);
        v.Int("showPrimaryKeyId", s.m_showPrimaryKeyId);
        v.Int("hourlyRainfall", s.m_hourlyRainfall);
        v.Int("reverseTimeOrder", s.m_reverseTimeOrder);
        v.Int("stationInput", s.m_stationInput);
        v.Int("statisticsEnabled", s.m_statisticsEnabled);
        v.Text("hiddenColumns", s.m_hiddenColumns);
        v.Group("decimals", [&s](auto& d) {
            d.Int("instant", s.m_decimalsInstant);
            d.Int("average", s.m_decimalsAverage);
            d.Int("maximum", s.m_decimalsMaximum);
            d.Int("minimum", s.m_decimalsMinimum);
        });
        v.Int("curveName", s.m_curveName);
    }
};
