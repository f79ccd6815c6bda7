// Editing a display with the mouse and keyboard: drawing, selecting, moving, resizing through
// the host's tracker or through the element itself, properties and deleting.
#include "HostModules.h"
#include "HostTestSupport.h"
#include "ProbeElement.h"

#include <QScrollBar>

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace {

class EditMode : public ::testing::Test {
protected:
    ProbeTypes m_types;
    ShownView m_shown;
    DisplayView& View() { return m_shown.view; }
    QWidget* Area() { return m_shown.Area(); }
};

TEST_F(EditMode, DrawingTheDataQueryElementGivesItsFixedSizeAtTheDrawnCorner) {
    // The real module, loaded from a plug-in folder as the host does at start.
    const auto folder =
        std::filesystem::temp_directory_path() / ("vexorhost-draw-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::filesystem::create_symlink(VEXOR_QUERY_MODULE, folder / "libVexorQueryObj.so");
    HostModules modules;
    {
        ShownView shown;
        ASSERT_TRUE(modules.Load({folder.string()}, {}).errors.empty());
        shown.view.SetCreateType("数据查询");
        PlainDrag(shown.Area(), QPoint(30, 40), QPoint(130, 100));
        ASSERT_EQ(shown.view.Elements().size(), 1u);
        EXPECT_EQ(shown.view.Elements()[0]->m_rect, CRect(30, 40, 1050, 735));
        EXPECT_EQ(shown.view.Selected(), shown.view.Elements()[0].get());
        EXPECT_TRUE(shown.view.CreateType().empty()) << "one element per choice of type";

        // Scrolled down by 50 pixels, the drawn corner is 50 logical units lower.
        shown.view.verticalScrollBar()->setValue(50);
        ASSERT_EQ(shown.view.verticalScrollBar()->value(), 50);
        shown.view.SetCreateType("数据查询");
        PlainDrag(shown.Area(), QPoint(200, 100), QPoint(90, 20)); // dragged up and left
        ASSERT_EQ(shown.view.Elements().size(), 2u);
        EXPECT_EQ(shown.view.Elements()[1]->m_rect, CRect(90, 70, 1110, 765));
    }
    std::filesystem::remove_all(folder);
}

TEST_F(EditMode, TheHostTrackerMovesTheBodyAndResizesByAHandle) {
    ProbeElement* e = AddProbe(View(), CRect(100, 100, 300, 220));

    TrackedDrag(Area(), QPoint(150, 150), QPoint(200, 180)); // the body
    EXPECT_EQ(View().Selected(), e);
    EXPECT_EQ(e->m_rect, CRect(150, 130, 350, 250));

    TrackedDrag(Area(), QPoint(350, 250), QPoint(400, 300)); // handle 5, bottom right
    EXPECT_EQ(e->m_rect, CRect(150, 130, 400, 300));

    TrackedDrag(Area(), QPoint(150, 215), QPoint(500, 215)); // handle 8 across the right edge
    EXPECT_EQ(e->m_rect, CRect(400, 130, 500, 300)) << "the rectangle turns over, it never gets negative";

    TrackedDrag(Area(), QPoint(450, 130), QPoint(450, 20), /*abandon=*/true); // handle 2, then Esc
    EXPECT_EQ(e->m_rect, CRect(400, 130, 500, 300));
    EXPECT_TRUE(View().IsModified());
}

TEST_F(EditMode, AnElementWithoutTrackerGetsTheMouseInLogicalUnits) {
    auto* e = AddProbe<SelfMovingElement>(View(), CRect(100, 300, 300, 420));
    View().verticalScrollBar()->setValue(0);

    PlainDrag(Area(), QPoint(150, 350), QPoint(190, 330));
    ASSERT_EQ(e->downs.size(), 1u);
    EXPECT_EQ(e->downs[0], CPoint(150, 350));
    EXPECT_EQ(e->ups.back(), CPoint(190, 330));
    EXPECT_FALSE(e->moves.empty());
    EXPECT_EQ(e->m_rect, CRect(140, 280, 340, 400));

    // Its handles go through the tracker the host lends it; Esc leaves the element as it was.
    TrackedDrag(Area(), QPoint(340, 400), QPoint(360, 450)); // handle 5
    EXPECT_EQ(e->m_rect, CRect(140, 280, 360, 450));
    TrackedDrag(Area(), QPoint(140, 280), QPoint(10, 10), /*abandon=*/true);
    EXPECT_EQ(e->m_rect, CRect(140, 280, 360, 450));
}

TEST_F(EditMode, TheMouseFollowsZoomAndScroll) {
    // 200 % and scrolled: device (300, 200) is logical (300 / 2 + 0, 200 / 2 + 40).
    ProbeElement* e = AddProbe(View(), CRect(100, 100, 300, 220));
    AddProbe(View(), CRect(900, 900, 1100, 1020)); // room to scroll
    View().SetZoom(2, 1);
    View().verticalScrollBar()->setValue(80);
    ASSERT_EQ(View().Dc().Scroll(), CPoint(0, 40));
    TrackedDrag(Area(), QPoint(300, 200), QPoint(340, 260));
    EXPECT_EQ(View().Selected(), e);
    EXPECT_EQ(e->m_rect, CRect(120, 130, 320, 250)) << "moved by half the pixels, size kept";
}

TEST_F(EditMode, CursorsFollowTheSelectedElement) {
    ProbeElement* e = AddProbe(View(), CRect(100, 100, 300, 220));
    View().Select(e);
    auto hover = [&](QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, Area()->mapToGlobal(at), Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(Area(), &move);
        return Area()->cursor().shape();
    };
    EXPECT_EQ(hover(QPoint(150, 150)), Qt::SizeAllCursor);
    EXPECT_EQ(hover(QPoint(100, 100)), Qt::SizeFDiagCursor);
    EXPECT_EQ(hover(QPoint(300, 160)), Qt::SizeHorCursor);
    EXPECT_EQ(hover(QPoint(500, 500)), Qt::ArrowCursor);
}

TEST_F(EditMode, DoubleClickOpensPropertiesAndDeleteRemoves) {
    ProbeElement* first = AddProbe(View(), CRect(100, 100, 300, 220));
    AddProbe(View(), CRect(400, 100, 600, 220));

    // The double click itself: the press before it would start the (modal) tracker.
    QMouseEvent dclick(QEvent::MouseButtonDblClick, QPointF(150, 150), Area()->mapToGlobal(QPointF(150, 150)),
                       Qt::LeftButton, Qt::LeftButton, {});
    View().SetModified(false);
    QApplication::sendEvent(Area(), &dclick);
    EXPECT_EQ(first->propertyCalls, 1);
    EXPECT_EQ(first->propertyOwner, static_cast<CWnd*>(&View()));
    EXPECT_FALSE(View().IsModified()) << "a sheet that changed nothing leaves the display as it was";

    // A sheet that changes what the display file holds makes it a changed display.
    first->propertySheet = [](ProbeElement& e) { e.m_rect.right += 10; };
    QApplication::sendEvent(Area(), &dclick);
    EXPECT_EQ(first->propertyCalls, 2);
    EXPECT_TRUE(View().IsModified());

    View().Select(first);
    QTest::keyClick(&View(), Qt::Key_Delete);
    ASSERT_EQ(View().Elements().size(), 1u);
    EXPECT_EQ(View().Elements()[0]->m_rect, CRect(400, 100, 600, 220));
    EXPECT_EQ(View().Selected(), nullptr);
    QTest::keyClick(&View(), Qt::Key_Delete); // nothing selected: nothing happens
    EXPECT_EQ(View().Elements().size(), 1u);
}

} // namespace
