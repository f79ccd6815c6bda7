#pragma once
// Dialog 918 "统计信息设置": which columns the statistics rows leave out and how many decimals
// each statistic shows. OK stores into the query options.
#include "QueryOptions.h"
#include "Wnd.h"

#include <QDialog>

#include <memory>

namespace Ui {
class CStatSetDlg;
}

class CStatSetDlg : public QDialog, public CWnd {
public:
    static constexpr int kDialogId = 918;

    CStatSetDlg(CQueryOptions& options, CWnd* owner, QWidget* parent = nullptr);
    ~CStatSetDlg() override;

    int DoModal();

private:
    bool Accept();

    std::unique_ptr<Ui::CStatSetDlg> m_ui;
    CQueryOptions& m_options;
};
