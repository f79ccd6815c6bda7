#include "BarLook.h"

#include "QtConvert.h"
#include "QueryItem.h"
#include "WindowSettings.h"

#include <QApplication>
#include <QStyle>
#include <QWidget>

QFont ApplyBarLook(QWidget& bar, const CQueryBarRecords& records) {
    bar.setAutoFillBackground(true);
    QPalette pal = bar.palette();
    pal.setColor(QPalette::Window, ToQColor(COLORREF(records.panelColor)).isValid() && records.panelColor
                                       ? ToQColor(COLORREF(records.panelColor))
                                       : QApplication::palette().color(QPalette::Button));
    bar.setPalette(pal);
    LOGFONT font = records.window->m_fonts[0];
    if (font.lfFaceName.IsEmpty()) {
        font = CQueryItem::DefaultFont();
        font.lfHeight = 15;
    }
    const QFont qfont = LogFontToQFont(font);
    bar.setFont(qfont);
    return qfont;
}

QIcon BarIcon(int resource) {
    QStyle* style = QApplication::style();
    return style->standardIcon(resource == 924 ? QStyle::SP_FileDialogNewFolder
                                               : QStyle::SP_FileDialogContentsView);
}
