// The buttons of the widget library, as the query bars use them: time-type radio buttons whose
// owner keeps one pressed, and the flat icon buttons.
#include "ButtonST.h"
#include "CJFlatButton.h"
#include "UiTestSupport.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

// An owner that keeps exactly one of its radio buttons 918.. pressed, as a query bar does.
class RadioOwner : public RecordingOwner {
public:
    std::vector<CButtonSTRadio*> buttons;

protected:
    void OnChildNotify(const CNotify& notify) override {
        RecordingOwner::OnChildNotify(notify);
        if (notify.code != BN_CLICKED) return;
        for (CButtonSTRadio* button : buttons)
            button->SetCheck(button->GetDlgCtrlID() == notify.controlId ? BST_CHECKED : BST_UNCHECKED);
    }
};

TEST(WidgetButtons, RadioButtonsStayPressedAndTheOwnerKeepsOne) {
    RadioOwner owner;
    owner.show();
    int id = 918;
    for (const char* caption : {"时", "日", "旬", "月"}) {
        auto* button = new CButtonSTRadio(id++, &owner, &owner, caption);
        button->resize(30, 20);
        owner.buttons.push_back(button);
    }
    owner.buttons[0]->SetCheck(BST_CHECKED);
    EXPECT_TRUE(owner.received.empty());
    ASSERT_EQ(owner.GetDlgItem(920), owner.buttons[2]);

    QTest::mouseClick(owner.buttons[2], Qt::LeftButton);
    EXPECT_EQ(owner.Last(BN_CLICKED).controlId, 920);
    EXPECT_EQ(owner.buttons[0]->GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(owner.buttons[2]->GetCheck(), BST_CHECKED);

    // A click on the pressed button does not release it, even for an owner that ignores it.
    RecordingOwner passive;
    CButtonSTRadio alone(930, &passive, nullptr, "旬");
    alone.resize(30, 20);
    QTest::mouseClick(&alone, Qt::LeftButton);
    QTest::mouseClick(&alone, Qt::LeftButton);
    EXPECT_EQ(alone.GetCheck(), BST_CHECKED);
    EXPECT_EQ(passive.Count(BN_CLICKED), 2);
    alone.SetCheck(BST_UNCHECKED);
    EXPECT_EQ(alone.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(passive.Count(BN_CLICKED), 2);
}

TEST(WidgetButtons, PushAndFlatButtonsReportClicks) {
    RecordingOwner owner;
    owner.show();
    auto* refresh = new CButtonST(917, &owner, &owner, "刷新");
    refresh->resize(60, 24);
    auto* search = new CCJFlatButton(931, &owner, &owner);
    search->SetTooltipText("快速查找");
    QTest::mouseClick(refresh, Qt::LeftButton);
    QTest::mouseClick(search, Qt::LeftButton);
    ASSERT_EQ(owner.received.size(), 2u);
    EXPECT_EQ(owner.received[0].controlId, 917);
    EXPECT_EQ(owner.received[1].controlId, 931);
    EXPECT_EQ(owner.received[1].code, BN_CLICKED);
    EXPECT_GE(search->iconSize().width(), 20);
    EXPECT_GE(search->contentsRect().width(), 20);
}

} // namespace
