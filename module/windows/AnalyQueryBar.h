#pragma once
// The analysis query bar beside the grid of "HISVIEW": filter lists, the station as a drop-down,
// the start and end time, the time type of the data and the value kind to compare, the interval,
// the years to compare and "刷新". The stations come from the shared station model; the years,
// types and the period sent from the analysis model.
#include "AnalyBarModel.h"
#include "QueryBarModel.h"
#include "QueryBarWindow.h"
#include "Wnd.h"

#include <QFont>
#include <QWidget>

#include <vector>

class CButton;
class CButtonST;
class CButtonSTRadio;
class CCJFlatButton;
class CComboBox;
class CListBox;
class CTimeContorl;

class CAnalyQueryBar : public QWidget, public CWnd, public CQueryBarWindow {
public:
    static constexpr const char* kClassName = "CAnalyQueryBar";
    // Control ids.
    static constexpr int kStation = 911;
    static constexpr int kStationBox = 912;
    static constexpr int kRefresh = 917;
    static constexpr int kFirstTypeButton = 918;
    static constexpr int kInterval = 928;
    static constexpr int kFirstKindButton = 930;
    static constexpr int kYearList = 990;
    static constexpr int kDirectEntry = 991;
    static constexpr int kFirstFilter = 950;

    CAnalyQueryBar(const CQueryBarRecords& records, int controlId, CWnd* owner, QWidget* parent);
    ~CAnalyQueryBar() override;

    // Loads the groups and the years and makes the controls.
    void Attach();

    CWnd& Wnd() override { return *this; }
    CString StationText() const override { return m_stations.CurrentStationText(); }
    bool WriteRequest() override;
    CQueryBarModel& StationModel() { return m_stations; }
    CAnalyBarModel& Model() { return m_model; }
    int RowsHeight() const { return m_rowsBottom + 5; }

    void OnChildNotify(const CNotify& notify) override;
    void Refresh();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    struct Label {
        QRect rect;
        QString text;
    };

    void CreateControls();
    void FillControls();
    void FillStations();
    void FillIntervals();
    void Layout();
    CAnalyRefreshInput ReadControls() const;
    void Act(EAnalyOutcome outcome);
    void OnTypeButton(int button);
    void OnKindButton(int button);
    void DirectEntry();
    void Notify(int code, QPoint at = {});

    CQueryBarRecords m_records;
    CQueryBarModel m_stations;
    CAnalyBarModel m_model;
    QFont m_font;

    std::vector<CComboBox*> m_filters; // Qt children of the bar
    CComboBox* m_station = nullptr;
    CButton* m_stationBox = nullptr;
    CCJFlatButton* m_directButton = nullptr;
    CTimeContorl* m_start = nullptr;
    CTimeContorl* m_end = nullptr;
    std::vector<CButtonSTRadio*> m_typeButtons;
    std::vector<CButtonSTRadio*> m_kindButtons;
    CComboBox* m_interval = nullptr;
    CListBox* m_years = nullptr;
    CButtonST* m_refresh = nullptr;

    std::vector<Label> m_labels;
    int m_rowsBottom = 0;
};
