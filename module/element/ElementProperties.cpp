// The element's side of its property sheet: what the pages get, and what OK does with them.
#include "ElementProperties.h"

#include "HostServices.h"
#include "VexorQueryElemOBJ.h"

#include <utility>

namespace {
PropertySheetRunner& Runner() {
    static PropertySheetRunner runner;
    return runner;
}
} // namespace

PropertySheetRunner SetPropertySheetRunner(PropertySheetRunner runner) {
    std::swap(Runner(), runner);
    return runner;
}

const PropertySheetRunner& InstalledPropertySheetRunner() {
    return Runner();
}

CElementPropertyPages CVexorQueryElemOBJ::PropertyPages() {
    CElementPropertyPages pages;
    pages.interfaceText = m_interfaceSettings.Encode();
    pages.sysView = m_sysViewSettings;
    pages.query = m_querySettings;
    pages.windowText = m_windowSettings.Encode(m_querySettings);
    pages.options = &m_queryOptions;
    pages.pointText = m_pointSettings.Encode();
    return pages;
}

void CVexorQueryElemOBJ::ApplyProperties(const CElementPropertyPages& pages) {
    HideWindow();
    m_interfaceSettings.Decode(pages.interfaceText);
    m_sysViewSettings = pages.sysView; // in place: the viewer window refers to it
    m_querySettings = pages.query;
    if (m_tableWindow) {
        m_tableWindow->QuerySettings() = m_querySettings;
        m_tableWindow->ApplySettings();
        m_tableWindow->StoreColumnWidths(m_interfaceSettings);
    }
    // The carried query fields of the window string are those of the query settings above.
    m_windowSettings.Decode(pages.windowText);
    m_pointSettings.Decode(pages.pointText);
    ShowQueryWindow();
}

int CVexorQueryElemOBJ::Property(CWnd* owner) {
    const PropertySheetRunner& run = InstalledPropertySheetRunner();
    if (!run) {
        ShowHostStatus("数据查询：属性页不可用");
        return 1;
    }
    CElementPropertyPages pages = PropertyPages();
    if (run(pages, owner)) ApplyProperties(pages);
    return 1;
}
