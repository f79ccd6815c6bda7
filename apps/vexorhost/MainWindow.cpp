#include "MainWindow.h"

#include "DisplayView.h"
#include "DrivePanel.h"
#include "ElementPalette.h"
#include "Hooks.h"
#include "QtConvert.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), m_view(new DisplayView) {
    setCentralWidget(m_view);
    m_palette = new ElementPalette(*m_view);
    m_paletteDock = new QDockWidget(tr("元件"), this);
    m_paletteDock->setObjectName("palette");
    m_paletteDock->setWidget(m_palette);
    addDockWidget(Qt::LeftDockWidgetArea, m_paletteDock);

    m_drives = new DrivePanel(*m_view);
    auto* driveDock = new QDockWidget(tr("驱动"), this);
    driveDock->setObjectName("drives");
    driveDock->setWidget(m_drives);
    addDockWidget(Qt::RightDockWidgetArea, driveDock);

    connect(m_view, &DisplayView::statusMessage, this, &MainWindow::ShowStatus);
    connect(m_view, &DisplayView::modifiedChanged, this, &MainWindow::UpdateTitle);
    BuildMenus();
    resize(1280, 860);
    resizeDocks({m_paletteDock, driveDock}, {170, 230}, Qt::Horizontal);
    UpdateTitle();
}

void MainWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu(tr("文件(&F)"));
    file->addAction(tr("打开(&O)..."), QKeySequence::Open, this, &MainWindow::Open);
    file->addAction(tr("保存(&S)"), QKeySequence::Save, this, [this] { Save(); });
    file->addAction(tr("另存为(&A)..."), QKeySequence::SaveAs, this, [this] { SaveAs(); });
    file->addSeparator();
    file->addAction(tr("退出(&X)"), QKeySequence::Quit, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(tr("编辑(&E)"));
    edit->addAction(tr("属性"), this, [this] {
        if (!m_view->Selected())
            ShowStatus(tr("请先选中一个元件"));
        else
            m_view->OpenProperties(m_view->Selected());
    });
    edit->addAction(tr("删除"), QKeySequence::Delete, this,
                    [this] {
                        if (m_view->Selected() && !m_view->IsRunning())
                            m_view->RemoveElement(m_view->Selected());
                    })
        ->setShortcutContext(Qt::WidgetShortcut); // the view's own Delete key does it there

    QMenu* show = menuBar()->addMenu(tr("显示(&V)"));
    auto* modes = new QActionGroup(this);
    m_editMode = show->addAction(tr("编辑"), this, [this] { SetRunning(false); });
    m_runMode = show->addAction(tr("运行"), this, [this] { SetRunning(true); });
    for (QAction* a : {m_editMode, m_runMode}) {
        a->setCheckable(true);
        modes->addAction(a);
    }
    m_editMode->setChecked(true);
    show->addSeparator();
    show->addAction(tr("放大"), QKeySequence::ZoomIn, this, [this] { m_view->SetZoom(3, 2); });
    show->addAction(tr("100%"), this, [this] { m_view->SetZoom(1, 1); });
    show->addAction(tr("缩小"), QKeySequence::ZoomOut, this, [this] { m_view->SetZoom(1, 2); });

    QToolBar* bar = addToolBar(tr("模式"));
    bar->setObjectName("modes");
    bar->addAction(m_editMode);
    bar->addAction(m_runMode);
}

void MainWindow::SetRunning(bool running) {
    m_view->SetRunning(running);
    m_paletteDock->setVisible(!running);
    (running ? m_runMode : m_editMode)->setChecked(true);
    ShowStatus(running ? tr("运行") : tr("编辑"));
}

void MainWindow::ShowStatus(const QString& text) {
    statusBar()->showMessage(text);
}

void MainWindow::UpdateTitle() {
    const QString name = m_path.isEmpty() ? tr("未命名") : QFileInfo(m_path).fileName();
    setWindowTitle(QString("%1%2 - vexorhost").arg(name, m_view->IsModified() ? "*" : ""));
}

bool MainWindow::OpenDisplay(const QString& path, QString& error) {
    CDisplayDocument document;
    CDisplayLoadError loadError;
    if (!document.LoadFile(path.toStdString(), loadError)) {
        error = QString::fromStdString(loadError.message);
        return false;
    }
    m_view->SetDocument(std::move(document));
    m_path = path;
    UpdateTitle();
    return true;
}

bool MainWindow::SaveDisplay(const QString& path, QString& error) {
    std::string message;
    if (!m_view->Document().SaveFile(path.toStdString(), message)) {
        error = QString::fromStdString(message);
        return false;
    }
    m_path = path;
    m_view->SetModified(false);
    UpdateTitle();
    return true;
}

bool MainWindow::MaybeSave() {
    if (!m_view->IsModified()) return true;
    const int answer = ui::MessageBox("显示已修改，是否保存？", "vexorhost", ui::MB_YESNO);
    return answer != ui::IDYES || Save();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (MaybeSave())
        event->accept();
    else
        event->ignore();
}

void MainWindow::Open() {
    if (!MaybeSave()) return;
    // The hooks offer no open-file dialog yet, so the host asks Qt directly.
    const QString path = QFileDialog::getOpenFileName(this, tr("打开显示"), QFileInfo(m_path).path(),
                                                      tr("显示文件 (*.vxd);;所有文件 (*)"));
    if (path.isEmpty()) return;
    QString error;
    if (OpenDisplay(path, error))
        ShowStatus(tr("已打开 %1").arg(path));
    else
        ui::MessageBox(ToCString(tr("无法打开 %1: %2").arg(path, error)), "vexorhost");
}

bool MainWindow::Save() {
    if (m_path.isEmpty()) return SaveAs();
    return SaveReporting(m_path);
}

bool MainWindow::SaveAs() {
    ui::SaveFileRequest request;
    request.filter = "显示文件(*.vxd)|*.vxd|所有文件(*.*)|*.*||";
    request.defaultExt = "vxd";
    request.fileName = ToCString(m_path);
    request.title = "保存显示";
    ui::SaveFileAnswer answer;
    if (ui::SaveFileDialog(request, answer) != ui::IDOK || answer.path.IsEmpty()) return false;
    return SaveReporting(ToQString(answer.path.str()));
}

bool MainWindow::SaveReporting(const QString& path) {
    QString error;
    if (SaveDisplay(path, error)) {
        ShowStatus(tr("已保存 %1").arg(path));
        return true;
    }
    ui::MessageBox(ToCString(tr("无法保存 %1: %2").arg(path, error)), "vexorhost");
    return false;
}
