// What the query bar's own controls do when the user works them: the time type buttons, quick
// search, the element list read on refresh, Enter in a time field and the region menu.
#include "QueryBar.h"

#include "ButtonST.h"
#include "CheckListBox.h"
#include "Controls.h"
#include "Edit.h"
#include "Hooks.h"
#include "PopupMenu.h"
#include "RegionMenu.h"
#include "TimeContorl.h"

#include <QKeyEvent>

// Enter in a time field runs 刷新 with the time just typed (the field has taken it in and
// passes the key on to the bar).
void CQueryBar::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    QWidget* focus = focusWidget();
    const auto inField = [focus](QWidget* field) {
        return field && focus && (focus == field || field->isAncestorOf(focus));
    };
    if (enter && (inField(m_start) || inField(m_end))) {
        event->accept();
        Refresh();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CQueryBar::OnOwnControl(const CNotify& n) {
    if (n.controlId == kQuickSearchToggle && n.code == BN_CLICKED) {
        ToggleQuickSearch();
    } else if (n.controlId == kQuickSearch && n.code == EN_CHANGE) {
        StationModel().QuickSearch(m_search->GetWindowText());
        ShowStationTexts(StationModel().StationTexts());
    }
}

ERefreshOutcome CQueryBar::RefreshModel() {
    CRefreshInput input = ReadControls();
    if (m_elements) {
        std::vector<bool> checks;
        for (int i = 0; i < m_elements->GetCount(); ++i)
            checks.push_back(m_elements->GetCheck(i) == 1);
        input.elementChecks = std::move(checks);
    }
    return StationModel().Refresh(input);
}

void CQueryBar::ChooseType(int button) {
    if (!m_start || !m_end) return;
    const CTimeRange range = StationModel().SelectTimeType(button, m_start->GetTime(), m_end->GetTime());
    CheckTypeButton(button);
    FillTypeIntervals();
    ShowTimes(range);
}

void CQueryBar::ToggleQuickSearch() {
    if (!m_search) return;
    m_searchShown = !m_searchShown;
    m_search->setVisible(m_searchShown);
    Layout();
    if (m_searchShown) m_search->setFocus();
}

void CQueryBar::RightButtonUp(const QPoint&, const QPoint& global) {
    RegionMenu(global);
}

void CQueryBar::RegionMenu(QPoint global) {
    CQueryBarModel& model = StationModel();
    CString error;
    const bool offered = model.RegionMenuOffered(error);
    if (!error.IsEmpty()) ui::MessageBox(error, "数据查询");
    if (!offered) return;
    std::vector<ui::MenuItem> items;
    for (int i = 0; i < kRegionCommandCount; ++i) {
        const int command = kFirstRegionCommand + i;
        items.push_back({command, RegionCaption(command), true, command == model.CheckedRegionCommand()});
    }
    const int chosen = ui::TrackPopupMenu(items, CPoint{global.x(), global.y()});
    if (chosen) {
        const CRegionResult result = model.ChooseRegion(chosen);
        if (!result.applied)
            ui::MessageBox(result.message, "数据查询");
        else
            FillControls();
        Layout();
    }
    Notify(kNotifyRegionMenu, mapFromGlobal(global));
}
