// Storing and loading the element through a display file's archive, and duplicating it.
#include "ElementFixtures.h"
#include "StubWindows.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::uint8_t> Store(CVexorQueryElemOBJ& e) {
    CArchive ar;
    e.Serialize(ar);
    return ar.Bytes();
}

std::unique_ptr<CVexorQueryElemOBJ> Load(std::vector<std::uint8_t> bytes) {
    auto e = std::make_unique<CVexorQueryElemOBJ>();
    CArchive ar(std::move(bytes));
    e->Serialize(ar);
    EXPECT_EQ(ar.Remaining(), 0u);
    return e;
}

void ExpectSameConfiguration(const CVexorQueryElemOBJ& a, const CVexorQueryElemOBJ& b) {
    EXPECT_EQ(a.m_rect, b.m_rect);
    EXPECT_EQ(a.GetLineStyle(), b.GetLineStyle());
    EXPECT_EQ(a.GetFillStyle(), b.GetFillStyle());
    EXPECT_EQ(a.GetTextStyle(), b.GetTextStyle());
    EXPECT_TRUE(a.m_windowSettings == b.m_windowSettings);
    EXPECT_TRUE(a.m_interfaceSettings == b.m_interfaceSettings);
    EXPECT_TRUE(a.m_pointSettings == b.m_pointSettings);
    EXPECT_TRUE(a.m_queryOptions == b.m_queryOptions);
    EXPECT_TRUE(a.m_sysViewSettings == b.m_sysViewSettings);
    EXPECT_TRUE(a.m_querySettings == b.m_querySettings);
    EXPECT_EQ(a.m_further1, b.m_further1);
    EXPECT_EQ(a.m_further2, b.m_further2);
    EXPECT_EQ(a.m_further3, b.m_further3);
}

class FixedWidthWindow : public StubTableWindow {
public:
    bool CurrentColumnWidths(CDWordArray& widths) const override {
        widths = {33, 44};
        return true;
    }
};

} // namespace

TEST(ElementPersistence, EveryFieldSurvivesStoreAndLoad) {
    CVexorQueryElemOBJ original;
    SetEveryField(original);
    auto loaded = Load(Store(original));
    ExpectSameConfiguration(original, *loaded);
    EXPECT_EQ(loaded->m_typeName, "数据查询");
    // Storing the loaded element again gives the same bytes: nothing drifts from save to save.
    EXPECT_EQ(Store(original), Store(*loaded));
}

TEST(ElementPersistence, DefaultElementRoundTripsToDefaults) {
    CVexorQueryElemOBJ original;
    auto loaded = Load(Store(original));
    ExpectSameConfiguration(original, *loaded);
    CVexorQueryElemOBJ fresh;
    EXPECT_TRUE(loaded->m_queryOptions == fresh.m_queryOptions);
    EXPECT_TRUE(loaded->m_pointSettings == fresh.m_pointSettings);
    EXPECT_EQ(loaded->m_querySettings.m_dynamicTime, fresh.m_querySettings.m_dynamicTime);
    EXPECT_EQ(loaded->m_windowSettings.m_colors[0], 0xC0C0C0u);
    EXPECT_EQ(loaded->m_interfaceSettings.m_panelWidth, 175);
    EXPECT_EQ(loaded->m_querySettings.m_accessMode, "READ");
}

TEST(ElementPersistence, QueryFieldsTravelThroughTheWindowSettings) {
    CVexorQueryElemOBJ e;
    e.m_querySettings.m_queryStyle = kStyleMenu;
    e.m_querySettings.m_timeTypeIndex = kTimeTenDay;
    e.m_querySettings.m_timeInterval = 5;
    e.m_querySettings.m_timeOffset = 3;
    auto bytes = Store(e);
    auto loaded = Load(bytes);
    EXPECT_EQ(loaded->m_querySettings.m_queryStyle, kStyleMenu);
    EXPECT_EQ(loaded->m_querySettings.m_timeTypeIndex, kTimeTenDay);
    EXPECT_EQ(loaded->m_querySettings.m_timeInterval, 5);
    EXPECT_EQ(loaded->m_querySettings.m_timeOffset, 3);
}

TEST(ElementPersistence, LiveWindowOfTheCurrentModeGivesTheColumnWidths) {
    CVexorQueryElemOBJ e;
    e.m_interfaceSettings.m_columnWidths = {1, 2, 3};
    e.m_pointWindow = std::make_unique<FixedWidthWindow>(); // not the current mode: ignored
    EXPECT_EQ(Load(Store(e))->m_interfaceSettings.m_columnWidths, (CDWordArray{1, 2, 3}));
    e.m_tableWindow = std::make_unique<FixedWidthWindow>();
    EXPECT_EQ(Load(Store(e))->m_interfaceSettings.m_columnWidths, (CDWordArray{33, 44}));
}

TEST(ElementPersistence, StoredTextsAreGbkInTheArchive) {
    CVexorQueryElemOBJ e;
    e.m_further3 = "数据查询";
    auto bytes = Store(e);
    const std::vector<std::uint8_t> tail = {8, 0xCA, 0xFD, 0xBE, 0xDD, 0xB2, 0xE9, 0xD1, 0xAF};
    ASSERT_GE(bytes.size(), tail.size());
    EXPECT_TRUE(std::equal(tail.begin(), tail.end(), bytes.end() - long(tail.size())));
}

TEST(ElementPersistence, TruncatedElementFailsInsteadOfLoadingHalf) {
    CVexorQueryElemOBJ original;
    SetEveryField(original);
    auto bytes = Store(original);
    for (std::size_t cut : {std::size_t(0), std::size_t(3), bytes.size() / 2, bytes.size() - 1}) {
        std::vector<std::uint8_t> part(bytes.begin(), bytes.begin() + long(cut));
        CVexorQueryElemOBJ e;
        CArchive ar(part);
        EXPECT_THROW(e.Serialize(ar), CArchiveException) << "cut at " << cut;
    }
}

TEST(ElementDuplicate, CopiesDrawingDataAndHandleOffsetsButNotConfiguration) {
    CVexorQueryElemOBJ source;
    SetEveryField(source);
    source.m_handleOffset1 = 120;
    source.m_handleOffset2 = 340;
    auto dup = source.Duplicate();
    auto& copy = dynamic_cast<CVexorQueryElemOBJ&>(*dup);
    EXPECT_EQ(copy.m_rect, source.m_rect);
    EXPECT_EQ(copy.GetFillStyle(), source.GetFillStyle());
    EXPECT_EQ(copy.m_handleOffset1, 120);
    EXPECT_EQ(copy.m_handleOffset2, 340);
    CVexorQueryElemOBJ fresh;
    EXPECT_TRUE(copy.m_windowSettings == fresh.m_windowSettings);
    EXPECT_TRUE(copy.m_queryOptions == fresh.m_queryOptions);
    EXPECT_TRUE(copy.m_querySettings == fresh.m_querySettings);
    EXPECT_TRUE(copy.m_interfaceSettings == fresh.m_interfaceSettings);
}
