#pragma once
// The missing-data bar beside the grid of an event table counted for gaps: filter lists that
// narrow the station list, the station list, the start and end time, the time unit (秒 分 时 天)
// with its interval, "刷新" and direct entry of a station number. What it decides comes from
// CLackTimeBarModel; the bar reads its controls, asks the model and shows the answers. Its
// rows have a fixed width, whatever the width of the panel.
#include "BarControls.h"
#include "LackTimeBarModel.h"
#include "QueryBarWindow.h"
#include "Wnd.h"

#include <QFont>
#include <QWidget>

#include <vector>

class CButton;
class CButtonST;
class CButtonSTRadio;
class CComboBox;
class CListBox;
class CTimeContorl;

class CLackTimeQueryBar : public QWidget, public CWnd, public CQueryBarWindow {
public:
    static constexpr const char* kClassName = "CLackTimeQueryBar";
    // Control ids.
    static constexpr int kStationList = 911;
    static constexpr int kSelectAll = 912;
    static constexpr int kRefresh = 917;
    static constexpr int kFirstUnitButton = 918;
    static constexpr int kInterval = 928;
    static constexpr int kDirectEntry = 930;
    static constexpr int kFirstFilter = 950;
    // Mouse notifications to the owner.
    static constexpr int kNotifyLeftDown = 1124;
    static constexpr int kNotifyRightDown = 1125;
    static constexpr int kNotifyLeftUp = 1126;
    static constexpr int kNotifyRightUp = 1127;
    static constexpr int kNotifyLeftDoubleClick = 1128;
    static constexpr int kNotifyRightDoubleClick = 1129;
    // The rows stand from x = 5 to x = 180.
    static constexpr int kRowsLeft = 5;
    static constexpr int kRowsRight = 180;

    CLackTimeQueryBar(const CQueryBarRecords& records, int controlId, CWnd* owner, QWidget* parent);
    ~CLackTimeQueryBar() override;

    // Loads the groups from the engine's table and makes the controls for them.
    void Attach();

    CWnd& Wnd() override { return *this; }
    CString StationText() const override { return m_model.CurrentStationText(); }
    bool WriteRequest() override;
    int RowsHeight() const override { return m_rowsBottom + kRowsLeft; }
    CLackTimeBarModel& Model() { return m_model; }
    CTimeContorl* StartControl() const { return m_start; }
    CTimeContorl* EndControl() const { return m_end; }

    void OnChildNotify(const CNotify& notify) override;
    void Refresh();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

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
    void Layout();
    CRefreshInput ReadControls() const;
    void SelectAll(bool select);
    void OnUnitButton(int unit);
    void DirectEntry();
    void Notify(int code, QPoint at = {});

    CQueryBarRecords m_records;
    CLackTimeBarModel m_model;
    QFont m_font;

    std::vector<CComboBox*> m_filters; // Qt children of the bar
    CListBox* m_stations = nullptr;
    CButton* m_selectAllBox = nullptr;
    CTimeContorl* m_start = nullptr;
    CTimeContorl* m_end = nullptr;
    std::vector<CButtonSTRadio*> m_unitButtons;
    CComboBox* m_interval = nullptr;
    CButtonST* m_refresh = nullptr;
    CButtonST* m_directButton = nullptr;

    std::vector<Label> m_labels;
    QRect m_listRect;
    QRect m_dragBand;
    int m_rowsBottom = 0;
    bool m_selectAllOn = false;
    CListHeightDrag m_drag;
};
