// Running a display: elements get their owner window and show their windows, the windows move
// with the view, the drive panel reaches one element or all, and the canvas picture holds all.
#include "DrivePanel.h"
#include "DriveRecords.h"
#include "HostTestSupport.h"
#include "MainWindow.h"
#include "ProbeElement.h"

#include <QScrollBar>
#include <QStatusBar>

#include <gtest/gtest.h>

namespace {

using Calls = std::vector<std::string>;

TEST(RunMode, ElementsGetTheViewAsOwnerAndShowTheirWindowsUntilEditingAgain) {
    ProbeTypes types;
    ShownView shown;
    DisplayView& view = shown.view;
    ProbeElement* e = AddProbe(view, CRect(100, 100, 300, 220));
    EXPECT_TRUE(e->calls.empty()) << "editing alone gives an element no windows";

    view.SetRunning(true);
    EXPECT_EQ(e->calls, (Calls{"SetState 1", "SetParentWnd", "ShowObjWnd 1"}));
    EXPECT_EQ(e->m_parentWnd, static_cast<CWnd*>(&view));
    ASSERT_NE(e->Window(), nullptr);
    EXPECT_EQ(e->Window()->parentWidget(), view.viewport());
    EXPECT_TRUE(e->Window()->isVisible());
    EXPECT_EQ(e->Window()->geometry(), QRect(100, 100, 200, 120));

    // An element added while the display runs starts running at once.
    ProbeElement* late = AddProbe(view, CRect(50, 700, 250, 820));
    EXPECT_EQ(late->calls, (Calls{"SetState 1", "SetParentWnd", "ShowObjWnd 1"}));

    // Scrolling carries the windows along, and the device context the elements borrow agrees.
    view.verticalScrollBar()->setValue(60);
    EXPECT_EQ(e->Window()->geometry(), QRect(100, 40, 200, 120));
    const CRect device = GetMainWndDC().LPtoDP(e->m_rect);
    EXPECT_EQ(device, CRect(100, 40, 300, 160));

    e->calls.clear();
    view.SetRunning(false);
    EXPECT_EQ(e->calls, (Calls{"ShowObjWnd 0", "SetState 0"}));
    EXPECT_FALSE(e->Window()->isVisible());
}

TEST(RunMode, TheDrivePanelSendsToTheSelectedElementOrToAll) {
    ProbeTypes types;
    MainWindow window;
    window.show();
    DisplayView& view = window.View();
    ProbeElement* a = AddProbe(view, CRect(10, 10, 210, 130));
    ProbeElement* b = AddProbe(view, CRect(300, 10, 500, 130));
    // Starting to run sends each element the show record it takes as the start, so the
    // operator's first 显示查询 is a request.
    window.SetRunning(true);
    ASSERT_EQ(a->drives.size(), 1u);
    EXPECT_EQ(a->drives[0].kind, 0);
    EXPECT_EQ(a->drives[0].subKind, 2);
    ProbeElement* late = AddProbe(view, CRect(600, 10, 800, 130));
    EXPECT_EQ(late->drives.size(), 1u) << "an element added while running starts the same way";

    window.Drives().Send(ShowDrive());
    ASSERT_EQ(a->drives.size(), 2u);
    ASSERT_EQ(b->drives.size(), 2u);
    EXPECT_EQ(a->drives[1].kind, 0);
    EXPECT_EQ(a->drives[1].subKind, 2);

    view.Select(b); // the panel's target follows the selection
    window.Drives().Send(PeriodDrive(COleDateTime(2026, 7, 1, 8, 30, 0), 0.5, 0));
    window.Drives().Send(StationDrive(1, 60105400, 0));
    EXPECT_EQ(a->drives.size(), 2u);
    ASSERT_EQ(b->drives.size(), 4u);
    EXPECT_EQ(b->drives[2].kind, 10);
    EXPECT_EQ(b->drives[2].value1, COleDateTime(2026, 7, 1, 8, 30, 0).m_dt);
    EXPECT_EQ(b->drives[2].value2, 0.5);
    EXPECT_EQ(b->drives[3].kind, 8);
    EXPECT_EQ(b->drives[3].value1, 1.0);
    EXPECT_EQ(b->drives[3].value2, 60105400.0);
}

TEST(RunMode, TheStatusLineKeepsWhatElementsSayWhileTakingADriveRecord) {
    ProbeTypes types;
    MainWindow window;
    window.show();
    ProbeElement* e = AddProbe(window.View(), CRect(10, 10, 210, 130));
    window.SetRunning(true);
    e->sayOnDrive = "数据查询 RIVER_HOUR: 查询失败: no such table";
    window.Drives().Send(ShowDrive());
    const std::string line = window.statusBar()->currentMessage().toStdString();
    EXPECT_NE(line.find("已发给全部元件 (1 个元件)"), std::string::npos) << line;
    EXPECT_NE(line.find(e->sayOnDrive), std::string::npos) << line;
}

TEST(RunMode, TheCanvasPictureHoldsWhatLiesOutsideTheVisiblePart) {
    ProbeTypes types;
    DisplayView view;
    view.resize(300, 200); // far smaller than the display
    view.show();
    ProbeElement* e = AddProbe(view, CRect(500, 400, 700, 520));
    view.SetRunning(true);
    view.verticalScrollBar()->setValue(37);
    QApplication::processEvents();

    const QImage image = view.RenderCanvas();
    view.verticalScrollBar()->setValue(37);
    view.horizontalScrollBar()->setValue(0);
    ASSERT_EQ(image.size(), QSize(720, 540));
    EXPECT_EQ(view.verticalScrollBar()->value(), 37) << "the view stays where the user had it";
    // The element's window, in its place, whatever was scrolled into view.
    EXPECT_EQ(QColor(image.pixel(600, 460)), QColor(Qt::green));
    EXPECT_EQ(QColor(image.pixel(501, 401)), QColor(Qt::green));
    EXPECT_EQ(QColor(image.pixel(698, 518)), QColor(Qt::green));
    EXPECT_EQ(QColor(image.pixel(499, 460)), QColor(Qt::white));
    EXPECT_EQ(QColor(image.pixel(710, 530)), QColor(Qt::white));
    EXPECT_EQ(e->Window()->geometry().topLeft(), QPoint(500, 400 - 37));
}

} // namespace
