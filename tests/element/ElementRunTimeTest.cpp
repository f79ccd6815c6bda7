// The element at run time against a recording window layer: which window exists when, what
// the drive records do to the query settings, and the element following the mouse in the editor.
#include "ElementTypeRegistry.h"
#include "HostServices.h"
#include "QueryItem.h"
#include "StubWindows.h"
#include "TestDatabase.h"
#include "VexorQueryElemOBJ.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct Log {
    std::vector<std::string> calls;
    int alive = 0;
};

class RecordingTableWindow : public StubTableWindow {
public:
    explicit RecordingTableWindow(Log& log) : m_log(log) { ++m_log.alive; }
    ~RecordingTableWindow() override { --m_log.alive; }

    bool CurrentColumnWidths(CDWordArray& widths) const override {
        widths = {80, 90};
        return true;
    }
    bool Create(CWnd*, int id, const CRect&, unsigned style) override {
        m_created = true;
        Note("Create " + std::to_string(id > 0) + " " + std::to_string(style == kElementWindowStyle));
        return true;
    }
    bool HasSystemWindow() const override { return m_created; }
    void DestroySystemWindow() override {
        m_created = false;
        Note("Destroy");
    }
    void Show(bool show) override { Note(show ? "Show" : "Hide"); }
    void MoveWindow(const CRect& r) override {
        Note("Move " + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
             "," + std::to_string(r.bottom));
    }
    void Refresh(int argument) override { Note("Refresh " + std::to_string(argument)); }
    void ApplySettings() override { Note("Apply " + std::to_string(m_settings.m_startFlag)); }
    void QueryAndFill() override {
        Note("QueryAndFill " +
             std::string(m_settings.m_stations.IsEmpty() ? "" : m_settings.m_stations[0].str().c_str()));
    }
    void StoreColumnWidths(CInterfaceSettings& face) override { face.m_columnWidths = {80, 90}; }

private:
    void Note(const std::string& s) { m_log.calls.push_back(s); }
    Log& m_log;
    bool m_created = false;
};

// A stand-in owner window: the element only passes it on.
CWnd* FakeOwner() {
    static char owner;
    return reinterpret_cast<CWnd*>(&owner);
}

class ElementRunTimeTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_oldFactory = SetElementWindowFactory(
            {[this] { return std::make_unique<RecordingTableWindow>(m_log); }, nullptr, nullptr});
        CHostServices services;
        services.status = [this](const CString& text) { m_status.push_back(text.str()); };
        services.mainWndDC = [] { return CDC(CPoint{10, 20}, 1, 1); };
        m_oldServices = SetHostServices(services);
        m_element.m_rect = CRect(100, 200, 1120, 895);
    }
    void TearDown() override {
        SetElementWindowFactory(m_oldFactory);
        SetHostServices(m_oldServices);
    }

    CElementWindowFactory m_oldFactory;
    CHostServices m_oldServices;
    Log m_log;
    std::vector<std::string> m_status;
    CVexorQueryElemOBJ m_element;
};

TEST_F(ElementRunTimeTest, OwnerWindowCreatesTheTableWindowOnceAndPlacesItInDeviceUnits) {
    m_element.SetParentWnd(nullptr);
    EXPECT_EQ(m_log.alive, 0) << "no owner, no window";

    const std::size_t idsBefore = CUserWndRegistry::Instance().Count();
    m_element.SetParentWnd(FakeOwner());
    ASSERT_EQ(m_log.alive, 1);
    EXPECT_EQ(CUserWndRegistry::Instance().Count(), idsBefore + 1);
    // Applied first with the start flag the element set (0), then again with 1; the scroll
    // position of the main window moves the device rectangle.
    std::vector<std::string> expected = {"Apply 0", "Create 1 1", "Move 90,180,1110,875", "Refresh 0",
                                         "Apply 1"};
    EXPECT_EQ(m_log.calls, expected);
    EXPECT_EQ(m_element.m_windowRect, CRect(90, 180, 1110, 875));

    m_log.calls.clear();
    m_element.MoveTo(CRect(0, 0, 500, 400));
    EXPECT_EQ(m_log.calls, std::vector<std::string>{"Move -10,-20,490,380"});

    // A new owner replaces the window; the old one's id is given back.
    m_element.SetParentWnd(FakeOwner());
    EXPECT_EQ(m_log.alive, 1);
    EXPECT_EQ(CUserWndRegistry::Instance().Count(), idsBefore + 1);
    m_element.SetParentWnd(nullptr);
    EXPECT_EQ(m_log.alive, 0);
    EXPECT_EQ(CUserWndRegistry::Instance().Count(), idsBefore);
    EXPECT_EQ(m_element.m_interfaceSettings.m_columnWidths, (CDWordArray{80, 90}))
        << "widths kept on destroy";
}

TEST_F(ElementRunTimeTest, ModesWithoutWindowShowNothingAndSaySo) {
    m_element.m_interfaceSettings.m_mode = kModePointQuery;
    m_element.SetParentWnd(FakeOwner());
    EXPECT_EQ(m_log.alive, 0);
    ASSERT_EQ(m_status.size(), 1u);
    EXPECT_NE(m_status[0].find("点数据查询"), std::string::npos);

    m_element.m_interfaceSettings.m_mode = 7;
    m_element.InitWindow();
    EXPECT_EQ(m_log.alive, 0);
    m_element.m_interfaceSettings.m_mode = -3; // counts as the table query, everywhere
    m_element.InitWindow();
    EXPECT_EQ(m_log.alive, 1);
    m_log.calls.clear();
    m_element.MoveTo(CRect(0, 0, 500, 400));
    m_element.ShowObjWnd(1);
    m_element.ShowQueryWindow();
    EXPECT_EQ(m_log.calls.at(0), "Move -10,-20,490,380");
    EXPECT_EQ(m_log.calls.at(1), "Hide");
    EXPECT_EQ(m_log.calls.at(2), "Show");
    EXPECT_NE(std::find(m_log.calls.begin() + 3, m_log.calls.end(), "Refresh 0"), m_log.calls.end());
    EXPECT_EQ(m_log.alive, 1);

    EXPECT_EQ(m_element.Property(FakeOwner()), 1);
    EXPECT_NE(m_status.back().find("属性页"), std::string::npos);
}

TEST_F(ElementRunTimeTest, PeriodRecordCutsTheStartToTheHourAndEndsOneHourLater) {
    COleDateTime at(2008, 5, 6, 8, 30, 0);
    EXPECT_EQ(m_element.ObjectDrive({10, 0, at.m_dt, 0.5, 0}), 1);
    EXPECT_EQ(m_element.m_querySettings.m_startTimeText, "2008-05-06 08:00:00");
    EXPECT_EQ(m_element.m_querySettings.m_endTimeText, "2008-05-06 21:30:00");
    EXPECT_EQ(m_element.m_querySettings.m_endTime, CQueryItem::ParseTime("2008-05-06 21:30:00"));
    EXPECT_EQ(m_element.m_driveTime, 1);

    // Sub-kind 1: the start is a day ago, whatever value 1 says; the end still follows value 1.
    m_element.ObjectDrive({10, 1, at.m_dt, 1.0, 0});
    COleDateTime dayAgo = COleDateTime::GetCurrentTime() - COleDateTimeSpan(1.0);
    EXPECT_EQ(m_element.m_querySettings.m_startTimeText.Left(13), dayAgo.Format("%Y-%m-%d %H"));
    EXPECT_EQ(m_element.m_querySettings.m_startTimeText.Right(6), ":00:00");
    EXPECT_EQ(m_element.m_querySettings.m_endTimeText, "2008-05-07 09:30:00");

    // A day before 1899-12-30 is stored with a negative day number: still the right hour.
    COleDateTime old(1899, 12, 29, 6, 45, 0);
    m_element.ObjectDrive({10, 0, old.m_dt, 0, 0});
    EXPECT_EQ(m_element.m_querySettings.m_startTimeText, "1899-12-29 06:00:00");
    EXPECT_EQ(m_element.m_querySettings.m_endTimeText, "1899-12-29 07:45:00");
}

TEST_F(ElementRunTimeTest, StationRecordTakesOnlyItsThreeForms) {
    m_element.m_querySettings.m_stations = {"1", "2"};
    m_element.ObjectDrive({8, 0, 4.0, 60105400, 0});
    EXPECT_EQ(m_element.m_querySettings.m_stations, (CStringArray{"1", "2"}));
    m_element.ObjectDrive({8, 0, 1.0, 60105400.7, 5});
    EXPECT_EQ(m_element.m_querySettings.m_stations, CStringArray{"60105400"});
    m_element.m_queryOptions.m_rtuSetting = 1;
    m_element.ObjectDrive({8, 0, 2.0, 60105400, 42});
    EXPECT_EQ(m_element.m_querySettings.m_stations, CStringArray{"42"});
}

TEST_F(ElementRunTimeTest, RtuSettingFillsThePointsOfTheUnit) {
    std::unique_ptr<testdb::TestDatabase> db;
    TESTDB_OPEN(db, testdb::Kind::Sqlite);
    std::string failure;
    ASSERT_TRUE(db->LoadFixture(failure)) << failure;

    m_element.m_queryOptions.m_rtuSetting = 1;
    m_element.ObjectDrive({8, 0, 1.0, 1, 0});
    EXPECT_EQ(m_element.m_querySettings.m_stations, (CStringArray{"102", "101"})) << "highest TAB first";
    m_element.m_windowSettings.m_singleSelect = 1;
    m_element.ObjectDrive({8, 0, 3.0, 1, 0});
    EXPECT_EQ(m_element.m_querySettings.m_stations, CStringArray{"102"});
    m_element.ObjectDrive({8, 0, 3.0, 99, 0});
    EXPECT_TRUE(m_element.m_querySettings.m_stations.IsEmpty()) << "a unit without points leaves no station";

    // Configured codes reach the statement as numbers or as quoted texts, never bare.
    m_element.m_queryOptions.m_dataCharCode = " 1 ";
    m_element.m_queryOptions.m_userGroups = {"0", "o'k"};
    EXPECT_EQ(
        m_element.RtuPointsStatement(1),
        "SELECT ID FROM KES.ALLPOINT WHERE RTUID=1  AND  DCHAR=1  AND  USERGR IN(0,'o''k')  ORDER BY TAB "
        "DESC,ID ASC");
    m_element.m_windowSettings.m_singleSelect = 0;
    m_element.ObjectDrive({8, 0, 1.0, 1, 0});
    EXPECT_EQ(m_element.m_querySettings.m_stations, (CStringArray{"102", "101"}));

    // Under the RTU setting the window waits for the show record.
    m_element.SetParentWnd(FakeOwner());
    EXPECT_EQ(m_log.alive, 0);
}

TEST_F(ElementRunTimeTest, FirstShowRecordOfARunningDisplayIsSkipped) {
    m_element.SetState(1);
    m_element.m_querySettings.m_stations = {"60105400"};
    m_element.m_queryOptions.m_rtuSetting = 1;
    m_element.SetParentWnd(FakeOwner());
    m_element.ObjectDrive({0, 2, 0, 0, 0});
    EXPECT_EQ(m_log.alive, 0);
    m_element.ObjectDrive({0, 2, 0, 0, 0});
    ASSERT_EQ(m_log.alive, 1);
    EXPECT_EQ(m_log.calls.back(), "QueryAndFill 60105400");
    EXPECT_EQ(m_element.m_querySettings.m_displayMode, kDisplayGivenStations);

    // Without a station the record stops before any window is made again.
    m_element.m_querySettings.m_stations.RemoveAll();
    m_log.calls.clear();
    m_element.ObjectDrive({0, 2, 0, 0, 0});
    EXPECT_TRUE(m_log.calls.empty());
    EXPECT_EQ(m_element.m_driveCount, 3);
}

TEST_F(ElementRunTimeTest, MouseMovesTheElementAndItsExtraHandlesStayInside) {
    m_element.SetState(0);
    const CRect start = m_element.m_rect;
    EXPECT_EQ(m_element.ChangeCursor(CPoint(600, 500)), CDrawObject::kCursorSizeAll);
    EXPECT_EQ(m_element.ChangeCursor(start.TopLeft()), CDrawObject::kCursorCross)
        << "handles 9 and 10 sit on 1";
    EXPECT_EQ(m_element.ChangeCursor(CPoint(start.right, start.bottom)), CDrawObject::kCursorSizeNWSE);

    m_element.OnLButtonDown(CPoint(600, 500));
    m_element.OnMouseMove(CPoint(650, 480));
    m_element.OnLButtonUp(CPoint(650, 480));
    EXPECT_EQ(m_element.m_rect, CRect(150, 180, 1170, 875));

    // Handle 9 dragged far to the right stops at the element's width.
    m_element.m_handleOffset1 = 200;
    m_element.m_handleOffset2 = 100;
    EXPECT_EQ(m_element.ItemHitTest(m_element.GetDragHandlePoint(9), true), 9);
    m_element.OnLButtonDown(m_element.GetDragHandlePoint(9));
    m_element.OnLButtonUp(CPoint(5000, 180));
    EXPECT_EQ(m_element.m_handleOffset1, 1020);
    m_element.OnLButtonDown(m_element.GetDragHandlePoint(10));
    m_element.OnLButtonUp(CPoint(150, 180 + 50 + 100));
    EXPECT_EQ(m_element.m_handleOffset2, 300) << "twice the distance moved";
    m_element.OnLButtonDown(m_element.GetDragHandlePoint(10));
    m_element.OnLButtonUp(CPoint(150, -9000));
    EXPECT_EQ(m_element.m_handleOffset2, 0);

    // While the display runs the mouse does not edit.
    m_element.SetState(1);
    m_element.OnLButtonDown(CPoint(600, 500));
    m_element.OnLButtonUp(CPoint(700, 500));
    EXPECT_EQ(m_element.m_rect, CRect(150, 180, 1170, 875));
}

TEST_F(ElementRunTimeTest, CornerHandleGoesThroughTheHostTracker) {
    CHostServices services = HostServices();
    CRect handed;
    services.trackRect = [&](CWnd*, int handle, CPoint, CRect& rect) {
        handed = rect;
        if (handle != 5) return false;
        rect.right += 100;
        rect.bottom += 50;
        return true;
    };
    SetHostServices(services);
    m_element.SetState(0);
    m_element.OnLButtonDown(CPoint(1120, 895)); // handle 5, bottom right
    EXPECT_EQ(handed, CRect(86, 176, 1114, 879)) << "device units, 4 pixels outside";
    EXPECT_EQ(m_element.m_rect, CRect(100, 200, 1220, 945));
    EXPECT_FALSE(m_element.m_drag.dragging);

    m_element.OnLButtonDown(CPoint(100, 895)); // handle 7, abandoned
    EXPECT_EQ(m_element.m_rect, CRect(100, 200, 1220, 945));
}

TEST_F(ElementRunTimeTest, ALinkedWindowTakesOverTheOtherElementsSettingsUntilThatElementGoes) {
    auto source = std::make_unique<CVexorQueryElemOBJ>();
    source->m_querySettings.m_tableName = "RAIN_DAY";
    source->m_querySettings.m_stations = {"60102200"};
    m_element.m_querySettings.m_tableName = "RIVER_HOUR";

    // Linked before its window exists: the window made later follows the link.
    m_element.LinkSettingsTo(source.get());
    EXPECT_TRUE(m_element.IsLinked());
    m_element.SetParentWnd(FakeOwner());
    auto* window = dynamic_cast<StubTableWindow*>(m_element.m_tableWindow.get());
    ASSERT_NE(window, nullptr);
    {
        const std::shared_ptr<const CLinkedSettings> link = window->m_link.lock();
        ASSERT_TRUE(link);
        link->HandOver(*window);
    }
    EXPECT_EQ(window->QuerySettings().m_tableName, "RAIN_DAY");
    EXPECT_EQ(window->QuerySettings().m_stations, CStringArray{"60102200"});
    EXPECT_EQ(m_element.m_querySettings.m_tableName, "RIVER_HOUR") << "the element's own settings stay";

    // A window made again is linked again; a link to the element itself is no link.
    m_element.InitWindow();
    window = dynamic_cast<StubTableWindow*>(m_element.m_tableWindow.get());
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->m_link.expired());
    m_element.LinkSettingsTo(&m_element);
    EXPECT_FALSE(m_element.IsLinked());
    EXPECT_TRUE(window->m_link.expired());

    // The link ends with the element it points to.
    m_element.LinkSettingsTo(source.get());
    EXPECT_FALSE(window->m_link.expired());
    source.reset();
    EXPECT_FALSE(m_element.IsLinked());
    EXPECT_TRUE(window->m_link.expired());
}

} // namespace
