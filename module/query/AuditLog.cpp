#include "AuditLog.h"

#include "DataService.h"
#include "OleDateTime.h"
#include "QueryClient.h"
#include "SqlText.h"

CString PointAuditText(const CString& action, const CStringArray& previous, const CStringArray& current) {
    const CStringArray& v = action == "删除" ? previous : current;
    CString text;
    if (v.GetSize() < 3) return text;
    if (action == "录入")
        text.Format("手工录入 %s %s %s ", v[0], v[1], v[2]);
    else if (action == "修改") {
        if (previous.GetSize() < 3) return text;
        text.Format("手工修改 %s %s 将%s修改为%s ", current[0], current[1], previous[2], current[2]);
    } else
        text.Format("手工删除 %s %s %s ", v[0], v[1], v[2]);
    return text;
}

bool InsertAuditRecord(CQueryClient& client, const CString& logInfo, const CString* editor,
                       std::vector<CString>& sent) {
    auto execute = [&](const CString& statement) {
        sent.push_back(statement);
        return client.Execute(statement) == 1;
    };
    if (!execute("LOCK TABLE KES.SCHLOG IN EXCLUSIVE MODE")) return false;
    const CString max = "SELECT MAX(SEQID) FROM KES.SCHLOG ";
    sent.push_back(max);
    if (client.Query(max) != 1) return false;
    long long seq = 1;
    if (client.GetRowCount() > 0 && client.m_rows[0].GetSize() > 0)
        seq = TextToLong(client.m_rows[0][0].str()) + 1;
    client.ClearRows();
    const CString now = COleDateTime::GetCurrentTime().Format("%Y-%m-%d %H:%M:%S");
    CString sql;
    if (!editor)
        sql.Format("INSERT INTO KES.SCHLOG(T,SEQID,TYPE,LOGINFO,CONT,CONDIR) VALUES({ts '%s'},%ld,3,'%s',{ts "
                   "'%s'},0) ",
                   now, seq, EscapeInLiteral(logInfo), now);
    else
        sql.Format("INSERT INTO KES.SCHLOG(T,SEQID,TYPE,LOGINFO,CONT,CONDIR,CONTTYPE,EDITMEN) VALUES({ts "
                   "'%s'},%ld,3,'%s',"
                   "{ts '%s'},0,'%s','%s') ",
                   now, seq, EscapeInLiteral(logInfo), now, "Vexor数据修改", EscapeInLiteral(*editor));
    return execute(sql);
}

bool WriteAuditLog(CQueryClient& client, const CString& logInfo, const CString* editor,
                   std::vector<CString>& sent, CString& error) {
    auto execute = [&](const CString& statement) {
        sent.push_back(statement);
        return client.Execute(statement) == 1;
    };
    if (!execute("SAVEPOINT VX_AUDIT")) {
        error = client.m_strLastError;
        return false;
    }
    const bool ok = InsertAuditRecord(client, logInfo, editor, sent);
    if (!ok) {
        error = client.m_strLastError;
        execute("ROLLBACK TO SAVEPOINT VX_AUDIT");
    }
    execute("RELEASE SAVEPOINT VX_AUDIT");
    return ok;
}
