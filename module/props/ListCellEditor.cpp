#include "ListCellEditor.h"

#include "GridCellText.h"
#include "GridCtrl.h"
#include "QtConvert.h"

#include <QComboBox>

CListCellEditor::CListCellEditor(CGridCtrl& grid) : CGridCellPainter(&grid), m_grid(grid) {}

QWidget* CListCellEditor::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                       const QModelIndex& index) const {
    const CGridModel& model = m_grid.GetModel();
    const CGridCellPro* list = m_grid.GetGrid().ValueListOf(model.GridRow(index), model.GridColumn(index));
    if (!list) return CGridCellPainter::createEditor(parent, option, index);
    auto* combo = new QComboBox(parent);
    std::string_view name, code;
    for (const CString& entry : list->m_values)
        if (gridtext::SplitListEntry(entry.str(), name, code)) combo->addItem(ToQString(name));
    return combo;
}

void CListCellEditor::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        combo->setCurrentIndex(combo->findText(index.data(Qt::EditRole).toString()));
    else
        CGridCellPainter::setEditorData(editor, index);
}

void CListCellEditor::setModelData(QWidget* editor, QAbstractItemModel* model,
                                   const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        model->setData(index, combo->currentText(), Qt::EditRole);
    else
        CGridCellPainter::setModelData(editor, model, index);
}
