#pragma once
// The host's part in the window tests: a plain window the element's windows are made in.
#include "Wnd.h"

#include <QWidget>

class OwnerWindow : public QWidget, public CWnd {
public:
    OwnerWindow() : CWnd(*this, 1, nullptr) { resize(1100, 750); }
};
