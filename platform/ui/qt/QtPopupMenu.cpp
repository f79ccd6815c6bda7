#include "QtPopupMenu.h"

#include <QAction>
#include <QMenu>
#include <QString>

namespace ui {

PopupMenuResponder QtPopupMenuResponder() {
    return [](const std::vector<MenuItem>& items, CPoint screen) {
        QMenu menu;
        for (const MenuItem& item : items) {
            if (item.id == 0) {
                menu.addSeparator();
                continue;
            }
            QAction* action = menu.addAction(QString::fromStdString(item.text.str()));
            action->setData(item.id);
            action->setEnabled(item.enabled);
            action->setCheckable(item.checked);
            action->setChecked(item.checked);
        }
        QAction* chosen = menu.exec(QPoint(screen.x, screen.y));
        return chosen ? chosen->data().toInt() : 0;
    };
}

} // namespace ui
