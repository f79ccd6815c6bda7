// The part the three bars share: set-up, the controls they have alike, how those are filled, and
// what they do when the user works them.
#include "StationBar.h"

#include "Button.h"
#include "ButtonST.h"
#include "CJFlatButton.h"
#include "ComboBox.h"
#include "Controls.h"
#include "ListBox.h"
#include "TimeContorl.h"

#include <cassert>

CStationBar::CStationBar(const CQueryBarRecords& records, std::unique_ptr<CQueryBarModel> model,
                         const char* className, int directEntryId, int controlId, CWnd* owner,
                         QWidget* parent)
    : QWidget(parent), CWnd(*this, controlId, owner), m_records(records), m_model(std::move(model)),
      m_directEntryId(directEntryId) {
    assert(m_model);
    m_font = SetUpBarWidget(*this, className, records);
}

CStationBar::~CStationBar() = default;

void CStationBar::Attach() {
    ClearControls();
    MakeControls(m_model->Attach());
    Layout();
    update();
}

void CStationBar::ClearControls() {
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        delete child;
    m_filters.clear();
    m_stations = nullptr;
    m_selectAllBox = nullptr;
    m_directButton = nullptr;
    m_start = m_end = nullptr;
    m_typeButtons.clear();
    m_interval = nullptr;
    m_refresh = nullptr;
    m_labels.clear();
    m_rowsBottom = 0;
}

void CStationBar::MakeFilters() {
    const std::size_t count = m_model->Groups().FilterIndices().size();
    for (std::size_t i = 0; i < count; ++i)
        m_filters.push_back(new CComboBox(kFirstFilter + int(i), this, this));
}

void CStationBar::MakeStationList() {
    const bool single = m_records.window->m_singleSelect == 1;
    m_stations = new CListBox(kStationList, this, this, !single);
    m_stations->setFrameShape(QFrame::StyledPanel);
    m_selectAllBox = new CButton(kSelectAll, this, this);
}

void CStationBar::MakeDirectEntryButton() {
    auto* button = new CCJFlatButton(m_directEntryId, this, this);
    button->SetIcon(BarIcon(924));
    button->SetTooltipText("直接输入站号");
    m_directButton = button;
}

void CStationBar::MakeTimeControls(const CTimeRange& initial) {
    m_start = new CTimeContorl(0, this, this);
    m_end = new CTimeContorl(0, this, this);
    ShowTimes(initial);
}

void CStationBar::MakeTypeButtons(const CStringArray& captions) {
    for (int i = 0; i < captions.GetSize() && i < kMaxTimeTypeButtons; ++i)
        m_typeButtons.push_back(new CButtonSTRadio(kFirstTypeButton + i, this, this, captions[i]));
}

void CStationBar::MakeIntervalList() {
    m_interval = new CComboBox(kInterval, this, this);
}

void CStationBar::MakeRefreshButton() {
    m_refresh = new CButtonST(kRefresh, this, this, "刷新");
}

void CStationBar::ShowControls() {
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        child->setFont(m_font);
        child->show();
    }
}

void CStationBar::FillStationList() {
    const CStationListFill fill = m_model->StationListFill();
    ShowStationTexts(fill.texts);
    SelectStationItems(fill.selected);
    if (fill.stationTextChanged) Notify(kNotifyStationText);
}

void CStationBar::ShowStationTexts(const CStringArray& texts) {
    if (m_stations) FillStationTexts(*m_stations, texts);
}

void CStationBar::SelectStationItems(const std::vector<int>& items) {
    if (m_stations) SelectStations(*m_stations, items);
}

std::vector<int> CStationBar::SelectedStationItems() const {
    return m_stations ? SelectedStations(*m_stations) : std::vector<int>{};
}

int CStationBar::StationListHeight() const {
    return m_records.window->m_stationListHeight;
}

void CStationBar::FillIntervals(const CStringArray& texts, int selected) {
    if (!m_interval) return;
    m_interval->ResetContent();
    for (const CString& text : texts)
        m_interval->AddString(text);
    m_interval->SetCurSel(selected);
}

void CStationBar::CheckTypeButton(int button) {
    for (std::size_t i = 0; i < m_typeButtons.size(); ++i)
        m_typeButtons[i]->SetCheck(int(i) == button);
}

void CStationBar::ShowTimes(const CTimeRange& range) {
    if (!m_start || !m_end) return;
    SetTimePrecision(range.precision);
    m_start->SetTime(range.start);
    m_end->SetTime(range.end);
}

void CStationBar::SetTimePrecision(const std::optional<int>& precision) {
    if (!precision || !m_start || !m_end) return;
    m_start->SetPrecision(*precision);
    m_end->SetPrecision(*precision);
}

void CStationBar::OnChildNotify(const CNotify& n) {
    const int id = n.controlId;
    const bool singleList = m_stations && !m_stations->IsMultipleSelection();
    if (id >= kFirstFilter && id < kFirstFilter + 50 && n.code == CBN_SELCHANGE) {
        if (CascadeFilters(m_filters, m_selectAllBox, *m_model))
            Refresh();
        else
            FillStationList();
        Layout();
    } else if (id == kStationList && singleList && n.code == LBN_SELCHANGE) {
        m_model->StationClicked(m_stations->GetCurSel());
    } else if (id == kStationList && singleList && n.code == LBN_DBLCLK) {
        m_model->StationDoubleClicked(m_stations->GetCurSel());
        OnStationDoubleClick();
        Refresh();
    } else if (id == kSelectAll && m_selectAllBox && n.code == BN_CLICKED) {
        SelectAll(m_selectAllBox->GetCheck() == 1);
    } else if (id == kRefresh && n.code == BN_CLICKED) {
        Refresh();
    } else if (id >= kFirstTypeButton && id < kFirstTypeButton + int(m_typeButtons.size()) &&
               n.code == BN_CLICKED) {
        ChooseType(id - kFirstTypeButton);
    } else if (id == kInterval && n.code == CBN_SELCHANGE) {
        ChooseInterval(m_interval->GetCurSel());
    } else if (id == m_directEntryId && n.code == BN_CLICKED) {
        DirectEntry();
    } else {
        OnOwnControl(n);
    }
}

CRefreshInput CStationBar::ReadControls() const {
    CRefreshInput input;
    input.selectedItems = SelectedStationItems();
    if (m_start && m_end) {
        input.start = m_start->GetTime();
        input.end = m_end->GetTime();
    }
    return input;
}

void CStationBar::Refresh() {
    Act(RefreshModel());
}

bool CStationBar::WriteRequest() {
    return RefreshModel() == ERefreshOutcome::Go;
}

void CStationBar::Act(ERefreshOutcome outcome) {
    if (!AcceptRefresh(outcome)) return;
    Notify(kNotifyStationText);
    Notify(kNotifyRefresh);
}

void CStationBar::SelectAll(bool select) {
    if (m_stations && m_stations->IsMultipleSelection()) m_stations->SetSel(-1, select);
}

void CStationBar::DirectEntry() {
    const std::optional<CDirectEntryResult> result =
        AskDirectEntry(*m_model, [this] { return RefreshModel(); });
    if (!result || result->outcome == ERefreshOutcome::UnknownStation) return;
    Act(result->outcome);
    SelectStationItems(result->selected);
    Notify(kNotifyStationText);
}

void CStationBar::Notify(int code, QPoint at) {
    NotifyOwner(BarNotifyBlock(*this, code, at, m_model->CurrentStationText()));
}
