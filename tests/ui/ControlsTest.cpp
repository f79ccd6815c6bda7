// The small controls: found by id from their owner, user actions notify with the toolkit's
// codes, changes made through the controls' own functions notify nothing.
#include "Button.h"
#include "CheckListBox.h"
#include "ComboBox.h"
#include "Edit.h"
#include "ListBox.h"
#include "UiTestSupport.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

class ControlsTest : public testing::Test {
protected:
    void SetUp() override {
        owner.resize(400, 400);
        owner.show();
    }
    // Clicks the centre of an entry of a list.
    static void ClickEntry(QListWidget& list, int index, bool twice = false) {
        const QPoint at = list.visualItemRect(list.item(index)).center();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
        // A double click reaches the list as press, release, double click, release.
        if (twice) QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
    }
    RecordingOwner owner{940};
};

void Fill(CListBox& list) {
    for (const char* station : {"东台(60101)", "西溪(60102)", "南湾(60103)", "北岭(60104)"})
        list.AddString(station);
}

TEST_F(ControlsTest, SingleSelectionListReportsUserChoicesOnly) {
    auto* list = new CListBox(912, &owner, &owner);
    list->setGeometry(0, 0, 200, 200);
    ASSERT_EQ(owner.GetDlgItem(912), list);
    Fill(*list);
    list->SetCurSel(1);
    list->SetSel(2);
    list->DeleteString(3);
    list->InsertString(0, "首站(60100)");
    EXPECT_TRUE(owner.received.empty());
    EXPECT_EQ(list->GetCurSel(), 3); // SetSel on a single-selection list moves the selection
    EXPECT_EQ(list->GetSelCount(), 1);

    ClickEntry(*list, 1);
    ASSERT_EQ(owner.Count(LBN_SELCHANGE), 1);
    EXPECT_EQ(owner.Last(LBN_SELCHANGE).controlId, 912);
    EXPECT_EQ(list->GetCurSel(), 1);
    EXPECT_EQ(list->GetText(1), CString("东台(60101)"));

    // Clicking the selected station again is still a choice; a double click adds LBN_DBLCLK.
    ClickEntry(*list, 1);
    EXPECT_EQ(owner.Count(LBN_SELCHANGE), 2);
    ClickEntry(*list, 2, true);
    EXPECT_EQ(owner.Count(LBN_DBLCLK), 1);
    EXPECT_EQ(list->GetCurSel(), 2);

    const std::size_t before = owner.received.size();
    list->SetCurSel(-1);
    EXPECT_EQ(list->GetCurSel(), LB_ERR);
    list->ResetContent();
    EXPECT_EQ(list->GetCount(), 0);
    EXPECT_EQ(owner.received.size(), before);
}

TEST_F(ControlsTest, MultipleSelectionListTogglesByClickAndTellsNothing) {
    CListBox list(913, &owner, &owner, true);
    list.setGeometry(0, 0, 200, 200);
    Fill(list);
    list.SetSel(0);
    ClickEntry(list, 2);
    ClickEntry(list, 3);
    ClickEntry(list, 3); // a second click releases it
    EXPECT_EQ(list.GetSelItems(), (std::vector<int>{0, 2}));
    EXPECT_EQ(list.GetSel(2), 1);
    EXPECT_EQ(list.GetSel(3), 0);
    EXPECT_EQ(list.GetSel(9), LB_ERR);
    list.SetSel(-1);
    EXPECT_EQ(list.GetSelCount(), 4);
    list.SetSel(-1, false);
    EXPECT_TRUE(list.GetSelItems().empty());
    EXPECT_TRUE(owner.received.empty());
}

TEST_F(ControlsTest, HorizontalScrollBarOnlyWhenTheEntriesAreWiderThanTheList) {
    CListBox list(914, &owner, &owner);
    list.setGeometry(0, 0, 120, 150);
    list.show();
    list.AddString("很长很长很长很长很长很长的测站名称(6010100001)");
    const int widest = list.GetTextExtent(list.GetText(0)) + 16;
    EXPECT_GT(widest, list.GetTextExtent("短"));
    list.SetHorizontalExtent(widest);
    EXPECT_EQ(list.horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    list.setGeometry(0, 0, widest + 60, 150);
    EXPECT_EQ(list.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

TEST_F(ControlsTest, ComboBoxStartsWithoutSelectionAndReportsUserChoices) {
    auto* combo = new CComboBox(950, &owner, &owner);
    EXPECT_EQ(owner.GetDlgItem(950), combo);
    for (const char* text : {"流域", "长江", "淮河"})
        combo->AddString(text);
    EXPECT_EQ(combo->GetCurSel(), CB_ERR); // adding entries selects nothing
    EXPECT_EQ(combo->SetCurSel(0), 0);
    EXPECT_EQ(combo->SetCurSel(7), CB_ERR);
    EXPECT_EQ(combo->GetCurSel(), CB_ERR);
    combo->SetCurSel(0);
    EXPECT_TRUE(owner.received.empty());

    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(combo->GetCurSel(), 1);
    ASSERT_EQ(owner.Count(CBN_SELCHANGE), 1);
    EXPECT_EQ(owner.Last(CBN_SELCHANGE).controlId, 950);
    EXPECT_EQ(combo->GetLBText(1), CString("长江"));

    combo->ResetContent();
    EXPECT_EQ(combo->GetCount(), 0);
    EXPECT_EQ(combo->GetCurSel(), CB_ERR);
    EXPECT_EQ(owner.received.size(), 1u);
}

TEST_F(ControlsTest, EditReportsTypingButNotSetText) {
    auto* edit = new CEdit(934, &owner, &owner);
    edit->SetWindowText("dt");
    EXPECT_TRUE(owner.received.empty());
    edit->setFocus();
    edit->end(false);
    QTest::keyClicks(edit, "x");
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, "s");
    EXPECT_EQ(owner.Count(EN_CHANGE), 3);
    EXPECT_EQ(owner.Last(EN_CHANGE).controlId, 934);
    EXPECT_EQ(edit->GetWindowText(), CString("dts"));
}

TEST_F(ControlsTest, CheckBoxClickChangesStateBeforeTheOwnerHears) {
    struct Owner : RecordingOwner {
        int seen = -1;
        void OnChildNotify(const CNotify& notify) override {
            RecordingOwner::OnChildNotify(notify);
            seen = static_cast<CButton*>(notify.from)->GetCheck();
        }
    } checkOwner;
    checkOwner.show();
    auto* all = new CButton(932, &checkOwner, &checkOwner, "全选");
    all->resize(80, 20);
    all->SetCheck(BST_CHECKED);
    all->SetCheck(BST_UNCHECKED);
    EXPECT_TRUE(checkOwner.received.empty());
    QTest::mouseClick(all, Qt::LeftButton);
    EXPECT_EQ(checkOwner.Count(BN_CLICKED), 1);
    EXPECT_EQ(checkOwner.seen, BST_CHECKED);
    EXPECT_EQ(all->GetCheck(), BST_CHECKED);
}

TEST_F(ControlsTest, CheckListReportsTheEntryTheUserTicked) {
    auto* columns = new CCheckListBox(929, &owner, &owner);
    columns->setGeometry(0, 0, 200, 200);
    for (const char* caption : {"时间", "水位", "流量"}) {
        const int index = columns->AddString(caption);
        columns->SetCheck(index, BST_CHECKED);
    }
    columns->SetCheck(5, BST_CHECKED); // out of range: ignored
    EXPECT_EQ(columns->GetCount(), 3);
    EXPECT_EQ(columns->GetCheck(5), BST_UNCHECKED);
    EXPECT_TRUE(owner.received.empty());

    columns->setFocus();
    columns->setCurrentRow(1);
    QTest::keyClick(columns->viewport(), Qt::Key_Space);
    EXPECT_EQ(columns->GetCheck(1), BST_UNCHECKED);
    ASSERT_EQ(owner.Count(CLBN_CHKCHANGE), 1);
    EXPECT_EQ(owner.Last(CLBN_CHKCHANGE).row, 1);
    EXPECT_EQ(columns->GetCheck(0), BST_CHECKED);
    EXPECT_EQ(columns->GetText(2), CString("流量"));
}

} // namespace
