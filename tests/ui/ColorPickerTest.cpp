// The colour picker: the user picks from its popup or through the colour dialog hook; the colour
// is a COLORREF with red in the low byte, on screen as in the model.
#include "CJColorPicker.h"
#include "Hooks.h"
#include "UiTestSupport.h"

#include <QFrame>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

QToolButton* Entry(CCJColorPicker& picker, COLORREF colour) {
    for (QToolButton* entry : picker.GetPopup().findChildren<QToolButton*>())
        if (entry->property("colorRef").isValid() && entry->property("colorRef").toUInt() == colour)
            return entry;
    return nullptr;
}

class ColorPickerTest : public testing::Test {
protected:
    void SetUp() override {
        owner.show();
        picker = new CCJColorPicker(960, &owner, &owner);
        picker->resize(40, 24);
    }
    void TearDown() override { ui::SetColorResponder({}); }
    RecordingOwner owner;
    CCJColorPicker* picker = nullptr;
};

TEST_F(ColorPickerTest, ShowsItsColourWithRedInTheLowByte) {
    picker->SetColor(0x0000FF);
    EXPECT_TRUE(owner.received.empty());
    const QImage shown = picker->grab().toImage();
    EXPECT_EQ(shown.pixelColor(shown.rect().center()), QColor(255, 0, 0));
}

TEST_F(ColorPickerTest, UserPicksFromThePopup) {
    QTest::mouseClick(picker, Qt::LeftButton);
    ASSERT_TRUE(picker->GetPopup().isVisible());
    QToolButton* red = Entry(*picker, RGB(255, 0, 0));
    ASSERT_NE(red, nullptr);
    QTest::mouseClick(red, Qt::LeftButton);
    EXPECT_FALSE(picker->GetPopup().isVisible());
    EXPECT_EQ(picker->GetColor(), RGB(255, 0, 0));
    ASSERT_EQ(owner.Count(CPN_SELENDOK), 1);
    EXPECT_EQ(owner.Last(CPN_SELENDOK).controlId, 960);

    picker->SetDefaultColor(RGB(0, 0, 128));
    picker->ShowPopup();
    QTest::mouseClick(picker->GetPopup().findChild<QToolButton*>("automatic"), Qt::LeftButton);
    EXPECT_EQ(picker->GetColor(), RGB(0, 0, 128));
    EXPECT_EQ(owner.Count(CPN_SELENDOK), 2);
}

TEST_F(ColorPickerTest, OtherColoursGoThroughTheColourDialogHook) {
    picker->SetColor(RGB(10, 20, 30));
    COLORREF offered = 0;
    int answer = ui::IDOK;
    ui::SetColorResponder([&](COLORREF initial, COLORREF& chosen) {
        offered = initial;
        if (answer == ui::IDOK) chosen = RGB(1, 2, 3);
        return answer;
    });
    auto* other = picker->GetPopup().findChild<QToolButton*>("other");
    ASSERT_NE(other, nullptr);

    picker->ShowPopup();
    QTest::mouseClick(other, Qt::LeftButton);
    EXPECT_EQ(offered, RGB(10, 20, 30));
    EXPECT_EQ(picker->GetColor(), RGB(1, 2, 3));
    EXPECT_EQ(owner.Count(CPN_SELENDOK), 1);

    answer = ui::IDCANCEL;
    picker->ShowPopup();
    QTest::mouseClick(other, Qt::LeftButton);
    EXPECT_EQ(picker->GetColor(), RGB(1, 2, 3));
    EXPECT_EQ(owner.Count(CPN_SELENDOK), 1);

    // Nobody to ask: declined without blocking.
    ui::SetColorResponder({});
    picker->ShowPopup();
    QTest::mouseClick(other, Qt::LeftButton);
    EXPECT_EQ(picker->GetColor(), RGB(1, 2, 3));
    EXPECT_FALSE(picker->GetPopup().isVisible());
}

} // namespace
