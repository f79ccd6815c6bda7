#pragma once
// What the element's property sheet "系统设置查询属性" works on, and how the sheet is run without
// the element knowing the window toolkit: the window layer installs a runner when the module
// loads.
//
// The pages edit copies (the property strings, the query settings and the system-view
// settings), which reach the element only when the sheet closes with OK: what the viewer's
// settings dialog changed is gone after Cancel, as every other change of the sheet. The query
// options are the element's own record: the dialogs behind the pages edit it in place.
#include "CString.h"
#include "QuerySettings.h"
#include "SysViewSettings.h"

#include <functional>

class CWnd;
class CQueryOptions;

struct CElementPropertyPages {
    CString interfaceText;    // "功能选择"
    CSysViewSettings sysView; // "功能选择"'s "设置"
    CQuerySettings query;     // "系统设置与简单查询"
    CString windowText;
    CQueryOptions* options = nullptr;
    CString pointText; // "点数据查询"
};

// Runs the sheet modally over the pages; true when it closed with OK.
using PropertySheetRunner = std::function<bool(CElementPropertyPages& pages, CWnd* owner)>;

// Installs the runner and returns the one it replaces.
PropertySheetRunner SetPropertySheetRunner(PropertySheetRunner runner);
const PropertySheetRunner& InstalledPropertySheetRunner();
