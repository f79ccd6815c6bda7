#include "AdvancedSetDlg.h"

#include "AddSelectDlg.h"
#include "CJColorPicker.h"
#include "ColumnGrid.h"
#include "FontButton.h"
#include "FormControls.h"
#include "GridCtrl.h"
#include "Hooks.h"
#include "ListCellEditor.h"
#include "ListToolStrip.h"
#include "ModalForm.h"
#include "QtConvert.h"
#include "QueryClient.h"
#include "StatSetDlg.h"
#include "ui_AdvancedSetDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

enum : int {
    kColumnPlace = 1080,
    kFilterPlace = 1066,
    kToolStrip = 1067,
    kTimeCondition = 1061,
    kIdCondition = 1062,
    kKeyMapping = 1097,
    kAddStation = 1068,
    kShowKey = 1094,
    kMultiSelect = 1076,
    kSingleFont = 1006,
    kSingleColour = 1013,
    kSingleFontCaption = 1077,
    kSingleColourCaption = 1078,
    kAnalysis = 1079,
    kDirect = 1081,
    kMissingData = 1083,
    kHourlyRain = 1085,
    kReverseTime = 1087,
    kStationInput = 1102,
    kCurveName = 1104,
    kRtu = 1091,
    kDataChar = 1092,
    kUserGroups = 1093,
    kStatistics = 1133,
    kInitialise = 1002,
};

constexpr std::pair<int, bool CAdvancedFlags::*> kFlagBoxes[] = {
    {kAnalysis, &CAdvancedFlags::analysisComparison},  {kDirect, &CAdvancedFlags::directDisplay},
    {kMissingData, &CAdvancedFlags::missingDataStats}, {kHourlyRain, &CAdvancedFlags::hourlyRainfall},
    {kReverseTime, &CAdvancedFlags::reverseTimeOrder}, {kStationInput, &CAdvancedFlags::stationInput},
    {kCurveName, &CAdvancedFlags::curveName},          {kShowKey, &CAdvancedFlags::showPrimaryKeyId},
};

} // namespace

CAdvancedSetDlg::CAdvancedSetDlg(CWindowSettings& window, CQueryOptions& options, CQuerySettings& query,
                                 CWnd* owner, QWidget* parent)
    : QDialog(parent), CWnd(*this, kDialogId, owner), m_ui(std::make_unique<Ui::CAdvancedSetDlg>()),
      m_window(window), m_options(options), m_query(query) {
    m_ui->setupUi(this);
    m_columnCtrl = new CGridCtrl(m_columnGrid, kColumnGridId, this, this);
    m_filterCtrl = new CGridCtrl(m_filterGrid, kFilterGridId, this, this);
    m_strip = new CListToolStrip(kToolStrip, this, this);
    ReplaceControl(*this, kColumnPlace, *m_columnCtrl);
    ReplaceControl(*this, kFilterPlace, *m_filterCtrl);
    ReplaceControl(*this, kToolStrip, *m_strip);
    ReplaceControl(*this, kSingleColour, *new CCJColorPicker(kSingleColour, this, this));
    m_strip->SetCaption("筛选条件");
    m_strip->setFixedHeight(30);
    m_columnCtrl->SetEditable(true);
    // Model column c is grid column c + 1 (the numbering column is the vertical header).
    m_columnCtrl->setItemDelegateForColumn(int(kSchemeGridColumn - 1), new CListCellEditor(*m_columnCtrl));

    if (query.m_advanced == 1) {
        DropColumnsOfOtherTable(options, query.m_tableName);
        m_columns = &options.m_columns;
        m_items = &options.m_selectItems;
    }
    ScanKeyColumns(options);
    CQueryClient client;
    m_schemeChoices = LoadSchemeChoices(client);
    m_dataChars = LoadDataChars(client);
    FillColumnGrid();
    FillFilterGrid();
    ShowKeyColumns();
    FindControl<QCheckBox>(*this, kTimeCondition)->setChecked(options.m_timeCondition == 1);
    FindControl<QCheckBox>(*this, kIdCondition)->setChecked(options.m_idCondition == 1);
    EnableIdPart(options.m_idCondition == 1);
    if (m_items)
        FindControl<QLineEdit>(*this, kKeyMapping)->setText(ToQString(KeyMappingText(*m_items).str()));
    FindControl<QCheckBox>(*this, kMultiSelect)->setChecked(window.m_singleSelect != 1);
    FindControl<CCJColorPicker>(*this, kSingleColour)->SetColor(window.m_colors[1]);
    m_singleFont = window.m_fonts[1];
    ShowFontOnButton(*FindControl<QPushButton>(*this, kSingleFont), m_singleFont);
    LoadFlags();
    ShowOfferedBoxes();

    connect(FindControl<QCheckBox>(*this, kTimeCondition), &QCheckBox::clicked, this,
            [this](bool on) { ClickTimeCondition(on); });
    connect(FindControl<QCheckBox>(*this, kIdCondition), &QCheckBox::clicked, this, [this](bool on) {
        EnableIdPart(on);
        update();
    });
    connect(FindControl<QPushButton>(*this, kAddStation), &QPushButton::clicked, this,
            [this] { AddStationItem(); });
    connect(FindControl<QPushButton>(*this, kSingleFont), &QPushButton::clicked, this,
            [this] { ChooseButtonFont(*FindControl<QPushButton>(*this, kSingleFont), m_singleFont); });
    connect(FindControl<QPushButton>(*this, kInitialise), &QPushButton::clicked, this,
            [this] { Initialise(); });
    connect(FindControl<QPushButton>(*this, kStatistics), &QPushButton::clicked, this, [this] {
        CStatSetDlg statistics(m_options, this, this);
        statistics.DoModal();
    });
}

CAdvancedSetDlg::~CAdvancedSetDlg() = default;

int CAdvancedSetDlg::DoModal() {
    return RunModalForm(*this, *this, [this] { return Accept(); });
}

void CAdvancedSetDlg::LoadFlags() {
    const CAdvancedFlags flags = CAdvancedFlags::Load(m_options);
    for (const auto& [id, flag] : kFlagBoxes)
        FindControl<QCheckBox>(*this, id)->setChecked(flags.*flag);
    auto* chars = FindControl<QComboBox>(*this, kDataChar);
    for (const CDataChar& c : m_dataChars)
        chars->addItem(ToQString(c.Choice().str()));
    auto* groups = FindControl<QListWidget>(*this, kUserGroups);
    for (int i = 0; i < kUserGroupCount; ++i)
        groups->addItem(ToQString(UserGroupText(i).str()));
    const CRtuChoice rtu = CRtuChoice::Load(m_options, m_dataChars);
    FindControl<QCheckBox>(*this, kRtu)->setChecked(rtu.on);
    chars->setCurrentIndex(rtu.dataChar);
    for (int group : rtu.userGroups)
        groups->item(group)->setSelected(true);
}

void CAdvancedSetDlg::ShowKeyColumns() {
    const bool station = !m_options.m_stationColumn.IsEmpty();
    FindControl(*this, kTimeCondition)->setEnabled(!m_options.m_timeColumn.IsEmpty());
    FindControl(*this, kIdCondition)->setEnabled(station);
    FindControl(*this, kSingleFontCaption)->setEnabled(station);
    FindControl(*this, kSingleColourCaption)->setEnabled(station);
}

void CAdvancedSetDlg::EnableIdPart(bool on) {
    for (int id : {kKeyMapping, kAddStation, kShowKey, kMultiSelect, kSingleFont, kSingleColour})
        FindControl(*this, id)->setEnabled(on);
    m_strip->setEnabled(on);
    m_filterCtrl->setEnabled(on);
}

void CAdvancedSetDlg::ShowOfferedBoxes() {
    const COfferedBoxes offered = OfferedBoxes(m_query.m_tableName, m_options);
    auto* analysis = FindControl<QCheckBox>(*this, kAnalysis);
    auto* missing = FindControl<QCheckBox>(*this, kMissingData);
    analysis->setVisible(offered.analysisComparison);
    missing->setVisible(offered.missingDataStats);
    analysis->setChecked(m_options.m_analysisComparison != 0);
    missing->setChecked(m_options.m_missingDataStats != 0);
}

void CAdvancedSetDlg::FillColumnGrid() {
    const CColumnList none;
    ::FillColumnGrid(m_columnGrid, m_columns ? *m_columns : none, m_schemeChoices);
    m_columnCtrl->Refresh();
}

void CAdvancedSetDlg::FillFilterGrid() {
    const CSelectItems none;
    ::FillFilterGrid(m_filterGrid, m_items ? *m_items : none);
    m_filterCtrl->Refresh();
}

void CAdvancedSetDlg::OnChildNotify(const CNotify& notify) {
    if (notify.controlId == kSingleColour && notify.code == CPN_SELENDOK)
        m_window.m_colors[1] = FindControl<CCJColorPicker>(*this, kSingleColour)->GetColor();
    if (notify.controlId != kToolStrip || !m_items) return;
    if (notify.code == CListToolStrip::kNotifyAdd)
        AddFilterItem();
    else
        EditFilterRows(notify.code);
}

void CAdvancedSetDlg::ClickTimeCondition(bool on) {
    if (!m_items) return;
    SetTimeItem(*m_items, on, m_options.m_timeColumn);
    FillFilterGrid();
}

void CAdvancedSetDlg::AddStationItem() {
    if (!m_items) return;
    std::unique_ptr<CSelectItem> station = NewStationItem(*m_items, m_options.m_stationColumn);
    CAddSelectDlg dialog(*station, true, this, this);
    if (dialog.DoModal() != ui::IDOK) return;
    FindControl<QLineEdit>(*this, kKeyMapping)->setText(ToQString(KeyMappingText(*station).str()));
    ReplaceStationItem(*m_items, std::move(station));
}

void CAdvancedSetDlg::AddFilterItem() {
    std::unique_ptr<CSelectItem> filter = NewFilterItem();
    CAddSelectDlg dialog(*filter, false, this, this);
    if (dialog.DoModal() != ui::IDOK) return;
    ::AddFilterItem(*m_items, std::move(filter));
    FillFilterGrid();
}

void CAdvancedSetDlg::EditFilterRows(int notification) {
    long first = 0;
    long last = 0;
    if (!SelectedRowSpan(*m_filterCtrl, first, last)) return;
    bool moved = false;
    long shift = 0;
    if (notification == CListToolStrip::kNotifyDelete) {
        DeleteFilterRows(*m_items, first, last);
    } else if (notification == CListToolStrip::kNotifyMoveUp) {
        moved = MoveFilterRowsUp(*m_items, first, last);
        shift = -1;
    } else if (notification == CListToolStrip::kNotifyMoveDown) {
        moved = MoveFilterRowsDown(*m_items, first, last);
        shift = 1;
    }
    FillFilterGrid();
    if (moved) SelectGridRows(*m_filterCtrl, first + shift, last + shift);
}

void CAdvancedSetDlg::Initialise() {
    if (!m_columns) return;
    CQueryClient client;
    InitialiseColumns(client, m_query.m_tableName, m_options);
    FillColumnGrid();
    FindControl<QLineEdit>(*this, kKeyMapping)->clear();
    ShowKeyColumns();
    FillFilterGrid();
    ShowOfferedBoxes();
}

bool CAdvancedSetDlg::Accept() {
    if (m_columns) ColumnsFromGrid(m_columnGrid, *m_columns);
    StoreConditions(m_options, FindControl<QCheckBox>(*this, kTimeCondition)->isChecked(),
                    FindControl<QCheckBox>(*this, kIdCondition)->isChecked());
    m_window.m_singleSelect = FindControl<QCheckBox>(*this, kMultiSelect)->isChecked() ? 0 : 1;
    m_window.m_colors[1] = FindControl<CCJColorPicker>(*this, kSingleColour)->GetColor();
    m_window.m_fonts[1] = m_singleFont;

    CAdvancedFlags flags;
    for (const auto& [id, flag] : kFlagBoxes)
        flags.*flag = FindControl<QCheckBox>(*this, id)->isChecked();
    flags.Save(m_options);
    CRtuChoice rtu;
    rtu.on = FindControl<QCheckBox>(*this, kRtu)->isChecked();
    rtu.dataChar = FindControl<QComboBox>(*this, kDataChar)->currentIndex();
    const auto* groups = FindControl<QListWidget>(*this, kUserGroups);
    for (int i = 0; i < groups->count(); ++i)
        if (groups->item(i)->isSelected()) rtu.userGroups.push_back(i);
    rtu.Save(m_options, m_dataChars);
    return true;
}
