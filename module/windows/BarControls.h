#pragma once
// What the query bars do alike on screen, whichever bar it is: the station list's texts with
// their tooltips and scroll extent, reading and setting its selection, the messages of a
// refused refresh, direct entry through its dialog, the notification block sent to the owner,
// and the drag under the station list that makes it taller or shorter.
#include "QueryBarModel.h"
#include "QueryBarWindow.h"
#include "Wnd.h"

#include <functional>
#include <optional>
#include <vector>

class CButton;
class CComboBox;
class CListBox;
class QFont;
class QIcon;
class QWidget;
class QPoint;

// Fills the list; an entry wider than the list scrolls and shows whole as its tooltip.
void FillStationTexts(CListBox& list, const CStringArray& texts);
// The selected items in list order (the current one of a single-selection list).
std::vector<int> SelectedStations(const CListBox& list);
// Selects the items; in a single-selection list the last one becomes the selection.
void SelectStations(CListBox& list, const std::vector<int>& items);

// The filter lists above the station list: each filled with its group's entries, the first
// chosen.
void FillFilterCombos(const std::vector<CComboBox*>& filters, const CQueryBarModel& model);
// A filter list changed: select-all is cleared and the model narrows the groups below it; true
// when the bar's refresh is to follow (the model says so), else only the station list changes.
bool CascadeFilters(const std::vector<CComboBox*>& filters, CButton* selectAll, CQueryBarModel& model);

// Shows the message of a refused refresh ("请选择站号!", "开始时间不能大于结束时间!", "请选择年份!");
// true when the refresh goes on.
bool AcceptRefresh(ERefreshOutcome outcome);
// Direct entry: asks for a station number and runs the bar's refresh with it; nullopt when the
// dialog was cancelled. A station the list does not hold has been reported already.
std::optional<CDirectEntryResult> AskDirectEntry(CQueryBarModel& model,
                                                 const std::function<ERefreshOutcome()>& refresh);

// Makes bar the window of a bar class: its class name, the panel colour as background (the
// button face without one), the mouse followed for the drag cursor; answers the window font of
// the element, which bar takes (宋体 at 15 pixels when the element has none).
QFont SetUpBarWidget(QWidget& bar, const char* className, const CQueryBarRecords& records);
// The icons of direct entry (924) and quick search (925).
QIcon BarIcon(int resource);

// The bar notification block: the code, where the mouse was, the current station text and the
// bar's rectangle in its parent.
CNotify BarNotifyBlock(const QWidget& bar, int code, const QPoint& at, const CString& stationText);

// The drag of the band under the station list: the list's height follows the pointer, never
// below kMinHeight; a line shows where it will end.
class CListHeightDrag {
public:
    static constexpr int kMinHeight = 30;

    void Begin(int y, int height);
    bool Active() const { return m_active; }
    // The pointer moved to y: the line's position, for a list starting at listTop.
    void Move(int y, int listTop) { m_lineY = listTop + HeightAt(y); }
    // The button was released at y: the list's new height.
    int End(int y);
    // Where the line is drawn, -1 when none.
    int LineY() const { return m_active ? m_lineY : -1; }

private:
    int HeightAt(int y) const;

    bool m_active = false;
    int m_startY = 0;
    int m_startHeight = 0;
    int m_lineY = -1;
};
