#include "SysLookAddDlg.h"

#include "ButtonST.h"
#include "ComboBox.h"
#include "Edit.h"
#include "QueryClient.h"
#include "SysLookChoices.h"

#include <QGridLayout>
#include <QLabel>

namespace {

// Nothing is chosen until the user chooses: a time column chosen for him would count a span
// of a column that is no time.
void Fill(CComboBox& list, const CStringArray& texts) {
    list.ResetContent();
    for (const CString& text : texts)
        list.AddString(text);
    list.SetCurSel(-1);
}

CString SelectedText(const CComboBox& list) {
    return list.GetCurSel() == CB_ERR ? CString() : list.GetLBText(list.GetCurSel());
}

} // namespace

CSysLookAddDlg::CSysLookAddDlg(CSysViewEntry& entry, QWidget* parent)
    : QDialog(parent), CWnd(*this, kDialogId, nullptr), m_entry(entry),
      m_tableList(new CComboBox(kTableList, this, this)), m_timeList(new CComboBox(kTimeList, this, this)),
      m_name(new CEdit(kNameEdit, this, this)) {
    setWindowTitle("增加选择");
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel("选择表", this), 0, 0);
    layout->addWidget(m_tableList, 0, 1);
    layout->addWidget(new QLabel("中文名称", this), 1, 0);
    layout->addWidget(m_name, 1, 1);
    layout->addWidget(new QLabel("选择时间", this), 2, 0);
    layout->addWidget(m_timeList, 2, 1);
    auto* note = new QLabel(kNote, this);
    note->setFrameShape(QFrame::StyledPanel);
    note->setMargin(6);
    layout->addWidget(note, 0, 2, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(new CButtonST(1, this, this, "确定"));
    buttons->addWidget(new CButtonST(2, this, this, "取消"));
    layout->addLayout(buttons, 3, 0, 1, 3);
    m_tableList->setMinimumWidth(180);

    CQueryClient client;
    m_tables = TableChoices(client);
    Fill(*m_tableList, m_tables);
    m_name->SetWindowText(entry.m_second);
}

void CSysLookAddDlg::LoadColumns() {
    CQueryClient client;
    m_columns = ColumnChoices(client, SelectedText(*m_tableList));
    Fill(*m_timeList, m_columns);
}

void CSysLookAddDlg::OnChildNotify(const CNotify& notify) {
    if (notify.controlId == kTableList && notify.code == CBN_SELCHANGE) LoadColumns();
    if (notify.code != BN_CLICKED) return;
    if (notify.controlId == 1) accept();
    if (notify.controlId == 2) reject();
}

void CSysLookAddDlg::accept() {
    m_entry.m_table = SelectedText(*m_tableList);
    m_entry.m_second = m_name->GetWindowText();
    m_entry.m_column = SelectedText(*m_timeList);
    QDialog::accept();
}
