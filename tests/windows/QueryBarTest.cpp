// The query bar driven like a user on the offscreen platform over the compact demo database:
// stations picked from the list and by pinyin initials, the time type changed, "刷新" pressed,
// and the grid checked against the engine's own answer for the same choice.
#include "QueryBar.h"
#include "Button.h"
#include "ButtonST.h"
#include "ComboBox.h"
#include "DemoBarDatabase.h"
#include "Edit.h"
#include "Hooks.h"
#include "InputBox.h"
#include "ListBox.h"
#include "Login.h"
#include "QueryDialog.h"
#include "QueryWindow.h"
#include "TestDatabase.h"
#include "TimeContorl.h"
#include "WindowTestSupport.h"

#include <QApplication>
#include <QHeaderView>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class QueryBarTest : public DemoBarTest {
protected:
    void SetUp() override {
        DemoBarTest::SetUp();
        CHeaderSort::LastSort().Forget();
        m_owner.show();
    }
    void TearDown() override {
        m_window.reset();
        ui::SetInputBoxResponder({});
    }

    CQueryWindow& Open(const char* table, CStringArray stations = {}) {
        m_window = std::make_unique<CQueryWindow>();
        CQuerySettings& q = m_window->QuerySettings();
        q.m_tableName = table;
        q.m_stations = std::move(stations);
        q.m_startTimeText = "2026-11-01 00:00:00";
        q.m_endTimeText = "2026-11-02 00:00:00";
        q.m_displayMode = kDisplayGivenStations;
        q.m_advanced = m_advanced;
        m_window->SetRecords(&m_window_, &m_options, &m_face);
        m_window->ApplySettings();
        EXPECT_TRUE(m_window->Create(&m_owner, 0x4000, CRect(0, 0, 1020, 695), kElementWindowStyle));
        return *m_window;
    }

    CQueryBar& Bar() { return BarOf<CQueryBar>(*m_window); }
    template <class T> T& Control(int id) { return ChildOf<T>(Bar(), id); }
    void Click(QWidget& w) { QTest::mouseClick(&w, Qt::LeftButton, {}, w.rect().center()); }
    void ClickItem(CListBox& list, int i) {
        list.scrollToItem(list.item(i));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(i)).center());
    }
    std::vector<std::string> Texts(CListBox& list) {
        std::vector<std::string> texts;
        for (int i = 0; i < list.GetCount(); ++i)
            texts.push_back(list.GetText(i).str());
        return texts;
    }
    // The engine's own grid for the stations and period the window's settings now hold.
    CGridIterator EngineAnswer() {
        CTableQuery query(m_client);
        const CQuerySettings& q = m_window->QuerySettings();
        query.Load(q.m_tableName, EngineOptionsFor(m_face, m_options, q));
        RequestFromSettings(q, kFormGivenStations, query.m_request);
        CGridIterator grid;
        query.Refresh(grid, 1);
        return grid;
    }

    OwnerWindow m_owner;
    CWindowSettings m_window_;
    int m_advanced = 0; // the query settings' advanced flag of the next window opened
    CQueryOptions m_options;
    CInterfaceSettings m_face;
    CQueryClient m_client;
    std::unique_ptr<CQueryWindow> m_window;
    MessageLog m_log;
};

TEST_F(QueryBarTest, PinyinSearchPickAndRefreshFillTheGridAsTheEngineDoes) {
    CQueryWindow& w = Open("RIVER_HOUR");
    ASSERT_NE(w.Bar(), nullptr);
    EXPECT_EQ(w.PanelWidth(), m_face.m_panelWidth) << "a bar with a station list is shown";
    CListBox& list = Control<CListBox>(CQueryBar::kStationList);
    const std::vector<std::string> all = Texts(list);
    ASSERT_GT(all.size(), 5u);
    EXPECT_NE(std::find(all.begin(), all.end(), "长江宜昌站(60105400)"), all.end());
    EXPECT_NE(Bar().GetDlgItem(950), nullptr) << "a filter list";

    // Nothing picked: the bar says so and the grid stays empty.
    Click(Control<CButtonST>(CQueryBar::kRefresh));
    ASSERT_FALSE(m_log.texts.empty());
    EXPECT_EQ(m_log.texts.back(), "请选择站号!");
    EXPECT_LE(w.Grid().GetRowCount(), 1);

    // Quick search: "cj yc" keeps 长江宜昌站; clearing brings every station back.
    Click(Control<QWidget>(CQueryBar::kQuickSearchToggle));
    CEdit& search = Control<CEdit>(CQueryBar::kQuickSearch);
    EXPECT_TRUE(search.isVisible());
    QTest::keyClicks(&search, "cj yc");
    EXPECT_EQ(Texts(list), std::vector<std::string>{"长江宜昌站(60105400)"});
    search.selectAll();
    QTest::keyClick(&search, Qt::Key_Delete);
    EXPECT_EQ(Texts(list), all);

    QTest::keyClicks(&search, "yc");
    ClickItem(list, 0);
    CTimeContorl& start = *Bar().StartControl();
    CTimeContorl& end = *Bar().EndControl();
    start.SetTime(COleDateTime(2026, 11, 1, 0, 0, 0));
    end.SetTime(COleDateTime(2026, 11, 1, 12, 0, 0));
    Click(Control<CButtonST>(CQueryBar::kRefresh));

    EXPECT_EQ(w.QuerySettings().m_stations, CStringArray{"60105400"});
    EXPECT_EQ(w.Caption(), w.Bar()->StationText());
    const CGridIterator expected = EngineAnswer();
    ASSERT_GT(expected.GetRowCount(), 5);
    ASSERT_EQ(w.Grid().GetRowCount(), expected.GetRowCount());
    for (long r = 0; r < expected.GetRowCount(); ++r)
        for (long c = 0; c < expected.GetColumnCount(); ++c)
            ASSERT_EQ(w.Grid().GetCellView(r, c), expected.GetCellView(r, c)) << r << "," << c;

    // An end before the start stops the refresh with the bar's message.
    end.SetTime(COleDateTime(2026, 10, 1, 0, 0, 0));
    Click(Control<CButtonST>(CQueryBar::kRefresh));
    EXPECT_EQ(m_log.texts.back(), "开始时间不能大于结束时间!");

    // The filter lists look their names up without touching the grid's rows: sorting still works.
    const long rows = w.Grid().GetRowCount();
    CComboBox& basin = Control<CComboBox>(950);
    basin.setCurrentIndex(1);
    emit basin.activated(1);
    QHeaderView* header = w.GridCtrl()->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(2) + 5, header->height() / 2));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(2) + 5, header->height() / 2));
    EXPECT_EQ(w.Grid().GetRowCount(), rows);
    EXPECT_GE(std::string(w.Grid().GetCellView(1, 3)), std::string(w.Grid().GetCellView(2, 3)))
        << "the second click sorts descending";
}

TEST_F(QueryBarTest, FilterListNarrowsTheStationsAndDirectEntrySelects) {
    Open("RIVER_HOUR");
    CListBox& list = Control<CListBox>(CQueryBar::kStationList);
    const int all = list.GetCount();
    CComboBox& basin = Control<CComboBox>(950);
    ASSERT_GT(basin.GetCount(), 2);
    // The user opens the list and picks the second entry (the first name after the label).
    basin.setCurrentIndex(1);
    emit basin.activated(1);
    EXPECT_GT(list.GetCount(), 0);
    EXPECT_LT(list.GetCount(), all);

    basin.setCurrentIndex(0);
    emit basin.activated(0);
    EXPECT_EQ(list.GetCount(), all);

    ui::SetInputBoxResponder([](const CString& title, const CString& prompt, CString& text) {
        EXPECT_EQ(title, "输入信息");
        EXPECT_EQ(prompt, "直接输入站号");
        text = "60110000";
        return ui::IDOK;
    });
    EXPECT_FALSE(Control<QWidget>(CQueryBar::kDirectEntry).isHidden());
    Click(Control<QWidget>(CQueryBar::kDirectEntry));
    EXPECT_EQ(m_window->QuerySettings().m_stations, CStringArray{"60110000"});
    EXPECT_EQ(Bar().StationText(), "长江汉口站(60110000)");
    ASSERT_EQ(list.GetSelItems().size(), 1u);
    EXPECT_EQ(list.GetText(list.GetSelItems()[0]), "长江汉口站(60110000)");

    // Cancel changes nothing: the next refresh uses the list again.
    ui::SetInputBoxResponder([](const CString&, const CString&, CString&) { return ui::IDCANCEL; });
    Click(Control<QWidget>(CQueryBar::kDirectEntry));
    list.SetSel(-1, false);
    Click(Control<CButtonST>(CQueryBar::kRefresh));
    EXPECT_EQ(m_log.texts.back(), "请选择站号!");

    // Without "输入站号" the bar offers no direct entry.
    m_options.m_stationInput = 0;
    Open("RIVER_HOUR");
    EXPECT_TRUE(Control<QWidget>(CQueryBar::kDirectEntry).isHidden());
}

TEST_F(QueryBarTest, TimeTypeButtonsChangeTheTypeIntervalsAndControls) {
    CQueryWindow& w = Open("HISVIEW");
    CButtonSTRadio& day = Control<CButtonSTRadio>(CQueryBar::kFirstTypeButton + 1);
    CButtonSTRadio& month = Control<CButtonSTRadio>(CQueryBar::kFirstTypeButton + 3);
    EXPECT_EQ(Control<CButtonSTRadio>(CQueryBar::kFirstTypeButton).text(), "时");
    EXPECT_EQ(month.text(), "月");
    EXPECT_EQ(Control<CComboBox>(CQueryBar::kInterval).GetCount(), 24);

    Click(Control<CButtonSTRadio>(CQueryBar::kFirstTypeButton + 2));
    EXPECT_EQ(w.QuerySettings().m_timeTypeIndex, kTimeTenDay);
    EXPECT_EQ(Control<CComboBox>(CQueryBar::kInterval).GetCount(), 3);
    EXPECT_EQ(Bar().StartControl()->GetPrecision(), 33);

    Click(month);
    EXPECT_EQ(w.QuerySettings().m_timeTypeIndex, kTimeMonth);
    EXPECT_TRUE(month.GetCheck());
    EXPECT_FALSE(day.GetCheck());
    EXPECT_EQ(Control<CComboBox>(CQueryBar::kInterval).GetCount(), 12);
    EXPECT_EQ(Bar().StartControl()->GetPrecision(), 4);
}

TEST_F(QueryBarTest, StationListHeightFollowsTheDragButNotBelowThirty) {
    Open("RIVER_HOUR");
    CQueryBar& bar = Bar();
    CListBox& list = Control<CListBox>(CQueryBar::kStationList);
    const QPoint below(list.geometry().center().x(), list.geometry().bottom() + 3);
    QTest::mousePress(&bar, Qt::LeftButton, {}, below);
    QMouseEvent move(QEvent::MouseMove, QPointF(below.x(), below.y() - 500),
                     bar.mapToGlobal(QPointF(below.x(), below.y() - 500)), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(&bar, &move);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(below.x(), below.y() - 500));
    EXPECT_EQ(m_window_.m_stationListHeight, 30);
    EXPECT_EQ(list.height(), 30);

    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(below.x(), 40));
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(below.x(), 40 + 90));
    EXPECT_EQ(m_window_.m_stationListHeight, 120);
}

TEST_F(QueryBarTest, MenuStyleOffersTheBarAsAFormThatQueriesAndCloses) {
    m_window_.m_stationListHeight = 160; // the demo's: the form is made as tall as its rows
    CQueryWindow& w = Open("RIVER_HOUR");
    w.QuerySettings().m_queryStyle = kStyleMenu;
    w.OnCommand(CQueryWindow::kCmdRefresh);
    QPointer<CQueryDialog> dialog = w.QueryDialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->windowTitle(), "查询");
    auto* bar = dynamic_cast<CQueryBar*>(dialog->GetDlgItem(941));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(dialog->width(), 208);
    EXPECT_GE(dialog->height(), bar->StationListHeight());

    auto* list = dynamic_cast<CListBox*>(bar->GetDlgItem(CQueryBar::kStationList));
    ASSERT_NE(list, nullptr);
    dialog->show();
    QApplication::processEvents();
    EXPECT_EQ(list->height(), 160) << "the station list keeps its height in the form";
    list->SetSel(3, true);
    auto* refresh = dynamic_cast<CButtonST*>(bar->GetDlgItem(CQueryBar::kRefresh));
    ASSERT_NE(refresh, nullptr);
    Click(*refresh);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(dialog) << "the form closes after its refresh";
    EXPECT_EQ(w.QuerySettings().m_stations.GetSize(), 1);
    EXPECT_GT(w.Grid().GetRowCount(), 1);
}

TEST_F(QueryBarTest, AtHalfTheDemoSizeRefreshStaysWhollyInTheBarAndQueries) {
    // The demo element's bar, on a display zoomed out to 50 %.
    m_window_.m_stationListHeight = 160;
    m_face.m_panelWidth = 200;
    CQueryWindow& w = Open("RIVER_HOUR", {"60105400"});
    w.MoveWindow(CRect(0, 0, 510, 347));
    QApplication::processEvents();
    CQueryBar& bar = Bar();
    ASSERT_EQ(bar.height(), w.Widget()->contentsRect().height());
    CButtonST& refresh = Control<CButtonST>(CQueryBar::kRefresh);
    EXPECT_TRUE(refresh.isVisible());
    EXPECT_TRUE(bar.rect().contains(refresh.geometry()))
        << refresh.geometry().bottom() << " > " << bar.height();
    // The list gave up height for it, the user's choice stays stored for a larger bar.
    CListBox& list = Control<CListBox>(CQueryBar::kStationList);
    EXPECT_LT(list.height(), 160);
    EXPECT_GE(list.height(), 30 - 22);
    EXPECT_EQ(m_window_.m_stationListHeight, 160);

    Click(refresh);
    EXPECT_TRUE(m_log.texts.empty()) << m_log.texts.front();
    EXPECT_EQ(w.Grid().GetRowCount(), EngineAnswer().GetRowCount());
    EXPECT_GT(w.Grid().GetRowCount(), 5);

    // Back at full size the list has its chosen height again.
    w.MoveWindow(CRect(0, 0, 1020, 695));
    QApplication::processEvents();
    EXPECT_EQ(list.height(), 160);
}

TEST_F(QueryBarTest, ABarWithoutGroupsGivesItsStripToTheGrid) {
    m_advanced = 1; // advanced selection without configured items: nothing to choose
    CQueryWindow& w = Open("RIVER_HOUR");
    EXPECT_EQ(w.PanelWidth(), 0);
    EXPECT_EQ(w.GridCtrl()->width(), w.Widget()->contentsRect().width());
    w.ApplySettings();
    EXPECT_EQ(w.PanelWidth(), 0) << "stays collapsed when the settings are applied again";
}

} // namespace
