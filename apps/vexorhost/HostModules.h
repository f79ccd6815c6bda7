#pragma once
// The plug-in modules of the host. At start it loads every module (lib*Obj.so) of the plug-in
// folders: "plugins" beside the executable, where the build places libVexorQueryObj.so, then
// the folders listed in VEXORHOST_PLUGINS (separated by ':'), then each file given with
// --module. A module that is missing, cannot be opened or lacks an export is reported by name
// and the host runs on without it. Unloading happens when this object goes, so it must outlive
// every element the modules made.
#include "ModuleLoader.h"

#include <string>
#include <vector>

class HostModules {
public:
    struct Report {
        std::vector<std::string> loaded; // module paths
        std::vector<std::string> errors; // one message per folder or module refused
    };

    // The plug-in folders in the order they are scanned.
    static std::vector<std::string> PluginFolders(const std::string& executableDir);

    Report Load(const std::vector<std::string>& folders, const std::vector<std::string>& files);
    CModuleLoader& Loader() { return m_loader; }

private:
    CModuleLoader m_loader;
};
