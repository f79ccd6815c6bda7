#include "WindowFactory.h"

#include "PointQueryWindow.h"
#include "QueryWindow.h"

void InstallElementWindows() {
    CElementWindowFactory factory;
    factory.tableWindow = [] { return std::make_unique<CQueryWindow>(); };
    factory.pointWindow = [] { return std::make_unique<CPointQueryWindow>(); };
    SetElementWindowFactory(std::move(factory));
}

void RemoveElementWindows() {
    SetElementWindowFactory({});
}
