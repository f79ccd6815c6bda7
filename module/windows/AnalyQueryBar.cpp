// The analysis query bar: its controls, what they do, and the refresh it asks of its window.
#include "AnalyQueryBar.h"

#include "Button.h"
#include "ButtonST.h"
#include "ComboBox.h"
#include "Controls.h"
#include "ListBox.h"
#include "TimeContorl.h"

namespace {
constexpr const char* kKindCaptions[kValueKindButtons] = {"瞬间值", "平均值", "最大值", "最小值"};
} // namespace

CAnalyQueryBar::CAnalyQueryBar(const CQueryBarRecords& records, int controlId, CWnd* owner, QWidget* parent)
    : CStationBar(records, MakeModel<CQueryBarModel>(records), kClassName, kDirectEntry, controlId, owner,
                  parent),
      m_model(StationModel(), *records.query, *records.settings, *records.options) {}

// The bar always shows its controls, whatever the groups loaded.
void CAnalyQueryBar::MakeControls(int) {
    CreateControls();
    FillControls();
}

void CAnalyQueryBar::ClearControls() {
    CStationBar::ClearControls();
    m_station = nullptr;
    m_stationBox = nullptr;
    m_kindButtons.clear();
    m_years = nullptr;
}

void CAnalyQueryBar::CreateControls() {
    MakeFilters();
    m_station = new CComboBox(kStation, this, this);
    m_stationBox = new CButton(kStationBox, this, this);
    MakeDirectEntryButton();
    MakeTimeControls({StationModel().InitialStart(), StationModel().InitialEnd(), std::nullopt});
    MakeTypeButtons({"时", "日", "旬", "月"});
    for (int i = 0; i < kValueKindButtons; ++i)
        m_kindButtons.push_back(new CButtonSTRadio(kFirstKindButton + i, this, this, kKindCaptions[i]));
    MakeIntervalList();
    m_years = new CListBox(kYearList, this, this, true);
    m_years->setFrameShape(QFrame::StyledPanel);
    MakeRefreshButton();
    ShowControls();
    m_directButton->setVisible(m_records.options->m_stationInput == 1);
}

void CAnalyQueryBar::FillControls() {
    FillFilters();
    FillStationList();
    CheckTypeButton(m_model.TypeButton());
    for (std::size_t i = 0; i < m_kindButtons.size(); ++i)
        m_kindButtons[i]->SetCheck(int(i) == m_model.ValueKind());
    FillTypeIntervals();
    SetTimePrecision(AdaptTimeRange(m_model.TimeType(), m_start->GetTime(), m_end->GetTime()).precision);
    m_years->ResetContent();
    for (const CString& year : AnalysisYears(*m_records.client))
        m_years->AddString(year);
}

void CAnalyQueryBar::FillTypeIntervals() {
    FillIntervals(IntervalTexts(m_model.TimeType()), 0);
}

void CAnalyQueryBar::ShowStationTexts(const CStringArray& texts) {
    m_station->ResetContent();
    for (const CString& text : texts)
        m_station->AddString(text);
}

// The drop-down shows one station: the first of those chosen.
void CAnalyQueryBar::SelectStationItems(const std::vector<int>& items) {
    if (!items.empty()) m_station->SetCurSel(items.front());
}

std::vector<int> CAnalyQueryBar::SelectedStationItems() const {
    const int selected = m_station->GetCurSel();
    return selected >= 0 ? std::vector<int>{selected} : std::vector<int>{};
}

void CAnalyQueryBar::OnOwnControl(const CNotify& n) {
    const int id = n.controlId;
    if (id == kStation && n.code == CBN_SELCHANGE)
        StationModel().StationClicked(m_station->GetCurSel());
    else if (id >= kFirstKindButton && id < kFirstKindButton + kValueKindButtons && n.code == BN_CLICKED)
        OnKindButton(id - kFirstKindButton);
}

ERefreshOutcome CAnalyQueryBar::RefreshModel() {
    CAnalyRefreshInput input;
    static_cast<CRefreshInput&>(input) = ReadControls();
    for (int item : m_years->GetSelItems())
        input.selectedYears.Add(m_years->GetText(item));
    return m_model.Refresh(input);
}

void CAnalyQueryBar::ChooseType(int button) {
    const CTimeRange range = m_model.SelectTimeType(button, m_start->GetTime(), m_end->GetTime());
    CheckTypeButton(button);
    FillTypeIntervals();
    ShowTimes(range);
}

void CAnalyQueryBar::OnKindButton(int button) {
    m_model.SelectValueKind(button);
    for (std::size_t i = 0; i < m_kindButtons.size(); ++i)
        m_kindButtons[i]->SetCheck(int(i) == button);
}
