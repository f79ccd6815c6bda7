// What the query bar's controls do when the user works them.
#include "QueryBar.h"

#include "Button.h"
#include "ButtonST.h"
#include "CheckListBox.h"
#include "ComboBox.h"
#include "Controls.h"
#include "Edit.h"
#include "Hooks.h"
#include "InputBox.h"
#include "ListBox.h"
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

void CQueryBar::OnChildNotify(const CNotify& n) {
    const int id = n.controlId;
    if (id >= kFirstFilter && id < kFirstFilter + 50 && n.code == CBN_SELCHANGE) {
        if (CascadeFilters(m_filters, m_selectAllBox, m_model))
            Refresh();
        else
            FillStationList();
        Layout();
    } else if (id == kStationList && m_stations->selectionMode() == QAbstractItemView::SingleSelection) {
        if (n.code == LBN_SELCHANGE) {
            m_model.StationClicked(m_stations->GetCurSel());
        } else if (n.code == LBN_DBLCLK) {
            m_model.StationDoubleClicked(m_stations->GetCurSel());
            Refresh();
        }
    } else if (id == kSelectAll && n.code == BN_CLICKED) {
        SelectAll(m_selectAllBox->GetCheck() == 1);
    } else if (id == kRefresh && n.code == BN_CLICKED) {
        Refresh();
    } else if (id >= kFirstTypeButton && id < kFirstTypeButton + kMaxTimeTypeButtons &&
               n.code == BN_CLICKED) {
        OnTypeButton(id - kFirstTypeButton);
    } else if (id == kInterval && n.code == CBN_SELCHANGE) {
        m_model.SelectInterval(m_interval->GetCurSel());
    } else if (id == kDirectEntry && n.code == BN_CLICKED) {
        DirectEntry();
    } else if (id == kQuickSearchToggle && n.code == BN_CLICKED) {
        ToggleQuickSearch();
    } else if (id == kQuickSearch && n.code == EN_CHANGE) {
        m_model.QuickSearch(m_search->GetWindowText());
        FillStationTexts(*m_stations, m_model.StationTexts());
    }
}

CRefreshInput CQueryBar::ReadControls() const {
    CRefreshInput input;
    if (m_stations) input.selectedItems = SelectedStations(*m_stations);
    if (m_start && m_end) {
        input.start = m_start->GetTime();
        input.end = m_end->GetTime();
    }
    if (m_elements) {
        std::vector<bool> checks;
        for (int i = 0; i < m_elements->GetCount(); ++i)
            checks.push_back(m_elements->GetCheck(i) == 1);
        input.elementChecks = std::move(checks);
    }
    return input;
}

void CQueryBar::Refresh() {
    Act(m_model.Refresh(ReadControls()));
}

bool CQueryBar::WriteRequest() {
    return m_model.Refresh(ReadControls()) == ERefreshOutcome::Go;
}

void CQueryBar::Act(ERefreshOutcome outcome) {
    if (!AcceptRefresh(outcome)) return;
    Notify(kNotifyStationText);
    Notify(kNotifyRefresh);
}

void CQueryBar::SelectAll(bool select) {
    if (!m_stations || m_stations->selectionMode() == QAbstractItemView::SingleSelection) return;
    m_stations->SetSel(-1, select);
}

void CQueryBar::OnTypeButton(int button) {
    if (!m_start || !m_end) return;
    const CTimeRange range = m_model.SelectTimeType(button, m_start->GetTime(), m_end->GetTime());
    for (std::size_t i = 0; i < m_typeButtons.size(); ++i)
        m_typeButtons[i]->SetCheck(int(i) == button);
    FillIntervals();
    ShowTimes(range);
}

void CQueryBar::DirectEntry() {
    const std::optional<CDirectEntryResult> result = AskDirectEntry(m_model, ReadControls());
    if (!result || result->outcome == ERefreshOutcome::UnknownStation) return;
    Act(result->outcome);
    if (m_stations) SelectStations(*m_stations, result->selected);
    Notify(kNotifyStationText);
}

void CQueryBar::ToggleQuickSearch() {
    if (!m_search) return;
    m_searchShown = !m_searchShown;
    m_search->setVisible(m_searchShown);
    Layout();
    if (m_searchShown) m_search->setFocus();
}

void CQueryBar::RegionMenu(QPoint global) {
    CString error;
    const bool offered = m_model.RegionMenuOffered(error);
    if (!error.IsEmpty()) ui::MessageBox(error, "数据查询");
    if (!offered) return;
    std::vector<ui::MenuItem> items;
    for (int i = 0; i < kRegionCommandCount; ++i) {
        const int command = kFirstRegionCommand + i;
        items.push_back({command, RegionCaption(command), true, command == m_model.CheckedRegionCommand()});
    }
    const int chosen = ui::TrackPopupMenu(items, CPoint{global.x(), global.y()});
    if (chosen) {
        const CRegionResult result = m_model.ChooseRegion(chosen);
        if (!result.applied)
            ui::MessageBox(result.message, "数据查询");
        else
            FillControls();
        Layout();
    }
    Notify(kNotifyRegionMenu, mapFromGlobal(global));
}
