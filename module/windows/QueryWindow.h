#pragma once
// The table query window: the grid of the configured table with the query bar beside it. It
// owns the query engine of the table; the bar writes the user's choice into the window's copy
// of the query settings and notifies; the window queries, fills, sorts, lets an authorised user
// edit rows (each change written with its audit record), prints and exports.
#include "BackgroundQuery.h"
#include "ElementWindow.h"
#include "InterfaceSettings.h"
#include "QueryBarModel.h"
#include "QueryBarWindow.h"
#include "QueryClient.h"
#include "QueryDialog.h"
#include "QueryOptions.h"
#include "QuerySettings.h"
#include "QueryWindowModel.h"
#include "TableQuery.h"
#include "UseGridWindow.h"
#include "WindowSettings.h"

#include <QLabel>
#include <QPointer>

#include <memory>
#include <optional>
#include <utility>

class CRefreshWait;

class CQueryWindow : public CTableWindow, public CUseGridWindow {
public:
    static constexpr const char* kClassName = "CQueryWindow";
    // Commands of the grid's menu.
    static constexpr int kCmdExport = 33501;
    static constexpr int kCmdRefresh = 33502;
    static constexpr int kCmdModify = 33503;
    static constexpr int kCmdDelete = 33504;
    static constexpr int kCmdAdd = 33505;
    static constexpr int kCmdPrint = 33506;
    static constexpr int kCmdChart = 33507;  // analysis: the years as a chart, or back to the grid
    static constexpr int kCmdFilter = 33508; // "筛选": the query once more, narrowed by dialog 913

    CQueryWindow();
    ~CQueryWindow() override;

    bool CurrentColumnWidths(CDWordArray& widths) const override;
    bool Create(CWnd* owner, int controlId, const CRect& rect, unsigned style) override;
    bool HasSystemWindow() const override { return HasWidget(); }
    void DestroySystemWindow() override;
    void ModifyStyleEx(unsigned add) override;
    void Show(bool show) override;
    void MoveWindow(const CRect& rect) override { MoveWidget(rect); }
    void Refresh(int argument) override;
    void SetRunState(int runState) override { m_runState = runState; }
    void SetDriveTime(int driveTime) override { m_driveTime = driveTime; }
    CQuerySettings& QuerySettings() override { return m_settings; }
    void SetRecords(CWindowSettings* window, CQueryOptions* options, CInterfaceSettings* face) override;
    void ApplySettings() override;
    void SetOwner(CWnd* owner) override { m_owner = owner; }
    void QueryAndFill() override;
    void StoreColumnWidths(CInterfaceSettings& face) override;
    void LinkSettings(std::weak_ptr<const CLinkedSettings> source) override { m_link = std::move(source); }
    void AdoptSettings(const CQuerySettings& query, const CWindowSettings& window,
                       const CQueryOptions& options, const CInterfaceSettings& face) override;
    // Whether the window shows settings taken over from the element it is linked to.
    bool ShowsAdoptedSettings() const { return m_adopted != nullptr; }

    // A command of the grid's menu, as if chosen there.
    void OnCommand(int command);

    CTableQuery& Engine() { return m_query; }
    const CString& AccessWord() const { return m_accessWord; }
    const CString& Caption() const { return m_caption; }
    // The strip above the grid: the stations the bar queries and, in red, why the last refresh
    // failed. Hidden while it has nothing to say.
    QLabel* TitleStrip() const { return m_titleStrip.data(); }
    // Why the last refresh failed, as shown in the strip; empty after a refresh that worked.
    const CString& RefreshFailure() const { return m_failure; }
    long PanelWidth() const { return m_panelWidth; }
    const CEditedRow& EditedRow() const { return m_edit; }
    CQueryBarWindow* Bar() const { return m_barWidget ? m_bar : nullptr; }
    // The query panel as dialog 907 (menu query style); null while it is not open.
    CQueryDialog* QueryDialog() const { return m_dialog.data(); }
    // The refresh whose query is running on a worker thread; null when none is.
    CRefreshWait* RunningRefresh() const { return m_wait; }
    // The chart of the year comparison, while it is shown in place of the grid (analysis mode).
    QWidget* ChartView() const { return m_chartView.data(); }

    void Layout() override;
    void Paint(QPainter& painter) override;
    void OnChildNotify(const CNotify& notify) override;

protected:
    void CreateChildren() override;

private:
    void CreateBar();
    CQueryBarRecords BarRecords();
    void ShowQueryDialog();
    void RunRefresh(int argument, int form);
    // The query of a refresh on a worker thread while the window waits (QueryWindowBackground.cpp);
    // false when it was stopped, which leaves the grid and its rows as they were.
    bool QueriesInBackground();
    bool QueryInBackground(int argument, int form);
    // Runs the refresh asked for while the last query's rows were read, if there was one.
    void RunPendingRefresh();
    // After a refresh: the reason of a failure above the grid and in the host's status line.
    void ShowRefreshOutcome();
    void ShowTitle();
    void SetCaption(const CString& caption);
    int FormOfSettings() const;
    void OnBarNotify(const CNotify& notify);
    void OnGridNotify(const CNotify& notify);
    void ShowMenu(CPoint screen);
    // The year comparison's chart (QueryWindowChart.cpp).
    void ToggleChart();
    void UpdateChart();

    // Sorting and editing (QueryWindowEdit.cpp).
    void SortByHeader(long column);
    void BeginEdit();
    void SelectionMoved(long row, long column);
    bool CommitEditedRow();
    void WriteBarRequest();
    // A failure message with the engine's reason of the last write on a line of its own.
    CString WriteFailureText(const char* question) const;
    void LoadEditedRow(long index);
    void AddNewRecordPlace(long row, long column);
    // The place for a new record at the end (a row, or a column under the table's Direct(V)),
    // appended unless the last one is still empty; -1 where the table takes no new records.
    long NewRecordPlace();
    // The grid's insert-row request: the current cell goes to the place for a new record.
    void InsertNewRecord();
    // A right click in a window linked to another element's settings: they are taken over and
    // queried at once; false when the window is not linked (the menu pops up instead).
    bool TakeOverLinkedSettings();
    bool Transposed() const { return m_settings.m_modifyDirection == "V"; }
    void ApplyColumnWidths();
    void Restripe();

    // Menu commands (QueryWindowCommands.cpp).
    void ModifyRow();
    void DeleteSelectedRows();
    // "增加": the unit entry form the window settings name, then the query again.
    void AddData();
    // "筛选": the condition of "筛选条件" over the window's columns, and the query run once with
    // it added; the next refresh queries without it again.
    void FilterRows();

    CQueryClient m_client;
    CQueryClient m_barClient; // the bar's list lookups, which must not clear the result rows
    CTableQuery m_query;
    long m_resultRows = 0; // result rows of the last fill, the statistics rows below them
    CQuerySettings m_settings;
    CWindowSettings* m_windowSettings = nullptr;
    CQueryOptions* m_options = nullptr;
    CInterfaceSettings* m_face = nullptr;
    CWnd* m_owner = nullptr;
    // Copies of another element's records taken over through the link, while they are shown.
    struct AdoptedRecords {
        CWindowSettings window;
        CQueryOptions options;
        CInterfaceSettings face;
    };
    std::unique_ptr<AdoptedRecords> m_adopted;
    std::weak_ptr<const CLinkedSettings> m_link;
    int m_runState = 0;
    int m_driveTime = 0;

    CString m_loadedTable;
    CString m_accessWord = "READ";
    bool m_loggedIn = false; // "READ/WRITE" became "WRITE" for the rest of the window's life
    CEditedRow m_edit;
    CString m_caption = "数据查询";
    CString m_stationCaption; // the caption the bar last sent, shown in the title strip
    CString m_failure;
    bool m_barWithoutSettings = false; // the bar was made while the settings could not be read
    long m_panelWidth = 0;
    long m_savedPanelWidth = 0; // the configured width, while the bar is collapsed too
    bool m_barCollapsed = false;
    CRect m_splitter;

    CRefreshWait* m_wait = nullptr; // on QueryInBackground's stack while it waits
    // A refresh asked for while a query runs, with the 筛选 condition it was asked with.
    struct PendingRefresh {
        int argument = 0;
        int form = 0;
        CString filter;
    };
    std::optional<PendingRefresh> m_refreshAgain;
    CString m_nextFilter; // the 筛选 condition of the next query only; every other query has none
    std::unique_ptr<CBackgroundQuery> m_lastQuery; // freeing the rows it was given, on its thread
    std::shared_ptr<int> m_lifetime = std::make_shared<int>(0); // gone with the window

    QPointer<QLabel> m_titleStrip;
    QPointer<QWidget> m_barWidget;
    QPointer<QWidget> m_chartView;
    QPointer<CQueryDialog> m_dialog;
    CQueryBarWindow* m_bar = nullptr; // the bar of m_barWidget, valid while it lives
};
