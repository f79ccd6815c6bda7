#pragma once
// The palette of the editor: every registered element type with its name and its module's
// picture. Choosing a type arms the view to draw one; the choice clears once it is drawn.
#include <QListWidget>

class DisplayView;
struct CElementIcon;

class ElementPalette : public QListWidget {
    Q_OBJECT
public:
    ElementPalette(DisplayView& view, QWidget* parent = nullptr);
    // Reads the registered types again (after modules came or went).
    void Reload();

private:
    DisplayView& m_view;
};

// The picture a module ships for an icon resource; a generic one when the module has none.
QIcon ElementIconImage(const CElementIcon& icon);
