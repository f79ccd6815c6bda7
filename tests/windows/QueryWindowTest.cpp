// The table query window on the offscreen platform over the compact demo database: the grid it
// fills against the engine's own answer, the header sort, editing after login with the change
// and its audit record in the database, the failed-commit question, export and print, and what
// the operator is told when a refresh or a write fails or succeeds.
#include "QueryWindow.h"
#include "DataSource.h"
#include "CompactDemo.h"
#include "Hooks.h"
#include "HostServices.h"
#include "InputBox.h"
#include "ListBox.h"
#include "Login.h"
#include "PopupMenu.h"
#include "PrintDialog.h"
#include "QueryBar.h"
#include "RequestPeriod.h"
#include "TestDatabase.h"
#include "TimeContorl.h"
#include "VexorQueryElemOBJ.h"
#include "WindowTestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>
#include <sodium.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

// The element's records a window is handed.
struct Records {
    CWindowSettings window;
    CQueryOptions options;
    CInterfaceSettings face;
};

class QueryWindowTest : public ::testing::TestWithParam<testdb::Kind> {
protected:
    void SetUp() override {
        kes::SetPasswordHashLimits(crypto_pwhash_OPSLIMIT_MIN, crypto_pwhash_MEMLIMIT_MIN);
        TESTDB_OPEN_DEMO(m_db, GetParam());
        m_uri = testdb::DemoUri(*m_db);
        m_owner.show();
        CHeaderSort::LastSort().Forget(); // the last sort is the process's: start each test afresh
        CHostServices services;
        services.status = [this](const CString& text) { m_status.push_back(text.str()); };
        m_oldServices = SetHostServices(services);
    }
    void TearDown() override {
        SetHostServices(m_oldServices);
        m_window.reset();
        kes::SetCredentialResponder({});
        kes::LogOut();
        ui::SetSaveFileResponder({});
        ui::SetPrintDialogResponder({});
        ui::SetPopupMenuResponder({});
        ui::SetInputBoxResponder({});
    }

    CQueryWindow& Open(const char* table, CStringArray stations, const char* from, const char* to) {
        m_window = std::make_unique<CQueryWindow>();
        CQuerySettings& q = m_window->QuerySettings();
        q.m_tableName = table;
        q.m_stations = std::move(stations);
        q.m_startTimeText = from;
        q.m_endTimeText = to;
        q.m_displayMode = kDisplayGivenStations;
        q.m_accessMode = "READ/WRITE";
        q.m_startFlag = 1;
        m_window->SetRecords(&m_records.window, &m_records.options, &m_records.face);
        m_window->ApplySettings();
        EXPECT_TRUE(m_window->Create(&m_owner, 0x4000, CRect(0, 0, 1020, 695), kElementWindowStyle));
        return *m_window;
    }

    // The engine's own answer for the same request, filled into a grid of its own.
    CGridIterator EngineAnswer(const CQueryWindow& w) {
        const CQuerySettings& q = m_window->QuerySettings();
        CTableQuery query(m_client);
        query.Load(q.m_tableName, EngineOptionsFor(m_records.face, m_records.options, q));
        RequestFromSettings(q, kFormGivenStations, query.m_request);
        CGridIterator grid;
        query.Refresh(grid, 1);
        (void)w;
        return grid;
    }

    static std::string Cell(const CGridIterator& g, long row, long col) {
        return std::string(g.GetCellView(row, col));
    }
    static std::string Shown(const CGridIterator& g, long row, long col) {
        return std::string(g.GetDisplayText(row, col));
    }
    // Every cell of two grids as the user reads them.
    static void ExpectSameTexts(const CGridIterator& shown, const CGridIterator& expected) {
        ASSERT_EQ(shown.GetRowCount(), expected.GetRowCount());
        ASSERT_EQ(shown.GetColumnCount(), expected.GetColumnCount());
        for (long r = 0; r < shown.GetRowCount(); ++r)
            for (long c = 0; c < shown.GetColumnCount(); ++c)
                ASSERT_EQ(Shown(shown, r, c), Shown(expected, r, c)) << r << "," << c;
    }
    CQueryBar& Bar() {
        auto* bar = dynamic_cast<CQueryBar*>(m_window->Widget()->GetDlgItem(CUseGridWindow::kBarId));
        EXPECT_NE(bar, nullptr);
        return *bar;
    }

    void ClickCell(long row, long col) {
        CGridCtrl& ctrl = *m_window->GridCtrl();
        const QRect cell = ctrl.visualRect(ctrl.model()->index(int(row - 1), int(col - 1)));
        QTest::mouseClick(ctrl.viewport(), Qt::LeftButton, {}, cell.center());
    }
    void ClickHeader(long col) {
        QHeaderView* header = m_window->GridCtrl()->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(int(col - 1)) + 5, header->height() / 2));
    }
    // Types a value into a cell the way the editor writes it.
    void Edit(long row, long col, const char* text) {
        CGridCtrl& ctrl = *m_window->GridCtrl();
        ASSERT_TRUE(ctrl.model()->setData(ctrl.model()->index(int(row - 1), int(col - 1)),
                                          QString::fromUtf8(text), Qt::EditRole));
    }
    void LogInWith(const char* user, const char* password) {
        kes::SetCredentialResponder([=](const CString&, kes::Credentials& c) {
            c.user = user;
            c.password = password;
            return true;
        });
    }
    static std::vector<std::string> Rows(const std::string& sql) { return testdb::Rows(sql); }

    // Whether the window's strip shows its failure above the grid.
    static bool FailureShownAboveTheGrid(const CQueryWindow& w) {
        const QLabel* strip = w.TitleStrip();
        return strip && strip->isVisible() && strip->geometry().bottom() < w.GridCtrl()->geometry().top() &&
               strip->text().contains(QString::fromStdString(w.RefreshFailure().str()).toHtmlEscaped());
    }
    bool StatusSays(const std::string& text) const {
        return !m_status.empty() && m_status.back().find(text) != std::string::npos;
    }

    std::unique_ptr<testdb::TestDatabase> m_db;
    std::string m_uri;
    std::vector<std::string> m_status; // the host's status line, every text it was given
    CHostServices m_oldServices;
    OwnerWindow m_owner;
    Records m_records;
    CQueryClient m_client;
    std::unique_ptr<CQueryWindow> m_window;
    MessageLog m_asked;
};

TEST_P(QueryWindowTest, QueryFillsTheGridAsTheEngineAnswersAndSortsByHeaderClicks) {
    CQueryWindow& w =
        Open("RIVER_HOUR", {"60105400", "60110000"}, "2026-11-01 00:00:00", "2026-11-02 00:00:00");
    EXPECT_EQ(w.Widget()->property("windowClass").toString(), "CQueryWindow");
    EXPECT_EQ(w.Widget()->GetDlgItem(CUseGridWindow::kGridId), w.GridCtrl());
    w.QueryAndFill();

    const CGridIterator expected = EngineAnswer(w);
    const CGridIterator& shown = w.Grid();
    ASSERT_GT(shown.GetRowCount(), 10);
    ASSERT_EQ(shown.GetRowCount(), expected.GetRowCount());
    ASSERT_EQ(shown.GetColumnCount(), expected.GetColumnCount());
    for (long r = 0; r < shown.GetRowCount(); ++r)
        for (long c = 0; c < shown.GetColumnCount(); ++c)
            ASSERT_EQ(Cell(shown, r, c), Cell(expected, r, c)) << r << "," << c;
    EXPECT_EQ(Cell(shown, 0, 2), "时间");
    EXPECT_EQ(w.GridCtrl()->model()->rowCount(), int(shown.GetRowCount() - 1));

    // Three clicks on the water level: ascending, descending, ascending; the statistics rows
    // stay below the results.
    const long results = w.Engine().ResultRowCount();
    auto levels = [&] {
        std::vector<double> v;
        for (long r = 1; r <= results; ++r)
            if (!Cell(shown, r, 3).empty()) v.push_back(std::stod(Cell(shown, r, 3)));
        return v;
    };
    const std::string lastLabel = Cell(shown, shown.GetRowCount() - 1, 2);
    ClickHeader(3);
    auto v = levels();
    EXPECT_TRUE(std::is_sorted(v.begin(), v.end()));
    ClickHeader(3);
    v = levels();
    EXPECT_TRUE(std::is_sorted(v.rbegin(), v.rend()));
    ClickHeader(3);
    v = levels();
    EXPECT_TRUE(std::is_sorted(v.begin(), v.end()));
    EXPECT_EQ(Cell(shown, shown.GetRowCount() - 1, 2), lastLabel);
    // Another column starts ascending again; the last sort is shared by every query window.
    ClickHeader(2);
    EXPECT_EQ(CHeaderSort::LastSort().Click(2), "DESC");
}

TEST_P(QueryWindowTest, EnterInATimeFieldRefreshesCopyTakesTheShownTextsAndTheHeaderShowsTheSort) {
    CQueryWindow& w = Open("RIVER_HOUR", {"60105400"}, "2026-11-01 00:00:00", "2026-11-01 12:00:00");
    m_records.face.m_panelWidth = 200;
    w.ApplySettings();
    auto* bar = dynamic_cast<CQueryBar*>(w.Widget()->GetDlgItem(CUseGridWindow::kBarId));
    ASSERT_NE(bar, nullptr);
    ASSERT_NE(bar->EndControl(), nullptr);
    const long before = w.Grid().GetRowCount();
    ASSERT_LE(before, 1) << "nothing queried yet";

    // Enter in the end time: 刷新 with the stations the bar shows selected.
    bar->EndControl()->setFocus();
    QTest::keyClick(bar->EndControl(), Qt::Key_Return);
    const CGridIterator expected = EngineAnswer(w);
    ASSERT_GT(expected.GetRowCount(), 5);
    EXPECT_EQ(w.Grid().GetRowCount(), expected.GetRowCount());

    // The headed block as the screen shows it: the station as its name, not its code.
    CGridCtrl& ctrl = *w.GridCtrl();
    const QAbstractItemModel& model = *ctrl.model();
    ctrl.setFocus();
    ctrl.selectionModel()->select(QItemSelection(model.index(0, 0), model.index(2, 2)),
                                  QItemSelectionModel::ClearAndSelect);
    QTest::keyClick(&ctrl, Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    const QStringList heading = lines[0].split('\t'), first = lines[1].split('\t');
    ASSERT_EQ(heading.size(), 4);
    ASSERT_EQ(first.size(), 4);
    EXPECT_EQ(heading[2].toStdString(), "时间");
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(first[c + 1], model.data(model.index(0, c)).toString()) << c;
    EXPECT_NE(first[1].toStdString(), "60105400");

    // The sorted column and its direction show on the header.
    const QHeaderView& header = *ctrl.horizontalHeader();
    ClickHeader(3);
    EXPECT_TRUE(header.isSortIndicatorShown());
    EXPECT_EQ(header.sortIndicatorSection(), 2);
    EXPECT_EQ(header.sortIndicatorOrder(), Qt::AscendingOrder);
    ClickHeader(3);
    EXPECT_EQ(header.sortIndicatorSection(), 2);
    EXPECT_EQ(header.sortIndicatorOrder(), Qt::DescendingOrder);
    w.QueryAndFill();
    EXPECT_FALSE(header.isSortIndicatorShown()) << "a new grid is unsorted";
    EXPECT_TRUE(m_asked.texts.empty()) << m_asked.texts.front();
}

TEST_P(QueryWindowTest, EditingNeedsConfirmationAndALoginThenWritesTheRowAndItsAuditRecord) {
    CQueryWindow& w = Open("RIVER_HOUR", {"60105400"}, "2026-11-01 00:00:00", "2026-11-01 06:00:00");
    w.QueryAndFill();
    ASSERT_GT(w.Grid().GetRowCount(), 3);
    EXPECT_FALSE(w.GridCtrl()->IsEditable());

    // Cancel at the question: no login is asked.
    m_asked.answer = ui::IDCANCEL;
    int loginsAsked = 0;
    kes::SetCredentialResponder([&](const CString&, kes::Credentials&) {
        ++loginsAsked;
        return false;
    });
    ClickCell(1, 3);
    EXPECT_EQ(m_asked.texts.back(), "是否进行数据修改");
    EXPECT_EQ(loginsAsked, 0);

    // A wrong password is named as such, asked again a few times, and leaves the window read-only.
    m_asked.answer = ui::IDOK;
    std::vector<std::string> prompts;
    kes::SetCredentialResponder([&](const CString& prompt, kes::Credentials& c) {
        prompts.push_back(prompt.str());
        c.user = "admin";
        c.password = "wrong";
        return true;
    });
    ClickCell(1, 3);
    ASSERT_EQ(prompts.size(), 3u);
    EXPECT_NE(prompts[1].find("用户名或口令错误"), std::string::npos) << prompts[1];
    EXPECT_EQ(m_asked.texts.back(), "用户名或口令错误");
    EXPECT_EQ(w.AccessWord(), "READ/WRITE");
    EXPECT_FALSE(w.GridCtrl()->IsEditable());

    // Mistyped once, then right: the second answer makes it writable for the rest of the
    // window's life.
    prompts.clear();
    kes::SetCredentialResponder([&](const CString& prompt, kes::Credentials& c) {
        prompts.push_back(prompt.str());
        c.user = "admin";
        c.password = prompts.size() == 1 ? "admim" : "admin";
        return true;
    });
    ClickCell(1, 3);
    EXPECT_EQ(prompts.size(), 2u);
    EXPECT_EQ(w.AccessWord(), "WRITE");
    EXPECT_TRUE(w.GridCtrl()->IsEditable());
    w.ApplySettings();
    EXPECT_EQ(w.AccessWord(), "WRITE");

    const std::string time = Cell(w.Grid(), 1, 2);
    const std::size_t auditBefore = Rows("SELECT SEQID FROM KES.SCHLOG").size();
    Edit(1, 3, "123.45");
    ClickCell(2, 3); // leaving the row commits it
    EXPECT_EQ(w.Engine().LastWriteError(), "");
    EXPECT_EQ(Rows("SELECT Z FROM KES.RIVER_HOUR WHERE STCD=60105400 AND TM={ts '2026-11-01 00:00:00'}"),
              std::vector<std::string>{"123.45,"});
    EXPECT_EQ(Rows("SELECT SEQID FROM KES.SCHLOG").size(), auditBefore + 1);
    EXPECT_EQ(w.EditedRow().row, 2);
    EXPECT_EQ(Cell(w.Grid(), 1, 2), time);
}

TEST_P(QueryWindowTest, TheRowClickedToLogInIsTheRowWrittenAndASortWritesItFirst) {
    CQueryWindow& w = Open("RIVER_HOUR", {"60105400"}, "2026-11-01 00:00:00", "2026-11-01 06:00:00");
    w.QueryAndFill();
    LogInWith("admin", "admin");
    ClickCell(3, 3); // asks, logs in: row 3 is the row being edited
    ASSERT_EQ(w.AccessWord(), "WRITE");
    EXPECT_EQ(w.EditedRow().row, 3);
    Edit(3, 3, "77.7");
    ClickCell(4, 3);
    EXPECT_EQ(Rows("SELECT Z FROM KES.RIVER_HOUR WHERE STCD=60105400 AND TM={ts '2026-11-01 02:00:00'}"),
              std::vector<std::string>{"77.7,"});

    // An edit still open when a header is clicked is written before the rows move.
    Edit(4, 3, "66.6");
    QHeaderView* header = w.GridCtrl()->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(2) + 5, header->height() / 2));
    EXPECT_EQ(Rows("SELECT Z FROM KES.RIVER_HOUR WHERE STCD=60105400 AND TM={ts '2026-11-01 03:00:00'}"),
              std::vector<std::string>{"66.6,"});
    std::vector<double> levels;
    for (long r = 1; r <= w.Engine().ResultRowCount(); ++r)
        levels.push_back(std::stod(Cell(w.Grid(), r, 3)));
    EXPECT_TRUE(std::is_sorted(levels.begin(), levels.end()));
    EXPECT_EQ(levels.back(), 77.7);
}

TEST_P(QueryWindowTest, AFailedCommitAsksAndCancelStaysOnTheRow) {
    CQueryWindow& w = Open("RIVER_HOUR", {"60105400"}, "2026-11-01 00:00:00", "2026-11-01 06:00:00");
    w.QuerySettings().m_accessMode = "WRITE";
    w.ApplySettings();
    w.QueryAndFill();
    ASSERT_TRUE(w.GridCtrl()->IsEditable());

    ClickCell(2, 3);
    Edit(2, 3, "not a level");
    m_asked.answer = ui::IDCANCEL;
    ClickCell(4, 3);
    ASSERT_FALSE(m_asked.texts.empty());
    // The question, with the database's reason on a line of its own.
    EXPECT_EQ(m_asked.texts.back().rfind("数据修改失败，是否放弃?\n", 0), 0u) << m_asked.texts.back();
    // The highlight, not only the current cell, is back on the row that failed.
    QApplication::processEvents();
    EXPECT_EQ(w.GridCtrl()->GetFocusRow(), 2);
    EXPECT_EQ(w.GridCtrl()->GetSelectedRows(), std::vector<long>{2});
    EXPECT_EQ(Cell(w.Grid(), 2, 3), "not a level");

    // OK gives the edit up: the grid is read again.
    m_asked.answer = ui::IDOK;
    ClickCell(4, 3);
    EXPECT_NE(Cell(w.Grid(), 2, 3), "not a level");
}

TEST_P(QueryWindowTest, MenuOffersWritingOnlyWhenAllowedAndExportsAndPrints) {
    CQueryWindow& w = Open("RIVER_HOUR", {"60105400"}, "2026-11-01 00:00:00", "2026-11-01 06:00:00");
    w.QueryAndFill();

    std::vector<ui::MenuItem> offered;
    ui::SetPopupMenuResponder([&](const std::vector<ui::MenuItem>& items, CPoint) {
        offered = items;
        return CQueryWindow::kCmdExport;
    });
    const std::filesystem::path dir = m_db->dir();
    ui::SetSaveFileResponder([&](const ui::SaveFileRequest& request, ui::SaveFileAnswer& answer) {
        EXPECT_EQ(request.filter, "电子表格(*.xls)|*.txt|文本 文件(*.txt)|*.txt||");
        answer.path = (dir / "河道水情").string();
        answer.filterIndex = 2;
        return ui::IDOK;
    });
    CGridCtrl& ctrl = *w.GridCtrl();
    const QPoint at = ctrl.visualRect(ctrl.model()->index(0, 0)).center();
    QContextMenuEvent menu(QContextMenuEvent::Mouse, at, ctrl.viewport()->mapToGlobal(at));
    QApplication::sendEvent(ctrl.viewport(), &menu);
    ASSERT_EQ(offered.size(), 6u);
    EXPECT_EQ(offered[0].text, "修改");
    EXPECT_FALSE(offered[0].enabled);
    EXPECT_FALSE(offered[1].enabled);
    EXPECT_EQ(offered[4].text, "输出");

    std::ifstream text(dir / "河道水情.txt");
    std::string heading;
    ASSERT_TRUE(std::getline(text, heading));
    EXPECT_NE(heading.find("水位(m)"), std::string::npos);

    ui::SetSaveFileResponder([&](const ui::SaveFileRequest&, ui::SaveFileAnswer& answer) {
        answer.path = (dir / "河道水情").string();
        answer.filterIndex = 1;
        return ui::IDOK;
    });
    w.OnCommand(CQueryWindow::kCmdExport);
    std::ifstream sheet(dir / "河道水情.xls", std::ios::binary);
    char magic[2] = {};
    sheet.read(magic, 2);
    EXPECT_EQ(std::string(magic, 2), "PK") << "spreadsheet content";

    const std::string pdf = (dir / "print.pdf").string();
    ui::SetPrintDialogResponder([&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
        return true;
    });
    w.OnCommand(CQueryWindow::kCmdPrint);
    std::ifstream printed(pdf, std::ios::binary);
    char head[4] = {};
    printed.read(head, 4);
    EXPECT_EQ(std::string(head, 4), "%PDF");
}

TEST_P(QueryWindowTest, StoredWidthsApplyOnlyWithTheFixedColumnsFlag) {
    m_records.face.m_fixedColumns = 1;
    m_records.face.m_columnWidths = {40, 150};
    CQueryWindow& w = Open("RIVER_HOUR", {"60105400"}, "2026-11-01 00:00:00", "2026-11-01 03:00:00");
    w.QueryAndFill();
    ASSERT_GE(w.Grid().GetColumnCount(), 5);
    EXPECT_EQ(w.GridCtrl()->GetColumnWidth(1), 150);
    EXPECT_EQ(w.GridCtrl()->GetColumnWidth(4), 150) << "past the list: the last stored width";

    // The user's resize is stored back into the element's settings.
    w.GridCtrl()->horizontalHeader()->resizeSection(1, 77);
    EXPECT_EQ(m_records.face.m_columnWidths[2], 77u);
}

TEST_P(QueryWindowTest, ExportWritesTheNamesAndTextsTheScreenShowsStatisticsRowsIncluded) {
    CQueryWindow& w = Open("RIVER_HOUR", {"60110000"}, "2026-11-01 00:00:00", "2026-11-01 12:00:00");
    w.QueryAndFill();
    const CGridIterator& grid = w.Grid();
    ASSERT_GT(grid.GetRowCount(), w.Engine().ResultRowCount() + 1) << "statistics rows below the results";

    const std::filesystem::path dir = m_db->dir();
    ui::SetSaveFileResponder([&](const ui::SaveFileRequest&, ui::SaveFileAnswer& answer) {
        answer.path = (dir / "汉口").string();
        answer.filterIndex = 2;
        return ui::IDOK;
    });
    w.OnCommand(CQueryWindow::kCmdExport);
    std::ifstream in(dir / "汉口.txt", std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    std::string file = bytes.str();
    ASSERT_EQ(file.rfind("\xEF\xBB\xBF", 0), 0u);
    file.erase(0, 3);
    // Line by line, cell by cell what the grid control shows.
    CGridCtrl& ctrl = *w.GridCtrl();
    std::string expected;
    for (long r = 0; r < grid.GetRowCount(); ++r) {
        for (long c = 0; c < grid.GetColumnCount(); ++c) {
            if (c > 0) expected += '\t';
            if (r == 0 || c == 0)
                expected += Shown(grid, r, c);
            else
                expected += ctrl.model()->index(int(r - 1), int(c - 1)).data().toString().toStdString();
        }
        expected += "\r\n";
    }
    EXPECT_EQ(file, expected);
    EXPECT_NE(file.find("长江汉口站"), std::string::npos);
    EXPECT_EQ(file.find("60110000"), std::string::npos) << "no station code where the screen shows its name";
    const bool trendNamed = file.find("\t落") != std::string::npos ||
                            file.find("\t涨") != std::string::npos || file.find("\t平") != std::string::npos;
    EXPECT_TRUE(trendNamed) << file;
}

TEST_P(QueryWindowTest, ATransposedTableShowsTheNameOfItsMappedRow) {
    // The table as the command line prints it: the curve's name in its column.
    CTableQuery plain(m_client);
    plain.Load("CURVED", {});
    CQueryRequest& request = plain.m_request;
    request.form = kFormGivenStations;
    request.keys = {"1"};
    CGridIterator across;
    plain.Refresh(across, 1);
    ASSERT_GT(across.GetRowCount(), 1);
    const std::string name = Shown(across, 1, 1);
    ASSERT_NE(name, "1");

    CQueryWindow& w = Open("CURVED", {"1"}, "", "");
    w.QuerySettings().m_modifyDirection = "V";
    w.ApplySettings();
    w.QueryAndFill();
    ASSERT_TRUE(w.Grid().IsTransposed());
    EXPECT_EQ(Cell(w.Grid(), 1, 0), "曲线");
    EXPECT_EQ(Shown(w.Grid(), 1, 1), name);
    CGridCtrl& ctrl = *w.GridCtrl();
    EXPECT_EQ(ctrl.model()->index(0, 0).data().toString().toStdString(), name);
}

TEST_P(QueryWindowTest, StoredWidthsSurviveTheEmptyGridAndApplyColumnByColumn) {
    m_records.face.m_fixedColumns = 1;
    m_records.face.m_columnWidths = {120, 60};
    CQueryWindow& w = Open("RIVER_HOUR", {"60105400"}, "2026-11-01 00:00:00", "2026-11-01 03:00:00");
    w.Refresh(0); // as the element shows a new window, before any query: headings only
    // The element keeps the widths of a window it replaces or saves: they are the stored ones,
    // column by column.
    CDWordArray widths;
    w.StoreColumnWidths(m_records.face);
    EXPECT_EQ(m_records.face.m_columnWidths, (CDWordArray{120, 60, 60, 60, 60, 60}));

    w.QueryAndFill();
    ASSERT_EQ(w.Grid().GetColumnCount(), 6);
    EXPECT_EQ(w.GridCtrl()->GetColumnWidth(0), 120);
    for (long col = 1; col < 6; ++col)
        EXPECT_EQ(w.GridCtrl()->GetColumnWidth(col), 60) << col;
    ASSERT_TRUE(w.CurrentColumnWidths(widths));
    EXPECT_EQ(widths, (CDWordArray{120, 60, 60, 60, 60, 60}));
}

TEST_P(QueryWindowTest, TheFirstQueryAsksForThePeriodTheBarShows) {
    CQueryWindow& w = Open("FLOW_MON", {"60110000"}, "2025-01-01 08:00:00", "2025-06-01 08:00:00");
    w.QuerySettings().m_timeTypeIndex = kTimeMonth;
    ASSERT_NE(Bar().StartControl(), nullptr);
    EXPECT_EQ(FormatTimeForPrecision(Bar().StartControl()->GetTime(), Bar().StartControl()->GetPrecision()),
              "2025年01月");
    w.QueryAndFill();
    EXPECT_EQ(Shown(w.Grid(), 1, 2), "2025年01月");
    const std::string request = w.Engine().ComposeStatements().str();
    CGridIterator first;
    first = w.Grid();

    // "刷新" without touching the bar asks the same.
    Bar().Refresh();
    EXPECT_EQ(w.Engine().ComposeStatements().str(), request);
    ExpectSameTexts(w.Grid(), first);
}

// Given the same dates, the command line's request and the bar's are the same for every table
// the demo database configures, in the table's own time type; so are the grids.
TEST_P(QueryWindowTest, TheCommandLineAsksWhatTheBarAsksForEveryTable) {
    const CString from = "2026-10-30", to = "2026-11-01";
    const std::vector<std::string> tables = Rows("SELECT TNAME FROM KES.SET_DB_TABLE_NAME ORDER BY TNAME");
    ASSERT_GE(tables.size(), 10u);
    for (std::string table : tables) {
        table.pop_back(); // the reply row's ","
        SCOPED_TRACE(table);
        CTableQuery command(m_client);
        command.Load(table.c_str(), {});
        const int type = TableTimeType(TableTimeRules(command.Settings()));

        m_records = Records{};
        CQueryWindow& w = Open(table.c_str(), {}, "2026-01-01 00:00:00", "2026-01-02 00:00:00");
        w.QuerySettings().m_timeTypeIndex = type - kTypeHour;
        CQueryBar& bar = Bar();
        if (auto* list = dynamic_cast<CListBox*>(bar.GetDlgItem(CQueryBar::kStationList));
            list && list->GetCount())
            list->SetSel(0, true);
        if (bar.StartControl()) {
            bar.StartControl()->SetTime(CQueryItem::ParseTime(from));
            bar.EndControl()->SetTime(CQueryItem::ParseTime(to));
        }
        bar.Refresh();

        command.m_request.form = kFormGivenStations;
        command.m_request.keys = w.QuerySettings().m_stations;
        command.m_request.startTime = from;
        command.m_request.endTime = to;
        RequestForDates(command, from, to);
        if (bar.StartControl()) {
            EXPECT_EQ(command.m_request.startTime, w.Engine().m_request.startTime);
            EXPECT_EQ(command.m_request.endTime, w.Engine().m_request.endTime);
        }
        EXPECT_EQ(command.ComposeStatements(), w.Engine().ComposeStatements());
        CGridIterator grid;
        command.Refresh(grid, 1);
        ExpectSameTexts(w.Grid(), grid);
        if (HasFailure()) return;
    }
}

TEST_P(QueryWindowTest, AFailedRefreshShowsTheDatabaseReasonAboveTheGridAndInTheStatusLine) {
    CQueryWindow& w = Open("RIVER_HOUR", {"60105400"}, "2026-11-01 00:00:00", "2026-11-01 06:00:00");
    w.QueryAndFill();
    EXPECT_EQ(w.RefreshFailure(), "");
    EXPECT_FALSE(w.TitleStrip()->text().contains("查询失败"));

    // The data statement fails: the database's own text is shown, the headings stay.
    std::vector<std::string> reply;
    ASSERT_TRUE(testdb::Run("ALTER TABLE KES.RIVER_HOUR RENAME TO RIVER_HOUR_AWAY", reply));
    w.QueryAndFill();
    ASSERT_TRUE(w.Engine().RefreshFailed());
    EXPECT_NE(w.RefreshFailure().Find(w.Engine().RefreshErrors()[0].str()), -1) << w.RefreshFailure().str();
    EXPECT_TRUE(FailureShownAboveTheGrid(w));
    EXPECT_TRUE(StatusSays(w.RefreshFailure().str()));
    EXPECT_EQ(Cell(w.Grid(), 0, 3), "水位(m)");

    // The next refresh that works clears it.
    ASSERT_TRUE(testdb::Run("ALTER TABLE KES.RIVER_HOUR_AWAY RENAME TO RIVER_HOUR", reply));
    w.OnCommand(CQueryWindow::kCmdRefresh);
    EXPECT_EQ(w.RefreshFailure(), "");
    EXPECT_FALSE(w.TitleStrip()->text().contains("查询失败"));
    EXPECT_GT(w.Engine().ResultRowCount(), 3);
}

TEST_P(QueryWindowTest, AnUnusableDataSourceIsNamedAndTheWindowRecoversOnceItAnswers) {
    const std::string absent = m_db->dir() + "/absent";
    kes::SetDataSource(m_db->kind() == testdb::Kind::Sqlite
                           ? "sqlite:" + absent + "/kes.sqlite"
                           : "host=" + absent + " user=vexor dbname=postgres");
    CQueryWindow& w = Open("RIVER_HOUR", {"60105400"}, "2026-11-01 00:00:00", "2026-11-01 06:00:00");
    w.Refresh(0);
    EXPECT_NE(w.RefreshFailure().Find(absent.c_str()), -1) << w.RefreshFailure().str();
    CDWordArray widths; // a grid without its columns has no widths to store for them
    EXPECT_FALSE(w.CurrentColumnWidths(widths));
    EXPECT_TRUE(FailureShownAboveTheGrid(w));
    EXPECT_TRUE(StatusSays(absent));
    w.OnCommand(CQueryWindow::kCmdRefresh);
    EXPECT_TRUE(w.Engine().RefreshFailed());
    EXPECT_TRUE(FailureShownAboveTheGrid(w));

    // The database answers again: 刷新 reads the settings and the rows, and the bar gets its lists.
    kes::SetDataSource(m_uri);
    w.OnCommand(CQueryWindow::kCmdRefresh);
    EXPECT_EQ(w.RefreshFailure(), "");
    EXPECT_FALSE(w.TitleStrip()->text().contains("查询失败"));
    EXPECT_EQ(Cell(w.Grid(), 0, 3), "水位(m)");
    EXPECT_GT(w.Engine().ResultRowCount(), 3);
    QApplication::processEvents();
    auto* bar = dynamic_cast<CQueryBar*>(w.Widget()->GetDlgItem(CUseGridWindow::kBarId));
    ASSERT_NE(bar, nullptr);
    auto* stations = dynamic_cast<CListBox*>(bar->GetDlgItem(CQueryBar::kStationList));
    ASSERT_NE(stations, nullptr);
    EXPECT_GT(stations->GetCount(), 0);
}

TEST_P(QueryWindowTest, HeadingsShowBeforeTheFirstQueryAndANewQueryStartsAtTheTop) {
    CQueryWindow& w = Open("RIVER_HOUR", {"60105400"}, "2026-11-01 00:00:00", "2026-11-06 00:00:00");
    w.Refresh(0);
    EXPECT_EQ(w.Grid().GetRowCount(), 1);
    EXPECT_EQ(Cell(w.Grid(), 0, 3), "水位(m)");

    w.QueryAndFill();
    ASSERT_GT(w.Engine().ResultRowCount(), 100);
    QScrollBar* rows = w.GridCtrl()->verticalScrollBar();
    w.GridCtrl()->scrollToBottom();
    ASSERT_GT(rows->value(), 0);
    w.QueryAndFill();
    EXPECT_EQ(rows->value(), 0);
}

TEST_P(QueryWindowTest, AWriteSaysSavedAndTheDataPropertyColourFollowsIt) {
    const std::vector<std::string> first = Rows(
        "SELECT STCD FROM KES.RAIN_HOUR WHERE PRO=0 AND P>0 AND TM>={ts '2026-11-01 00:00:00'} ORDER BY TM");
    ASSERT_FALSE(first.empty());
    const std::string station = first[0].substr(0, first[0].find(','));
    CQueryWindow& w = Open("RAIN_HOUR", {station.c_str()}, "2026-11-01 00:00:00", "2026-11-30 00:00:00");
    w.QuerySettings().m_accessMode = "WRITE";
    w.ApplySettings();
    w.QueryAndFill();
    long row = 1;
    while (row < w.Engine().ResultRowCount() &&
           (Cell(w.Grid(), row, 3).empty() || w.Grid().GetCellLook(row, 3).crText != 0))
        ++row;
    ASSERT_LT(row, w.Engine().ResultRowCount());

    ClickCell(row, 3);
    Edit(row, 3, "12.5");
    ClickCell(row + 1, 3);
    ASSERT_EQ(w.Engine().LastWriteError(), "");
    EXPECT_TRUE(StatusSays("已保存"));
    EXPECT_EQ(w.Grid().GetCellLook(row, 3).crText, COLORREF(255)) << "人工置数 is shown red";

    // A change whose audit record cannot be written says so.
    std::vector<std::string> reply;
    ASSERT_TRUE(testdb::Run("DROP TABLE KES.SCHLOG", reply));
    Edit(row + 1, 3, "7.5");
    ClickCell(row, 3);
    EXPECT_NE(w.Engine().LastAuditError(), "");
    EXPECT_TRUE(StatusSays("审计记录未写入"));
    EXPECT_FALSE(StatusSays("已保存"));
}

TEST_P(QueryWindowTest, TheBarsStationCaptionShowsAboveTheGridAndAnUnknownStationIsReported) {
    CQueryWindow& w = Open("RIVER_HOUR", {"60105400"}, "2026-11-01 00:00:00", "2026-11-01 06:00:00");
    auto* bar = dynamic_cast<CQueryBar*>(w.Widget()->GetDlgItem(CUseGridWindow::kBarId));
    ASSERT_NE(bar, nullptr);
    ASSERT_FALSE(bar->StationText().IsEmpty());
    EXPECT_TRUE(w.TitleStrip()->isVisible());
    EXPECT_TRUE(w.TitleStrip()->text().contains(QString::fromStdString(bar->StationText().str())));
    EXPECT_LT(w.TitleStrip()->geometry().bottom(), w.GridCtrl()->geometry().top());

    // A station the list does not hold is named, and nothing is queried for it.
    w.QueryAndFill();
    const long rows = w.Grid().GetRowCount();
    CString typed = "abc";
    ui::SetInputBoxResponder([&](const CString&, const CString&, CString& text) {
        text = typed;
        return ui::IDOK;
    });
    auto* entry = dynamic_cast<QWidget*>(bar->GetDlgItem(CQueryBar::kDirectEntry));
    ASSERT_NE(entry, nullptr);
    QTest::mouseClick(entry, Qt::LeftButton, {}, entry->rect().center());
    ASSERT_FALSE(m_asked.texts.empty());
    EXPECT_EQ(m_asked.texts.back(), "站号 abc 不在站点列表中!");
    EXPECT_EQ(w.QuerySettings().m_stations, CStringArray{"60105400"});
    EXPECT_EQ(w.Grid().GetRowCount(), rows);

    // A known one is queried and becomes the caption.
    typed = "60110000";
    QTest::mouseClick(entry, Qt::LeftButton, {}, entry->rect().center());
    EXPECT_EQ(w.QuerySettings().m_stations, CStringArray{"60110000"});
    EXPECT_TRUE(w.TitleStrip()->text().contains("(60110000)")) << w.TitleStrip()->text().toStdString();
}

TEST_P(QueryWindowTest, LongStationEntriesScrollAndShowWholeAsTooltips) {
    // Whatever the panel width, no entry is cut: it fits, or the list scrolls across to it. The
    // list is short, so that it scrolls down too.
    m_records.window.m_stationListHeight = 160;
    m_records.window.m_fonts[0].lfHeight = 14;
    for (long panel = 110; panel <= 260; panel += 10) {
        m_records.face.m_panelWidth = panel;
        m_owner.hide(); // as a host makes its elements' windows before it shows itself
        CQueryWindow& w = Open("RIVER_HOUR", {"60105400"}, "2026-11-01 00:00:00", "2026-11-01 06:00:00");
        m_owner.show();
        auto* bar = dynamic_cast<CQueryBar*>(w.Widget()->GetDlgItem(CUseGridWindow::kBarId));
        ASSERT_NE(bar, nullptr);
        auto* list = dynamic_cast<CListBox*>(bar->GetDlgItem(CQueryBar::kStationList));
        ASSERT_NE(list, nullptr);
        ASSERT_GT(list->GetCount(), 0);
        QApplication::processEvents();
        const int needed = list->sizeHintForColumn(0);
        for (int i = 0; i < list->GetCount(); ++i) {
            const std::string text = list->GetText(i).str();
            EXPECT_EQ(list->item(i)->toolTip().toStdString(), text);
            EXPECT_GE(list->visualItemRect(list->item(i)).width(), needed) << panel << ": " << text;
        }
        if (needed > list->viewport()->width()) {
            EXPECT_TRUE(list->horizontalScrollBar()->isVisible()) << panel;
        }
    }
}

// A right click in the grid, where the operator would make it.
void RightClick(CQueryWindow& w) {
    CGridCtrl& ctrl = *w.GridCtrl();
    const QPoint at = ctrl.visualRect(ctrl.model()->index(0, 0)).center();
    QContextMenuEvent menu(QContextMenuEvent::Mouse, at, ctrl.viewport()->mapToGlobal(at));
    QApplication::sendEvent(ctrl.viewport(), &menu);
}

TEST_P(QueryWindowTest, ALinkedWindowTakesTheOtherElementsSettingsOnARightClickAfterWritingItsOpenEdit) {
    CQueryWindow& w = Open("RIVER_HOUR", {"60105400"}, "2026-11-01 00:00:00", "2026-11-01 06:00:00");
    w.QuerySettings().m_accessMode = "WRITE";
    w.ApplySettings();
    w.QueryAndFill();
    int menus = 0;
    ui::SetPopupMenuResponder([&](const std::vector<ui::MenuItem>&, CPoint) {
        ++menus;
        return 0;
    });

    // The other element asks for all stations; the window takes over its one station, its
    // period and its table, and queries for the given stations.
    auto source = std::make_unique<CVexorQueryElemOBJ>();
    CQuerySettings& q = source->m_querySettings;
    q.m_tableName = "RIVER_HOUR";
    q.m_stations = {"60106980"};
    q.m_startTimeText = "2026-11-02 00:00:00";
    q.m_endTimeText = "2026-11-02 12:00:00";
    q.m_displayMode = kDisplayAllStations;
    q.m_accessMode = "READ";
    w.LinkSettings(source->SettingsLink());

    // A change not yet written is written before the rows go.
    ClickCell(2, 3);
    Edit(2, 3, "55.5");
    RightClick(w);
    EXPECT_EQ(menus, 0);
    EXPECT_EQ(Rows("SELECT Z FROM KES.RIVER_HOUR WHERE STCD=60105400 AND TM={ts '2026-11-01 01:00:00'}"),
              std::vector<std::string>{"55.5,"});
    EXPECT_TRUE(w.ShowsAdoptedSettings());
    EXPECT_EQ(w.AccessWord(), "READ");
    EXPECT_EQ(w.QuerySettings().m_stations, CStringArray{"60106980"});
    ASSERT_GT(w.Engine().ResultRowCount(), 1);
    ExpectSameTexts(w.Grid(), EngineAnswer(w));
    for (long r = 1; r <= w.Engine().ResultRowCount(); ++r)
        ASSERT_EQ(Cell(w.Grid(), r, 1), Cell(w.Grid(), 1, 1)) << "one station only, row " << r;
    // The widths of the other element's table are not this element's to keep.
    CDWordArray widths;
    EXPECT_FALSE(w.CurrentColumnWidths(widths));

    // A failed write keeps the rows and says why; nothing is taken over.
    w.SetRecords(&m_records.window, &m_records.options, &m_records.face);
    w.QuerySettings().m_tableName = "RIVER_HOUR";
    w.QuerySettings().m_accessMode = "WRITE";
    w.ApplySettings();
    w.QueryAndFill();
    ClickCell(2, 3);
    Edit(2, 3, "not a level");
    RightClick(w);
    ASSERT_FALSE(m_asked.texts.empty());
    EXPECT_EQ(m_asked.texts.back().rfind("数据修改失败!", 0), 0u) << m_asked.texts.back();
    EXPECT_EQ(Cell(w.Grid(), 2, 3), "not a level");
    EXPECT_FALSE(w.ShowsAdoptedSettings());

    // Once the other element is gone, the right click pops the menu up again.
    source.reset();
    RightClick(w);
    EXPECT_EQ(menus, 1);
}

TEST_P(QueryWindowTest, TheInsertKeyOpensOnePlaceForANewRecordWhereWritingIsAllowed) {
    CQueryWindow& w = Open("RIVER_HOUR", {"60105400"}, "2026-11-01 00:00:00", "2026-11-01 06:00:00");
    w.QuerySettings().m_accessMode = "READ";
    w.ApplySettings();
    w.QueryAndFill();
    CGridCtrl& ctrl = *w.GridCtrl();
    const long rows = w.Grid().GetRowCount();
    ctrl.setFocus();
    ASSERT_TRUE(ctrl.SetFocusCell(2, 3));
    QTest::keyClick(&ctrl, Qt::Key_Insert);
    EXPECT_EQ(w.Grid().GetRowCount(), rows) << "read-only";

    w.QuerySettings().m_accessMode = "WRITE";
    w.ApplySettings();
    QTest::keyClick(&ctrl, Qt::Key_Insert);
    ASSERT_EQ(w.Grid().GetRowCount(), rows + 1);
    EXPECT_EQ(ctrl.GetFocusRow(), rows);
    EXPECT_EQ(w.EditedRow().row, rows);
    EXPECT_TRUE(w.EditedRow().IsNew());
    // The empty place is offered again, not a second one.
    ASSERT_TRUE(ctrl.SetFocusCell(2, 3));
    QTest::keyClick(&ctrl, Qt::Key_Insert);
    EXPECT_EQ(w.Grid().GetRowCount(), rows + 1);
    EXPECT_EQ(ctrl.GetFocusRow(), rows);

    // What is typed there is written as a new record once the operator moves on.
    const std::size_t auditBefore = Rows("SELECT SEQID FROM KES.SCHLOG").size();
    ASSERT_TRUE(Rows("SELECT Z FROM KES.RIVER_HOUR WHERE TM={ts '2030-01-01 07:00:00'}").empty());
    Edit(rows, 1, "60105400");
    Edit(rows, 2, "2030-01-01 07:00:00");
    Edit(rows, 3, "44.4");
    ASSERT_TRUE(ctrl.SetFocusCell(2, 3));
    EXPECT_EQ(w.Engine().LastWriteError(), "");
    EXPECT_EQ(Rows("SELECT Z FROM KES.RIVER_HOUR WHERE STCD=60105400 AND TM={ts '2030-01-01 07:00:00'}"),
              std::vector<std::string>{"44.4,"});
    EXPECT_EQ(Rows("SELECT SEQID FROM KES.SCHLOG").size(), auditBefore + 1);
}

INSTANTIATE_TEST_SUITE_P(Backends, QueryWindowTest,
                         ::testing::Values(testdb::Kind::Sqlite, testdb::Kind::Postgres),
                         [](const ::testing::TestParamInfo<testdb::Kind>& info) {
                             return info.param == testdb::Kind::Sqlite ? "SQLite" : "PostgreSQL";
                         });

} // namespace
