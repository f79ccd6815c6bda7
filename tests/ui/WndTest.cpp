#include "QtConvert.h"
#include "QtMessageBox.h"
#include "UiTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A child control that reports whatever it is told to.
class Reporter : public QWidget, public CWnd {
public:
    Reporter(int controlId, CWnd* owner, QWidget* parent) : QWidget(parent), CWnd(*this, controlId, owner) {}
    void Report(int code, long row, long col) { NotifyOwner(code, row, col); }
};

TEST(Wnd, ChildrenAreFoundByIdAndReportToTheirOwner) {
    RecordingOwner owner(930);
    auto bar = std::make_unique<Reporter>(941, &owner, &owner);
    auto* grid = new Reporter(942, &owner, &owner); // the owner's widget tree deletes it

    EXPECT_EQ(owner.GetDlgItem(941), bar.get());
    EXPECT_EQ(owner.GetDlgItem(942), grid);
    EXPECT_EQ(owner.GetDlgItem(943), nullptr);
    EXPECT_EQ(bar->property("controlId").toInt(), 941);
    EXPECT_EQ(grid->GetOwner(), &owner);

    bar->Report(1135, -1, -1);
    grid->Report(2001, 0, 4);
    ASSERT_EQ(owner.received.size(), 2u);
    EXPECT_EQ(owner.received[0].controlId, 941);
    EXPECT_EQ(owner.received[0].code, 1135);
    EXPECT_EQ(owner.received[1].controlId, 942);
    EXPECT_EQ(owner.received[1].col, 4);
    EXPECT_EQ(owner.received[1].from, grid);

    bar.reset(); // a child that goes first leaves the owner's list
    EXPECT_EQ(owner.GetDlgItem(941), nullptr);
}

TEST(Wnd, AChildOutlivingItsOwnerReportsToNobody) {
    auto owner = std::make_unique<RecordingOwner>();
    Reporter child(950, owner.get(), nullptr); // not in the owner's widget tree
    owner.reset();
    EXPECT_EQ(child.GetOwner(), nullptr);
    child.Report(1, 0, 0); // nothing to tell, nothing happens
}

TEST(QtConvert, ColoursKeepRedInTheLowByteAndChineseFacesFindAFont) {
    EXPECT_EQ(ToQColor(RGB(255, 0, 0)), QColor(255, 0, 0));
    EXPECT_EQ(ToColorRef(QColor(12, 34, 56)), RGB(12, 34, 56));

    LOGFONT song;
    song.lfFaceName = "宋体";
    song.lfHeight = -14;
    song.lfWeight = 700;
    song.lfItalic = 1;
    QFont font = LogFontToQFont(song);
    EXPECT_EQ(QFontInfo(font).family(), "WenQuanYi Micro Hei");
    EXPECT_EQ(font.pixelSize(), 14);
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.italic());
    song.lfFaceName = "WenQuanYi Micro Hei Mono";
    EXPECT_EQ(LogFontToQFont(song).family(), "WenQuanYi Micro Hei Mono"); // an installed face stays
}

// Presses the button of the message box that comes up next.
void PressWhenShown(QMessageBox::StandardButton button) {
    QTimer::singleShot(0, [button] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        ASSERT_NE(box->button(button), nullptr);
        box->button(button)->click();
    });
}

TEST(QtMessageBox, AnswersAreTheButtonsTheUserPressed) {
    auto previous = ui::InstallQtMessageBox();
    PressWhenShown(QMessageBox::Cancel);
    EXPECT_EQ(ui::MessageBox("删除数据?", "数据查询", ui::MB_OKCANCEL), ui::IDCANCEL);
    PressWhenShown(QMessageBox::Yes);
    EXPECT_EQ(ui::MessageBox("是否进行数据修改", {}, ui::MB_YESNO), ui::IDYES);
    PressWhenShown(QMessageBox::Ok);
    EXPECT_EQ(ui::MessageBox("数据修改失败!"), ui::IDOK);
    ui::SetMessageBoxResponder(previous);
}

} // namespace
