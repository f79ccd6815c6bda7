#pragma once
// The event record of the real-time data service, as far as the query grid needs it: the text
// an operator reads for an event state code.
#include "CString.h"

class CRTEV {
public:
    // "正常", "越上限", ... for the known codes; "未知状态(<code>)" for any other code.
    static CString GetStateMsg(int code);
};
