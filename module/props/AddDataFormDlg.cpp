#include "AddDataFormDlg.h"

#include "DialogButtons.h"
#include "UnitEntryForms.h"

#include <QVBoxLayout>

CAddDataFormDlg::CAddDataFormDlg(QWidget* parent) : QDialog(parent), CWnd(*this, kDialogId, nullptr) {
    setWindowTitle("选择数据增加对话框");
    auto* layout = new QVBoxLayout(this);
    m_list = new CComboBox(kFormList, this, this);
    for (const CString& name : CUnitEntryCatalogue::FormNames())
        m_list->AddString(name);
    m_list->SetCurSel(0);
    layout->addWidget(m_list);
    layout->addWidget(MakeOkCancelButtons(*this));
}

CString CAddDataFormDlg::SelectedForm() const {
    CString name = m_list->GetLBText(m_list->GetCurSel());
    return name.Trim();
}
