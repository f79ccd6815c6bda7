// The analysis bar's rows top to bottom and their painted labels.
#include "AnalyQueryBar.h"

#include "Button.h"
#include "ButtonST.h"
#include "ComboBox.h"
#include "ListBox.h"
#include "TimeContorl.h"

namespace {
constexpr int kYearRows = 6;
} // namespace

void CAnalyQueryBar::Layout() {
    if (!m_station) return;
    ClearLabels();
    const QFontMetrics metrics(m_font);
    const int rowHeight = metrics.height() + 2;
    const int x = kMargin;
    const int w = std::max(width() - 2 * kMargin, 10);
    int y = kMargin;
    auto label = [&](int left, int top, int width, const char* text) {
        AddLabel(QRect(left, top, width, rowHeight), text);
    };
    auto labelWidth = [&](const char* text) {
        return metrics.horizontalAdvance(QString::fromUtf8(text)) + 6;
    };

    for (CComboBox* combo : m_filters) {
        combo->setGeometry(x, y, w, rowHeight);
        y += rowHeight + kRowGap;
    }
    label(x, y, w, "站号选择");
    y += rowHeight;
    m_station->setGeometry(x, y, w, rowHeight + 2);
    y += rowHeight + 2 + kRowGap;
    m_stationBox->setGeometry(x, y, 16, rowHeight);
    label(x + 19, y, labelWidth("全选"), "全选");
    m_directButton->setGeometry(x + w - kIconSize, y, kIconSize, kIconSize);
    y += std::max(rowHeight, kIconSize) + kRowGap;

    label(x, y, w, "开始时间");
    y += rowHeight;
    m_start->setGeometry(x, y, w, rowHeight + 4);
    y += rowHeight + 4 + kRowGap;
    label(x, y, w, "结束时间");
    y += rowHeight;
    m_end->setGeometry(x, y, w, rowHeight + 4);
    y += rowHeight + 4 + kRowGap;

    // Four buttons in a row under their label: 时 日 旬 月, then the value kinds two by two.
    label(x, y, w, "时间类型");
    y += rowHeight;
    const int quarter = w / 4;
    for (std::size_t i = 0; i < m_typeButtons.size(); ++i)
        m_typeButtons[i]->setGeometry(x + int(i) * quarter, y, quarter - 2, rowHeight);
    y += rowHeight + kRowGap;
    label(x, y, w, "数据类型");
    y += rowHeight;
    const int half = w / 2;
    for (std::size_t i = 0; i < m_kindButtons.size(); ++i)
        m_kindButtons[i]->setGeometry(x + int(i % 2) * half, y + int(i / 2) * (rowHeight + 2), half - 2,
                                      rowHeight);
    y += 2 * (rowHeight + 2) + kRowGap;
    const int lw = labelWidth("时间间隔");
    label(x, y, lw, "时间间隔");
    m_interval->setGeometry(x + lw, y, w - lw, rowHeight);
    y += rowHeight + kRowGap;

    label(x, y, w, "选择年份");
    y += rowHeight;
    const int listHeight = kYearRows * (metrics.height() + 4) + 4;
    m_years->setGeometry(x, y, w, listHeight);
    y += listHeight + kRowGap;
    m_refresh->setGeometry(x + (w - kRefreshWidth) / 2, y, kRefreshWidth, rowHeight + 8);
    y += rowHeight + 8;
    m_rowsBottom = y;
    // A bar shorter than its rows keeps "刷新" on its bottom edge, so it can always be pressed.
    if (m_rowsBottom + kMargin > height()) {
        m_refresh->move(m_refresh->x(), std::max(0, height() - kMargin - m_refresh->height()));
        m_refresh->raise();
    }
    update();
}
