#include "RuntimeClassRegistry.h"

CRuntimeClassRegistry& CRuntimeClassRegistry::Instance() {
    static CRuntimeClassRegistry registry;
    return registry;
}

const CRuntimeClass* CRuntimeClassRegistry::Find(const std::string& className) const {
    auto it = m_classes.find(className);
    return it == m_classes.end() ? nullptr : it->second;
}
