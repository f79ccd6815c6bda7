#pragma once
// The settings-table viewer of the element's system view mode: a grid listing the chosen tables
// with their row counts and time spans. The tables are counted on a worker thread, one after the
// other, and each row appears as soon as its table is counted, so the window paints, sorts and
// can be closed while a long inventory loads. A new refresh or closing the window stops the load.
#include "BackgroundInventory.h"
#include "ElementWindow.h"
#include "InterfaceSettings.h"
#include "QueryWindowModel.h"
#include "SysLookGrid.h"
#include "SysViewSettings.h"
#include "UseGridWindow.h"

#include <QObject>
#include <QTimer>

#include <memory>
#include <vector>

class CSysLookWidow : public CSysViewWindow, public CUseGridWindow {
public:
    static constexpr const char* kClassName = "CSysLookWidow";

    CSysLookWidow();
    ~CSysLookWidow() override;

    bool CurrentColumnWidths(CDWordArray& widths) const override;
    bool Create(CWnd* owner, int controlId, const CRect& rect, unsigned style) override;
    bool HasSystemWindow() const override { return HasWidget(); }
    // Stores the column widths into the interface settings (unless told not to), stops the
    // load and removes the system window.
    void DestroySystemWindow() override;
    void ModifyStyleEx(unsigned add) override;
    void Show(bool show) override { ShowWidget(show); }
    void MoveWindow(const CRect& rect) override { MoveWidget(rect); }
    // Empties the inventory and counts the tables again (any argument).
    void Refresh(int argument) override;
    void SetRunState(int) override {}
    void SetRecords(CInterfaceSettings* face, CWindowSettings* window, CQueryOptions* options,
                    CSysViewSettings* sysView) override;

    void OnChildNotify(const CNotify& notify) override;

    // Stops the load: the rows counted so far stay.
    void CancelLoad();
    // 0 not started, 1 loading, 2 done (finished or stopped).
    int LoadStep() const { return m_loadStep; }
    const std::vector<CInventoryRow>& Rows() const { return m_rows; }
    // The last header sort, shared by the process's viewers.
    static CHeaderSort& LastSort();
    // While set, destroying the window leaves the stored column widths as they are.
    void SetKeepStoredWidths(bool keep) { m_keepStoredWidths = keep; }

protected:
    void CreateChildren() override;

private:
    void StartLoad();
    void AcceptRow(unsigned load, const CInventoryRow& row);
    void LoadEnded(unsigned load);
    void BuildGrid();
    void ApplyColumnWidths();
    void SortByHeader(long column);

    CInterfaceSettings* m_face = nullptr;
    CWindowSettings* m_windowSettings = nullptr;
    CQueryOptions* m_options = nullptr;
    CSysViewSettings* m_sysView = nullptr;
    std::vector<CDisplayStyle> m_styles;
    bool m_stylesLoaded = false;
    std::vector<CInventoryRow> m_rows;
    int m_loadStep = 0;
    bool m_keepStoredWidths = false;

    // Rows the worker counted arrive here on the window's thread; what is still on its way when
    // the window goes is dropped with it. m_load is joined before this goes.
    QObject m_receiver;
    unsigned m_loadNumber = 0; // rows of an earlier load still on their way are ignored
    // A server may miss a stop that reaches it just before a statement: asked again until the
    // load has ended.
    QTimer m_stopAgain;
    std::unique_ptr<CBackgroundInventory> m_load;
};
