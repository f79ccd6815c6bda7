// The system view's viewer on the offscreen platform over the compact demo database, on SQLite
// and PostgreSQL: its grid against `vexorquery inventory` on the same tables, the header styles
// and sort, stored column widths, a load stopped or its window closed while a count is running,
// and the element making it in its system view mode.
#include "Hooks.h"
#include "SysLookWidow.h"

#include "DataSource.h"
#include "CompactDemo.h"
#include "HostServices.h"
#include "TestDatabase.h"
#include "VexorQueryElemOBJ.h"
#include "WindowFactory.h"
#include "WindowTestSupport.h"

#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int kLoadTimeoutMs = 120000;

class SysLookWindowTest : public ::testing::TestWithParam<testdb::Kind> {
protected:
    void SetUp() override {
        TESTDB_OPEN_DEMO(m_db, GetParam());
        m_uri = testdb::DemoUri(*m_db);
        const bool pg = GetParam() == testdb::Kind::Postgres;
        for (const char* sql : {
                 "CREATE TABLE KES.EMPTY_DAY (STCD INTEGER, TM TIMESTAMP)",
                 // A table whose count never ends unless it is stopped.
                 pg ? "CREATE VIEW KES.ENDLESS AS SELECT X FROM generate_series(1, 9000000000000000000) AS X"
                    : "CREATE VIEW KES.ENDLESS AS WITH RECURSIVE C(X) AS (SELECT 1 UNION ALL SELECT X + 1 "
                      "FROM C) SELECT X FROM C",
             }) {
            std::vector<std::string> reply;
            ASSERT_TRUE(testdb::Run(sql, reply)) << sql << (reply.empty() ? "" : reply[0]);
        }
        m_owner = std::make_unique<OwnerWindow>();
        m_owner->show();
        CSysLookWidow::LastSort().Forget(); // the last sort is the process's: start each test afresh
        m_view.m_text = "蓝白相间(2)";
    }
    void TearDown() override {
        m_window.reset();
        m_owner.reset();
    }

    void AddEntry(const char* table, const char* name, const char* timeColumn) {
        auto e = std::make_unique<CSysViewEntry>();
        e->m_table = table;
        e->m_second = name;
        e->m_column = timeColumn;
        m_view.m_entries.Add(std::move(e));
    }

    CSysLookWidow& Open() {
        m_window = std::make_unique<CSysLookWidow>();
        m_window->SetRecords(&m_face, &m_windowSettings, &m_options, &m_view);
        EXPECT_TRUE(m_window->Create(m_owner.get(), 1001, CRect(10, 10, 810, 410), kElementWindowStyle));
        m_window->Refresh(0);
        return *m_window;
    }
    static bool WaitLoaded(CSysLookWidow& window) {
        return QTest::qWaitFor([&] { return window.LoadStep() == 2; }, kLoadTimeoutMs);
    }
    static bool WaitRows(CSysLookWidow& window, std::size_t rows) {
        return QTest::qWaitFor([&] { return window.Rows().size() >= rows; }, kLoadTimeoutMs);
    }

    // The lines `vexorquery inventory` prints for the entries, split at its tabs.
    std::vector<QStringList> CommandRows() {
        QStringList args{"inventory", "--db", QString::fromStdString(m_uri)};
        for (int i = 0; i < m_view.m_entries.GetSize(); ++i) {
            const CSysViewEntry& e = m_view.m_entries[i];
            args << QString::fromStdString(e.m_table.str() + ":" + e.m_column.str() + ":" + e.m_second.str());
        }
        QProcess tool;
        tool.start(VEXORQUERY_EXE, args);
        EXPECT_TRUE(tool.waitForFinished(kLoadTimeoutMs));
        QStringList lines = QString::fromUtf8(tool.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        std::vector<QStringList> rows;
        for (qsizetype i = 1; i < lines.size(); ++i) // after the header line
            rows.push_back(lines[i].split('\t'));
        return rows;
    }

    std::unique_ptr<testdb::TestDatabase> m_db;
    std::string m_uri;
    std::unique_ptr<OwnerWindow> m_owner;
    CInterfaceSettings m_face;
    CWindowSettings m_windowSettings;
    CQueryOptions m_options;
    CSysViewSettings m_view;
    std::unique_ptr<CSysLookWidow> m_window;
};

TEST_P(SysLookWindowTest, TheGridShowsWhatTheCommandPrints) {
    AddEntry("RIVER_HOUR", "河道水情", "TM");
    AddEntry("NOPE", "不存在", "TM");
    AddEntry("STATION", "测站", "");
    AddEntry("EMPTY_DAY", "空表", "TM");
    CSysLookWidow& window = Open();
    ASSERT_TRUE(WaitLoaded(window));
    const CGridIterator& grid = window.Grid();
    const std::vector<QStringList> printed = CommandRows();
    ASSERT_EQ(printed.size(), 4u);
    ASSERT_EQ(grid.GetRowCount(), 5);
    for (long row = 1; row <= 4; ++row) {
        const QStringList& line = printed[std::size_t(row - 1)];
        ASSERT_EQ(line.size(), 7) << line.join('|').toStdString();
        // The reason of a table that could not be counted stands in its count cell.
        const QString count = line[6].isEmpty() ? line[3] : line[6];
        const QStringList shown{line[0], line[1], line[2], count, line[4], line[5]};
        for (long col = 0; col < 6; ++col)
            EXPECT_EQ(grid.GetItemText(row, col).str(), shown[col].toStdString()) << row << "," << col;
    }
    EXPECT_NE(grid.GetItemText(1, 4), "");                          // a counted table with a time column
    EXPECT_NE(grid.GetItemText(2, 3).MakeUpper().Find("NOPE"), -1); // the database names the missing table
    EXPECT_EQ(grid.GetItemText(3, 4), "");                          // no time column: the count only
    EXPECT_EQ(grid.GetItemText(4, 3), "0");                         // an empty table
    EXPECT_EQ(grid.GetItemText(4, 4), "");
    // The headers in the chosen display mode: its first style on every other column.
    EXPECT_EQ(grid.GetColumnHeader(0).m_crText, 0x800000u);
    EXPECT_EQ(grid.GetColumnHeader(1).m_crText, 0u);
    EXPECT_EQ(grid.GetColumnHeader(2).m_crText, 0x800000u);
}

TEST_P(SysLookWindowTest, HeaderClicksSortUpDownAndUpAgain) {
    AddEntry("RIVER_HOUR", "", "TM");
    AddEntry("STATION", "", "");
    AddEntry("EMPTY_DAY", "", "TM");
    CSysLookWidow& window = Open();
    ASSERT_TRUE(WaitLoaded(window));
    CNotify click;
    click.controlId = CUseGridWindow::kGridId;
    click.code = GVN_HEADERCLICK;
    click.row = 0;
    click.col = 1;
    std::vector<std::string> firsts;
    for (int i = 0; i < 3; ++i) {
        window.OnChildNotify(click);
        firsts.push_back(window.Grid().GetItemText(1, 1).str());
    }
    EXPECT_EQ(firsts, (std::vector<std::string>{"EMPTY_DAY", "STATION", "EMPTY_DAY"}));
}

TEST_P(SysLookWindowTest, StoredWidthsApplyOnlyWhenFixedButTheWidthsAreAlwaysKept) {
    AddEntry("STATION", "", "");
    m_face.m_fixedColumns = 1;
    m_face.m_columnWidths.Add(31);
    m_face.m_columnWidths.Add(177);
    m_face.m_columnWidths.Add(93);
    CSysLookWidow& window = Open();
    ASSERT_TRUE(WaitLoaded(window));
    std::vector<int> widths;
    for (long col = 0; col < 6; ++col)
        widths.push_back(window.GridCtrl()->GetColumnWidth(col));
    EXPECT_EQ(widths, (std::vector<int>{31, 177, 93, 93, 93, 93}));
    window.GridCtrl()->SetColumnWidth(1, 150);
    window.DestroySystemWindow();
    ASSERT_EQ(m_face.m_columnWidths.GetSize(), 6);
    EXPECT_EQ(m_face.m_columnWidths[1], 150u);

    m_face.m_fixedColumns = 0;
    m_face.m_columnWidths.RemoveAll();
    m_face.m_columnWidths.Add(177);
    CSysLookWidow& loose = Open();
    ASSERT_TRUE(WaitLoaded(loose));
    EXPECT_NE(loose.GridCtrl()->GetColumnWidth(1), 177);
    const int shown = loose.GridCtrl()->GetColumnWidth(1);
    loose.DestroySystemWindow();
    ASSERT_EQ(m_face.m_columnWidths.GetSize(), 6);
    EXPECT_EQ(int(m_face.m_columnWidths[1]), shown);

    // Told to keep them, the viewer leaves the stored widths alone.
    m_face.m_columnWidths.RemoveAll();
    CSysLookWidow& keeping = Open();
    keeping.SetKeepStoredWidths(true);
    ASSERT_TRUE(WaitLoaded(keeping));
    keeping.DestroySystemWindow();
    EXPECT_TRUE(m_face.m_columnWidths.IsEmpty());
}

TEST_P(SysLookWindowTest, ALoadStoppedOrClosedWhileACountRunsLeavesTheRowsCountedSoFar) {
    AddEntry("STATION", "测站", "");
    AddEntry("ENDLESS", "", "");
    AddEntry("RIVER_HOUR", "", "TM");
    CSysLookWidow& window = Open();
    ASSERT_TRUE(WaitRows(window, 1));
    EXPECT_EQ(window.LoadStep(), 1);
    // A picture of the display waits while the viewer says it is loading.
    QWidget& widget = *window.Widget();
    EXPECT_TRUE(widget.property(ui::kLoadingProperty).toBool());
    window.CancelLoad();
    ASSERT_TRUE(WaitLoaded(window));
    EXPECT_FALSE(widget.property(ui::kLoadingProperty).toBool());
    ASSERT_EQ(window.Rows().size(), 1u);
    EXPECT_EQ(window.Grid().GetRowCount(), 2);
    EXPECT_EQ(window.Grid().GetItemText(1, 1), "STATION");

    // A refresh counts again from the first table; closing the window stops it.
    window.Refresh(0);
    EXPECT_TRUE(window.Rows().empty());
    ASSERT_TRUE(WaitRows(window, 1));
    window.DestroySystemWindow();
    EXPECT_FALSE(window.HasSystemWindow());
    m_window.reset();
}

TEST_P(SysLookWindowTest, AnOwnerThatGoesMidLoadTakesTheWindowAndStopsTheLoad) {
    AddEntry("STATION", "", "");
    AddEntry("ENDLESS", "", "");
    CSysLookWidow& window = Open();
    ASSERT_TRUE(WaitRows(window, 1));
    m_owner.reset();
    EXPECT_FALSE(window.HasSystemWindow());
    ASSERT_TRUE(WaitLoaded(window));
    EXPECT_EQ(window.Rows().size(), 1u);
    window.Refresh(0); // without its system window there is nothing to load into
    EXPECT_EQ(window.LoadStep(), 0);
    m_window.reset();
}

TEST_P(SysLookWindowTest, TheElementShowsTheViewerInItsSystemViewMode) {
    InstallElementWindows();
    CHostServices services;
    services.mainWndDC = [] { return CDC(CPoint{0, 0}, 1, 1); };
    const CHostServices oldServices = SetHostServices(services);
    {
        CVexorQueryElemOBJ element;
        element.m_rect = CRect(20, 30, 620, 330);
        element.m_interfaceSettings.m_mode = kModeSystemView;
        element.m_sysViewSettings.m_text = "常规(1)";
        auto entry = std::make_unique<CSysViewEntry>();
        entry->m_table = "STATION";
        element.m_sysViewSettings.m_entries.Add(std::move(entry));
        element.SetParentWnd(m_owner.get());
        auto* viewer = dynamic_cast<CSysLookWidow*>(element.m_sysViewWindow.get());
        ASSERT_NE(viewer, nullptr);
        EXPECT_EQ(element.m_tableWindow, nullptr);
        ASSERT_TRUE(WaitLoaded(*viewer));
        EXPECT_EQ(viewer->Grid().GetItemText(1, 1), "STATION");
        QWidget* shown = viewer->Widget();
        EXPECT_TRUE(shown->isVisible());
        EXPECT_EQ(shown->geometry(), QRect(20, 30, 600, 300));

        element.MoveTo(CRect(50, 60, 450, 260));
        EXPECT_EQ(shown->geometry(), QRect(50, 60, 400, 200));
        element.ShowObjWnd(0);
        EXPECT_FALSE(shown->isVisible());
        element.ShowObjWnd(1);
        EXPECT_TRUE(shown->isVisible());
    }
    SetHostServices(oldServices);
    RemoveElementWindows();
}

INSTANTIATE_TEST_SUITE_P(Backends, SysLookWindowTest,
                         ::testing::Values(testdb::Kind::Sqlite, testdb::Kind::Postgres),
                         [](const ::testing::TestParamInfo<testdb::Kind>& info) {
                             return info.param == testdb::Kind::Sqlite ? "SQLite" : "PostgreSQL";
                         });

} // namespace
