#pragma once
// The data-query element ("数据查询"): a rectangle on a display that embeds a table query,
// a point query or a settings-table viewer, and carries the whole configuration of it inside
// the display file.
#include "DrawObject.h"
#include "ElementProperties.h"
#include "ElementWindow.h"
#include "InterfaceSettings.h"
#include "PointQuerySettings.h"
#include "QueryOptions.h"
#include "QuerySettings.h"
#include "SysViewSettings.h"
#include "WindowSettings.h"

#include <functional>
#include <memory>

class CVexorQueryElemOBJ : public CRectObj {
public:
    static const CRuntimeClass classCVexorQueryElemOBJ; // "CVexorQueryElemOBJ", schema 1, versionable
    static constexpr const char* kTypeName = "数据查询";

    CVexorQueryElemOBJ();
    ~CVexorQueryElemOBJ() override;

    const CRuntimeClass& GetRuntimeClass() const override { return classCVexorQueryElemOBJ; }
    void Serialize(CArchive& ar) override;
    // A new element with the common drawing data and handle offsets of this one; its
    // configuration starts from the defaults.
    std::unique_ptr<CDrawObject> Duplicate() const override;

    // Besides the eight of every element: handle 9 on the top edge half the first offset right
    // of the top-left corner, handle 10 on the left edge half the second offset below it.
    static constexpr int kHandleCount = kBaseHandleCount + 2;
    int GetHandleCount() const override { return kHandleCount; }
    CPoint GetDragHandlePoint(int handle) const override;

    // The mode whose window the element shows: a negative mode counts as the table query.
    long CurrentMode() const;
    // The window of the current mode, if it exists.
    CElementWindow* CurrentModeWindow() const;

    // Run time: the one window of the current mode inside the owner window.
    void InitWindow();
    void CreateComboWnd();
    void CreatePointQueryWindow();
    void CreateSysLookWnd();
    void DestroyComboWnd();
    void DestroyPointQueryWindow();
    void DestroySysLookWnd();
    void ShowWindow();
    void HideWindow();
    void ShowQueryWindow();
    // Sets up a table query window made by the caller with this element's settings.
    CTableWindow* GetCustomWindow(CTableWindow& window, int argument);
    // Links this element's table query window to the settings of another element of the
    // display: a right click in its grid then takes them over and queries again instead of
    // opening the menu. nullptr, or this element itself, ends the link; it also ends by itself
    // when the other element goes. The link lives as long as the display is open.
    void LinkSettingsTo(const CVexorQueryElemOBJ* source);
    bool IsLinked() const { return !m_linkedSettings.expired(); }
    // What windows linked to this element take over.
    std::weak_ptr<const CLinkedSettings> SettingsLink() const;
    // Fills the stations with the points of a remote terminal unit.
    void GetSenIDFromRTU(int rtu);
    // The statement GetSenIDFromRTU runs.
    CString RtuPointsStatement(int rtu) const;

    void SetParentWnd(CWnd* parent) override;
    void MoveTo(const CRect& position) override;
    void Draw(CDC&) override {}
    void MoveDraw(CDC&) override {}
    // Runs the property sheet over copies of the configuration; OK applies them.
    int Property(CWnd* owner) override;
    // What the sheet's pages start from.
    CElementPropertyPages PropertyPages();
    // Takes the pages back as OK does: the records, then the window of the (new) mode again.
    void ApplyProperties(const CElementPropertyPages& pages);
    void ShowObjWnd(int show) override;
    int ObjectDrive(const CDrawObjectDrive& drive) override;

    // Editing with the mouse: the element follows the mouse itself.
    int SetupTracker() override { return 0; }
    int ChangeCursor(CPoint point) override;
    void OnLButtonDown(CPoint point) override;
    void OnLButtonUp(CPoint point) override;

    CWindowSettings m_windowSettings;
    CString m_windowSettingsText;
    CInterfaceSettings m_interfaceSettings;
    CString m_interfaceSettingsText;
    CPointQuerySettings m_pointSettings;
    CString m_pointSettingsText;
    CQueryOptions m_queryOptions;
    CSysViewSettings m_sysViewSettings;
    CString m_queryOptionsText;
    CString m_sysViewSettingsText;
    CString m_further1, m_further2, m_further3; // kept as stored
    int m_driveTime = 0;                        // set while a drive record supplies the query times
    int m_driveCount = 0;                       // show records received
    CQuerySettings m_querySettings;

    std::unique_ptr<CTableWindow> m_tableWindow;
    int m_tableWindowId = 0;
    std::unique_ptr<CElementWindow> m_pointWindow;
    int m_pointWindowId = 0;
    std::unique_ptr<CElementWindow> m_sysViewWindow;
    int m_sysViewWindowId = 0;

    int m_handleOffset1 = 0; // positions of the two extra drag handles
    int m_handleOffset2 = 0;
    CRect m_windowRect; // device units

private:
    CRect WindowRect() const;
    void TakePointPeriod();
    void CreateModeWindow(const std::function<std::unique_ptr<CElementWindow>()>& maker,
                          const char* unavailable, std::unique_ptr<CElementWindow>& window, int& id,
                          bool show);
    void DestroyWindow(std::unique_ptr<CElementWindow>& window, int& id);
    void DestroyWindow(std::unique_ptr<CTableWindow>& window, int& id);

    mutable std::shared_ptr<const CLinkedSettings> m_settingsLink; // made on first request
    std::weak_ptr<const CLinkedSettings> m_linkedSettings;         // the element this one follows
};

// Adds the element class to the classes display files may name (and removes it again).
void RegisterVexorQueryElementClass();
void UnregisterVexorQueryElementClass();
