#include "VexorQueryProp.h"

#include "AddDataFormDlg.h"
#include "AdvancedSetDlg.h"
#include "CJColorPicker.h"
#include "FontButton.h"
#include "FormControls.h"
#include "Hooks.h"
#include "PropertyPageValues.h"
#include "QueryClient.h"
#include "SettingsLists.h"
#include "ui_VexorQueryProp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

enum : int {
    kTableList = 1020,
    kAllStations = 1000,
    kGivenStations = 1004,
    kStationEdit = 1008,
    kDynamicTime = 1057,
    kTimeType = 1059,
    kInterval = 1058,
    kOffset = 1105,
    kPanelBackground = 1039,
    kWrite = 1022,
    kRead = 1023,
    kReadWrite = 1024,
    kHorizontal = 1032,
    kVertical = 1029,
    kPanelStyle = 1030,
    kMenuStyle = 1031,
    kDriveStyle = 1034,
    kWindowFont = 1075,
    kDataEntry = 1109,
    kFormName = 1110,
    kChooseForm = 1111,
    kAdvancedFlag = 1060,
    kAdvanced = 1016,
};

} // namespace

CVexorQueryProp::CVexorQueryProp(CQuerySettings& query, const CString& windowText, CWnd* owner,
                                 QWidget* parent)
    : QWidget(parent), CWnd(*this, kDialogId, owner), m_ui(std::make_unique<Ui::CVexorQueryProp>()),
      m_query(query) {
    m_ui->setupUi(this);
    ReplaceControl(*this, kPanelBackground, *new CCJColorPicker(kPanelBackground, this, this));
    m_window.Decode(windowText);
    Load();
    connect(FindControl<QCheckBox>(*this, kAdvancedFlag), &QCheckBox::toggled, this, [this](bool on) {
        m_query.m_advanced = on ? 1 : 0;
        FindControl(*this, kAdvanced)->setEnabled(on);
    });
    connect(FindControl<QPushButton>(*this, kWindowFont), &QPushButton::clicked, this,
            [this] { ChooseButtonFont(*FindControl<QPushButton>(*this, kWindowFont), m_windowFont); });
    connect(FindControl<QPushButton>(*this, kAdvanced), &QPushButton::clicked, this,
            [this] { OpenAdvanced(); });
    connect(FindControl<QPushButton>(*this, kChooseForm), &QPushButton::clicked, this,
            [this] { ChooseEntryForm(); });
}

CVexorQueryProp::~CVexorQueryProp() = default;

void CVexorQueryProp::FillTableList() {
    auto* list = FindControl<QComboBox>(*this, kTableList);
    list->clear();
    CQueryClient client;
    for (const CString& table : LoadTableList(client))
        list->addItem(ToQString(table.str()));
}

void CVexorQueryProp::Load() {
    FillTableList();
    const CQueryPageValues v = CQueryPageValues::Load(m_query, m_window);
    FindControl<QComboBox>(*this, kTableList)->setEditText(ToQString(v.tableName.str()));
    CheckRadio(*this, {kAllStations, kGivenStations}, v.allStations ? 0 : 1);
    auto* stations = FindControl<QLineEdit>(*this, kStationEdit);
    stations->setText(ToQString(v.stationText.str()));
    stations->setCursorPosition(0); // a long list is read from its first station
    CheckRadio(*this, {kWrite, kRead, kReadWrite}, v.access);
    CheckRadio(*this, {kHorizontal, kVertical}, v.direction);
    CheckRadio(*this, {kPanelStyle, kMenuStyle, kDriveStyle}, v.queryStyle);
    FindControl<QCheckBox>(*this, kDynamicTime)->setChecked(v.dynamicTime);
    FindControl<QComboBox>(*this, kTimeType)->setCurrentIndex(v.timeTypeIndex);
    FindControl<QLineEdit>(*this, kInterval)->setText(QString::number(v.timeInterval));
    FindControl<QLineEdit>(*this, kOffset)->setText(QString::number(v.timeOffset));
    FindControl<QCheckBox>(*this, kAdvancedFlag)->setChecked(v.advanced);
    FindControl(*this, kAdvanced)->setEnabled(v.advanced);
    FindControl<CCJColorPicker>(*this, kPanelBackground)->SetColor(v.panelBackground);
    m_windowFont = v.windowFont;
    ShowFontOnButton(*FindControl<QPushButton>(*this, kWindowFont), m_windowFont);
    FindControl<QCheckBox>(*this, kDataEntry)->setChecked(v.dataEntryMenu);
    FindControl<QLineEdit>(*this, kFormName)->setText(ToQString(v.entryFormName.str()));
}

void CVexorQueryProp::ChooseEntryForm() {
    CAddDataFormDlg dialog(this);
    if (ui::RunModal(dialog, [&dialog] {
            return dialog.exec() == QDialog::Accepted ? ui::IDOK : ui::IDCANCEL;
        }) == ui::IDOK)
        FindControl<QLineEdit>(*this, kFormName)->setText(ToQString(dialog.SelectedForm().str()));
}

CString CVexorQueryProp::TableText() const {
    CString table = ToCString(FindControl<QComboBox>(*this, kTableList)->currentText());
    return table.Trim();
}

void CVexorQueryProp::OpenAdvanced() {
    const CString table = TableText();
    if (table.IsEmpty()) {
        ui::MessageBox("表名不能为空!");
        return;
    }
    m_query.m_tableName = table;
    if (!m_options) return;
    CAdvancedSetDlg dialog(m_window, *m_options, m_query, this, this);
    dialog.DoModal();
}

bool CVexorQueryProp::Save(CString& windowText, CString& message) {
    long long interval = 0;
    long long offset = 0;
    if (!ReadPageNumber(ToCString(FindControl<QLineEdit>(*this, kInterval)->text()), kTimeIntervalRange,
                        interval, message) ||
        !ReadPageNumber(ToCString(FindControl<QLineEdit>(*this, kOffset)->text()), kAnyIntRange, offset,
                        message)) {
        message = "系统设置与简单查询: " + message;
        return false;
    }
    CQueryPageValues v;
    v.tableName = TableText();
    v.allStations = CheckedRadio(*this, {kAllStations, kGivenStations}) == 0;
    v.stationText = ToCString(FindControl<QLineEdit>(*this, kStationEdit)->text());
    v.access = std::max(0, CheckedRadio(*this, {kWrite, kRead, kReadWrite}));
    v.direction = std::max(0, CheckedRadio(*this, {kHorizontal, kVertical}));
    v.queryStyle = std::max(0, CheckedRadio(*this, {kPanelStyle, kMenuStyle, kDriveStyle}));
    v.dynamicTime = FindControl<QCheckBox>(*this, kDynamicTime)->isChecked();
    v.timeTypeIndex = std::max(0, FindControl<QComboBox>(*this, kTimeType)->currentIndex());
    v.timeInterval = long(interval);
    v.timeOffset = long(offset);
    v.advanced = FindControl<QCheckBox>(*this, kAdvancedFlag)->isChecked();
    v.panelBackground = FindControl<CCJColorPicker>(*this, kPanelBackground)->GetColor();
    v.windowFont = m_windowFont;
    v.dataEntryMenu = FindControl<QCheckBox>(*this, kDataEntry)->isChecked();
    v.entryFormName = ToCString(FindControl<QLineEdit>(*this, kFormName)->text());
    v.Save(m_query, m_window);
    windowText = m_window.Encode(m_query);
    return true;
}
