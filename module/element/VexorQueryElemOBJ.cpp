#include "VexorQueryElemOBJ.h"

#include "RuntimeClassRegistry.h"

namespace {
std::unique_ptr<CDrawObject> CreateEmptyElement() {
    return std::make_unique<CVexorQueryElemOBJ>();
}
} // namespace

const CRuntimeClass CVexorQueryElemOBJ::classCVexorQueryElemOBJ = {"CVexorQueryElemOBJ", 1, true,
                                                                   CreateEmptyElement};

CVexorQueryElemOBJ::CVexorQueryElemOBJ() {
    m_typeName = kTypeName;
}

CVexorQueryElemOBJ::~CVexorQueryElemOBJ() {
    DestroyComboWnd();
    DestroyPointQueryWindow();
    DestroySysLookWnd();
}

CPoint CVexorQueryElemOBJ::GetDragHandlePoint(int handle) const {
    CPoint corner = CRectObj::GetDragHandlePoint(1);
    if (handle == kBaseHandleCount + 1) return {corner.x + m_handleOffset1 / 2, corner.y};
    if (handle == kBaseHandleCount + 2) return {corner.x, corner.y + m_handleOffset2 / 2};
    return CRectObj::GetDragHandlePoint(handle);
}

CElementWindow* CVexorQueryElemOBJ::CurrentModeWindow() const {
    switch (m_interfaceSettings.m_mode) {
    case kModeTableQuery:
        return m_tableWindow.get();
    case kModePointQuery:
        return m_pointWindow.get();
    case kModeSystemView:
        return m_sysViewWindow.get();
    default:
        return nullptr;
    }
}

void CVexorQueryElemOBJ::CopyQueryFieldsToWindowSettings() {
    m_windowSettings.m_queryStyle = m_querySettings.m_queryStyle;
    m_windowSettings.m_dynamicTime = m_querySettings.m_dynamicTime;
    m_windowSettings.m_timeType = m_querySettings.m_timeTypeIndex;
    m_windowSettings.m_timeInterval = m_querySettings.m_timeInterval;
    m_windowSettings.m_advanced = m_querySettings.m_advanced;
    m_windowSettings.m_timeOffset = m_querySettings.m_timeOffset;
}

void CVexorQueryElemOBJ::CopyQueryFieldsFromWindowSettings() {
    m_querySettings.m_queryStyle = m_windowSettings.m_queryStyle;
    m_querySettings.m_dynamicTime = m_windowSettings.m_dynamicTime;
    m_querySettings.m_timeTypeIndex = m_windowSettings.m_timeType;
    m_querySettings.m_timeInterval = m_windowSettings.m_timeInterval;
    m_querySettings.m_advanced = m_windowSettings.m_advanced;
    m_querySettings.m_timeOffset = m_windowSettings.m_timeOffset;
}

void CVexorQueryElemOBJ::Serialize(CArchive& ar) {
    CRectObj::Serialize(ar);
    CQuerySettings& q = m_querySettings;
    if (ar.IsStoring()) {
        CopyQueryFieldsToWindowSettings();
        m_windowSettingsText = m_windowSettings.Encode();
        ar << m_windowSettingsText;

        ar << q.m_startFlag;
        ar << std::int32_t(q.m_stations.GetSize());
        for (const CString& s : q.m_stations)
            ar << s;
        ar << q.m_displayMode;
        ar << q.m_further2 << q.m_accessMode << q.m_modifyDirection << q.m_further1 << q.m_tableName
           << q.m_startTimeText << q.m_endTimeText;

        if (CElementWindow* w = CurrentModeWindow()) {
            CDWordArray widths;
            if (w->CurrentColumnWidths(widths)) m_interfaceSettings.m_columnWidths = widths;
        }
        m_interfaceSettingsText = m_interfaceSettings.Encode();
        m_pointSettingsText = m_pointSettings.Encode();
        m_queryOptionsText = m_queryOptions.Encode();
        m_sysViewSettingsText = m_sysViewSettings.Encode();
        ar << m_interfaceSettingsText << m_pointSettingsText << m_queryOptionsText << m_sysViewSettingsText;
        ar << m_further1 << m_further2 << m_further3;
        return;
    }

    ar >> m_windowSettingsText;
    m_windowSettings.Decode(m_windowSettingsText);

    ar >> q.m_startFlag;
    std::int32_t count = 0;
    ar >> count;
    CStringArray stations;
    for (std::int32_t i = 0; i < count; ++i) {
        CString s;
        ar >> s;
        stations.Add(s);
    }
    q.m_stations = std::move(stations);
    ar >> q.m_displayMode;
    ar >> q.m_further2 >> q.m_accessMode >> q.m_modifyDirection >> q.m_further1 >> q.m_tableName >>
        q.m_startTimeText >> q.m_endTimeText;
    CopyQueryFieldsFromWindowSettings();

    ar >> m_interfaceSettingsText >> m_pointSettingsText >> m_queryOptionsText >> m_sysViewSettingsText;
    m_interfaceSettings.Decode(m_interfaceSettingsText);
    m_pointSettings.Decode(m_pointSettingsText);
    m_queryOptions.Decode(m_queryOptionsText);
    m_sysViewSettings.Decode(m_sysViewSettingsText);
    ar >> m_further1 >> m_further2 >> m_further3;
}

std::unique_ptr<CDrawObject> CVexorQueryElemOBJ::Duplicate() const {
    auto copy = std::make_unique<CVexorQueryElemOBJ>();
    copy->BaseDuplicate(*this);
    copy->m_handleOffset1 = m_handleOffset1;
    copy->m_handleOffset2 = m_handleOffset2;
    return copy;
}

void RegisterVexorQueryElementClass() {
    CRuntimeClassRegistry::Instance().Register(CVexorQueryElemOBJ::classCVexorQueryElemOBJ);
}

void UnregisterVexorQueryElementClass() {
    CRuntimeClassRegistry::Instance().Unregister(CVexorQueryElemOBJ::classCVexorQueryElemOBJ.m_className);
}
