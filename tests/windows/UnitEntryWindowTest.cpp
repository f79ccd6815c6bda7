// The unit entry forms on the offscreen platform over the demo database, on both backends:
// the query window's "增加" opens the form its settings name, a start-up or a stop entered
// there is in RTDB with its audit records and in the grid after the refresh, and what is
// refused or fails is said and leaves nothing written.
#include "AddDataFormDlg.h"
#include "CompactDemo.h"
#include "PopupMenu.h"
#include "QueryWindow.h"
#include "TestDatabase.h"
#include "UnitEntrySheet.h"
#include "WindowTestSupport.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QTabWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <array>
#include <functional>

namespace {

class UnitEntryWindowTest : public ::testing::TestWithParam<testdb::Kind> {
protected:
    void SetUp() override {
        TESTDB_OPEN_DEMO(m_db, GetParam());
        m_owner.show();
    }
    void TearDown() override {
        m_window.reset();
        ui::SetPopupMenuResponder({});
    }

    // The demo's unit state window over unit 20102 on 1 December 2026.
    CQueryWindow& Open(int entryMenu, const char* form) {
        m_settings.m_dataEntryMenu = entryMenu;
        m_settings.m_entryFormName = form;
        m_window = std::make_unique<CQueryWindow>();
        CQuerySettings& q = m_window->QuerySettings();
        q.m_tableName = "RTDB";
        q.m_stations = {"20102"};
        q.m_startTimeText = "2026-12-01 00:00:00";
        q.m_endTimeText = "2026-12-02 00:00:00";
        q.m_displayMode = kDisplayGivenStations;
        q.m_startFlag = 1;
        m_window->SetRecords(&m_settings, &m_options, &m_face);
        m_window->ApplySettings();
        EXPECT_TRUE(m_window->Create(&m_owner, 0x4000, CRect(0, 0, 1020, 695), kElementWindowStyle));
        m_window->QueryAndFill();
        return *m_window;
    }

    // Right-clicks the grid; the menu answers command and keeps what it offered.
    std::vector<ui::MenuItem> RightClick(int command) {
        std::vector<ui::MenuItem> offered;
        ui::SetPopupMenuResponder([&](const std::vector<ui::MenuItem>& items, CPoint) {
            offered = items;
            return command;
        });
        CGridCtrl& ctrl = *m_window->GridCtrl();
        const QPoint at(5, 5);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, at, ctrl.viewport()->mapToGlobal(at));
        QApplication::sendEvent(ctrl.viewport(), &menu);
        return offered;
    }

    // Runs fill on the modal sheet as soon as it shows, then closes it.
    static void WhenTheSheetShows(std::function<void(CUnitEntrySheet&)> fill) {
        QTimer::singleShot(0, [fill] {
            auto* sheet = dynamic_cast<CUnitEntrySheet*>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            fill(*sheet);
            sheet->reject();
        });
    }

    template <class T> static T& Control(CWnd& page, int id) {
        T* control = dynamic_cast<T*>(page.GetDlgItem(id));
        EXPECT_NE(control, nullptr) << id;
        return *control;
    }
    // The ids of a page's unit list, its four date and time pickers and its "增加".
    struct PageIds {
        int list, firstDate, firstTime, secondDate, secondTime, add;
    };
    static constexpr PageIds kStart{1106, 1112, 1113, 1114, 1115, 33507};
    static constexpr PageIds kStop{1117, 1120, 1121, 1122, 1123, 1124};

    // Chooses a unit and the two events' times on a page, then presses its "增加".
    static void Enter(CUnitEntryPage& page, const PageIds& ids, int unit, const COleDateTime& first,
                      const COleDateTime& second) {
        Control<CComboBox>(page, ids.list).SetCurSel(unit);
        Control<CDateTimePicker>(page, ids.firstDate).SetTime(first);
        Control<CDateTimePicker>(page, ids.firstTime).SetTime(first);
        Control<CDateTimePicker>(page, ids.secondDate).SetTime(second);
        Control<CDateTimePicker>(page, ids.secondTime).SetTime(second);
        Control<CPushButton>(page, ids.add).click();
    }

    static std::vector<std::string> Rows(const std::string& sql) { return testdb::Rows(sql); }

    std::unique_ptr<testdb::TestDatabase> m_db;
    OwnerWindow m_owner;
    CWindowSettings m_settings;
    CQueryOptions m_options;
    CInterfaceSettings m_face;
    std::unique_ptr<CQueryWindow> m_window;
    MessageLog m_said;
};

} // namespace

TEST_P(UnitEntryWindowTest, AddOpensTheNamedFormAndAStartUpEnteredThereIsWrittenAuditedAndShown) {
    Open(0, "roz机组数据录入");
    std::vector<ui::MenuItem> offered = RightClick(0);
    ASSERT_EQ(offered.size(), 6u); // without the data-entry flag there is no "增加"

    CQueryWindow& w = Open(1, "roz机组数据录入");
    EXPECT_EQ(w.Engine().ResultRowCount(), 0);
    bool shown = false;
    WhenTheSheetShows([&](CUnitEntrySheet& sheet) {
        shown = true;
        EXPECT_EQ(sheet.windowTitle().toStdString(), "roz机组数据录入");
        auto* tabs = sheet.findChild<QTabWidget*>();
        ASSERT_NE(tabs, nullptr);
        ASSERT_EQ(tabs->count(), 2);
        EXPECT_EQ(tabs->tabText(0).toStdString(), "开机");
        EXPECT_EQ(tabs->tabText(1).toStdString(), "停机");
        CUnitStartPage& start = *sheet.StartPage();
        auto& units = Control<CComboBox>(start, kStart.list);
        ASSERT_EQ(units.GetCount(), 6);
        EXPECT_EQ(units.GetCurSel(), CB_ERR); // nothing chosen when the page opens
        EXPECT_EQ(units.GetLBText(1), "ROZ2号机");
        EXPECT_EQ(Control<CButton>(start, 1129).GetCheck(), BST_CHECKED);
        EXPECT_EQ(Control<CButton>(start, 1130).GetCheck(), BST_CHECKED);
        Enter(start, kStart, 1, COleDateTime(2026, 12, 1, 8, 0, 0), COleDateTime(2026, 12, 1, 9, 30, 0));
    });
    offered = RightClick(CQueryWindow::kCmdAdd);
    ASSERT_TRUE(shown);
    ASSERT_EQ(offered.size(), 7u);
    EXPECT_EQ(offered[6].id, CQueryWindow::kCmdAdd);
    EXPECT_EQ(offered[6].text, "增加");
    EXPECT_TRUE(m_said.texts.empty()) << m_said.texts.front();

    EXPECT_EQ(
        Rows("SELECT SENID,TIME,FACTV FROM KES.RTDB WHERE TIME>={ts '2026-12-01 00:00:00'} ORDER BY TIME"),
        (std::vector<std::string>{"20102,2026-12-01 08:00:00,2,", "20102,2026-12-01 09:30:00,8,"}));
    EXPECT_EQ(Rows("SELECT LOGINFO FROM KES.SCHLOG WHERE LOGINFO LIKE '%20102 2026-12-01%' ORDER BY SEQID"),
              (std::vector<std::string>{"手工录入 20102 2026-12-01 08:00:00 空转 ,",
                                        "手工录入 20102 2026-12-01 09:30:00 运行 ,"}));
    // The window queried again once the form was closed.
    EXPECT_EQ(w.Engine().ResultRowCount(), 2);
}

TEST_P(UnitEntryWindowTest, TheStopPageWritesItsKindAndRefusalsAndFailuresWriteNothing) {
    Open(1, "vu左岸机组数据录入");
    WhenTheSheetShows([&](CUnitEntrySheet& sheet) {
        CUnitStopPage& stop = *sheet.StopPage();
        EXPECT_EQ(Control<CRadioButton>(stop, 1126).GetCheck(), BST_CHECKED);
        // No unit chosen; then equal times, even with only the stop ticked.
        Control<CPushButton>(stop, kStop.add).click();
        Control<CButton>(stop, 1131).SetCheck(BST_UNCHECKED);
        Enter(stop, kStop, 2, COleDateTime(2026, 12, 1, 8, 0, 0), COleDateTime(2026, 12, 1, 8, 0, 0));
        Control<CButton>(stop, 1131).SetCheck(BST_CHECKED);
        Control<CRadioButton>(stop, 1127).click(); // 停机临检
        Enter(stop, kStop, 2, COleDateTime(2026, 12, 1, 8, 0, 0), COleDateTime(2026, 12, 1, 8, 20, 0));
        // The audit log cannot be written: the click leaves nothing and says which change failed.
        CQueryClient client;
        ASSERT_EQ(client.Execute("DROP TABLE KES.SCHLOG"), 1) << client.m_strLastError.str();
        Enter(stop, kStop, 3, COleDateTime(2026, 12, 2, 8, 0, 0), COleDateTime(2026, 12, 2, 8, 20, 0));
    });
    RightClick(CQueryWindow::kCmdAdd);
    ASSERT_EQ(m_said.texts.size(), 3u);
    EXPECT_EQ(m_said.texts[0], "请选择机组");
    EXPECT_EQ(m_said.texts[1], "开机与并网时间不能相同!");
    EXPECT_EQ(m_said.texts[2].find("解列时间 2026-12-02 08:00:00 的审计记录写入失败"), 0u) << m_said.texts[2];
    EXPECT_EQ(
        Rows("SELECT SENID,TIME,FACTV FROM KES.RTDB WHERE TIME>={ts '2026-12-01 00:00:00'} ORDER BY TIME"),
        (std::vector<std::string>{"20203,2026-12-01 08:00:00,2,", "20203,2026-12-01 08:20:00,16,"}));

    // A name that is no form opens nothing.
    EXPECT_FALSE(OpenUnitEntryForm("ROZ机组数据录入", m_window->Widget()));
    CAddDataFormDlg choose(nullptr);
    EXPECT_EQ(choose.FormList()->GetCount(), 2);
    EXPECT_EQ(choose.SelectedForm(), "roz机组数据录入");
}

std::string BackendName(const ::testing::TestParamInfo<testdb::Kind>& info) {
    return info.param == testdb::Kind::Sqlite ? "SQLite" : "PostgreSQL";
}

INSTANTIATE_TEST_SUITE_P(Backends, UnitEntryWindowTest,
                         ::testing::Values(testdb::Kind::Sqlite, testdb::Kind::Postgres), BackendName);
