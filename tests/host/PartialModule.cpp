// A module that registers an element type and a class as it loads but lacks the extension
// exports, and whose DrawObjectUnregister forgets to remove what it registered.
#include "DrawObject.h"
#include "ElementTypeRegistry.h"
#include "RuntimeClassRegistry.h"

namespace {

class CPartialObj : public CRectObj {
public:
    static const CRuntimeClass classCPartialObj;
    const CRuntimeClass& GetRuntimeClass() const override { return classCPartialObj; }
    std::unique_ptr<CDrawObject> Duplicate() const override { return std::make_unique<CPartialObj>(); }
};

std::unique_ptr<CDrawObject> CreateEmpty() {
    return std::make_unique<CPartialObj>();
}

std::unique_ptr<CDrawObject> CreateNew(const CRect& drawn) {
    auto element = std::make_unique<CPartialObj>();
    element->m_rect = drawn;
    return element;
}

const CRuntimeClass CPartialObj::classCPartialObj = {"CPartialObj", 1, false, CreateEmpty};

} // namespace

extern "C" __attribute__((visibility("default"))) void DrawObjectRegister() {
    CDrawObject::RegisterObject("残缺元件", {"PARTIALOBJ", nullptr}, &CreateNew);
}

extern "C" __attribute__((visibility("default"))) void DrawObjectUnregister() {}

namespace {

struct Lifetime {
    Lifetime() {
        CRuntimeClassRegistry::Instance().Register(CPartialObj::classCPartialObj);
        DrawObjectRegister();
    }
};
const Lifetime g_lifetime;

} // namespace
