#pragma once
// The station-and-time query bar beside the grid: filter lists that narrow the station list,
// the station list with select-all, pinyin quick search and direct entry, the start and end
// time, the time type and interval, the element check list and "刷新". What it decides comes
// from CQueryBarModel; the bar reads its controls, asks the model and shows the answers.
#include "StationBar.h"

class CCheckListBox;
class CCJFlatButton;
class CEdit;

class CQueryBar : public CStationBar {
public:
    static constexpr const char* kClassName = "CQueryBar";
    // Control ids of its own.
    static constexpr int kElementList = 929;
    static constexpr int kDirectEntry = 930;
    static constexpr int kQuickSearchToggle = 931;
    static constexpr int kQuickSearch = 934;

    CQueryBar(const CQueryBarRecords& records, int controlId, CWnd* owner, QWidget* parent);

protected:
    void MakeControls(int code) override;
    void ClearControls() override;
    void Layout() override;
    void ChooseType(int button) override;
    void OnOwnControl(const CNotify& notify) override;
    ERefreshOutcome RefreshModel() override;
    void RightButtonUp(const QPoint& at, const QPoint& global) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    void FillControls();
    void FillTypeIntervals();
    void LayoutRows(int stationListHeight);
    void ToggleQuickSearch();
    void RegionMenu(QPoint global);

    CEdit* m_search = nullptr; // Qt children of the bar
    CCJFlatButton* m_searchButton = nullptr;
    CCheckListBox* m_elements = nullptr;
    bool m_searchShown = false;
};
