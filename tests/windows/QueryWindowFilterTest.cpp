// "筛选" of the table query window's menu on both backends: the condition put together in
// "筛选条件" narrows one query of the window and no more; a condition that would write, typed by
// hand, is refused in the dialog with the database untouched; a number column takes numbers only.
#include "CompactDemo.h"
#include "FormControls.h"
#include "Hooks.h"
#include "PopupMenu.h"
#include "QueryWindow.h"
#include "RefreshWait.h"
#include "TestDatabase.h"
#include "WindowTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

struct Records {
    CWindowSettings window;
    CQueryOptions options;
    CInterfaceSettings face;
};

class QueryWindowFilterTest : public ::testing::TestWithParam<testdb::Kind> {
protected:
    void SetUp() override {
        TESTDB_OPEN_DEMO(m_db, GetParam());
        m_owner.show();
        OpenWindow("2026-11-01 00:00:00");
    }
    // The window of two stations' hourly levels from start to the end of 1 November 2026.
    void OpenWindow(const char* start) {
        m_window = std::make_unique<CQueryWindow>();
        CQuerySettings& q = m_window->QuerySettings();
        q.m_tableName = "RIVER_HOUR";
        q.m_stations.Add("60105400");
        q.m_stations.Add("60110000");
        q.m_startTimeText = start;
        q.m_endTimeText = "2026-11-02 00:00:00";
        q.m_displayMode = kDisplayGivenStations;
        q.m_startFlag = 1;
        m_window->SetRecords(&m_records.window, &m_records.options, &m_records.face);
        m_window->ApplySettings();
        ASSERT_TRUE(m_window->Create(&m_owner, 0x4000, CRect(0, 0, 1020, 695), kElementWindowStyle));
        m_window->QueryAndFill();
    }
    void TearDown() override {
        m_window.reset();
        ui::SetPopupMenuResponder({});
        ui::SetModalResponder({});
    }

    // Chooses "筛选" from the grid's menu; the dialog is answered by act.
    void Filter(std::function<int(QWidget& dialog)> act) {
        ui::SetPopupMenuResponder([](const std::vector<ui::MenuItem>& items, CPoint) {
            for (const ui::MenuItem& item : items)
                if (item.text == "筛选") return item.id;
            ADD_FAILURE() << "the menu offers no 筛选";
            return 0;
        });
        ui::SetModalResponder([act](CWnd& dialog) { return act(dialog.GetWidget()); });
        CGridCtrl& ctrl = *m_window->GridCtrl();
        const QPoint at(5, 5);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, at, ctrl.viewport()->mapToGlobal(at));
        QApplication::sendEvent(ctrl.viewport(), &menu);
    }

    // Starts a refresh with start and, once rows of it are being read, calls act once while they
    // are; answers whether act was called.
    bool WhileReading(const std::function<void()>& start, const std::function<void()>& act) {
        bool acted = false;
        QTimer watch;
        watch.setInterval(0);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            CRefreshWait* running = m_window->RunningRefresh();
            if (acted || !running || running->RowsRead() == 0) return;
            acted = true;
            act();
        });
        watch.start();
        start();
        return acted;
    }

    // The texts of the column headed heading, one per result row.
    std::vector<std::string> Texts(const char* heading) {
        const CGridIterator& grid = m_window->Grid();
        long column = -1;
        for (long c = 0; c < grid.GetColumnCount(); ++c)
            if (std::string(grid.GetCellView(0, c)) == heading) column = c;
        EXPECT_GE(column, 0) << heading;
        std::vector<std::string> texts;
        for (long r = 1; column >= 0 && r <= m_window->Engine().ResultRowCount(); ++r)
            texts.emplace_back(grid.GetDisplayText(r, column));
        return texts;
    }

    // The values of the column headed heading, one per result row.
    std::vector<double> Values(const char* heading) {
        const CGridIterator& grid = m_window->Grid();
        long column = -1;
        for (long c = 0; c < grid.GetColumnCount(); ++c)
            if (std::string(grid.GetCellView(0, c)) == heading) column = c;
        EXPECT_GE(column, 0) << heading;
        std::vector<double> values;
        for (long r = 1; column >= 0 && r <= m_window->Engine().ResultRowCount(); ++r)
            if (const std::string cell(grid.GetCellView(r, column)); !cell.empty())
                values.push_back(std::stod(cell));
        return values;
    }

    std::unique_ptr<testdb::TestDatabase> m_db;
    OwnerWindow m_owner;
    Records m_records;
    std::unique_ptr<CQueryWindow> m_window;
    MessageLog m_said;
};

// Field, operator and value chosen as the engineer does, then the piece added with "AND".
void AddPiece(QWidget& dialog, const char* heading, int op, const char* value) {
    auto& fields = *FindControl<QComboBox>(dialog, 1047);
    fields.setCurrentIndex(fields.findText(heading));
    emit fields.activated(fields.currentIndex());
    FindControl<QComboBox>(dialog, 1086)->setCurrentIndex(op);
    FindControl<QLineEdit>(dialog, 1088)->setText(value);
    FindControl<QAbstractButton>(dialog, 1014)->click();
}

TEST_P(QueryWindowFilterTest, NarrowsOneQueryAndRefusesWritingConditionsAndWordsForNumbers) {
    const long all = m_window->Engine().ResultRowCount();
    std::vector<double> levels = Values("水位(m)");
    ASSERT_GT(levels.size(), 2u);
    std::sort(levels.begin(), levels.end());
    const std::string middleText = QString::number(levels[levels.size() / 2], 'f', 3).toStdString();
    const double middle = std::stod(middleText);
    ASSERT_LT(levels.front(), middle) << "the demo levels vary over the day";

    // 水位 at least the middle level: only those rows, and the next refresh shows all again.
    Filter([&](QWidget& dialog) {
        AddPiece(dialog, "水位(m)", 1, middleText.c_str());
        return ui::IDOK;
    });
    const std::vector<double> narrowed = Values("水位(m)");
    EXPECT_GT(narrowed.size(), 0u);
    EXPECT_LT(long(narrowed.size()), all);
    for (double level : narrowed)
        EXPECT_GE(level, middle);
    EXPECT_TRUE(m_said.texts.empty()) << m_said.texts.front();
    m_window->OnCommand(CQueryWindow::kCmdRefresh);
    EXPECT_EQ(m_window->Engine().ResultRowCount(), all) << "the condition served one query only";

    // A word typed for a number is refused at once and adds no piece.
    Filter([&](QWidget& dialog) {
        AddPiece(dialog, "水位(m)", 1, "1 OR 1=1");
        EXPECT_EQ(FindControl<QPlainTextEdit>(dialog, 1084)->toPlainText().toStdString(), "");
        return ui::IDCANCEL;
    });
    ASSERT_EQ(m_said.texts.size(), 1u);
    EXPECT_EQ(m_said.texts[0], "\"1 OR 1=1\" 不是数字: 数值字段的条件值只能是数字。");
    m_said.texts.clear();

    // Conditions typed by hand that would write: refused in the dialog, nothing written, the
    // window's rows as they were.
    const testdb::Snapshot before = testdb::TakeSnapshot(GetParam());
    for (const char* typed :
         {"1=1; DELETE FROM KES.RIVER_HOUR", "1=1; COMMIT; DELETE FROM KES.RIVER_HOUR",
          "Z>0) ; UPDATE KES.RIVER_HOUR SET Z=0 WHERE (1=1", "1=1; DROP TABLE KES.RIVER_HOUR"}) {
        m_said.texts.clear();
        Filter([typed](QWidget& dialog) {
            FindControl<QPlainTextEdit>(dialog, 1084)->setPlainText(typed);
            return ui::IDOK;
        });
        ASSERT_EQ(m_said.texts.size(), 1u) << typed;
        EXPECT_TRUE(m_said.texts[0].starts_with("条件不能使用: ")) << m_said.texts[0];
        EXPECT_EQ(m_window->Engine().ResultRowCount(), all) << typed;
    }
    EXPECT_EQ(testdb::TakeSnapshot(GetParam()), before);
}

TEST_P(QueryWindowFilterTest, ARequestMadeWhileRowsAreReadRunsNextWithItsOwnCondition) {
    // Eleven years of hours before the demo's own for the first station, so that its rows take
    // a while to read.
    const char* history =
        GetParam() == testdb::Kind::Sqlite
            ? "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 99999)"
              " INSERT INTO KES.RIVER_HOUR (STCD,TM,Z,Q) SELECT 60105400,"
              " datetime('2010-01-01 00:00:00', '+' || i || ' hours'), 40 + (i % 100) / 10.0, 900 FROM n"
            : "INSERT INTO KES.RIVER_HOUR (STCD,TM,Z,Q) SELECT 60105400,"
              " timestamp '2010-01-01 00:00:00' + i * interval '1 hour', 40 + (i % 100) / 10.0, 900"
              " FROM generate_series(0, 99999) AS n(i)";
    std::vector<std::string> reply;
    ASSERT_TRUE(testdb::Run(history, reply)) << (reply.empty() ? "" : reply[0]);
    m_window.reset();
    OpenWindow("2010-01-01 00:00:00");
    const long all = m_window->Engine().ResultRowCount();
    ASSERT_GT(all, 100000);
    // The window takes no input while it reads, but commands reach it (another element's right
    // click, the host).
    auto filterBy = [this](const char* condition) {
        ui::SetModalResponder([condition](CWnd& dialog) {
            FindControl<QPlainTextEdit>(dialog.GetWidget(), 1084)->setPlainText(condition);
            return ui::IDOK;
        });
        m_window->OnCommand(CQueryWindow::kCmdFilter);
    };

    // 筛选 while a plain refresh reads: the query that runs next is narrowed by the condition.
    ASSERT_TRUE(WhileReading([&] { m_window->OnCommand(CQueryWindow::kCmdRefresh); },
                             [&] { filterBy("STCD=60110000"); }));
    // One station's rows, fewer than the first station has.
    const std::vector<std::string> stations = Texts("站名");
    ASSERT_FALSE(stations.empty());
    EXPECT_LT(long(stations.size()), 100000);
    for (const std::string& station : stations)
        ASSERT_EQ(station, stations.front());

    // 刷新 while a narrowed query reads: the query that runs next shows every row.
    ASSERT_TRUE(WhileReading([&] { filterBy("STCD=60105400"); },
                             [&] { m_window->OnCommand(CQueryWindow::kCmdRefresh); }));
    EXPECT_EQ(m_window->Engine().ResultRowCount(), all);
    EXPECT_TRUE(m_said.texts.empty()) << m_said.texts.front();
}

std::string BackendName(const ::testing::TestParamInfo<testdb::Kind>& info) {
    return info.param == testdb::Kind::Sqlite ? "SQLite" : "PostgreSQL";
}

INSTANTIATE_TEST_SUITE_P(Backends, QueryWindowFilterTest,
                         ::testing::Values(testdb::Kind::Sqlite, testdb::Kind::Postgres), BackendName);

} // namespace
