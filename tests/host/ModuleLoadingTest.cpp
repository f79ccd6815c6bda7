// The real libVexorQueryObj.so loaded the way the host loads it, next to libraries that are
// not proper modules.
#include "DisplayDocument.h"
#include "ElementTypeRegistry.h"
#include "ModuleLoader.h"
#include "RuntimeClassRegistry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const char* const kTypeName = "数据查询";
const char* const kClassName = "CVexorQueryElemOBJ";

bool TypeRegistered(const std::string& name) {
    CElementTypeInfo info;
    return CElementTypeRegistry::Instance().Find(name, info);
}

long CountTypes(const std::string& name) {
    auto types = CElementTypeRegistry::Instance().Types();
    return std::count_if(types.begin(), types.end(), [&](const auto& t) { return t.typeName == name; });
}

// A plug-in folder of its own for each test, removed afterwards.
class PluginFolder {
public:
    PluginFolder() {
        m_path = fs::temp_directory_path() /
                 ("vexor-plugins-" + std::to_string(::getpid()) + "-" + std::to_string(s_next++));
        fs::create_directories(m_path);
    }
    ~PluginFolder() {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    std::string Link(const std::string& target, const std::string& name) const {
        fs::create_symlink(target, m_path / name);
        return (m_path / name).string();
    }
    std::string Path() const { return m_path.string(); }

private:
    static inline int s_next = 0;
    fs::path m_path;
};

class ModuleLoading : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_FALSE(TypeRegistered(kTypeName)) << "a test left the module loaded"; }
    // Declared before anything a test creates through the module, so elements go first.
    CModuleLoader m_loader;
};

TEST_F(ModuleLoading, LoadingRegistersTheElementTypeAndItsClass) {
    ASSERT_FALSE(TypeRegistered(kTypeName));
    ASSERT_EQ(CRuntimeClassRegistry::Instance().Find(kClassName), nullptr);

    std::string error;
    ASSERT_TRUE(m_loader.LoadModule(VEXOR_QUERY_MODULE, error)) << error;
    EXPECT_TRUE(error.empty());

    CElementTypeInfo info;
    ASSERT_TRUE(CElementTypeRegistry::Instance().Find(kTypeName, info));
    EXPECT_EQ(info.icon.resourceName, "VEXORQUERYOBJ");
    EXPECT_NE(info.icon.module, nullptr);
    ASSERT_NE(info.create, nullptr);
    const CRuntimeClass* cls = CRuntimeClassRegistry::Instance().Find(kClassName);
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(cls->m_schema, 1u);
    EXPECT_TRUE(cls->m_versionable);

    EXPECT_TRUE(m_loader.UnloadModule("libVexorQueryObj.so"));
    EXPECT_FALSE(TypeRegistered(kTypeName));
    EXPECT_EQ(CRuntimeClassRegistry::Instance().Find(kClassName), nullptr);
    EXPECT_FALSE(m_loader.UnloadModule("libVexorQueryObj.so"));
}

TEST_F(ModuleLoading, DrawnElementsAreAlways1020By695AtTheDrawnCorner) {
    std::string error;
    ASSERT_TRUE(m_loader.LoadModule(VEXOR_QUERY_MODULE, error)) << error;
    CElementTypeInfo info;
    ASSERT_TRUE(CElementTypeRegistry::Instance().Find(kTypeName, info));

    const CRect dragged[] = {CRect(10, 20, 110, 70), CRect(0, 0, 0, 0), CRect(-300, -40, 5000, 9000),
                             CRect(500, 600, 400, 550)};
    for (const CRect& r : dragged) {
        std::unique_ptr<CDrawObject> element = info.create(r);
        ASSERT_NE(element, nullptr);
        EXPECT_EQ(element->m_rect, CRect(r.left, r.top, r.left + 1020, r.top + 695))
            << r.left << "," << r.top << " " << r.right << "," << r.bottom;
        EXPECT_EQ(element->m_typeName.str(), kTypeName);
        EXPECT_STREQ(element->GetRuntimeClass().m_className, kClassName);
    }
    m_loader.UnloadModule(VEXOR_QUERY_MODULE);
}

TEST_F(ModuleLoading, DisplayFilesFindTheClassOnlyWhileTheModuleIsLoaded) {
    std::string error;
    ASSERT_TRUE(m_loader.LoadModule(VEXOR_QUERY_MODULE, error)) << error;
    std::vector<std::uint8_t> bytes;
    {
        CElementTypeInfo info;
        ASSERT_TRUE(CElementTypeRegistry::Instance().Find(kTypeName, info));
        CDisplayDocument doc;
        doc.m_objects.push_back(info.create(CRect(40, 50, 60, 70)));
        bytes = doc.Store();

        CDisplayDocument back;
        CDisplayLoadError loadError;
        ASSERT_TRUE(back.Load(bytes, loadError)) << loadError.message;
        ASSERT_EQ(back.m_objects.size(), 1u);
        EXPECT_STREQ(back.m_objects[0]->GetRuntimeClass().m_className, kClassName);
        EXPECT_EQ(back.m_objects[0]->m_rect, CRect(40, 50, 1060, 745));
        EXPECT_EQ(dynamic_cast<CUnknownDrawObject*>(back.m_objects[0].get()), nullptr);
    }
    ASSERT_TRUE(m_loader.UnloadModule(VEXOR_QUERY_MODULE));

    // Without the module the element is kept as stored bytes, not made from unmapped code.
    CDisplayDocument without;
    CDisplayLoadError loadError;
    ASSERT_TRUE(without.Load(bytes, loadError)) << loadError.message;
    ASSERT_EQ(without.m_objects.size(), 1u);
    EXPECT_NE(dynamic_cast<CUnknownDrawObject*>(without.m_objects[0].get()), nullptr);
    EXPECT_EQ(without.Store(), bytes);
}

TEST_F(ModuleLoading, LoadingTwiceRegistersOnce) {
    PluginFolder folder;
    std::string other = folder.Link(VEXOR_QUERY_MODULE, "libVexorQueryObj.so");
    std::string error;
    ASSERT_TRUE(m_loader.LoadModule(VEXOR_QUERY_MODULE, error)) << error;
    ASSERT_TRUE(m_loader.LoadModule(VEXOR_QUERY_MODULE, error)) << error;
    ASSERT_TRUE(m_loader.LoadModule(other, error)) << error;
    EXPECT_EQ(CountTypes(kTypeName), 1);
    EXPECT_EQ(m_loader.LoadedModules().size(), 1u);

    // One unload is enough to take it away again.
    ASSERT_TRUE(m_loader.UnloadModule(other));
    EXPECT_FALSE(TypeRegistered(kTypeName));
    EXPECT_TRUE(m_loader.LoadedModules().empty());
}

TEST_F(ModuleLoading, ReloadingAfterAnUnloadRegistersAgain) {
    // The library may stay mapped after it is closed; a new load must still bring it back.
    for (int round = 0; round < 3; ++round) {
        std::string error;
        ASSERT_TRUE(m_loader.LoadModule(VEXOR_QUERY_MODULE, error)) << error;
        EXPECT_EQ(CountTypes(kTypeName), 1) << "round " << round;
        EXPECT_NE(CRuntimeClassRegistry::Instance().Find(kClassName), nullptr) << "round " << round;
        ASSERT_TRUE(m_loader.UnloadModule(VEXOR_QUERY_MODULE));
        EXPECT_FALSE(TypeRegistered(kTypeName));
    }
}

TEST_F(ModuleLoading, TheLoaderUnloadsWhatIsLeftWhenItGoes) {
    {
        CModuleLoader loader;
        std::string error;
        ASSERT_TRUE(loader.LoadModule(VEXOR_QUERY_MODULE, error)) << error;
        ASSERT_TRUE(TypeRegistered(kTypeName));
    }
    EXPECT_FALSE(TypeRegistered(kTypeName));
    EXPECT_EQ(CRuntimeClassRegistry::Instance().Find(kClassName), nullptr);
}

TEST_F(ModuleLoading, LibrariesThatAreNotModulesAreRefusedByName) {
    const auto typesBefore = CElementTypeRegistry::Instance().Types().size();
    std::string error;

    EXPECT_FALSE(m_loader.LoadModule(NO_EXPORTS_MODULE, error));
    EXPECT_EQ(error, "libNoExportsObj.so: missing exports DrawObjectRegister, DrawObjectUnregister, "
                     "InitDrawObjectExtDLL, ExitDrawObjectExtDLL");

    // Registered itself while loading and forgets to unregister: nothing of it may stay.
    EXPECT_FALSE(m_loader.LoadModule(PARTIAL_MODULE, error));
    EXPECT_EQ(error, "libPartialObj.so: missing exports InitDrawObjectExtDLL, ExitDrawObjectExtDLL");
    EXPECT_FALSE(TypeRegistered("残缺元件"));
    EXPECT_EQ(CRuntimeClassRegistry::Instance().Find("CPartialObj"), nullptr);

    PluginFolder folder;
    const std::string gone = folder.Path() + "/libGoneObj.so";
    EXPECT_FALSE(m_loader.LoadModule(gone, error));
    EXPECT_EQ(error, "libGoneObj.so: no such module file (" + gone + ")");

    // A file that is not a library at all.
    const std::string junk = folder.Path() + "/libJunkObj.so";
    std::ofstream(junk) << "not a library";
    EXPECT_FALSE(m_loader.LoadModule(junk, error));
    EXPECT_EQ(error.rfind("libJunkObj.so: cannot load: ", 0), 0u) << error;

    EXPECT_TRUE(m_loader.LoadedModules().empty());
    EXPECT_EQ(CElementTypeRegistry::Instance().Types().size(), typesBefore);
}

TEST_F(ModuleLoading, AFolderScanLoadsTheGoodModulesAndReportsTheRest) {
    PluginFolder folder;
    const std::string good = folder.Link(VEXOR_QUERY_MODULE, "libVexorQueryObj.so");
    folder.Link(NO_EXPORTS_MODULE, "libNoExportsObj.so");
    folder.Link(PARTIAL_MODULE, "libAPartialObj.so");
    folder.Link(NO_EXPORTS_MODULE, "libNotAModule.so"); // not named like a module: left alone
    std::ofstream(folder.Path() + "/README") << "plug-ins";

    CModuleLoader::ScanReport report = m_loader.LoadModulesFrom(folder.Path());
    EXPECT_EQ(report.loaded, std::vector<std::string>{good});
    ASSERT_EQ(report.errors.size(), 2u);
    EXPECT_EQ(report.errors[0].rfind("libAPartialObj.so: missing exports", 0), 0u) << report.errors[0];
    EXPECT_EQ(report.errors[1].rfind("libNoExportsObj.so: missing exports", 0), 0u) << report.errors[1];
    EXPECT_TRUE(TypeRegistered(kTypeName));
    EXPECT_FALSE(TypeRegistered("残缺元件"));
    m_loader.UnloadModule(good);

    report = m_loader.LoadModulesFrom(folder.Path() + "/absent");
    EXPECT_TRUE(report.loaded.empty());
    ASSERT_EQ(report.errors.size(), 1u);
    EXPECT_NE(report.errors[0].find("absent"), std::string::npos);
}

} // namespace
