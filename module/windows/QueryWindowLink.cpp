// The table query window linked to another element's settings: a right click takes them over.
#include "QueryWindow.h"

#include "Hooks.h"

void CQueryWindow::AdoptSettings(const CQuerySettings& query, const CWindowSettings& window,
                                 const CQueryOptions& options, const CInterfaceSettings& face) {
    auto copies = std::make_unique<AdoptedRecords>(AdoptedRecords{window, options, face});
    m_settings = query;
    SetRecords(&copies->window, &copies->options, &copies->face);
    m_adopted = std::move(copies);
    ApplySettings();
}

bool CQueryWindow::TakeOverLinkedSettings() {
    const std::shared_ptr<const CLinkedSettings> source = m_link.lock();
    if (!source) return false;
    // A change not yet written goes in before the rows are replaced, or nothing is taken over.
    if (EditingAllowed(m_accessWord) && m_edit.row >= 1 && !CommitEditedRow()) {
        ui::MessageBox(WriteFailureText("数据修改失败!"), "数据查询");
        return true;
    }
    ui::CWaitCursor wait;
    source->HandOver(*this);
    RunRefresh(1, kFormGivenStations);
    return true;
}
