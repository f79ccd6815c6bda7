#pragma once
// What one "增加" of a unit entry page writes: the state changes of the chosen unit as point
// values in RTDB, each with its audit record, all of them or none.
#include "CString.h"
#include "OleDateTime.h"

#include <vector>

class CQueryClient;

enum class EUnitPage { Start, Stop };

// Stop kinds of the stop page and the FACTV they write.
constexpr int kStopReserve = 4;     // "停机备用"
constexpr int kStopInspection = 16; // "停机临检"
constexpr int kStopMaintenance = 1; // "停机计检"

// What a page holds when its "增加" is pressed. The first event is the start-up (开机) or the
// disconnection (解列), the second the grid connection (并网) or the stop (停机).
struct CUnitEntryInput {
    EUnitPage page = EUnitPage::Start;
    CString unitNumber; // empty: no unit chosen
    bool writeFirst = true;
    bool writeSecond = true;
    COleDateTime firstTime;
    COleDateTime secondTime;
    int stopKind = kStopReserve;
};

// One state change: its RTDB row and its audit text.
struct CUnitStateChange {
    CString event;  // the page's label of the event, "开机时间" ...
    CString time;   // "%Y-%m-%d %H:%M:%S"
    CString state;  // FACTV
    CString word;   // the state as the audit names it, "空转" ...
    CString insert; // the RTDB statement
    CString audit;  // "手工录入 unit time word "
};

// The changes one click writes, in page order; false with the message the page shows when
// nothing may be written ("请选择机组", "开机与并网时间不能相同!", a unit number or stop kind
// that cannot be written).
bool PlanUnitEntry(const CUnitEntryInput& input, std::vector<CUnitStateChange>& changes, CString& refusal);

struct CUnitEntryOutcome {
    std::vector<CString> sent; // every statement sent, in order (data, audit, transaction)
    CString error;             // which change failed and why; empty when all were written
};

// Writes the changes with their audit records in one transaction: a failure anywhere leaves
// none of them. True when all were written and committed.
bool WriteUnitEntry(CQueryClient& client, const std::vector<CUnitStateChange>& changes,
                    CUnitEntryOutcome& outcome);
