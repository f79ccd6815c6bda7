#pragma once
// What the element needs from the window it shows in its current mode, without knowing the
// window toolkit: the window layer implements it and installs a factory for each mode.
//
// A window object exists before and after its system window: Create makes the system window
// inside the owner window, DestroySystemWindow removes it, and the system window may also go
// with its owner (HasSystemWindow then answers false).
#include "Arrays.h"
#include "Geometry.h"

#include <functional>
#include <memory>

class CWnd;
class CQuerySettings;
class CWindowSettings;
class CQueryOptions;
class CInterfaceSettings;
class CSysViewSettings;
class CPointQuerySettings;
class CTableWindow;

// Window styles the element creates its windows with: a visible, bordered child with tab stop,
// and the static edge.
constexpr unsigned kElementWindowStyle = 0x50810000;
constexpr unsigned kStaticEdgeExStyle = 0x20000;

class CElementWindow {
public:
    virtual ~CElementWindow() = default;
    // Fills widths with the current pixel widths of the window's grid columns and returns true;
    // returns false when the window keeps its stored widths (a state of its own says so).
    virtual bool CurrentColumnWidths(CDWordArray& widths) const = 0;

    virtual bool Create(CWnd* owner, int controlId, const CRect& rect, unsigned style) = 0;
    virtual bool HasSystemWindow() const = 0;
    virtual void DestroySystemWindow() = 0;
    virtual void ModifyStyleEx(unsigned add) = 0;
    virtual void Show(bool show) = 0;
    // Places the window (device units of the owner) and lays out its inside from the new edges.
    virtual void MoveWindow(const CRect& rect) = 0;
    // 1 query again and fill, -1 fill again without querying, 0 neither.
    virtual void Refresh(int argument) = 0;
    virtual void SetRunState(int runState) = 0;
};

// The settings of an element that a table query window linked to it takes over (a right click
// in the linked window does so in place of the menu). The element keeps it; a linked window
// holds it weakly, so the link ends when that element goes.
class CLinkedSettings {
public:
    virtual ~CLinkedSettings() = default;
    // Hands copies of the element's query settings and records to the window to apply.
    virtual void HandOver(CTableWindow& window) const = 0;
};

// The table query window as the element drives it.
class CTableWindow : public CElementWindow {
public:
    virtual void SetDriveTime(int driveTime) = 0;
    // The window's own copy of the element's query settings.
    virtual CQuerySettings& QuerySettings() = 0;
    // The element's records (fonts and colours travel in the window settings). Not owned: the
    // element outlives its window.
    virtual void SetRecords(CWindowSettings* window, CQueryOptions* options, CInterfaceSettings* face) = 0;
    // Takes the settings over: the table, its directives, the look.
    virtual void ApplySettings() = 0;
    virtual void SetOwner(CWnd* owner) = 0;
    // Queries and fills the grid at once, under a wait cursor, for the given stations.
    virtual void QueryAndFill() = 0;
    // Stores the current column widths into the interface settings.
    virtual void StoreColumnWidths(CInterfaceSettings& face) = 0;
    // Links the window to another element's settings; an empty link ends it.
    virtual void LinkSettings(std::weak_ptr<const CLinkedSettings> source) = 0;
    // Takes over copies of another element's settings (the window keeps the copies, so it
    // never points into an element that may go first) and applies them.
    virtual void AdoptSettings(const CQuerySettings& query, const CWindowSettings& window,
                               const CQueryOptions& options, const CInterfaceSettings& face) = 0;
};

// The settings-table viewer as the element drives it.
class CSysViewWindow : public CElementWindow {
public:
    // The element's records the viewer reads (and stores its column widths into). Not owned:
    // the element outlives its window.
    virtual void SetRecords(CInterfaceSettings* face, CWindowSettings* window, CQueryOptions* options,
                            CSysViewSettings* sysView) = 0;
};

// The point query window as the element drives it.
class CPointWindow : public CElementWindow {
public:
    // The element's records: the grid's look and saved widths, the points and their period.
    // Not owned: the element outlives its window.
    virtual void SetRecords(CInterfaceSettings* face, CPointQuerySettings* points) = 0;
};

// How the window layer makes the window of each mode; a mode without a maker has no window yet.
struct CElementWindowFactory {
    std::function<std::unique_ptr<CTableWindow>()> tableWindow;
    std::function<std::unique_ptr<CPointWindow>()> pointWindow;
    std::function<std::unique_ptr<CSysViewWindow>()> sysViewWindow;
};

// Installs the window layer's makers and returns the ones they replace.
CElementWindowFactory SetElementWindowFactory(CElementWindowFactory factory);
const CElementWindowFactory& ElementWindowFactory();
