#pragma once
// The analysis query bar beside the grid of "HISVIEW": filter lists, the station as a drop-down,
// the start and end time, the time type of the data and the value kind to compare, the interval,
// the years to compare and "刷新". The stations come from the shared station model; the years,
// types and the period sent from the analysis model.
#include "AnalyBarModel.h"
#include "StationBar.h"

class CButton;
class CComboBox;
class CListBox;

class CAnalyQueryBar : public CStationBar {
public:
    static constexpr const char* kClassName = "CAnalyQueryBar";
    // Control ids of its own: the station drop-down and the box beside it stand where the other
    // bars have their station list and select-all.
    static constexpr int kStation = kStationList;
    static constexpr int kStationBox = kSelectAll;
    static constexpr int kFirstKindButton = 930;
    static constexpr int kYearList = 990;
    static constexpr int kDirectEntry = 991;

    CAnalyQueryBar(const CQueryBarRecords& records, int controlId, CWnd* owner, QWidget* parent);

protected:
    // The drop-down stands in for the station list.
    void ShowStationTexts(const CStringArray& texts) override;
    void SelectStationItems(const std::vector<int>& items) override;
    std::vector<int> SelectedStationItems() const override;

    void MakeControls(int code) override;
    void ClearControls() override;
    void Layout() override;
    void ChooseType(int button) override;
    void ChooseInterval(int index) override { m_model.SelectInterval(index); }
    void OnOwnControl(const CNotify& notify) override;
    ERefreshOutcome RefreshModel() override;

private:
    void CreateControls();
    void FillControls();
    void FillTypeIntervals();
    void OnKindButton(int button);

    CAnalyBarModel m_model;

    CComboBox* m_station = nullptr; // Qt children of the bar
    CButton* m_stationBox = nullptr;
    std::vector<CButtonSTRadio*> m_kindButtons;
    CListBox* m_years = nullptr;
};
