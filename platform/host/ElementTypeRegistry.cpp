#include "ElementTypeRegistry.h"

#include <algorithm>

CElementTypeRegistry& CElementTypeRegistry::Instance() {
    static CElementTypeRegistry registry;
    return registry;
}

bool CElementTypeRegistry::Register(CElementTypeInfo info) {
    std::lock_guard lock(m_mutex);
    auto it = std::find_if(m_types.begin(), m_types.end(),
                           [&](const CElementTypeInfo& t) { return t.typeName == info.typeName; });
    if (it != m_types.end()) {
        *it = std::move(info);
        return false;
    }
    m_types.push_back(std::move(info));
    return true;
}

bool CElementTypeRegistry::Remove(std::string_view typeName) {
    return !RemoveIf([&](const CElementTypeInfo& t) { return t.typeName == typeName; }).empty();
}

std::vector<std::string>
CElementTypeRegistry::RemoveIf(const std::function<bool(const CElementTypeInfo&)>& pred) {
    std::lock_guard lock(m_mutex);
    std::vector<std::string> removed;
    std::erase_if(m_types, [&](const CElementTypeInfo& t) {
        if (!pred(t)) return false;
        removed.push_back(t.typeName);
        return true;
    });
    return removed;
}

bool CElementTypeRegistry::Find(std::string_view typeName, CElementTypeInfo& info) const {
    std::lock_guard lock(m_mutex);
    for (const CElementTypeInfo& t : m_types) {
        if (t.typeName == typeName) {
            info = t;
            return true;
        }
    }
    return false;
}

std::vector<CElementTypeInfo> CElementTypeRegistry::Types() const {
    std::lock_guard lock(m_mutex);
    return m_types;
}

CUserWndRegistry& CUserWndRegistry::Instance() {
    static CUserWndRegistry registry;
    return registry;
}

int CUserWndRegistry::Register(const void* owner, int requested) {
    std::lock_guard lock(m_mutex);
    if (requested >= kFirstId && !m_ids.contains(requested)) {
        m_ids.emplace(requested, owner);
        return requested;
    }
    int id = kFirstId;
    for (const auto& [taken, _] : m_ids) {
        if (taken > id) break;
        if (taken == id) ++id;
    }
    m_ids.emplace(id, owner);
    return id;
}

bool CUserWndRegistry::Unregister(const void* owner, int id) {
    std::lock_guard lock(m_mutex);
    auto it = m_ids.find(id);
    if (it == m_ids.end() || it->second != owner) return false;
    m_ids.erase(it);
    return true;
}

const void* CUserWndRegistry::OwnerOf(int id) const {
    std::lock_guard lock(m_mutex);
    auto it = m_ids.find(id);
    return it == m_ids.end() ? nullptr : it->second;
}

std::size_t CUserWndRegistry::Count() const {
    std::lock_guard lock(m_mutex);
    return m_ids.size();
}
