#include "Snapshot.h"

#include "DisplayView.h"
#include "DriveRecords.h"

#include <QApplication>
#include <QImage>
#include <QSaveFile>

void RefreshAll(DisplayView& view) {
    for (int round = 0; round < 2; ++round) {
        view.Drive(ShowDrive(), nullptr);
        QApplication::processEvents();
    }
}

bool WriteCanvasPng(DisplayView& view, const QString& path, QString& error) {
    QApplication::processEvents();
    const QImage image = view.RenderCanvas();
    if (image.isNull()) {
        error = "the display canvas is empty";
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = path + ": " + file.errorString();
        return false;
    }
    if (!image.save(&file, "PNG")) {
        file.cancelWriting();
        error = path + ": cannot write the picture";
        return false;
    }
    if (!file.commit()) {
        error = path + ": " + file.errorString();
        return false;
    }
    return true;
}
