// The system view's settings dialogs on the offscreen platform over the compact demo database:
// dialog 911 opening on the stored settings, its list edited through the tool strip, a table
// added with dialog 912 (its time column chosen from the table's columns), OK and Cancel.
#include "SysLookAddDlg.h"
#include "SysLookSetDlg.h"

#include "ButtonST.h"
#include "CJColorPicker.h"
#include "ComboBox.h"
#include "CompactDemo.h"
#include "Edit.h"
#include "GridCtrl.h"
#include "GridModel.h"
#include "ListToolStrip.h"
#include "TestDatabase.h"

#include <QItemSelectionModel>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

template <class T> T* Control(const CWnd& dialog, int id) {
    return dynamic_cast<T*>(dialog.GetDlgItem(id));
}

std::vector<std::string> Texts(const CComboBox& list) {
    std::vector<std::string> texts;
    for (int i = 0; i < list.GetCount(); ++i)
        texts.push_back(list.GetLBText(i).str());
    return texts;
}

class SysLookDialogTest : public ::testing::TestWithParam<testdb::Kind> {
protected:
    void SetUp() override {
        TESTDB_OPEN_DEMO(m_db, GetParam());
        m_settings.m_background = 0xC0FFC0;
        m_settings.m_text = "水库醒目(3)";
        for (const char* table : {"A", "B", "C"}) {
            auto e = std::make_unique<CSysViewEntry>();
            e->m_table = table;
            e->m_column = "TM";
            m_settings.m_entries.Add(std::move(e));
        }
    }

    std::string Tables(CSysLookSetDlg& dialog) {
        std::string names;
        for (long row = 1; row < dialog.Grid().GetRowCount(); ++row)
            names += dialog.Grid().GetItemText(row, 1).str();
        return names;
    }
    static void SelectRows(CSysLookSetDlg& dialog, long first, long last) {
        const CGridModel& model = dialog.GridCtrl()->GetModel();
        dialog.GridCtrl()->selectionModel()->select(
            QItemSelection(model.IndexOf(first, 1), model.IndexOf(last, 3)),
            QItemSelectionModel::ClearAndSelect);
    }
    static void Press(CSysLookSetDlg& dialog, int button) {
        Control<QAbstractButton>(*Control<CListToolStrip>(dialog, CSysLookSetDlg::kToolStrip), button)
            ->click();
    }

    std::unique_ptr<testdb::TestDatabase> m_db;
    CSysViewSettings m_settings;
};

TEST_P(SysLookDialogTest, OpensOnTheStoredSettingsAndCancelChangesNothing) {
    const CSysViewSettings before = m_settings;
    CSysLookSetDlg dialog(m_settings);
    auto* modes = Control<CComboBox>(dialog, CSysLookSetDlg::kDisplayModeList);
    ASSERT_NE(modes, nullptr);
    EXPECT_EQ(Texts(*modes), (std::vector<std::string>{"常规(1)", "蓝白相间(2)", "水库醒目(3)"}));
    EXPECT_EQ(modes->GetLBText(modes->GetCurSel()), "水库醒目(3)");
    EXPECT_EQ(Control<CCJColorPicker>(dialog, CSysLookSetDlg::kBackground)->GetColor(), 0xC0FFC0u);
    EXPECT_EQ(Control<CListToolStrip>(dialog, CSysLookSetDlg::kToolStrip)->Caption(), "设置表");
    EXPECT_EQ(dialog.Grid().GetColumnHeader(3).m_strText, "时间字段");
    EXPECT_EQ(Tables(dialog), "ABC");
    EXPECT_EQ(dialog.Grid().GetItemText(3, 0), "3");

    SelectRows(dialog, 1, 1);
    Press(dialog, 1005);
    modes->setCurrentIndex(0);
    Control<CButtonST>(dialog, 2)->click();
    EXPECT_TRUE(m_settings == before);
}

TEST_P(SysLookDialogTest, TheToolStripEditsTheListAsItsCellsHoldItAndOkStoresIt) {
    CSysLookSetDlg dialog(m_settings);
    dialog.Grid().SetItemText(2, 2, "乙表"); // typed into the grid before the list is edited
    SelectRows(dialog, 2, 3);
    Press(dialog, 1009); // up: A goes below B and C
    EXPECT_EQ(Tables(dialog), "BCA");
    EXPECT_EQ(dialog.GridCtrl()->GetSelectedRows(), (std::vector<long>{1, 2}));
    Press(dialog, 1009); // at the top already
    EXPECT_EQ(Tables(dialog), "BCA");
    Press(dialog, 1016); // down again
    EXPECT_EQ(Tables(dialog), "ABC");
    SelectRows(dialog, 3, 3);
    Press(dialog, 1005);
    EXPECT_EQ(Tables(dialog), "AB");

    Control<CComboBox>(dialog, CSysLookSetDlg::kDisplayModeList)->setCurrentIndex(1);
    Control<CButtonST>(dialog, 1)->click();
    ASSERT_EQ(m_settings.m_entries.GetSize(), 2);
    EXPECT_EQ(m_settings.m_entries[1].m_table, "B");
    EXPECT_EQ(m_settings.m_entries[1].m_second, "乙表");
    EXPECT_EQ(m_settings.m_text, "蓝白相间(2)");
    EXPECT_EQ(m_settings.m_background, 0xC0FFC0u);
}

TEST_P(SysLookDialogTest, ATableIsAddedWithTheTimeColumnChosenFromItsColumns) {
    CSysLookSetDlg dialog(m_settings);
    std::vector<std::string> offered, columns;
    QString note;
    dialog.runAddDialog = [&](CSysLookAddDlg& add) {
        auto* tables = Control<CComboBox>(add, CSysLookAddDlg::kTableList);
        auto* times = Control<CComboBox>(add, CSysLookAddDlg::kTimeList);
        offered = Texts(*tables);
        EXPECT_EQ(tables->GetCurSel(), CB_ERR);
        for (QLabel* label : add.findChildren<QLabel*>())
            if (label->text().contains("系统查看说明")) note = label->text();
        const auto river = std::find(offered.begin(), offered.end(), "RIVER_HOUR");
        if (river == offered.end()) return int(QDialog::Rejected);
        tables->setCurrentIndex(int(river - offered.begin())); // as the user chooses it
        columns = Texts(*times);
        EXPECT_EQ(times->GetCurSel(), CB_ERR); // no time column is chosen for the user
        times->setCurrentIndex(int(std::find(columns.begin(), columns.end(), "TM") - columns.begin()));
        Control<CEdit>(add, CSysLookAddDlg::kNameEdit)->SetWindowText("河道水情");
        Control<CButtonST>(add, 1)->click();
        return add.result();
    };
    Press(dialog, 1001);
    EXPECT_NE(std::find(offered.begin(), offered.end(), "RAIN_DAY"), offered.end());
    EXPECT_TRUE(std::is_sorted(offered.begin(), offered.end()));
    EXPECT_NE(std::find(columns.begin(), columns.end(), "STCD"), columns.end());
    EXPECT_EQ(note, CSysLookAddDlg::kNote);
    ASSERT_EQ(Tables(dialog), "ABCRIVER_HOUR");
    EXPECT_EQ(dialog.Grid().GetItemText(4, 2), "河道水情");
    EXPECT_EQ(dialog.Grid().GetItemText(4, 3), "TM");

    // Cancelled, the new entry is dropped.
    dialog.runAddDialog = [](CSysLookAddDlg& add) {
        Control<CButtonST>(add, 2)->click();
        return add.result();
    };
    Press(dialog, 1001);
    EXPECT_EQ(Tables(dialog), "ABCRIVER_HOUR");
}

INSTANTIATE_TEST_SUITE_P(Backends, SysLookDialogTest,
                         ::testing::Values(testdb::Kind::Sqlite, testdb::Kind::Postgres),
                         [](const ::testing::TestParamInfo<testdb::Kind>& info) {
                             return info.param == testdb::Kind::Sqlite ? "SQLite" : "PostgreSQL";
                         });

} // namespace
