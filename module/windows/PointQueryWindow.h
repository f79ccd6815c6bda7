#pragma once
// The point query window: one grid of period data (a row per hour, day, ten-day period or
// month, a column per point) read through the data service's period call, with a bar at its
// right edge that starts collapsed. What it shows comes from CPointQuery; the window carries
// it out, keeps the column widths with the element, prints and exports.
#include "ElementWindow.h"
#include "InterfaceSettings.h"
#include "PointQuery.h"
#include "PointQueryBar.h"
#include "UseGridWindow.h"

#include <QLabel>
#include <QPointer>

class CPointQueryWindow : public CPointWindow, public CUseGridWindow {
public:
    // Registered by the table query window's family; the point window is made under it.
    static constexpr const char* kClassName = "CUseGridWindow";
    static constexpr int kBarWidth = 185;
    // Commands of the grid's menu 926.
    static constexpr int kCmdExport = 33501;
    static constexpr int kCmdModify = 33503;
    static constexpr int kCmdDelete = 33504;
    static constexpr int kCmdPrint = 33506;
    // Dialog "数据查询条件": data source, statistic shown and period, then a refresh.
    static constexpr int kCmdConditions = 33701;

    CPointQueryWindow() = default;
    ~CPointQueryWindow() override;

    void SetRecords(CInterfaceSettings* face, CPointQuerySettings* points) override;
    bool CurrentColumnWidths(CDWordArray& widths) const override;
    bool Create(CWnd* owner, int controlId, const CRect& rect, unsigned style) override;
    bool HasSystemWindow() const override { return HasWidget(); }
    void DestroySystemWindow() override;
    void ModifyStyleEx(unsigned add) override;
    void Show(bool show) override { ShowWidget(show); }
    void MoveWindow(const CRect& rect) override { MoveWidget(rect); }
    // Whatever the argument: builds the axis, reads the points and fills the grid.
    void Refresh(int argument) override;
    void SetRunState(int runState) override { m_runState = runState; }

    // A command of the grid's menu, as if chosen there.
    void OnCommand(int command);

    const CPointQuery& Query() const { return m_query; }
    CPointQueryBar* Bar() const { return m_bar.data(); }
    long BarWidth() const { return m_barWidth; }
    // The strip above the grid naming the points without data; hidden when every point has some.
    QLabel* NoDataStrip() const { return m_noDataStrip.data(); }

    void Layout() override;
    void OnChildNotify(const CNotify& notify) override;

protected:
    void CreateChildren() override;

private:
    void OnGridNotify(const CNotify& notify);
    void ShowMenu(CPoint screen);
    void ApplyColumnWidths();
    void SaveColumnWidths();
    void ShowNoData();
    void AskConditions();
    // Editing (PointQueryWindowEdit.cpp).
    bool EditingAllowed() const;
    void BeginEdit();
    void RowEntered(long row);
    CStringArray RowTexts(long row) const;

    CInterfaceSettings* m_face = nullptr;
    CPointQuerySettings* m_settings = nullptr;
    CPointQuery m_query;
    int m_runState = 0;
    long m_barWidth = kBarWidth;
    long m_keptBarWidth = kBarWidth; // restored after a collapse
    bool m_noSaveWidths = false;     // while the window sets the widths itself
    bool m_loggedIn = false;         // a user who may modify data logged in ("读/写")
    int m_timeInits = 0;             // periods "数据查询条件" has set up by itself
    long m_currentRow = -1;          // the grid row being edited, its texts when it was entered
    CStringArray m_rowBefore;

    QPointer<CPointQueryBar> m_bar;
    QPointer<QLabel> m_noDataStrip;
};
