#include "PropertyPageValues.h"

#include "WholeNumber.h"

namespace {

constexpr long kDefaultPanelWidth = 175;

CString RangeMessage(CNumberRange range) {
    CString message;
    if (range.min == kAnyIntRange.min && range.max == kAnyIntRange.max)
        message = "请输入一个整数。";
    else
        message.Format("请输入一个介于 %lld 和 %lld 之间的整数。", range.min, range.max);
    return message;
}

CString Trimmed(CString text) {
    return text.Trim();
}

} // namespace

bool ReadPageNumber(const CString& text, CNumberRange range, long long& value, CString& message) {
    if (ReadWholeNumber(Trimmed(text).str(), range.min, range.max, value)) return true;
    message = RangeMessage(range);
    return false;
}

CSelectPageValues CSelectPageValues::Load(CInterfaceSettings& face) {
    CSelectPageValues v;
    v.mode = face.m_mode;
    v.alternateRows = face.m_alternateRows == 1;
    v.firstRowColor = face.m_firstRowColor;
    v.secondRowColor = face.m_secondRowColor;
    v.gridBackground = face.m_gridBackground;
    v.fixedColumns = face.m_fixedColumns == 1;
    v.fixedColumnCount = face.m_fixedColumnCount;
    v.panelWidth = face.m_panelWidth;
    // The element choice belongs to fixed columns: without them it is off.
    if (!v.fixedColumns) face.m_elementChoice = 0;
    v.elementChoice = v.fixedColumns && face.m_elementChoice != 0;
    return v;
}

void CSelectPageValues::Save(CInterfaceSettings& face) const {
    face.m_mode = mode;
    face.m_alternateRows = alternateRows ? 1 : 0;
    face.m_fixedColumns = fixedColumns ? 1 : 0;
    if (alternateRows) {
        face.m_firstRowColor = firstRowColor;
        face.m_secondRowColor = secondRowColor;
    }
    face.m_gridBackground = gridBackground;
    face.m_elementChoice = fixedColumns && elementChoice ? 1 : 0;
    face.m_fixedColumnCount = fixedColumnCount;
    face.m_panelWidth = panelWidth < 0 ? kDefaultPanelWidth : panelWidth;
}

CString CSelectPageValues::Refusal() const {
    if (fixedColumnCount < kFixedColumnCountRange.min || fixedColumnCount > kFixedColumnCountRange.max)
        return "栅格的固定列数: " + RangeMessage(kFixedColumnCountRange);
    if (mode < kModeTableQuery || mode > kModeSystemView)
        return "功能选择: 只有系统设置与简单查询、点数据查询和系统查看";
    return {};
}

CStringArray SplitStationText(const CString& text) {
    CStringArray stations;
    const CString trimmed = Trimmed(text);
    int start = 0;
    while (start <= trimmed.GetLength()) {
        int comma = trimmed.Find(',', start);
        const int end = comma < 0 ? trimmed.GetLength() : comma;
        CString piece = trimmed.Mid(start, end - start);
        if (!piece.IsEmpty()) stations.Add(piece);
        if (comma < 0) break;
        start = comma + 1;
    }
    return stations;
}

CString JoinStations(const CStringArray& stations) {
    CString joined;
    for (int i = 0; i < stations.GetSize(); ++i)
        joined += (i ? "," : "") + stations[i];
    return joined;
}

int AccessChoice(const CString& word) {
    if (word == "READ") return kAccessRead;
    if (word == "READ/WRITE") return kAccessReadWrite;
    return kAccessWrite;
}

CString AccessWord(int choice) {
    if (choice == kAccessRead) return "READ";
    if (choice == kAccessReadWrite) return "READ/WRITE";
    return "WRITE";
}

int DirectionChoice(const CString& word) {
    return word == "V" ? kDirectionVertical : kDirectionHorizontal;
}

CString DirectionWord(int choice) {
    return choice == kDirectionVertical ? "V" : "H";
}

CQueryPageValues CQueryPageValues::Load(const CQuerySettings& q, const CWindowSettings& w) {
    CQueryPageValues v;
    v.tableName = q.m_tableName;
    v.allStations = q.m_displayMode == kDisplayAllStations;
    if (q.m_displayMode == kDisplayGivenStations) v.stationText = JoinStations(q.m_stations);
    v.access = AccessChoice(q.m_accessMode);
    v.direction = DirectionChoice(q.m_modifyDirection);
    v.queryStyle = q.m_queryStyle < 0 ? kStylePanel : q.m_queryStyle;
    v.dynamicTime = q.m_dynamicTime == 1;
    v.timeTypeIndex =
        q.m_timeTypeIndex >= kTimeHour && q.m_timeTypeIndex <= kTimeMonth ? q.m_timeTypeIndex : kTimeHour;
    v.timeInterval = q.m_timeInterval < 1 ? 1 : q.m_timeInterval;
    v.timeOffset = q.m_timeOffset;
    v.advanced = q.m_advanced == 1;
    v.panelBackground = w.m_colors[0];
    v.windowFont = w.m_fonts[0];
    v.dataEntryMenu = w.m_dataEntryMenu != 0;
    v.entryFormName = w.m_entryFormName;
    return v;
}

void CQueryPageValues::Save(CQuerySettings& q, CWindowSettings& w) const {
    w.m_colors[0] = panelBackground;
    q.m_tableName = Trimmed(tableName);
    if (allStations) {
        q.m_displayMode = kDisplayAllStations;
        q.m_stations.RemoveAll();
    } else {
        q.m_stations = SplitStationText(stationText);
        q.m_displayMode = kDisplayGivenStations;
    }
    q.m_accessMode = AccessWord(access);
    q.m_modifyDirection = DirectionWord(direction);
    q.m_queryStyle = queryStyle;
    q.m_dynamicTime = dynamicTime ? 1 : 0;
    q.m_timeTypeIndex = timeTypeIndex;
    q.m_timeInterval = int(timeInterval);
    q.m_timeOffset = int(timeOffset);
    q.m_advanced = advanced ? 1 : 0;
    w.m_fonts[0] = windowFont;
    w.m_dataEntryMenu = dataEntryMenu ? 1 : 0;
    w.m_entryFormName = entryFormName;
}

CString CQueryPageValues::Refusal() const {
    if (timeInterval < kTimeIntervalRange.min || timeInterval > kTimeIntervalRange.max)
        return "时间间隔: " + RangeMessage(kTimeIntervalRange);
    return {};
}

bool SavePagesUnchanged(CElementPropertyPages& pages, CString& message) {
    CInterfaceSettings face;
    face.Decode(pages.interfaceText);
    const CSelectPageValues select = CSelectPageValues::Load(face);
    CWindowSettings window;
    window.Decode(pages.windowText);
    const CQueryPageValues query = CQueryPageValues::Load(pages.query, window);
    message = select.Refusal();
    if (message.IsEmpty()) message = query.Refusal();
    if (!message.IsEmpty()) return false;
    select.Save(face);
    pages.interfaceText = face.Encode();
    query.Save(pages.query, window);
    pages.windowText = window.Encode(pages.query);
    return true;
}
