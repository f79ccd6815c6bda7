#include "UnitStateEntry.h"

#include "AuditLog.h"
#include "QueryClient.h"
#include "SqlText.h"

namespace {

constexpr const char* kTimeFormat = "%Y-%m-%d %H:%M:%S";

struct EventKind {
    const char* label;
    const char* state;
    const char* word;
};

// FACTV and audit word of a stop, by its kind; null for a kind the page does not offer.
const EventKind* StopEvent(int kind) {
    static const EventKind reserve{"停机时间", "4", "备用"};
    static const EventKind inspection{"停机时间", "16", "临检"};
    static const EventKind maintenance{"停机时间", "1", "计检"};
    switch (kind) {
    case kStopReserve:
        return &reserve;
    case kStopInspection:
        return &inspection;
    case kStopMaintenance:
        return &maintenance;
    default:
        return nullptr;
    }
}

CUnitStateChange MakeChange(const CString& unit, const CString& time, const EventKind& kind) {
    CUnitStateChange change;
    change.event = kind.label;
    change.time = time;
    change.state = kind.state;
    change.word = kind.word;
    change.insert.Format(" INSERT INTO RTDB(SENID,TIME,FACTV) VALUES(%s,{ts '%s'},%s )", unit, time,
                         kind.state);
    change.audit = PointAuditText("录入", {}, CStringArray{unit, time, kind.word});
    return change;
}

} // namespace

bool PlanUnitEntry(const CUnitEntryInput& input, std::vector<CUnitStateChange>& changes, CString& refusal) {
    changes.clear();
    refusal.Empty();
    CString unit = input.unitNumber;
    unit.Trim();
    if (unit.IsEmpty()) {
        refusal = "请选择机组";
        return false;
    }
    // The number goes into the statement as it stands: only a number may.
    if (!IsSqlNumber(unit)) {
        refusal.Format("机组编号不是数字: %s", unit);
        return false;
    }
    const CString first = input.firstTime.Format(kTimeFormat);
    const CString second = input.secondTime.Format(kTimeFormat);
    if (!input.firstTime.IsValid() || !input.secondTime.IsValid()) {
        refusal = "时间无效";
        return false;
    }
    if (first == second) {
        refusal = "开机与并网时间不能相同!";
        return false;
    }
    static const EventKind startUp{"开机时间", "2", "空转"};
    static const EventKind connection{"并网时间", "8", "运行"};
    static const EventKind disconnection{"解列时间", "2", "空转"};
    const bool start = input.page == EUnitPage::Start;
    const EventKind* stop = start ? nullptr : StopEvent(input.stopKind);
    if (!start && !stop) {
        refusal.Format("停机方式无效: %d", input.stopKind);
        return false;
    }
    if (input.writeFirst) changes.push_back(MakeChange(unit, first, start ? startUp : disconnection));
    if (input.writeSecond) changes.push_back(MakeChange(unit, second, start ? connection : *stop));
    return true;
}

bool WriteUnitEntry(CQueryClient& client, const std::vector<CUnitStateChange>& changes,
                    CUnitEntryOutcome& outcome) {
    outcome = {};
    if (changes.empty()) return true;
    auto execute = [&](const CString& statement) {
        outcome.sent.push_back(statement);
        return client.Execute(statement) == 1;
    };
    auto fail = [&](const CString& what) {
        outcome.error = what + "，本次增加的数据均未写入: " + client.m_strLastError;
        execute("ROLLBACK");
        return false;
    };
    if (!execute("BEGIN")) {
        outcome.error = "数据库忙，未能写入数据: " + client.m_strLastError;
        return false;
    }
    for (const CUnitStateChange& change : changes) {
        const CString which = change.event + " " + change.time;
        if (!execute(change.insert)) return fail(which + " 写入失败");
        if (!InsertAuditRecord(client, change.audit, nullptr, outcome.sent))
            return fail(which + " 的审计记录写入失败");
    }
    if (!execute("COMMIT")) return fail("数据未能提交");
    return true;
}
