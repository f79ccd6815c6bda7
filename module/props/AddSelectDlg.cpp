#include "AddSelectDlg.h"

#include "FormControls.h"
#include "Hooks.h"
#include "KeyFilterDlg.h"
#include "ModalForm.h"
#include "QtConvert.h"
#include "QueryClient.h"
#include "ui_AddSelectDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

enum : int {
    kSchemeList = 1047,
    kValueList = 1042,
    kSelectAll = 1069,
    kKeyFilter = 1003,
    kLabel = 1098,
};

} // namespace

CAddSelectDlg::CAddSelectDlg(CSelectItem& item, bool stationMode, CWnd* owner, QWidget* parent)
    : QDialog(parent), CWnd(*this, kDialogId, owner), m_ui(std::make_unique<Ui::CAddSelectDlg>()),
      m_item(item), m_stationMode(stationMode), m_condition(item.condition) {
    m_ui->setupUi(this);
    CQueryClient client;
    m_schemes = LoadProjectionSchemes(client);
    auto* list = FindControl<QComboBox>(*this, kSchemeList);
    list->addItem(" ");
    for (const CProjectionScheme& scheme : m_schemes)
        list->addItem(ToQString(scheme.Choice().str()));
    list->setCurrentIndex(-1);
    FindControl<QLineEdit>(*this, kLabel)->setText(ToQString(item.label.str()));

    for (int id : {kValueList, kSelectAll}) {
        FindControl(*this, id)->setEnabled(!stationMode);
        FindControl(*this, id)->setVisible(!stationMode);
    }
    FindControl(*this, kKeyFilter)->setVisible(stationMode);
    // A station item made before names its scheme; one that no scheme has any more is told.
    if (stationMode && !CString(item.schemeId).Trim().IsEmpty()) {
        m_scheme = FindScheme(m_schemes, item.schemeId);
        if (m_scheme < 0)
            ui::MessageBox(kUnknownSchemeMessage);
        else
            ShowScheme();
    }

    connect(list, &QComboBox::activated, this, [this](int index) { ChooseScheme(index); });
    connect(FindControl<QCheckBox>(*this, kSelectAll), &QCheckBox::clicked, this,
            [this](bool on) { SelectAllValues(on); });
    connect(FindControl<QPushButton>(*this, kKeyFilter), &QPushButton::clicked, this,
            [this] { EditKeyFilter(); });
}

CAddSelectDlg::~CAddSelectDlg() = default;

int CAddSelectDlg::DoModal() {
    return RunModalForm(*this, *this, [this] { return Accept(); });
}

void CAddSelectDlg::ShowScheme() {
    const CProjectionScheme none;
    const CProjectionScheme& s = m_scheme >= 0 ? m_schemes[std::size_t(m_scheme)] : none;
    FindControl<QComboBox>(*this, kSchemeList)->setCurrentIndex(m_scheme + 1);
    findChild<QLabel*>("tableText")->setText(ToQString(s.table.str()));
    findChild<QLabel*>("nameText")->setText(ToQString(s.nameColumn.str()));
    findChild<QLabel*>("keyText")->setText(ToQString(s.keyColumn.str()));
}

void CAddSelectDlg::ChooseScheme(int listIndex) {
    // Entry 0 is the blank one: no scheme.
    m_scheme = listIndex >= 1 && listIndex <= int(m_schemes.size()) ? listIndex - 1 : -1;
    ShowScheme();
    const CProjectionScheme none;
    const CProjectionScheme& s = m_scheme >= 0 ? m_schemes[std::size_t(m_scheme)] : none;
    if (m_scheme >= 0) FindControl<QLineEdit>(*this, kLabel)->setText(ToQString(s.typeName.str()));
    if (m_stationMode) return;
    auto* values = FindControl<QListWidget>(*this, kValueList);
    values->clear();
    if (m_scheme < 0) return;
    CQueryClient client;
    for (const CString& value : LoadSchemeValues(client, s))
        values->addItem(ToQString(value.str()));
    SelectAllValues(true);
    FindControl<QCheckBox>(*this, kSelectAll)->setChecked(true);
}

void CAddSelectDlg::SelectAllValues(bool select) {
    auto* values = FindControl<QListWidget>(*this, kValueList);
    for (int i = 0; i < values->count(); ++i)
        values->item(i)->setSelected(select);
}

void CAddSelectDlg::EditKeyFilter() {
    const CString table = m_scheme >= 0 ? m_schemes[std::size_t(m_scheme)].table : CString();
    CKeyFilterDlg dialog(m_condition, table, this, this);
    if (dialog.DoModal() == ui::IDOK) m_condition = dialog.Condition();
}

bool CAddSelectDlg::Accept() {
    if (m_scheme < 0) {
        ui::MessageBox(kNoSchemeMessage);
        return false;
    }
    CString condition = m_condition;
    if (!m_stationMode) {
        CStringArray chosen;
        const auto* values = FindControl<QListWidget>(*this, kValueList);
        for (int i = 0; i < values->count(); ++i)
            if (values->item(i)->isSelected()) chosen.Add(ToCString(values->item(i)->text()));
        condition = ChosenCodesCondition(chosen);
    }
    FillSelectItem(m_item, m_schemes[std::size_t(m_scheme)],
                   ToCString(FindControl<QLineEdit>(*this, kLabel)->text()), condition);
    return true;
}
