// The property sheet driven as an engineer drives it, on the offscreen platform over the compact
// demo database: choose a table and stations, OK, and the element's window shows that table;
// reopen, store and load the display; Cancel; numbers the pages refuse; every control under
// its id with its text.
#include "AddDataFormDlg.h"
#include "CJColorPicker.h"
#include "DemoDatabase.h"
#include "FilterDlg.h"
#include "FormControls.h"
#include "Hooks.h"
#include "KeyFilterDlg.h"
#include "QueryPropertySheet.h"
#include "QueryWindow.h"
#include "TestDatabase.h"
#include "VexorQueryElemOBJ.h"
#include "WindowFactory.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <functional>

namespace {

class OwnerWindow : public QWidget, public CWnd {
public:
    OwnerWindow() : CWnd(*this, 1, nullptr) { resize(1100, 750); }
};

// Answers the sheet as the user would: act on its pages, then press OK or Cancel.
class SheetDriver {
public:
    using Act = std::function<int(QWidget& sheet)>;
    explicit SheetDriver(Act act)
        : m_old(ui::SetModalResponder([this, act](CWnd& dialog) {
              ++opened;
              return act(dialog.GetWidget());
          })) {}
    ~SheetDriver() { ui::SetModalResponder(m_old); }
    SheetDriver(const SheetDriver&) = delete;
    SheetDriver& operator=(const SheetDriver&) = delete;
    int opened = 0;

private:
    ui::ModalResponder m_old;
};

QWidget& Page(QWidget& sheet, int pageId) {
    QWidget* page = FindControl(sheet, pageId);
    EXPECT_NE(page, nullptr) << "page " << pageId;
    return *page;
}

template <class W> W& Control(QWidget& sheet, int pageId, int id) {
    W* control = FindControl<W>(Page(sheet, pageId), id);
    EXPECT_NE(control, nullptr) << "control " << id << " of page " << pageId;
    return *control;
}

void ShowPage(QWidget& sheet, int index) {
    sheet.findChild<QTabWidget*>()->setCurrentIndex(index);
}

std::vector<std::uint8_t> Stored(CVexorQueryElemOBJ& e) {
    CArchive ar;
    ar.SetObjectSchema(1);
    e.Serialize(ar);
    return ar.Bytes();
}

class PropertySheetTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string reason;
        s_db = testdb::TestDatabase::Create(testdb::Kind::Sqlite, reason);
        ASSERT_TRUE(s_db) << reason;
        demo::DemoOptions options;
        options.compact = true;
        std::string error;
        ASSERT_TRUE(demo::BuildDemoDatabase("sqlite:" + s_db->dir() + "/demo.sqlite", options, error))
            << error;
    }
    static void TearDownTestSuite() { s_db.reset(); }

    void SetUp() override {
        if (!s_db) GTEST_SKIP() << "no demo database";
        InstallElementWindows();
        m_oldRunner = SetPropertySheetRunner(RunQueryPropertySheet);
        m_oldMessages = ui::SetMessageBoxResponder([this](const CString& text, const CString&, unsigned) {
            m_messages.push_back(text.str());
            return ui::IDOK;
        });
        m_owner.show();
        m_element.m_rect = CRect(0, 0, 1000, 600);
        CQuerySettings& q = m_element.m_querySettings;
        q.m_tableName = "RIVER_HOUR";
        q.m_stations.Add("60105400");
        q.m_displayMode = kDisplayGivenStations;
        q.m_startTimeText = "2026-10-01 08:00:00";
        q.m_endTimeText = "2026-10-02 08:00:00";
        m_element.SetParentWnd(&m_owner);
    }
    void TearDown() override {
        m_element.SetParentWnd(nullptr);
        ui::SetMessageBoxResponder(m_oldMessages);
        SetPropertySheetRunner(m_oldRunner);
        RemoveElementWindows();
    }

    CQueryWindow& Window() {
        auto* window = dynamic_cast<CQueryWindow*>(m_element.m_tableWindow.get());
        EXPECT_NE(window, nullptr);
        return *window;
    }

    // The headings the engine shows for a table, as the first grid row.
    static std::vector<std::string> HeadingsOf(const char* table) {
        CQueryClient client;
        CTableQuery query(client);
        query.Load(table, {});
        CGridIterator grid;
        query.ShowHeadings(grid);
        return HeaderRow(grid);
    }
    static std::vector<std::string> HeaderRow(const CGridIterator& grid) {
        std::vector<std::string> row;
        for (long c = 0; c < grid.GetColumnCount(); ++c)
            row.emplace_back(grid.GetCellView(0, c));
        return row;
    }

    static inline std::unique_ptr<testdb::TestDatabase> s_db;
    OwnerWindow m_owner;
    CVexorQueryElemOBJ m_element;
    std::vector<std::string> m_messages;
    PropertySheetRunner m_oldRunner;
    ui::MessageBoxResponder m_oldMessages;
};

TEST_F(PropertySheetTest, ChosenTableAndStationsReachTheElementItsWindowAndTheDisplayFile) {
    ASSERT_EQ(HeaderRow(Window().Grid()), HeadingsOf("RIVER_HOUR"));
    ASSERT_NE(HeadingsOf("RIVER_HOUR"), HeadingsOf("RAIN_DAY"));
    SheetDriver choose([](QWidget& sheet) {
        EXPECT_EQ(sheet.windowTitle(), "系统设置查询属性");
        ShowPage(sheet, 1);
        auto& tables = Control<QComboBox>(sheet, 901, 1020);
        EXPECT_NE(tables.findText("RAIN_DAY"), -1) << "the list holds the configured tables";
        tables.setEditText(" RAIN_DAY ");
        Control<QAbstractButton>(sheet, 901, 1004).setChecked(true);
        Control<QLineEdit>(sheet, 901, 1008).setText("60105400,60110000,");
        Control<QComboBox>(sheet, 901, 1059).setCurrentIndex(1);     // 天
        Control<QAbstractButton>(sheet, 901, 1022).setChecked(true); // 写
        return ui::IDOK;
    });
    EXPECT_EQ(m_element.Property(&m_owner), 1);
    EXPECT_EQ(choose.opened, 1);
    const CQuerySettings& q = m_element.m_querySettings;
    EXPECT_EQ(q.m_tableName, "RAIN_DAY");
    ASSERT_EQ(q.m_stations.GetSize(), 2);
    EXPECT_EQ(q.m_stations[1], "60110000");
    EXPECT_EQ(q.m_timeTypeIndex, kTimeDay);
    EXPECT_EQ(q.m_accessMode, "WRITE");
    EXPECT_EQ(Window().QuerySettings().m_tableName, "RAIN_DAY");
    EXPECT_EQ(HeaderRow(Window().Grid()), HeadingsOf("RAIN_DAY")) << "the window shows the new table";

    // Opened again, the sheet shows the choices.
    SheetDriver look([](QWidget& sheet) {
        EXPECT_EQ(Control<QComboBox>(sheet, 901, 1020).currentText(), "RAIN_DAY");
        EXPECT_EQ(Control<QLineEdit>(sheet, 901, 1008).text(), "60105400,60110000");
        EXPECT_TRUE(Control<QAbstractButton>(sheet, 901, 1004).isChecked());
        EXPECT_EQ(Control<QComboBox>(sheet, 901, 1059).currentText(), "天");
        return ui::IDCANCEL;
    });
    m_element.Property(&m_owner);
    EXPECT_EQ(look.opened, 1);

    // Stored into the display file and loaded again.
    CVexorQueryElemOBJ loaded;
    CArchive in(Stored(m_element));
    in.SetObjectSchema(1);
    loaded.Serialize(in);
    EXPECT_EQ(loaded.m_querySettings.m_tableName, "RAIN_DAY");
    EXPECT_EQ(loaded.m_querySettings.m_stations, q.m_stations);
    EXPECT_EQ(loaded.m_querySettings.m_timeTypeIndex, kTimeDay);
}

TEST_F(PropertySheetTest, CancelAndRefusedNumbersChangeNothing) {
    const std::vector<std::uint8_t> before = Stored(m_element);
    SheetDriver cancel([](QWidget& sheet) {
        ShowPage(sheet, 1);
        Control<QComboBox>(sheet, 901, 1020).setEditText("RAIN_DAY");
        Control<QAbstractButton>(sheet, 900, 1022).setChecked(true);
        return ui::IDCANCEL;
    });
    m_element.Property(&m_owner);
    EXPECT_EQ(Stored(m_element), before);
    EXPECT_EQ(Window().QuerySettings().m_tableName, "RIVER_HOUR");

    for (const char* interval : {"12abc", "100000000", ""}) {
        m_messages.clear();
        SheetDriver refused([interval](QWidget& sheet) {
            ShowPage(sheet, 1);
            Control<QComboBox>(sheet, 901, 1020).setEditText("RAIN_DAY");
            Control<QLineEdit>(sheet, 901, 1058).setText(interval);
            return ui::IDOK;
        });
        m_element.Property(&m_owner);
        EXPECT_EQ(Stored(m_element), before) << interval;
        ASSERT_EQ(m_messages.size(), 1u) << interval;
        EXPECT_EQ(m_messages[0], "系统设置与简单查询: 请输入一个介于 0 和 99999999 之间的整数。");
    }
    SheetDriver fixed([](QWidget& sheet) {
        Control<QLineEdit>(sheet, 900, 1102).setText("0");
        return ui::IDOK;
    });
    m_messages.clear();
    m_element.Property(&m_owner);
    EXPECT_EQ(Stored(m_element), before);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0], "功能选择: 请输入一个介于 1 和 999 之间的整数。");
}

TEST_F(PropertySheetTest, APageNeverOpenedKeepsWhatItWasGiven) {
    m_element.m_querySettings.m_timeInterval = 0; // the page would show and keep 1
    SheetDriver firstPageOnly([](QWidget& sheet) {
        Control<QLineEdit>(sheet, 900, 1103).setText("-5");
        return ui::IDOK;
    });
    m_element.Property(&m_owner);
    EXPECT_EQ(m_element.m_interfaceSettings.m_panelWidth, 175);
    EXPECT_EQ(m_element.m_querySettings.m_timeInterval, 0);
}

TEST_F(PropertySheetTest, RowColoursAndElementChoiceFollowTheirBoxesAndAdvancedNeedsATable) {
    SheetDriver drive([this](QWidget& sheet) {
        auto& alternate = Control<QAbstractButton>(sheet, 900, 1072);
        auto& fixed = Control<QAbstractButton>(sheet, 900, 1074);
        auto& choice = Control<QAbstractButton>(sheet, 900, 1095);
        alternate.setChecked(false);
        EXPECT_FALSE(FindControl(Page(sheet, 900), 1012)->isEnabled());
        EXPECT_FALSE(FindControl(Page(sheet, 900), 1019)->isEnabled());
        EXPECT_TRUE(FindControl(Page(sheet, 900), 1021)->isEnabled());
        fixed.setChecked(true);
        EXPECT_FALSE(choice.isHidden());
        choice.setChecked(true);

        ShowPage(sheet, 1);
        auto& advanced = Control<QAbstractButton>(sheet, 901, 1016);
        EXPECT_FALSE(advanced.isEnabled());
        Control<QAbstractButton>(sheet, 901, 1060).setChecked(true);
        EXPECT_TRUE(advanced.isEnabled());
        Control<QComboBox>(sheet, 901, 1020).setEditText("  ");
        advanced.click();
        EXPECT_EQ(m_messages, std::vector<std::string>{"表名不能为空!"});
        Control<QComboBox>(sheet, 901, 1020).setEditText("RIVER_HOUR");
        return ui::IDOK;
    });
    m_element.Property(&m_owner);
    EXPECT_EQ(m_element.m_interfaceSettings.m_alternateRows, 0);
    EXPECT_EQ(m_element.m_interfaceSettings.m_fixedColumns, 1);
    EXPECT_EQ(m_element.m_interfaceSettings.m_elementChoice, 1);
    EXPECT_EQ(m_element.m_querySettings.m_advanced, 1);
}

// "设置" edits the sheet's copy of the viewer's settings: kept on OK of the sheet, gone on its
// Cancel, as everything else the sheet changed. "..." puts the chosen entry form into the edit.
TEST_F(PropertySheetTest, ViewerSettingsFollowTheSheetAndTheChosenEntryFormFillsTheEdit) {
    m_element.m_sysViewSettings.m_background = 0xFFFFFF;
    const std::vector<std::uint8_t> before = Stored(m_element);
    std::string chosenForm;
    auto answer = [&](int sheetAnswer, int viewerAnswer) {
        return [&, sheetAnswer, viewerAnswer](QWidget& dialog) {
            if (dialog.windowTitle() == "系统查看") {
                FindControl<CCJColorPicker>(dialog, 1046)->SetColor(0x123456);
                return viewerAnswer;
            }
            if (dialog.windowTitle() == "选择数据增加对话框") {
                auto* forms = dynamic_cast<CAddDataFormDlg&>(dialog).FormList();
                EXPECT_GE(forms->GetCount(), 2);
                forms->SetCurSel(1);
                chosenForm = dynamic_cast<CAddDataFormDlg&>(dialog).SelectedForm().str();
                return ui::IDOK;
            }
            Control<QAbstractButton>(dialog, 900, 1090).click();
            ShowPage(dialog, 1);
            Control<QAbstractButton>(dialog, 901, 1111).click();
            EXPECT_EQ(Control<QLineEdit>(dialog, 901, 1110).text().toStdString(), chosenForm);
            return sheetAnswer;
        };
    };
    {
        SheetDriver cancelled(answer(ui::IDCANCEL, ui::IDOK));
        m_element.Property(&m_owner);
        EXPECT_EQ(cancelled.opened, 3);
    }
    EXPECT_EQ(m_element.m_sysViewSettings.m_background, 0xFFFFFFu) << "the sheet was cancelled";
    EXPECT_EQ(Stored(m_element), before);
    {
        SheetDriver viewerCancelled(answer(ui::IDOK, ui::IDCANCEL));
        m_element.Property(&m_owner);
    }
    EXPECT_EQ(m_element.m_sysViewSettings.m_background, 0xFFFFFFu) << "the viewer's dialog was cancelled";
    {
        SheetDriver kept(answer(ui::IDOK, ui::IDOK));
        m_element.Property(&m_owner);
    }
    EXPECT_EQ(m_element.m_sysViewSettings.m_background, 0x123456u);
    ASSERT_FALSE(chosenForm.empty());
    EXPECT_EQ(m_element.m_windowSettings.m_entryFormName, chosenForm);

    CVexorQueryElemOBJ loaded;
    CArchive in(Stored(m_element));
    in.SetObjectSchema(1);
    loaded.Serialize(in);
    EXPECT_EQ(loaded.m_sysViewSettings.m_background, 0x123456u);
    EXPECT_EQ(loaded.m_windowSettings.m_entryFormName, chosenForm);
}

TEST_F(PropertySheetTest, EveryControlStandsUnderItsIdWithItsText) {
    struct Expected {
        int page;
        int id;
        const char* text;
    };
    const Expected controls[] = {
        {900, 1000, "系统设置与简单查询"},
        {900, 1004, "点数据查询"},
        {900, 1022, "系统查看"},
        {900, 1072, "隔行颜色显示"},
        {900, 1074, "固定GRID的列"},
        {900, 1095, "要素选择"},
        {900, 1090, "设置"},
        {901, 1000, "全部显示"},
        {901, 1004, "默认显示"},
        {901, 1057, "动态显示时间"},
        {901, 1022, "写"},
        {901, 1023, "读"},
        {901, 1024, "读/ 写"},
        {901, 1032, "水平方向"},
        {901, 1029, "垂直方向"},
        {901, 1030, "面板显示"},
        {901, 1031, "菜单显示"},
        {901, 1034, "驱动显示"},
        {901, 1075, "字"},
        {901, 1109, "增加数据"},
        {901, 1111, "..."},
        {901, 1016, "高级"},
        {901, 1060, ""},
    };
    const int plain[][2] = {{900, 1012}, {900, 1019}, {900, 1021}, {900, 1102}, {900, 1103}, {901, 1020},
                            {901, 1008}, {901, 1059}, {901, 1058}, {901, 1105}, {901, 1039}, {901, 1110}};
    SheetDriver look([&](QWidget& sheet) {
        for (const Expected& c : controls)
            EXPECT_EQ(Control<QAbstractButton>(sheet, c.page, c.id).text().toStdString(), c.text) << c.id;
        for (const auto& [page, id] : plain)
            EXPECT_NE(FindControl(Page(sheet, page), id), nullptr) << page << " " << id;
        EXPECT_TRUE(Control<QAbstractButton>(sheet, 901, 1034).isHidden()) << "drive style is not offered";
        auto& types = Control<QComboBox>(sheet, 901, 1059);
        EXPECT_EQ(types.count(), 4);
        EXPECT_EQ(types.itemText(3), "月");
        return ui::IDCANCEL;
    });
    m_element.Property(&m_owner);
    EXPECT_EQ(look.opened, 1);
}

} // namespace

namespace {

int RiverRows() {
    const std::vector<std::string> rows = testdb::Rows("SELECT COUNT(*) FROM KES.RIVER_HOUR");
    return rows.empty() ? -1 : std::atoi(rows[0].c_str());
}

TEST_F(PropertySheetTest, FilterDialogPutsPiecesTogetherAndRefusesAConditionThatWouldWrite) {
    CQueryClient client;
    CTableQuery river(client);
    river.Load("RIVER_HOUR", {});
    const int rows = RiverRows();
    ASSERT_GT(rows, 0);

    // Z (水位) at least 12.5, or Q (流量) below 3: put together as an engineer clicks it.
    CFilterDlg built(river.Settings().Columns(), "RIVER_HOUR", &m_owner);
    SheetDriver build([](QWidget& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "筛选条件");
        EXPECT_EQ(FindControl<QAbstractButton>(dialog, 1)->text(), "应用");
        EXPECT_EQ(FindControl<QAbstractButton>(dialog, 2)->text(), "放弃");
        auto& fields = *FindControl<QComboBox>(dialog, 1047);
        EXPECT_EQ(fields.findText("时间"), -1) << "time columns are not offered";
        auto choose = [&](const char* heading, int op, const char* value, int button) {
            fields.setCurrentIndex(fields.findText(heading));
            emit fields.activated(fields.currentIndex());
            FindControl<QComboBox>(dialog, 1086)->setCurrentIndex(op);
            FindControl<QLineEdit>(dialog, 1088)->setText(value);
            FindControl<QAbstractButton>(dialog, button)->click();
        };
        choose("水位(m)", 1, "12.5", 1014);
        EXPECT_EQ(FindControl<QLabel>(dialog, 1082)->text(), "Z");
        choose("流量(m³/s)", 5, "3", 1007);
        EXPECT_EQ(FindControl<QPlainTextEdit>(dialog, 1084)->toPlainText(), "Z>=12.5 OR Q<3");
        return ui::IDOK;
    });
    EXPECT_EQ(built.DoModal(), ui::IDOK);
    EXPECT_EQ(built.GetCondition(), " (Z>=12.5 OR Q<3) ");
    EXPECT_TRUE(m_messages.empty());

    for (const char* typed : {"1=1; DELETE FROM KES.RIVER_HOUR", "1=1; COMMIT; DELETE FROM KES.RIVER_HOUR",
                              "Z>0; UPDATE KES.RIVER_HOUR SET Z=0"}) {
        m_messages.clear();
        CFilterDlg filter(river.Settings().Columns(), "RIVER_HOUR", &m_owner);
        SheetDriver type([typed](QWidget& dialog) {
            FindControl<QPlainTextEdit>(dialog, 1084)->setPlainText(typed);
            return ui::IDOK;
        });
        EXPECT_EQ(filter.DoModal(), ui::IDCANCEL) << typed;
        EXPECT_EQ(filter.GetCondition(), "");
        ASSERT_EQ(m_messages.size(), 1u) << typed;
        EXPECT_TRUE(m_messages[0].starts_with("条件不能使用: ")) << m_messages[0];
        EXPECT_EQ(RiverRows(), rows) << typed;
    }
}

TEST_F(PropertySheetTest, KeyFilterTakesAReadingConditionAndRefusesAWritingOne) {
    const int rows = RiverRows();
    CKeyFilterDlg example("例: STCD>60000000", "RIVER_HOUR", &m_owner);
    SheetDriver ok([](QWidget&) { return ui::IDOK; });
    EXPECT_EQ(example.DoModal(), ui::IDOK);
    EXPECT_EQ(example.Condition(), " () ") << "the example counts as no condition";

    CKeyFilterDlg reading("STCD>60000000", "RIVER_HOUR", &m_owner);
    EXPECT_EQ(reading.DoModal(), ui::IDOK);
    EXPECT_EQ(reading.Condition(), " (STCD>60000000) ");

    CKeyFilterDlg writing("STCD>0) ; DELETE FROM KES.RIVER_HOUR WHERE (1=1", "RIVER_HOUR", &m_owner);
    EXPECT_EQ(writing.DoModal(), ui::IDCANCEL);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(m_messages[0].starts_with("条件不能使用: ")) << m_messages[0];
    EXPECT_EQ(RiverRows(), rows);
}

} // namespace
