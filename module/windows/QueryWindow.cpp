#include "QueryWindow.h"

#include "Hooks.h"
#include "HostServices.h"
#include "LackTimeBarModel.h"
#include "QueryBarChoice.h"
#include "QueryBarModel.h"
#include "QueryDialog.h"
#include "RefreshWait.h"

#include <QLabel>
#include <QPainter>

CQueryWindow::CQueryWindow() : m_query(m_client) {}

CQueryWindow::~CQueryWindow() {
    DestroySystemWindow();
}

bool CQueryWindow::Create(CWnd* owner, int controlId, const CRect& rect, unsigned style) {
    return CreateGridWindow(owner, controlId, rect, style, kClassName);
}

void CQueryWindow::CreateChildren() {
    m_gridCtrl->SetGridFont(CQueryItem::DefaultFont());
    m_gridCtrl->SetEditable(EditingAllowed(m_accessWord));
    m_titleStrip = new QLabel(m_widget);
    m_titleStrip->setTextFormat(Qt::RichText);
    m_titleStrip->setWordWrap(true);
    m_titleStrip->setContentsMargins(4, 2, 4, 2);
    ShowTitle();
    CreateBar();
}

void CQueryWindow::CreateBar() {
    delete m_barWidget.data();
    m_bar = nullptr;
    if (!m_widget || !m_windowSettings) return;
    const CQueryBarRecords records = BarRecords();
    m_barCollapsed = false;
    m_bar = CreateQueryBar(BarKindFor(m_query), records, *m_widget);
    m_barWithoutSettings = !m_query.LoadError().IsEmpty();
    m_barWidget = m_bar ? &m_bar->Wnd().GetWidget() : nullptr;
    Layout();
}

CQueryBarRecords CQueryWindow::BarRecords() {
    return {&m_query,
            &m_barClient,
            &m_settings,
            m_windowSettings,
            m_options,
            m_face,
            m_windowSettings->m_colors[0]};
}

// The menu style: the bar as dialog 907 over the grid; its refresh queries this window.
void CQueryWindow::ShowQueryDialog() {
    if (m_dialog) {
        m_dialog->raise();
        return;
    }
    if (!m_widget || !m_windowSettings) return;
    m_dialog = new CQueryDialog(
        BarKindFor(m_query), BarRecords(), m_widget,
        [this] {
            ui::CWaitCursor wait;
            RunRefresh(1, kFormGivenStations);
        },
        [this](const CString& text) { SetCaption(text); });
    m_dialog->show();
}

void CQueryWindow::Show(bool show) {
    ShowWidget(show);
    if (!show && m_dialog) m_dialog->close();
}

void CQueryWindow::DestroySystemWindow() {
    if (m_wait) m_wait->Stop();
    if (!HasWidget()) return;
    if (m_face) StoreColumnWidths(*m_face);
    delete m_dialog.data();
    delete m_barWidget.data();
    m_bar = nullptr;
    DestroyWidget();
}

void CQueryWindow::ModifyStyleEx(unsigned add) {
    if (add & kStaticEdgeExStyle) AddStaticEdge();
}

void CQueryWindow::SetRecords(CWindowSettings* window, CQueryOptions* options, CInterfaceSettings* face) {
    // The element's own records replace any taken over from a linked one.
    m_adopted.reset();
    m_windowSettings = window;
    m_options = options;
    m_face = face;
}

void CQueryWindow::ApplySettings() {
    if (!m_windowSettings || !m_options || !m_face) return;
    if (!m_loggedIn) m_accessWord = m_settings.m_accessMode;
    m_accessWord.Trim().MakeUpper();
    // The bar's strip keeps the configured width unless the bar has nothing to offer.
    m_savedPanelWidth = std::max(m_face->m_panelWidth, 0L);
    m_panelWidth = m_barCollapsed ? 0 : m_savedPanelWidth;

    CString table = m_settings.m_tableName;
    table.Trim().MakeUpper();
    m_query.Load(table, EngineOptionsFor(*m_face, *m_options, m_settings));
    // The rows of missing-data statistics are gaps, not records of the table: nothing to write.
    if (m_query.IsLackTimeMode()) m_accessWord = "READ";
    if (m_gridCtrl) m_gridCtrl->SetEditable(EditingAllowed(m_accessWord));
    const bool newTable = table != m_loadedTable;
    // A bar serves one table: a new table gets a new bar.
    if (m_widget && (newTable || !Bar())) {
        m_loadedTable = table;
        CreateBar();
    }
    m_loadedTable = table;
    // Settings read at last, after a start without them, or another table chosen in the
    // property sheet: the new table's headings show at once instead of the old rows.
    if (m_grid.GetRowCount() <= 1 || newTable) {
        // The rows of another table go, and with them a change begun in one of them.
        m_edit.Clear();
        m_resultRows = 0;
        m_query.ShowHeadings(m_grid);
        if (m_gridCtrl) m_gridCtrl->Refresh();
    }
    ShowRefreshOutcome();
    Layout();
}

int CQueryWindow::FormOfSettings() const {
    return m_settings.m_displayMode == kDisplayAllStations ? kFormAllStations : kFormGivenStations;
}

void CQueryWindow::Refresh(int argument) {
    if (argument == 1) WriteBarRequest();
    RunRefresh(argument, FormOfSettings());
}

void CQueryWindow::QueryAndFill() {
    ui::CWaitCursor wait;
    // The first query asks for what the bar shows, as its "刷新" would.
    WriteBarRequest();
    RunRefresh(1, kFormGivenStations);
}

void CQueryWindow::WriteBarRequest() {
    // A bar made while the table's settings could not be read has no lists to ask from: the
    // stored request stands until the bar is made again.
    if (Bar() && !m_barWithoutSettings) Bar()->WriteRequest();
}

void CQueryWindow::RunRefresh(int argument, int form) {
    if (argument == 1) {
        RequestFromSettings(m_settings, form, m_query.m_request);
        m_query.m_request.filter = std::exchange(m_nextFilter, CString());
        if (m_query.IsLackTimeMode())
            m_query.m_lackRequest = LackTimeRequestFor(m_settings, m_settings.m_tableName);
        // The bar's time type decides how statistics times are written.
        m_query.SetTimeTypeWord(TimeTypeWord(m_settings.m_timeTypeIndex));
    }
    int engineArgument = argument;
    if (argument == 1 && QueriesInBackground()) {
        if (!QueryInBackground(argument, form)) return;
        engineArgument = -1; // the rows are in: fill as the refresh does
    }
    if (argument == 1 || argument == -1 || m_query.IsLackTimeMode()) {
        m_edit.Clear();
        m_query.Refresh(m_grid, engineArgument);
        m_resultRows = m_query.ResultRowCount();
        // Across the rows, the first row is the one being edited until the selection moves.
        if (!Transposed() && m_grid.GetRowCount() > 1) LoadEditedRow(1);
    } else if (m_grid.GetRowCount() <= 1) {
        // Before the first query the operator sees at least what the table will show.
        m_query.ShowHeadings(m_grid);
    }
    if (m_gridCtrl) {
        m_gridCtrl->Refresh();
        if (argument != 0) m_gridCtrl->FitColumnsToContents();
        ApplyColumnWidths();
        // New rows are read from the top, not from where the old ones were scrolled to.
        if (argument == 1) m_gridCtrl->scrollToTop();
    }
    UpdateChart();
    ShowRefreshOutcome();
    if (m_widget) m_widget->update();
    // A request made while the rows came in, after they were all read, runs now.
    RunPendingRefresh();
}

void CQueryWindow::ShowRefreshOutcome() {
    CString failure;
    for (const CString& reason : m_query.RefreshErrors())
        failure += (failure.IsEmpty() ? "" : "; ") + reason;
    if (!failure.IsEmpty())
        failure = "查询失败: " + failure;
    else if (!m_query.LoadError().IsEmpty())
        failure = "无法读取表的设置: " + m_query.LoadError();
    m_failure = failure;
    if (!m_failure.IsEmpty()) ShowHostStatus("数据查询 " + m_settings.m_tableName + ": " + m_failure);
    ShowTitle();
    // Once the settings can be read, the bar gets the lists it could not have; later, because
    // this may run inside one of the bar's own notifications.
    if (m_barWithoutSettings && m_query.LoadError().IsEmpty() && m_widget) {
        m_barWithoutSettings = false;
        QMetaObject::invokeMethod(
            m_widget.data(), [this] { CreateBar(); }, Qt::QueuedConnection);
    }
}

void CQueryWindow::SetCaption(const CString& caption) {
    m_caption = caption;
    m_stationCaption = caption;
    ShowTitle();
}

void CQueryWindow::ShowTitle() {
    if (!m_titleStrip) return;
    QString html = QString::fromStdString(m_stationCaption.str()).toHtmlEscaped();
    if (!m_failure.IsEmpty()) {
        if (!html.isEmpty()) html += "&nbsp;&nbsp;";
        html += "<span style=\"color:#d00000\">" + QString::fromStdString(m_failure.str()).toHtmlEscaped() +
                "</span>";
    }
    m_titleStrip->setText(html);
    const bool shown = !html.isEmpty();
    if (shown != m_titleStrip->isVisibleTo(m_widget)) {
        m_titleStrip->setVisible(shown);
        Layout();
    }
}

void CQueryWindow::Layout() {
    if (!m_widget) return;
    const QRect area = m_widget->contentsRect();
    const long panel = std::clamp<long>(m_panelWidth, 0, area.width());
    const int gap = panel >= 1 ? 3 : 0;
    const int gridWidth = std::max(0, area.width() - int(panel) - gap);
    int stripHeight = 0;
    if (m_titleStrip && m_titleStrip->isVisibleTo(m_widget)) {
        stripHeight = std::min(m_titleStrip->heightForWidth(gridWidth), area.height() / 3);
        m_titleStrip->setGeometry(area.left(), area.top(), gridWidth, stripHeight);
    }
    if (m_gridCtrl)
        m_gridCtrl->setGeometry(area.left(), area.top() + stripHeight, gridWidth,
                                area.height() - stripHeight);
    if (m_chartView)
        m_chartView->setGeometry(area.left(), area.top() + stripHeight, gridWidth,
                                 area.height() - stripHeight);
    m_splitter = panel >= 1 ? CRect(area.left() + gridWidth + 1, area.top(), area.left() + gridWidth + 2,
                                    area.top() + area.height())
                            : CRect();
    if (m_barWidget) {
        m_barWidget->setGeometry(area.left() + area.width() - int(panel), area.top(), int(panel),
                                 area.height());
        m_barWidget->setVisible(panel >= 1);
    }
}

void CQueryWindow::Paint(QPainter& painter) {
    if (m_splitter.IsRectEmpty()) return;
    painter.fillRect(QRect(m_splitter.left, m_splitter.top, m_splitter.Width(), m_splitter.Height()),
                     m_widget->palette().mid());
}

void CQueryWindow::OnChildNotify(const CNotify& notify) {
    if (notify.controlId == kBarId)
        OnBarNotify(notify);
    else if (notify.controlId == kGridId)
        OnGridNotify(notify);
}

void CQueryWindow::OnBarNotify(const CNotify& notify) {
    switch (notify.code) {
    case kNotifyCollapse:
        m_barCollapsed = true;
        m_panelWidth = 0;
        Layout();
        break;
    case kNotifyShow:
        m_barCollapsed = false;
        m_panelWidth = m_savedPanelWidth;
        Layout();
        break;
    case kNotifyStationText:
        SetCaption(notify.text);
        break;
    case kNotifyRefresh: {
        ui::CWaitCursor wait;
        RunRefresh(1, kFormGivenStations);
        break;
    }
    default:
        break;
    }
}

void CQueryWindow::OnGridNotify(const CNotify& notify) {
    switch (notify.code) {
    case GVN_HEADERCLICK:
        SortByHeader(notify.col);
        break;
    case GVN_CELLCLICK:
        if (notify.row >= 1 && notify.col >= 1) BeginEdit();
        break;
    case GVN_SELCHANGED:
        SelectionMoved(notify.row, notify.col);
        break;
    case GVN_COLUMNWIDTHCHANGED:
        if (m_face) StoreColumnWidths(*m_face);
        break;
    case GVN_ENDLABELEDIT:
        if ((Transposed() ? notify.col : notify.row) == m_edit.row)
            m_edit.current = RecordTexts(m_grid, m_edit.row, m_query.Settings().VisibleCount(), Transposed());
        break;
    case GVN_RCLICK:
        if (!TakeOverLinkedSettings()) ShowMenu(notify.point);
        break;
    case GVN_INSERTROW:
        InsertNewRecord();
        break;
    case GVN_VSCROLL:
    case GVN_HSCROLL:
        Layout();
        break;
    default:
        break;
    }
}
