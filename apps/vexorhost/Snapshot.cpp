#include "Snapshot.h"

#include "AtomicFile.h"
#include "DisplayView.h"
#include "DriveRecords.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>

void RefreshAll(DisplayView& view) {
    view.Drive(ShowDrive(), nullptr);
    QApplication::processEvents();
}

bool WriteCanvasPng(DisplayView& view, const QString& path, QString& error) {
    QApplication::processEvents();
    const QImage image = view.RenderCanvas();
    if (image.isNull()) {
        error = "the display canvas is empty";
        return false;
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        error = path + ": cannot encode the picture";
        return false;
    }
    std::string reason;
    if (!mfc::WriteFileAtomically(path.toStdString(),
                                  std::string_view(png.constData(), std::size_t(png.size())), reason)) {
        error = QString::fromStdString(reason);
        return false;
    }
    return true;
}
