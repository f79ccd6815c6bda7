// The host's module loading: plug-in folders and --module files through dlopen, refusals by
// name without stopping, the palette with the module's own picture, and unloading at the end.
#include "HostModules.h"
#include "ElementPalette.h"
#include "ElementTypeRegistry.h"
#include "HostTestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

bool TypeRegistered(const std::string& name) {
    CElementTypeInfo info;
    return CElementTypeRegistry::Instance().Find(name, info);
}

class PluginFolder {
public:
    explicit PluginFolder(const std::string& tag)
        : m_path(fs::temp_directory_path() / ("vexorhost-" + tag + "-" + std::to_string(getpid()))) {
        fs::remove_all(m_path);
        fs::create_directories(m_path);
    }
    ~PluginFolder() { fs::remove_all(m_path); }
    void Link(const char* target, const char* name) const { fs::create_symlink(target, m_path / name); }
    std::string Path() const { return m_path.string(); }

private:
    fs::path m_path;
};

TEST(HostModules, FoldersAndFilesLoadWhatTheyCanAndNameWhatTheyRefuse) {
    PluginFolder folder("plugins");
    folder.Link(VEXOR_QUERY_MODULE, "libVexorQueryObj.so");
    folder.Link(NO_EXPORTS_MODULE, "libNoExportsObj.so");
    {
        HostModules modules;
        const HostModules::Report report =
            modules.Load({folder.Path(), folder.Path() + "/missing"}, {folder.Path() + "/libGoneObj.so"});
        ASSERT_EQ(report.loaded.size(), 1u);
        EXPECT_EQ(fs::path(report.loaded[0]).filename(), "libVexorQueryObj.so");
        ASSERT_EQ(report.errors.size(), 3u);
        EXPECT_EQ(report.errors[0].rfind("libNoExportsObj.so: missing exports DrawObjectRegister", 0), 0u)
            << report.errors[0];
        EXPECT_NE(report.errors[1].find("missing"), std::string::npos) << report.errors[1];
        EXPECT_EQ(report.errors[2].rfind("libGoneObj.so: no such module file", 0), 0u) << report.errors[2];
        EXPECT_TRUE(TypeRegistered("数据查询"));

        // The palette shows the type with the picture the module carries.
        CElementTypeInfo info;
        ASSERT_TRUE(CElementTypeRegistry::Instance().Find("数据查询", info));
        EXPECT_TRUE(QFile::exists(":" + QString::fromStdString(ElementIconResourcePath(info.icon))));
        DisplayView view;
        ElementPalette palette(view);
        const auto items = palette.findItems("数据查询", Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        EXPECT_FALSE(items[0]->icon().pixmap(32, 32).isNull());
        palette.itemClicked(items[0]);
        EXPECT_EQ(view.CreateType(), "数据查询");
    }
    EXPECT_FALSE(TypeRegistered("数据查询")) << "unloaded with the host's module set";
}

TEST(HostModules, PluginFoldersAreBesideTheExecutableThenFromTheEnvironment) {
    const char* saved = std::getenv("VEXORHOST_PLUGINS");
    const std::string keep = saved ? saved : "";
    setenv("VEXORHOST_PLUGINS", "/opt/a::/opt/b", 1);
    EXPECT_EQ(HostModules::PluginFolders("/usr/lib/vexor"),
              (std::vector<std::string>{"/usr/lib/vexor/plugins", "/opt/a", "/opt/b"}));
    unsetenv("VEXORHOST_PLUGINS");
    EXPECT_EQ(HostModules::PluginFolders("/x"), std::vector<std::string>{"/x/plugins"});
    if (saved) setenv("VEXORHOST_PLUGINS", keep.c_str(), 1);
}

} // namespace
