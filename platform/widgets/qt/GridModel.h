#pragma once
// The table model of the grid control: a window onto a CGridIterator, read cell by cell as the
// view paints. It keeps nothing per cell and nothing between calls, so a grid of a million
// cells costs the view what its visible cells cost; after the iterator changed shape the owner
// calls Reset().
//
// Coordinates. A header row (grid row 0, when the grid has a fixed row) is the view's
// horizontal header and a header column (grid column 0, when it has a fixed column) its
// vertical header; model row r is grid row r + HeaderRows(), model column c grid column
// c + HeaderColumns(). Fixed rows or columns beyond the first are shown as ordinary ones.
#include "GridIterator.h"

#include <QAbstractTableModel>

#include <functional>

class CGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Called after an edit was written into the grid, with grid coordinates.
    using EditedHandler = std::function<void(long row, long col)>;

    CGridModel(CGridIterator& grid, QObject* parent = nullptr);

    long HeaderRows() const { return m_grid.GetFixedRowCount() > 0 ? 1 : 0; }
    long HeaderColumns() const { return m_grid.GetFixedColumnCount() > 0 ? 1 : 0; }
    long GridRow(const QModelIndex& index) const { return long(index.row()) + HeaderRows(); }
    long GridColumn(const QModelIndex& index) const { return long(index.column()) + HeaderColumns(); }
    long GridRow(int modelRow) const { return long(modelRow) + HeaderRows(); }
    long GridColumn(int modelColumn) const { return long(modelColumn) + HeaderColumns(); }
    // The model index of a grid cell; invalid for header cells and outside the grid.
    QModelIndex IndexOf(long row, long col) const;

    // Everything the view shows of one grid cell, headers included.
    QVariant CellData(long row, long col, int role) const;

    void SetEditable(bool editable) { m_editable = editable; }
    bool IsEditable() const { return m_editable; }
    void SetEditedHandler(EditedHandler handler) { m_edited = std::move(handler); }
    void Reset();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // An edit of a list column may give the name of an entry; the grid then keeps its code.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    CGridIterator& m_grid;
    bool m_editable = false;
    EditedHandler m_edited;
};
