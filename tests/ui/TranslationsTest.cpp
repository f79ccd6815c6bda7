// Qt's own dialogs and buttons in Chinese once the host has loaded Qt's translations.
#include "QtTranslations.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTranslator>

#include <gtest/gtest.h>

TEST(QtTranslations, StandardButtonsAndTheSaveDialogSpeakChinese) {
    QTranslator* translator = ui::InstallQtTranslations(*qApp);
    ASSERT_NE(translator, nullptr) << "Qt's zh_CN translations are missing (qt6-translations-l10n)";

    QMessageBox box(QMessageBox::Question, "数据查询", "删除数据?", QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text().remove('&'), QString::fromUtf8("确定"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text().remove('&'), QString::fromUtf8("取消"));

    // The export dialog as the host's responder makes it: no title of its own.
    QFileDialog save;
    save.setOption(QFileDialog::DontUseNativeDialog);
    save.setAcceptMode(QFileDialog::AcceptSave);
    EXPECT_EQ(save.windowTitle(), QString::fromUtf8("另存为"));
    const auto* buttons = save.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    for (QAbstractButton* b : buttons->buttons())
        EXPECT_TRUE(b->text().contains(QRegularExpression("[\\x{4e00}-\\x{9fff}]")))
            << b->text().toStdString();

    QColorDialog colour;
    colour.setOption(QColorDialog::DontUseNativeDialog);
    EXPECT_EQ(colour.windowTitle(), QString::fromUtf8("选择颜色"));

    QCoreApplication::removeTranslator(translator);
    delete translator;
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(
        QMessageBox(QMessageBox::Question, "", "", QMessageBox::Cancel).button(QMessageBox::Cancel)->text(),
        "Cancel");
}
