// The query bar: its controls, made for the groups the model loaded, and filled from it.
#include "QueryBar.h"

#include "BarControls.h"
#include "Button.h"
#include "ButtonST.h"
#include "CJFlatButton.h"
#include "CheckListBox.h"
#include "ComboBox.h"
#include "Edit.h"
#include "ListBox.h"
#include "QtConvert.h"
#include "TableQuery.h"
#include "TimeContorl.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStyle>

CQueryBar::CQueryBar(const CQueryBarRecords& records, int controlId, CWnd* owner, QWidget* parent)
    : QWidget(parent), CWnd(*this, controlId, owner), m_records(records),
      m_model(*records.query, *records.client, *records.settings, *records.window, *records.options,
              *records.face) {
    m_font = SetUpBarWidget(*this, kClassName, records);
}

CQueryBar::~CQueryBar() = default;

void CQueryBar::Attach() {
    ClearControls();
    const int code = m_model.Attach();
    CreateControls();
    Notify(code);
    if (code == kNotifyShow) FillControls();
    Layout();
    update();
}

void CQueryBar::ClearControls() {
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        delete child;
    m_filters.clear();
    m_typeButtons.clear();
    m_stations = nullptr;
    m_selectAllBox = nullptr;
    m_search = nullptr;
    m_directButton = m_searchButton = nullptr;
    m_start = m_end = nullptr;
    m_interval = nullptr;
    m_elements = nullptr;
    m_refresh = nullptr;
    m_searchShown = false;
}

void CQueryBar::CreateControls() {
    const CSelectionGroups& groups = m_model.Groups();
    const std::vector<int> filters = groups.FilterIndices();
    for (std::size_t i = 0; i < filters.size(); ++i)
        m_filters.push_back(new CComboBox(kFirstFilter + int(i), this, this));

    if (m_model.HasStationList()) {
        const bool single = m_records.window->m_singleSelect == 1;
        m_stations = new CListBox(kStationList, this, this, !single);
        m_stations->setFrameShape(QFrame::StyledPanel);
        m_selectAllBox = new CButton(kSelectAll, this, this);
        m_search = new CEdit(kQuickSearch, this, this);
        m_search->hide();
        m_searchButton = new CCJFlatButton(kQuickSearchToggle, this, this);
        m_searchButton->SetIcon(BarIcon(925));
        m_searchButton->SetTooltipText("拼音首字母快速查找");
        m_directButton = new CCJFlatButton(kDirectEntry, this, this);
        m_directButton->SetIcon(BarIcon(924));
        m_directButton->SetTooltipText("直接输入站号");
        m_directButton->setVisible(m_records.options->m_stationInput == 1);
    }
    if (m_model.HasTimeBlock()) {
        m_start = new CTimeContorl(0, this, this);
        m_end = new CTimeContorl(0, this, this);
        if (std::optional<int> precision = m_model.TimeControlPrecision()) {
            m_start->SetPrecision(*precision);
            m_end->SetPrecision(*precision);
        }
        m_start->SetTime(m_model.InitialStart());
        m_end->SetTime(m_model.InitialEnd());
    }
    if (m_model.HasTypeButtons()) {
        const CStringArray captions = m_model.TypeCaptions();
        for (int i = 0; i < captions.GetSize() && i < kMaxTimeTypeButtons; ++i)
            m_typeButtons.push_back(new CButtonSTRadio(kFirstTypeButton + i, this, this, captions[i]));
        m_interval = new CComboBox(kInterval, this, this);
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
    m_refresh = new CButtonST(kRefresh, this, this, "刷新");
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        child->setFont(m_font);
        child->show();
    }
    if (m_search) m_search->hide();
}

void CQueryBar::FillControls() {
    FillFilterCombos(m_filters, m_model);
    FillStationList();
    if (!m_typeButtons.empty()) {
        for (std::size_t i = 0; i < m_typeButtons.size(); ++i)
            m_typeButtons[i]->SetCheck(int(i) == m_model.TypeButton());
        FillIntervals();
        if (m_start && m_end) ShowTimes(m_model.AdaptToType(m_start->GetTime(), m_end->GetTime()));
    }
}

void CQueryBar::FillStationList() {
    if (!m_stations) return;
    CStationListFill fill = m_model.StationListFill();
    FillStationTexts(*m_stations, fill.texts);
    SelectStations(*m_stations, fill.selected);
    if (fill.stationTextChanged) Notify(kNotifyStationText);
}

void CQueryBar::FillIntervals() {
    if (!m_interval) return;
    m_interval->ResetContent();
    for (const CString& text : IntervalTexts(m_model.TimeTypeCode()))
        m_interval->AddString(text);
    m_interval->SetCurSel(0);
}

void CQueryBar::ShowTimes(const CTimeRange& range) {
    if (!m_start || !m_end) return;
    if (range.precision) {
        m_start->SetPrecision(*range.precision);
        m_end->SetPrecision(*range.precision);
    }
    m_start->SetTime(range.start);
    m_end->SetTime(range.end);
}

int CQueryBar::StationListHeight() const {
    return m_records.window->m_stationListHeight;
}

void CQueryBar::Notify(int code, QPoint at) {
    NotifyOwner(BarNotifyBlock(*this, code, at, m_model.CurrentStationText()));
}
