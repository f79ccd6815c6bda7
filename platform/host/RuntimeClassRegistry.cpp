#include "RuntimeClassRegistry.h"

CRuntimeClassRegistry& CRuntimeClassRegistry::Instance() {
    static CRuntimeClassRegistry registry;
    return registry;
}

const CRuntimeClass* CRuntimeClassRegistry::Find(const std::string& className) const {
    auto it = m_classes.find(className);
    return it == m_classes.end() ? nullptr : it->second;
}

std::vector<std::string>
CRuntimeClassRegistry::RemoveIf(const std::function<bool(const CRuntimeClass&)>& pred) {
    std::vector<std::string> removed;
    std::erase_if(m_classes, [&](const auto& entry) {
        if (!pred(*entry.second)) return false;
        removed.push_back(entry.first);
        return true;
    });
    return removed;
}
