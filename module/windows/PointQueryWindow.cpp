#include "PointQueryWindow.h"

#include "Hooks.h"
#include "HostServices.h"
#include "PointCondDlg.h"
#include "PopupMenu.h"
#include "QueryBarModel.h"

namespace {
constexpr const char* kCaption = "点数据查询";
}

CPointQueryWindow::~CPointQueryWindow() {
    DestroySystemWindow();
}

void CPointQueryWindow::SetRecords(CInterfaceSettings* face, CPointQuerySettings* points) {
    m_face = face;
    m_settings = points;
}

bool CPointQueryWindow::Create(CWnd* owner, int controlId, const CRect& rect, unsigned style) {
    return CreateGridWindow(owner, controlId, rect, style, kClassName);
}

void CPointQueryWindow::CreateChildren() {
    m_gridCtrl->SetGridFont(PointWindowFont());
    m_noDataStrip = new QLabel(m_widget);
    m_noDataStrip->setContentsMargins(4, 2, 4, 2);
    m_noDataStrip->setWordWrap(true);
    m_noDataStrip->setStyleSheet("color:#d00000");
    m_noDataStrip->hide();
    m_bar = new CPointQueryBar(kBarId, m_widget, m_widget);
    m_bar->setContentsMargins(1, 1, 1, 1);
    // The grid fills the window until the bar is asked for.
    m_keptBarWidth = kBarWidth;
    m_barWidth = 0;
}

void CPointQueryWindow::DestroySystemWindow() {
    if (!HasWidget()) return;
    SaveColumnWidths();
    DestroyWidget();
}

void CPointQueryWindow::ModifyStyleEx(unsigned add) {
    if (add & kStaticEdgeExStyle) AddStaticEdge();
}

void CPointQueryWindow::Refresh(int) {
    if (!m_settings) return;
    ui::CWaitCursor wait;
    m_query.Load(*m_settings);
    m_query.Fill(m_grid, *m_settings,
                 m_face ? PointGridLookOf(*m_face) : PointGridLookOf(CInterfaceSettings{}));
    if (m_gridCtrl) {
        m_gridCtrl->SetEditable(EditingAllowed());
        m_gridCtrl->Refresh();
        ApplyColumnWidths();
        m_gridCtrl->scrollToTop();
    }
    m_currentRow = -1;
    ShowNoData();
}

void CPointQueryWindow::ShowNoData() {
    const CString text = m_settings ? m_query.NoDataText(*m_settings) : CString();
    if (!text.IsEmpty()) ShowHostStatus(CString(kCaption) + ": " + text);
    if (!m_noDataStrip) return;
    m_noDataStrip->setText(QString::fromStdString(text.str()));
    m_noDataStrip->setVisible(!text.IsEmpty());
    Layout();
}

void CPointQueryWindow::ApplyColumnWidths() {
    if (!m_face || !m_gridCtrl) return;
    const std::vector<int> widths = SavedPointColumnWidths(m_face->m_columnWidths, m_grid.GetColumnCount());
    if (widths.empty()) {
        m_gridCtrl->FitColumnsToContents();
        return;
    }
    m_noSaveWidths = true;
    for (std::size_t col = 0; col < widths.size(); ++col)
        m_gridCtrl->SetColumnWidth(long(col), widths[col]);
    m_noSaveWidths = false;
}

bool CPointQueryWindow::CurrentColumnWidths(CDWordArray& widths) const {
    if (!m_gridCtrl || m_noSaveWidths) return false;
    widths.RemoveAll();
    for (long col = 0; col < m_grid.GetColumnCount(); ++col)
        widths.Add(DWORD(m_gridCtrl->GetColumnWidth(col)));
    return true;
}

void CPointQueryWindow::SaveColumnWidths() {
    CDWordArray widths;
    if (m_face && CurrentColumnWidths(widths)) m_face->m_columnWidths = widths;
}

void CPointQueryWindow::Layout() {
    if (!m_widget) return;
    const QRect area = m_widget->contentsRect();
    const int bar = int(std::clamp<long>(m_barWidth, 0, area.width()));
    const int gridWidth = std::max(0, area.width() - bar - (bar > 0 ? 2 : 0));
    int stripHeight = 0;
    if (m_noDataStrip && m_noDataStrip->isVisibleTo(m_widget)) {
        stripHeight = std::min(m_noDataStrip->heightForWidth(gridWidth), area.height() / 3);
        m_noDataStrip->setGeometry(area.left(), area.top(), gridWidth, stripHeight);
    }
    if (m_gridCtrl)
        m_gridCtrl->setGeometry(area.left(), area.top() + stripHeight, gridWidth,
                                area.height() - stripHeight);
    if (m_bar) {
        m_bar->setGeometry(area.left() + area.width() - bar, area.top(), bar, area.height());
        m_bar->setVisible(bar > 0);
    }
}

void CPointQueryWindow::OnChildNotify(const CNotify& notify) {
    if (notify.controlId == kBarId) {
        if (notify.code == kNotifyCollapse) {
            if (m_barWidth > 0) m_keptBarWidth = m_barWidth;
            m_barWidth = 0;
            Layout();
        } else if (notify.code == kNotifyShow) {
            m_barWidth = m_keptBarWidth;
            Layout();
        }
    } else if (notify.controlId == kGridId) {
        OnGridNotify(notify);
    }
}

void CPointQueryWindow::OnGridNotify(const CNotify& notify) {
    switch (notify.code) {
    case GVN_RCLICK:
        if (notify.row >= 1) ShowMenu(notify.point);
        break;
    case GVN_COLUMNWIDTHCHANGED:
        SaveColumnWidths();
        break;
    case GVN_CELLCLICK:
        if (notify.row >= 1 && notify.col >= 2) BeginEdit();
        break;
    case GVN_SELCHANGED:
        if (notify.row != m_currentRow) RowEntered(notify.row);
        break;
    case GVN_INSERTROW:
    case GVN_VSCROLL:
    case GVN_HSCROLL: {
        // The rows are the periods of the time axis, so no row is inserted; as in the table
        // query window the layout runs again, under a wait cursor.
        ui::CWaitCursor wait;
        Layout();
        break;
    }
    default:
        break;
    }
}

void CPointQueryWindow::ShowMenu(CPoint screen) {
    const bool writing = m_settings && m_settings->m_accessMode != kPointRead;
    const std::vector<ui::MenuItem> items = {{kCmdModify, "修改", writing},
                                             {kCmdDelete, "删除", writing},
                                             {kCmdConditions, "查询条件"},
                                             {kCmdPrint, "打印"},
                                             {kCmdExport, "输出"}};
    if (int command = ui::TrackPopupMenu(items, screen)) OnCommand(command);
}

void CPointQueryWindow::OnCommand(int command) {
    if (command == kCmdPrint) PrintGrid(kCaption);
    if (command == kCmdExport) ExportGrid(kCaption);
    if (command == kCmdConditions) AskConditions();
    if (command == kCmdModify) {
        // The row being edited is written now, as leaving it would.
        if (!EditingAllowed()) BeginEdit();
        RowEntered(m_currentRow);
    }
}

void CPointQueryWindow::AskConditions() {
    if (!m_settings) return;
    // The dialog works on a copy: what it wrote before a Cancel (a data source clicked, a
    // refused 刷新) must not change the element's stored point settings.
    CPointQuerySettings chosen = *m_settings;
    int timeInits = m_timeInits;
    CPointCondDlg dialog({chosen, timeInits}, m_widget.data(), m_widget.data());
    if (dialog.DoModal() != ui::IDOK) return;
    *m_settings = std::move(chosen);
    m_timeInits = timeInits;
    Refresh(0);
}
