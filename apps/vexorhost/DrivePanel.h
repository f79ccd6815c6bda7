#pragma once
// The drive panel: sends the selected element, or every element, a period, a station or a
// show record, as another element of the display or the host's own timetable would.
#include <QWidget>

class DisplayView;
class QComboBox;
class QDateTimeEdit;
class QDoubleSpinBox;
class QSpinBox;
struct CDrawObjectDrive;

class DrivePanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kAllElements = -1;

    explicit DrivePanel(DisplayView& view, QWidget* parent = nullptr);

    // Sends a record to the target chosen in the panel.
    void Send(const CDrawObjectDrive& drive);

private:
    void ReloadTargets();
    void FollowSelection();

    DisplayView& m_view;
    QComboBox* m_target;
    QDateTimeEdit* m_start;
    QDoubleSpinBox* m_span;
    QSpinBox* m_periodSubKind;
    QComboBox* m_stationKind;
    QDoubleSpinBox* m_station;
    QDoubleSpinBox* m_stationExtra;
};
