#pragma once
// What the element's property sheet "系统设置查询属性" works on, and how the sheet is run without
// the element knowing the window toolkit: the window layer installs a runner when the module
// loads.
//
// The pages edit copies (the property strings and the query settings), which reach the element
// only when the sheet closes with OK. The query options and the system-view settings are the
// element's own records: the dialogs behind the pages edit them in place.
#include "CString.h"
#include "QuerySettings.h"

#include <functional>

class CWnd;
class CQueryOptions;
class CSysViewSettings;

struct CElementPropertyPages {
    CString interfaceText; // "功能选择"
    CSysViewSettings* sysView = nullptr;
    CQuerySettings query; // "系统设置与简单查询"
    CString windowText;
    CQueryOptions* options = nullptr;
    CString pointText; // "点数据查询"
};

// Runs the sheet modally over the pages; true when it closed with OK.
using PropertySheetRunner = std::function<bool(CElementPropertyPages& pages, CWnd* owner)>;

// Installs the runner and returns the one it replaces.
PropertySheetRunner SetPropertySheetRunner(PropertySheetRunner runner);
const PropertySheetRunner& InstalledPropertySheetRunner();
