#include "PinyinInitials.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// A key with the further initials of each polyphone in brackets: 重庆 gives "z[c]q".
std::string Readable(std::string_view key) {
    std::string out;
    bool open = false;
    for (char c : key) {
        const bool alternative = static_cast<unsigned char>(c) & kPinyinAlternativeBit;
        if (alternative && !open) out += '[';
        if (!alternative && open) out += ']';
        open = alternative;
        out += char(c & ~kPinyinAlternativeBit);
    }
    return open ? out + ']' : out;
}

std::string Initials(const char* utf8) {
    return Readable(PinyinInitialsOf(CString(utf8)).str());
}

// The key without the further initials of polyphones: the table's seed initials.
std::string SeedInitials(const char* utf8) {
    const CString key = PinyinInitialsOf(CString(utf8));
    std::string seeds;
    for (char c : key.str())
        if (!(static_cast<unsigned char>(c) & kPinyinAlternativeBit)) seeds += c;
    return seeds;
}

TEST(PinyinInitials, StationNamesAsOperatorsSearchThem) {
    EXPECT_EQ(Initials("宜昌站"), "ycz");
    EXPECT_EQ(Initials("一号机(1#)"), "yhj1h"); // "#" is read 号, parentheses vanish
    EXPECT_EQ(Initials("三峡(1001)"), "sx1001");
    EXPECT_EQ(Initials("vu(1001)"), "vu1001");
    EXPECT_EQ(Initials("ABC-12_x Y"), "abc-12_x y");
    EXPECT_EQ(Initials(""), "");
}

TEST(PinyinInitials, LevelOneRunsChangeLetterExactlyAtTheirFirstCell) {
    // Each run's first character and the last character of the run before it.
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"啊", "a"}, {"澳", "a"}, {"芭", "b"}, {"怖", "b"}, {"擦", "c"}, {"错", "c"}, {"搭", "d"},
        {"堕", "d"}, {"蛾", "e"}, {"贰", "e"}, {"发", "f"}, {"咐", "f"}, {"噶", "g"}, {"过", "g"},
        {"哈", "h"}, {"祸", "h"}, {"击", "j"}, {"骏", "j"}, {"喀", "k"}, {"阔", "k"}, {"垃", "l"},
        {"络", "l"}, {"妈", "m"}, {"穆", "m"}, {"拿", "n"}, {"诺", "n"}, {"哦", "o"}, {"沤", "o"},
        {"啪", "p"}, {"瀑", "p"}, {"期", "q"}, {"群", "q"}, {"然", "r"}, {"弱", "r"}, {"撒", "s"},
        {"所", "s"}, {"塌", "t"}, {"唾", "t"}, {"挖", "w"}, {"误", "w"}, {"昔", "x"}, {"迅", "x"},
        {"压", "y"}, {"孕", "y"}, {"匝", "z"}, {"座", "z"}, {"翟", "z"}, // cell 2152: the surname zhái,
                                                                         // inside the d run
    };
    for (const auto& [hanzi, initial] : cases)
        EXPECT_EQ(SeedInitials(hanzi), initial) << hanzi;
}

TEST(PinyinInitials, LevelTwoCharactersHaveTheirOwnInitial) {
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"亍", "c"}, {"丌", "j"}, {"兀", "w"}, {"丐", "g"}, {"乜", "m"},
        {"卮", "z"}, {"氐", "d"}, {"囟", "x"}, {"胤", "y"}, {"馗", "k"},
        {"鼗", "t"}, {"鼐", "n"}, {"厶", "s"}, {"隳", "h"}, {"齄", "z"},
    };
    for (const auto& [hanzi, initial] : cases)
        EXPECT_EQ(SeedInitials(hanzi), initial) << hanzi;
}

TEST(PinyinInitials, PolyphonesAreKeyedByEveryReadingSeedFirst) {
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"重庆", "z[c]q"},       // level 1: seed zhòng, also chóng
        {"东阿", "da[e]"},       // 阿 is ē in 东阿
        {"长沙", "c[z]s"},       // seed cháng from the run table, also zhǎng
        {"银行", "yx[h]"},       // xíng, háng
        {"乐山", "l[y]s"},       // lè, yuè
        {"都江堰", "djy"},       // dōu, dū: one initial, one letter
        {"沈阳", "s[c]y"},       // shěn, chén
        {"重慶(1#)", "z[c]q1h"}, // GBK traditional form beside ASCII
        {"A乐B", "al[y]b"},
    };
    for (const auto& [name, key] : cases)
        EXPECT_EQ(Initials(name), key) << name;
}

TEST(PinyinInitials, TableHoldsLettersExactlyInTheHanziCells) {
    int levelTwoSpaces = 0;
    for (int cell = 0; cell < kPinyinTableCells; ++cell) {
        int zone = cell / 100, position = cell % 100;
        bool hanzi =
            zone >= 16 && zone <= 87 && position >= 1 && position <= 94 && !(cell >= 5590 && cell <= 5594);
        char c = PinyinInitialAt(cell);
        if (!hanzi) {
            EXPECT_EQ(c, ' ') << cell;
        } else if (c == ' ') {
            EXPECT_GE(zone, 56) << cell; // only level-2 characters may lack a reading
            ++levelTwoSpaces;
        } else {
            EXPECT_TRUE(c >= 'a' && c <= 'z' && c != 'i' && c != 'u' && c != 'v') << cell;
        }
    }
    EXPECT_EQ(levelTwoSpaces, 0); // the dictionary has a reading for every level-2 character
    EXPECT_EQ(PinyinInitialAt(-1), ' ');
    EXPECT_EQ(PinyinInitialAt(kPinyinTableCells), ' ');
}

TEST(PinyinInitials, GbkCharactersBeyondGb2312HaveTheirOwnInitial) {
    EXPECT_EQ(Initials("堃"), "k"); // lead byte below 0xA1
    EXPECT_EQ(Initials("喆犇"), "zb");
    EXPECT_EQ(Initials("華山"), "hs"); // trail byte 0x41 ("A") must not be copied or lower-cased
    EXPECT_EQ(Initials("龍門(12)"), "lm12");
}

TEST(PinyinInitials, SymbolsAndCharactersOutsideGbkGiveNothing) {
    EXPECT_EQ(Initials("，。（）①Ａ１"), "");
    EXPECT_EQ(Initials("宜昌（Ａ）站"), "ycz");
    EXPECT_EQ(Initials("宜😀昌ñ㐀"), "yc"); // four-byte GB18030 characters
}

TEST(PinyinInitials, MalformedTextNeverSwallowsTheNextCharacter) {
    EXPECT_EQ(Initials("宜\xff昌\x80"), "yc");
    EXPECT_EQ(Initials("宜\xe6\x98"), "y");     // character cut off at the end
    EXPECT_EQ(Initials("\xed\xa0\x80站"), "z"); // encoded surrogate

    // A lead byte at the end of the text; the byte behind the view must not be read as its trail.
    EXPECT_EQ(PinyinInitialsOfGbk(std::string_view("\xd2\xcb\xb2\xfd", 3)), "y");
    EXPECT_EQ(PinyinInitialsOfGbk("\x81 a"), " a"); // lead without a trail byte
    EXPECT_EQ(PinyinInitialsOfGbk("\x81\x31"
                                  "ab"),
              "1ab"); // not a four-byte character after all
    EXPECT_EQ(PinyinInitialsOfGbk("\x81\x30\x81\x30"
                                  "ab"),
              "ab");
    EXPECT_EQ(PinyinInitialsOfGbk(std::string_view("\x81\x30\x81\x30", 3)), "0");
    EXPECT_EQ(PinyinInitialsOfGbk("\x88\xd2\xd2\xcb\xb2\xfd"), "kyc");
    EXPECT_EQ(PinyinInitialsOfGbk("\x80\xff(A#)"), "ah");
}

// Random text, well formed or not: no crash, no read past the text (the sanitizer build checks
// that), and nothing but single-byte characters comes out, each further initial of a polyphone
// a marked letter right behind its character's seed letter.
TEST(PinyinInitials, RandomTextGivesOnlyAsciiInitials) {
    std::mt19937 rng(20260601);
    const std::vector<std::string> pieces = {"宜", "華", "堃", "😀", "㐀", "（", "A",
                                             "#",  "(",  ")",  "1", " ",  "重", "阿"};
    auto check = [](const std::string& initials, std::size_t inputBytes) {
        char before = 0;
        std::size_t characters = 0;
        for (char c : initials) {
            if (static_cast<unsigned char>(c) & kPinyinAlternativeBit) {
                const char letter = char(c & ~kPinyinAlternativeBit);
                ASSERT_TRUE(letter >= 'a' && letter <= 'z' && letter != before);
                ASSERT_TRUE(before >= 'a' && before <= 'z');
                continue;
            }
            ASSERT_TRUE(c != '#' && c != '(' && c != ')' && !(c >= 'A' && c <= 'Z'));
            before = c;
            ++characters;
        }
        EXPECT_LE(characters, inputBytes);
    };
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        int parts = std::uniform_int_distribution<int>(0, 12)(rng);
        for (int p = 0; p < parts; ++p) {
            if (rng() % 3 == 0)
                text += static_cast<char>(rng() % 256);
            else
                text += pieces[rng() % pieces.size()];
        }
        check(PinyinInitialsOf(CString(text)).str(), text.size());
        check(PinyinInitialsOfGbk(text), text.size());
    }
}

} // namespace
