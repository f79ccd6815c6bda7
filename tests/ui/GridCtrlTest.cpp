#include "GridCtrl.h"
#include "QtConvert.h"
#include "UiTestSupport.h"

#include <QApplication>
#include <QBrush>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int kGridId = 942;

// Stations down, quantities across: row 0 the headings, column 0 the station names.
void FillStations(CGridIterator& grid, long rows) {
    grid.SetColumnCount(4);
    grid.SetRowCount(rows);
    grid.SetRowTexts(0, 0, std::vector<std::string>{"站名", "水位", "雨量", "站类"});
    for (long r = 1; r < rows; ++r) {
        const std::string n = std::to_string(r);
        grid.SetRowTexts(r, 0, std::vector<std::string>{"测站" + n, n + ".5", "0." + n, r % 2 ? "PP" : "ZZ"});
    }
    CGridCellPro kind;
    kind.m_strText = "站类";
    kind.m_nKind = GRID_KIND_LIST;
    kind.m_nAlign = GRID_ALIGN_CENTER;
    kind.m_values = {"雨量站(PP)", "河道站(ZZ)"};
    grid.SetColumnHeader(3, kind);
}

QString Text(const QAbstractItemModel& model, int row, int col, int role = Qt::DisplayRole) {
    return model.data(model.index(row, col), role).toString();
}

QColor Colour(const QVariant& brush) {
    return brush.value<QBrush>().color();
}

// A control inside a shown owner, as a query window holds it.
struct ShownGrid {
    explicit ShownGrid(CGridIterator& grid) : ctrl(grid, kGridId, &owner, &owner) {
        owner.resize(640, 400);
        ctrl.setGeometry(0, 0, 640, 400);
        owner.show();
        QApplication::processEvents();
    }
    RecordingOwner owner;
    CGridCtrl ctrl;
};

TEST(GridCtrlModel, AMillionCellsAreReadOnDemandWithoutAnObjectPerCell) {
    CGridIterator grid;
    ASSERT_TRUE(grid.SetColumnCount(1000));
    ASSERT_TRUE(grid.SetRowCount(1000));
    grid.SetItemText(0, 999, "末列");
    grid.SetItemText(999, 0, "末行");
    grid.SetItemText(999, 999, "42.5");
    ShownGrid shown(grid);
    CGridCtrl& ctrl = shown.ctrl;
    const auto objectsBefore = ctrl.findChildren<QObject*>().size();

    const QAbstractItemModel& model = *ctrl.model();
    EXPECT_EQ(model.rowCount(), 999); // the header row and column are the view's headers
    EXPECT_EQ(model.columnCount(), 999);
    EXPECT_TRUE(model.children().isEmpty());

    ctrl.scrollTo(model.index(998, 998));
    ctrl.grab(); // paints the cells now in view
    EXPECT_EQ(ctrl.rowAt(ctrl.viewport()->height() - 1), 998);
    EXPECT_EQ(Text(model, 998, 998), "42.5");
    EXPECT_EQ(model.headerData(998, Qt::Horizontal).toString(), "末列");
    EXPECT_EQ(model.headerData(998, Qt::Vertical).toString(), "末行");
    EXPECT_EQ(ctrl.findChildren<QObject*>().size(), objectsBefore);

    // Nothing is cached: a text changed in the grid is what the next read gives.
    grid.SetItemText(999, 999, "43");
    EXPECT_EQ(Text(model, 998, 998), "43");
}

TEST(GridCtrlModel, RefreshFollowsTheGridsShapeAndFixedCounts) {
    CGridIterator grid;
    FillStations(grid, 3);
    CGridCtrl ctrl(grid, kGridId, nullptr);
    const QAbstractItemModel& model = *ctrl.model();
    FillStations(grid, 301);
    ctrl.Refresh();
    EXPECT_EQ(model.rowCount(), 300);
    EXPECT_EQ(model.headerData(299, Qt::Vertical).toString(), "测站300");

    // Without fixed rows and columns every grid cell is a model cell and the headers are hidden.
    grid.SetFixedRowCount(0);
    grid.SetFixedColumnCount(0);
    ctrl.Refresh();
    EXPECT_EQ(model.columnCount(), 4);
    EXPECT_EQ(Text(model, 0, 1), "水位");
    EXPECT_TRUE(ctrl.horizontalHeader()->isHidden());
    EXPECT_TRUE(ctrl.verticalHeader()->isHidden());
}

TEST(GridCtrlModel, ListColumnsShowNamesAndLooksReachTheViewRoles) {
    CGridIterator grid;
    FillStations(grid, 4);
    grid.SetItemText(3, 3, "XX"); // a code without an entry
    grid.SetRowColors(2, RGB(1, 2, 3), RGB(200, 100, 50));
    LOGFONT song;
    song.lfFaceName = "宋体";
    song.lfHeight = -20;
    song.lfWeight = 700;
    song.lfCharSet = GB2312_CHARSET;
    grid.SetItemFont(1, 2, song);
    CGridCellPro level;
    level.m_strText = "水位";
    level.m_crBack = RGB(0, 0, 255);
    level.m_crText = RGB(255, 0, 0);
    level.m_nAlign = GRID_ALIGN_LEFT;
    grid.SetColumnHeader(1, level);
    CGridCtrl ctrl(grid, kGridId, nullptr);
    const QAbstractItemModel& model = *ctrl.model();

    EXPECT_EQ(Text(model, 0, 2), "雨量站");
    EXPECT_EQ(Text(model, 1, 2), "河道站");
    EXPECT_EQ(Text(model, 2, 2), "XX");

    // Red sits in the low byte of the grid's colours.
    EXPECT_EQ(Colour(model.data(model.index(1, 0), Qt::BackgroundRole)), QColor(200, 100, 50));
    EXPECT_EQ(Colour(model.data(model.index(1, 2), Qt::ForegroundRole)), QColor(1, 2, 3));
    EXPECT_EQ(Colour(model.headerData(0, Qt::Horizontal, Qt::BackgroundRole)), QColor(0, 0, 255));
    EXPECT_EQ(Colour(model.headerData(0, Qt::Horizontal, Qt::ForegroundRole)), QColor(255, 0, 0));

    const QVariant font = model.data(model.index(0, 1), Qt::FontRole);
    ASSERT_TRUE(font.isValid());
    EXPECT_EQ(font.value<QFont>().pixelSize(), 20);
    EXPECT_TRUE(font.value<QFont>().bold());
    EXPECT_EQ(QFontInfo(font.value<QFont>()).family(), "WenQuanYi Micro Hei");

    const auto alignment = [&](int col) {
        return model.data(model.index(0, col), Qt::TextAlignmentRole).toInt();
    };
    EXPECT_EQ(alignment(0), int(Qt::AlignLeft | Qt::AlignVCenter));
    EXPECT_EQ(alignment(1), int(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_EQ(alignment(2), int(Qt::AlignCenter));
}

TEST(GridCtrlNotify, ClicksSelectionAndResizingReachTheOwnerInGridCoordinates) {
    CGridIterator grid;
    FillStations(grid, 6);
    ShownGrid shown(grid);
    CGridCtrl& ctrl = shown.ctrl;
    RecordingOwner& owner = shown.owner;

    QHeaderView* header = ctrl.horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));
    CNotify click = owner.Last(GVN_HEADERCLICK);
    EXPECT_EQ(click.controlId, kGridId);
    EXPECT_EQ(click.col, 2);
    EXPECT_EQ(click.row, 0);
    EXPECT_EQ(click.from, &ctrl);

    const QRect cell = ctrl.visualRect(ctrl.model()->index(2, 0));
    QTest::mouseClick(ctrl.viewport(), Qt::LeftButton, {}, cell.center());
    click = owner.Last(GVN_CELLCLICK);
    EXPECT_EQ(click.row, 3);
    EXPECT_EQ(click.col, 1);
    const CNotify moved = owner.Last(GVN_SELCHANGED);
    EXPECT_EQ(moved.row, 3);
    EXPECT_EQ(moved.col, 1);
    EXPECT_EQ(ctrl.GetFocusRow(), 3);

    QContextMenuEvent menu(QContextMenuEvent::Mouse, cell.center(),
                           ctrl.viewport()->mapToGlobal(cell.center()));
    QApplication::sendEvent(ctrl.viewport(), &menu);
    const CNotify right = owner.Last(GVN_RCLICK);
    EXPECT_EQ(right.row, 3);
    EXPECT_EQ(right.col, 1);
    const QPoint global = ctrl.viewport()->mapToGlobal(cell.center());
    EXPECT_EQ(right.point.x, global.x());
    EXPECT_EQ(right.point.y, global.y());

    // Widths set by the program are not reported; a width the user drags is.
    ASSERT_TRUE(ctrl.SetColumnWidth(2, 120));
    EXPECT_EQ(owner.Count(GVN_COLUMNWIDTHCHANGED), 0);
    header->resizeSection(2, 77); // what dragging the section edge does
    EXPECT_EQ(owner.Count(GVN_COLUMNWIDTHCHANGED), 1);
    EXPECT_EQ(owner.Last(GVN_COLUMNWIDTHCHANGED).col, 3);
}

TEST(GridCtrlNotify, ScrollingReportsTheFirstRowAndColumnInViewAndInsertOnlyAsks) {
    CGridIterator grid;
    FillStations(grid, 301);
    ShownGrid shown(grid);
    CGridCtrl& ctrl = shown.ctrl;
    RecordingOwner& owner = shown.owner;
    for (long col = 1; col < 4; ++col)
        ASSERT_TRUE(ctrl.SetColumnWidth(col, 400));
    QApplication::processEvents();
    const int before = owner.Count(GVN_VSCROLL);

    // Grid coordinates: model row 199 is grid row 200 under the header row.
    ctrl.scrollTo(ctrl.model()->index(199, 0), QAbstractItemView::PositionAtTop);
    ASSERT_GT(owner.Count(GVN_VSCROLL), before);
    EXPECT_EQ(owner.Last(GVN_VSCROLL).controlId, kGridId);
    EXPECT_EQ(owner.Last(GVN_VSCROLL).row, 200);
    EXPECT_EQ(owner.Count(GVN_HSCROLL), 0);

    ctrl.horizontalScrollBar()->setValue(ctrl.horizontalScrollBar()->maximum());
    ASSERT_EQ(owner.Count(GVN_HSCROLL), 1);
    EXPECT_EQ(owner.Last(GVN_HSCROLL).col, ctrl.columnAt(0) + 1);
    EXPECT_GT(owner.Last(GVN_HSCROLL).col, 1);

    // Insert asks for a row at the current cell; the grid stays as it is.
    ctrl.setFocus();
    ASSERT_TRUE(ctrl.SetFocusCell(5, 2));
    QTest::keyClick(&ctrl, Qt::Key_Insert);
    ASSERT_EQ(owner.Count(GVN_INSERTROW), 1);
    EXPECT_EQ(owner.Last(GVN_INSERTROW).row, 5);
    EXPECT_EQ(owner.Last(GVN_INSERTROW).col, 2);
    EXPECT_EQ(grid.GetRowCount(), 301);

    // While a cell is being edited the key belongs to the editor.
    ctrl.SetEditable(true);
    ctrl.edit(ctrl.currentIndex());
    auto* editor = ctrl.findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Insert);
    EXPECT_EQ(owner.Count(GVN_INSERTROW), 1);
}

TEST(GridCtrlWidths, WidthsByGridColumnWithZeroHiding) {
    CGridIterator grid;
    FillStations(grid, 3);
    CGridCtrl ctrl(grid, kGridId, nullptr);
    ASSERT_TRUE(ctrl.SetColumnWidth(2, 120));
    EXPECT_EQ(ctrl.columnWidth(1), 120); // grid column 2 is the view's column 1
    ASSERT_TRUE(ctrl.SetColumnWidth(3, 0));
    EXPECT_TRUE(ctrl.isColumnHidden(2));
    EXPECT_EQ(ctrl.GetColumnWidth(3), 0);
    ASSERT_TRUE(ctrl.SetColumnWidth(0, 90)); // the header column
    EXPECT_EQ(ctrl.GetColumnWidth(0), 90);
    EXPECT_FALSE(ctrl.SetColumnWidth(4, 50));
}

TEST(GridCtrlEdit, EditsAreWrittenIntoTheGridOnlyWhenAllowed) {
    CGridIterator grid;
    FillStations(grid, 4);
    ShownGrid shown(grid);
    CGridCtrl& ctrl = shown.ctrl;
    QAbstractItemModel& model = *ctrl.model();
    const QModelIndex level = model.index(1, 0); // grid row 2, column 1

    EXPECT_FALSE(model.flags(level) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.setData(level, "9.9"));
    EXPECT_EQ(grid.GetCellView(2, 1), "2.5");

    ctrl.SetEditable(true);
    ASSERT_TRUE(model.flags(level) & Qt::ItemIsEditable);
    ctrl.setCurrentIndex(level);
    ctrl.edit(level);
    auto* editor = ctrl.findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "12.75");
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents(); // the delegate commits once the editor had the key
    EXPECT_EQ(grid.GetCellView(2, 1), "12.75");
    const CNotify edited = shown.owner.Last(GVN_ENDLABELEDIT);
    EXPECT_EQ(edited.row, 2);
    EXPECT_EQ(edited.col, 1);

    // A list column takes the name the user reads and keeps its code; other text stays as typed.
    EXPECT_EQ(model.data(model.index(0, 2), Qt::EditRole).toString(), "雨量站");
    ASSERT_TRUE(model.setData(model.index(0, 2), "河道站"));
    EXPECT_EQ(grid.GetCellView(1, 3), "ZZ");
    ASSERT_TRUE(model.setData(model.index(0, 2), "QQ"));
    EXPECT_EQ(grid.GetCellView(1, 3), "QQ");

    // The headers stay as they are even in an editable grid.
    grid.SetFixedColumnCount(2);
    EXPECT_FALSE(model.flags(level) & Qt::ItemIsEditable);
}

} // namespace

namespace {

QString Clipboard() {
    return QApplication::clipboard()->text();
}

} // namespace

TEST(GridCtrlClipboard, CtrlCCopiesTheSelectedBlockWithItsHeadingsAsShown) {
    CGridIterator grid;
    FillStations(grid, 6);
    grid.SetItemText(5, 1, "5\t.5"); // a text a spreadsheet would split
    ShownGrid shown(grid);
    CGridCtrl& ctrl = shown.ctrl;
    ctrl.setFocus();
    QApplication::clipboard()->clear();

    // A 3 x 3 block: grid rows 2-4, columns 1-3; the list column shows names, not codes.
    const QAbstractItemModel& model = *ctrl.model();
    ctrl.selectionModel()->select(QItemSelection(model.index(1, 0), model.index(3, 2)),
                                  QItemSelectionModel::ClearAndSelect);
    QTest::keyClick(&ctrl, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard().toStdString(), "站名\t水位\t雨量\t站类\n"
                                         "测站2\t2.5\t0.2\t河道站\n"
                                         "测站3\t3.5\t0.3\t雨量站\n"
                                         "测站4\t4.5\t0.4\t河道站\n");
    const QString html = QApplication::clipboard()->mimeData()->html();
    EXPECT_TRUE(html.contains(QString::fromUtf8("<td>河道站</td>"))) << html.toStdString();
    EXPECT_EQ(html.count("<tr>"), 4);

    // Ctrl+A then Ctrl+C: every row; a hidden column stays out, a tab is quoted.
    ctrl.SetColumnWidth(2, 0);
    QTest::keyClick(&ctrl, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&ctrl, Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = Clipboard().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0].toStdString(), "站名\t水位\t站类");
    EXPECT_EQ(lines[1].toStdString(), "测站1\t1.5\t雨量站");
    EXPECT_EQ(lines[5].toStdString(), "测站5\t\"5\t.5\"\t雨量站");

    // Nothing selected: the clipboard keeps what it held.
    ctrl.clearSelection();
    ctrl.CopySelection();
    EXPECT_EQ(Clipboard().split('\n', Qt::SkipEmptyParts).size(), 6);
}

TEST(GridCtrlSort, HeaderShowsTheSortedColumnAndItsDirectionUntilTheNextGrid) {
    CGridIterator grid;
    FillStations(grid, 4);
    ShownGrid shown(grid);
    QHeaderView& header = *shown.ctrl.horizontalHeader();
    EXPECT_FALSE(header.isSortIndicatorShown());
    shown.ctrl.SetSortIndicator(2, false);
    EXPECT_TRUE(header.isSortIndicatorShown());
    EXPECT_EQ(header.sortIndicatorSection(), 1); // grid column 2 behind the header column
    EXPECT_EQ(header.sortIndicatorOrder(), Qt::DescendingOrder);
    shown.ctrl.SetSortIndicator(1, true);
    EXPECT_EQ(header.sortIndicatorSection(), 0);
    EXPECT_EQ(header.sortIndicatorOrder(), Qt::AscendingOrder);
    shown.ctrl.Refresh();
    EXPECT_FALSE(header.isSortIndicatorShown());
}
