#include "UnitEntryPage.h"

#include "Hooks.h"
#include "HostServices.h"
#include "QtConvert.h"
#include "QueryClient.h"
#include "UnitEntryForms.h"

#include <QGridLayout>
#include <QLabel>

namespace {

QLabel* Label(const char* text, QWidget* parent) {
    return new QLabel(ToQString(text), parent);
}

} // namespace

CUnitEntryPage::CUnitEntryPage(EUnitPage page, const Ids& ids, const CString& formName, CWnd* owner,
                               QWidget* parent)
    : QWidget(parent), CWnd(*this, ids.dialog, owner), m_page(page), m_ids(ids), m_formName(formName) {
    m_formName.Trim();
    auto* grid = new QGridLayout(this);
    m_unitList = new CComboBox(ids.unitList, this, this);
    m_firstCheck = new CButton(ids.firstCheck, this, this, ids.firstLabel);
    m_firstDate = new CDateTimePicker(ids.firstDate, this, CDateTimePicker::kDate, this);
    m_firstTime = new CDateTimePicker(ids.firstTime, this, CDateTimePicker::kTime, this);
    m_secondCheck = new CButton(ids.secondCheck, this, this, ids.secondLabel);
    m_secondDate = new CDateTimePicker(ids.secondDate, this, CDateTimePicker::kDate, this);
    m_secondTime = new CDateTimePicker(ids.secondTime, this, CDateTimePicker::kTime, this);
    grid->addWidget(Label("机组选择：", this), 0, 0);
    grid->addWidget(m_unitList, 0, 1, 1, 2);
    grid->addWidget(m_firstCheck, 1, 0);
    grid->addWidget(m_firstDate, 1, 1);
    grid->addWidget(m_firstTime, 1, 2);
    grid->addWidget(m_secondCheck, 2, 0);
    grid->addWidget(m_secondDate, 2, 1);
    grid->addWidget(m_secondTime, 2, 2);
    grid->addWidget(new CPushButton(ids.add, this, this, "增加"), 4, 2);
    grid->setRowStretch(5, 1);
    grid->setColumnMinimumWidth(1, 130);

    // Both events ticked, at the current time and one second later.
    m_firstCheck->SetCheck(BST_CHECKED);
    m_secondCheck->SetCheck(BST_CHECKED);
    const COleDateTime now = COleDateTime::GetCurrentTime();
    const COleDateTime later = now + COleDateTimeSpan(0, 0, 0, 1);
    m_firstDate->SetTime(now);
    m_firstTime->SetTime(now);
    m_secondDate->SetTime(later);
    m_secondTime->SetTime(later);

    CQueryClient client;
    CString error;
    if (!LoadUnits(client, CUnitEntryCatalogue::SchemeOf(m_formName), m_units, error))
        ui::MessageBox("机组列表读取失败: " + error, m_formName);
    for (int i = 0; i < m_units.names.GetSize(); ++i)
        m_unitList->AddString(m_units.names[i]);
}

CUnitEntryInput CUnitEntryPage::ReadControls() const {
    CUnitEntryInput input;
    input.page = m_page;
    const int unit = m_unitList->GetCurSel();
    if (unit >= 0 && unit < m_units.numbers.GetSize()) input.unitNumber = m_units.numbers[unit];
    input.writeFirst = m_firstCheck->GetCheck() == BST_CHECKED;
    input.writeSecond = m_secondCheck->GetCheck() == BST_CHECKED;
    auto at = [](const CDateTimePicker* date, const CDateTimePicker* time) {
        const COleDateTime d = date->GetTime(), t = time->GetTime();
        return COleDateTime(d.GetYear(), d.GetMonth(), d.GetDay(), t.GetHour(), t.GetMinute(), t.GetSecond());
    };
    input.firstTime = at(m_firstDate, m_firstTime);
    input.secondTime = at(m_secondDate, m_secondTime);
    input.stopKind = StopKind();
    return input;
}

bool CUnitEntryPage::Add() {
    std::vector<CUnitStateChange> changes;
    CString refusal;
    if (!PlanUnitEntry(ReadControls(), changes, refusal)) {
        ui::MessageBox(refusal, m_formName);
        return false;
    }
    CQueryClient client;
    CUnitEntryOutcome outcome;
    if (!WriteUnitEntry(client, changes, outcome)) {
        ui::MessageBox(outcome.error, m_formName);
        return false;
    }
    if (!changes.empty()) ShowHostStatus(m_formName + ": 已保存");
    return true;
}

void CUnitEntryPage::OnChildNotify(const CNotify& notify) {
    if (notify.controlId == m_ids.add && notify.code == BN_CLICKED) Add();
}

CUnitStartPage::CUnitStartPage(const CString& formName, CWnd* owner, QWidget* parent)
    : CUnitEntryPage(
          EUnitPage::Start,
          {kDialogId, 1106, 1129, 1112, 1113, 1130, 1114, 1115, kAddButton, "开机时间：", "并网时间："},
          formName, owner, parent) {}

CUnitStopPage::CUnitStopPage(const CString& formName, CWnd* owner, QWidget* parent)
    : CUnitEntryPage(
          EUnitPage::Stop,
          {kDialogId, 1117, 1131, 1120, 1121, 1132, 1122, 1123, kAddButton, "解列时间：", "停机时间："},
          formName, owner, parent) {
    m_reserve = new CRadioButton(1126, this, this, "停机备用");
    m_inspection = new CRadioButton(1127, this, this, "停机临检");
    m_maintenance = new CRadioButton(1128, this, this, "停机计检");
    auto* grid = static_cast<QGridLayout*>(layout());
    grid->addWidget(m_reserve, 3, 0);
    grid->addWidget(m_inspection, 3, 1);
    grid->addWidget(m_maintenance, 3, 2);
    m_reserve->SetCheck(BST_CHECKED);
}

int CUnitStopPage::StopKind() const {
    if (m_inspection->GetCheck() == BST_CHECKED) return kStopInspection;
    if (m_maintenance->GetCheck() == BST_CHECKED) return kStopMaintenance;
    return kStopReserve;
}
