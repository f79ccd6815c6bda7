// The point query window as an element in mode 1 makes it, on the offscreen platform over the
// compact demo database (SQLite and PostgreSQL): the grid equals what `vexorquery points`
// prints, the collapsed bar, the menu with export and print, saved column widths, access
// modes, the run-time conditions of "查询条件", and the element's drive records, moves and show/hide.
#include "PointQueryWindow.h"

#include "DataSource.h"
#include "CompactDemo.h"
#include "FormControls.h"
#include "Hooks.h"
#include "HostServices.h"
#include "Login.h"
#include "PointCondDlg.h"
#include "PopupMenu.h"
#include "PrintDialog.h"
#include "TestDatabase.h"
#include "TimeContorl.h"
#include "VexorQueryElemOBJ.h"
#include "WindowFactory.h"
#include "WindowTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QPrinter>
#include <QProcess>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>
#include <sodium.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

class PointQueryWindowTest : public ::testing::TestWithParam<testdb::Kind> {
protected:
    void SetUp() override {
        kes::SetPasswordHashLimits(crypto_pwhash_OPSLIMIT_MIN, crypto_pwhash_MEMLIMIT_MIN);
        TESTDB_OPEN_DEMO(m_db, GetParam());
        m_uri = testdb::DemoUri(*m_db);
        InstallElementWindows();
        m_owner.show();
        CHostServices services;
        services.status = [this](const CString& text) { m_status.push_back(text.str()); };
        m_oldServices = SetHostServices(services);

        m_element.m_rect = CRect(10, 10, 810, 510);
        m_element.m_interfaceSettings.m_mode = kModePointQuery;
        CPointQuerySettings& s = m_element.m_pointSettings;
        s.m_dataType = kPointHourly;
        s.m_accessMode = kPointRead;
        for (const char* number : {"10021", "10022", "10051", "99999"}) {
            auto point = std::make_unique<CPointEntry>();
            point->m_number = number;
            s.m_points.Add(std::move(point));
        }
        m_element.m_querySettings.m_startTimeText = "2026-11-29 00:00:00";
        m_element.m_querySettings.m_endTimeText = "2026-11-30 00:00:00";
    }
    void TearDown() override {
        RemoveElementWindows();
        SetHostServices(m_oldServices);
        ui::SetSaveFileResponder({});
        ui::SetPrintDialogResponder({});
        ui::SetPopupMenuResponder({});
        kes::SetCredentialResponder({});
        kes::LogOut();
    }

    CPointQueryWindow* Window() { return dynamic_cast<CPointQueryWindow*>(m_element.m_pointWindow.get()); }

    // The window's grid as `vexorquery points --format tsv` prints it.
    static std::string Tsv(const CGridIterator& grid) {
        std::string text;
        for (long r = 0; r < grid.GetRowCount(); ++r) {
            for (long c = 0; c < grid.GetColumnCount(); ++c)
                text += std::string(c ? "\t" : "") + std::string(grid.GetDisplayText(r, c));
            text += "\n";
        }
        return text;
    }

    std::string RunPoints(const QStringList& args) {
        QProcess p;
        p.start(VEXORQUERY_EXE, QStringList{"points", "--db", QString::fromStdString(m_uri)} + args);
        EXPECT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        return p.readAllStandardOutput().toStdString();
    }

    // What the bar sends its window.
    // Types text into a data cell as the grid's editor does, then moves the current cell.
    static void Type(CPointQueryWindow& window, long row, long col, const char* text) {
        CGridCtrl& ctrl = *window.GridCtrl();
        ctrl.SetFocusCell(row, col);
        ctrl.model()->setData(ctrl.model()->index(int(row - 1), int(col - 1)), QString::fromUtf8(text));
    }
    static void ClickCell(CPointQueryWindow& window, long row, long col) {
        CGridCtrl& ctrl = *window.GridCtrl();
        const QRect cell = ctrl.visualRect(ctrl.model()->index(int(row - 1), int(col - 1)));
        QTest::mouseClick(ctrl.viewport(), Qt::LeftButton, {}, cell.center());
    }

    static void BarSends(CPointQueryWindow& window, int code) {
        CNotify notify;
        notify.controlId = CUseGridWindow::kBarId;
        notify.code = code;
        window.OnChildNotify(notify);
    }
    // A right click on the grid's data cell (row, col).
    static void RightClick(CPointQueryWindow& window, long row, long col) {
        CGridCtrl& ctrl = *window.GridCtrl();
        const QPoint at = ctrl.visualRect(ctrl.model()->index(int(row - 1), int(col - 1))).center();
        QContextMenuEvent menu(QContextMenuEvent::Mouse, at, ctrl.viewport()->mapToGlobal(at));
        QApplication::sendEvent(ctrl.viewport(), &menu);
    }

    std::unique_ptr<testdb::TestDatabase> m_db;
    std::string m_uri;
    OwnerWindow m_owner;
    CVexorQueryElemOBJ m_element;
    std::vector<std::string> m_status;
    CHostServices m_oldServices;
};

TEST_P(PointQueryWindowTest, TheElementShowsTheGridThatTheCommandPrints) {
    m_element.SetParentWnd(&m_owner);
    CPointQueryWindow* window = Window();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->HasSystemWindow());
    CWnd* widget = window->Widget();
    EXPECT_EQ(widget->GetWidget().property("windowClass").toString(), "CUseGridWindow");
    ASSERT_NE(widget->GetDlgItem(CUseGridWindow::kGridId), nullptr);
    ASSERT_NE(widget->GetDlgItem(CUseGridWindow::kBarId), nullptr);

    const CGridIterator& grid = window->Grid();
    EXPECT_EQ(grid.GetRowCount(), 1 + 25);
    EXPECT_EQ(grid.GetColumnCount(), 2 + 4);
    EXPECT_EQ(Tsv(grid), RunPoints({"--points", "10021,10022,10051,99999", "--type", "hour", "--from",
                                    "2026-11-29", "--to", "2026-11-30", "--format", "tsv"}));
    // The last hour is on the axis but its values lie after the request's end.
    EXPECT_NE(grid.GetDisplayText(1, 2), " ");
    EXPECT_EQ(grid.GetDisplayText(25, 2), " ");
    // The point that has no data is named above the grid and in the status line.
    ASSERT_NE(window->NoDataStrip(), nullptr);
    EXPECT_TRUE(window->NoDataStrip()->isVisible());
    EXPECT_EQ(window->NoDataStrip()->text().toStdString(), "无数据的测点: 99999");
    EXPECT_NE(std::find_if(m_status.begin(), m_status.end(),
                           [](const std::string& s) { return s.find("99999") != std::string::npos; }),
              m_status.end());
}

TEST_P(PointQueryWindowTest, TheBarStartsCollapsedAndFollowsItsNotifications) {
    m_element.SetParentWnd(&m_owner);
    CPointQueryWindow* window = Window();
    ASSERT_NE(window, nullptr);
    QWidget& area = window->Widget()->GetWidget();
    EXPECT_EQ(window->BarWidth(), 0);
    EXPECT_FALSE(window->Bar()->isVisible());
    EXPECT_EQ(window->GridCtrl()->geometry().right(), area.contentsRect().right());

    BarSends(*window, 1134);
    EXPECT_EQ(window->BarWidth(), CPointQueryWindow::kBarWidth);
    EXPECT_TRUE(window->Bar()->isVisible());
    EXPECT_EQ(window->Bar()->width(), CPointQueryWindow::kBarWidth);
    EXPECT_EQ(window->GridCtrl()->geometry().right() + 2 + CPointQueryWindow::kBarWidth,
              area.contentsRect().right());
    BarSends(*window, 1132); // asks for nothing here
    BarSends(*window, 1133);
    EXPECT_EQ(window->BarWidth(), 0);
    EXPECT_FALSE(window->Bar()->isVisible());
    BarSends(*window, 1134);
    EXPECT_EQ(window->BarWidth(), CPointQueryWindow::kBarWidth);
}

TEST_P(PointQueryWindowTest, InsertAndScrollingWaitAndLeaveThePeriodsAsTheyAre) {
    m_element.m_pointSettings.m_accessMode = kPointWrite;
    m_element.m_querySettings.m_endTimeText = "2026-12-02 00:00:00";
    m_element.SetParentWnd(&m_owner);
    CPointQueryWindow* window = Window();
    ASSERT_NE(window, nullptr);
    std::vector<bool> waits;
    const ui::WaitCursorResponder old =
        ui::SetWaitCursorResponder([&](bool begin) { waits.push_back(begin); });
    CGridCtrl& ctrl = *window->GridCtrl();
    const long rows = window->Grid().GetRowCount();
    ASSERT_GT(rows, 48);

    // The rows are the periods of the axis: Insert adds none.
    ctrl.setFocus();
    ASSERT_TRUE(ctrl.SetFocusCell(3, 2));
    waits.clear();
    QTest::keyClick(&ctrl, Qt::Key_Insert);
    EXPECT_EQ(window->Grid().GetRowCount(), rows);
    EXPECT_EQ(waits, (std::vector<bool>{true, false}));

    waits.clear();
    ASSERT_GT(ctrl.verticalScrollBar()->maximum(), 0);
    ctrl.verticalScrollBar()->setValue(ctrl.verticalScrollBar()->maximum());
    ASSERT_FALSE(waits.empty());
    EXPECT_EQ(std::count(waits.begin(), waits.end(), true), std::count(waits.begin(), waits.end(), false));
    EXPECT_EQ(ctrl.geometry().right(), window->Widget()->GetWidget().contentsRect().right());
    ui::SetWaitCursorResponder(old);
}

TEST_P(PointQueryWindowTest, TheMenuExportsAndPrintsAndGreysChangesWhenReading) {
    m_element.SetParentWnd(&m_owner);
    CPointQueryWindow* window = Window();
    ASSERT_NE(window, nullptr);
    std::vector<ui::MenuItem> offered;
    int choice = CPointQueryWindow::kCmdExport;
    ui::SetPopupMenuResponder([&](const std::vector<ui::MenuItem>& items, CPoint) {
        offered = items;
        return choice;
    });
    const std::string path = m_db->dir() + "/points";
    ui::SetSaveFileResponder([&](const ui::SaveFileRequest&, ui::SaveFileAnswer& answer) {
        answer.path = path;
        answer.filterIndex = 2; // text
        return ui::IDOK;
    });
    RightClick(*window, 3, 2);
    ASSERT_EQ(offered.size(), 5u);
    EXPECT_EQ(offered[0].text.str(), "修改");
    EXPECT_FALSE(offered[0].enabled);
    EXPECT_FALSE(offered[1].enabled);
    std::ifstream file(path + ".txt", std::ios::binary);
    ASSERT_TRUE(file.good());
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_NE(text.str().find("2026-11-29 02\t"), std::string::npos);

    // Printing goes to a PDF here.
    const std::string pdf = m_db->dir() + "/points.pdf";
    ui::SetPrintDialogResponder([&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
        return true;
    });
    choice = CPointQueryWindow::kCmdPrint;
    RightClick(*window, 3, 2);
    EXPECT_GT(std::filesystem::file_size(pdf), 1000u);
}

TEST_P(PointQueryWindowTest, AccessModesDecideWhetherCellsMayBeEdited) {
    m_element.SetParentWnd(&m_owner);
    ASSERT_NE(Window(), nullptr);
    EXPECT_FALSE(Window()->GridCtrl()->IsEditable());
    m_element.m_pointSettings.m_accessMode = kPointWrite; // "读/写" waits for a login (below)
    m_element.InitWindow();
    ASSERT_NE(Window(), nullptr);
    EXPECT_TRUE(Window()->GridCtrl()->IsEditable());
}

TEST_P(PointQueryWindowTest, ColumnWidthsAreKeptWithTheElementAndComeBack) {
    m_element.m_interfaceSettings.m_columnWidths.Add(30);
    m_element.m_interfaceSettings.m_columnWidths.Add(110);
    m_element.SetParentWnd(&m_owner);
    CPointQueryWindow* window = Window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->GridCtrl()->GetColumnWidth(0), 30);
    EXPECT_EQ(window->GridCtrl()->GetColumnWidth(5), 110); // beyond the list: the last width
    // The user widens a column: the widths are saved at once, and a new window takes them.
    window->GridCtrl()->horizontalHeader()->resizeSection(2, 150);
    ASSERT_EQ(m_element.m_interfaceSettings.m_columnWidths.GetSize(), 6);
    EXPECT_EQ(m_element.m_interfaceSettings.m_columnWidths[3], 150u);
    m_element.InitWindow();
    ASSERT_NE(Window(), nullptr);
    EXPECT_EQ(Window()->GridCtrl()->GetColumnWidth(3), 150);
}

TEST_P(PointQueryWindowTest, DriveRecordsMoveThePeriodAndTheElementPlacesItsWindow) {
    m_element.SetParentWnd(&m_owner);
    ASSERT_NE(Window(), nullptr);
    // A period record (start, then a length in days) and a show record query it at once.
    CDrawObjectDrive period;
    period.kind = 10;
    period.value1 = COleDateTime(2026, 11, 28, 10, 30, 0).m_dt;
    period.value2 = 0.25;
    m_element.ObjectDrive(period);
    CDrawObjectDrive station;
    station.kind = 8;
    station.value1 = 1.0;
    station.value2 = 10021;
    m_element.ObjectDrive(station);
    CDrawObjectDrive show;
    show.kind = 0;
    show.subKind = 2;
    m_element.ObjectDrive(show);
    ASSERT_NE(Window(), nullptr);
    const CGridIterator& grid = Window()->Grid();
    // 10:00 to 17:30: the hours 10 to 17.
    ASSERT_EQ(grid.GetRowCount(), 1 + 8);
    EXPECT_EQ(grid.GetDisplayText(1, 1), "2026-11-28 10");
    EXPECT_EQ(grid.GetDisplayText(8, 1), "2026-11-28 17");

    m_element.MoveTo(CRect(40, 60, 640, 460));
    const QRect placed = Window()->Widget()->GetWidget().geometry();
    EXPECT_EQ(placed.left(), 40);
    EXPECT_EQ(placed.width(), 600);
    m_element.HideWindow();
    EXPECT_FALSE(Window()->Widget()->GetWidget().isVisible());
    m_element.ShowWindow();
    EXPECT_TRUE(Window()->Widget()->GetWidget().isVisible());
}

TEST_P(PointQueryWindowTest, AfterALoginTypedValuesAreStoredWhenTheRowIsLeft) {
    m_element.m_pointSettings.m_accessMode = kPointReadWrite;
    m_element.SetParentWnd(&m_owner);
    CPointQueryWindow* window = Window();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->GridCtrl()->IsEditable());
    MessageLog messages;
    // A user who may only read is refused; one who may modify data is let in.
    kes::SetCredentialResponder([](const CString&, kes::Credentials& c) {
        c.user = "viewer";
        c.password = "viewer";
        return true;
    });
    ClickCell(*window, 3, 2);
    EXPECT_FALSE(window->GridCtrl()->IsEditable());
    kes::SetCredentialResponder([](const CString&, kes::Credentials& c) {
        c.user = "admin";
        c.password = "admin";
        return true;
    });
    ClickCell(*window, 3, 2);
    ASSERT_TRUE(window->GridCtrl()->IsEditable());
    EXPECT_EQ(messages.texts.front(), "是否进行数据修改");

    Type(*window, 3, 2, "45.5");
    ClickCell(*window, 5, 2); // another row: row 3 is written
    EXPECT_EQ(testdb::Rows("SELECT INSTV,INSTQ FROM KES.HOURDB WHERE SENID=10021 AND TIME={ts '2026-11-29 "
                           "02:00:00'}"),
              std::vector<std::string>{"45.5,3,"});
    EXPECT_EQ(window->Grid().GetDisplayText(3, 2), "45.500");
    EXPECT_EQ(
        testdb::Rows("SELECT COUNT(*) FROM KES.SCHLOG WHERE LOGINFO LIKE '手工修改 10021 2026-11-29 02 %'"),
        std::vector<std::string>{"1,"});

    // What is no number is not written, and the cell shows the stored value again.
    Type(*window, 5, 3, "abc");
    ClickCell(*window, 7, 2);
    EXPECT_EQ(messages.texts.back().rfind("写数据失败\n", 0), 0u) << messages.texts.back();
    EXPECT_NE(window->Grid().GetDisplayText(5, 3), "abc");
}

// "查询条件" from the grid's menu: "数据查询条件" takes 日数据 and a period, "刷新" shows daily
// rows; a start after the end is refused, and a dialog left without 刷新 changes nothing;
// points without a common statistic are warned about.
TEST_P(PointQueryWindowTest, ConditionsFromTheMenuChooseDailyDataAndAPeriod) {
    CPointQuerySettings& s = m_element.m_pointSettings;
    for (int i = 0; i < s.m_points.GetSize(); ++i)
        for (int k = 0; k < 4; ++k)
            s.m_points[i].m_values[k] = k == kPointInstant ? 0 : 1;
    m_element.SetParentWnd(&m_owner);
    CPointQueryWindow* window = Window();
    ASSERT_NE(window, nullptr);
    std::vector<ui::MenuItem> offered;
    ui::SetPopupMenuResponder([&](const std::vector<ui::MenuItem>& items, CPoint) {
        offered = items;
        return CPointQueryWindow::kCmdConditions;
    });
    std::vector<std::string> messages;
    const ui::MessageBoxResponder oldMessages =
        ui::SetMessageBoxResponder([&](const CString& text, const CString&, unsigned) {
            messages.push_back(text.str());
            return ui::IDOK;
        });
    COleDateTime start(2026, 11, 20, 0, 0, 0);
    COleDateTime end(2026, 11, 25, 0, 0, 0);
    int opened = 0;
    bool instantEnabled = true;
    int shownStatistic = -2;
    const ui::ModalResponder oldModal = ui::SetModalResponder([&](CWnd& dialog) {
        ++opened;
        QWidget& form = dialog.GetWidget();
        EXPECT_EQ(form.windowTitle(), "数据查询条件");
        instantEnabled = FindControl(form, 1028)->isEnabled();
        shownStatistic = CheckedRadio(form, {1028, 1037, 1038, 1041});
        FindControl<QAbstractButton>(form, 1053)->click(); // 日数据
        EXPECT_EQ(FindControl<CTimeContorl>(form, CPointCondDlg::kStartTime)->GetPrecision(),
                  TIME_PRECISION_DAY);
        FindControl<CTimeContorl>(form, CPointCondDlg::kStartTime)->SetTime(start);
        FindControl<CTimeContorl>(form, CPointCondDlg::kEndTime)->SetTime(end);
        return ui::IDOK; // 刷新
    });

    RightClick(*window, 1, 2);
    ASSERT_EQ(opened, 1);
    EXPECT_NE(std::find_if(offered.begin(), offered.end(),
                           [](const ui::MenuItem& item) {
                               return item.id == CPointQueryWindow::kCmdConditions && item.text == "查询条件";
                           }),
              offered.end());
    EXPECT_FALSE(instantEnabled) << "no point offers the instantaneous value";
    EXPECT_EQ(shownStatistic, kPointAverage) << "the first statistic every point offers";
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(s.m_dataType, kPointDaily);
    EXPECT_EQ(s.m_valueKind, kPointAverage);
    const CGridIterator& grid = window->Grid();
    ASSERT_EQ(grid.GetRowCount(), 1 + 6) << "one row per day from the 20th to the 25th";
    EXPECT_EQ(grid.GetDisplayText(1, 1), "2026-11-20");
    EXPECT_EQ(grid.GetDisplayText(6, 1), "2026-11-25");
    EXPECT_NE(grid.GetDisplayText(1, 2), " ") << "the daily average of the first point";

    // The start after the end: refused and the dialog left without 刷新; neither that nor a
    // data source clicked before a Cancel changes the element's settings or the grid.
    const CPointQuerySettings before = s;
    std::swap(start, end);
    RightClick(*window, 1, 2);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "开始时间不能大于结束时间!");
    EXPECT_EQ(s, before);
    EXPECT_EQ(grid.GetRowCount(), 1 + 6);
    {
        const ui::ModalResponder answer = ui::SetModalResponder([&](CWnd& dialog) {
            ++opened;
            FindControl<QAbstractButton>(dialog.GetWidget(), 1017)->click(); // 月数据
            return ui::IDCANCEL;
        });
        RightClick(*window, 1, 2);
        ui::SetModalResponder(answer);
    }
    EXPECT_EQ(s, before);
    EXPECT_EQ(grid.GetRowCount(), 1 + 6);

    // A point that offers none of the statistics: the warning, and the dialog closes all the same.
    std::swap(start, end);
    s.m_points[0].m_values[kPointAverage] = 0;
    s.m_points[1].m_values[kPointMaximum] = 0;
    s.m_points[2].m_values[kPointMinimum] = 0;
    messages.clear();
    RightClick(*window, 1, 2);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "注意由于编辑时设置数据的特性错误，请重新编辑!");
    EXPECT_EQ(s.m_valueKind, -1);
    EXPECT_EQ(opened, 4);
    ui::SetModalResponder(oldModal);
    ui::SetMessageBoxResponder(oldMessages);
}

INSTANTIATE_TEST_SUITE_P(Backends, PointQueryWindowTest,
                         ::testing::Values(testdb::Kind::Sqlite, testdb::Kind::Postgres),
                         [](const auto& info) {
                             return info.param == testdb::Kind::Sqlite ? "Sqlite" : "Postgres";
                         });

} // namespace
