#pragma once
// The drawing elements a display is built of. The host places, moves, stores and drives them;
// modules add element types by deriving from CRectObj. Everything here is toolkit-free: the
// owner window is only carried as a pointer owned by the window layer.
#include "Archive.h"
#include "CString.h"
#include "Geometry.h"
#include "LogFont.h"
#include "Types.h"

#include <memory>
#include <string_view>
#include <vector>

class CWnd;
class CDC;
struct CElementIcon;
class CDrawObject;

// Identifies a storable element class in display files: its name, its schema number and
// whether older schemas still load, and how to make an empty one.
struct CRuntimeClass {
    const char* m_className;
    unsigned m_schema;
    bool m_versionable;
    std::unique_ptr<CDrawObject> (*m_create)();
};

// A request handed to an element by the host or another element of the display.
struct CDrawObjectDrive {
    int kind = 0;
    int subKind = 0;
    double value1 = 0, value2 = 0, value3 = 0;
};

struct CLineStyle {
    COLORREF color = 0;
    int width = 1;
    int style = 0;
    friend bool operator==(const CLineStyle&, const CLineStyle&) = default;
};

struct CFillStyle {
    COLORREF color = 0xFFFFFF;
    int filled = 0;
    int pattern = 0;
    friend bool operator==(const CFillStyle&, const CFillStyle&) = default;
};

struct CTextStyle {
    LOGFONT font;
    COLORREF color = 0;
    friend bool operator==(const CTextStyle&, const CTextStyle&) = default;
};

// The drag of a handle (or of the whole element) in progress.
struct CDragRecord {
    int handle = 0;
    bool dragging = false;
    CPoint start;
    CPoint current;
};

class CDrawObject {
public:
    static constexpr int kBaseHandleCount = 8;
    // System cursor ids: the arrow, the four resize arrows of the tracker's handles, the
    // four-way arrow for moving, the cross for the extra handles.
    static constexpr int kCursorArrow = 32512;
    static constexpr int kCursorSizeNWSE = 32642;
    static constexpr int kCursorSizeNESW = 32643;
    static constexpr int kCursorSizeWE = 32644;
    static constexpr int kCursorSizeNS = 32645;
    static constexpr int kCursorSizeAll = 32646;
    static constexpr int kCursorCross = 32515;
    // Handle tolerance of hit tests, logical units.
    static constexpr int kHandleTolerance = 4;

    // The palette's element types (see ElementTypeRegistry.h). Registering a name again
    // replaces the earlier entry.
    static void RegisterObject(std::string_view typeName, const CElementIcon& icon,
                               std::unique_ptr<CDrawObject> (*create)(const CRect& drawn));
    static void DeleteObjectInfo(std::string_view typeName);
    // Child-window ids for the windows an element creates; 0 asks for any free id.
    static int RegisterUserWnd(const CDrawObject* object, int requestedId);
    static bool UnRegisterUserWnd(const CDrawObject* object, int id);

    CDrawObject() = default;
    virtual ~CDrawObject() = default;
    CDrawObject(const CDrawObject&) = delete;
    CDrawObject& operator=(const CDrawObject&) = delete;

    virtual const CRuntimeClass& GetRuntimeClass() const = 0;

    // Stores or loads the element's rectangle; derived classes call this first.
    virtual void Serialize(CArchive& ar);
    // Copies the drawing data every element shares (rectangle, styles, type name).
    virtual void BaseDuplicate(const CDrawObject& from);
    virtual std::unique_ptr<CDrawObject> Duplicate() const = 0;

    // Handles 1..8 run clockwise from the top-left corner; 0 is no handle.
    virtual int GetHandleCount() const { return kBaseHandleCount; }
    virtual CPoint GetDragHandlePoint(int handle) const;
    // The handle within tolerance of the point (both logical units), 0 for none. When
    // handles lie on top of each other the highest-numbered one wins, so handles an element
    // adds beyond the eight stay reachable while they still sit on a corner.
    int HitTestHandle(CPoint point, int tolerance) const;
    // What lies under a point (logical units): a handle 1..GetHandleCount() of a selected
    // element, 0 the element's body, -1 outside it.
    virtual int ItemHitTest(CPoint point, bool selected) const;
    // 1: the host moves and resizes the element with its own tracker; 0: the element follows
    // the mouse itself through OnLButtonDown / OnMouseMove / OnLButtonUp.
    virtual int SetupTracker() { return 1; }
    // The tracker's resize cursor of a handle 1..8; the arrow otherwise.
    static int TrackerCursor(int handle);
    // The cursor to show over a point (logical units) of a selected element, a system cursor id.
    virtual int ChangeCursor(CPoint point);

    virtual void MoveTo(const CRect& position);
    virtual void OffsetObject(CSize by);
    virtual void SetParentWnd(CWnd* parent) { m_parentWnd = parent; }
    virtual void SetState(int runState) { m_runState = runState; }
    // 1 when the element handled the record.
    virtual int ObjectDrive(const CDrawObjectDrive&) { return 0; }
    // Opens the element's property sheet; 1 when the element has one.
    virtual int Property(CWnd* /*owner*/) { return 0; }
    // Shows (non-zero) or hides the windows the element embeds.
    virtual void ShowObjWnd(int /*show*/) {}
    // The window the element embeds, if any.
    virtual CWnd* GetControlWnd() const { return nullptr; }

    // Paints the element (the generic rectangle and frame); MoveDraw paints it while it is dragged.
    virtual void Draw(CDC& dc);
    virtual void MoveDraw(CDC& dc);
    // The device area to repaint when the element changes: its rectangle with its handles.
    virtual CRect GetRefreshRgn(const CDC& dc) const;
    void InvalidateItem() const;

    // Mouse in the editor (logical units). The base keeps the drag record.
    virtual void OnLButtonDown(CPoint point);
    virtual void OnMouseMove(CPoint point);
    virtual void OnLButtonUp(CPoint point);

    virtual void SetTextStyle(const CTextStyle& s) { m_textStyle = s; }
    virtual void SetLineStyle(const CLineStyle& s) { m_lineStyle = s; }
    virtual void SetFillStyle(const CFillStyle& s) { m_fillStyle = s; }
    virtual CTextStyle GetTextStyle() const { return m_textStyle; }
    virtual CLineStyle GetLineStyle() const { return m_lineStyle; }
    virtual CFillStyle GetFillStyle() const { return m_fillStyle; }

    CRect m_rect;                // logical units
    int m_runState = 0;          // 0 while the display is edited, 1 while it runs
    CWnd* m_parentWnd = nullptr; // not owned: the window the element lives in
    CDragRecord m_drag;
    CString m_typeName;

protected:
    CTextStyle m_textStyle;
    CLineStyle m_lineStyle;
    CFillStyle m_fillStyle;
};

// A rectangular element with line, fill and text styles.
class CRectObj : public CDrawObject {
public:
    // Stores or loads the rectangle and the line, fill and text styles.
    void Serialize(CArchive& ar) override;
};

// Hands a drive record to every element of the list, or only to those of one type name;
// returns how many handled it.
int DriveObjects(const std::vector<std::unique_ptr<CDrawObject>>& objects, const CDrawObjectDrive& drive,
                 std::string_view typeName = {});
