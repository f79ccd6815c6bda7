#include "QueryBarModel.h"

#include "QueryItem.h"
#include "RequestPeriod.h"
#include "TableQuery.h"

CQueryBarModel::CQueryBarModel(CTableQuery& engine, CQueryClient& client, CQuerySettings& request,
                               const CWindowSettings& window, const CQueryOptions& options,
                               CInterfaceSettings& interfaceSettings)
    : m_engine(engine), m_client(client), m_request(request), m_window(window), m_options(options),
      m_interface(interfaceSettings), m_groups(client) {}

int CQueryBarModel::Attach() {
    const CColumnList& columns = m_engine.Settings().Columns();
    const CTableTimeRules rules = TableTimeRules(m_engine.Settings());
    m_showTime = rules.showTime;
    m_hasTotals = rules.hasTotals;
    m_timeTypes = rules.types;

    if (m_request.m_advanced == 1)
        m_groups.LoadFromItems(m_options.m_selectItems, m_options.m_directDisplay == 1);
    else
        m_groups.LoadFromDirectives(columns);

    m_typeButton = -1;
    if (HasTypeButtons()) {
        m_typeButton = 0;
        int code = m_timeTypes.front();
        if (code >= kTypeHour && code <= kTypeMonth) m_request.m_timeTypeIndex = code - kTypeHour;
    }
    return HasStationList() || HasTimeBlock() ? kNotifyShow : kNotifyCollapse;
}

CStringArray CQueryBarModel::FilterEntries(int filter) const {
    CStringArray entries;
    std::vector<int> filters = m_groups.FilterIndices();
    if (filter < 0 || filter >= int(filters.size())) return entries;
    const CSelectGroup& g = m_groups[filters[std::size_t(filter)]];
    entries.Add(g.label);
    entries.Append(g.names);
    return entries;
}

CStringArray CQueryBarModel::StationTexts() const {
    const CSelectGroup* s = m_groups.Station();
    if (!s) return {};
    return m_options.m_showPrimaryKeyId == 1 ? s->displayTexts : s->names;
}

CStationListFill CQueryBarModel::StationListFill() {
    CStationListFill fill;
    fill.texts = StationTexts();
    const CSelectGroup* s = m_groups.Station();
    if (!s) return fill;
    const bool single = m_window.m_singleSelect == 1;
    for (CString wanted : m_request.m_stations) {
        wanted.Trim();
        if (wanted.IsEmpty()) continue;
        for (int i = 0; i < s->GetCount(); ++i) {
            if (CString(s->keys[i]).Trim() != wanted) continue;
            m_currentStation = s->displayTexts[i];
            fill.stationTextChanged = true;
            if (single) {
                fill.selected.assign(1, i);
                break;
            }
            fill.selected.push_back(i);
        }
    }
    return fill;
}

bool CQueryBarModel::Cascade(const std::vector<int>& comboSelections) {
    std::vector<CString> conditions = m_groups.CascadeConditions(comboSelections);
    if (m_options.m_directDisplay == 1) {
        CString joined;
        for (const CString& c : conditions)
            joined += (joined.IsEmpty() ? "" : " AND ") + c;
        m_engine.m_request.directStationCondition.Empty();
        if (joined.IsEmpty()) return false;
        m_engine.m_request.directStationCondition.Format(" ( %s )", joined.GetString());
        return true;
    }
    m_groups.ApplyCascade(conditions);
    return false;
}

void CQueryBarModel::QuickSearch(const CString& text) {
    m_groups.QuickSearch(text);
}

void CQueryBarModel::StationClicked(int index) {
    CStringArray texts = StationTexts();
    if (index >= 0 && index < texts.GetSize()) m_currentStation = texts[index];
}

void CQueryBarModel::StationDoubleClicked(int index) {
    const CSelectGroup* s = m_groups.Station();
    if (s && index >= 0 && index < s->GetCount()) m_currentStation = s->displayTexts[index];
}

void CQueryBarModel::BeginDirectEntry() {
    m_directEntry = true;
    m_directStation.Empty();
}

CDirectEntryResult CQueryBarModel::ConfirmDirectEntry(const CString& station, const CRefreshInput& input) {
    return ConfirmDirectEntry(station, [&] { return Refresh(input); });
}

CDirectEntryResult CQueryBarModel::ConfirmDirectEntry(const CString& station,
                                                      const std::function<ERefreshOutcome()>& refresh) {
    CDirectEntryResult result;
    CString wanted = station;
    wanted.Trim();
    if (const CSelectGroup* s = m_groups.Station()) {
        bool known = false;
        for (int i = 0; i < s->GetCount() && !known; ++i)
            known = CString(s->keys[i]).Trim() == wanted;
        if (!known) {
            m_directEntry = false;
            result.outcome = ERefreshOutcome::UnknownStation;
            return result;
        }
    }
    m_directEntry = true;
    m_directStation = station;
    m_currentStation = station;
    result.outcome = refresh();
    if (const CSelectGroup* s = m_groups.Station(); s && !wanted.IsEmpty()) {
        for (int i = 0; i < s->GetCount(); ++i) {
            if (s->keys[i].Find(wanted.str()) < 0) continue;
            m_currentStation.Format("%s(%s)", s->names[i].GetString(), wanted.GetString());
            if (m_window.m_singleSelect == 1) result.selected.clear();
            result.selected.push_back(i);
        }
    }
    m_directEntry = false;
    return result;
}

CStringArray CQueryBarModel::TypeCaptions() const {
    CStringArray captions;
    if (!HasTypeButtons()) return captions;
    for (int code : m_timeTypes)
        captions.Add(TimeTypeCaption(code));
    return captions;
}

int CQueryBarModel::TimeTypeCode() const {
    return m_request.m_timeTypeIndex + kTypeHour;
}

CTimeRange CQueryBarModel::SelectTimeType(int button, const COleDateTime& start, const COleDateTime& end) {
    if (button >= 0 && button < int(m_timeTypes.size())) {
        m_typeButton = button;
        int code = m_timeTypes[std::size_t(button)];
        if (code >= kTypeHour && code <= kTypeMonth) m_request.m_timeTypeIndex = code - kTypeHour;
        m_request.m_timeInterval = 1;
    }
    return AdaptToType(start, end);
}

CTimeRange CQueryBarModel::AdaptToType(const COleDateTime& start, const COleDateTime& end) const {
    return AdaptTimeRange(TimeTypeCode(), start, end);
}

void CQueryBarModel::SelectInterval(int index) {
    if (index >= 0) m_request.m_timeInterval = index + 1;
}

COleDateTime CQueryBarModel::InitialStart() const {
    return CQueryItem::ParseTime(m_request.m_startTimeText);
}

COleDateTime CQueryBarModel::InitialEnd() const {
    return CQueryItem::ParseTime(m_request.m_endTimeText);
}
