#pragma once
// The pages "功能选择" (900) and "系统设置与简单查询" (901) as values: what their controls show
// when they load from the element's records, and what saving them stores back. The windows
// move these values to and from their controls; `vexorquery configure` checks a changed
// configuration against the same rules, so both keep what the sheet keeps.
#include "ElementProperties.h"
#include "InterfaceSettings.h"
#include "QuerySettings.h"
#include "WindowSettings.h"

// A number typed into a page: a whole number within the range the page accepts.
struct CNumberRange {
    long long min;
    long long max;
};
inline constexpr CNumberRange kFixedColumnCountRange{1, 999};
inline constexpr CNumberRange kTimeIntervalRange{0, 99999999};
inline constexpr CNumberRange kAnyIntRange{-2147483647 - 1, 2147483647};

// The number a page edit holds, or false with the message the dialog shows for it.
bool ReadPageNumber(const CString& text, CNumberRange range, long long& value, CString& message);

struct CSelectPageValues {
    long mode = kModeTableQuery; // 0 table query, 1 point query, 2 settings-table viewer
    bool alternateRows = false;
    COLORREF firstRowColor = 0;
    COLORREF secondRowColor = 0;
    COLORREF gridBackground = 0;
    bool fixedColumns = false;
    bool elementChoice = false; // offered only while fixedColumns is ticked
    long fixedColumnCount = 1;
    long panelWidth = 0;

    static CSelectPageValues Load(CInterfaceSettings& face);
    // Row colours are kept only with alternating rows; a negative panel width becomes 175.
    void Save(CInterfaceSettings& face) const;
    // The message for a value the page refuses, empty when it takes them all.
    CString Refusal() const;
};

// Access mode and modify direction as the radio groups order them.
enum EAccessChoice { kAccessWrite = 0, kAccessRead = 1, kAccessReadWrite = 2 };
enum EDirectionChoice { kDirectionHorizontal = 0, kDirectionVertical = 1 };

struct CQueryPageValues {
    CString tableName;
    bool allStations = false; // "全部显示", else "默认显示"
    CString stationText;      // "默认站号(多个,号隔开)"
    bool dynamicTime = false;
    int timeTypeIndex = kTimeHour; // "时", "天", "旬", "月"
    long timeInterval = 1;
    long timeOffset = 0;
    COLORREF panelBackground = 0;
    int access = kAccessWrite;
    int direction = kDirectionHorizontal;
    int queryStyle = kStylePanel;
    LOGFONT windowFont;
    bool dataEntryMenu = false;
    CString entryFormName;
    bool advanced = false;

    static CQueryPageValues Load(const CQuerySettings& query, const CWindowSettings& window);
    // The query settings keep their start flag.
    void Save(CQuerySettings& query, CWindowSettings& window) const;
    CString Refusal() const;
};

// The stations of the "默认显示" edit: the text trimmed and cut at every ","; pieces keep their
// blanks, empty pieces are no stations.
CStringArray SplitStationText(const CString& text);
CString JoinStations(const CStringArray& stations);

// The access and direction words of the query settings and back; an unknown word is "写" and
// "水平方向".
int AccessChoice(const CString& word);
CString AccessWord(int choice);
int DirectionChoice(const CString& word);
CString DirectionWord(int choice);

// Loads and saves both pages as the sheet does when OK is pressed with every control as it
// was loaded. False with the page's message when a page would refuse its values.
bool SavePagesUnchanged(CElementPropertyPages& pages, CString& message);
