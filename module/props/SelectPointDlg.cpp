#include "SelectPointDlg.h"

#include "ComboBox.h"
#include "FormControls.h"
#include "Hooks.h"
#include "ModalForm.h"
#include "PointPicker.h"
#include "QueryClient.h"
#include "ui_SelectPointDlg.h"

#include <QCheckBox>
#include <QLayout>
#include <QListWidget>

namespace {

constexpr int kFilterLast = 349;
constexpr int kFlagBoxes[4] = {1028, 1037, 1038, 1041}; // 瞬间值, 平均值, 最大值, 最小值
constexpr int kFilterArea = 1043;

CComboBox* FilterList(int id, CWnd* owner, QWidget& area, CQueryClient& client, const CString& statement) {
    auto* list = new CComboBox(id, owner, &area);
    list->setMaxVisibleItems(8);
    list->AddString(kNoFilterChoice);
    for (const CString& choice : LoadNameCodeChoices(client, statement))
        list->AddString(choice);
    list->SetCurSel(0);
    area.layout()->addWidget(list);
    return list;
}

} // namespace

CSelectPointDlg::CSelectPointDlg(CWnd* owner, QWidget* parent)
    : QDialog(parent), CWnd(*this, kDialogId, owner), m_ui(std::make_unique<Ui::CSelectPointDlg>()) {
    m_ui->setupUi(this);
    QWidget& area = *FindControl(*this, kFilterArea);
    area.layout()->setSpacing(3);
    CQueryClient client;
    m_centres = FilterList(kCentreList, this, area, client, CentreStationsStatement());
    m_characteristics = FilterList(kCharacteristicList, this, area, client, DataCharacteristicsStatement());
    FillPoints();
}

CSelectPointDlg::~CSelectPointDlg() = default;

int CSelectPointDlg::DoModal() {
    return RunModalForm(*this, *this, [this] { return Accept(); });
}

void CSelectPointDlg::OnChildNotify(const CNotify& notify) {
    if (notify.code == CBN_SELCHANGE && notify.controlId >= kCentreList && notify.controlId <= kFilterLast)
        FillPoints();
}

void CSelectPointDlg::FillPoints() {
    auto* list = FindControl<QListWidget>(*this, kPointList);
    list->clear();
    CQueryClient client;
    const CString sql = PointListStatement(m_centres->GetLBText(m_centres->GetCurSel()),
                                           m_characteristics->GetLBText(m_characteristics->GetCurSel()));
    for (const CString& choice : LoadNameCodeChoices(client, sql))
        list->addItem(ToQString(choice.str()));
}

bool CSelectPointDlg::Accept() {
    int flags[4];
    for (int k = 0; k < 4; ++k)
        flags[k] = FindControl<QCheckBox>(*this, kFlagBoxes[k])->isChecked() ? 1 : 0;
    CStringArray chosen;
    const auto* list = FindControl<QListWidget>(*this, kPointList);
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->isSelected()) chosen.Add(ToCString(list->item(i)->text()));
    m_points = PointEntriesOf(chosen, flags);
    return true;
}
