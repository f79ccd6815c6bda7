#pragma once
// The element classes a display file may name, found by class name when a display loads.
// Modules add their classes when they load and remove them when they unload. The one registry
// of the process lives in libvexor_host_registry.so (see ElementTypeRegistry.h).
#include "DrawObject.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

class CRuntimeClassRegistry {
public:
    static CRuntimeClassRegistry& Instance();

    void Register(const CRuntimeClass& cls) { m_classes[cls.m_className] = &cls; }
    void Unregister(const std::string& className) { m_classes.erase(className); }
    const CRuntimeClass* Find(const std::string& className) const;
    // Removes every class the predicate selects; returns their names.
    std::vector<std::string> RemoveIf(const std::function<bool(const CRuntimeClass&)>& pred);

private:
    std::map<std::string, const CRuntimeClass*> m_classes; // the records live in the modules
};
