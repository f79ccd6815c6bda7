#pragma once
// The station-and-time query bar beside the grid: filter lists that narrow the station list,
// the station list with select-all, pinyin quick search and direct entry, the start and end
// time, the time type and interval, the element check list and "刷新". What it decides comes
// from CQueryBarModel; the bar reads its controls, asks the model and shows the answers.
#include "BarControls.h"
#include "QueryBarModel.h"
#include "QueryBarWindow.h"
#include "Wnd.h"

#include <QFont>
#include <QWidget>

#include <vector>

class CButton;
class CButtonST;
class CButtonSTRadio;
class CCheckListBox;
class CCJFlatButton;
class CComboBox;
class CEdit;
class CListBox;
class CTimeContorl;

class CQueryBar : public QWidget, public CWnd, public CQueryBarWindow {
public:
    static constexpr const char* kClassName = "CQueryBar";
    // Control ids.
    static constexpr int kStationList = 911;
    static constexpr int kSelectAll = 912;
    static constexpr int kRefresh = 917;
    static constexpr int kFirstTypeButton = 918;
    static constexpr int kInterval = 928;
    static constexpr int kElementList = 929;
    static constexpr int kDirectEntry = 930;
    static constexpr int kQuickSearchToggle = 931;
    static constexpr int kQuickSearch = 934;
    static constexpr int kFirstFilter = 950;
    // Mouse notifications to the owner.
    static constexpr int kNotifyLeftDown = 1124;
    static constexpr int kNotifyRightDown = 1125;
    static constexpr int kNotifyLeftUp = 1126;
    static constexpr int kNotifyLeftDoubleClick = 1128;

    CQueryBar(const CQueryBarRecords& records, int controlId, CWnd* owner, QWidget* parent);
    ~CQueryBar() override;

    // Loads the groups from the engine's table and makes the controls for them.
    void Attach();

    CWnd& Wnd() override { return *this; }
    CString StationText() const override { return m_model.CurrentStationText(); }
    bool WriteRequest() override;
    CQueryBarModel& Model() { return m_model; }
    CTimeContorl* StartControl() const { return m_start; }
    CTimeContorl* EndControl() const { return m_end; }
    int RowsHeight() const override { return m_rowsBottom + 5; }
    int StationListHeight() const;

    // What the controls report (also reachable by tests).
    void OnChildNotify(const CNotify& notify) override;
    void Refresh();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Label {
        QRect rect;
        QString text;
    };

    void ClearControls();
    void CreateControls();
    void FillControls();
    void FillStationList();
    void FillIntervals();
    void ShowTimes(const CTimeRange& range);
    void Layout();
    void LayoutRows(int stationListHeight);
    CRefreshInput ReadControls() const;
    void Act(ERefreshOutcome outcome);
    void SelectAll(bool select);
    void OnTypeButton(int button);
    void DirectEntry();
    void ToggleQuickSearch();
    void RegionMenu(QPoint global);
    void Notify(int code, QPoint at = {});

    CQueryBarRecords m_records;
    CQueryBarModel m_model;
    QFont m_font;

    std::vector<CComboBox*> m_filters; // Qt children of the bar
    CListBox* m_stations = nullptr;
    CButton* m_selectAllBox = nullptr;
    CEdit* m_search = nullptr;
    CCJFlatButton* m_directButton = nullptr;
    CCJFlatButton* m_searchButton = nullptr;
    CTimeContorl* m_start = nullptr;
    CTimeContorl* m_end = nullptr;
    std::vector<CButtonSTRadio*> m_typeButtons;
    CComboBox* m_interval = nullptr;
    CCheckListBox* m_elements = nullptr;
    CButtonST* m_refresh = nullptr;

    std::vector<Label> m_labels;
    QRect m_listRect;
    QRect m_dragBand;
    int m_rowsBottom = 0;
    bool m_searchShown = false;
    bool m_selectAllOn = false;
    CListHeightDrag m_drag;
};
