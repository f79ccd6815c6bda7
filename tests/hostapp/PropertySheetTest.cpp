// The real module's property sheet in the host's edit mode, as an engineer uses it: double
// click an element, change the table, OK; Cancel leaves the display unmodified; the choice is
// in the saved display file.
#include "DataSource.h"
#include "DemoDatabase.h"
#include "DisplayView.h"
#include "FormControls.h"
#include "Hooks.h"
#include "HostModules.h"
#include "MainWindow.h"
#include "Wnd.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Answers every modal dialog of the module as the test says.
class DialogAnswers {
public:
    explicit DialogAnswers(std::function<int(QWidget&)> answer)
        : m_old(ui::SetModalResponder([answer](CWnd& dialog) { return answer(dialog.GetWidget()); })) {}
    ~DialogAnswers() { ui::SetModalResponder(m_old); }
    DialogAnswers(const DialogAnswers&) = delete;
    DialogAnswers& operator=(const DialogAnswers&) = delete;

private:
    ui::ModalResponder m_old;
};

std::string RunTool(const QStringList& args) {
    QProcess p;
    p.start(VEXORQUERY_EXE, args);
    p.waitForFinished(120000);
    return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError()).toStdString();
}

// The compact demo database as the data source, and the demo display written into the folder.
void UseDemo(const QTemporaryDir& dir, const QString& display) {
    const std::string db = "sqlite:" + dir.filePath("demo.sqlite").toStdString();
    demo::DemoOptions options;
    options.compact = true;
    std::string error;
    ASSERT_TRUE(demo::BuildDemoDatabase(db, options, error)) << error;
    kes::SetDataSource(db);
    RunTool({"demo-display", display});
}

struct SourceReset {
    ~SourceReset() { kes::SetDataSource(""); }
};

void DoubleClick(QWidget* area, QPoint at) {
    QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(at), area->mapToGlobal(QPointF(at)),
                      Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(area, &click);
}

TEST(PropertySheet, DoubleClickChangesTheTableOnOkOnlyAndTheSavedDisplayKeepsIt) {
    QTemporaryDir dir;
    const QString display = dir.filePath("d.vxd");
    SourceReset reset;
    UseDemo(dir, display);
    if (HasFatalFailure()) return;
    HostModules modules;
    ASSERT_TRUE(modules.Load({}, {VEXOR_QUERY_MODULE}).errors.empty());
    {
        MainWindow window;
        window.show();
        QString openError;
        ASSERT_TRUE(window.OpenDisplay(display, openError)) << openError.toStdString();
        DisplayView& view = window.View();
        QWidget* area = view.viewport();
        ASSERT_FALSE(view.IsModified());

        int opened = 0;
        auto chooseRainDay = [&opened](QWidget& sheet) {
            ++opened;
            EXPECT_EQ(sheet.windowTitle().toStdString(), "系统设置查询属性");
            sheet.findChild<QTabWidget*>()->setCurrentIndex(1);
            FindControl<QComboBox>(*FindControl(sheet, 901), 1020)->setEditText("RAIN_DAY");
            return ui::IDCANCEL;
        };
        {
            DialogAnswers cancel(chooseRainDay);
            DoubleClick(area, QPoint(100, 100));
        }
        EXPECT_EQ(opened, 1) << "the double click opened the sheet";
        EXPECT_FALSE(view.IsModified()) << "a cancelled sheet leaves the display unmodified";
        {
            DialogAnswers ok([&](QWidget& sheet) {
                chooseRainDay(sheet);
                return ui::IDOK;
            });
            DoubleClick(area, QPoint(100, 100));
        }
        EXPECT_EQ(opened, 2);
        EXPECT_TRUE(view.IsModified());
        QString saveError;
        ASSERT_TRUE(window.SaveDisplay(display, saveError)) << saveError.toStdString();
    }
    const std::string shown = RunTool({"display", display});
    const std::size_t first = shown.find("element 1:");
    const std::size_t second = shown.find("element 2:");
    ASSERT_NE(second, std::string::npos) << shown;
    EXPECT_NE(shown.substr(first, second - first).find("query.tableName: \"RAIN_DAY\""), std::string::npos)
        << shown;
}

// The number of the element's windows the engineer sees on the canvas.
int ShownWindows(QWidget* area) {
    int shown = 0;
    for (QWidget* w : area->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if ((w->property("windowClass").isValid() || w->property("viewerClass").isValid()) && w->isVisible())
            ++shown;
    return shown;
}

// After a run the engineer edits again: the element whose sheet closed with OK stays a drawing
// like the others, so a further double click reaches it, and its widths keep the row numbers.
TEST(PropertySheet, OkInEditModeAfterARunKeepsTheWindowsHiddenAndTheRowNumbers) {
    QTemporaryDir dir;
    const QString display = dir.filePath("d.vxd");
    SourceReset reset;
    UseDemo(dir, display);
    if (HasFatalFailure()) return;
    HostModules modules;
    ASSERT_TRUE(modules.Load({}, {VEXOR_QUERY_MODULE}).errors.empty());
    {
        MainWindow window;
        window.show();
        QString openError;
        ASSERT_TRUE(window.OpenDisplay(display, openError)) << openError.toStdString();
        QWidget* area = window.View().viewport();
        window.SetRunning(true);
        QApplication::processEvents();
        window.SetRunning(false);
        ASSERT_EQ(ShownWindows(area), 0);

        int opened = 0;
        DialogAnswers ok([&opened](QWidget& sheet) {
            ++opened;
            sheet.findChild<QTabWidget*>()->setCurrentIndex(1);
            FindControl<QComboBox>(*FindControl(sheet, 901), 1020)->setEditText("RAIN_DAY");
            return ui::IDOK;
        });
        DoubleClick(area, QPoint(100, 100));
        ASSERT_EQ(opened, 1);
        QApplication::processEvents();
        EXPECT_EQ(ShownWindows(area), 0) << "the rebuilt window waits for the run";
        EXPECT_EQ(area->childAt(QPoint(100, 100)), nullptr) << "a further click reaches the element";
        QString saveError;
        ASSERT_TRUE(window.SaveDisplay(display, saveError)) << saveError.toStdString();
    }
    const std::string shown = RunTool({"display", display});
    const std::size_t first = shown.find("element 1:");
    const std::size_t widths = shown.find("interface.columnWidths: [", first);
    ASSERT_NE(widths, std::string::npos) << shown;
    EXPECT_NE(shown.compare(widths + 25, 2, "0 "), 0) << shown.substr(widths, 60);
}

} // namespace
