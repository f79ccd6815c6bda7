#pragma once
// Dialog 906 "数据查询条件" of the point query window: data source, the statistic shown (only
// those every point offers) and the period; "刷新" writes them into the window's request.
#include "PointCondition.h"
#include "Wnd.h"

#include <QDialog>

#include <memory>

namespace Ui {
class CPointCondDlg;
}

class CTimeContorl;

class CPointCondDlg : public QDialog, public CWnd {
public:
    static constexpr int kDialogId = 906;
    static constexpr int kStartTime = 1025;
    static constexpr int kEndTime = 1026;

    CPointCondDlg(CPointCondRequest request, CWnd* owner, QWidget* parent = nullptr);
    ~CPointCondDlg() override;

    // ui::IDOK when "刷新" wrote the request, else ui::IDCANCEL (through ui::RunModal).
    int DoModal();

private:
    // Precision and period of the time controls for the chosen data source.
    void ShowPeriod();
    bool Accept();

    std::unique_ptr<Ui::CPointCondDlg> m_ui;
    CPointCondRequest m_request;
    CTimeContorl* m_start; // Qt children of the dialog
    CTimeContorl* m_end;
};
