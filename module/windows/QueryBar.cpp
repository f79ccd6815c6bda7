// The query bar: its controls, made for the groups the model loaded, and filled from it.
#include "QueryBar.h"

#include "CJFlatButton.h"
#include "CheckListBox.h"
#include "Edit.h"
#include "TableQuery.h"
#include "TimeContorl.h"

CQueryBar::CQueryBar(const CQueryBarRecords& records, int controlId, CWnd* owner, QWidget* parent)
    : CStationBar(records, MakeModel<CQueryBarModel>(records), kClassName, kDirectEntry, controlId, owner,
                  parent) {}

void CQueryBar::MakeControls(int code) {
    CreateControls();
    Notify(code);
    if (code == kNotifyShow) FillControls();
}

void CQueryBar::ClearControls() {
    CStationBar::ClearControls();
    m_search = nullptr;
    m_searchButton = nullptr;
    m_elements = nullptr;
    m_searchShown = false;
}

void CQueryBar::CreateControls() {
    const CQueryBarModel& model = StationModel();
    MakeFilters();
    if (model.HasStationList()) {
        MakeStationList();
        m_search = new CEdit(kQuickSearch, this, this);
        m_searchButton = new CCJFlatButton(kQuickSearchToggle, this, this);
        m_searchButton->SetIcon(BarIcon(925));
        m_searchButton->SetTooltipText("拼音首字母快速查找");
        MakeDirectEntryButton();
    }
    if (model.HasTimeBlock())
        MakeTimeControls({model.InitialStart(), model.InitialEnd(), model.TimeControlPrecision()});
    if (model.HasTypeButtons()) {
        MakeTypeButtons(model.TypeCaptions());
        MakeIntervalList();
    }
    if (m_records.face->m_elementChoice == 1) {
        m_elements = new CCheckListBox(kElementList, this, this);
        const CColumnList& columns = m_records.query->Settings().Columns();
        const int visible = m_records.query->Settings().VisibleCount();
        for (int c = 1; c <= visible && c < columns.GetSize(); ++c) {
            if (!columns.GetAt(c)) continue;
            m_elements->AddString(columns[c].colnamech);
            m_elements->SetCheck(m_elements->GetCount() - 1, 1);
        }
    }
    MakeRefreshButton();
    ShowControls();
    if (m_search) m_search->hide();
    // Typing a station number is offered only where the engineer asked for it ("输入站号").
    if (m_directButton) m_directButton->setVisible(m_records.options->m_stationInput == 1);
}

void CQueryBar::FillControls() {
    FillFilters();
    FillStationList();
    if (!m_typeButtons.empty()) {
        CheckTypeButton(StationModel().TypeButton());
        FillTypeIntervals();
        if (m_start && m_end) ShowTimes(StationModel().AdaptToType(m_start->GetTime(), m_end->GetTime()));
    }
}

void CQueryBar::FillTypeIntervals() {
    FillIntervals(IntervalTexts(StationModel().TimeTypeCode()), 0);
}
