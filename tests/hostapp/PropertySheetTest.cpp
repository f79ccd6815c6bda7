// The real module's property sheet in the host's edit mode, as an engineer uses it: draw or
// double click an element, change the table and stations, OK; Cancel leaves the display
// unmodified; the choice is in the running grid, the reopened sheet and the saved display file.
#include "DataSource.h"
#include "DemoDatabase.h"
#include "DisplayView.h"
#include "FormControls.h"
#include "Hooks.h"
#include "HostModules.h"
#include "HostTestSupport.h"
#include "MainWindow.h"
#include "Wnd.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProcess>
#include <QTabWidget>
#include <QTableView>
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

// The compact demo database as the data service's source, the demo display beside it, and the
// host's modules loaded.
class PropertySheet : public ::testing::Test {
protected:
    void SetUp() override {
        demo::DemoOptions options;
        options.compact = true;
        std::string error;
        ASSERT_TRUE(demo::BuildDemoDatabase(m_uri, options, error)) << error;
        kes::SetDataSource(m_uri);
        RunTool({"demo-display", m_display});
        ASSERT_TRUE(m_modules.Load({}, {VEXOR_QUERY_MODULE}).errors.empty());
    }
    void TearDown() override { kes::SetDataSource(""); }

    QTemporaryDir m_dir;
    const std::string m_uri = "sqlite:" + m_dir.filePath("demo.sqlite").toStdString();
    const QString m_display = m_dir.filePath("d.vxd");
    HostModules m_modules;
};

void DoubleClick(QWidget* area, QPoint at) {
    QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(at), area->mapToGlobal(QPointF(at)),
                      Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(area, &click);
}

TEST_F(PropertySheet, DoubleClickChangesTheTableOnOkOnlyAndTheSavedDisplayKeepsIt) {
    const QString& display = m_display;
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

// The headings the element's query window shows while the display runs, and those
// `vexorquery query` prints for a table.
QStringList ShownHeadings(MainWindow& window) {
    window.SetRunning(true);
    QWidget* area = window.View().viewport();
    QStringList headings;
    for (QWidget* w : area->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->property("windowClass").toString() == "CQueryWindow")
            if (auto* grid = w->findChild<QTableView*>())
                for (int c = 0; c < grid->model()->columnCount(); ++c)
                    headings << grid->model()->headerData(c, Qt::Horizontal).toString().trimmed();
    headings.removeAll("");
    window.SetRunning(false);
    return headings;
}
QStringList PrintedHeadings(const std::string& db, const char* table) {
    QStringList headings = QString::fromStdString(RunTool({"query", "--db", QString::fromStdString(db),
                                                           "--table", table, "--format", "tsv"}))
                               .section('\n', 0, 0)
                               .split('\t');
    for (QString& h : headings)
        h = h.trimmed();
    headings.removeAll("");
    return headings;
}

// An element drawn on a new display is given a table and stations through its sheet; the grid,
// the reopened sheet and the saved and reopened display all show that choice; a cancelled
// sheet leaves the display unmodified.
TEST_F(PropertySheet, ADrawnElementTakesTableAndStationsThroughTheSheetAndKeepsThem) {
    const QStringList rainDay = PrintedHeadings(m_uri, "RAIN_DAY");
    ASSERT_GE(rainDay.size(), 2) << rainDay.join(",").toStdString();
    const QString display = m_dir.filePath("drawn.vxd");
    auto look = [](QWidget& sheet, const char* stations) {
        sheet.findChild<QTabWidget*>()->setCurrentIndex(1);
        QWidget& page = *FindControl(sheet, 901);
        EXPECT_EQ(FindControl<QComboBox>(page, 1020)->currentText(), "RAIN_DAY");
        EXPECT_TRUE(FindControl<QAbstractButton>(page, 1004)->isChecked());
        EXPECT_EQ(FindControl<QLineEdit>(page, 1008)->text(), stations);
        return ui::IDCANCEL;
    };
    {
        MainWindow window;
        window.show();
        DisplayView& view = window.View();
        QWidget* area = view.viewport();
        view.SetCreateType("数据查询");
        PlainDrag(area, QPoint(20, 20), QPoint(120, 80));
        ASSERT_EQ(view.Elements().size(), 1u);
        EXPECT_NE(ShownHeadings(window), rainDay);
        {
            DialogAnswers choose([](QWidget& sheet) {
                sheet.findChild<QTabWidget*>()->setCurrentIndex(1);
                QWidget& page = *FindControl(sheet, 901);
                FindControl<QComboBox>(page, 1020)->setEditText("RAIN_DAY");
                FindControl<QAbstractButton>(page, 1004)->setChecked(true);
                FindControl<QLineEdit>(page, 1008)->setText("60105400,60110000");
                return ui::IDOK;
            });
            DoubleClick(area, QPoint(60, 60));
        }
        EXPECT_EQ(ShownHeadings(window), rainDay) << "the element shows the chosen table's grid";
        QString saveError;
        ASSERT_TRUE(window.SaveDisplay(display, saveError)) << saveError.toStdString();
        ASSERT_FALSE(view.IsModified());

        int opened = 0;
        {
            DialogAnswers reopen([&](QWidget& sheet) {
                ++opened;
                look(sheet, "60105400,60110000");
                // Changed and then cancelled.
                FindControl<QComboBox>(*FindControl(sheet, 901), 1020)->setEditText("RIVER_HOUR");
                FindControl<QLineEdit>(*FindControl(sheet, 901), 1008)->setText("60110000");
                return ui::IDCANCEL;
            });
            DoubleClick(area, QPoint(60, 60));
        }
        EXPECT_EQ(opened, 1);
        EXPECT_FALSE(view.IsModified()) << "a cancelled sheet leaves the display unmodified";
        EXPECT_EQ(ShownHeadings(window), rainDay);
    }
    {
        MainWindow window;
        window.show();
        QString openError;
        ASSERT_TRUE(window.OpenDisplay(display, openError)) << openError.toStdString();
        int opened = 0;
        DialogAnswers reopened([&](QWidget& sheet) {
            ++opened;
            return look(sheet, "60105400,60110000");
        });
        DoubleClick(window.View().viewport(), QPoint(60, 60));
        EXPECT_EQ(opened, 1) << "the reopened display's element opens its sheet";
        EXPECT_EQ(ShownHeadings(window), rainDay);
        EXPECT_FALSE(window.View().IsModified());
    }
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
TEST_F(PropertySheet, OkInEditModeAfterARunKeepsTheWindowsHiddenAndTheRowNumbers) {
    const QString& display = m_display;
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
