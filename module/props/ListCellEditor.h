#pragma once
// The cell editor of a grid column whose cells take one entry of the column's value list
// (GRID_KIND_LIST, entries "name(code)"): a drop-down list of the names; the grid keeps the
// chosen entry's code. Used for the "映射方案" column of "高级设置".
#include "GridCellPainter.h"

class CGridCtrl;

class CListCellEditor : public CGridCellPainter {
public:
    explicit CListCellEditor(CGridCtrl& grid);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    CGridCtrl& m_grid;
};
