// The analysis query bar: its controls, what they do, and the refresh it asks of its window.
#include "AnalyQueryBar.h"

#include "BarControls.h"
#include "Button.h"
#include "ButtonST.h"
#include "CJFlatButton.h"
#include "ComboBox.h"
#include "Controls.h"
#include "Hooks.h"
#include "InputBox.h"
#include "ListBox.h"
#include "QueryBar.h"
#include "TimeContorl.h"

namespace {
constexpr const char* kTypeCaptions[kAnalysisTypeButtons] = {"时", "日", "旬", "月"};
constexpr const char* kKindCaptions[kValueKindButtons] = {"瞬间值", "平均值", "最大值", "最小值"};
constexpr const char* kCaption = "数据查询";
} // namespace

CAnalyQueryBar::CAnalyQueryBar(const CQueryBarRecords& records, int controlId, CWnd* owner, QWidget* parent)
    : QWidget(parent), CWnd(*this, controlId, owner), m_records(records),
      m_stations(*records.query, *records.client, *records.settings, *records.window, *records.options,
                 *records.face),
      m_model(m_stations, *records.query, *records.settings, *records.options) {
    m_font = SetUpBarWidget(*this, kClassName, records);
}

CAnalyQueryBar::~CAnalyQueryBar() = default;

void CAnalyQueryBar::Attach() {
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        delete child;
    m_filters.clear();
    m_typeButtons.clear();
    m_kindButtons.clear();
    m_stations.Attach();
    CreateControls();
    FillControls();
    Layout();
    update();
}

void CAnalyQueryBar::CreateControls() {
    const std::vector<int> filters = m_stations.Groups().FilterIndices();
    for (std::size_t i = 0; i < filters.size(); ++i)
        m_filters.push_back(new CComboBox(kFirstFilter + int(i), this, this));
    m_station = new CComboBox(kStation, this, this);
    m_stationBox = new CButton(kStationBox, this, this);
    m_directButton = new CCJFlatButton(kDirectEntry, this, this);
    m_directButton->SetIcon(BarIcon(924));
    m_directButton->SetTooltipText("直接输入站号");
    m_start = new CTimeContorl(0, this, this);
    m_end = new CTimeContorl(0, this, this);
    m_start->SetTime(m_stations.InitialStart());
    m_end->SetTime(m_stations.InitialEnd());
    for (int i = 0; i < kAnalysisTypeButtons; ++i)
        m_typeButtons.push_back(new CButtonSTRadio(kFirstTypeButton + i, this, this, kTypeCaptions[i]));
    for (int i = 0; i < kValueKindButtons; ++i)
        m_kindButtons.push_back(new CButtonSTRadio(kFirstKindButton + i, this, this, kKindCaptions[i]));
    m_interval = new CComboBox(kInterval, this, this);
    m_years = new CListBox(kYearList, this, this, true);
    m_years->setFrameShape(QFrame::StyledPanel);
    m_refresh = new CButtonST(kRefresh, this, this, "刷新");
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        child->setFont(m_font);
        child->show();
    }
    m_directButton->setVisible(m_records.options->m_stationInput == 1);
}

void CAnalyQueryBar::FillControls() {
    FillFilterCombos(m_filters, m_stations);
    FillStations();
    for (std::size_t i = 0; i < m_typeButtons.size(); ++i)
        m_typeButtons[i]->SetCheck(int(i) == m_model.TypeButton());
    for (std::size_t i = 0; i < m_kindButtons.size(); ++i)
        m_kindButtons[i]->SetCheck(int(i) == m_model.ValueKind());
    FillIntervals();
    const CTimeRange range = AdaptTimeRange(m_model.TimeType(), m_start->GetTime(), m_end->GetTime());
    if (range.precision) {
        m_start->SetPrecision(*range.precision);
        m_end->SetPrecision(*range.precision);
    }
    m_years->ResetContent();
    for (const CString& year : AnalysisYears(*m_records.client))
        m_years->AddString(year);
}

void CAnalyQueryBar::FillStations() {
    const CStationListFill fill = m_stations.StationListFill();
    m_station->ResetContent();
    for (const CString& text : fill.texts)
        m_station->AddString(text);
    if (!fill.selected.empty()) m_station->SetCurSel(fill.selected.front());
    if (fill.stationTextChanged) Notify(kNotifyStationText);
}

void CAnalyQueryBar::FillIntervals() {
    m_interval->ResetContent();
    for (const CString& text : IntervalTexts(m_model.TimeType()))
        m_interval->AddString(text);
    m_interval->SetCurSel(0);
}

void CAnalyQueryBar::OnChildNotify(const CNotify& n) {
    const int id = n.controlId;
    if (id >= kFirstFilter && id < kFirstFilter + 50 && n.code == CBN_SELCHANGE) {
        if (CascadeFilters(m_filters, nullptr, m_stations))
            Refresh();
        else
            FillStations();
    } else if (id == kStation && n.code == CBN_SELCHANGE) {
        m_stations.StationClicked(m_station->GetCurSel());
    } else if (id == kRefresh && n.code == BN_CLICKED) {
        Refresh();
    } else if (id >= kFirstTypeButton && id < kFirstTypeButton + kAnalysisTypeButtons &&
               n.code == BN_CLICKED) {
        OnTypeButton(id - kFirstTypeButton);
    } else if (id >= kFirstKindButton && id < kFirstKindButton + kValueKindButtons && n.code == BN_CLICKED) {
        OnKindButton(id - kFirstKindButton);
    } else if (id == kInterval && n.code == CBN_SELCHANGE) {
        m_model.SelectInterval(m_interval->GetCurSel());
    } else if (id == kDirectEntry && n.code == BN_CLICKED) {
        DirectEntry();
    }
}

CAnalyRefreshInput CAnalyQueryBar::ReadControls() const {
    CAnalyRefreshInput input;
    if (const int sel = m_station->GetCurSel(); sel >= 0) input.selectedItems.push_back(sel);
    input.start = m_start->GetTime();
    input.end = m_end->GetTime();
    for (int item : m_years->GetSelItems())
        input.selectedYears.Add(m_years->GetText(item));
    return input;
}

void CAnalyQueryBar::Refresh() {
    Act(m_model.Refresh(ReadControls()));
}

bool CAnalyQueryBar::WriteRequest() {
    return m_model.Refresh(ReadControls()) == EAnalyOutcome::Go;
}

void CAnalyQueryBar::Act(EAnalyOutcome outcome) {
    switch (outcome) {
    case EAnalyOutcome::NoStation:
        ui::MessageBox(kMsgSelectStation, kCaption);
        break;
    case EAnalyOutcome::NoYear:
        ui::MessageBox(kMsgSelectYear, kCaption);
        break;
    case EAnalyOutcome::Go:
        Notify(kNotifyStationText);
        Notify(kNotifyRefresh);
        break;
    case EAnalyOutcome::Stop:
        break;
    }
}

void CAnalyQueryBar::OnTypeButton(int button) {
    const CTimeRange range = m_model.SelectTimeType(button, m_start->GetTime(), m_end->GetTime());
    for (std::size_t i = 0; i < m_typeButtons.size(); ++i)
        m_typeButtons[i]->SetCheck(int(i) == button);
    FillIntervals();
    if (range.precision) {
        m_start->SetPrecision(*range.precision);
        m_end->SetPrecision(*range.precision);
    }
    m_start->SetTime(range.start);
    m_end->SetTime(range.end);
}

void CAnalyQueryBar::OnKindButton(int button) {
    m_model.SelectValueKind(button);
    for (std::size_t i = 0; i < m_kindButtons.size(); ++i)
        m_kindButtons[i]->SetCheck(int(i) == button);
}

void CAnalyQueryBar::DirectEntry() {
    m_stations.BeginDirectEntry();
    CString station;
    if (ui::InputBox("输入信息", "直接输入站号", station) != ui::IDOK) {
        m_stations.CancelDirectEntry();
        return;
    }
    EAnalyOutcome outcome = EAnalyOutcome::Stop;
    const CDirectEntryResult result = m_stations.ConfirmDirectEntry(station, [&] {
        outcome = m_model.Refresh(ReadControls());
        return outcome == EAnalyOutcome::Go ? ERefreshOutcome::Go : ERefreshOutcome::Stop;
    });
    if (result.outcome == ERefreshOutcome::UnknownStation) {
        CString message;
        message.Format(kMsgUnknownStation, CString(station).Trim().GetString());
        ui::MessageBox(message, kCaption);
        return;
    }
    Act(outcome);
    if (!result.selected.empty()) m_station->SetCurSel(result.selected.front());
    Notify(kNotifyStationText);
}

void CAnalyQueryBar::Notify(int code, QPoint at) {
    CNotify block;
    block.code = code;
    block.point = CPoint{at.x(), at.y()};
    block.text = m_stations.CurrentStationText();
    const QRect r = geometry();
    block.rect = CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
    NotifyOwner(block);
}
