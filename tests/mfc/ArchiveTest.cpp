#include "Archive.h"
#include "Gbk.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Stored(const CString& s) {
    CArchive ar;
    ar << s;
    return ar.Bytes();
}

std::string Repeat(std::string_view piece, int times) {
    std::string s;
    for (int i = 0; i < times; ++i)
        s += piece;
    return s;
}

// The offset a load fails at, or -1 when it does not fail.
template <class Load> long FailureOffset(Bytes bytes, Load load) {
    CArchive ar(std::move(bytes));
    try {
        load(ar);
    } catch (const CArchiveException& e) {
        return long(e.Offset());
    }
    return -1;
}

} // namespace

TEST(CArchive, IntegersAreLittleEndian) {
    CArchive ar;
    ar << std::int32_t(0x01020304) << std::int32_t(-2) << std::uint32_t(0xC8FFFFu) << std::int16_t(-300)
       << std::uint16_t(0xABCD) << std::uint8_t(0x7F) << 1.0;
    const Bytes expected = {0x04, 0x03, 0x02, 0x01, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xC8, 0x00, 0xD4,
                            0xFE, 0xCD, 0xAB, 0x7F, 0,    0,    0,    0,    0,    0,    0xF0, 0x3F};
    EXPECT_EQ(ar.Bytes(), expected);

    CArchive in(ar.Bytes());
    std::int32_t a = 0, b = 0;
    std::uint32_t c = 0;
    std::int16_t d = 0;
    std::uint16_t e = 0;
    std::uint8_t f = 0;
    double g = 0;
    in >> a >> b >> c >> d >> e >> f >> g;
    EXPECT_EQ(a, 0x01020304);
    EXPECT_EQ(b, -2);
    EXPECT_EQ(c, 0xC8FFFFu);
    EXPECT_EQ(d, -300);
    EXPECT_EQ(e, 0xABCD);
    EXPECT_EQ(f, 0x7F);
    EXPECT_EQ(g, 1.0);
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_THROW(in >> a, CArchiveException);

    // The direction of an archive is fixed.
    EXPECT_THROW(ar >> a, std::logic_error);
    EXPECT_THROW(in << a, std::logic_error);
}

TEST(CArchive, TextLengthPrefixes) {
    struct Case {
        std::string text;
        Bytes prefix;
    } cases[] = {
        {"", {0x00}},
        {"a", {0x01}},
        {std::string(254, 'a'), {0xFE}},
        {std::string(255, 'a'), {0xFF, 0xFF, 0x00}},
        {std::string(256, 'a'), {0xFF, 0x00, 0x01}},
        {std::string(65534, 'a'), {0xFF, 0xFE, 0xFF}},
        {std::string(65535, 'a'), {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {std::string(65536, 'a'), {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}},
        {std::string(70000, 'a'), {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
        // The prefix counts code-page bytes, not UTF-8 bytes: 127 Chinese characters are 254
        // bytes on file (381 in memory), 128 are 256.
        {Repeat("数", 127), {0xFE}},
        {Repeat("数", 128), {0xFF, 0x00, 0x01}},
        {Repeat("数", 32767) + "a", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
    };
    for (const Case& c : cases) {
        const Bytes bytes = Stored(c.text);
        const std::size_t textBytes = bytes.size() - c.prefix.size();
        ASSERT_GE(bytes.size(), c.prefix.size());
        EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + long(c.prefix.size())), c.prefix) << c.text.size();
        EXPECT_EQ(textBytes, std::size_t(mfc::GbkByteLength(c.text))) << c.text.size();

        // Read back, followed by an integer that must still be found in its place.
        CArchive out;
        out << CString(c.text) << std::int32_t(77);
        CArchive in(out.Bytes());
        CString back;
        std::int32_t after = 0;
        in >> back >> after;
        EXPECT_EQ(back.str(), c.text);
        EXPECT_EQ(after, 77);
    }
}

TEST(CArchive, ChineseTextIsStoredInTheCodePage) {
    EXPECT_EQ(Stored("数据查询"), (Bytes{0x08, 0xCA, 0xFD, 0xBE, 0xDD, 0xB2, 0xE9, 0xD1, 0xAF}));
    EXPECT_EQ(Stored("宋体"), (Bytes{0x04, 0xCB, 0xCE, 0xCC, 0xE5}));
    EXPECT_EQ(Stored("KES.站表"), (Bytes{0x08, 'K', 'E', 'S', '.', 0xD5, 0xBE, 0xB1, 0xED}));

    // A character outside GBK is kept through the wider code page, not lost.
    CArchive out;
    out << CString("𠀀水位€");
    CArchive in(out.Bytes());
    CString back;
    in >> back;
    EXPECT_EQ(back, "𠀀水位€");

    // A text that is not UTF-8 cannot be stored as if it were.
    CArchive broken;
    EXPECT_THROW(broken << CString(std::string("\xE6\xB0", 2)), std::invalid_argument);
}

TEST(CArchive, DamagedDataThrowsWithTheOffsetOfTheItem) {
    // int32 7, the text "数据查询", int32 9, then a long text with a 16-bit prefix.
    CArchive out;
    out << std::int32_t(7) << CString("数据查询") << std::int32_t(9) << CString(std::string(300, 'x'));
    const Bytes whole = out.Bytes();
    ASSERT_EQ(whole.size(), 4u + 9u + 4u + 303u);
    auto loadAll = [](CArchive& ar) {
        std::int32_t a, b;
        CString s, t;
        ar >> a >> s >> b >> t;
    };
    EXPECT_EQ(FailureOffset(whole, loadAll), -1);
    // Every cut of the data fails, at the start of the item it cuts into.
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        long expected = cut < 4 ? 0 : cut < 13 ? 4 : cut < 17 ? 13 : 17;
        EXPECT_EQ(FailureOffset(Bytes(whole.begin(), whole.begin() + long(cut)), loadAll), expected) << cut;
    }

    struct Case {
        const char* what;
        Bytes bytes;
        long offset;
    } cases[] = {
        {"byte 0xFF is no character", {0x02, 0xFF, 0xFF}, 0},
        {"lone lead byte", {0x01, 0xCA}, 0},
        {"lead byte then a control byte", {0x02, 0xCA, 0x0A}, 0},
        {"good text, then a bad one", {0x02, 'o', 'k', 0x03, 'a', 0x80, 'b'}, 3},
        {"16-bit prefix cut short", {0xFF, 0x10}, 0},
        {"32-bit prefix cut short", {0xFF, 0xFF, 0xFF, 0x01, 0x00}, 0},
        {"32-bit length far beyond the data", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a'}, 0},
    };
    for (const Case& c : cases) {
        auto loadTexts = [](CArchive& ar) {
            CString s;
            while (ar.Remaining() > 0)
                ar >> s;
        };
        EXPECT_EQ(FailureOffset(c.bytes, loadTexts), c.offset) << c.what;
    }
}

TEST(Gbk, ConversionBothWays) {
    struct Case {
        const char* utf8;
        std::string gbk;
    } cases[] = {
        {"", ""},
        {"abc 123", "abc 123"},
        {"数据查询", "\xCA\xFD\xBE\xDD\xB2\xE9\xD1\xAF"},
        {"水位（m）", "\xCB\xAE\xCE\xBB\xA3\xA8m\xA3\xA9"},
        {"上旬;中旬", "\xC9\xCF\xD1\xAE;\xD6\xD0\xD1\xAE"},
    };
    for (const Case& c : cases) {
        auto gbk = mfc::Utf8ToGbk(c.utf8);
        ASSERT_TRUE(gbk.has_value()) << c.utf8;
        EXPECT_EQ(*gbk, c.gbk) << c.utf8;
        auto utf8 = mfc::GbkToUtf8(c.gbk);
        ASSERT_TRUE(utf8.has_value()) << c.utf8;
        EXPECT_EQ(*utf8, c.utf8);
        EXPECT_EQ(mfc::GbkByteLength(c.utf8), int(c.gbk.size())) << c.utf8;
    }
    EXPECT_FALSE(mfc::Utf8ToGbk("\xFF\xFE").has_value());
    EXPECT_FALSE(mfc::Utf8ToGbk("ab\xE6\xB0").has_value());
    EXPECT_FALSE(mfc::GbkToUtf8("\xCA").has_value());
    EXPECT_FALSE(mfc::GbkToUtf8("a\xFF").has_value());
    // A text that cannot be converted counts its own bytes.
    EXPECT_EQ(mfc::GbkByteLength("ab\xE6\xB0"), 4);
    // Long texts convert whole (the converter's buffer has to grow on the way).
    const std::string many = Repeat("数据", 5000) + "end";
    auto gbk = mfc::Utf8ToGbk(many);
    ASSERT_TRUE(gbk.has_value());
    EXPECT_EQ(gbk->size(), 20003u);
    EXPECT_EQ(mfc::GbkToUtf8(*gbk), many);
}
