#include "QueryOptions.h"

#include "PropertyList.h"

namespace {

void WriteSelectItem(CPropertyWriter& w, const CSelectItem& s) {
    w.Text(s.schemeId);
    w.Text(s.label);
    w.Text(s.table);
    w.Text(s.nameColumn);
    w.Int(s.showFlag);
    w.Text(s.keyColumn);
    w.Int(s.kind);
    w.Text(s.condition);
}

void ReadSelectItem(CPropertyReader& r, CSelectItem& s) {
    r.Text(s.schemeId) && r.Text(s.label) && r.Text(s.table) && r.Text(s.nameColumn) && r.Int(s.showFlag) &&
        r.Text(s.keyColumn) && r.Int(s.kind) && r.Text(s.condition);
}

void WriteColumn(CPropertyWriter& w, const CQueryColumn& c) {
    w.Text(c.colname);
    w.Text(c.colnamech);
    w.Text(c.datatypeid);
    w.Text(c.typeName);
    w.Text(c.Projmodeid);
    w.Text(c.restrictdata);
    w.Int(c.Point);
    w.Text(c.further1);
    w.Text(c.further2);
}

void ReadColumn(CPropertyReader& r, CQueryColumn& c) {
    r.Text(c.colname) && r.Text(c.colnamech) && r.Text(c.datatypeid) && r.Text(c.typeName) &&
        r.Text(c.Projmodeid) && r.Text(c.restrictdata) && r.Int(c.Point) && r.Text(c.further1) &&
        r.Text(c.further2);
}

// A count followed by that many records; the list is emptied and rebuilt from the items present.
template <class T, class ReadFn> bool ReadObjectList(CPropertyReader& r, CObjectArray<T>& list, ReadFn read) {
    int count = 0;
    if (!r.Int(count)) return false;
    list.RemoveAll();
    for (int i = 0; i < count && r.HasNext(); ++i) {
        auto item = std::make_unique<T>();
        read(r, *item);
        list.Add(std::move(item));
    }
    return true;
}

} // namespace

CString CQueryOptions::Encode() const {
    CPropertyWriter w;
    w.Int(m_selectItems.GetSize());
    for (const auto& s : m_selectItems)
        WriteSelectItem(w, *s);
    w.Int(m_columns.GetSize());
    for (const auto& c : m_columns)
        WriteColumn(w, *c);
    w.Text(m_stationColumn);
    w.Text(m_timeColumn);
    w.Text(m_columnsTable);
    for (int v : {m_timeCondition, m_idCondition, m_analysisComparison, m_directDisplay, m_missingDataStats,
                  m_rtuSetting})
        w.Int(v);
    w.Text(m_dataCharCode);
    w.Int(m_userGroups.GetSize());
    for (const CString& g : m_userGroups)
        w.Text(g);
    for (int v :
         {m_showPrimaryKeyId, m_hourlyRainfall, m_reverseTimeOrder, m_stationInput, m_statisticsEnabled})
        w.Int(v);
    w.Text(m_hiddenColumns);
    for (int v : {m_decimalsInstant, m_decimalsAverage, m_decimalsMaximum, m_decimalsMinimum, m_curveName})
        w.Int(v);
    return w.Joined();
}

void CQueryOptions::Decode(const CString& text) {
    CPropertyReader r(text);
    ReadObjectList(r, m_selectItems, ReadSelectItem);
    ReadObjectList(r, m_columns, ReadColumn);
    if (!(r.Text(m_stationColumn) && r.Text(m_timeColumn) && r.Text(m_columnsTable) &&
          r.Int(m_timeCondition) && r.Int(m_idCondition) && r.Int(m_analysisComparison) &&
          r.Int(m_directDisplay) && r.Int(m_missingDataStats) && r.Int(m_rtuSetting) &&
          r.Text(m_dataCharCode)))
        return;
    int groups = 0;
    if (!r.Int(groups)) return;
    m_userGroups.RemoveAll();
    for (int i = 0; i < groups && r.HasNext(); ++i) {
        CString g;
        r.Text(g);
        m_userGroups.Add(g);
    }
    r.Int(m_showPrimaryKeyId) && r.Int(m_hourlyRainfall) && r.Int(m_reverseTimeOrder) &&
        r.Int(m_stationInput) && r.Int(m_statisticsEnabled) && r.Text(m_hiddenColumns) &&
        r.Int(m_decimalsInstant) && r.Int(m_decimalsAverage) && r.Int(m_decimalsMaximum) &&
        r.Int(m_decimalsMinimum) && r.Int(m_curveName);
}
