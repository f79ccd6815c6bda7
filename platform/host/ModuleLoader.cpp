#include "ModuleLoader.h"

#include "ElementTypeRegistry.h"
#include "RuntimeClassRegistry.h"

#include <algorithm>
#include <dlfcn.h>
#include <filesystem>
#include <link.h>
#include <system_error>

namespace fs = std::filesystem;

namespace {

struct DlCloser {
    void operator()(void* handle) const { dlclose(handle); }
};
using LibraryHandle = std::unique_ptr<void, DlCloser>;

using VoidFn = void (*)();
using InitFn = void* (*)();

std::string FileName(const std::string& path) {
    return fs::path(path).filename().string();
}

const link_map* LinkMapOf(void* handle) {
    link_map* map = nullptr;
    return dlinfo(handle, RTLD_DI_LINKMAP, &map) == 0 ? map : nullptr;
}

// True when the address lies in the library the link map describes.
bool IsInLibrary(const void* address, const link_map* library) {
    Dl_info info;
    link_map* owner = nullptr;
    if (!address || !library) return false;
    if (!dladdr1(address, &info, reinterpret_cast<void**>(&owner), RTLD_DL_LINKMAP)) return false;
    return owner == library;
}

// Removes the element types and classes whose code or records belong to the library.
void RemoveRegistrationsOf(void* handle) {
    const link_map* library = LinkMapOf(handle);
    if (!library) return;
    CElementTypeRegistry::Instance().RemoveIf([&](const CElementTypeInfo& t) {
        return IsInLibrary(reinterpret_cast<const void*>(t.create), library);
    });
    CRuntimeClassRegistry::Instance().RemoveIf([&](const CRuntimeClass& c) {
        return IsInLibrary(&c, library) || IsInLibrary(reinterpret_cast<const void*>(c.m_create), library);
    });
}

// Refuses a library: lets it unregister what it can, clears what it left and closes it.
void Refuse(LibraryHandle handle) {
    if (auto unregister = reinterpret_cast<VoidFn>(dlsym(handle.get(), "DrawObjectUnregister"))) unregister();
    RemoveRegistrationsOf(handle.get());
}

} // namespace

struct CModuleLoader::Module {
    std::string path;      // as given
    std::string canonical; // the file itself
    LibraryHandle handle;
    VoidFn drawObjectUnregister = nullptr;
    VoidFn exitExtension = nullptr;
};

CModuleLoader::CModuleLoader() = default;

CModuleLoader::~CModuleLoader() {
    while (!m_modules.empty()) {
        Unload(*m_modules.back());
        m_modules.pop_back();
    }
}

CModuleLoader::Module* CModuleLoader::FindModule(const std::string& pathOrName) const {
    std::error_code ec;
    fs::path canonical = fs::weakly_canonical(pathOrName, ec);
    for (const auto& m : m_modules) {
        if (m->path == pathOrName || FileName(m->path) == pathOrName || (!ec && m->canonical == canonical))
            return m.get();
    }
    return nullptr;
}

bool CModuleLoader::IsLoaded(const std::string& pathOrName) const {
    return FindModule(pathOrName) != nullptr;
}

std::vector<std::string> CModuleLoader::LoadedModules() const {
    std::vector<std::string> paths;
    for (const auto& m : m_modules)
        paths.push_back(m->path);
    return paths;
}

bool CModuleLoader::LoadModule(const std::string& path, std::string& error) {
    error.clear();
    const std::string name = FileName(path);
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        error = name + ": no such module file (" + path + ")";
        return false;
    }
    const std::string canonical = fs::canonical(path, ec).string();
    for (const auto& m : m_modules)
        if (m->canonical == canonical) return true;

    dlerror();
    LibraryHandle handle(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL));
    if (!handle) {
        const char* why = dlerror();
        error = name + ": cannot load: " + (why ? why : "unknown error");
        return false;
    }
    // Another path to a module already loaded: the loader hands back the same handle.
    for (const auto& m : m_modules)
        if (m->handle.get() == handle.get()) {
            handle.reset();
            return true;
        }

    std::vector<std::string> missing;
    void* symbols[std::size(kExports)] = {};
    for (std::size_t i = 0; i < std::size(kExports); ++i) {
        symbols[i] = dlsym(handle.get(), kExports[i]);
        if (!symbols[i]) missing.push_back(kExports[i]);
    }
    if (!missing.empty()) {
        error = name + (missing.size() == 1 ? ": missing export " : ": missing exports ");
        for (std::size_t i = 0; i < missing.size(); ++i)
            error += (i ? ", " : "") + missing[i];
        Refuse(std::move(handle));
        return false;
    }

    auto module = std::make_unique<Module>();
    module->path = path;
    module->canonical = canonical;
    module->drawObjectUnregister = reinterpret_cast<VoidFn>(symbols[1]);
    module->exitExtension = reinterpret_cast<VoidFn>(symbols[3]);
    if (!reinterpret_cast<InitFn>(symbols[2])()) {
        error = name + ": InitDrawObjectExtDLL failed";
        Refuse(std::move(handle));
        return false;
    }
    // The library registers itself when it is first mapped. A library that holds unique
    // symbols stays mapped after dlclose, so a later load would find it resident with its
    // registrations already removed: register explicitly (by name, so never twice).
    reinterpret_cast<VoidFn>(symbols[0])();
    module->handle = std::move(handle);
    m_modules.push_back(std::move(module));
    return true;
}

void CModuleLoader::Unload(Module& module) {
    module.exitExtension();
    module.drawObjectUnregister();
    RemoveRegistrationsOf(module.handle.get());
    module.handle.reset();
}

bool CModuleLoader::UnloadModule(const std::string& pathOrName) {
    Module* module = FindModule(pathOrName);
    if (!module) return false;
    Unload(*module);
    std::erase_if(m_modules, [&](const auto& m) { return m.get() == module; });
    return true;
}

CModuleLoader::ScanReport CModuleLoader::LoadModulesFrom(const std::string& folder) {
    ScanReport report;
    std::error_code ec;
    std::vector<std::string> candidates;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string file = it->path().filename().string();
        if (file.starts_with("lib") && file.ends_with("Obj.so")) candidates.push_back(it->path().string());
    }
    if (ec) {
        report.errors.push_back(folder + ": cannot read plug-in folder: " + ec.message());
        return report;
    }
    std::sort(candidates.begin(), candidates.end());
    for (const std::string& path : candidates) {
        std::string error;
        if (LoadModule(path, error))
            report.loaded.push_back(path);
        else
            report.errors.push_back(error);
    }
    return report;
}
