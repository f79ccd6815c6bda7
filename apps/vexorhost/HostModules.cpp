#include "HostModules.h"

#include <cstdlib>
#include <sstream>

std::vector<std::string> HostModules::PluginFolders(const std::string& executableDir) {
    std::vector<std::string> folders{executableDir + "/plugins"};
    if (const char* extra = std::getenv("VEXORHOST_PLUGINS")) {
        std::istringstream list(extra);
        for (std::string folder; std::getline(list, folder, ':');)
            if (!folder.empty()) folders.push_back(folder);
    }
    return folders;
}

HostModules::Report HostModules::Load(const std::vector<std::string>& folders,
                                      const std::vector<std::string>& files) {
    Report report;
    for (const std::string& folder : folders) {
        CModuleLoader::ScanReport scan = m_loader.LoadModulesFrom(folder);
        report.loaded.insert(report.loaded.end(), scan.loaded.begin(), scan.loaded.end());
        report.errors.insert(report.errors.end(), scan.errors.begin(), scan.errors.end());
    }
    for (const std::string& file : files) {
        std::string error;
        if (m_loader.LoadModule(file, error))
            report.loaded.push_back(file);
        else
            report.errors.push_back(error);
    }
    return report;
}
