#include "AuditLog.h"

#include "QueryClient.h"

bool WriteAuditLog(CQueryClient& client, const std::function<CString(long long seq)>& record,
                   std::vector<CString>& sent, CString& error) {
    auto execute = [&](const CString& statement) {
        sent.push_back(statement);
        return client.Execute(statement) == 1;
    };
    if (!execute("SAVEPOINT VX_AUDIT")) {
        error = client.m_strLastError;
        return false;
    }
    bool ok = execute("LOCK TABLE KES.SCHLOG IN EXCLUSIVE MODE");
    long long seq = 1;
    if (ok) {
        const CString max = "SELECT MAX(SEQID) FROM KES.SCHLOG ";
        sent.push_back(max);
        ok = client.Query(max) == 1;
        if (ok && client.GetRowCount() > 0 && client.m_rows[0].GetSize() > 0)
            seq = TextToLong(client.m_rows[0][0].str()) + 1;
        client.ClearRows();
    }
    if (ok) ok = execute(record(seq));
    if (!ok) {
        error = client.m_strLastError;
        execute("ROLLBACK TO SAVEPOINT VX_AUDIT");
    }
    execute("RELEASE SAVEPOINT VX_AUDIT");
    return ok;
}
