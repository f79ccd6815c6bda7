#pragma once
// What the host program lends its elements: the device context of its main window, the
// rectangle tracker that resizes an element with the mouse, repainting, the mouse capture.
// The host installs them once; they live in libvexor_host_registry.so so that every module
// sees the host's. Without a host (tests, command-line tools) the mapping is one to one, the
// tracker leaves the rectangle as it is, and repaint and capture requests are dropped.
#include "DeviceContext.h"

#include <functional>

struct CHostServices {
    std::function<CDC()> mainWndDC;
    // Lets the user drag handle (1..8) of rect (device units) from start; true with the new
    // rectangle when the user finished, false when the drag was abandoned.
    std::function<bool(CWnd* owner, int handle, CPoint start, CRect& rect)> trackRect;
    std::function<void(CWnd* owner, const CRect& device)> invalidate;
    std::function<void()> releaseCapture;
    // The host's status line: what it cannot do or has not done (a mode not available yet).
    std::function<void(const CString& text)> status;
};

// Installs the host's services and returns the ones they replace.
CHostServices SetHostServices(CHostServices services);
const CHostServices& HostServices();

// The main window's device context; released when the value goes.
CDC GetMainWndDC();
void ShowHostStatus(const CString& text);
