#pragma once
// The entry of libVexorQueryObj.so: what the host finds by name when it loads the module, and
// the creation function the palette calls when the user draws a data-query element.
#include "Geometry.h"

#include <memory>
#include <string>

class CDrawObject;

#define VEXOR_MODULE_EXPORT __attribute__((visibility("default")))

// The module's resource chain record: handed to the host by InitDrawObjectExtDLL.
struct CModuleResourceEntry {
    const void* instance = nullptr; // the module's load address
    std::string path;               // the library file
    bool system = false;            // linked into the host's chain as a system entry
};

extern "C" {
VEXOR_MODULE_EXPORT void DrawObjectRegister();
VEXOR_MODULE_EXPORT void DrawObjectUnregister();
VEXOR_MODULE_EXPORT void* InitDrawObjectExtDLL();
VEXOR_MODULE_EXPORT void ExitDrawObjectExtDLL();
}

namespace vexor_module {

inline constexpr const char* kIconResource = "VEXORQUERYOBJ";
inline constexpr LONG kNewElementWidth = 1020;
inline constexpr LONG kNewElementHeight = 695;

// A new data-query element at the drawn rectangle's top-left corner, always 1020 x 695.
VEXOR_MODULE_EXPORT std::unique_ptr<CDrawObject> CreateNew(const CRect& drawn);

// Module-wide values kept at load time.
struct ModuleState {
    const void* instance = nullptr;
    int moveCursor = 0;
    int resizeCursor = 0;
    CModuleResourceEntry resource;
    bool attached = false;
};
VEXOR_MODULE_EXPORT const ModuleState& State();

} // namespace vexor_module
