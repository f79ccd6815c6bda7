// The analysis of "HISVIEW" in the table query window on the offscreen platform, over the demo
// database on each backend: the user picks a station and years in the analysis bar, chooses
// the day type and presses 刷新; the grid shows the years side by side exactly as
// `vexorquery compare` prints them. The window and its chart are rendered for a look.
#include "AnalyQueryBar.h"
#include "ComboBox.h"
#include "DemoWindowTest.h"
#include "GridCtrl.h"
#include "ListBox.h"
#include "PopupMenu.h"
#include "QueryWindow.h"
#include "TestDatabase.h"
#include "WindowTestSupport.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QContextMenuEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

namespace {

class AnalysisWindowTest : public DemoWindowTest {
protected:
    void TearDown() override {
        ui::SetPopupMenuResponder({});
        m_window.reset();
    }

    CQueryWindow& Open() {
        m_window = std::make_unique<CQueryWindow>();
        CQuerySettings& q = m_window->QuerySettings();
        q.m_tableName = "HISVIEW";
        q.m_startTimeText = "2025-05-01 00:00:00";
        q.m_endTimeText = "2025-05-12 00:00:00";
        q.m_displayMode = kDisplayGivenStations;
        q.m_startFlag = 1;
        m_options.m_analysisComparison = 1;
        return Create();
    }
    CAnalyQueryBar& Bar() { return BarOf<CAnalyQueryBar>(*m_window); }
    template <class T> T& Control(int id) { return ChildOf<T>(Bar(), id); }
    void Click(int id) {
        QWidget& button = Control<QWidget>(id);
        QTest::mouseClick(&button, Qt::LeftButton, {}, button.rect().center());
    }
    void PickStation(const char* key) {
        CComboBox& stations = Control<CComboBox>(CAnalyQueryBar::kStation);
        for (int i = 0; i < stations.GetCount(); ++i)
            if (stations.GetLBText(i).Find(key) >= 0) return stations.setCurrentIndex(i);
        ADD_FAILURE() << "no station " << key;
    }
    void PickYear(const char* year) {
        CListBox& years = Control<CListBox>(CAnalyQueryBar::kYearList);
        for (int i = 0; i < years.GetCount(); ++i)
            if (years.GetText(i) == year) {
                QTest::mouseClick(years.viewport(), Qt::LeftButton, {},
                                  years.visualItemRect(years.item(i)).center());
                return;
            }
        ADD_FAILURE() << "no year " << year;
    }
    // The lines `vexorquery compare` prints as tab-separated text.
    std::vector<std::string> Command(const std::string& arguments) {
        std::string line = "'" + std::string(VEXORQUERY_EXE) + "' compare --db '" + m_uri + "' " + arguments;
        std::vector<std::string> lines;
        std::FILE* pipe = popen(line.c_str(), "r");
        if (!pipe) return lines;
        char buffer[4096];
        while (std::fgets(buffer, sizeof buffer, pipe)) {
            std::string text(buffer);
            if (!text.empty() && text.back() == '\n') text.pop_back();
            lines.push_back(text);
        }
        EXPECT_EQ(pclose(pipe), 0) << line;
        return lines;
    }
    static std::vector<std::string> GridLines(const CGridIterator& grid) {
        std::vector<std::string> lines;
        for (long r = 0; r < grid.GetRowCount(); ++r) {
            std::string line;
            for (long c = 0; c < grid.GetColumnCount(); ++c)
                line += (c ? "\t" : "") + std::string(grid.GetDisplayText(r, c));
            lines.push_back(line);
        }
        return lines;
    }

    static void RightClick(QWidget& widget) {
        const QPoint at = widget.rect().center();
        QContextMenuEvent menu(QContextMenuEvent::Mouse, at, widget.mapToGlobal(at));
        QApplication::sendEvent(&widget, &menu);
    }
    // The window as the user sees it, kept for a look when VEXOR_KEEP_PICTURES names a folder.
    void Keep(CQueryWindow& window, const char* name) {
        const QImage picture = window.Widget()->grab().toImage();
        EXPECT_FALSE(picture.isNull());
        if (const char* keep = std::getenv("VEXOR_KEEP_PICTURES")) picture.save(QString(keep) + "/" + name);
    }
};

TEST_P(AnalysisWindowTest, PickedYearsAreShownSideBySideAsTheCommandPrintsThem) {
    CQueryWindow& window = Open();
    // The years of the day table, latest first.
    CListBox& years = Control<CListBox>(CAnalyQueryBar::kYearList);
    ASSERT_GE(years.GetCount(), 3);
    EXPECT_EQ(years.GetText(0).str(), "2026");
    EXPECT_EQ(years.GetText(years.GetCount() - 1).str(), "2024");

    MessageLog messages;
    Click(CAnalyQueryBar::kRefresh);
    EXPECT_EQ(messages.texts, std::vector<std::string>{"请选择站号!"});
    PickStation("10021");
    Click(CAnalyQueryBar::kRefresh);
    EXPECT_EQ(messages.texts.back(), "请选择年份!");
    EXPECT_EQ(window.Grid().GetRowCount(), 1); // nothing was queried

    PickYear("2026");
    PickYear("2024");
    Click(CAnalyQueryBar::kFirstTypeButton + 1); // 日
    Click(CAnalyQueryBar::kFirstKindButton + 2); // 最大值
    Click(CAnalyQueryBar::kRefresh);
    ASSERT_EQ(messages.texts.size(), 2u);
    EXPECT_NE(window.Caption().Find("10021"), -1) << window.Caption().str();

    const std::vector<std::string> shown = GridLines(window.Grid());
    ASSERT_EQ(shown.size(), 1u + 12u);
    EXPECT_EQ(shown[0], "  \t时间\t2024年\t2026年");
    EXPECT_EQ(shown[1].substr(0, 8), "1\t05-01\t");
    EXPECT_EQ(shown, Command("--table HISVIEW --station 10021 --years 2024,2026 --from 05-01 --to 05-12 "
                             "--type day --kind max --format tsv"));
    // Every day of both years has its value.
    for (std::size_t r = 1; r < shown.size(); ++r)
        EXPECT_EQ(std::count(shown[r].begin(), shown[r].end(), '.'), 2) << shown[r];
    Keep(window, "analysis-window.png");

    // The grid's menu offers the chart; the chart takes the grid's place, one line per year.
    std::vector<ui::MenuItem> offered;
    ui::SetPopupMenuResponder([&](const std::vector<ui::MenuItem>& items, CPoint) {
        offered = items;
        return CQueryWindow::kCmdChart;
    });
    RightClick(*window.GridCtrl()->viewport());
    ASSERT_FALSE(offered.empty());
    EXPECT_EQ(offered.back().text, "曲线图");
    auto* view = qobject_cast<QChartView*>(window.ChartView());
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    EXPECT_FALSE(window.GridCtrl()->isVisible());
    EXPECT_EQ(view->chart()->series().size(), 2);
    Keep(window, "analysis-chart.png");
    // A refresh draws the new years; the menu of the chart leads back to the grid.
    PickYear("2025");
    Click(CAnalyQueryBar::kRefresh);
    EXPECT_EQ(view->chart()->series().size(), 3);
    RightClick(*view->viewport());
    EXPECT_EQ(offered.back().text, "表格");
    EXPECT_EQ(window.ChartView(), nullptr);
    EXPECT_TRUE(window.GridCtrl()->isVisible());
    EXPECT_EQ(window.Grid().GetColumnCount(), 5); // export and printing read the grid
}

INSTANTIATE_TEST_SUITE_P(Backends, AnalysisWindowTest,
                         ::testing::Values(testdb::Kind::Sqlite, testdb::Kind::Postgres),
                         [](const ::testing::TestParamInfo<testdb::Kind>& info) {
                             return info.param == testdb::Kind::Sqlite ? "SQLite" : "PostgreSQL";
                         });

} // namespace
