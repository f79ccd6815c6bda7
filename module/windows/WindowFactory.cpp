#include "WindowFactory.h"

#include "QueryWindow.h"
#include "SysLookWidow.h"

void InstallElementWindows() {
    CElementWindowFactory factory;
    factory.tableWindow = [] { return std::make_unique<CQueryWindow>(); };
    factory.sysViewWindow = [] { return std::make_unique<CSysLookWidow>(); };
    SetElementWindowFactory(std::move(factory));
}

void RemoveElementWindows() {
    SetElementWindowFactory({});
}
