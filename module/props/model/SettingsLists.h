#pragma once
// The lists the property pages offer, read from the settings tables through the read-only
// query path.
#include "Arrays.h"
#include "CString.h"

#include <functional>

class CQueryClient;

// The configured tables "选择视图" offers.
CString TableListStatement();
// The first column of every row, trailing blanks removed; the client's rows are cleared.
CStringArray LoadTableList(CQueryClient& client);

// Runs the statement and hands every row of at least minFields texts, each trimmed, to take;
// the client's rows are cleared after.
void ForEachTrimmedRow(CQueryClient& client, const CString& sql, int minFields,
                       const std::function<void(const CStringArray& row)>& take);

// "name(code)", as the lists show an entry and the grids take it apart.
CString NameWithCode(const CString& name, const CString& code);
