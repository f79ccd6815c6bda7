#pragma once
// A window of the system: a QWidget with the fixed control id it was created with (also its
// "controlId" property, which tests and tools look controls up by), the window that owns it, and
// the one path by which a child tells its owner what happened: NotifyOwner -> OnChildNotify.
//
// A class that shows something derives from its Qt widget class first and from CWnd second,
// and hands its own widget to CWnd:
//     class CGridCtrl : public QTableView, public CWnd { ... CWnd(*this, id, owner) ... };
// The widget tree owns the widgets (Qt parents); CWnd only links owner and children for lookup
// and notification, and unlinks itself whichever of the two goes first.
#include "CString.h"
#include "Geometry.h"

#include <vector>

class QWidget;
class CWnd;

// A notification from a child to its owner. row and col are grid coordinates where the code
// concerns a cell (row 0 is the header row, column 0 the header column), -1 where it does not.
struct CNotify {
    int controlId = 0;
    int code = 0;
    long row = -1;
    long col = -1;
    CPoint point;         // screen position for codes that pop up something, else 0,0
    CWnd* from = nullptr; // the child that sent it
    // The query bars' notification block: the current station text and the bar's rectangle.
    CString text;
    CRect rect;
};

class CWnd {
public:
    CWnd(QWidget& widget, int controlId, CWnd* owner);
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    QWidget& GetWidget() const { return m_widget; }
    int GetDlgCtrlID() const { return m_controlId; }
    CWnd* GetOwner() const { return m_owner; }
    // The child with that control id, nullptr when there is none. Direct children only.
    CWnd* GetDlgItem(int controlId) const;

    void ShowWindow(bool show);
    bool IsWindowVisible() const;
    // Position and size in the coordinates of the parent widget.
    void MoveWindow(const CRect& rect);
    CRect GetWindowRect() const;

protected:
    // What a child reports; the default ignores it.
    virtual void OnChildNotify(const CNotify& notify);
    // Sends a notification with this window's control id to the owner, if there is one.
    void NotifyOwner(int code, long row = -1, long col = -1, CPoint point = {});
    void NotifyOwner(const CNotify& notify);

private:
    QWidget& m_widget;
    int m_controlId;
    CWnd* m_owner;
    std::vector<CWnd*> m_children; // not owned: the widget tree owns them
};
