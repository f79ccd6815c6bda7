#include "QtResponders.h"

#include "LoginDialog.h"
#include "PrintDialog.h"
#include "QtConvert.h"
#include "QtInputBox.h"
#include "QtMessageBox.h"
#include "QtPopupMenu.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QPointer>

namespace ui {

QStringList ToQtNameFilters(const CString& filter) {
    QStringList filters;
    for (const FileFilter& pair : ParseFileFilter(filter)) {
        QStringList patterns;
        for (const CString& pattern : pair.patterns)
            patterns << ToQString(pattern.GetString());
        // The dialog reads the patterns from the last parentheses, so they are always added
        // even when the description already shows some of its own.
        filters << ToQString(pair.description.GetString()) + QStringLiteral(" (") + patterns.join(' ') + ')';
    }
    return filters;
}

WaitCursorResponder QtWaitCursorResponder() {
    return [](bool begin) {
        if (begin)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    };
}

SaveFileResponder QtSaveFileResponder(QWidget* parent) {
    QPointer<QWidget> owner(parent);
    return [owner](const SaveFileRequest& request, SaveFileAnswer& answer) {
        QFileDialog dialog(owner ? owner.data() : QApplication::activeWindow(),
                           ToQString(request.title.GetString()));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::ReadOnly, false);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
        const QStringList filters = ToQtNameFilters(request.filter);
        if (!filters.isEmpty()) dialog.setNameFilters(filters);
        if (!request.defaultExt.IsEmpty()) dialog.setDefaultSuffix(ToQString(request.defaultExt.GetString()));
        if (!request.fileName.IsEmpty()) dialog.selectFile(ToQString(request.fileName.GetString()));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return IDCANCEL;
        answer.path = ToCString(dialog.selectedFiles().front());
        answer.filterIndex = std::max<int>(1, int(filters.indexOf(dialog.selectedNameFilter())) + 1);
        return IDOK;
    };
}

ColorResponder QtColorResponder(QWidget* parent) {
    QPointer<QWidget> owner(parent);
    return [owner](COLORREF initial, COLORREF& chosen) {
        const QColor colour =
            QColorDialog::getColor(ToQColor(initial), owner ? owner.data() : QApplication::activeWindow());
        if (!colour.isValid()) return IDCANCEL;
        chosen = ToColorRef(colour);
        return IDOK;
    };
}

FontResponder QtFontResponder(QWidget* parent) {
    QPointer<QWidget> owner(parent);
    return [owner](LOGFONT& font) {
        bool chosen = false;
        const QFont picked = QFontDialog::getFont(&chosen, LogFontToQFont(font),
                                                  owner ? owner.data() : QApplication::activeWindow());
        if (!chosen) return IDCANCEL;
        font = QFontToLogFont(picked, font);
        return IDOK;
    };
}

void InstallQtResponders(QWidget* parent) {
    InstallQtMessageBox(parent);
    SetWaitCursorResponder(QtWaitCursorResponder());
    SetSaveFileResponder(QtSaveFileResponder(parent));
    SetColorResponder(QtColorResponder(parent));
    SetFontResponder(QtFontResponder(parent));
    SetPrintDialogResponder(QtPrintDialogResponder(parent));
    kes::SetCredentialResponder(QtLoginResponder(parent));
    SetPopupMenuResponder(QtPopupMenuResponder());
    SetInputBoxResponder(QtInputBoxResponder(parent));
}

} // namespace ui
