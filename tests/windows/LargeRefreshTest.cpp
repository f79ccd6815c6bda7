// A refresh of 200,000 rows in the table query window: the first screen shows the first rows, the
// view scrolls to the last row and reads it from the grid, and nothing is made per cell on the
// way (the view's model is a window onto the window's grid). Stopped halfway (Esc or 停止), such
// a refresh leaves the previous grid as it was. On SQLite and on the PostgreSQL server.
#include "Hooks.h"
#include "QueryWindow.h"
#include "RefreshWait.h"
#include "TestDatabase.h"
#include "WindowTestSupport.h"

#include <QApplication>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

namespace {

constexpr long kStations = 20;
constexpr long kHours = 10'000;
constexpr long kRows = kStations * kHours;

// The settings tables and an hourly table of 20 stations x 10,000 hours, made by the database
// itself in one statement.
const char* const kTables[] = {
    "CREATE TABLE KES.SET_DB_TABLE_NAME (TNAME VARCHAR(40), STA INTEGER, USERNAME VARCHAR(40), OBTYPE "
    "INTEGER,"
    " SELECTMODE INTEGER, DISMODEID INTEGER, SHOW VARCHAR(400))",
    "CREATE TABLE KES.SET_TABLE_COL_NAME (TNAME VARCHAR(40), COLNAME VARCHAR(40), COLNAMECH VARCHAR(40),"
    " COLNAMELEN INTEGER, DATATYPEID INTEGER, DATASIZE INTEGER, DATADECIMAL INTEGER, NULLTYPEID INTEGER,"
    " PROJMODEID INTEGER, DATADESC VARCHAR(80), POINT INTEGER, RESTRICTDATA VARCHAR(400))",
    "CREATE TABLE KES.SET_DATAPRO_COLOR (DATAPROID INTEGER, COLOR INTEGER, DISSTA INTEGER)",
    "CREATE TABLE KES.RIVER_HOUR (STCD INTEGER, TM TIMESTAMP, Z DOUBLE PRECISION, Q DOUBLE PRECISION)",
    "INSERT INTO KES.SET_DB_TABLE_NAME VALUES ('RIVER_HOUR',1,'',0,2,0,'')",
    "INSERT INTO KES.SET_TABLE_COL_NAME VALUES ('RIVER_HOUR','STCD','站码',8,4,8,0,0,0,'',1,'[PK(ID)]'),"
    " ('RIVER_HOUR','TM','时间',19,11,19,0,0,0,'',2,'[PK(TIME)]'),"
    " ('RIVER_HOUR','Z','水位',8,8,8,2,0,0,'',3,''), ('RIVER_HOUR','Q','流量',8,8,8,2,0,0,'',4,'')",
};
const char* const kRowsSqlite =
    "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 199999)"
    " INSERT INTO KES.RIVER_HOUR SELECT 60100000 + (i / 10000) * 100,"
    " datetime('2024-01-01 00:00:00', '+' || (i % 10000) || ' hours'), 40 + (i % 1000) / 100.0, 1000 + i % "
    "777"
    " FROM n";
const char* const kRowsPostgres = "INSERT INTO KES.RIVER_HOUR SELECT 60100000 + (i / 10000) * 100,"
                                  " timestamp '2024-01-01 00:00:00' + (i % 10000) * interval '1 hour', 40 + "
                                  "(i % 1000) / 100.0, 1000 + i % 777"
                                  " FROM generate_series(0, 199999) AS n(i)";

class LargeRefreshTest : public ::testing::TestWithParam<testdb::Kind> {
protected:
    void SetUp() override {
        TESTDB_OPEN(m_db, GetParam());
        std::vector<const char*> statements(std::begin(kTables), std::end(kTables));
        statements.push_back(GetParam() == testdb::Kind::Sqlite ? kRowsSqlite : kRowsPostgres);
        for (const char* sql : statements) {
            std::vector<std::string> reply;
            ASSERT_TRUE(testdb::Run(sql, reply)) << sql << (reply.empty() ? "" : reply[0]);
        }
        m_owner.show();
    }
    void TearDown() override { m_window.reset(); }

    CQueryWindow& OpenAllStations(long stations = kStations) {
        m_window = std::make_unique<CQueryWindow>();
        CQuerySettings& q = m_window->QuerySettings();
        q.m_tableName = "RIVER_HOUR";
        SelectStations(q, stations);
        q.m_startTimeText = "2024-01-01 00:00:00";
        q.m_endTimeText = "2025-02-20 15:00:00";
        q.m_displayMode = kDisplayGivenStations;
        q.m_accessMode = "READ";
        m_window->SetRecords(&m_records.window, &m_records.options, &m_records.face);
        m_window->ApplySettings();
        EXPECT_TRUE(m_window->Create(&m_owner, 0x4000, CRect(0, 0, 1020, 695), kElementWindowStyle));
        return *m_window;
    }

    static void SelectStations(CQuerySettings& q, long stations) {
        q.m_stations.RemoveAll();
        for (long s = 0; s < stations; ++s)
            q.m_stations.Add(CString(std::to_string(60100000 + s * 100)));
    }
    static void PressRefresh(CQueryWindow& w) {
        CNotify refresh;
        refresh.controlId = CUseGridWindow::kBarId;
        refresh.code = kNotifyRefresh;
        w.OnChildNotify(refresh);
    }
    // Presses 刷新 and, while the rows are being read, calls act once with the running refresh
    // as soon as when() says so; answers whether act was called.
    static bool RefreshAndAct(CQueryWindow& w, const std::function<bool(CRefreshWait&)>& when,
                              const std::function<void(CRefreshWait&)>& act) {
        bool acted = false;
        QTimer watch;
        watch.setInterval(0);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            CRefreshWait* running = w.RunningRefresh();
            if (acted || !running || !when(*running)) return;
            acted = true;
            act(*running);
        });
        watch.start();
        PressRefresh(w);
        return acted;
    }
    void PressRefreshAndCloseWhileReading(CQueryWindow& w) {
        bool closed = false;
        QTimer watch;
        watch.setInterval(0);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            CRefreshWait* running = m_window ? m_window->RunningRefresh() : nullptr;
            if (closed || !running || running->RowsRead() == 0) return;
            closed = true;
            m_window.reset();
        });
        watch.start();
        PressRefresh(w);
        EXPECT_TRUE(closed);
    }
    static QString Shown(const CGridCtrl& ctrl, long row, long col) {
        return ctrl.model()->data(ctrl.GetModel().IndexOf(row, col)).toString();
    }
    // True when the cell lies wholly inside the view's viewport.
    static bool Visible(const CGridCtrl& ctrl, long row, long col) {
        const QRect cell = ctrl.visualRect(ctrl.GetModel().IndexOf(row, col));
        return cell.isValid() && ctrl.viewport()->rect().contains(cell);
    }

    struct Records {
        CWindowSettings window;
        CQueryOptions options;
        CInterfaceSettings face;
    };

    std::unique_ptr<testdb::TestDatabase> m_db;
    OwnerWindow m_owner;
    Records m_records;
    std::unique_ptr<CQueryWindow> m_window;
    MessageLog m_log;
};

TEST_P(LargeRefreshTest, TwoHundredThousandRowsShowTheFirstScreenAndScrollToTheLastRow) {
    CQueryWindow& w = OpenAllStations();
    PressRefresh(w);
    QApplication::processEvents();
    EXPECT_EQ(w.RunningRefresh(), nullptr);
    EXPECT_TRUE(m_log.texts.empty()) << m_log.texts.front();

    CGridCtrl& ctrl = *w.GridCtrl();
    const CGridIterator& grid = w.Grid();
    ASSERT_EQ(grid.GetRowCount(), kRows + 1);
    EXPECT_EQ(grid.GetCellView(0, 2), "时间");
    // The view reads the window's own grid; no item, widget or object is made per cell.
    EXPECT_EQ(&ctrl.GetGrid(), &grid);
    EXPECT_EQ(ctrl.model(), &ctrl.GetModel());
    EXPECT_EQ(qobject_cast<QTableWidget*>(&ctrl), nullptr);
    EXPECT_EQ(ctrl.model()->rowCount(), int(kRows));
    EXPECT_EQ(ctrl.model()->columnCount(), int(grid.GetColumnCount() - ctrl.GetModel().HeaderColumns()));
    EXPECT_LT(ctrl.findChildren<QObject*>().size(), 100);

    // First screen: the first rows of the first station, drawn without error.
    const QImage first = ctrl.grab().toImage();
    EXPECT_FALSE(first.isNull());
    EXPECT_EQ(ctrl.rowAt(0), 0);
    EXPECT_TRUE(Visible(ctrl, 1, 2));
    EXPECT_EQ(Shown(ctrl, 1, 1), "60100000");
    EXPECT_EQ(Shown(ctrl, 1, 2).left(13), "2024-01-01 00");

    ctrl.scrollToBottom();
    QApplication::processEvents();
    ctrl.repaint();
    EXPECT_TRUE(Visible(ctrl, kRows, 1));
    EXPECT_TRUE(Visible(ctrl, kRows, 2));
    EXPECT_FALSE(Visible(ctrl, 1, 1));
    // The last row is the last hour of the last station, read through the model from the grid.
    EXPECT_EQ(Shown(ctrl, kRows, 1), "60101900");
    EXPECT_EQ(Shown(ctrl, kRows, 2).left(13), "2025-02-20 15");
    for (long c = 1; c < grid.GetColumnCount(); ++c)
        EXPECT_EQ(Shown(ctrl, kRows, c).toStdString(), std::string(grid.GetDisplayText(kRows, c))) << c;
    EXPECT_LT(ctrl.findChildren<QObject*>().size(), 100);
}

TEST_P(LargeRefreshTest, RefreshStoppedHalfwayLeavesThePreviousGridIntact) {
    // The previous grid: two stations.
    CQueryWindow& w = OpenAllStations(2);
    PressRefresh(w);
    const CGridIterator& grid = w.Grid();
    const long before = grid.GetRowCount();
    ASSERT_EQ(before, 2 * kHours + 1);
    const std::string lastStation(grid.GetDisplayText(before - 1, 1));
    const std::string lastTime(grid.GetDisplayText(before - 1, 2));
    ASSERT_EQ(lastStation, "60100100");

    // All twenty stations, stopped by Esc on the grid once rows are coming in.
    SelectStations(w.QuerySettings(), kStations);
    long readWhenStopped = 0;
    QString shownWhenStopped;
    CGridCtrl& ctrl = *w.GridCtrl();
    const bool stopped = RefreshAndAct(
        w, [](CRefreshWait& r) { return r.RowsRead() > 0; },
        [&](CRefreshWait& r) {
            readWhenStopped = r.RowsRead();
            shownWhenStopped = r.ProgressText();
            QTest::keyClick(&ctrl, Qt::Key_Escape);
            EXPECT_TRUE(r.Stopped());
        });
    ASSERT_TRUE(stopped);
    EXPECT_GT(readWhenStopped, 0);
    EXPECT_LT(readWhenStopped, kRows);
    EXPECT_TRUE(shownWhenStopped.contains(QString::fromUtf8("已读取"))) << shownWhenStopped.toStdString();
    EXPECT_EQ(w.RunningRefresh(), nullptr);

    // The grid, the view and the rows an edit would write back from are those of before.
    EXPECT_EQ(grid.GetRowCount(), before);
    EXPECT_EQ(std::string(grid.GetDisplayText(before - 1, 1)), lastStation);
    EXPECT_EQ(std::string(grid.GetDisplayText(before - 1, 2)), lastTime);
    EXPECT_EQ(ctrl.model()->rowCount(), int(before - 1));
    EXPECT_EQ(w.Engine().ResultRowCount(), before - 1);
    EXPECT_TRUE(m_log.texts.empty()) << m_log.texts.front();

    // 停止 from the strip over the grid does the same; the next 刷新 then reads everything.
    ASSERT_TRUE(RefreshAndAct(
        w, [](CRefreshWait&) { return true; },
        [](CRefreshWait& r) {
            ASSERT_NE(r.StopButton(), nullptr);
            EXPECT_EQ(r.StopButton()->text(), QString::fromUtf8("停止"));
            r.StopButton()->click();
        }));
    EXPECT_EQ(grid.GetRowCount(), before);
    PressRefresh(w);
    EXPECT_EQ(grid.GetRowCount(), kRows + 1);
    EXPECT_EQ(std::string(grid.GetDisplayText(kRows, 1)), "60101900");
}

TEST_P(LargeRefreshTest, WindowGoingAwayWhileRowsAreReadStopsTheQueryAndLeavesNothingBehind) {
    // The display is closed while 刷新 waits for the rows: the window goes, the query stops, and
    // the refresh returns without touching the window.
    PressRefreshAndCloseWhileReading(OpenAllStations());
    EXPECT_EQ(m_owner.findChildren<QWidget*>().size(), 0);
    // The owner lives on and takes a new window.
    CQueryWindow& again = OpenAllStations(1);
    PressRefresh(again);
    EXPECT_EQ(again.Grid().GetRowCount(), kHours + 1);
}

INSTANTIATE_TEST_SUITE_P(Backends, LargeRefreshTest,
                         ::testing::Values(testdb::Kind::Sqlite, testdb::Kind::Postgres),
                         [](const auto& info) {
                             return info.param == testdb::Kind::Sqlite ? "Sqlite" : "Postgres";
                         });

} // namespace
