// The missing-data bar's rows, their painted labels, and the drag under the station list.
#include "LackTimeQueryBar.h"

#include "Button.h"
#include "ButtonST.h"
#include "ComboBox.h"
#include "ListBox.h"
#include "TimeContorl.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int kFilterGap = 9;
constexpr int kRowGap = 7;
constexpr int kSelectAllRise = 6; // the select-all row starts this far above the list's bottom
constexpr int kCheckWidth = 14;
constexpr int kRefreshLeft = 57;
constexpr int kRefreshRight = 117;
constexpr int kIconSize = 20;
constexpr int kDragBand = 4;
} // namespace

void CLackTimeQueryBar::resizeEvent(QResizeEvent*) {
    Layout();
}

void CLackTimeQueryBar::Layout() {
    m_labels.clear();
    if (m_unitButtons.empty() && !m_refresh) return;
    const int h = QFontMetrics(m_font).height() + 2;
    const int x = kRowsLeft;
    const int w = kRowsRight - kRowsLeft;
    int bottom = 0; // of the previous row; the first row stands at the top margin
    auto next = [&](int gap, int height) {
        const int top = bottom == 0 ? kRowsLeft : bottom + gap;
        bottom = top + height;
        return QRect(x, top, w, height);
    };
    auto label = [&](const QRect& rect, const char* text) {
        m_labels.push_back({rect, QString::fromUtf8(text)});
    };

    const CSelectionGroups& groups = m_model.Groups();
    const std::vector<int> filters = groups.FilterIndices();
    for (std::size_t i = 0; i < m_filters.size(); ++i) {
        const QRect row = next(kFilterGap, h);
        m_filters[i]->setGeometry(row);
        if (m_filters[i]->GetCount() < 3)
            m_labels.push_back({row, QString::fromStdString(groups[filters[i]].label.str())});
    }
    if (m_stations) {
        const QRect caption = next(kRowGap, h + 3);
        if (m_records.options->m_directDisplay != 1) label(caption.adjusted(0, 3, 0, -3), "站号选择");
        m_listRect =
            next(kRowGap, std::max(m_records.window->m_stationListHeight, CListHeightDrag::kMinHeight));
        m_stations->setGeometry(m_listRect);
        m_dragBand = QRect(x, m_listRect.bottom() + 1, w, kDragBand);
        bottom = m_listRect.bottom() + 1 - kSelectAllRise;
        const QRect selectAll = next(0, h - 1);
        m_selectAllBox->setGeometry(selectAll.left(), selectAll.top(), kCheckWidth, selectAll.height());
    }
    if (m_start && m_end) {
        label(next(kRowGap, h + 2), "开始时间");
        m_start->setGeometry(next(kRowGap, h + 2));
        label(next(kRowGap, h + 2), "结束时间");
        m_end->setGeometry(next(kRowGap, h + 2));
    }
    if (!m_unitButtons.empty()) {
        const int half = w / 2;
        const QRect first = next(kRowGap, h);
        label(QRect(first.left(), first.top(), half, h), "时间类型");
        label(QRect(first.left() + half, first.top(), w - half, h), "时间间隔");
        m_interval->setGeometry(first.left() + half, first.bottom() + 1 + kRowGap, w - half, h);
        for (CButtonSTRadio* button : m_unitButtons) {
            const QRect row = next(kRowGap, h);
            button->setGeometry(row.left(), row.top(), half, row.height());
        }
    }
    const QRect refresh = next(kRowGap, h + 8);
    m_refresh->setGeometry(kRefreshLeft, refresh.top(), kRefreshRight - kRefreshLeft, refresh.height());
    m_directButton->setGeometry(x, refresh.top(), kIconSize, kIconSize);
    m_rowsBottom = refresh.bottom() + 1;
    update();
}

void CLackTimeQueryBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(m_font);
    painter.setPen(palette().color(QPalette::WindowText));
    for (const Label& l : m_labels)
        painter.drawText(l.rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, l.text);
    if (m_drag.LineY() >= 0)
        painter.fillRect(QRect(m_listRect.left(), m_drag.LineY(), m_listRect.width(), 2), Qt::black);
}

void CLackTimeQueryBar::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        Notify(kNotifyRightDown, at);
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    Notify(kNotifyLeftDown, at);
    if (m_stations && !m_records.dragDisabled && m_dragBand.contains(at))
        m_drag.Begin(at.y(), m_records.window->m_stationListHeight);
}

void CLackTimeQueryBar::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (!m_drag.Active()) {
        const bool overBand = m_stations && !m_records.dragDisabled && m_dragBand.contains(at);
        setCursor(overBand ? Qt::SizeVerCursor : Qt::ArrowCursor);
        return;
    }
    m_drag.Move(at.y(), m_listRect.top());
    update();
}

void CLackTimeQueryBar::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        Notify(kNotifyRightUp, at);
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    if (m_drag.Active()) {
        m_records.window->m_stationListHeight = m_drag.End(at.y());
        Layout();
    }
    Notify(kNotifyLeftUp, at);
}

void CLackTimeQueryBar::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        Notify(kNotifyLeftDoubleClick, at);
    } else if (event->button() == Qt::RightButton) {
        Notify(kNotifyRightDoubleClick, at);
        m_selectAllOn = !m_selectAllOn;
        SelectAll(m_selectAllOn);
    }
}
