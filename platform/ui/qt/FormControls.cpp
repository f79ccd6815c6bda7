#include "FormControls.h"

#include <QAbstractButton>
#include <QLayout>

QWidget* FindControl(const QWidget& form, int controlId) {
    const QList<QWidget*> children = form.findChildren<QWidget*>();
    for (QWidget* child : children) {
        const QVariant id = child->property("controlId");
        if (id.isValid() && id.toInt() == controlId) return child;
    }
    return nullptr;
}

int CheckedRadio(const QWidget& form, std::initializer_list<int> ids) {
    int index = 0;
    for (int id : ids) {
        if (auto* radio = FindControl<QAbstractButton>(form, id); radio && radio->isChecked()) return index;
        ++index;
    }
    return -1;
}

void CheckRadio(const QWidget& form, std::initializer_list<int> ids, int index) {
    int i = 0;
    for (int id : ids) {
        if (auto* radio = FindControl<QAbstractButton>(form, id)) radio->setChecked(i == index);
        ++i;
    }
}

bool ReplaceControl(QWidget& form, int controlId, QWidget& replacement) {
    QWidget* placeholder = FindControl(form, controlId);
    if (!placeholder || !placeholder->parentWidget() || !placeholder->parentWidget()->layout()) return false;
    replacement.setMinimumSize(placeholder->minimumSize());
    replacement.setSizePolicy(placeholder->sizePolicy());
    // Found among the layout's nested items, wherever in them the placeholder stands.
    QLayoutItem* old = placeholder->parentWidget()->layout()->replaceWidget(placeholder, &replacement);
    if (!old) return false;
    delete old;
    delete placeholder;
    return true;
}
