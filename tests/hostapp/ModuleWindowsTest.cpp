// The data-query module's own windows in the host: the demo display run with the real module
// shows the table query windows and the system view's viewer inside the view, carries them
// along when the view scrolls and hides them when editing again.
#include "DataSource.h"
#include "DisplayView.h"
#include "HostModules.h"
#include "MainWindow.h"

#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

std::vector<QWidget*> WindowsOf(QWidget* area, const char* property, const char* value) {
    std::vector<QWidget*> found;
    for (QWidget* w : area->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->property(property).toString() == value) found.push_back(w);
    return found;
}

TEST(ModuleWindows, TheDemoDisplayShowsItsQueryWindowsAndTheViewerAndTheyFollowTheView) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString display = dir.filePath("demo.vxd");
    ASSERT_EQ(QProcess::execute(VEXORQUERY_EXE, {"demo-display", display}), 0);
    // An empty database: the windows open and say what they cannot read.
    kes::SetDataSource("sqlite:" + dir.filePath("empty.db").toStdString());
    HostModules modules;
    ASSERT_TRUE(modules.Load({}, {VEXOR_QUERY_MODULE}).errors.empty());
    {
        MainWindow window;
        window.show();
        QString error;
        ASSERT_TRUE(window.OpenDisplay(display, error)) << error.toStdString();
        window.SetRunning(true);
        QWidget* area = window.View().viewport();
        // Every element shows the one window of its mode.
        std::size_t windows = 0;
        for (QWidget* w : area->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (w->property("windowClass").isValid() || w->property("viewerClass").isValid()) ++windows;
        EXPECT_EQ(windows, window.View().Elements().size());
        EXPECT_GE(WindowsOf(area, "windowClass", "CQueryWindow").size(), 4u);
        const std::vector<QWidget*> viewers = WindowsOf(area, "viewerClass", "CSysLookWidow");
        ASSERT_EQ(viewers.size(), 1u);
        QWidget* viewer = viewers[0];
        EXPECT_TRUE(viewer->isVisible());
        EXPECT_EQ(viewer->size(), QSize(1020, 420));

        const QPoint before = viewer->pos();
        window.View().verticalScrollBar()->setValue(window.View().verticalScrollBar()->value() + 60);
        EXPECT_EQ(viewer->pos(), before - QPoint(0, 60));

        window.SetRunning(false);
        EXPECT_FALSE(viewer->isVisible());
    }
    kes::SetDataSource("");
}

} // namespace
