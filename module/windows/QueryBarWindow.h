#pragma once
// What the table query window needs of the bar it shows beside the grid, whichever of the
// three bars it is. The bar's widget belongs to the window's widget (Qt parent).
#include "CString.h"

#include <memory>

class CWnd;
class CTableQuery;
class CQueryClient;
class CQuerySettings;
class CWindowSettings;
class CQueryOptions;
class CInterfaceSettings;
class QWidget;

class CQueryBarWindow {
public:
    virtual ~CQueryBarWindow() = default;
    virtual CWnd& Wnd() = 0;
    // The last station clicked or entered, as the bar's notifications carry it.
    virtual CString StationText() const = 0;
    // Writes the stations and the period its controls hold into the request exactly as its
    // "刷新" does, without asking for a refresh and without a message: a query run for any other
    // reason (start-up, a drive record, the menu) then asks what the bar shows. False when the
    // controls hold no complete choice; the request keeps what it had.
    virtual bool WriteRequest() = 0;
    // The height its rows take at the current width (dialog 907 is made that high).
    virtual int RowsHeight() const = 0;
};

// The records a bar is made with; not owned.
struct CQueryBarRecords {
    CTableQuery* query = nullptr;
    CQueryClient* client = nullptr;     // the engine's
    CQuerySettings* settings = nullptr; // the window's copy: the bar writes the user's choice here
    CWindowSettings* window = nullptr;
    CQueryOptions* options = nullptr;
    CInterfaceSettings* face = nullptr;
    unsigned long panelColor = 0;
    bool dragDisabled = false; // the station list keeps its height
};
