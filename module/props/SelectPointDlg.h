#pragma once
// Dialog 909 "选择站号": picks points for the page "点数据查询" from ALLPOINT, narrowed by
// centre station and data characteristic, with the statistics the new points offer. OK hands
// back one new point entry per selected point.
#include "PointQuerySettings.h"
#include "Wnd.h"

#include <QDialog>

#include <memory>

namespace Ui {
class CSelectPointDlg;
}

class CComboBox;

class CSelectPointDlg : public QDialog, public CWnd {
public:
    static constexpr int kDialogId = 909;
    static constexpr int kCentreList = 300;
    static constexpr int kCharacteristicList = 301;
    static constexpr int kPointList = 1042;

    CSelectPointDlg(CWnd* owner, QWidget* parent = nullptr);
    ~CSelectPointDlg() override;

    // ui::IDOK or ui::IDCANCEL (through ui::RunModal).
    int DoModal();
    // The new point entries after OK.
    CObjectArray<CPointEntry>& Points() { return m_points; }

protected:
    void OnChildNotify(const CNotify& notify) override;

private:
    void FillPoints();
    bool Accept();

    std::unique_ptr<Ui::CSelectPointDlg> m_ui;
    CComboBox* m_centres; // Qt children of the dialog
    CComboBox* m_characteristics;
    CObjectArray<CPointEntry> m_points;
};
