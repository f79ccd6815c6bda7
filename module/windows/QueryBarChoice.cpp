#include "QueryBarChoice.h"

#include "AnalyQueryBar.h"
#include "QueryBar.h"
#include "UseGridWindow.h"

CQueryBarWindow* CreateQueryBar(EBarKind kind, const CQueryBarRecords& records, CWnd& owner) {
    if (!records.query || !records.client || !records.settings || !records.window || !records.options ||
        !records.face)
        return nullptr;
    switch (kind) {
    case EBarKind::Analysis: {
        auto* bar = new CAnalyQueryBar(records, CUseGridWindow::kBarId, &owner, &owner.GetWidget());
        bar->Attach();
        return bar;
    }
    case EBarKind::LackTime: // the missing-data bar comes with its own query; until then these
                             // tables get the station-and-time bar
    case EBarKind::Ordinary: {
        // The bar belongs to its owner's widget.
        auto* bar = new CQueryBar(records, CUseGridWindow::kBarId, &owner, &owner.GetWidget());
        bar->Attach();
        return bar;
    }
    }
    return nullptr;
}
