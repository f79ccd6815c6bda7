#include "VexorQueryElemOBJ.h"

#include "RuntimeClassRegistry.h"

#include <cstdint>
#include <string_view>

namespace {
std::unique_ptr<CDrawObject> CreateEmptyElement() {
    return std::make_unique<CVexorQueryElemOBJ>();
}

// Stores the query settings field by field into the display file.
class CArchiveWriter {
public:
    explicit CArchiveWriter(CArchive& ar) : m_ar(ar) {}
    void Int(std::string_view, std::int32_t v) { m_ar << v; }
    void Text(std::string_view, const CString& t) { m_ar << t; }
    void Texts(std::string_view, const CStringArray& list) {
        m_ar << std::int32_t(list.GetSize());
        for (const CString& t : list)
            m_ar << t;
    }
    void Carried(std::string_view, int) {}

private:
    CArchive& m_ar;
};

// Loads them back; a negative count gives an empty list.
class CArchiveReader {
public:
    explicit CArchiveReader(CArchive& ar) : m_ar(ar) {}
    void Int(std::string_view, std::int32_t& v) { m_ar >> v; }
    void Text(std::string_view, CString& t) { m_ar >> t; }
    void Texts(std::string_view, CStringArray& list) {
        std::int32_t count = 0;
        m_ar >> count;
        CStringArray read;
        for (std::int32_t i = 0; i < count; ++i) {
            CString t;
            m_ar >> t;
            read.Add(t);
        }
        list = std::move(read);
    }
    void Carried(std::string_view, int&) {}

private:
    CArchive& m_ar;
};
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

long CVexorQueryElemOBJ::CurrentMode() const {
    return m_interfaceSettings.m_mode < 0 ? long(kModeTableQuery) : m_interfaceSettings.m_mode;
}

CElementWindow* CVexorQueryElemOBJ::CurrentModeWindow() const {
    switch (CurrentMode()) {
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

void CVexorQueryElemOBJ::Serialize(CArchive& ar) {
    CRectObj::Serialize(ar);
    if (ar.IsStoring()) {
        m_windowSettingsText = m_windowSettings.Encode(m_querySettings);
        ar << m_windowSettingsText;

        CArchiveWriter writer(ar);
        CQuerySettings::Fields(m_querySettings, writer);

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
    m_windowSettings.Decode(m_windowSettingsText, m_querySettings);

    CArchiveReader reader(ar);
    CQuerySettings::Fields(m_querySettings, reader); // the carried fields came with the window string

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
