// The element at run time: the one window of its mode inside the owner window, its placement,
// and the drive records of the display.
#include "VexorQueryElemOBJ.h"

#include "HostServices.h"
#include "QueryClient.h"
#include "SqlText.h"

#include <cmath>

namespace {

CElementWindowFactory& InstalledFactory() {
    static CElementWindowFactory factory;
    return factory;
}

constexpr const char* kTimePattern = "%Y-%m-%d %H:%M:%S";

// An element's settings as windows linked to it take them over.
class ElementSettingsLink : public CLinkedSettings {
public:
    explicit ElementSettingsLink(const CVexorQueryElemOBJ& element) : m_element(element) {}
    void HandOver(CTableWindow& window) const override {
        window.AdoptSettings(m_element.m_querySettings, m_element.m_windowSettings, m_element.m_queryOptions,
                             m_element.m_interfaceSettings);
    }

private:
    const CVexorQueryElemOBJ& m_element;
};

// A configured code goes into the statement as a number when it is one, else as a quoted text.
CString SqlCode(const CString& code) {
    CString trimmed = code;
    trimmed.Trim();
    return IsSqlNumber(trimmed) ? trimmed : QuoteLiteral(trimmed);
}

} // namespace

CElementWindowFactory SetElementWindowFactory(CElementWindowFactory factory) {
    std::swap(InstalledFactory(), factory);
    return factory;
}

const CElementWindowFactory& ElementWindowFactory() {
    return InstalledFactory();
}

CRect CVexorQueryElemOBJ::WindowRect() const {
    CRect r = GetMainWndDC().LPtoDP(m_rect);
    r.NormalizeRect();
    return r;
}

void CVexorQueryElemOBJ::InitWindow() {
    DestroyComboWnd();
    DestroyPointQueryWindow();
    DestroySysLookWnd();
    const long mode = CurrentMode();
    if (mode == kModeTableQuery)
        CreateComboWnd();
    else if (mode == kModePointQuery)
        CreatePointQueryWindow();
    else if (mode == kModeSystemView)
        CreateSysLookWnd();
}

void CVexorQueryElemOBJ::CreateComboWnd() {
    if (!m_parentWnd) return;
    const CElementWindowFactory& factory = ElementWindowFactory();
    if (!factory.tableWindow) {
        ShowHostStatus("数据查询：表格查询窗口不可用");
        return;
    }
    m_windowRect = WindowRect();
    std::unique_ptr<CTableWindow> window = factory.tableWindow();
    window->SetDriveTime(m_driveTime);
    window->SetRunState(m_runState);
    m_tableWindowId = RegisterUserWnd(this, 0);
    window->QuerySettings() = m_querySettings;
    window->SetRecords(&m_windowSettings, &m_queryOptions, &m_interfaceSettings);
    window->ApplySettings();
    window->Create(m_parentWnd, m_tableWindowId, m_windowRect, kElementWindowStyle);
    window->ModifyStyleEx(kStaticEdgeExStyle);
    window->MoveWindow(m_windowRect);
    window->Refresh(0);
    m_tableWindow = std::move(window);
    m_tableWindow->SetOwner(m_parentWnd);
    m_tableWindow->QuerySettings().m_startFlag = 1;
    m_tableWindow->ApplySettings();
    m_tableWindow->LinkSettings(m_linkedSettings);
    m_driveTime = 0;
}

// The point query window and the settings-table viewer are made alike; the viewer shows at once.
void CVexorQueryElemOBJ::CreateModeWindow(const std::function<std::unique_ptr<CElementWindow>()>& maker,
                                          const char* unavailable, std::unique_ptr<CElementWindow>& window,
                                          int& id, bool show) {
    if (!m_parentWnd) return;
    if (!maker) {
        ShowHostStatus(unavailable);
        return;
    }
    m_windowRect = WindowRect();
    std::unique_ptr<CElementWindow> made = maker();
    id = RegisterUserWnd(this, 0);
    made->Create(m_parentWnd, id, m_windowRect, kElementWindowStyle);
    made->MoveWindow(m_windowRect);
    made->Refresh(0);
    if (show) made->Show(true);
    window = std::move(made);
}

void CVexorQueryElemOBJ::CreatePointQueryWindow() {
    std::function<std::unique_ptr<CElementWindow>()> maker;
    if (ElementWindowFactory().pointWindow)
        maker = [this]() -> std::unique_ptr<CElementWindow> {
            std::unique_ptr<CPointWindow> window = ElementWindowFactory().pointWindow();
            TakePointPeriod();
            window->SetRecords(&m_interfaceSettings, &m_pointSettings);
            return window;
        };
    CreateModeWindow(maker, "数据查询：点数据查询方式尚不可用，元素不显示窗口", m_pointWindow,
                     m_pointWindowId, false);
}

// The point query reads the element's period, which drive records may have moved.
void CVexorQueryElemOBJ::TakePointPeriod() {
    m_pointSettings.m_startTime = CQueryItem::ParseTime(m_querySettings.m_startTimeText);
    m_pointSettings.m_endTime = CQueryItem::ParseTime(m_querySettings.m_endTimeText);
}

void CVexorQueryElemOBJ::CreateSysLookWnd() {
    std::function<std::unique_ptr<CElementWindow>()> maker;
    if (const auto& viewer = ElementWindowFactory().sysViewWindow)
        maker = [this, &viewer] {
            std::unique_ptr<CSysViewWindow> window = viewer();
            window->SetRecords(&m_interfaceSettings, &m_windowSettings, &m_queryOptions, &m_sysViewSettings);
            return std::unique_ptr<CElementWindow>(std::move(window));
        };
    CreateModeWindow(maker, "数据查询：系统查看方式尚不可用，元素不显示窗口", m_sysViewWindow,
                     m_sysViewWindowId, true);
}

void CVexorQueryElemOBJ::DestroyWindow(std::unique_ptr<CElementWindow>& window, int& id) {
    if (!window) return;
    window->DestroySystemWindow();
    UnRegisterUserWnd(this, id);
    id = 0;
    window.reset();
}

void CVexorQueryElemOBJ::DestroyWindow(std::unique_ptr<CTableWindow>& window, int& id) {
    if (!window) return;
    // The widths the user left are kept with the element.
    window->StoreColumnWidths(m_interfaceSettings);
    window->DestroySystemWindow();
    UnRegisterUserWnd(this, id);
    id = 0;
    window.reset();
}

void CVexorQueryElemOBJ::DestroyComboWnd() {
    DestroyWindow(m_tableWindow, m_tableWindowId);
}

void CVexorQueryElemOBJ::DestroyPointQueryWindow() {
    DestroyWindow(m_pointWindow, m_pointWindowId);
}

void CVexorQueryElemOBJ::DestroySysLookWnd() {
    DestroyWindow(m_sysViewWindow, m_sysViewWindowId);
}

void CVexorQueryElemOBJ::ShowWindow() {
    HideWindow();
    if (CElementWindow* window = CurrentModeWindow()) window->Show(true);
}

void CVexorQueryElemOBJ::HideWindow() {
    if (m_tableWindow) m_tableWindow->Show(false);
    if (m_pointWindow) m_pointWindow->Show(false);
    if (m_sysViewWindow) m_sysViewWindow->Show(false);
}

void CVexorQueryElemOBJ::ShowObjWnd(int show) {
    if (show)
        ShowWindow();
    else
        HideWindow();
}

void CVexorQueryElemOBJ::ShowQueryWindow() {
    const int runState = m_runState == 1 ? 1 : 0;
    switch (CurrentMode()) {
    case kModeTableQuery:
        if (!m_tableWindow) CreateComboWnd();
        if (!m_tableWindow) return;
        m_tableWindow->SetRunState(runState);
        m_tableWindow->Show(true);
        m_tableWindow->QuerySettings() = m_querySettings;
        m_tableWindow->SetRecords(&m_windowSettings, &m_queryOptions, &m_interfaceSettings);
        m_tableWindow->QuerySettings().m_startFlag = 0;
        m_tableWindow->ApplySettings();
        m_tableWindow->Refresh(0);
        m_tableWindow->QuerySettings().m_startFlag = 1;
        m_tableWindow->ApplySettings();
        return;
    case kModePointQuery:
        if (!m_pointWindow) CreatePointQueryWindow();
        if (!m_pointWindow) return;
        TakePointPeriod();
        m_pointWindow->SetRunState(runState);
        m_pointWindow->Show(true);
        m_pointWindow->Refresh(0);
        return;
    case kModeSystemView:
        if (!m_sysViewWindow) CreateSysLookWnd();
        if (!m_sysViewWindow) return;
        m_sysViewWindow->SetRunState(runState);
        m_sysViewWindow->Show(true);
        m_sysViewWindow->Refresh(0);
        return;
    default:
        return;
    }
}

CTableWindow* CVexorQueryElemOBJ::GetCustomWindow(CTableWindow& window, int argument) {
    m_windowRect = WindowRect();
    window.QuerySettings() = m_querySettings;
    window.SetRecords(&m_windowSettings, &m_queryOptions, &m_interfaceSettings);
    window.ApplySettings();
    window.Create(m_parentWnd, m_tableWindowId, m_windowRect, kElementWindowStyle);
    window.ModifyStyleEx(kStaticEdgeExStyle);
    window.MoveWindow(m_windowRect);
    window.Refresh(argument);
    return &window;
}

std::weak_ptr<const CLinkedSettings> CVexorQueryElemOBJ::SettingsLink() const {
    if (!m_settingsLink) m_settingsLink = std::make_shared<ElementSettingsLink>(*this);
    return m_settingsLink;
}

void CVexorQueryElemOBJ::LinkSettingsTo(const CVexorQueryElemOBJ* source) {
    m_linkedSettings =
        source && source != this ? source->SettingsLink() : std::weak_ptr<const CLinkedSettings>();
    if (m_tableWindow) m_tableWindow->LinkSettings(m_linkedSettings);
}

CString CVexorQueryElemOBJ::RtuPointsStatement(int rtu) const {
    CString sql;
    sql.Format("SELECT ID FROM KES.ALLPOINT WHERE RTUID=%d ", rtu);
    CString code = m_queryOptions.m_dataCharCode;
    code.Trim();
    if (!code.IsEmpty()) {
        sql += " AND ";
        sql.AppendFormat(" DCHAR=%s ", SqlCode(code));
    }
    if (!m_queryOptions.m_userGroups.IsEmpty()) {
        CString groups;
        for (const CString& group : m_queryOptions.m_userGroups) {
            if (!groups.IsEmpty()) groups += ",";
            groups += SqlCode(group);
        }
        sql += " AND ";
        sql.AppendFormat(" USERGR IN(%s) ", groups);
    }
    sql += " ORDER BY TAB DESC,ID ASC";
    return sql;
}

void CVexorQueryElemOBJ::GetSenIDFromRTU(int rtu) {
    if (rtu < 0) return;
    CQueryClient client;
    client.Query(RtuPointsStatement(rtu));
    for (int i = 0; i < client.GetRowCount(); ++i) {
        const CStringArray& row = client.m_rows[i];
        if (row.IsEmpty()) continue;
        m_querySettings.m_stations.Add(row[0]);
        if (m_windowSettings.m_singleSelect == 1) break;
    }
}

void CVexorQueryElemOBJ::SetParentWnd(CWnd* parent) {
    DestroyComboWnd();
    CRectObj::SetParentWnd(parent);
    // Under the RTU setting the window waits for a drive record that names the stations.
    if (m_queryOptions.m_rtuSetting == 1) return;
    m_querySettings.m_startFlag = 0;
    InitWindow();
}

void CVexorQueryElemOBJ::MoveTo(const CRect& position) {
    CRectObj::MoveTo(position);
    m_windowRect = WindowRect();
    CElementWindow* window = CurrentModeWindow();
    if (window && window->HasSystemWindow()) window->MoveWindow(m_windowRect);
}

int CVexorQueryElemOBJ::ObjectDrive(const CDrawObjectDrive& drive) {
    CQuerySettings& q = m_querySettings;
    if (drive.kind == 10) {
        m_driveTime = 1;
        COleDateTime start(drive.value1);
        if (drive.subKind == 1) start = COleDateTime::GetCurrentTime() - COleDateTimeSpan(1.0);
        const COleDateTime end =
            COleDateTime(drive.value1) + COleDateTimeSpan(drive.value2) + COleDateTimeSpan(0, 1, 0, 0);
        start.SetDateTime(start.GetYear(), start.GetMonth(), start.GetDay(), start.GetHour(), 0, 0);
        q.m_startTimeText = start.Format(kTimePattern);
        q.m_endTimeText = end.Format(kTimePattern);
        q.m_startTime = CQueryItem::ParseTime(q.m_startTimeText);
        q.m_endTime = CQueryItem::ParseTime(q.m_endTimeText);
    } else if (drive.kind == 8) {
        if (drive.value1 != 1.0 && drive.value1 != 2.0 && drive.value1 != 3.0) return 1;
        CString station;
        station.Format("%d", int(drive.value2));
        q.m_stations.RemoveAll();
        q.m_stations.Add(station);
        if (m_queryOptions.m_rtuSetting == 1) {
            if (drive.value1 == 2.0) {
                station.Format("%d", int(drive.value3));
                q.m_stations.RemoveAll();
                q.m_stations.Add(station);
            } else {
                q.m_stations.RemoveAll();
                GetSenIDFromRTU(int(drive.value2));
            }
        }
    } else if (drive.kind == 0 && drive.subKind == 2) {
        // The display sends one show record as it starts running; that one is not a request.
        if (m_driveCount == 0 && m_runState == 1) {
            m_driveCount = 1;
            return 1;
        }
        ++m_driveCount;
        if (q.m_stations.IsEmpty()) return 1;
        q.m_startFlag = 1;
        q.m_displayMode = kDisplayGivenStations;
        InitWindow();
        if (m_tableWindow) m_tableWindow->QueryAndFill();
        m_driveTime = 0;
    }
    return 1;
}
