#include "GridCellPainter.h"

#include <QApplication>
#include <QPainter>
#include <QtMath>

namespace {

// The colour group the styles paint an item in.
QPalette::ColorGroup GroupOf(const QStyleOptionViewItem& option) {
    if (!(option.state & QStyle::State_Enabled)) return QPalette::Disabled;
    return option.state & QStyle::State_Active ? QPalette::Normal : QPalette::Inactive;
}

void FillCell(QPainter& painter, const QRect& rect, const QBrush& brush) {
    if (brush.style() == Qt::SolidPattern) {
        painter.fillRect(rect, brush.color());
        return;
    }
    // A pattern starts at the cell's corner, as it does under the stock delegate.
    const QPointF origin = painter.brushOrigin();
    painter.setBrushOrigin(rect.topLeft());
    painter.fillRect(rect, brush);
    painter.setBrushOrigin(origin);
}

} // namespace

const QFontMetricsF& CGridCellPainter::MetricsOf(const QFont& font) const {
    if (!(font == m_lastFont)) {
        m_lastFont = font;
        m_lastMetrics = QFontMetricsF(font);
    }
    return m_lastMetrics;
}

void CGridCellPainter::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    const QString text = displayText(index.data(Qt::DisplayRole), option.locale);
    if ((option.state & QStyle::State_Editing) || text.contains(u'\n') ||
        text.contains(QChar::LineSeparator)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    const QPalette::ColorGroup group = GroupOf(option);
    const bool selected = option.state & QStyle::State_Selected;
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect textRect = option.rect.adjusted(margin, 0, -margin, 0);

    if (selected && style->styleHint(QStyle::SH_ItemView_ShowDecorationSelected, &option, widget)) {
        painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
    } else {
        const QVariant back = index.data(Qt::BackgroundRole);
        if (back.canConvert<QBrush>()) {
            const QBrush brush = qvariant_cast<QBrush>(back);
            if (brush.style() != Qt::NoBrush) FillCell(*painter, option.rect, brush);
        }
        if (selected) painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
    }

    if (!text.isEmpty()) {
        QFont font = option.font;
        if (const QVariant own = index.data(Qt::FontRole); own.isValid())
            font = qvariant_cast<QFont>(own).resolve(option.font);
        const QFontMetricsF& metrics = MetricsOf(font);
        const QVariant alignData = index.data(Qt::TextAlignmentRole);
        const Qt::Alignment align =
            QStyle::visualAlignment(option.direction, alignData.isValid() ? Qt::Alignment(alignData.toInt())
                                                                          : option.displayAlignment);
        QColor colour = option.palette.color(group, QPalette::Text);
        if (selected) {
            colour = option.palette.color(group, QPalette::HighlightedText);
        } else if (const QVariant fore = index.data(Qt::ForegroundRole); fore.canConvert<QBrush>()) {
            colour = qvariant_cast<QBrush>(fore).color();
        }

        // Placed as the stock delegate's text layout places one line: across by the line's own
        // width, down by its height rounded off within the cell.
        QString shown = text;
        qreal width = metrics.horizontalAdvance(text);
        if (width > textRect.width()) {
            shown = metrics.elidedText(text, option.textElideMode, textRect.width());
            width = metrics.horizontalAdvance(shown);
        }
        qreal x = textRect.left();
        if (align & Qt::AlignRight)
            x += textRect.width() - width;
        else if (align & Qt::AlignHCenter)
            x += (textRect.width() - width) / 2;
        const int height = qCeil(metrics.ascent() + metrics.descent());
        int top = textRect.top();
        if (align & Qt::AlignBottom)
            top += textRect.height() - height;
        else if (align & Qt::AlignVCenter)
            top += (textRect.height() - height) / 2;
        // Text that fits needs no clip; a font taller than the row or a column too narrow even
        // for the ellipsis is cut at the cell's edges, as by the stock delegate.
        const bool clip = height > option.rect.height() || width > textRect.width();
        if (clip) {
            painter->save();
            painter->setClipRect(option.rect, Qt::IntersectClip);
        }
        painter->setFont(font);
        painter->setPen(colour);
        painter->drawText(QPointF(x, top + metrics.ascent()), shown);
        if (clip) painter->restore();
    }

    if (option.state & QStyle::State_HasFocus) {
        // One cell a frame: the style's own frame, placed as for the stock delegate.
        QStyleOptionViewItem full(option);
        initStyleOption(&full, index);
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(full);
        focus.rect = style->subElementRect(QStyle::SE_ItemViewItemFocusRect, &full, widget);
        focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
        const QPalette::ColorGroup frameGroup =
            option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
        focus.backgroundColor =
            option.palette.color(frameGroup, selected ? QPalette::Highlight : QPalette::Window);
        painter->save();
        painter->setClipRect(option.rect, Qt::IntersectClip);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
        painter->restore();
    }
}
