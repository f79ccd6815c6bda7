#include "SysLookWidow.h"

#include "DataSource.h"
#include "GridCtrl.h"
#include "Hooks.h"
#include "QueryClient.h"

namespace {

LOGFONT ViewerFont() {
    LOGFONT font;
    font.lfHeight = 14;
    font.lfWeight = 400;
    font.lfCharSet = 134;
    font.lfFaceName = "宋体";
    return font;
}

} // namespace

CSysLookWidow::CSysLookWidow() {
    m_stopAgain.setInterval(50);
    QObject::connect(&m_stopAgain, &QTimer::timeout, &m_receiver, [this] {
        if (m_load) m_load->Cancel();
    });
}

CSysLookWidow::~CSysLookWidow() {
    m_load.reset();
    DestroyWidget();
}

bool CSysLookWidow::Create(CWnd* owner, int controlId, const CRect& rect, unsigned style) {
    if (!CreateGridWindow(owner, controlId, rect, style, "CUseGridWindow")) return false;
    m_widget->setProperty("viewerClass", kClassName);
    m_widget->setBackgroundRole(QPalette::Button);
    // The system window may go with its owner: the load has nobody left to show its rows to.
    QObject::connect(m_widget, &QObject::destroyed, &m_receiver, [this] { CancelLoad(); });
    return true;
}

void CSysLookWidow::CreateChildren() {
    m_gridCtrl->SetGridFont(ViewerFont());
    m_gridCtrl->SetEditable(false);
    BuildGrid();
}

void CSysLookWidow::DestroySystemWindow() {
    if (!HasWidget()) return;
    if (m_face && !m_keepStoredWidths) {
        CDWordArray widths;
        if (CurrentColumnWidths(widths)) m_face->m_columnWidths = widths;
    }
    m_load.reset();
    DestroyWidget();
}

void CSysLookWidow::ModifyStyleEx(unsigned add) {
    if (add & kStaticEdgeExStyle) AddStaticEdge();
}

void CSysLookWidow::SetRecords(CInterfaceSettings* face, CWindowSettings* window, CQueryOptions* options,
                               CSysViewSettings* sysView) {
    m_face = face;
    m_windowSettings = window;
    m_options = options;
    m_sysView = sysView;
}

void CSysLookWidow::Refresh(int) {
    m_stopAgain.stop();
    m_load.reset();
    m_loadStep = 0;
    if (m_widget) m_widget->setProperty(ui::kLoadingProperty, false);
    if (!m_stylesLoaded && m_sysView) {
        CQueryClient client;
        m_styles = LoadDisplayStyles(client, m_sysView->m_text);
        m_stylesLoaded = true;
    }
    m_rows.clear();
    BuildGrid();
    StartLoad();
}

void CSysLookWidow::StartLoad() {
    if (!m_sysView || !m_widget) return;
    std::vector<CInventoryTable> tables;
    for (int i = 0; i < m_sysView->m_entries.GetSize(); ++i) {
        const CSysViewEntry& e = m_sysView->m_entries[i];
        tables.push_back({e.m_table, e.m_second, e.m_column});
    }
    const unsigned load = ++m_loadNumber;
    m_loadStep = 1;
    m_widget->setProperty(ui::kLoadingProperty, true);
    m_load = std::make_unique<CBackgroundInventory>(
        kes::ResolveDataSource(), std::move(tables),
        [this, load](const CInventoryRow& row) {
            QMetaObject::invokeMethod(
                &m_receiver, [this, load, row] { AcceptRow(load, row); }, Qt::QueuedConnection);
        },
        [this, load](const CInventoryOutcome& outcome) {
            CInventoryRow failure;
            if (!outcome.openFailure.IsEmpty()) failure.failure = "无法打开数据库: " + outcome.openFailure;
            QMetaObject::invokeMethod(
                &m_receiver,
                [this, load, failure] {
                    if (!failure.Counted()) AcceptRow(load, failure);
                    LoadEnded(load);
                },
                Qt::QueuedConnection);
        });
}

void CSysLookWidow::AcceptRow(unsigned load, const CInventoryRow& row) {
    if (load != m_loadNumber) return;
    m_rows.push_back(row);
    BuildGrid();
}

void CSysLookWidow::LoadEnded(unsigned load) {
    if (load != m_loadNumber || m_loadStep != 1) return;
    m_stopAgain.stop();
    m_loadStep = 2;
    if (m_widget) m_widget->setProperty(ui::kLoadingProperty, false);
}

void CSysLookWidow::CancelLoad() {
    if (!m_load || m_loadStep != 1) return;
    // Rows already on their way are still shown; the end of the load still arrives.
    m_load->Cancel();
    m_stopAgain.start();
}

void CSysLookWidow::BuildGrid() {
    static const CInterfaceSettings kPlainFace;
    FillInventoryGrid(m_grid, m_rows, m_styles, m_face ? *m_face : kPlainFace,
                      m_sysView ? m_sysView->m_background : 0xFFFFFF);
    if (!m_gridCtrl) return;
    m_gridCtrl->Refresh();
    // Stored widths when the columns are fixed; else each column as wide as what it shows.
    if (m_face && m_face->m_fixedColumns == 1 && !m_face->m_columnWidths.IsEmpty())
        ApplyColumnWidths();
    else
        m_gridCtrl->FitColumnsToContents();
}

void CSysLookWidow::ApplyColumnWidths() {
    if (!m_face || !m_gridCtrl) return;
    // The viewer's columns are its own: the query window's choice of shown columns does not apply.
    CInterfaceSettings face = *m_face;
    face.m_elementChoice = 0;
    const std::vector<int> widths = StoredColumnWidths(face, m_grid.GetColumnCount());
    for (std::size_t col = 0; col < widths.size(); ++col)
        if (widths[col] >= 0) m_gridCtrl->SetColumnWidth(long(col), widths[col]);
}

bool CSysLookWidow::CurrentColumnWidths(CDWordArray& widths) const {
    if (!m_gridCtrl || m_keepStoredWidths) return false;
    widths.RemoveAll();
    for (long col = 0; col < m_grid.GetColumnCount(); ++col)
        widths.Add(DWORD(m_gridCtrl->GetColumnWidth(col)));
    return true;
}

void CSysLookWidow::OnChildNotify(const CNotify& notify) {
    if (notify.controlId == kGridId && notify.code == GVN_HEADERCLICK) SortByHeader(notify.col);
}

CHeaderSort& CSysLookWidow::LastSort() {
    static CHeaderSort lastSort;
    return lastSort;
}

void CSysLookWidow::SortByHeader(long column) {
    if (column < 0 || m_grid.GetRowCount() < 2) return;
    ui::CWaitCursor wait;
    const CString order = LastSort().Click(column);
    if (!m_grid.SortData(column, order.str())) return;
    if (m_gridCtrl) {
        m_gridCtrl->Refresh();
        m_gridCtrl->SetSortIndicator(column, order == "ASC");
    }
}
