// Printing of the grid control: pages of rows under a repeated header row.
#include "GridCtrl.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace {

// Widths on the page are screen pixels scaled to the printer, so a font has to be sized in the
// same pixels; a font given in points would otherwise be sized twice.
QFont ForPage(QFont font) {
    if (font.pixelSize() <= 0) font.setPixelSize(std::max(1, qRound(font.pointSizeF() * 96.0 / 72.0)));
    return font;
}

struct PrintColumn {
    long col;
    double width;
};

} // namespace

bool CGridCtrl::Print(QPrinter& printer) const {
    std::vector<PrintColumn> columns;
    double totalWidth = 0;
    for (long c = 0; c < m_grid.GetColumnCount(); ++c) {
        const int width = GetColumnWidth(c);
        if (width <= 0) continue;
        columns.push_back({c, double(width)});
        totalWidth += width;
    }
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    if (columns.empty()) return painter.end();

    // Screen pixels (96 to the inch) on paper, narrowed when the columns are wider than the page.
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    double scale = printer.resolution() / 96.0;
    scale = std::min(scale, page.width() / totalWidth);
    painter.scale(scale, scale);
    const double pageHeight = page.height() / scale;

    const QFont gridFont = ForPage(font());
    const double rowHeight = QFontMetrics(gridFont).height() + 6;
    const long headerRows = m_model->HeaderRows();
    const long rowsPerPage = std::max(1L, long((pageHeight - double(headerRows) * rowHeight) / rowHeight));

    auto drawRow = [&](long row, double y) {
        double x = 0;
        for (const PrintColumn& column : columns) {
            const QRectF cell(x, y, column.width, rowHeight);
            x += column.width;
            const QVariant back = m_model->CellData(row, column.col, Qt::BackgroundRole);
            painter.fillRect(cell, back.value<QBrush>());
            const QVariant ownFont = m_model->CellData(row, column.col, Qt::FontRole);
            painter.setFont(ownFont.isValid() ? ForPage(ownFont.value<QFont>()) : gridFont);
            painter.setPen(m_model->CellData(row, column.col, Qt::ForegroundRole).value<QBrush>().color());
            const int align = m_model->CellData(row, column.col, Qt::TextAlignmentRole).toInt();
            painter.drawText(cell.adjusted(3, 0, -3, 0), align | Qt::TextSingleLine,
                             m_model->CellData(row, column.col, Qt::DisplayRole).toString());
            painter.setPen(QColor(160, 160, 160));
            painter.drawRect(cell);
        }
    };

    const long rows = m_grid.GetRowCount();
    long row = headerRows;
    do {
        double y = 0;
        for (long h = 0; h < headerRows; ++h, y += rowHeight)
            drawRow(h, y);
        for (long n = 0; n < rowsPerPage && row < rows; ++n, ++row, y += rowHeight)
            drawRow(row, y);
        if (row < rows) printer.newPage();
    } while (row < rows);
    return painter.end();
}
