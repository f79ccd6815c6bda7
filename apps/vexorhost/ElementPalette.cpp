#include "ElementPalette.h"

#include "DisplayView.h"
#include "ElementTypeRegistry.h"

#include <QApplication>
#include <QFile>
#include <QStyle>

QIcon ElementIconImage(const CElementIcon& icon) {
    const QString path = ":" + QString::fromStdString(ElementIconResourcePath(icon));
    if (!icon.resourceName.empty() && QFile::exists(path)) return QIcon(path);
    return QApplication::style()->standardIcon(QStyle::SP_FileIcon);
}

ElementPalette::ElementPalette(DisplayView& view, QWidget* parent) : QListWidget(parent), m_view(view) {
    setIconSize(QSize(32, 32));
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        m_view.SetCreateType(item->data(Qt::UserRole).toString().toStdString());
    });
    connect(&m_view, &DisplayView::createTypeChanged, this, [this] {
        if (m_view.CreateType().empty()) clearSelection();
    });
    Reload();
}

void ElementPalette::Reload() {
    clear();
    for (const CElementTypeInfo& type : CElementTypeRegistry::Instance().Types()) {
        auto* item =
            new QListWidgetItem(ElementIconImage(type.icon), QString::fromStdString(type.typeName), this);
        item->setData(Qt::UserRole, QString::fromStdString(type.typeName));
    }
}
