// A damaged display file either loads or says where it is damaged: every truncation and
// thousands of random byte changes of a real file, run under the address sanitizer in CI.
#include "DisplayTestSupport.h"
#include "RuntimeClassRegistry.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <stdexcept>

namespace {

void ExpectLoadsOrReports(const std::vector<std::uint8_t>& bytes, const std::string& what) {
    CDisplayDocument doc;
    CDisplayLoadError error;
    if (doc.Load(bytes, error)) return;
    EXPECT_FALSE(error.message.empty()) << what;
    EXPECT_LE(error.offset, bytes.size()) << what;
    EXPECT_NE(error.message.find("byte offset"), std::string::npos) << what << ": " << error.message;
    EXPECT_TRUE(doc.m_objects.empty()) << what;
}

// An element whose reader fails with something other than a damaged archive, as a reader may
// when a stored count asks for more memory than there is.
class CGreedyObj : public CDrawObject {
public:
    static const CRuntimeClass kClass;
    const CRuntimeClass& GetRuntimeClass() const override { return kClass; }
    std::unique_ptr<CDrawObject> Duplicate() const override { return std::make_unique<CGreedyObj>(); }
    void Serialize(CArchive& ar) override {
        std::int32_t count = 0;
        ArchiveField(ar, count);
        if (ar.IsLoading() && count < 0) throw std::length_error("cannot make room for the stored count");
    }
};
const CRuntimeClass CGreedyObj::kClass{
    "CGreedyObj", 1, false, [] { return std::unique_ptr<CDrawObject>(std::make_unique<CGreedyObj>()); }};

} // namespace

TEST(DisplayRobustness, EveryTruncationIsReported) {
    auto bytes = SampleDisplay().Store();
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        std::vector<std::uint8_t> part(bytes.begin(), bytes.begin() + long(n));
        CDisplayDocument doc;
        CDisplayLoadError error;
        ASSERT_FALSE(doc.Load(part, error)) << "a file cut to " << n << " bytes loaded as if whole";
        EXPECT_LE(error.offset, n);
    }
}

TEST(DisplayRobustness, RandomByteChangesNeverCrash) {
    auto bytes = SampleDisplay().Store();
    std::mt19937 rng(20261207);
    std::uniform_int_distribution<std::size_t> where(0, bytes.size() - 1);
    std::uniform_int_distribution<int> value(0, 255), howMany(1, 8);
    for (int round = 0; round < 3000; ++round) {
        auto mutated = bytes;
        int changes = howMany(rng);
        for (int c = 0; c < changes; ++c)
            mutated[where(rng)] = std::uint8_t(value(rng));
        if (round % 5 == 0) { // lengths and counts are the dangerous bytes: set one to a huge value
            std::size_t at = where(rng);
            for (std::size_t k = at; k < std::min(at + 4, mutated.size()); ++k)
                mutated[k] = 0xFF;
        }
        ExpectLoadsOrReports(mutated, "round " + std::to_string(round));
    }
}

TEST(DisplayRobustness, DamagedClassNamesAndFailingReadersAreReportedWithTheirOffset) {
    // The first class name starts at byte 16: its length, then "CVexorQueryElemOBJ".
    auto bytes = SampleDisplay().Store();
    ASSERT_EQ(bytes[17], 'C');
    bytes[17 + 6] = 0;
    CDisplayDocument doc;
    CDisplayLoadError error;
    EXPECT_FALSE(doc.Load(bytes, error));
    EXPECT_EQ(error.offset, 16u);
    EXPECT_NE(error.message.find("(CVexor\\x00ueryElemOBJ)"), std::string::npos) << error.message;
    EXPECT_NE(error.message.find("at byte offset 16"), std::string::npos) << error.message;
    EXPECT_EQ(error.message.find('\0'), std::string::npos);

    CRuntimeClassRegistry::Instance().Register(CGreedyObj::kClass);
    CDisplayDocument greedy;
    greedy.m_objects.push_back(std::make_unique<CGreedyObj>());
    bytes = greedy.Store();
    bytes[bytes.size() - 1] = 0xFF; // the stored count becomes negative
    EXPECT_FALSE(doc.Load(bytes, error));
    CRuntimeClassRegistry::Instance().Unregister("CGreedyObj");
    EXPECT_EQ(error.offset, bytes.size());
    EXPECT_NE(error.message.find("cannot make room"), std::string::npos) << error.message;
    EXPECT_NE(error.message.find("byte offset"), std::string::npos) << error.message;
}

TEST(DisplayRobustness, OnlyRegularFilesAreRead) {
    const auto dir = std::filesystem::temp_directory_path() / ("vexor-notfile-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto pipe = (dir / "pipe.vxd").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    // A folder, an endless device and a pipe without a writer: refused at once, nothing read.
    for (const std::string& path : {dir.string(), std::string("/dev/zero"), pipe}) {
        CDisplayDocument doc = SampleDisplay();
        CDisplayLoadError error;
        EXPECT_FALSE(doc.LoadFile(path, error)) << path;
        EXPECT_NE(error.message.find("not a regular file"), std::string::npos) << error.message;
        EXPECT_EQ(doc.m_objects.size(), 2u);
    }
    std::filesystem::remove_all(dir);
}
