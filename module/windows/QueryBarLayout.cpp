// The query bar's rows and their painted labels.
#include "QueryBar.h"

#include "Button.h"
#include "ButtonST.h"
#include "CJFlatButton.h"
#include "CheckListBox.h"
#include "ComboBox.h"
#include "Edit.h"
#include "ListBox.h"
#include "TimeContorl.h"

namespace {
constexpr int kMinListHeight = CListHeightDrag::kMinHeight;
constexpr int kSearchStrip = 22;
constexpr int kElementListHeight = 80;
} // namespace

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
    ClearLabels();
    const int rowHeight = QFontMetrics(m_font).height() + 2;
    const int x = kMargin;
    const int w = std::max(width() - 2 * kMargin, 10);
    int y = kMargin;
    auto labelWidth = [&](const char* text) {
        return QFontMetrics(m_font).horizontalAdvance(QString::fromUtf8(text)) + 4;
    };

    const CSelectionGroups& groups = StationModel().Groups();
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
                AddLabel(QRect(x, y, lw, rowHeight), group.label);
                combo->setGeometry(x + lw, y, w - lw, rowHeight);
            } else {
                combo->setGeometry(x, y, w, rowHeight);
            }
            y += rowHeight + kFilterGap;
        } else if (&group == station && m_stations) {
            if (m_records.options->m_directDisplay != 1) {
                AddLabel(QRect(x, y, w, rowHeight), group.label);
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
            AddLabel(QRect(x + 16 + 3, y, labelWidth("全选"), rowHeight), "全选");
            m_searchButton->setGeometry(x + w - kIconSize, y, kIconSize, kIconSize);
            m_directButton->setGeometry(x + w - 2 * kIconSize - 4, y, kIconSize, kIconSize);
            y += std::max(rowHeight, kIconSize) + kRowGap;
        } else if (group.kind == kSelectTime && m_start && !timePlaced) {
            timePlaced = true;
            AddLabel(QRect(x, y, w, rowHeight), "开始时间");
            y += rowHeight + kRowGap;
            m_start->setGeometry(x, y, w, rowHeight + 4);
            y += rowHeight + 4 + kRowGap;
            AddLabel(QRect(x, y, w, rowHeight), "结束时间");
            y += rowHeight + kRowGap;
            m_end->setGeometry(x, y, w, rowHeight + 4);
            y += rowHeight + 4 + kRowGap;
        }
    }
    if (!m_typeButtons.empty()) {
        const int lw = labelWidth("时间类型");
        AddLabel(QRect(x, y, lw, rowHeight), "时间类型");
        const int each = std::max((w - lw) / int(m_typeButtons.size()), 20);
        for (std::size_t i = 0; i < m_typeButtons.size(); ++i)
            m_typeButtons[i]->setGeometry(x + lw + int(i) * each, y, each - 2, rowHeight);
        y += rowHeight + kRowGap;
        AddLabel(QRect(x, y, lw, rowHeight), "时间间隔");
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
