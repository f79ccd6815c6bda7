#include "ListBox.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QScrollBar>

CListBox::CListBox(int controlId, CWnd* owner, QWidget* parent, bool multipleSelection)
    : QListWidget(parent), CWnd(*this, controlId, owner), m_multiple(multipleSelection) {
    setSelectionMode(m_multiple ? QAbstractItemView::MultiSelection : QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    if (m_multiple) return;
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (m_quiet) return;
        m_selectionSent = true;
        NotifyOwner(LBN_SELCHANGE);
    });
    connect(this, &QListWidget::itemDoubleClicked, this, [this] {
        if (!m_quiet) NotifyOwner(LBN_DBLCLK);
    });
}

int CListBox::AddString(const CString& text) {
    Quietly([&] { addItem(ToQString(text.GetString())); });
    return count() - 1;
}

int CListBox::InsertString(int index, const CString& text) {
    if (index == -1) return AddString(text);
    if (index < 0 || index > count()) return LB_ERR;
    Quietly([&] { insertItem(index, ToQString(text.GetString())); });
    return index;
}

int CListBox::DeleteString(int index) {
    if (index < 0 || index >= count()) return LB_ERR;
    Quietly([&] { delete takeItem(index); });
    return count();
}

void CListBox::ResetContent() {
    Quietly([&] { clear(); });
}

CString CListBox::GetText(int index) const {
    const QListWidgetItem* entry = item(index);
    return entry ? ToCString(entry->text()) : CString();
}

int CListBox::FindString(int start, const CString& prefix) const {
    const QString wanted = ToQString(prefix.GetString());
    for (int i = std::max(start, 0); i < count(); ++i)
        if (item(i)->text().startsWith(wanted, Qt::CaseInsensitive)) return i;
    return LB_ERR;
}

int CListBox::GetCurSel() const {
    if (m_multiple) return currentRow() >= 0 ? currentRow() : LB_ERR;
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? LB_ERR : row(selected.front());
}

int CListBox::SetCurSel(int index) {
    if (index < -1 || index >= count()) return LB_ERR;
    Quietly([&] {
        if (index == -1) {
            clearSelection();
            setCurrentRow(-1, QItemSelectionModel::NoUpdate);
        } else if (m_multiple) {
            setCurrentRow(index, QItemSelectionModel::NoUpdate);
        } else {
            setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
        }
    });
    return index;
}

int CListBox::SetSel(int index, bool select) {
    if (index == -1 && m_multiple) {
        Quietly([&] {
            if (select)
                selectAll();
            else
                clearSelection();
        });
        return 0;
    }
    if (index < 0 || index >= count()) return LB_ERR;
    Quietly([&] {
        if (!m_multiple && select)
            setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
        else
            item(index)->setSelected(select);
    });
    return 0;
}

int CListBox::GetSel(int index) const {
    const QListWidgetItem* entry = item(index);
    if (!entry) return LB_ERR;
    return entry->isSelected() ? 1 : 0;
}

int CListBox::GetSelCount() const {
    return int(selectedItems().size());
}

std::vector<int> CListBox::GetSelItems() const {
    std::vector<int> rows;
    for (int i = 0; i < count(); ++i)
        if (item(i)->isSelected()) rows.push_back(i);
    return rows;
}

void CListBox::SetHorizontalExtent(int extent) {
    m_extent = std::max(extent, 0);
    UpdateScrollBar();
}

int CListBox::GetTextExtent(const CString& text) const {
    return fontMetrics().horizontalAdvance(ToQString(text.GetString()));
}

void CListBox::resizeEvent(QResizeEvent* event) {
    QListWidget::resizeEvent(event);
    UpdateScrollBar();
}

void CListBox::UpdateScrollBar() {
    // Measured against the width left beside a vertical scroll bar: the list may grow one after
    // this, and with the bar off the entries would be cut to the narrower view. Qt still shows
    // the horizontal bar only when an entry is wider than the view.
    const int width = contentsRect().width() - verticalScrollBar()->sizeHint().width();
    setHorizontalScrollBarPolicy(m_extent > width ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void CListBox::mousePressEvent(QMouseEvent* event) {
    m_selectionSent = false;
    QListWidget::mousePressEvent(event);
    // A click on the entry that is already selected is still a choice the owner hears of.
    if (m_multiple || m_selectionSent || event->button() != Qt::LeftButton) return;
    const QListWidgetItem* entry = itemAt(event->position().toPoint());
    if (entry && entry->isSelected()) NotifyOwner(LBN_SELCHANGE);
}
