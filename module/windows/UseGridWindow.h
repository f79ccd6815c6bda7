#pragma once
// The grid windows of the element (the table query window, later the point query window): a
// window object that lives as long as the element keeps it, and a system window inside the
// owner window that holds the grid (control 942) and the query bar (control 941). The system
// window may go before the object (with its owner); the object notices and stays usable.
#include "CString.h"
#include "GridCtrl.h"
#include "GridIterator.h"
#include "Wnd.h"

#include <QPointer>
#include <QWidget>

class CUseGridWindow;
class QPainter;

// The system window: forwards what happens to it to its window object.
class CGridWindowWidget : public QWidget, public CWnd {
public:
    CGridWindowWidget(CUseGridWindow& window, int controlId, CWnd* owner, QWidget* parent);

protected:
    void OnChildNotify(const CNotify& notify) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    CUseGridWindow& m_window;
};

class CUseGridWindow {
public:
    static constexpr int kBarId = 941;
    static constexpr int kGridId = 942;

    CUseGridWindow() = default;
    virtual ~CUseGridWindow();
    CUseGridWindow(const CUseGridWindow&) = delete;
    CUseGridWindow& operator=(const CUseGridWindow&) = delete;

    // Makes the system window under the class name (its "windowClass" property) inside the
    // owner window, with the grid in it; false without an owner.
    bool CreateGridWindow(CWnd* owner, int controlId, const CRect& rect, unsigned style,
                          const char* className);
    bool HasWidget() const { return !m_widget.isNull(); }
    void DestroyWidget();
    void ShowWidget(bool show);
    void MoveWidget(const CRect& rect);
    void AddStaticEdge();

    CGridWindowWidget* Widget() const { return m_widget.data(); }
    CGridCtrl* GridCtrl() const { return m_gridCtrl.data(); }
    CGridIterator& Grid() { return m_grid; }
    const CGridIterator& Grid() const { return m_grid; }

    // The grid's menu commands "输出" and "打印": a save dialog and the grid written to the file,
    // a print dialog and the grid on paper; failures are shown in a message titled caption.
    void ExportGrid(const CString& caption);
    void PrintGrid(const CString& caption);
    // Before the first change of data: "是否进行数据修改", then a login of a user who may modify
    // data; true when one did. Refusals are shown in messages titled caption.
    bool AskToModify(const CString& caption);

    // The window's parts: placed on every size change; painted after the children.
    virtual void Layout();
    virtual void Paint(QPainter&) {}
    virtual void OnChildNotify(const CNotify&) {}

protected:
    // Children besides the grid, made once the system window exists.
    virtual void CreateChildren() {}

    CGridIterator m_grid;
    QPointer<CGridWindowWidget> m_widget;
    QPointer<CGridCtrl> m_gridCtrl;
};
