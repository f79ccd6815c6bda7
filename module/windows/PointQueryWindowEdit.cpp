// Values typed into the point query window: "写" lets them be typed at once, "读/写" after a
// login, "读" not at all. A row is written when the selection leaves it.
#include "PointQueryWindow.h"

#include "Hooks.h"
#include "HostServices.h"
#include "QueryClient.h"

namespace {
constexpr const char* kCaption = "点数据查询";
}

bool CPointQueryWindow::EditingAllowed() const {
    if (!m_settings) return false;
    return m_settings->m_accessMode == kPointWrite ||
           (m_settings->m_accessMode == kPointReadWrite && m_loggedIn);
}

void CPointQueryWindow::BeginEdit() {
    if (!m_settings || m_settings->m_accessMode != kPointReadWrite || m_loggedIn) return;
    if (!AskToModify(kCaption)) return;
    m_loggedIn = true;
    if (m_gridCtrl) m_gridCtrl->SetEditable(true);
}

CStringArray CPointQueryWindow::RowTexts(long row) const {
    CStringArray texts;
    for (long col = 1; col < m_grid.GetColumnCount(); ++col)
        texts.Add(CString(m_grid.GetCellView(row, col)).Trim());
    return texts;
}

void CPointQueryWindow::RowEntered(long row) {
    const long left = m_currentRow;
    if (left >= 1 && left < m_grid.GetRowCount() && m_settings) {
        const CStringArray now = RowTexts(left);
        if (now != m_rowBefore) {
            CQueryClient client;
            if (!EditingAllowed() || !m_query.WritePeriod(left - 1, m_rowBefore, now, *m_settings, client)) {
                ui::MessageBox("写数据失败\n" + m_query.LastWriteError(), kCaption);
            } else {
                ShowHostStatus(CString(kCaption) + ": 已保存");
                if (!m_query.LastAuditError().IsEmpty()) ui::MessageBox(m_query.LastAuditError(), kCaption);
            }
            // The row shows what is stored, written or not.
            m_query.FillRow(m_grid, left - 1, *m_settings,
                            m_face ? PointGridLookOf(*m_face) : PointGridLookOf(CInterfaceSettings{}));
            if (m_gridCtrl) m_gridCtrl->viewport()->update();
        }
    }
    m_currentRow = row;
    m_rowBefore = row >= 1 ? RowTexts(row) : CStringArray();
}
