#pragma once
// The lists the property pages offer, read from the settings tables through the read-only
// query path.
#include "Arrays.h"
#include "CString.h"

class CQueryClient;

// The configured tables "选择视图" offers.
CString TableListStatement();
// The first column of every row, trailing blanks removed; the client's rows are cleared.
CStringArray LoadTableList(CQueryClient& client);
