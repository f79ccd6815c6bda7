// The property sheet driven as an engineer drives it, on the offscreen platform over the compact
// demo database: choose a table and stations, OK, and the element's window shows that table;
// reopen, store and load the display; Cancel; numbers the pages refuse; every control under
// its id with its text.
#include "AddDataFormDlg.h"
#include "AddSelectDlg.h"
#include "AdvancedSetDlg.h"
#include "AdvancedSettings.h"
#include "CJColorPicker.h"
#include "CompactDemo.h"
#include "FilterDlg.h"
#include "FormControls.h"
#include "GridCtrl.h"
#include "Hooks.h"
#include "KeyFilterDlg.h"
#include "ListToolStrip.h"
#include "PointQueryWindow.h"
#include "QtConvert.h"
#include "QueryPropertySheet.h"
#include "QueryWindow.h"
#include "SPointQueryProp.h"
#include "StatSetDlg.h"
#include "TestDatabase.h"
#include "VexorQueryElemOBJ.h"
#include "WindowFactory.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
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
        std::string error;
        ASSERT_TRUE(testdb::BuildCompactDemo(*s_db, error)) << error;
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
    m_element.m_pointSettings.m_points.Add(std::make_unique<CPointEntry>());
    m_element.m_pointSettings.m_points[0].m_values[0] = 7; // the point page would keep 1
    SheetDriver firstPageOnly([](QWidget& sheet) {
        Control<QLineEdit>(sheet, 900, 1103).setText("-5");
        return ui::IDOK;
    });
    m_element.Property(&m_owner);
    EXPECT_EQ(m_element.m_interfaceSettings.m_panelWidth, 175);
    EXPECT_EQ(m_element.m_querySettings.m_timeInterval, 0);
    EXPECT_EQ(m_element.m_pointSettings.m_points[0].m_values[0], 7);
    EXPECT_EQ(m_element.m_pointSettings.m_dataType, 0) << "the point page would store hourly";
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

// Page 3 as an engineer fills it: 点数据查询 chosen on 功能选择, two points added through
// "选择站号" (answered like the user), 日数据 and 读; OK gives the element those points and its
// point window shows them; the sheet opened again shows them too.
TEST_F(PropertySheetTest, PointPageAddsPickedPointsThatTheElementAndItsPointWindowShow) {
    int pickerOpened = 0;
    int pickerListed = 0;
    SheetDriver configure([&](QWidget& dialog) {
        if (dialog.windowTitle() == "选择站号") {
            ++pickerOpened;
            auto* list = FindControl<QListWidget>(dialog, 1042);
            pickerListed = list->count();
            for (int i = 0; i < list->count(); ++i) {
                const QString text = list->item(i)->text();
                list->item(i)->setSelected(text.endsWith("(10021)") || text.endsWith("(10022)"));
            }
            FindControl<QAbstractButton>(dialog, 1038)->setChecked(false); // 最大值
            return ui::IDOK;
        }
        Control<QAbstractButton>(dialog, 900, 1004).setChecked(true); // 点数据查询
        ShowPage(dialog, 2);
        QWidget& strip = Control<CListToolStrip>(dialog, 902, 1045);
        EXPECT_EQ(static_cast<CListToolStrip&>(strip).Caption(), " 站号选择");
        FindControl<QAbstractButton>(strip, 1001)->click();           // 增加新数据
        Control<QAbstractButton>(dialog, 902, 1053).setChecked(true); // 日数据
        Control<QAbstractButton>(dialog, 902, 1050).setChecked(true); // 读
        return ui::IDOK;
    });
    m_element.Property(&m_owner);
    EXPECT_EQ(pickerOpened, 1);
    EXPECT_GE(pickerListed, 3) << "both filters blank: every point of ALLPOINT";

    const CPointQuerySettings& s = m_element.m_pointSettings;
    ASSERT_EQ(s.m_points.GetSize(), 2);
    EXPECT_EQ(s.m_points[0].m_number, "10021");
    EXPECT_EQ(s.m_points[1].m_number, "10022");
    EXPECT_FALSE(s.m_points[0].m_name.IsEmpty());
    EXPECT_EQ(s.m_points[1].m_values[1], 1);
    EXPECT_EQ(s.m_points[1].m_values[2], 0) << "最大值 was not ticked";
    EXPECT_EQ(s.m_dataType, kPointDaily);
    EXPECT_EQ(s.m_accessMode, kPointRead);

    auto* window = dynamic_cast<CPointQueryWindow*>(m_element.m_pointWindow.get());
    ASSERT_NE(window, nullptr) << "the element shows its point window";
    const CGridIterator& grid = window->Grid();
    ASSERT_EQ(grid.GetColumnCount(), 4);
    EXPECT_EQ(grid.GetItemText(0, 2), s.m_points[0].m_name);
    EXPECT_EQ(grid.GetItemText(1, 1), "2026-10-01") << "daily rows";
    EXPECT_NE(grid.GetItemText(1, 2), " ") << "the point's daily value";

    SheetDriver look([](QWidget& sheet) {
        ShowPage(sheet, 2);
        auto* page = dynamic_cast<CSPointQueryProp*>(&Page(sheet, 902));
        EXPECT_NE(page, nullptr);
        if (!page) return ui::IDCANCEL;
        EXPECT_EQ(page->Grid().GetRowCount(), 3);
        EXPECT_EQ(page->Grid().GetItemText(2, 2), "10022");
        EXPECT_EQ(page->Grid().GetItemText(2, 5), "0");
        EXPECT_TRUE(Control<QAbstractButton>(sheet, 902, 1053).isChecked());
        EXPECT_TRUE(Control<QAbstractButton>(sheet, 902, 1050).isChecked());
        // The second point moved up takes the selection along; Cancel then keeps the order.
        SelectGridRows(*page->GridCtrl(), 2, 2);
        QWidget& strip = Control<CListToolStrip>(sheet, 902, 1045);
        FindControl<QAbstractButton>(strip, 1009)->click();
        EXPECT_EQ(page->Grid().GetItemText(1, 2), "10022");
        EXPECT_EQ(page->GridCtrl()->GetSelectedRows(), std::vector<long>{1});
        return ui::IDCANCEL;
    });
    m_element.Property(&m_owner);
    EXPECT_EQ(look.opened, 1);
    EXPECT_EQ(m_element.m_pointSettings.m_points[0].m_number, "10021");
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

// Answers each modal dialog by its id: the sheet, "高级设置", "增加选择".
int DialogId(const QWidget& dialog) {
    return dialog.property("controlId").toInt();
}

CGridIterator& GridOf(QWidget& dialog, int id) {
    return FindControl<CGridCtrl>(dialog, id)->GetGrid();
}

// Types a cell of a settings grid as the engineer does, through the grid control.
void TypeCell(QWidget& dialog, int gridId, long row, long col, const char* text) {
    CGridCtrl& ctrl = *FindControl<CGridCtrl>(dialog, gridId);
    EXPECT_TRUE(
        ctrl.GetModel().setData(ctrl.GetModel().IndexOf(row, col), QString::fromUtf8(text), Qt::EditRole));
}

TEST_F(PropertySheetTest, AdvancedSettingsGiveTheElementColumnsAndItemsThatItsWindowQueries) {
    m_element.m_queryOptions.m_columnsTable = "RAIN_DAY"; // made for another table before
    int filterItems = -1;
    std::vector<int> opened;
    SheetDriver drive([&](QWidget& dialog) {
        opened.push_back(DialogId(dialog));
        switch (DialogId(dialog)) {
        case CAdvancedSetDlg::kDialogId: {
            EXPECT_EQ(dialog.windowTitle(), "高级设置");
            EXPECT_EQ(GridOf(dialog, 942).GetRowCount(), 1) << "no columns until 初始化设置";
            FindControl<QAbstractButton>(dialog, 1002)->click();
            CGridIterator& columns = GridOf(dialog, 942);
            EXPECT_EQ(columns.GetItemText(1, 1), "STCD");
            long z = -1;
            for (long r = 1; r < columns.GetRowCount(); ++r)
                if (columns.GetItemText(r, 1) == "Z") z = r;
            EXPECT_GT(z, 0);
            TypeCell(dialog, 942, z, 2, "水位(米)");
            TypeCell(dialog, 942, z, 3, "15000(水势)");
            EXPECT_TRUE(FindControl(dialog, 1083)->isHidden()) << "缺数统计 is not for RIVER_HOUR";
            FindControl<QAbstractButton>(dialog, 1062)->click();                          // ID条件
            FindControl<QAbstractButton>(dialog, 1061)->click();                          // 时间条件
            FindControl<QAbstractButton>(dialog, CListToolStrip::kButtonIds[0])->click(); // add
            filterItems = int(GridOf(dialog, 943).GetRowCount()) - 1;
            return ui::IDOK;
        }
        case CAddSelectDlg::kDialogId: {
            EXPECT_TRUE(FindControl(dialog, 1003)->isHidden()) << "filter mode";
            auto& schemes = *FindControl<QComboBox>(dialog, 1047);
            schemes.setCurrentIndex(schemes.findText("测站(1)"));
            emit schemes.activated(schemes.currentIndex());
            EXPECT_EQ(FindControl<QLineEdit>(dialog, 1098)->text(), "测站");
            auto& values = *FindControl<QListWidget>(dialog, 1042);
            EXPECT_GT(values.count(), 2);
            EXPECT_EQ(values.selectedItems().size(), values.count()) << "every value chosen at first";
            FindControl<QAbstractButton>(dialog, 1069)->click(); // 全选 off
            values.item(0)->setSelected(true);
            values.item(2)->setSelected(true);
            return ui::IDOK;
        }
        default:
            ShowPage(dialog, 1);
            Control<QAbstractButton>(dialog, 901, 1060).setChecked(true);
            Control<QAbstractButton>(dialog, 901, 1016).click();
            return ui::IDOK;
        }
    });
    m_element.Property(&m_owner);
    EXPECT_EQ(opened, (std::vector<int>{0, 904, 905}));
    EXPECT_TRUE(m_messages.empty()) << m_messages.front();
    EXPECT_EQ(filterItems, 1);

    const CQueryOptions& o = m_element.m_queryOptions;
    EXPECT_EQ(o.m_columnsTable, "RIVER_HOUR");
    EXPECT_EQ(o.m_timeCondition, 1);
    EXPECT_EQ(o.m_idCondition, 1);
    ASSERT_EQ(o.m_selectItems.GetSize(), 2);
    const CSelectItem& filter = o.m_selectItems[0];
    EXPECT_EQ(filter.kind, kSelectFilter);
    EXPECT_EQ(filter.table, "STATION");
    EXPECT_EQ(filter.keyColumn, "STCD");
    std::vector<std::string> codes = testdb::Rows("SELECT STCD FROM KES.STATION ORDER BY STCD");
    ASSERT_GT(codes.size(), 2u);
    for (std::string& code : codes)
        code.pop_back(); // the value's ","
    EXPECT_EQ(filter.condition, "(" + codes[0] + "," + codes[2] + ")");
    EXPECT_EQ(o.m_selectItems[1].kind, kSelectTime);
    EXPECT_EQ(o.m_selectItems[1].keyColumn, "TM");
    EXPECT_EQ(m_element.m_querySettings.m_advanced, 1);

    // The window queries with the element's own columns: the heading typed into the grid.
    const std::vector<std::string> headings = HeaderRow(Window().Grid());
    EXPECT_NE(std::find(headings.begin(), headings.end(), "水位(米)"), headings.end());
    EXPECT_EQ(std::find(headings.begin(), headings.end(), "水位(m)"), headings.end());
    int z = -1;
    for (int i = 1; i < o.m_columns.GetSize(); ++i)
        if (o.m_columns[i].colname == "Z") z = i;
    ASSERT_GT(z, 0);
    EXPECT_EQ(o.m_columns[z].Projmodeid, "15000");
}

TEST_F(PropertySheetTest, StationMappingKeyFilterAndStatisticsAndWhatCancelKeeps) {
    CQuerySettings query = m_element.m_querySettings;
    query.m_advanced = 1;
    CWindowSettings window;
    CQueryOptions options;
    CQueryClient client;
    InitialiseColumns(client, "RIVER_HOUR", options);
    options.m_idCondition = 1;
    std::vector<int> opened;
    CString keyFilter = "STCD>60000000";
    CString scheme = "测站(1)";
    SheetDriver drive([&](QWidget& dialog) {
        opened.push_back(DialogId(dialog));
        switch (DialogId(dialog)) {
        case CAddSelectDlg::kDialogId: {
            EXPECT_FALSE(FindControl(dialog, 1003)->isHidden()) << "station mode";
            EXPECT_TRUE(FindControl(dialog, 1042)->isHidden());
            auto& schemes = *FindControl<QComboBox>(dialog, 1047);
            if (scheme.IsEmpty()) return ui::IDCANCEL;
            schemes.setCurrentIndex(schemes.findText(ToQString(scheme.str())));
            emit schemes.activated(schemes.currentIndex());
            FindControl<QAbstractButton>(dialog, 1003)->click();
            return ui::IDOK;
        }
        case CKeyFilterDlg::kDialogId:
            FindControl<QPlainTextEdit>(dialog, 1099)->setPlainText(ToQString(keyFilter.str()));
            return ui::IDOK;
        case CStatSetDlg::kDialogId:
            FindControl<QLineEdit>(dialog, 1136)->setText("3");
            FindControl<QAbstractButton>(dialog, 1134)->setChecked(true);
            return ui::IDOK;
        default:
            return ui::IDCANCEL;
        }
    });
    {
        CAdvancedSetDlg dialog(window, options, query, &m_owner);
        FindControl<QAbstractButton>(dialog, 1068)->click(); // 增加
        EXPECT_EQ(FindControl<QLineEdit>(dialog, 1097)->text(), "测站(1)");
        FindControl<QAbstractButton>(dialog, 1061)->click(); // 时间条件
        FindControl<QAbstractButton>(dialog, 1133)->click(); // 统计信息
        FindControl<QAbstractButton>(dialog, CListToolStrip::kButtonIds[1])
            ->click(); // delete, nothing chosen
        EXPECT_EQ(dialog.DoModal(), ui::IDCANCEL);
    }
    EXPECT_EQ(opened, (std::vector<int>{905, 910, 918, 904}));
    ASSERT_EQ(options.m_selectItems.GetSize(), 2) << "增加 and 时间条件 stay after Cancel";
    const CSelectItem& station = options.m_selectItems[0];
    EXPECT_EQ(station.kind, kSelectStation);
    EXPECT_EQ(station.table, "STATION");
    EXPECT_EQ(station.keyColumn, "STCD");
    EXPECT_EQ(station.condition, " (STCD>60000000) ");
    EXPECT_EQ(options.m_selectItems[1].kind, kSelectTime);
    EXPECT_EQ(options.m_decimalsInstant, 3);
    EXPECT_EQ(options.m_statisticsEnabled, 1);
    EXPECT_EQ(options.m_timeCondition, 0) << "the box itself is stored by OK only";

    // A station item whose scheme is gone is told; the dialog then has no scheme to take.
    options.m_selectItems[0].schemeId = "999";
    scheme.Empty();
    opened.clear();
    {
        CAdvancedSetDlg dialog(window, options, query, &m_owner);
        FindControl<QAbstractButton>(dialog, 1068)->click();
    }
    EXPECT_EQ(m_messages, std::vector<std::string>{"库中没有此号!请重新设置!"});
    EXPECT_EQ(options.m_selectItems[0].schemeId, "999") << "Cancel leaves the station item";
}

} // namespace
