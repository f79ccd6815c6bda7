#include "GridModel.h"

#include "GridCellText.h"
#include "QtConvert.h"

#include <QBrush>

#include <algorithm>
#include <climits>

namespace {

int ToAlignment(int align) {
    switch (align) {
    case GRID_ALIGN_LEFT:
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    case GRID_ALIGN_CENTER:
        return int(Qt::AlignCenter);
    default:
        return int(Qt::AlignRight | Qt::AlignVCenter);
    }
}

int ClampToInt(long n) {
    return int(std::clamp(n, 0L, long(INT_MAX)));
}

// The code a list cell keeps for text: the code of the entry named text, else text itself.
std::string CodeOf(const CGridCellPro* pro, const std::string& text) {
    if (!pro) return text;
    std::string_view name, code;
    for (const CString& entry : pro->m_values)
        if (gridtext::SplitListEntry(entry, name, code) && name == text) return std::string(code);
    return text;
}

} // namespace

CGridModel::CGridModel(CGridIterator& grid, QObject* parent) : QAbstractTableModel(parent), m_grid(grid) {}

QModelIndex CGridModel::IndexOf(long row, long col) const {
    const long r = row - HeaderRows(), c = col - HeaderColumns();
    if (r < 0 || c < 0 || r >= rowCount() || c >= columnCount()) return {};
    return index(int(r), int(c));
}

void CGridModel::Reset() {
    beginResetModel();
    endResetModel();
}

int CGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ClampToInt(m_grid.GetRowCount() - HeaderRows());
}

int CGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ClampToInt(m_grid.GetColumnCount() - HeaderColumns());
}

QVariant CGridModel::CellData(long row, long col, int role) const {
    switch (role) {
    case Qt::DisplayRole:
        return ToQString(m_grid.GetDisplayText(row, col));
    case Qt::EditRole:
        // Editors show what the user reads; setData maps a list name back to its code.
        return ToQString(m_grid.GetDisplayText(row, col));
    case Qt::TextAlignmentRole:
        if (row == 0 || col == 0) return int(Qt::AlignCenter);
        return ToAlignment(m_grid.GetColumnLook(col).m_nAlign);
    case Qt::FontRole: {
        const CGridCellLook look = m_grid.GetCellLook(row, col);
        return look.font ? QVariant(LogFontToQFont(*look.font)) : QVariant();
    }
    case Qt::ForegroundRole:
        return QBrush(ToQColor(m_grid.GetCellLook(row, col).crText));
    case Qt::BackgroundRole:
        return QBrush(ToQColor(m_grid.GetCellLook(row, col).crBack));
    default:
        return {};
    }
}

QVariant CGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    return CellData(GridRow(index), GridColumn(index), role);
}

QVariant CGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal)
        return HeaderRows() ? CellData(0, GridColumn(section), role) : QVariant();
    return HeaderColumns() ? CellData(GridRow(section), 0, role) : QVariant();
}

Qt::ItemFlags CGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_editable && GridRow(index) >= m_grid.GetFixedRowCount() &&
        GridColumn(index) >= m_grid.GetFixedColumnCount())
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool CGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
    const long row = GridRow(index), col = GridColumn(index);
    const std::string text = CodeOf(m_grid.ValueListOf(row, col), value.toString().toStdString());
    if (m_grid.GetCellView(row, col) == text) return true;
    if (!m_grid.SetItemText(row, col, text)) return false;
    emit dataChanged(index, index);
    if (m_edited) m_edited(row, col);
    return true;
}
