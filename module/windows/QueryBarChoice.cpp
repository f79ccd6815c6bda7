#include "QueryBarChoice.h"

#include "AnalyQueryBar.h"
#include "LackTimeQueryBar.h"
#include "QueryBar.h"
#include "UseGridWindow.h"

namespace {

// The bar belongs to its owner's widget.
template <class Bar> CQueryBarWindow* AttachedBar(const CQueryBarRecords& records, CWnd& owner) {
    auto* bar = new Bar(records, CUseGridWindow::kBarId, &owner, &owner.GetWidget());
    bar->Attach();
    return bar;
}

} // namespace

CQueryBarWindow* CreateQueryBar(EBarKind kind, const CQueryBarRecords& records, CWnd& owner) {
    if (!records.query || !records.client || !records.settings || !records.window || !records.options ||
        !records.face)
        return nullptr;
    switch (kind) {
    case EBarKind::LackTime:
        return AttachedBar<CLackTimeQueryBar>(records, owner);
    case EBarKind::Analysis:
        return AttachedBar<CAnalyQueryBar>(records, owner);
    case EBarKind::Ordinary:
        return AttachedBar<CQueryBar>(records, owner);
    }
    return nullptr;
}
