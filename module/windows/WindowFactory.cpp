#include "WindowFactory.h"

#include "QueryWindow.h"

void InstallElementWindows() {
    CElementWindowFactory factory;
    factory.tableWindow = [] { return std::make_unique<CQueryWindow>(); };
    SetElementWindowFactory(std::move(factory));
}

void RemoveElementWindows() {
    SetElementWindowFactory({});
}
