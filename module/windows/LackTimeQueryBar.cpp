// The missing-data bar: its controls, made for the groups the model loaded and filled from it,
// and what they do when the user works them.
#include "LackTimeQueryBar.h"

#include "Button.h"
#include "ButtonST.h"
#include "ComboBox.h"
#include "Controls.h"
#include "ListBox.h"
#include "QtConvert.h"
#include "TimeContorl.h"

#include <QApplication>
#include <QStyle>

CLackTimeQueryBar::CLackTimeQueryBar(const CQueryBarRecords& records, int controlId, CWnd* owner,
                                     QWidget* parent)
    : QWidget(parent), CWnd(*this, controlId, owner), m_records(records),
      m_model(*records.query, *records.client, *records.settings, *records.window, *records.options,
              *records.face) {
    m_font = SetUpBarWidget(*this, kClassName, records);
}

CLackTimeQueryBar::~CLackTimeQueryBar() = default;

void CLackTimeQueryBar::Attach() {
    ClearControls();
    const int code = m_model.Attach();
    Notify(code);
    if (code != kNotifyShow) return;
    CreateControls();
    FillControls();
    Layout();
    update();
}

void CLackTimeQueryBar::ClearControls() {
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        delete child;
    m_filters.clear();
    m_unitButtons.clear();
    m_stations = nullptr;
    m_selectAllBox = nullptr;
    m_start = m_end = nullptr;
    m_interval = nullptr;
    m_refresh = m_directButton = nullptr;
    m_labels.clear();
    m_rowsBottom = 0;
}

void CLackTimeQueryBar::CreateControls() {
    const CQueryOptions& options = *m_records.options;
    const bool directDisplay = options.m_directDisplay == 1;
    const std::vector<int> filters = m_model.Groups().FilterIndices();
    for (std::size_t i = 0; i < filters.size(); ++i)
        m_filters.push_back(new CComboBox(kFirstFilter + int(i), this, this));

    if (m_model.HasStationList()) {
        const bool single = m_records.window->m_singleSelect == 1;
        m_stations = new CListBox(kStationList, this, this, !single);
        m_stations->setFrameShape(QFrame::StyledPanel);
        m_selectAllBox = new CButton(kSelectAll, this, this);
    }
    if (m_model.HasTimeBlock()) {
        const CTimeRange initial = m_model.InitialTimes();
        for (CTimeContorl** control : {&m_start, &m_end}) {
            *control = new CTimeContorl(0, this, this, *initial.precision);
            (*control)->SetTime(control == &m_start ? initial.start : initial.end);
        }
    }
    if (m_model.HasTimeBlock() || m_model.HasStationList()) {
        const CStringArray captions = LackUnitCaptions();
        for (int i = 0; i < captions.GetSize(); ++i) {
            auto* button = new CButtonSTRadio(kFirstUnitButton + i, this, this, captions[i]);
            button->SetColors(m_records.panelColor, 0);
            m_unitButtons.push_back(button);
        }
        m_interval = new CComboBox(kInterval, this, this);
    }
    m_refresh = new CButtonST(kRefresh, this, this, "刷新");
    m_directButton = new CButtonST(kDirectEntry, this, this);
    m_directButton->SetIcon(QApplication::style()->standardIcon(QStyle::SP_FileDialogNewFolder));
    m_directButton->setFlat(true);
    m_directButton->SetTooltipText("直接输入站号");

    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        child->setFont(m_font);
        child->show();
    }
    if (m_stations) m_stations->setVisible(!directDisplay);
    if (m_selectAllBox) m_selectAllBox->hide();
    m_refresh->setVisible(!directDisplay);
    m_directButton->setVisible(options.m_stationInput == 1 && !directDisplay);
}

void CLackTimeQueryBar::FillControls() {
    FillFilterCombos(m_filters, m_model);
    // A list of fewer than two names is no choice: its label is painted instead.
    const std::vector<int> filters = m_model.Groups().FilterIndices();
    for (std::size_t i = 0; i < m_filters.size(); ++i)
        m_filters[i]->setVisible(m_model.Groups()[filters[i]].displayTexts.GetSize() >= 2);
    FillStationList();
    for (std::size_t i = 0; i < m_unitButtons.size(); ++i)
        m_unitButtons[i]->SetCheck(int(i) == m_model.Unit());
    FillIntervals();
}

void CLackTimeQueryBar::FillStationList() {
    if (!m_stations) return;
    const CStationListFill fill = m_model.StationListFill();
    FillStationTexts(*m_stations, fill.texts);
    SelectStations(*m_stations, fill.selected);
    if (fill.stationTextChanged) Notify(kNotifyStationText);
}

void CLackTimeQueryBar::FillIntervals() {
    if (!m_interval) return;
    m_interval->ResetContent();
    for (const CString& text : LackIntervalTexts(m_model.Unit()))
        m_interval->AddString(text);
    m_interval->SetCurSel(m_model.IntervalIndex());
}

void CLackTimeQueryBar::OnChildNotify(const CNotify& n) {
    const int id = n.controlId;
    const bool singleList = m_stations && !m_stations->IsMultipleSelection();
    if (id >= kFirstFilter && id < kFirstFilter + 50 && n.code == CBN_SELCHANGE) {
        if (CascadeFilters(m_filters, m_selectAllBox, m_model))
            Refresh();
        else
            FillStationList();
    } else if (id == kStationList && singleList && n.code == LBN_SELCHANGE) {
        m_model.StationClicked(m_stations->GetCurSel());
    } else if (id == kStationList && singleList && n.code == LBN_DBLCLK) {
        m_model.StationDoubleClicked(m_stations->GetCurSel());
        Notify(kNotifyStationText);
        Refresh();
    } else if (id == kSelectAll && n.code == BN_CLICKED) {
        SelectAll(m_selectAllBox->GetCheck() == 1);
    } else if (id == kRefresh && n.code == BN_CLICKED) {
        Refresh();
    } else if (id >= kFirstUnitButton && id < kFirstUnitButton + kLackUnitCount && n.code == BN_CLICKED) {
        OnUnitButton(id - kFirstUnitButton);
    } else if (id == kInterval && n.code == CBN_SELCHANGE) {
        m_model.SelectInterval(m_interval->GetCurSel());
    } else if (id == kDirectEntry && n.code == BN_CLICKED) {
        DirectEntry();
    }
}

CRefreshInput CLackTimeQueryBar::ReadControls() const {
    CRefreshInput input;
    if (m_stations) input.selectedItems = SelectedStations(*m_stations);
    if (m_start && m_end) {
        input.start = m_start->GetTime();
        input.end = m_end->GetTime();
    }
    return input;
}

void CLackTimeQueryBar::Refresh() {
    if (!AcceptRefresh(m_model.Refresh(ReadControls()))) return;
    Notify(kNotifyStationText);
    Notify(kNotifyRefresh);
}

bool CLackTimeQueryBar::WriteRequest() {
    return m_model.Refresh(ReadControls()) == ERefreshOutcome::Go;
}

void CLackTimeQueryBar::SelectAll(bool select) {
    if (m_stations && m_stations->IsMultipleSelection()) m_stations->SetSel(-1, select);
}

void CLackTimeQueryBar::OnUnitButton(int unit) {
    m_model.SelectUnit(unit);
    for (std::size_t i = 0; i < m_unitButtons.size(); ++i)
        m_unitButtons[i]->SetCheck(int(i) == unit);
    FillIntervals();
}

void CLackTimeQueryBar::DirectEntry() {
    const std::optional<CDirectEntryResult> result = AskDirectEntry(m_model, ReadControls());
    if (!result || result->outcome == ERefreshOutcome::UnknownStation) return;
    if (AcceptRefresh(result->outcome)) {
        Notify(kNotifyStationText);
        Notify(kNotifyRefresh);
    }
    if (m_stations) SelectStations(*m_stations, result->selected);
    Notify(kNotifyStationText);
}

void CLackTimeQueryBar::Notify(int code, QPoint at) {
    NotifyOwner(BarNotifyBlock(*this, code, at, m_model.CurrentStationText()));
}
