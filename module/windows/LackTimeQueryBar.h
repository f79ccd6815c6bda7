#pragma once
// The missing-data bar beside the grid of an event table counted for gaps: filter lists that
// narrow the station list, the station list, the start and end time, the time unit (秒 分 时 天)
// with its interval, "刷新" and direct entry of a station number. What it decides comes from
// CLackTimeBarModel; the bar reads its controls, asks the model and shows the answers. Its
// rows have a fixed width, whatever the width of the panel.
#include "LackTimeBarModel.h"
#include "StationBar.h"

class CLackTimeQueryBar : public CStationBar {
public:
    static constexpr const char* kClassName = "CLackTimeQueryBar";
    // Control ids of its own.
    static constexpr int kFirstUnitButton = kFirstTypeButton;
    static constexpr int kDirectEntry = 930;
    // Mouse notifications of its own to the owner.
    static constexpr int kNotifyRightUp = 1127;
    static constexpr int kNotifyRightDoubleClick = 1129;
    // The rows stand from x = 5 to x = 180.
    static constexpr int kRowsLeft = kMargin;
    static constexpr int kRowsRight = 180;

    CLackTimeQueryBar(const CQueryBarRecords& records, int controlId, CWnd* owner, QWidget* parent);

protected:
    void MakeControls(int code) override;
    void Layout() override;
    void ChooseType(int unit) override;
    void OnStationDoubleClick() override { Notify(kNotifyStationText); }
    bool DragStartsAt(const QPoint& at) const override { return m_dragBand.contains(at); }
    void RightButtonUp(const QPoint& at, const QPoint&) override { Notify(kNotifyRightUp, at); }
    void RightDoubleClicked(const QPoint& at) override { Notify(kNotifyRightDoubleClick, at); }

private:
    CLackTimeBarModel& Model();
    void CreateControls();
    void FillControls();
    void FillUnitIntervals();
};
