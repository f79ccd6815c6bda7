#pragma once
// The audit log SCHLOG that every change of data is traced in.
#include "CString.h"

#include <functional>
#include <vector>

class CQueryClient;

// Writes one audit record inside the caller's transaction. Its SEQID is one past the highest
// one, taken under a lock of the log table so that two clients writing at once cannot take the
// same number; record(seq) gives the INSERT statement. A record that cannot be written is
// undone alone (a savepoint), leaving the change it traces: false with the reason in error.
// Every statement sent is appended to sent.
bool WriteAuditLog(CQueryClient& client, const std::function<CString(long long seq)>& record,
                   std::vector<CString>& sent, CString& error);
