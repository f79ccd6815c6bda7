// The query bar's rows, their painted labels, and the splitter under the station list that
// the user drags to make the list taller or shorter.
#include "QueryBar.h"

#include "Button.h"
#include "ButtonST.h"
#include "CJFlatButton.h"
#include "CheckListBox.h"
#include "ComboBox.h"
#include "Edit.h"
#include "ListBox.h"
#include "TimeContorl.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int kMargin = 5;
constexpr int kFilterGap = 9;
constexpr int kRowGap = 7;
constexpr int kMinListHeight = CListHeightDrag::kMinHeight;
constexpr int kSearchStrip = 22;
constexpr int kIconSize = 20;
constexpr int kElementListHeight = 80;
constexpr int kRefreshWidth = 60;
constexpr int kDragBand = 4;
} // namespace

void CQueryBar::resizeEvent(QResizeEvent*) {
    Layout();
}

// The rows at the list height the user chose; a bar shorter than its rows (a small element, a
// display zoomed out) first gives up list height, down to the smallest list, and then keeps
// "刷新" on its bottom edge, so it can always be pressed.
void CQueryBar::Layout() {
    const int wanted = std::max(StationListHeight(), kMinListHeight);
    LayoutRows(wanted);
    const int overflow = RowsHeight() - height();
    if (overflow > 0 && m_stations && wanted > kMinListHeight)
        LayoutRows(std::max(wanted - overflow, kMinListHeight));
    if (m_refresh && RowsHeight() > height()) {
        const QRect at = m_refresh->geometry();
        m_refresh->move(at.left(), std::max(0, height() - kMargin - at.height()));
        m_refresh->raise();
    }
}

void CQueryBar::LayoutRows(int stationListHeight) {
    m_labels.clear();
    const int rowHeight = QFontMetrics(m_font).height() + 2;
    const int x = kMargin;
    const int w = std::max(width() - 2 * kMargin, 10);
    int y = kMargin;
    auto label = [&](QRect rect, const char* text) { m_labels.push_back({rect, QString::fromUtf8(text)}); };
    auto labelWidth = [&](const char* text) {
        return QFontMetrics(m_font).horizontalAdvance(QString::fromUtf8(text)) + 4;
    };

    const CSelectionGroups& groups = m_model.Groups();
    const CSelectGroup* station = groups.Station();
    std::size_t filter = 0;
    bool timePlaced = false;
    for (int g = 0; g < groups.GetCount(); ++g) {
        const CSelectGroup& group = groups[g];
        if (group.kind == kSelectFilter && filter < m_filters.size()) {
            CComboBox* combo = m_filters[filter++];
            // A list of one or two names shows its label beside it.
            if (combo->GetCount() < 3) {
                const int lw = std::min(
                    w / 2,
                    QFontMetrics(m_font).horizontalAdvance(QString::fromStdString(group.label.str())) + 6);
                m_labels.push_back({QRect(x, y, lw, rowHeight), QString::fromStdString(group.label.str())});
                combo->setGeometry(x + lw, y, w - lw, rowHeight);
            } else {
                combo->setGeometry(x, y, w, rowHeight);
            }
            y += rowHeight + kFilterGap;
        } else if (&group == station && m_stations) {
            if (m_records.options->m_directDisplay != 1) {
                m_labels.push_back({QRect(x, y, w, rowHeight), QString::fromStdString(group.label.str())});
                y += rowHeight + kRowGap;
            }
            const int listHeight = stationListHeight;
            m_listRect = QRect(x, y, w, listHeight);
            if (m_searchShown) {
                m_stations->setGeometry(x, y, w, std::max(listHeight - kSearchStrip, 1));
                m_search->setGeometry(x, y + listHeight - kSearchStrip, w, kSearchStrip);
            } else {
                m_stations->setGeometry(m_listRect);
            }
            m_dragBand = QRect(x, y + listHeight, w, kDragBand);
            y += listHeight + kRowGap;
            m_selectAllBox->setGeometry(x, y, 16, rowHeight);
            label(QRect(x + 16 + 3, y, labelWidth("全选"), rowHeight), "全选");
            m_searchButton->setGeometry(x + w - kIconSize, y, kIconSize, kIconSize);
            m_directButton->setGeometry(x + w - 2 * kIconSize - 4, y, kIconSize, kIconSize);
            y += std::max(rowHeight, kIconSize) + kRowGap;
        } else if (group.kind == kSelectTime && m_start && !timePlaced) {
            timePlaced = true;
            label(QRect(x, y, w, rowHeight), "开始时间");
            y += rowHeight + kRowGap;
            m_start->setGeometry(x, y, w, rowHeight + 4);
            y += rowHeight + 4 + kRowGap;
            label(QRect(x, y, w, rowHeight), "结束时间");
            y += rowHeight + kRowGap;
            m_end->setGeometry(x, y, w, rowHeight + 4);
            y += rowHeight + 4 + kRowGap;
        }
    }
    if (!m_typeButtons.empty()) {
        const int lw = labelWidth("时间类型");
        label(QRect(x, y, lw, rowHeight), "时间类型");
        const int each = std::max((w - lw) / int(m_typeButtons.size()), 20);
        for (std::size_t i = 0; i < m_typeButtons.size(); ++i)
            m_typeButtons[i]->setGeometry(x + lw + int(i) * each, y, each - 2, rowHeight);
        y += rowHeight + kRowGap;
        label(QRect(x, y, lw, rowHeight), "时间间隔");
        m_interval->setGeometry(x + lw, y, w - lw, rowHeight);
        y += rowHeight + kRowGap;
    }
    if (m_elements) {
        m_elements->setGeometry(x, y, w, kElementListHeight);
        y += kElementListHeight + kRowGap;
    }
    if (m_refresh) {
        m_refresh->setGeometry(x + (w - kRefreshWidth) / 2, y, kRefreshWidth, rowHeight + 8);
        y += rowHeight + 8;
    }
    m_rowsBottom = y;
    update();
}

void CQueryBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(m_font);
    painter.setPen(palette().color(QPalette::WindowText));
    for (const Label& l : m_labels)
        painter.drawText(l.rect, Qt::AlignLeft | Qt::AlignVCenter, l.text);
    if (m_drag.LineY() >= 0)
        painter.fillRect(QRect(m_listRect.left(), m_drag.LineY(), m_listRect.width(), 2), Qt::black);
}

void CQueryBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        Notify(kNotifyRightDown, event->position().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    Notify(kNotifyLeftDown, event->position().toPoint());
    if (m_stations && !m_records.dragDisabled) m_drag.Begin(int(event->position().y()), StationListHeight());
}

void CQueryBar::mouseMoveEvent(QMouseEvent* event) {
    if (!m_drag.Active()) {
        const bool overBand =
            m_stations && !m_records.dragDisabled && m_dragBand.contains(event->position().toPoint());
        setCursor(overBand ? Qt::SizeVerCursor : Qt::ArrowCursor);
        return;
    }
    m_drag.Move(int(event->position().y()), m_listRect.top());
    update();
}

void CQueryBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        RegionMenu(event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    if (m_drag.Active()) {
        m_records.window->m_stationListHeight = m_drag.End(int(event->position().y()));
        Layout();
    }
    Notify(kNotifyLeftUp, event->position().toPoint());
}

void CQueryBar::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        Notify(kNotifyLeftDoubleClick, event->position().toPoint());
    } else if (event->button() == Qt::RightButton) {
        m_selectAllOn = !m_selectAllOn;
        SelectAll(m_selectAllOn);
    }
}
