#pragma once
// Dialog 911 "系统查看": the tables the system view lists (a grid edited with the list tool
// strip, each new table chosen with dialog 912), the grid background and the display mode of
// the viewer's headers. OK writes them into the system-view settings.
#include "GridIterator.h"
#include "SysViewSettings.h"
#include "Wnd.h"

#include <QDialog>
#include <functional>

class CCJColorPicker;
class CComboBox;
class CGridCtrl;
class CListToolStrip;
class CSysLookAddDlg;

class CSysLookSetDlg : public QDialog, public CWnd {
public:
    static constexpr int kDialogId = 911;
    static constexpr int kGridId = 942;
    static constexpr int kToolStrip = 1067;
    static constexpr int kBackground = 1046;
    static constexpr int kDisplayModeList = 1047;

    explicit CSysLookSetDlg(CSysViewSettings& settings, QWidget* parent = nullptr);

    // How the add dialog is run: modal by default; tests answer it themselves.
    std::function<int(CSysLookAddDlg&)> runAddDialog;

    const CStringArray& DisplayModes() const { return m_displayModes; }
    const CObjectArray<CSysViewEntry>& Entries() const { return m_entries; }
    CGridIterator& Grid() { return m_grid; }
    CGridCtrl* GridCtrl() const { return m_gridCtrl; }

    void accept() override;

protected:
    void OnChildNotify(const CNotify& notify) override;

private:
    void FillGrid();
    void AddEntry();
    // Delete, move up or move down on the selected rows, the list first taken from the cells.
    void EditSelectedRows(int notification);

    CSysViewSettings& m_settings;
    CStringArray m_displayModes;
    CObjectArray<CSysViewEntry> m_entries;
    CGridIterator m_grid;
    CGridCtrl* m_gridCtrl; // Qt children of the dialog
    CListToolStrip* m_strip;
    CCJColorPicker* m_background;
    CComboBox* m_displayMode;
};
