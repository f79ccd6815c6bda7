#include "CJColorPicker.h"

#include "Hooks.h"

#include <QFrame>
#include <QGridLayout>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kColumns = 8;

QToolButton* MakeEntry(QWidget* parent, const QString& text) {
    auto* entry = new QToolButton(parent);
    entry->setText(text);
    entry->setAutoRaise(true);
    entry->setFocusPolicy(Qt::NoFocus);
    return entry;
}

} // namespace

CCJColorPicker::CCJColorPicker(int controlId, CWnd* owner, QWidget* parent)
    : QPushButton(parent), CWnd(*this, controlId, owner), m_popup(new QFrame(this, Qt::Popup)) {
    setAutoDefault(false);
    setMinimumSize(24, 20);
    BuildPopup();
    connect(this, &QPushButton::clicked, this, &CCJColorPicker::ShowPopup);
}

const std::vector<COLORREF>& CCJColorPicker::StandardColors() {
    static const std::vector<COLORREF> colours = {
        RGB(0, 0, 0),       RGB(128, 0, 0),     RGB(0, 128, 0),     RGB(128, 128, 0),   RGB(0, 0, 128),
        RGB(128, 0, 128),   RGB(0, 128, 128),   RGB(192, 192, 192), RGB(128, 128, 128), RGB(255, 0, 0),
        RGB(0, 255, 0),     RGB(255, 255, 0),   RGB(0, 0, 255),     RGB(255, 0, 255),   RGB(0, 255, 255),
        RGB(255, 255, 255), RGB(153, 51, 0),    RGB(51, 51, 0),     RGB(0, 51, 0),      RGB(0, 51, 102),
        RGB(51, 51, 153),   RGB(51, 51, 51),    RGB(255, 102, 0),   RGB(0, 102, 204),   RGB(255, 153, 0),
        RGB(153, 204, 0),   RGB(51, 153, 102),  RGB(51, 204, 204),  RGB(51, 102, 255),  RGB(153, 51, 102),
        RGB(255, 204, 0),   RGB(0, 204, 255),   RGB(255, 153, 204), RGB(255, 204, 153), RGB(255, 255, 153),
        RGB(204, 255, 204), RGB(204, 255, 255), RGB(153, 204, 255), RGB(204, 153, 255), RGB(255, 255, 224),
    };
    return colours;
}

void CCJColorPicker::BuildPopup() {
    m_popup->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(m_popup);
    layout->setContentsMargins(4, 4, 4, 4);

    QToolButton* automatic = MakeEntry(m_popup, QStringLiteral("自动"));
    automatic->setObjectName(QStringLiteral("automatic"));
    automatic->setToolButtonStyle(Qt::ToolButtonTextOnly);
    automatic->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(automatic, &QToolButton::clicked, this, [this] { Pick(m_default); });
    layout->addWidget(automatic);

    auto* grid = new QGridLayout;
    grid->setSpacing(2);
    const auto& colours = StandardColors();
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const COLORREF colour = colours[i];
        QToolButton* entry = MakeEntry(m_popup, {});
        entry->setProperty("colorRef", uint(colour));
        entry->setFixedSize(18, 18);
        entry->setStyleSheet(
            QStringLiteral("background-color: %1; border: 1px solid gray;").arg(ToQColor(colour).name()));
        connect(entry, &QToolButton::clicked, this, [this, colour] { Pick(colour); });
        grid->addWidget(entry, int(i) / kColumns, int(i) % kColumns);
    }
    layout->addLayout(grid);

    QToolButton* other = MakeEntry(m_popup, QStringLiteral("其他颜色..."));
    other->setObjectName(QStringLiteral("other"));
    other->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(other, &QToolButton::clicked, this, &CCJColorPicker::PickOther);
    layout->addWidget(other);
}

void CCJColorPicker::SetColor(COLORREF colour) {
    m_color = colour;
    update();
}

void CCJColorPicker::ShowPopup() {
    m_popup->adjustSize();
    m_popup->move(mapToGlobal(QPoint(0, height())));
    m_popup->show();
}

void CCJColorPicker::Pick(COLORREF colour) {
    m_popup->hide();
    SetColor(colour);
    NotifyOwner(CPN_SELENDOK);
}

void CCJColorPicker::PickOther() {
    // The popup goes first: the colour dialog takes its place.
    m_popup->hide();
    COLORREF chosen = m_color;
    if (ui::ChooseColor(m_color, chosen) == ui::IDOK) Pick(chosen);
}

void CCJColorPicker::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    QPainter painter(this);
    const QRect swatch = rect().adjusted(4, 4, -4, -4);
    painter.fillRect(swatch,
                     isEnabled() ? ToQColor(m_color) : palette().color(QPalette::Disabled, QPalette::Button));
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
}
