#pragma once
// The audit log KES.SCHLOG: every change of data leaves one record there, numbered by SEQID.
#include "Arrays.h"
#include "CString.h"

#include <vector>

class CQueryClient;

// The short audit text of a point value change (point, time, value): "手工录入 %s %s %s ",
// "手工修改 %s %s 将%s修改为%s " or "手工删除 %s %s %s " for the actions "录入", "修改" and
// "删除". Empty when the values it needs (the first three) are not there.
CString PointAuditText(const CString& action, const CStringArray& previous, const CStringArray& current);

// Inserts one audit record into KES.SCHLOG inside the caller's open transaction. With an editor
// the record carries the category "Vexor数据修改" and the user's name, without one it is the
// short form of point value tables. The next SEQID is taken under a lock on the log table, so
// two clients writing at once cannot both take the same number. Every statement sent is added
// to sent; false with the database's reason in client.m_strLastError.
bool InsertAuditRecord(CQueryClient& client, const CString& logInfo, const CString* editor,
                       std::vector<CString>& sent);

// The same for a change that stands without its trace: a record that cannot be written is
// undone alone (a savepoint), leaving the change it traces; false with the reason in error.
bool WriteAuditLog(CQueryClient& client, const CString& logInfo, const CString* editor,
                   std::vector<CString>& sent, CString& error);
