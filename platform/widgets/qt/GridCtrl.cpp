#include "GridCtrl.h"

#include "GridCellPainter.h"
#include "QtConvert.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>

#include <algorithm>
#include <set>

namespace {

// A cell of a tab-separated line: quoted when it holds what would split it.
QString TabCell(const QString& text) {
    if (!text.contains('\t') && !text.contains('\n') && !text.contains('\r') && !text.contains('"'))
        return text;
    QString quoted = text;
    quoted.replace('"', "\"\"");
    return '"' + quoted + '"';
}

} // namespace

CGridCtrl::CGridCtrl(CGridIterator& grid, int controlId, CWnd* owner, QWidget* parent)
    : QTableView(parent), CWnd(*this, controlId, owner), m_grid(grid), m_model(new CGridModel(grid, this)) {
    setModel(m_model);
    setItemDelegate(new CGridCellPainter(this));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setContextMenuPolicy(Qt::CustomContextMenu);
    // Row colours come from the grid's looks, not from the view's palette.
    setAlternatingRowColors(false);
    setWordWrap(false);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setHighlightSections(false);

    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { NotifyOwner(GVN_HEADERCLICK, 0, m_model->GridColumn(section)); });
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        NotifyOwner(GVN_CELLCLICK, m_model->GridRow(index), m_model->GridColumn(index));
    });
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        const QModelIndex index = indexAt(pos);
        const QPoint global = viewport()->mapToGlobal(pos);
        NotifyOwner(GVN_RCLICK, index.isValid() ? m_model->GridRow(index) : -1,
                    index.isValid() ? m_model->GridColumn(index) : -1, CPoint(global.x(), global.y()));
    });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section, int, int) {
        if (!m_quiet) NotifyOwner(GVN_COLUMNWIDTHCHANGED, 0, m_model->GridColumn(section));
    });
    m_model->SetEditedHandler([this](long row, long col) { NotifyOwner(GVN_ENDLABELEDIT, row, col); });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        const int first = rowAt(0);
        if (!m_quiet && first >= 0) NotifyOwner(GVN_VSCROLL, m_model->GridRow(first), -1);
    });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        const int first = columnAt(0);
        if (!m_quiet && first >= 0) NotifyOwner(GVN_HSCROLL, -1, m_model->GridColumn(first));
    });
    ApplyGridLook();
}

CGridCtrl::~CGridCtrl() {
    // The view's own teardown still moves headers and the current cell; nobody is told any more.
    horizontalHeader()->disconnect(this);
    verticalScrollBar()->disconnect(this);
    horizontalScrollBar()->disconnect(this);
    disconnect(this);
    m_model->SetEditedHandler({});
}

void CGridCtrl::Refresh() {
    m_quiet = true;
    m_model->Reset();
    SetSortIndicator(-1, true);
    ApplyGridLook();
    m_quiet = false;
}

void CGridCtrl::SetSortIndicator(long col, bool ascending) {
    const long section = col - m_model->HeaderColumns();
    QHeaderView* header = horizontalHeader();
    if (col < 0 || section < 0 || section >= m_model->columnCount()) {
        header->setSortIndicatorShown(false);
        header->setSortIndicator(-1, Qt::AscendingOrder);
        return;
    }
    header->setSortIndicatorShown(true);
    header->setSortIndicator(int(section), ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void CGridCtrl::SelectedBlock(std::vector<int>& rows, std::vector<int>& columns) const {
    std::set<int> r, c;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
        r.insert(index.row());
        if (!isColumnHidden(index.column()) && columnWidth(index.column()) > 0) c.insert(index.column());
    }
    rows.assign(r.begin(), r.end());
    columns.assign(c.begin(), c.end());
}

std::vector<QStringList> CGridCtrl::SelectionCells() const {
    std::vector<int> rows, columns;
    SelectedBlock(rows, columns);
    if (rows.empty() || columns.empty()) return {};
    const QItemSelectionModel& selection = *selectionModel();
    const bool rowHeadings = m_model->HeaderColumns() > 0;
    std::vector<QStringList> lines;
    if (m_model->HeaderRows() > 0) {
        QStringList cells;
        if (rowHeadings) cells << m_model->CellData(0, 0, Qt::DisplayRole).toString();
        for (int c : columns)
            cells << m_model->headerData(c, Qt::Horizontal).toString();
        lines.push_back(cells);
    }
    for (int r : rows) {
        QStringList cells;
        if (rowHeadings) cells << m_model->headerData(r, Qt::Vertical).toString();
        for (int c : columns) {
            const QModelIndex index = m_model->index(r, c);
            cells << (selection.isSelected(index) ? index.data().toString() : QString());
        }
        lines.push_back(cells);
    }
    return lines;
}

QString CGridCtrl::SelectionText() const {
    QString text;
    for (const QStringList& cells : SelectionCells()) {
        for (int c = 0; c < cells.size(); ++c)
            text += (c ? "\t" : "") + TabCell(cells[c]);
        text += '\n';
    }
    return text;
}

void CGridCtrl::CopySelection() const {
    const std::vector<QStringList> lines = SelectionCells();
    if (lines.empty()) return;
    // The same block as an HTML table: spreadsheets paste that as cells without asking how to
    // split the text.
    QString html = "<table>";
    for (const QStringList& cells : lines) {
        html += "<tr>";
        for (const QString& cell : cells)
            html += "<td>" + cell.toHtmlEscaped() + "</td>";
        html += "</tr>";
    }
    html += "</table>";
    auto* data = new QMimeData; // the clipboard takes it over
    data->setText(SelectionText());
    data->setHtml(html);
    QApplication::clipboard()->setMimeData(data);
}

void CGridCtrl::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        CopySelection();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier && state() != EditingState) {
        NotifyOwner(GVN_INSERTROW, GetFocusRow(), GetFocusColumn());
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void CGridCtrl::FitColumnsToContents() {
    m_quiet = true;
    horizontalHeader()->setResizeContentsPrecision(1000);
    resizeColumnsToContents();
    m_quiet = false;
}

void CGridCtrl::ApplyGridLook() {
    horizontalHeader()->setVisible(m_model->HeaderRows() > 0);
    verticalHeader()->setVisible(m_model->HeaderColumns() > 0 && m_headerWidth != 0);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, ToQColor(m_grid.GetBkColor()));
    setPalette(colours);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
}

void CGridCtrl::SetGridFont(const LOGFONT& font) {
    setFont(LogFontToQFont(font));
    ApplyGridLook();
}

int CGridCtrl::GetColumnWidth(long col) const {
    if (col < 0 || col >= m_grid.GetColumnCount()) return 0;
    if (col < m_model->HeaderColumns()) {
        if (verticalHeader()->isHidden()) return 0;
        return m_headerWidth > 0 ? m_headerWidth : verticalHeader()->sizeHint().width();
    }
    const int section = int(col - m_model->HeaderColumns());
    return isColumnHidden(section) ? 0 : columnWidth(section);
}

bool CGridCtrl::SetColumnWidth(long col, int width) {
    if (col < 0 || col >= m_grid.GetColumnCount()) return false;
    width = std::max(width, 0);
    if (col < m_model->HeaderColumns()) {
        m_headerWidth = width;
        verticalHeader()->setVisible(width > 0);
        if (width > 0) verticalHeader()->setFixedWidth(width);
        return true;
    }
    const int section = int(col - m_model->HeaderColumns());
    m_quiet = true;
    setColumnHidden(section, width == 0);
    if (width > 0) setColumnWidth(section, width);
    m_quiet = false;
    return true;
}

long CGridCtrl::GetFocusRow() const {
    const QModelIndex index = currentIndex();
    return index.isValid() ? m_model->GridRow(index) : -1;
}

long CGridCtrl::GetFocusColumn() const {
    const QModelIndex index = currentIndex();
    return index.isValid() ? m_model->GridColumn(index) : -1;
}

bool CGridCtrl::SetFocusCell(long row, long col) {
    const QModelIndex index = m_model->IndexOf(row, col);
    if (!index.isValid()) return false;
    setCurrentIndex(index);
    return true;
}

std::vector<long> CGridCtrl::GetSelectedRows() const {
    std::vector<long> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        rows.push_back(m_model->GridRow(index));
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

std::vector<long> CGridCtrl::GetSelectedColumns() const {
    std::vector<long> cols;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        cols.push_back(m_model->GridColumn(index));
    std::sort(cols.begin(), cols.end());
    cols.erase(std::unique(cols.begin(), cols.end()), cols.end());
    return cols;
}

void CGridCtrl::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (current.isValid())
        NotifyOwner(GVN_SELCHANGED, m_model->GridRow(current), m_model->GridColumn(current));
}
