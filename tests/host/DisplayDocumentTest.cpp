// Display files: several elements of the right classes, elements of modules that are not
// loaded, the stored layout, a file written by an earlier build, and saving without ever
// leaving half a file.
#include "DisplayTestSupport.h"
#include "RuntimeClassRegistry.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

CVexorQueryElemOBJ& Element(const CDisplayDocument& doc, std::size_t i) {
    return dynamic_cast<CVexorQueryElemOBJ&>(*doc.m_objects.at(i));
}

std::filesystem::path TempDir() {
    auto dir = std::filesystem::temp_directory_path() /
               ("vexor-display-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

} // namespace

TEST(DisplayDocument, ElementsLoadBackIntoTheirClassesInOrder) {
    CDisplayDocument doc = SampleDisplay();
    CDisplayDocument back;
    CDisplayLoadError error;
    ASSERT_TRUE(back.Load(doc.Store(), error)) << error.message;
    ASSERT_EQ(back.m_objects.size(), 2u);
    EXPECT_TRUE(Element(back, 0).m_queryOptions == Element(doc, 0).m_queryOptions);
    EXPECT_TRUE(Element(back, 0).m_querySettings == Element(doc, 0).m_querySettings);
    EXPECT_EQ(Element(back, 1).m_querySettings.m_tableName, "RAIN_HOUR");
    EXPECT_EQ(Element(back, 1).m_rect, CRect(0, 800, 1020, 1495));
    EXPECT_EQ(back.Store(), doc.Store());
}

TEST(DisplayDocument, ElementsOfAMissingModuleAreKeptVerbatim) {
    CDisplayDocument doc = SampleDisplay();
    auto bytes = doc.Store();

    UnregisterVexorQueryElementClass();
    CDisplayDocument without;
    CDisplayLoadError error;
    ASSERT_TRUE(without.Load(bytes, error)) << error.message;
    ASSERT_EQ(without.m_objects.size(), 2u);
    EXPECT_NE(dynamic_cast<CUnknownDrawObject*>(without.m_objects[0].get()), nullptr);
    EXPECT_EQ(without.Store(), bytes); // saving without the module loses nothing

    EnsureElementClassRegistered();
    CDisplayDocument with;
    ASSERT_TRUE(with.Load(without.Store(), error)) << error.message;
    EXPECT_TRUE(Element(with, 0).m_windowSettings == Element(doc, 0).m_windowSettings);
}

TEST(DisplayDocument, StoredLayoutNamesClassAndSchema) {
    EnsureElementClassRegistered();
    CDisplayDocument doc;
    doc.m_objects.push_back(std::make_unique<CVexorQueryElemOBJ>());
    auto bytes = doc.Store();
    const std::string head(bytes.begin(), bytes.begin() + 8);
    EXPECT_EQ(head, "VEXORDSP");
    const std::vector<std::uint8_t> expected = {1,   0,   0,   0, // format version
                                                1,   0,   0,   0, // one element
                                                18,  'C', 'V', 'e', 'x', 'o', 'r', 'Q', 'u', 'e',
                                                'r', 'y', 'E', 'l', 'e', 'm', 'O', 'B', 'J', //
                                                1,   0,   0,   0};                           // schema 1
    ASSERT_GE(bytes.size(), 8 + expected.size() + 4);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), bytes.begin() + 8));
    std::uint32_t length = bytes[39] | bytes[40] << 8 | bytes[41] << 16 | std::uint32_t(bytes[42]) << 24;
    EXPECT_EQ(length, bytes.size() - 43);
}

TEST(DisplayDocument, NewerSchemaIsRefusedWithItsOffset) {
    EnsureElementClassRegistered();
    CDisplayDocument doc;
    doc.m_objects.push_back(std::make_unique<CVexorQueryElemOBJ>());
    auto bytes = doc.Store();
    bytes[35] = 2; // schema 2, written by a later version
    CDisplayDocument back;
    CDisplayLoadError error;
    EXPECT_FALSE(back.Load(bytes, error));
    EXPECT_EQ(error.offset, 35u);
    EXPECT_NE(error.message.find("schema 2"), std::string::npos) << error.message;
}

TEST(DisplayDocument, SaveReplacesWholeFilesOrNothing) {
    auto dir = TempDir();
    CDisplayDocument doc = SampleDisplay();
    std::string error;
    auto path = (dir / "厂站.vxd").string();
    ASSERT_TRUE(doc.SaveFile(path, error)) << error;

    CDisplayDocument back;
    CDisplayLoadError loadError;
    ASSERT_TRUE(back.LoadFile(path, loadError)) << loadError.message;
    EXPECT_EQ(back.m_objects.size(), 2u);

    // A save that cannot be written reports it and leaves the earlier file as it was.
    std::filesystem::permissions(dir,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    bool canStillWrite = std::ofstream(dir / "probe").good(); // root ignores permissions
    back.m_objects.pop_back();
    if (!canStillWrite) {
        EXPECT_FALSE(back.SaveFile(path, error));
        EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
    }
    std::filesystem::permissions(dir, std::filesystem::perms::owner_all);
    EXPECT_FALSE(back.SaveFile((dir / "no-such-folder" / "x.vxd").string(), error));
    EXPECT_FALSE(std::filesystem::exists(dir / "no-such-folder"));

    CDisplayDocument again;
    ASSERT_TRUE(again.LoadFile(path, loadError)) << loadError.message;
    EXPECT_EQ(again.m_objects.size(), canStillWrite ? 2u : 2u);
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        EXPECT_EQ(entry.path().extension(), entry.path().filename() == "probe" ? "" : ".vxd") << entry.path();
    std::filesystem::remove_all(dir);
}

TEST(DisplayDocument, SavingFollowsNoLinkAndFailsWhole) {
    auto dir = TempDir();
    const auto path = (dir / "plant.vxd").string();
    std::ofstream(dir / "victim") << "someone else's file";
    // A link waiting under a name a save might use beside the target.
    std::filesystem::create_symlink(dir / "victim", path + ".saving");
    std::string error;
    ASSERT_TRUE(SampleDisplay().SaveFile(path, error)) << error;
    std::ifstream victim(dir / "victim");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(victim), {}), "someone else's file");

    // A save that hits the file size limit says so and keeps the earlier display.
    rlimit previous{};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    auto signal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lower = previous;
    lower.rlim_cur = 64;
    ::setrlimit(RLIMIT_FSIZE, &lower);
    CDisplayDocument bigger = SampleDisplay();
    bigger.m_objects.push_back(bigger.m_objects.front()->Duplicate());
    EXPECT_FALSE(bigger.SaveFile(path, error));
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, signal);
    EXPECT_NE(error.find("File too large"), std::string::npos) << error;
    CDisplayDocument back;
    CDisplayLoadError loadError;
    ASSERT_TRUE(back.LoadFile(path, loadError)) << loadError.message;
    EXPECT_EQ(back.m_objects.size(), 2u);
    std::size_t names = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir))
        ++names;
    EXPECT_EQ(names, 3u); // the display, the victim and the planted link
    std::filesystem::remove_all(dir);
}

TEST(DisplayDocument, MissingOrForeignFilesAreReportedNotLoaded) {
    auto dir = TempDir();
    CDisplayDocument doc = SampleDisplay();
    CDisplayLoadError error;
    EXPECT_FALSE(doc.LoadFile((dir / "absent.vxd").string(), error));
    EXPECT_NE(error.message.find("cannot open"), std::string::npos);
    EXPECT_EQ(doc.m_objects.size(), 2u); // a failed load leaves the document as it was

    std::ofstream(dir / "notes.txt") << "not a display";
    EXPECT_FALSE(doc.LoadFile((dir / "notes.txt").string(), error));
    EXPECT_NE(error.message.find("not a display file"), std::string::npos) << error.message;
    std::filesystem::remove_all(dir);
}

// The demo display as an earlier build wrote it, its second element with the six query fields
// the window string carries set away from their defaults: every element loads with them and
// the file is stored again byte for byte.
TEST(DisplayDocument, AFileOfAnEarlierBuildLoadsAndStoresByteForByte) {
    EnsureElementClassRegistered();
    std::ifstream in(STORED_DEMO_DISPLAY, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    ASSERT_GT(bytes.size(), 1000u);
    CDisplayDocument doc;
    CDisplayLoadError error;
    ASSERT_TRUE(doc.Load(bytes, error)) << error.message;
    ASSERT_EQ(doc.m_objects.size(), 9u);
    const CQuerySettings& q = Element(doc, 1).m_querySettings;
    EXPECT_EQ(q.m_queryStyle, kStyleMenu);
    EXPECT_EQ(q.m_dynamicTime, 0);
    EXPECT_EQ(q.m_timeTypeIndex, kTimeTenDay);
    EXPECT_EQ(q.m_timeInterval, 77);
    EXPECT_EQ(q.m_advanced, 1);
    EXPECT_EQ(q.m_timeOffset, -5);
    EXPECT_TRUE(doc.Store() == bytes);
}
