#include "GridCtrl.h"

#include <QByteArray>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Page objects of a PDF ("/Type /Page", not the "/Type /Pages" tree).
int CountPages(const QByteArray& pdf) {
    int pages = 0;
    const QByteArray tag = "/Type /Page";
    for (qsizetype at = pdf.indexOf(tag); at >= 0; at = pdf.indexOf(tag, at + 1))
        pages += at + tag.size() >= pdf.size() || pdf[at + tag.size()] != 's';
    return pages;
}

// The text of one page as pdftotext reads it back; empty when pdftotext is missing.
QString PageText(const QString& pdfPath, int page) {
    QProcess tool;
    tool.start("pdftotext",
               {"-f", QString::number(page), "-l", QString::number(page), "-enc", "UTF-8", pdfPath, "-"});
    if (!tool.waitForFinished() || tool.exitCode() != 0) return {};
    return QString::fromUtf8(tool.readAllStandardOutput());
}

TEST(GridPrint, RowsRunOverPagesUnderTheHeaderRowInChinese) {
    CGridIterator grid;
    grid.SetColumnCount(3);
    grid.SetRowCount(301);
    grid.SetRowTexts(0, 0, std::vector<std::string>{"站名", "水位", "流量"});
    for (long r = 1; r <= 300; ++r)
        grid.SetRowTexts(
            r, 0, std::vector<std::string>{"测站" + std::to_string(r), std::to_string(r) + ".25", "4"});
    // A mapped column prints the names the screen shows, not the codes.
    CGridCellPro trend = grid.GetColumnHeader(2);
    trend.m_nKind = GRID_KIND_LIST;
    trend.m_values = {"落(4)"};
    grid.SetColumnHeader(2, trend);
    CGridCtrl ctrl(grid, 942, nullptr);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("grid.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    ASSERT_TRUE(ctrl.Print(printer));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    const int pages = CountPages(pdf);
    EXPECT_GT(pages, 1);
    EXPECT_LT(pages, 30); // rows are not one to a page

    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is missing: page texts not checked";
    const QString first = PageText(path, 1), second = PageText(path, 2), last = PageText(path, pages);
    EXPECT_TRUE(first.contains("测站1")) << first.toStdString();
    EXPECT_FALSE(first.contains("测站300"));
    for (const QString& text : {second, last}) {
        EXPECT_TRUE(text.contains("站名")) << text.toStdString();
        EXPECT_TRUE(text.contains("水位"));
    }
    EXPECT_TRUE(last.contains("测站300"));
    EXPECT_TRUE(last.contains("300.25"));
    EXPECT_TRUE(last.contains("落"));
}

} // namespace
