#pragma once
// The bar of the point query window: a panel at the window's right edge, collapsed while the
// window starts. It has no controls of its own; its mouse buttons notify the window.
#include "Wnd.h"

#include <QWidget>

class CPointQueryBar : public QWidget, public CWnd {
public:
    static constexpr const char* kClassName = "CPointQueryBar";
    // Mouse notifications to the owner, with the bar's notification block.
    static constexpr int kNotifyLeftDown = 1124;
    static constexpr int kNotifyRightDown = 1125;
    static constexpr int kNotifyLeftUp = 1126;
    static constexpr int kNotifyRightUp = 1127;
    static constexpr int kNotifyLeftDoubleClick = 1128;

    CPointQueryBar(int controlId, CWnd* owner, QWidget* parent);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void Notify(int code, QPoint at);
};
