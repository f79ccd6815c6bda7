#pragma once
// Plug-in modules: shared libraries named lib*Obj.so that add element types to the host.
// Loading a module runs its load-time initialisation (which registers its types and classes),
// checks that it has every export a module must have, calls InitDrawObjectExtDLL and then
// DrawObjectRegister, which must be safe to call again (registration is by name). A module
// that is missing, cannot be opened or lacks an export is refused with a message naming it,
// and whatever it registered while loading is removed again.
#include <memory>
#include <string>
#include <vector>

class CModuleLoader {
public:
    static constexpr const char* kExports[] = {"DrawObjectRegister", "DrawObjectUnregister",
                                               "InitDrawObjectExtDLL", "ExitDrawObjectExtDLL"};

    struct ScanReport {
        std::vector<std::string> loaded; // paths
        std::vector<std::string> errors; // one message per refused module
    };

    CModuleLoader();
    ~CModuleLoader(); // unloads every module, last loaded first
    CModuleLoader(const CModuleLoader&) = delete;
    CModuleLoader& operator=(const CModuleLoader&) = delete;

    // Loading a module that is already loaded (by any path to the same file) succeeds and
    // changes nothing.
    bool LoadModule(const std::string& path, std::string& error);
    // By the path it was loaded with, or its file name. Element types and classes still
    // registered from the module's code are removed before the library is closed, so none
    // is left pointing into unmapped code. Elements the module created must be gone by then.
    bool UnloadModule(const std::string& pathOrName);
    // Loads every lib*Obj.so of the folder in name order; failures are reported and skipped.
    ScanReport LoadModulesFrom(const std::string& folder);

    bool IsLoaded(const std::string& pathOrName) const;
    std::vector<std::string> LoadedModules() const;

private:
    struct Module;
    std::vector<std::unique_ptr<Module>> m_modules;

    Module* FindModule(const std::string& pathOrName) const;
    void Unload(Module& module);
};
