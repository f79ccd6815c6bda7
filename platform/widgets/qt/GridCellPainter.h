#pragma once
// The painter of the grid control's cells. The stock delegate lays a cell's text out two or three
// times (layout, elision, drawing), which on a page of a large grid is most of a repaint; this one
// measures the text once with the cell's font metrics, elides it only when it is wider than the
// cell and draws it once. What it paints is what the stock delegate paints for the grid's cells:
// the background the model gives, the selection, text in the cell's colour, font and alignment,
// and the focus frame. Editing, and the few cells it does not draw itself (text of several lines,
// a cell being edited), stay with the stock delegate.
#include <QFont>
#include <QFontMetricsF>
#include <QStyledItemDelegate>

class CGridCellPainter : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    // Metrics of the font a cell is drawn in; nearly every cell shares one, so the last is kept.
    const QFontMetricsF& MetricsOf(const QFont& font) const;

    mutable QFont m_lastFont;
    mutable QFontMetricsF m_lastMetrics{m_lastFont};
};
