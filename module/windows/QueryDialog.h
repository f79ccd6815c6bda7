#pragma once
// Dialog 907 "查询": the query panel offered as a form when the element's query style is the
// menu style. It holds one bar of the window's flavour (control 941) over the window's engine;
// the bar's refresh makes the window query and closes the form.
#include "QueryBarChoice.h"
#include "Wnd.h"

#include <QDialog>
#include <functional>

class CQueryDialog : public QDialog, public CWnd {
public:
    static constexpr int kDialogId = 907;

    // onRefresh runs the window's query; onStationText passes the bar's station text on.
    CQueryDialog(EBarKind flavour, const CQueryBarRecords& records, QWidget* parent,
                 std::function<void()> onRefresh, std::function<void(const CString&)> onStationText);

    CQueryBarWindow* Bar() const { return m_bar; }

protected:
    void OnChildNotify(const CNotify& notify) override;

private:
    CQueryBarWindow* m_bar = nullptr; // a Qt child of the dialog
    std::function<void()> m_onRefresh;
    std::function<void(const CString&)> m_onStationText;
};
