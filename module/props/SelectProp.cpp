#include "SelectProp.h"

#include "CJColorPicker.h"
#include "FormControls.h"
#include "Hooks.h"
#include "PropertyPageValues.h"
#include "SysLookSetDlg.h"
#include "ui_SelectProp.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

enum : int {
    kModeTable = 1000,
    kModePoint = 1004,
    kModeSysView = 1022,
    kAlternateRows = 1072,
    kFirstRowColour = 1012,
    kSecondRowColour = 1019,
    kGridBackground = 1021,
    kFixedColumns = 1074,
    kElementChoice = 1095,
    kFixedColumnCount = 1102,
    kPanelWidth = 1103,
    kSysViewSettings = 1090,
};

} // namespace

CSelectProp::CSelectProp(const CString& interfaceText, CSysViewSettings& sysView, CWnd* owner,
                         QWidget* parent)
    : QWidget(parent), CWnd(*this, kDialogId, owner), m_ui(std::make_unique<Ui::CSelectProp>()),
      m_sysView(sysView) {
    m_ui->setupUi(this);
    for (int id : {kFirstRowColour, kSecondRowColour, kGridBackground})
        ReplaceControl(*this, id, *new CCJColorPicker(id, this, this));
    m_face.Decode(interfaceText);
    Load();
    connect(FindControl<QCheckBox>(*this, kAlternateRows), &QCheckBox::toggled, this,
            [this] { ShowRowColours(); });
    connect(FindControl<QCheckBox>(*this, kFixedColumns), &QCheckBox::toggled, this, [this] {
        ShowElementChoice();
        if (!FindControl<QCheckBox>(*this, kFixedColumns)->isChecked()) m_face.m_elementChoice = 0;
    });
    connect(FindControl<QPushButton>(*this, kSysViewSettings), &QPushButton::clicked, this,
            [this] { OpenSysViewSettings(); });
}

CSelectProp::~CSelectProp() = default;

void CSelectProp::Load() {
    const CSelectPageValues v = CSelectPageValues::Load(m_face);
    CheckRadio(*this, {kModeTable, kModePoint, kModeSysView}, int(v.mode));
    FindControl<QCheckBox>(*this, kAlternateRows)->setChecked(v.alternateRows);
    FindControl<QCheckBox>(*this, kFixedColumns)->setChecked(v.fixedColumns);
    FindControl<CCJColorPicker>(*this, kFirstRowColour)->SetColor(v.firstRowColor);
    FindControl<CCJColorPicker>(*this, kSecondRowColour)->SetColor(v.secondRowColor);
    FindControl<CCJColorPicker>(*this, kGridBackground)->SetColor(v.gridBackground);
    FindControl<QLineEdit>(*this, kFixedColumnCount)->setText(QString::number(v.fixedColumnCount));
    FindControl<QLineEdit>(*this, kPanelWidth)->setText(QString::number(v.panelWidth));
    FindControl<QCheckBox>(*this, kElementChoice)->setChecked(v.elementChoice);
    ShowRowColours();
    ShowElementChoice();
}

void CSelectProp::ShowRowColours() {
    const bool on = FindControl<QCheckBox>(*this, kAlternateRows)->isChecked();
    FindControl(*this, kFirstRowColour)->setEnabled(on);
    FindControl(*this, kSecondRowColour)->setEnabled(on);
}

void CSelectProp::ShowElementChoice() {
    FindControl(*this, kElementChoice)->setVisible(FindControl<QCheckBox>(*this, kFixedColumns)->isChecked());
}

void CSelectProp::OpenSysViewSettings() {
    CSysLookSetDlg dialog(m_sysView, this);
    const int answer = ui::RunModal(
        dialog, [&dialog] { return dialog.exec() == QDialog::Accepted ? ui::IDOK : ui::IDCANCEL; });
    // An answer given for the user stores the dialog as its "确定" would.
    if (answer == ui::IDOK && dialog.result() != QDialog::Accepted) dialog.accept();
}

bool CSelectProp::Save(CString& interfaceText, CString& message) {
    long long fixedCount = 0;
    long long panelWidth = 0;
    if (!ReadPageNumber(ToCString(FindControl<QLineEdit>(*this, kFixedColumnCount)->text()),
                        kFixedColumnCountRange, fixedCount, message) ||
        !ReadPageNumber(ToCString(FindControl<QLineEdit>(*this, kPanelWidth)->text()), kAnyIntRange,
                        panelWidth, message)) {
        message = "功能选择: " + message;
        return false;
    }
    CSelectPageValues v;
    v.mode = std::max(0, CheckedRadio(*this, {kModeTable, kModePoint, kModeSysView}));
    v.alternateRows = FindControl<QCheckBox>(*this, kAlternateRows)->isChecked();
    v.firstRowColor = FindControl<CCJColorPicker>(*this, kFirstRowColour)->GetColor();
    v.secondRowColor = FindControl<CCJColorPicker>(*this, kSecondRowColour)->GetColor();
    v.gridBackground = FindControl<CCJColorPicker>(*this, kGridBackground)->GetColor();
    v.fixedColumns = FindControl<QCheckBox>(*this, kFixedColumns)->isChecked();
    v.elementChoice = FindControl<QCheckBox>(*this, kElementChoice)->isChecked();
    v.fixedColumnCount = long(fixedCount);
    v.panelWidth = long(panelWidth);
    v.Save(m_face);
    interfaceText = m_face.Encode();
    return true;
}
