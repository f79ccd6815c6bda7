// The missing-data bar's rows and their painted labels.
#include "LackTimeQueryBar.h"

#include "Button.h"
#include "ButtonST.h"
#include "ComboBox.h"
#include "ListBox.h"
#include "TimeContorl.h"

namespace {
constexpr int kSelectAllRise = 6; // the select-all row starts this far above the list's bottom
constexpr int kCheckWidth = 14;
constexpr int kRefreshLeft = 57;
constexpr int kRefreshRight = 117;
} // namespace

void CLackTimeQueryBar::Layout() {
    ClearLabels();
    if (m_typeButtons.empty() && !m_refresh) return;
    const int h = QFontMetrics(m_font).height() + 2;
    const int x = kRowsLeft;
    const int w = kRowsRight - kRowsLeft;
    int bottom = 0; // of the previous row; the first row stands at the top margin
    auto next = [&](int gap, int height) {
        const int top = bottom == 0 ? kRowsLeft : bottom + gap;
        bottom = top + height;
        return QRect(x, top, w, height);
    };

    const CSelectionGroups& groups = StationModel().Groups();
    const std::vector<int> filters = groups.FilterIndices();
    for (std::size_t i = 0; i < m_filters.size(); ++i) {
        const QRect row = next(kFilterGap, h);
        m_filters[i]->setGeometry(row);
        if (m_filters[i]->GetCount() < 3) AddLabel(row, groups[filters[i]].label);
    }
    if (m_stations) {
        const QRect caption = next(kRowGap, h + 3);
        if (m_records.options->m_directDisplay != 1) AddLabel(caption.adjusted(0, 3, 0, -3), "站号选择");
        m_listRect = next(kRowGap, std::max(StationListHeight(), CListHeightDrag::kMinHeight));
        m_stations->setGeometry(m_listRect);
        m_dragBand = QRect(x, m_listRect.bottom() + 1, w, kDragBand);
        bottom = m_listRect.bottom() + 1 - kSelectAllRise;
        const QRect selectAll = next(0, h - 1);
        m_selectAllBox->setGeometry(selectAll.left(), selectAll.top(), kCheckWidth, selectAll.height());
    }
    if (m_start && m_end) {
        AddLabel(next(kRowGap, h + 2), "开始时间");
        m_start->setGeometry(next(kRowGap, h + 2));
        AddLabel(next(kRowGap, h + 2), "结束时间");
        m_end->setGeometry(next(kRowGap, h + 2));
    }
    if (!m_typeButtons.empty()) {
        const int half = w / 2;
        const QRect first = next(kRowGap, h);
        AddLabel(QRect(first.left(), first.top(), half, h), "时间类型");
        AddLabel(QRect(first.left() + half, first.top(), w - half, h), "时间间隔");
        m_interval->setGeometry(first.left() + half, first.bottom() + 1 + kRowGap, w - half, h);
        for (CButtonSTRadio* button : m_typeButtons) {
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
