// A damaged display file either loads or says where it is damaged: every truncation and
// thousands of random byte changes of a real file, run under the address sanitizer in CI.
#include "DisplayTestSupport.h"

#include <gtest/gtest.h>

#include <random>

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
