#include "WindowFactory.h"

#include "PointQueryWindow.h"
#include "QueryWindow.h"
#include "SysLookWidow.h"

void InstallElementWindows() {
    CElementWindowFactory factory;
    factory.tableWindow = [] { return std::make_unique<CQueryWindow>(); };
    factory.sysViewWindow = [] { return std::make_unique<CSysLookWidow>(); };
    factory.pointWindow = [] { return std::make_unique<CPointQueryWindow>(); };
    SetElementWindowFactory(std::move(factory));
}

void RemoveElementWindows() {
    SetElementWindowFactory({});
}
