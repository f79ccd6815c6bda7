#include "Snapshot.h"

#include "AtomicFile.h"
#include "DisplayView.h"
#include "DriveRecords.h"
#include "Hooks.h"
#include "Wnd.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QTabWidget>

void RefreshAll(DisplayView& view) {
    view.Drive(ShowDrive(), nullptr);
    QApplication::processEvents();
    // Windows that fill themselves in the background are waited for, a minute at the most.
    auto loading = [&view] {
        for (const QWidget* w : view.viewport()->findChildren<QWidget*>())
            if (w->property(ui::kLoadingProperty).toBool()) return true;
        return false;
    };
    constexpr int kLongestWaitMs = 60'000;
    QElapsedTimer waited;
    waited.start();
    while (loading() && waited.elapsed() < kLongestWaitMs)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    QApplication::processEvents();
}

bool WriteImagePng(const QImage& image, const QString& path, QString& error) {
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

bool WriteCanvasPng(DisplayView& view, const QString& path, QString& error) {
    QApplication::processEvents();
    const QImage image = view.RenderCanvas();
    if (image.isNull()) {
        error = "the display canvas is empty";
        return false;
    }
    return WriteImagePng(image, path, error);
}

bool WritePropertySheetPng(DisplayView& view, int element, int page, const QString& path, QString& error) {
    if (element < 1 || element > int(view.Elements().size())) {
        error = QString("the display has no element %1").arg(element);
        return false;
    }
    QImage picture;
    // The sheet is shown, pictured on the asked page and cancelled instead of waiting for the user.
    const ui::ModalResponder previous = ui::SetModalResponder([&](CWnd& dialog) {
        QWidget& sheet = dialog.GetWidget();
        auto* pages = sheet.findChild<QTabWidget*>();
        if (!pages || page < 1 || page > pages->count()) {
            error = QString("the property sheet has no page %1").arg(page);
            return ui::IDCANCEL;
        }
        pages->setCurrentIndex(page - 1);
        sheet.show();
        QApplication::processEvents();
        picture = sheet.grab().toImage();
        sheet.hide();
        return ui::IDCANCEL;
    });
    view.OpenProperties(view.Elements()[std::size_t(element - 1)].get());
    ui::SetModalResponder(previous);
    if (picture.isNull()) {
        if (error.isEmpty()) error = QString("element %1 opened no property sheet").arg(element);
        return false;
    }
    return WriteImagePng(picture, path, error);
}
