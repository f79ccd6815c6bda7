#include "ModuleEntry.h"

#include "DayLog.h"
#include "ElementTypeRegistry.h"
#include "HostServices.h"
#include "QueryPropertySheet.h"
#include "VexorQueryElemOBJ.h"
#include "WindowFactory.h"

#include <dlfcn.h>

namespace vexor_module {

namespace {

ModuleState& MutableState() {
    static ModuleState state;
    return state;
}

// What the library does when it is mapped into a process and when it leaves it.
void Attach() {
    ModuleState& s = MutableState();
    Dl_info info;
    if (dladdr(reinterpret_cast<const void*>(&Attach), &info)) {
        s.instance = info.dli_fbase;
        s.resource.path = info.dli_fname ? info.dli_fname : "";
    }
    s.resource.instance = s.instance;
    s.resource.system = false;
    s.moveCursor = CDrawObject::kCursorSizeAll;
    s.resizeCursor = CDrawObject::kCursorCross;
    InstallElementWindows();
    SetPropertySheetRunner(RunQueryPropertySheet);
    // Lost log entries are said in the host's status line too, where the operator looks.
    daylog::SetFailureReporter([](const std::string& message) { ShowHostStatus(CString(message)); });
    DrawObjectRegister();
    s.attached = true;
}

void Detach() {
    ModuleState& s = MutableState();
    if (!s.attached) return;
    DrawObjectUnregister();
    daylog::SetFailureReporter(nullptr);
    SetPropertySheetRunner(nullptr);
    RemoveElementWindows();
    s.attached = false;
}

struct Lifetime {
    Lifetime() { Attach(); }
    ~Lifetime() { Detach(); }
    Lifetime(const Lifetime&) = delete;
    Lifetime& operator=(const Lifetime&) = delete;
};
const Lifetime g_lifetime;

} // namespace

const ModuleState& State() {
    return MutableState();
}

std::unique_ptr<CDrawObject> CreateNew(const CRect& drawn) {
    auto element = std::make_unique<CVexorQueryElemOBJ>();
    element->m_rect =
        CRect(drawn.left, drawn.top, drawn.left + kNewElementWidth, drawn.top + kNewElementHeight);
    return element;
}

} // namespace vexor_module

extern "C" {

// The element class for display files comes and goes with the element type: a display must
// not name a class whose code the host is about to drop.
void DrawObjectRegister() {
    RegisterVexorQueryElementClass();
    const vexor_module::ModuleState& s = vexor_module::State();
    CDrawObject::RegisterObject(CVexorQueryElemOBJ::kTypeName, {vexor_module::kIconResource, s.instance},
                                &vexor_module::CreateNew);
}

void DrawObjectUnregister() {
    CDrawObject::DeleteObjectInfo(CVexorQueryElemOBJ::kTypeName);
    UnregisterVexorQueryElementClass();
}

void* InitDrawObjectExtDLL() {
    // The module is always a plug-in opened by the host, never the program itself, so its
    // resources join the caller's chain as a system entry.
    vexor_module::ModuleState& s = vexor_module::MutableState();
    s.resource.system = true;
    return &s.resource;
}

void ExitDrawObjectExtDLL() {
    vexor_module::MutableState().resource.system = false;
}
}
