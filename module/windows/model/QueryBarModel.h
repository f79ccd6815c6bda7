#pragma once
// What the station-and-time query bar decides, without its window: the selection groups and
// their lists, the cascade of the filter lists, the quick search, direct station entry, the
// refresh checks that write the user's choice into the query request, the time types and the
// region menu. The window reads its controls, calls this model and writes the answers back.
#include "InterfaceSettings.h"
#include "QueryOptions.h"
#include "QuerySettings.h"
#include "SelectionGroups.h"
#include "TimeTypes.h"
#include "WindowSettings.h"

#include <functional>
#include <optional>
#include <vector>

class CTableQuery;
class CQueryClient;

// Bar notification codes sent to the owner window.
enum EBarNotify {
    kNotifyRegionMenu = 1127,
    kNotifyRefresh = 1132,
    kNotifyCollapse = 1133,
    kNotifyShow = 1134,
    kNotifyStationText = 1135
};

inline constexpr const char* kMsgSelectStation = "请选择站号!";
inline constexpr const char* kMsgBadTimeRange = "开始时间不能大于结束时间!";
inline constexpr const char* kMsgSelectYear = "请选择年份!";
// A station typed in direct entry that the station list does not hold (%s: the text typed).
inline constexpr const char* kMsgUnknownStation = "站号 %s 不在站点列表中!";

// Texts of the station list and the items to select in it.
struct CStationListFill {
    CStringArray texts;
    std::vector<int> selected;
    bool stationTextChanged = false; // send 1135 with CurrentStationText()
};

// The controls as the window reads them for a refresh.
struct CRefreshInput {
    std::vector<int> selectedItems; // station list indices, in list order
    COleDateTime start;             // the time controls, when there is a time block
    COleDateTime end;
    std::optional<std::vector<bool>> elementChecks; // check list states, with the element list
};

enum class ERefreshOutcome {
    Stop,           // nothing to do (the request's start flag is off)
    NoStation,      // show kMsgSelectStation; the request is unchanged
    BadTimeRange,   // show kMsgBadTimeRange; stations are written, times are not
    UnknownStation, // show kMsgUnknownStation; the request is unchanged
    NoYear,         // the year comparison: show kMsgSelectYear; nothing is sent
    Go              // send 1135, then 1132
};

struct CDirectEntryResult {
    ERefreshOutcome outcome = ERefreshOutcome::Stop;
    std::vector<int> selected; // station list items to select afterwards (then send 1135)
};

// Answer of a region command: applied (refill the combos and the list) or a message to show.
struct CRegionResult {
    bool applied = false;
    CString message;
};

class CQueryBarModel {
public:
    CQueryBarModel(CTableQuery& engine, CQueryClient& client, CQuerySettings& request,
                   const CWindowSettings& window, const CQueryOptions& options,
                   CInterfaceSettings& interfaceSettings);
    virtual ~CQueryBarModel() = default;

    // Loads the groups and the time types; answers kNotifyCollapse when there is neither a
    // station list nor a time block, else kNotifyShow.
    virtual int Attach();

    CSelectionGroups& Groups() { return m_groups; }
    const CSelectionGroups& Groups() const { return m_groups; }
    bool HasStationList() const { return m_groups.HasStation(); }
    bool HasTimeBlock() const { return m_groups.HasTime(); }

    // Entries of filter combo f: the label, then the names; entry 0 is selected.
    CStringArray FilterEntries(int filter) const;
    // Current texts of the station list: display texts with show-primary-key-ID, else names.
    CStringArray StationTexts() const;
    // The texts and the items of the request's selected stations (exact key match).
    CStationListFill StationListFill();

    // A filter combo changed; selections are the combos' indices in filter order. Answers
    // true when the window must refresh (direct display with a filter condition); otherwise
    // the station list was reloaded and is refilled from StationListFill().
    bool Cascade(const std::vector<int>& comboSelections);
    // Quick search; the list is then refilled from StationTexts().
    void QuickSearch(const CString& text);

    const CString& CurrentStationText() const { return m_currentStation; }
    // Single selection: a click shows the list text, a double click the display text (then
    // the window refreshes).
    void StationClicked(int index);
    void StationDoubleClicked(int index);

    void BeginDirectEntry();
    // OK in the entry dialog: refresh with the entered station, then select the items whose
    // key holds the text. A station the list does not hold as a key is refused (UnknownStation)
    // and the bar goes back to its list.
    CDirectEntryResult ConfirmDirectEntry(const CString& station, const CRefreshInput& input);
    // The same with the bar's own refresh (a bar whose refresh reads more than CRefreshInput).
    CDirectEntryResult ConfirmDirectEntry(const CString& station,
                                          const std::function<ERefreshOutcome()>& refresh);
    // Cancel in the entry dialog: the bar goes back to its list, rather than querying an
    // empty station on every later refresh.
    void CancelDirectEntry() { m_directEntry = false; }
    bool InDirectEntry() const { return m_directEntry; }

    virtual ERefreshOutcome Refresh(const CRefreshInput& input);
    // The first step of every bar's refresh: the start flag, then the selected stations (all
    // of them with direct display, the typed one in direct entry) into the request; NoStation
    // when none is chosen. Go when the bar may go on with its times.
    ERefreshOutcome WriteStations(const std::vector<int>& selectedItems);

    // Time types.
    bool HasTotals() const { return m_hasTotals; }
    const std::vector<int>& TimeTypes() const { return m_timeTypes; }
    bool HasTypeButtons() const { return m_hasTotals && !m_timeTypes.empty(); }
    CStringArray TypeCaptions() const;
    int TypeButton() const { return m_typeButton; }
    int TimeTypeCode() const;
    // A type button was clicked: the type changes, the interval becomes 1 and the controls
    // follow the type. The interval list is IntervalTexts(TimeTypeCode()), entry 0 selected.
    CTimeRange SelectTimeType(int button, const COleDateTime& start, const COleDateTime& end);
    CTimeRange AdaptToType(const COleDateTime& start, const COleDateTime& end) const;
    void SelectInterval(int index);
    // The word of the first SHOWTIME column and the controls' precision from it.
    const CString& TimeDisplayWord() const { return m_showTime; }
    std::optional<int> TimeControlPrecision() const { return ShowTimePrecision(m_showTime); }
    // What the time controls start from: the request's start and end texts.
    COleDateTime InitialStart() const;
    COleDateTime InitialEnd() const;

    // Region menu: offered when the relation table switches it on and a group lists CENTERSTA.
    // A failed lookup leaves the message in error and counts as not offered.
    bool RegionMenuOffered(CString& error);
    CRegionResult ChooseRegion(int command);
    int RegionCode() const { return m_regionCode; }
    int CheckedRegionCommand() const { return m_regionCommand; }

protected:
    CQuerySettings& Request() { return m_request; }
    const CQuerySettings& Request() const { return m_request; }
    CTableQuery& Engine() { return m_engine; }

private:
    CSelectGroup* CentreGroup();

    CTableQuery& m_engine;
    CQueryClient& m_client;
    CQuerySettings& m_request;
    const CWindowSettings& m_window;
    const CQueryOptions& m_options;
    CInterfaceSettings& m_interface;

    CSelectionGroups m_groups;
    CString m_currentStation;
    bool m_directEntry = false;
    CString m_directStation;
    bool m_hasTotals = false;
    std::vector<int> m_timeTypes;
    int m_typeButton = -1;
    CString m_showTime;
    int m_regionCode = 1;
    int m_regionCommand = 0;
};
