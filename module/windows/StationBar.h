#pragma once
// What the three bars beside the grid share, whichever of them the window shows: the
// configuration records and the window font, the filter lists that narrow the stations, the
// station list with select-all and the drag under it, the start and end time, the row of time
// type buttons with the interval list, "刷新", direct entry of a station number, the painted
// labels, the mouse notifications to the owner, and the refresh that checks the user's choice and
// writes it into the request. The stations are decided by one station model (CQueryBarModel or a
// model derived from it). Each bar makes its own controls in its own order from the pieces here,
// adds what only it has, and lays its rows out.
#include "BarControls.h"
#include "QueryBarModel.h"
#include "QueryBarWindow.h"
#include "Wnd.h"

#include <QFont>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

class CButton;
class CButtonST;
class CButtonSTRadio;
class CComboBox;
class CListBox;
class CTimeContorl;

class CStationBar : public QWidget, public CWnd, public CQueryBarWindow {
public:
    // Control ids the bars share.
    static constexpr int kStationList = 911;
    static constexpr int kSelectAll = 912;
    static constexpr int kRefresh = 917;
    static constexpr int kFirstTypeButton = 918;
    static constexpr int kInterval = 928;
    static constexpr int kFirstFilter = 950;
    // Mouse notifications to the owner.
    static constexpr int kNotifyLeftDown = 1124;
    static constexpr int kNotifyRightDown = 1125;
    static constexpr int kNotifyLeftUp = 1126;
    static constexpr int kNotifyLeftDoubleClick = 1128;

    ~CStationBar() override;

    // Loads the groups from the engine's table and makes the controls for them.
    void Attach();

    CWnd& Wnd() override { return *this; }
    CString StationText() const override { return m_model->CurrentStationText(); }
    bool WriteRequest() override;
    int RowsHeight() const override { return m_rowsBottom + kMargin; }
    CQueryBarModel& StationModel() { return *m_model; }
    CTimeContorl* StartControl() const { return m_start; }
    CTimeContorl* EndControl() const { return m_end; }
    int StationListHeight() const;

    // What the controls report (also reachable by tests).
    void OnChildNotify(const CNotify& notify) override;
    // "刷新": the choice checked and written into the request, then 1135 and 1132 to the owner;
    // a refused choice shows its message instead.
    void Refresh();

protected:
    static constexpr int kMargin = 5;
    static constexpr int kFilterGap = 9;
    static constexpr int kRowGap = 7;
    static constexpr int kIconSize = 20;
    static constexpr int kRefreshWidth = 60;
    static constexpr int kDragBand = 4;

    // className names the bar's window class; directEntryId is the control of its direct-entry
    // button. The bar owns model, made from records by MakeModel.
    CStationBar(const CQueryBarRecords& records, std::unique_ptr<CQueryBarModel> model, const char* className,
                int directEntryId, int controlId, CWnd* owner, QWidget* parent);
    template <class Model> static std::unique_ptr<Model> MakeModel(const CQueryBarRecords& r) {
        return std::make_unique<Model>(*r.query, *r.client, *r.settings, *r.window, *r.options, *r.face);
    }

    // After the groups are loaded (code: kNotifyShow or kNotifyCollapse): tells the owner, makes
    // and fills the controls, in the bar's own order.
    virtual void MakeControls(int code) = 0;
    // Deletes the controls and forgets them; a bar with controls of its own forgets those too.
    virtual void ClearControls();
    virtual void Layout() = 0;
    // A time type button was clicked.
    virtual void ChooseType(int button) = 0;
    virtual void ChooseInterval(int index) { m_model->SelectInterval(index); }
    // A control the shared part does not handle.
    virtual void OnOwnControl(const CNotify&) {}
    // Checks the choice the controls hold and writes it into the request.
    virtual ERefreshOutcome RefreshModel() { return m_model->Refresh(ReadControls()); }
    // The station control: the list, unless the bar chooses its station otherwise.
    virtual void ShowStationTexts(const CStringArray& texts);
    virtual void SelectStationItems(const std::vector<int>& items);
    virtual std::vector<int> SelectedStationItems() const;
    // A double click chose the station of a single-selection list; the refresh follows.
    virtual void OnStationDoubleClick() {}
    // Where the left button may start the drag of the list's height.
    virtual bool DragStartsAt(const QPoint&) const { return true; }
    virtual void RightButtonUp(const QPoint& /*at*/, const QPoint& /*global*/) {}
    virtual void RightDoubleClicked(const QPoint&) {}

    // The pieces the bars are made of; each control is a Qt child of the bar.
    void MakeFilters();
    void MakeStationList();
    void MakeDirectEntryButton();
    // The time controls showing initial.
    void MakeTimeControls(const CTimeRange& initial);
    void MakeTypeButtons(const CStringArray& captions);
    void MakeIntervalList();
    void MakeRefreshButton();
    // Gives every control the window font and shows it.
    void ShowControls();

    void FillFilters() { FillFilterCombos(m_filters, *m_model); }
    void FillStationList();
    void FillIntervals(const CStringArray& texts, int selected);
    void CheckTypeButton(int button);
    void ShowTimes(const CTimeRange& range);
    void SetTimePrecision(const std::optional<int>& precision);
    // The stations and the times the controls hold.
    CRefreshInput ReadControls() const;
    void Notify(int code, QPoint at = {});

    // The texts painted beside the controls, placed by Layout.
    void ClearLabels() { m_labels.clear(); }
    void AddLabel(const QRect& rect, const QString& text) { m_labels.push_back({rect, text}); }
    void AddLabel(const QRect& rect, const char* text) { AddLabel(rect, QString::fromUtf8(text)); }
    void AddLabel(const QRect& rect, const CString& text) {
        AddLabel(rect, QString::fromStdString(text.str()));
    }

    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

    CQueryBarRecords m_records;
    QFont m_font;

    std::vector<CComboBox*> m_filters; // Qt children of the bar
    CListBox* m_stations = nullptr;
    CButton* m_selectAllBox = nullptr;
    QWidget* m_directButton = nullptr;
    CTimeContorl* m_start = nullptr;
    CTimeContorl* m_end = nullptr;
    std::vector<CButtonSTRadio*> m_typeButtons;
    CComboBox* m_interval = nullptr;
    CButtonST* m_refresh = nullptr;

    QRect m_listRect;
    QRect m_dragBand;
    int m_rowsBottom = 0;

private:
    struct Label {
        QRect rect;
        QString text;
    };

    // Tells the owner of a refresh, or shows the message of a refused one.
    void Act(ERefreshOutcome outcome);
    void DirectEntry();
    void SelectAll(bool select);

    std::unique_ptr<CQueryBarModel> m_model;
    int m_directEntryId;
    std::vector<Label> m_labels;
    bool m_selectAllOn = false;
    CListHeightDrag m_drag;
};
