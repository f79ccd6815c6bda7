#include "ListToolStrip.h"

#include "CJFlatButton.h"
#include "Controls.h"
#include "GridCtrl.h"
#include "GridModel.h"
#include "QtConvert.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace {

constexpr int kButtonWidth = 24;
constexpr int kButtonPitch = 25;

struct StripButton {
    const char* glyph;
    const char* tooltip;
    int notification;
};

constexpr StripButton kButtons[4] = {{"+", "增加新数据", CListToolStrip::kNotifyAdd},
                                     {"×", "删除数据", CListToolStrip::kNotifyDelete},
                                     {"↑", "向上移动", CListToolStrip::kNotifyMoveUp},
                                     {"↓", "向下移动", CListToolStrip::kNotifyMoveDown}};

QIcon GlyphIcon(const char* glyph) {
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QFont font = painter.font();
    font.setPixelSize(16);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 128));
    painter.drawText(pixmap.rect(), Qt::AlignCenter, QString::fromUtf8(glyph));
    return QIcon(pixmap);
}

} // namespace

CListToolStrip::CListToolStrip(int controlId, CWnd* owner, QWidget* parent)
    : QFrame(parent), CWnd(*this, controlId, owner), m_caption(new QLabel(this)) {
    setFrameShape(QFrame::StyledPanel);
    for (int i = 0; i < 4; ++i) {
        auto* button = new CCJFlatButton(kButtonIds[i], this, this);
        button->SetIcon(GlyphIcon(kButtons[i].glyph));
        button->SetTooltipText(kButtons[i].tooltip);
    }
}

void CListToolStrip::SetCaption(const CString& caption) {
    m_caption->setText(ToQString(caption.GetString()));
}

CString CListToolStrip::Caption() const {
    return ToCString(m_caption->text());
}

void CListToolStrip::OnChildNotify(const CNotify& notify) {
    if (notify.code != BN_CLICKED) return;
    for (int i = 0; i < 4; ++i)
        if (notify.controlId == kButtonIds[i]) NotifyOwner(kButtons[i].notification);
}

// The buttons sit right-aligned inside the strip with a 1-pixel inset, the caption before them.
void CListToolStrip::resizeEvent(QResizeEvent*) {
    const QRect inside = contentsRect().adjusted(1, 1, -1, -1);
    const int firstLeft = inside.right() + 1 - kButtonWidth - 3 * kButtonPitch;
    for (int i = 0; i < 4; ++i)
        if (CWnd* button = GetDlgItem(kButtonIds[i]))
            button->GetWidget().move(firstLeft + i * kButtonPitch, inside.top() + (inside.height() - 24) / 2);
    m_caption->setGeometry(inside.left() + 4, inside.top(), std::max(firstLeft - inside.left() - 8, 0),
                           inside.height());
}

bool SelectedRowSpan(const CGridCtrl& grid, long& first, long& last) {
    const std::vector<long> rows = grid.GetSelectedRows();
    if (rows.empty()) return false;
    first = *std::min_element(rows.begin(), rows.end());
    last = *std::max_element(rows.begin(), rows.end());
    return true;
}

void SelectGridRows(CGridCtrl& grid, long first, long last) {
    const CGridModel& model = grid.GetModel();
    const QModelIndex top = model.IndexOf(first, 1);
    const QModelIndex bottom = model.IndexOf(last, grid.GetGrid().GetColumnCount() - 1);
    if (!top.isValid() || !bottom.isValid()) return;
    grid.selectionModel()->select(QItemSelection(top, bottom), QItemSelectionModel::ClearAndSelect);
}
