// The hooks behind everything modal: recording responders as tests use them, and the Qt dialogs
// of the windowed build answered from a timer.
#include "Hooks.h"
#include "LoginDialog.h"
#include "PopupMenu.h"
#include "PrintDialog.h"
#include "QtConvert.h"
#include "QtResponders.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// Runs action on the modal dialog that comes up next.
template <class Dialog, class F> void WhenShown(F action) {
    QTimer::singleShot(0, [action] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        action(*dialog);
    });
}

TEST(Hooks, WaitCursorsBalanceEvenWhenWorkFails) {
    int depth = 0, deepest = 0, begun = 0;
    auto previous = ui::SetWaitCursorResponder([&](bool begin) {
        depth += begin ? 1 : -1;
        begun += begin;
        deepest = std::max(deepest, depth);
    });
    try {
        ui::CWaitCursor outer;
        ui::CWaitCursor inner;
        throw std::runtime_error("query failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(begun, 2);
    EXPECT_EQ(deepest, 2);
    EXPECT_EQ(depth, 0);

    // The Qt cursor stacks the same way and is gone afterwards.
    ui::SetWaitCursorResponder(ui::QtWaitCursorResponder());
    {
        ui::CWaitCursor outer;
        { ui::CWaitCursor inner; }
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    ui::SetWaitCursorResponder(previous);
}

TEST(Hooks, FilterTextsBecomeFilePatterns) {
    const auto filters = ui::ParseFileFilter("电子表格(*.xls)|*.txt|文本 文件(*.txt)|*.txt; *.csv||");
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0].description, CString("电子表格(*.xls)"));
    EXPECT_EQ(filters[0].patterns, std::vector<CString>{CString("*.txt")});
    EXPECT_EQ(filters[1].patterns, (std::vector<CString>{"*.txt", "*.csv"}));
    EXPECT_TRUE(ui::ParseFileFilter("").empty());
    EXPECT_EQ(ui::ParseFileFilter("所有文件|*.*").size(), 1u); // without the closing bars

    // The dialog reads the patterns from the last parentheses, whatever the description shows.
    EXPECT_EQ(ui::ToQtNameFilters("电子表格(*.xls)|*.txt|文本 文件(*.txt)|*.txt; *.csv||"),
              (QStringList{"电子表格(*.xls) (*.txt)", "文本 文件(*.txt) (*.txt *.csv)"}));
}

TEST(Hooks, SaveDialogAnswersThroughItsResponder) {
    ui::SaveFileAnswer answer;
    EXPECT_EQ(ui::SaveFileDialog({"文本 文件(*.txt)|*.txt||", "txt", {}, true, {}}, answer), ui::IDCANCEL);

    ui::SaveFileRequest asked;
    auto previous =
        ui::SetSaveFileResponder([&](const ui::SaveFileRequest& request, ui::SaveFileAnswer& reply) {
            asked = request;
            reply.path = "/tmp/查询.txt";
            reply.filterIndex = 2;
            return ui::IDOK;
        });
    ASSERT_EQ(ui::SaveFileDialog({"a|*.xls|b|*.txt||", "txt", "查询", false, {}}, answer), ui::IDOK);
    EXPECT_EQ(asked.defaultExt, CString("txt"));
    EXPECT_FALSE(asked.overwritePrompt);
    EXPECT_EQ(answer.path, CString("/tmp/查询.txt"));
    EXPECT_EQ(answer.filterIndex, 2);
    ui::SetSaveFileResponder(previous);
}

TEST(QtResponders, SaveDialogAddsTheExtensionAndNamesTheChosenFilter) {
    QTemporaryDir dir;
    auto dialog = ui::QtSaveFileResponder();
    const ui::SaveFileRequest request{
        "电子表格(*.xls)|*.xls|文本 文件(*.txt)|*.txt||", "txt", {}, false, "另存为"};
    ui::SaveFileAnswer answer;
    const QString folder = dir.path();
    WhenShown<QFileDialog>([folder](QFileDialog& shown) {
        EXPECT_EQ(shown.acceptMode(), QFileDialog::AcceptSave);
        shown.selectNameFilter(shown.nameFilters().at(1));
        shown.selectFile(folder + "/月报");
        static_cast<QDialog&>(shown).accept();
    });
    ASSERT_EQ(dialog(request, answer), ui::IDOK);
    EXPECT_EQ(answer.path, ToCString(folder + "/月报.txt"));
    EXPECT_EQ(answer.filterIndex, 2);

    WhenShown<QFileDialog>([](QFileDialog& shown) { shown.reject(); });
    EXPECT_EQ(dialog(request, answer), ui::IDCANCEL);
}

TEST(QtResponders, PrintDialogAcceptsOrCancels) {
    QPrinter printer(QPrinter::HighResolution);
    EXPECT_FALSE(ui::PrintDialog(printer)); // nobody to ask

    QTemporaryDir dir;
    const QString pdf = dir.filePath("grid.pdf");
    auto previous = ui::SetPrintDialogResponder([pdf](QPrinter& chosen) {
        chosen.setOutputFormat(QPrinter::PdfFormat);
        chosen.setOutputFileName(pdf);
        return true;
    });
    ASSERT_TRUE(ui::PrintDialog(printer));
    EXPECT_EQ(printer.outputFileName(), pdf);

    auto qtDialog = ui::QtPrintDialogResponder();
    WhenShown<QDialog>([](QDialog& shown) { shown.reject(); });
    EXPECT_FALSE(qtDialog(printer));
    ui::SetPrintDialogResponder(previous);
}

TEST(QtResponders, LoginDialogMasksThePasswordAndAnswersTheFields) {
    auto login = ui::QtLoginResponder();
    kes::Credentials answer{"admin", {}};
    WhenShown<ui::CLoginDialog>([](ui::CLoginDialog& shown) {
        EXPECT_EQ(shown.UserEdit().text(), "admin");
        EXPECT_EQ(shown.PasswordEdit().echoMode(), QLineEdit::Password);
        shown.UserEdit().setText(" 调度员 ");
        shown.PasswordEdit().setText("水情2026");
        shown.accept();
    });
    ASSERT_TRUE(login("请输入用户名和口令", answer));
    EXPECT_EQ(answer.user, CString("调度员"));
    EXPECT_EQ(answer.password, CString("水情2026"));

    WhenShown<ui::CLoginDialog>([](ui::CLoginDialog& shown) { shown.reject(); });
    EXPECT_FALSE(login({}, answer));
}

TEST(QtResponders, InstalledQuestionsComeFromQtDialogs) {
    ui::InstallQtResponders();
    WhenShown<QDialog>([](QDialog& shown) { shown.reject(); });
    EXPECT_EQ(ui::MessageBox("是否保存?", "数据查询", ui::MB_OKCANCEL), ui::IDCANCEL);
    COLORREF chosen = 0;
    WhenShown<QDialog>([](QDialog& shown) { shown.reject(); });
    EXPECT_EQ(ui::ChooseColor(RGB(1, 2, 3), chosen), ui::IDCANCEL);
    ui::SetMessageBoxResponder({});
    ui::SetWaitCursorResponder({});
    ui::SetSaveFileResponder({});
    ui::SetColorResponder({});
    ui::SetPrintDialogResponder({});
    kes::SetCredentialResponder({});
    ui::SetPopupMenuResponder({});
}

} // namespace
