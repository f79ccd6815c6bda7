// The grid's own cell painter against the stock delegate it replaces: the same control, the same
// cells, painted once by each, must look the same.
#include "GridCtrl.h"
#include "UiTestSupport.h"

#include <QApplication>
#include <QImage>
#include <QItemSelectionModel>
#include <QStyleFactory>
#include <QStyledItemDelegate>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

// Chinese headings and names, numbers right-aligned, a centred list column, coloured rows and
// cells, a cell in a bold font of its own and texts too long for their columns.
void FillLooks(CGridIterator& grid) {
    grid.SetColumnCount(5);
    grid.SetRowCount(12);
    grid.SetRowTexts(0, 0, std::vector<std::string>{"站名", "水位", "流量", "站类", "说明"});
    for (long r = 1; r < 12; ++r) {
        const std::string n = std::to_string(r);
        grid.SetRowTexts(r, 0,
                         std::vector<std::string>{"测站" + n, n + "5.25", std::to_string(r * 1234),
                                                  r % 2 ? "雨量站" : "河道站",
                                                  r % 3 ? "正常" : "水位超过警戒线，请值班人员注意复核数据"});
    }
    CGridCellPro kind;
    kind.m_strText = "站类";
    kind.m_nAlign = GRID_ALIGN_CENTER;
    grid.SetColumnHeader(3, kind);
    CGridCellPro note;
    note.m_strText = "说明";
    note.m_nAlign = GRID_ALIGN_LEFT;
    grid.SetColumnHeader(4, note);
    grid.SetRowColors(2, RGB(200, 0, 0), RGB(255, 255, 200));
    grid.SetItemBkColour(4, 2, RGB(0, 120, 215));
    grid.SetItemFgColour(4, 2, RGB(255, 255, 255));
    LOGFONT bold;
    bold.lfFaceName = "宋体";
    bold.lfHeight = -16;
    bold.lfWeight = 700;
    bold.lfCharSet = GB2312_CHARSET;
    grid.SetItemFont(5, 1, bold);
    grid.SetItemText(6, 1, "123456789012345678.75"); // a number wider than its column
}

QImage Painted(CGridCtrl& ctrl) {
    ctrl.viewport()->update();
    QApplication::processEvents();
    return ctrl.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Pixels that differ between the two pictures by more than a trace of anti-aliasing.
int Differences(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                    std::abs(qBlue(p) - qBlue(q)) >
                48)
                ++n;
        }
    return n;
}

// The same control painted by the grid's painter and then by the stock delegate.
struct TwoPictures {
    QImage ours, stock;
};

TwoPictures PaintBoth(CGridCtrl& ctrl) {
    QAbstractItemDelegate* painter = ctrl.itemDelegate();
    TwoPictures pictures;
    pictures.ours = Painted(ctrl);
    ctrl.setItemDelegate(new QStyledItemDelegate(&ctrl));
    pictures.stock = Painted(ctrl);
    ctrl.setItemDelegate(painter);
    return pictures;
}

TEST(GridCellPainter, PaintsTheCellsAsTheStockDelegateDoes) {
    CGridIterator grid;
    FillLooks(grid);
    const std::unique_ptr<QStyle> windows(QStyleFactory::create("Windows")); // outlives the control
    RecordingOwner owner;
    CGridCtrl ctrl(grid, 942, &owner, &owner);
    owner.resize(560, 330);
    ctrl.setGeometry(0, 0, 560, 330);
    owner.show();
    QApplication::setActiveWindow(&owner);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    ctrl.setFocus();
    ASSERT_TRUE(ctrl.hasFocus()); // the current cell carries the focus frame
    const QAbstractItemModel& model = *ctrl.model();
    QItemSelectionModel& selection = *ctrl.selectionModel();

    // A selected current cell and a plain one, under the application's style and a second one
    // that draws selection and focus its own way, in the default font and then the grid's own.
    LOGFONT song;
    song.lfFaceName = "宋体";
    song.lfHeight = -12;
    song.lfCharSet = GB2312_CHARSET;
    QStyle* const fusion = ctrl.style();
    for (const auto& [style, gridFont] : {std::pair{fusion, false}, {windows.get(), false}, {fusion, true}}) {
        ASSERT_NE(style, nullptr);
        ctrl.setStyle(style);
        if (gridFont) ctrl.SetGridFont(song);
        for (const QModelIndex& current : {model.index(2, 1), model.index(4, 3)}) {
            selection.clearSelection();
            selection.setCurrentIndex(current, QItemSelectionModel::NoUpdate);
            for (const QModelIndex& cell : {model.index(2, 1), model.index(7, 0), model.index(7, 1)})
                selection.select(cell, QItemSelectionModel::Select);
            const TwoPictures pictures = PaintBoth(ctrl);
            ASSERT_EQ(pictures.ours.size(), pictures.stock.size());
            EXPECT_EQ(Differences(pictures.ours, pictures.stock), 0)
                << style->name().toStdString() << (gridFont ? ", grid font" : "") << ", current row "
                << current.row();
            if (const char* dir = std::getenv("GRID_PAINT_DUMP")) {
                const QString name =
                    QString("%1/%2-%3-%4-").arg(dir, style->name()).arg(gridFont).arg(current.row());
                pictures.ours.save(name + "ours.png");
                pictures.stock.save(name + "stock.png");
            }
        }
    }
}

} // namespace
