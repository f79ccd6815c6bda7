// vexorhost: the display editor and run-time viewer. Loads the plug-in modules, opens a display
// for editing or running, and can write a headless snapshot of a running display.
#include "DataSource.h"
#include "DisplayView.h"
#include "ElementPalette.h"
#include "HostModules.h"
#include "HostOptions.h"
#include "MainWindow.h"
#include "QtResponders.h"
#include "QtTranslations.h"
#include "Snapshot.h"

#include <QApplication>
#include <QFileInfo>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

bool HasDesktop() {
    auto set = [](const char* name) { return std::getenv(name) && *std::getenv(name); };
    return set("DISPLAY") || set("WAYLAND_DISPLAY");
}

std::string ExecutableDir(const char* argv0) {
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return (ec ? std::filesystem::absolute(argv0) : self).parent_path().string();
}

// Whether the data source answers; when not, a message naming it and why.
bool DataSourceUsable(std::string& error) {
    std::string reason;
    if (kes::CurrentConnection(reason)) return true;
    error = "the data source " + kes::DescribeDataSource() + " cannot be used: " + reason;
    return false;
}

} // namespace

int main(int argc, char** argv) {
    // A file that reaches the size limit fails its write, which is reported, instead of
    // ending the program half-way through.
    std::signal(SIGXFSZ, SIG_IGN);
    std::vector<std::string> args(argv + 1, argv + argc);
    for (const std::string& a : args)
        if (a == "--help" || a == "-h") {
            std::fputs(kHostUsage, stdout);
            return 0;
        }
    HostOptions options;
    std::string error;
    if (!ParseHostOptions(args, options, error)) {
        std::fprintf(stderr, "vexorhost: %s\n%s", error.c_str(), kHostUsage);
        return 1;
    }
    const bool snapshot = !options.snapshot.empty();
    if (snapshot && !HasDesktop() && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The data service is one shared library for the host and its modules.
    if (!options.db.empty()) kes::SetDataSource(options.db);

    QApplication app(argc, argv);
    // Qt's own buttons and dialogs speak the operator's language too.
    if (!ui::InstallQtTranslations(app))
        std::fprintf(stderr,
                     "vexorhost: Qt's Chinese translations are not installed (qt6-translations-l10n)\n");
    // Declared before the window, so the elements the modules made are gone when they unload.
    HostModules modules;
    const HostModules::Report report =
        modules.Load(HostModules::PluginFolders(ExecutableDir(argv[0])), options.modules);
    for (const std::string& e : report.errors)
        std::fprintf(stderr, "vexorhost: %s\n", e.c_str());

    MainWindow window;
    if (!snapshot) ui::InstallQtResponders(&window); // a headless run never waits for an answer
    QStringList status;
    for (const std::string& e : report.errors)
        status << QString::fromStdString(e);
    status << QObject::tr("数据源 %1").arg(QString::fromStdString(kes::DescribeDataSource()));
    // What the elements say as they open and start (a database they cannot read) stays in the
    // line, once each.
    QStringList said;
    const QMetaObject::Connection listening = QObject::connect(
        &window.View(), &DisplayView::statusMessage, [&said](const QString& text) { said << text; });

    if (!options.display.empty()) {
        QString openError;
        const QString path = QString::fromStdString(options.display);
        if (!window.OpenDisplay(path, openError)) {
            std::fprintf(stderr, "vexorhost: cannot open %s: %s\n", options.display.c_str(),
                         openError.toStdString().c_str());
            if (snapshot) return 1;
            status.prepend(QObject::tr("无法打开 %1: %2").arg(path, openError));
        }
    }
    window.SetRunning(options.mode == HostOptions::Mode::Run);
    QObject::disconnect(listening);
    said.removeDuplicates();
    window.ShowStatus((status + said).join("; "));

    if (snapshot) {
        window.show();
        QApplication::processEvents();
        if (options.afterRefresh) {
            // A picture of elements that could not read anything would pass for the data.
            std::string sourceError;
            if (!DataSourceUsable(sourceError)) {
                std::fprintf(stderr, "vexorhost: %s\n", sourceError.c_str());
                return 1;
            }
            RefreshAll(window.View());
        }
        const QString png = QString::fromStdString(options.snapshot);
        QString snapError;
        const bool written = options.property > 0 ? WritePropertySheetPng(window.View(), options.property,
                                                                          options.page, png, snapError)
                                                  : WriteCanvasPng(window.View(), png, snapError);
        if (!written) {
            std::fprintf(stderr, "vexorhost: snapshot failed: %s\n", snapError.toStdString().c_str());
            return 1;
        }
        std::printf("%s\n", QFileInfo(png).absoluteFilePath().toStdString().c_str());
        return 0;
    }
    window.show();
    return app.exec();
}
