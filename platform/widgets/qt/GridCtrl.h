#pragma once
// The grid control of the query windows: a QTableView over a CGridIterator (see CGridModel for
// how cells are read). It reports to its owner through CWnd's notification path, with grid
// coordinates (row 0 the header row, column 0 the header column):
//     GVN_HEADERCLICK      a click on the header row: col
//     GVN_CELLCLICK        a click on a cell: row, col
//     GVN_RCLICK           a right click: row, col (-1 off the cells), point on the screen
//     GVN_SELCHANGED       the current cell moved: row, col
//     GVN_COLUMNWIDTHCHANGED  the user resized a column: col
//     GVN_ENDLABELEDIT     an edit was written into the grid: row, col
//     GVN_INSERTROW        the user asked for a new row (the Insert key): row, col of the current
//                          cell; the control inserts nothing itself, the owner decides
//     GVN_VSCROLL          the rows scrolled: row, the first row in view
//     GVN_HSCROLL          the columns scrolled: col, the first column in view
// Changes made through the control's own functions (SetColumnWidth, Refresh) report nothing.
#include "GridModel.h"
#include "Wnd.h"

#include <QStringList>
#include <QTableView>

#include <vector>

class QPrinter;

constexpr int GVN_HEADERCLICK = 2001;
constexpr int GVN_CELLCLICK = 2002;
constexpr int GVN_RCLICK = 2003;
constexpr int GVN_SELCHANGED = 2004;
constexpr int GVN_COLUMNWIDTHCHANGED = 2005;
constexpr int GVN_ENDLABELEDIT = 2006;
constexpr int GVN_INSERTROW = 2007;
constexpr int GVN_VSCROLL = 2008;
constexpr int GVN_HSCROLL = 2009;

class CGridCtrl : public QTableView, public CWnd {
    Q_OBJECT
public:
    // The grid must outlive the control.
    CGridCtrl(CGridIterator& grid, int controlId, CWnd* owner, QWidget* parent = nullptr);
    ~CGridCtrl() override;

    CGridIterator& GetGrid() const { return m_grid; }
    CGridModel& GetModel() const { return *m_model; }

    // Shows the grid again after it changed: size, fixed counts, texts, looks, background.
    void Refresh();

    // Data cells (not the fixed rows and columns) may be edited in place.
    void SetEditable(bool editable) { m_model->SetEditable(editable); }
    bool IsEditable() const { return m_model->IsEditable(); }

    // Widens or narrows every data column to its heading and the texts of the first rows (a
    // thousand at most, so a large grid fits as fast as a small one).
    void FitColumnsToContents();

    // The grid's own font, used by every cell without a font of its own.
    void SetGridFont(const LOGFONT& font);

    // Widths in pixels by grid column; 0 hides the column. Column 0 is the header column when the
    // grid has one. Get answers 0 outside the grid; Set answers false there.
    int GetColumnWidth(long col) const;
    bool SetColumnWidth(long col, int width);

    // The current cell in grid coordinates (-1, -1 when there is none), and the grid rows that
    // have a selected cell, in ascending order.
    long GetFocusRow() const;
    long GetFocusColumn() const;
    bool SetFocusCell(long row, long col);
    std::vector<long> GetSelectedRows() const;
    // The grid columns that have a selected cell, in ascending order.
    std::vector<long> GetSelectedColumns() const;

    // The selected cells as the screen shows them, with the headings of their rows and columns,
    // as tab-separated lines (a cell holding a tab, a line break or a quote is quoted, as
    // spreadsheets read it); an empty text without a selection. Columns the screen hides are
    // left out. Ctrl+C puts it on the clipboard, with the same block as an HTML table, so a
    // spreadsheet pastes it as a table.
    QString SelectionText() const;
    void CopySelection() const;

    // Shows on the header which column the rows are sorted by and in which direction; a column
    // of -1 shows none. A new grid shown by Refresh is unsorted.
    void SetSortIndicator(long col, bool ascending);

    // Prints every row of the grid, as many pages as it takes, the header row on top of each
    // page; columns as wide as on screen, narrowed together when they do not fit the page.
    // False when the printer could not be opened.
    bool Print(QPrinter& printer) const;

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ApplyGridLook();
    // The selected block: model rows and columns in ascending order, hidden columns left out.
    void SelectedBlock(std::vector<int>& rows, std::vector<int>& columns) const;
    // The texts of SelectionText, a list of cells a line.
    std::vector<QStringList> SelectionCells() const;

    CGridIterator& m_grid;
    CGridModel* m_model;    // a Qt child of this control
    int m_headerWidth = -1; // width set for the header column, -1: as wide as its texts
    bool m_quiet = false;   // widths are being changed by the control itself
};
