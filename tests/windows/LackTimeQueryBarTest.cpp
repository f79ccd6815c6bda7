// The missing-data bar in its query window on the offscreen platform, over the compact demo
// database on SQLite and PostgreSQL, driven like a user: stations picked, a unit and an
// interval chosen, "刷新" pressed; the grid must be what `vexorquery query --lack` prints for
// the same choice, and prints and exports like any grid.
#include "LackTimeQueryBar.h"
#include "ButtonST.h"
#include "ComboBox.h"
#include "DataSource.h"
#include "DemoWindowTest.h"
#include "InputBox.h"
#include "ListBox.h"
#include "PrintDialog.h"
#include "QueryDialog.h"
#include "QueryWindow.h"
#include "TestDatabase.h"
#include "TimeContorl.h"
#include "WindowTestSupport.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

class LackTimeQueryBarTest : public DemoWindowTest {
protected:
    void TearDown() override {
        m_window.reset();
        ui::SetInputBoxResponder({});
        ui::SetSaveFileResponder({});
        ui::SetPrintDialogResponder({});
    }

    CQueryWindow& Open() {
        m_options.m_missingDataStats = 1;
        m_window = std::make_unique<CQueryWindow>();
        CQuerySettings& q = m_window->QuerySettings();
        q.m_tableName = "RTEV";
        q.m_startTimeText = "2026-11-01 00:00:00";
        q.m_endTimeText = "2026-11-02 00:00:00";
        q.m_displayMode = kDisplayGivenStations;
        q.m_accessMode = "READ/WRITE";
        return Create();
    }
    CLackTimeQueryBar& Bar() { return BarOf<CLackTimeQueryBar>(*m_window); }
    template <class T> T& Control(int id) { return ChildOf<T>(Bar(), id); }
    static void Click(QWidget& w) { QTest::mouseClick(&w, Qt::LeftButton, {}, w.rect().center()); }
    // Clicks the station whose key is in parentheses (a click toggles it in a multiple list).
    void ClickStation(const char* key) {
        CListBox& list = Control<CListBox>(CLackTimeQueryBar::kStationList);
        for (int i = 0; i < list.GetCount(); ++i) {
            if (list.GetText(i).Find((std::string("(") + key + ")").c_str()) < 0) continue;
            list.scrollToItem(list.item(i));
            QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                              list.visualItemRect(list.item(i)).center());
            return;
        }
        ADD_FAILURE() << "no station " << key;
    }
    // The grid as `query --format tsv` prints it: one line a row, cells joined by a tab.
    static std::string Tsv(const CGridIterator& grid) {
        std::string text;
        for (long r = 0; r < grid.GetRowCount(); ++r) {
            for (long c = 0; c < grid.GetColumnCount(); ++c)
                text += (c ? "\t" : "") + std::string(grid.GetDisplayText(r, c));
            text += "\n";
        }
        return text;
    }
    // What the command line prints for the same choice; exit status in status.
    std::string Command(const QStringList& args, int& status) {
        QProcess p;
        p.start(VEXORQUERY_EXE, QStringList{"query", "--db", QString::fromStdString(m_uri), "--table", "RTEV",
                                            "--format", "tsv"} +
                                    args);
        status = p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        return p.readAllStandardOutput().toStdString() + p.readAllStandardError().toStdString();
    }

    MessageLog m_asked;
};

TEST_P(LackTimeQueryBarTest, TheGridShowsTheGapsTheCommandLinePrintsForTheSameChoice) {
    CQueryWindow& w = Open();
    CLackTimeQueryBar& bar = Bar();
    EXPECT_EQ(bar.property("windowClass").toString(), "CLackTimeQueryBar");
    EXPECT_EQ(w.PanelWidth(), m_face.m_panelWidth) << "the bar has stations to offer";
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Control<CButtonSTRadio>(CLackTimeQueryBar::kFirstUnitButton + i).GetWindowText(),
                  LackUnitCaptions()[i]);
    EXPECT_TRUE(Control<CButtonSTRadio>(CLackTimeQueryBar::kFirstUnitButton).isChecked());
    CComboBox& interval = Control<CComboBox>(CLackTimeQueryBar::kInterval);
    EXPECT_EQ(interval.GetCount(), 60);
    EXPECT_EQ(interval.GetLBText(interval.GetCurSel()), "3秒") << "the element's interval";
    EXPECT_TRUE(Control<CButtonST>(CLackTimeQueryBar::kDirectEntry).isVisible());
    EXPECT_FALSE(Control<QWidget>(CLackTimeQueryBar::kSelectAll).isVisible());

    // Nothing picked: the bar says so and nothing is counted.
    Click(Control<CButtonST>(CLackTimeQueryBar::kRefresh));
    ASSERT_EQ(m_asked.texts, std::vector<std::string>{"请选择站号!"});
    EXPECT_LE(w.Grid().GetRowCount(), 1);

    // 宜昌 and 沙市, hours, five of them, 03:00 to 23:00.
    ClickStation("10031");
    ClickStation("10021");
    Click(Control<CButtonSTRadio>(CLackTimeQueryBar::kFirstUnitButton + kLackHours));
    EXPECT_EQ(interval.GetCount(), 60);
    EXPECT_EQ(interval.GetLBText(interval.GetCurSel()), "1时");
    interval.setCurrentIndex(4);
    bar.StartControl()->SetTime(COleDateTime(2026, 11, 1, 3, 0, 0));
    bar.EndControl()->SetTime(COleDateTime(2026, 11, 1, 23, 0, 0));
    Click(Control<CButtonST>(CLackTimeQueryBar::kRefresh));
    EXPECT_EQ(m_asked.texts.size(), 1u);

    const std::string shown = Tsv(w.Grid());
    EXPECT_EQ(shown, "  \t站号\t缺数时间范围\t缺数时间统计\n"
                     "1\t10021\t2026-11-01 06:00:00 至 2026-11-01 12:00:00\t 6时 0分 0秒\n");
    int status = -1;
    EXPECT_EQ(Command({"--stations", "10021,10031", "--from", "2026-11-01 03:00:00", "--to",
                       "2026-11-01 23:00:00", "--lack", "18000"},
                      status),
              shown);
    EXPECT_EQ(status, 0);

    // Six hours is no gap at six hours; every five minutes is one at four minutes.
    interval.setCurrentIndex(5);
    Click(Control<CButtonST>(CLackTimeQueryBar::kRefresh));
    EXPECT_EQ(w.Grid().GetRowCount(), 1);
    Click(Control<CButtonSTRadio>(CLackTimeQueryBar::kFirstUnitButton + kLackMinutes));
    interval.setCurrentIndex(3);
    Click(Control<CButtonST>(CLackTimeQueryBar::kRefresh));
    ASSERT_GT(w.Grid().GetRowCount(), 400);
    EXPECT_EQ(Command({"--stations", "10021,10031", "--from", "2026-11-01 03:00:00", "--to",
                       "2026-11-01 23:00:00", "--lack", "240"},
                      status),
              Tsv(w.Grid()));
    EXPECT_FALSE(w.GridCtrl()->IsEditable()) << "gaps are not records to write";
}

TEST_P(LackTimeQueryBarTest, DirectEntryCountsTheTypedStationAndTheGapsPrintAndExport) {
    CQueryWindow& w = Open();
    Bar().StartControl()->SetTime(COleDateTime(2026, 11, 1, 8, 0, 0));
    Bar().EndControl()->SetTime(COleDateTime(2026, 11, 1, 14, 0, 0));
    Click(Control<CButtonSTRadio>(CLackTimeQueryBar::kFirstUnitButton + kLackHours));
    ui::SetInputBoxResponder([](const CString& title, const CString& prompt, CString& text) {
        EXPECT_EQ(title, "输入信息");
        EXPECT_EQ(prompt, "直接输入站号");
        text = " 10021 ";
        return ui::IDOK;
    });
    Click(Control<CButtonST>(CLackTimeQueryBar::kDirectEntry));
    EXPECT_TRUE(m_asked.texts.empty());
    EXPECT_EQ(w.QuerySettings().m_stations, CStringArray{"10021"});
    CListBox& list = Control<CListBox>(CLackTimeQueryBar::kStationList);
    ASSERT_EQ(list.GetSelItems().size(), 1u);
    EXPECT_NE(list.GetText(list.GetSelItems()[0]).Find("(10021)"), -1) << "the typed station is selected";
    ASSERT_EQ(w.Grid().GetRowCount(), 2);
    EXPECT_EQ(w.Grid().GetDisplayText(1, 2), "2026-11-01 08:00:00 至 2026-11-01 12:00:00");

    const std::filesystem::path dir = m_db->dir();
    ui::SetSaveFileResponder([&](const ui::SaveFileRequest&, ui::SaveFileAnswer& answer) {
        answer.path = (dir / "缺数").string();
        answer.filterIndex = 2;
        return ui::IDOK;
    });
    w.OnCommand(CQueryWindow::kCmdExport);
    std::ifstream exported(dir / "缺数.txt");
    std::stringstream text;
    text << exported.rdbuf();
    EXPECT_NE(text.str().find("缺数时间统计"), std::string::npos) << text.str();
    EXPECT_NE(text.str().find(" 4时 0分 0秒"), std::string::npos) << text.str();

    const std::string pdf = (dir / "gaps.pdf").string();
    ui::SetPrintDialogResponder([&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
        return true;
    });
    w.OnCommand(CQueryWindow::kCmdPrint);
    EXPECT_GT(std::filesystem::file_size(pdf), 1000u);
}

// The station list: dragged below 30 pixels it stays at 30; a right double click selects every
// station. Direct display hides the list and queries every station; the menu style offers the
// bar as form 907, which queries and closes.
TEST_P(LackTimeQueryBarTest, DragSelectAllDirectDisplayAndTheMenuForm) {
    CQueryWindow& w = Open();
    CLackTimeQueryBar& bar = Bar();
    CListBox& list = Control<CListBox>(CLackTimeQueryBar::kStationList);
    const QPoint below(list.geometry().center().x(), list.geometry().bottom() + 2);
    QTest::mousePress(&bar, Qt::LeftButton, {}, below);
    QMouseEvent move(QEvent::MouseMove, QPointF(below.x(), 10), bar.mapToGlobal(QPointF(below.x(), 10)),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(&bar, &move);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(below.x(), 10));
    EXPECT_EQ(m_windowSettings.m_stationListHeight, 30);
    EXPECT_EQ(list.height(), 30);
    EXPECT_GT(bar.RowsHeight(), 200);

    QTest::mouseDClick(&bar, Qt::RightButton, {}, QPoint(100, bar.RowsHeight() + 20));
    EXPECT_EQ(int(list.GetSelItems().size()), list.GetCount());
    const int stations = list.GetCount();

    w.QuerySettings().m_queryStyle = kStyleMenu;
    w.OnCommand(CQueryWindow::kCmdRefresh);
    QPointer<CQueryDialog> dialog = w.QueryDialog();
    ASSERT_TRUE(dialog);
    auto* form = dynamic_cast<CLackTimeQueryBar*>(dialog->GetDlgItem(CUseGridWindow::kBarId));
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(dialog->height(), form->RowsHeight());
    auto* formList = dynamic_cast<CListBox*>(form->GetDlgItem(CLackTimeQueryBar::kStationList));
    ASSERT_NE(formList, nullptr);
    formList->SetSel(1, true); // 寸滩's flow point, without event records
    Click(*dynamic_cast<QWidget*>(form->GetDlgItem(CLackTimeQueryBar::kRefresh)));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(dialog) << "the form closes after its refresh";
    EXPECT_EQ(w.QuerySettings().m_stations.GetSize(), 1);
    EXPECT_EQ(w.Grid().GetRowCount(), 2) << "a point without records: one row";

    m_window.reset();
    m_options.m_directDisplay = 1;
    CQueryWindow& direct = Open();
    for (int id :
         {CLackTimeQueryBar::kStationList, CLackTimeQueryBar::kRefresh, CLackTimeQueryBar::kDirectEntry})
        EXPECT_FALSE(Control<QWidget>(id).isVisible()) << id;
    direct.QueryAndFill();
    EXPECT_EQ(direct.QuerySettings().m_stations.GetSize(), stations);
    EXPECT_GE(direct.Grid().GetRowCount(), stations + 1) << "every station gives a row or more";
}

INSTANTIATE_TEST_SUITE_P(Backends, LackTimeQueryBarTest,
                         ::testing::Values(testdb::Kind::Sqlite, testdb::Kind::Postgres),
                         [](const ::testing::TestParamInfo<testdb::Kind>& info) {
                             return info.param == testdb::Kind::Sqlite ? "SQLite" : "PostgreSQL";
                         });

} // namespace
