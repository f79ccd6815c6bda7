#include "CJFlatButton.h"

CCJFlatButton::CCJFlatButton(int controlId, CWnd* owner, QWidget* parent)
    : QToolButton(parent), CWnd(*this, controlId, owner) {
    setAutoRaise(true);
    setIconSize(QSize(20, 20));
    // The frame around the usable 20 x 20.
    setFixedSize(24, 24);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    connect(this, &QToolButton::clicked, this, [this] { NotifyOwner(BN_CLICKED); });
}
