#pragma once
// The element types the palette offers, the child-window ids handed to elements, and the
// element classes display files may name live in one place per process: the small shared
// library libvexor_host_registry.so. Host programs and plug-in modules both link it, so a
// type a module registers at load time is the one the host sees, however many static copies
// of the rest of the host core the process holds.
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

class CDrawObject;
struct CRect;

// The palette picture of an element type. Pictures are resources of the module; the core only
// carries their name and which module holds them, the window layer turns them into images.
struct CElementIcon {
    std::string resourceName;
    const void* module = nullptr; // the module's instance handle (its load address)
    friend bool operator==(const CElementIcon&, const CElementIcon&) = default;
};

// Where a module's picture lives among the window layer's resources: a module ships its
// picture under the prefix "/element-icons" with the resource name as alias, e.g.
// ":/element-icons/VEXORQUERYOBJ". The window layer prepends the ":" of its resource system.
inline std::string ElementIconResourcePath(const CElementIcon& icon) {
    return "/element-icons/" + icon.resourceName;
}

// Makes a new element where the user drew; the element decides its own size.
using CreateDrawObjectFn = std::unique_ptr<CDrawObject> (*)(const CRect& drawn);

struct CElementTypeInfo {
    std::string typeName; // UTF-8, as shown in the palette
    CElementIcon icon;
    CreateDrawObjectFn create = nullptr;
};

class CElementTypeRegistry {
public:
    static CElementTypeRegistry& Instance();

    // Adds a type, or replaces the one of the same name in its palette place. Returns true
    // when the name was new.
    bool Register(CElementTypeInfo info);
    bool Remove(std::string_view typeName);
    // Removes every type the predicate selects; returns their names.
    std::vector<std::string> RemoveIf(const std::function<bool(const CElementTypeInfo&)>& pred);

    bool Find(std::string_view typeName, CElementTypeInfo& info) const;
    // In the order the types were first registered.
    std::vector<CElementTypeInfo> Types() const;

private:
    mutable std::mutex m_mutex;
    std::vector<CElementTypeInfo> m_types;
};

// Child-window ids for the windows elements create. An id stays taken until its owner
// releases it; released ids are handed out again, lowest first.
class CUserWndRegistry {
public:
    static constexpr int kFirstId = 0x4000;

    static CUserWndRegistry& Instance();

    // requested 0 takes the lowest free id; a value from kFirstId up takes that id when it is
    // free, otherwise the lowest free one is given.
    int Register(const void* owner, int requested);
    // Only the owner of an id can release it.
    bool Unregister(const void* owner, int id);
    const void* OwnerOf(int id) const;
    std::size_t Count() const;

private:
    mutable std::mutex m_mutex;
    std::map<int, const void*> m_ids;
};
