#include "CheckListBox.h"

CCheckListBox::CCheckListBox(int controlId, CWnd* owner, QWidget* parent)
    : QListWidget(parent), CWnd(*this, controlId, owner) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemChanged, this, [this](QListWidgetItem* entry) {
        if (!m_quiet) NotifyOwner(CLBN_CHKCHANGE, row(entry));
    });
}

int CCheckListBox::AddString(const CString& text) {
    Quietly([&] {
        auto* entry = new QListWidgetItem(ToQString(text.GetString()), this);
        entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        entry->setCheckState(Qt::Unchecked);
    });
    return count() - 1;
}

void CCheckListBox::ResetContent() {
    Quietly([&] { clear(); });
}

CString CCheckListBox::GetText(int index) const {
    const QListWidgetItem* entry = item(index);
    return entry ? ToCString(entry->text()) : CString();
}

void CCheckListBox::SetCheck(int index, int check) {
    QListWidgetItem* entry = item(index);
    if (!entry) return;
    Quietly([&] { entry->setCheckState(check == BST_CHECKED ? Qt::Checked : Qt::Unchecked); });
}

int CCheckListBox::GetCheck(int index) const {
    const QListWidgetItem* entry = item(index);
    return entry && entry->checkState() == Qt::Checked ? BST_CHECKED : BST_UNCHECKED;
}
