#pragma once
// The host's main window: the display view in the middle, the element palette (edit mode) and
// the drive panel beside it, menus for files, editing and the mode, and the status line where
// the host and the elements say what they could not do.
#include <QMainWindow>

class DisplayView;
class DrivePanel;
class ElementPalette;
class QAction;
class QDockWidget;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    DisplayView& View() const { return *m_view; }
    DrivePanel& Drives() const { return *m_drives; }
    ElementPalette& Palette() const { return *m_palette; }

    bool OpenDisplay(const QString& path, QString& error);
    bool SaveDisplay(const QString& path, QString& error);
    const QString& DisplayPath() const { return m_path; }

    void SetRunning(bool running);
    void ShowStatus(const QString& text);

    // The menu commands.
    void Open();
    bool Save();
    bool SaveAs();
    // Before the display is closed or replaced: asks whether to save changes; false when the
    // changes could not be saved and the display should stay.
    bool MaybeSave();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void UpdateTitle();
    bool SaveReporting(const QString& path);

    DisplayView* m_view;
    ElementPalette* m_palette;
    DrivePanel* m_drives;
    QDockWidget* m_paletteDock;
    QAction* m_editMode = nullptr;
    QAction* m_runMode = nullptr;
    QString m_path;
};
