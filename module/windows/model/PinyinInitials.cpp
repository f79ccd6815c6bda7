#include "PinyinInitials.h"

#include "Gbk.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>

namespace {

// A polyphone and the initials of all its readings, sorted ("cz" for 重: chóng, zhòng).
struct PolyphoneInitials {
    unsigned short code; // GBK: lead byte << 8 | trail byte
    const char* letters;
};

#include "PinyinTable.inc"

constexpr bool PolyphonesAscend() {
    for (std::size_t i = 1; i < std::size(kPolyphones); ++i)
        if (kPolyphones[i - 1].code >= kPolyphones[i].code) return false;
    return true;
}
static_assert(PolyphonesAscend(), "the polyphones are looked up by binary search");

// Level-1 hanzi stand in pinyin order, so each initial covers one run of cells, from its first
// cell up to the cell before the next run (the last run ends at 5589, the last level-1 hanzi).
struct InitialRun {
    char letter;
    int first;
};
constexpr InitialRun kLevel1Runs[] = {
    {'a', 1601}, {'b', 1637}, {'c', 1833}, {'d', 2078}, {'e', 2274}, {'f', 2302}, {'g', 2433}, {'h', 2594},
    {'j', 2787}, {'k', 3106}, {'l', 3212}, {'m', 3472}, {'n', 3635}, {'o', 3722}, {'p', 3730}, {'q', 3858},
    {'r', 4027}, {'s', 4086}, {'t', 4390}, {'w', 4558}, {'x', 4684}, {'y', 4925}, {'z', 5249},
};
constexpr int kLevel1Last = 5589;
constexpr int kLevel2FirstZone = 56;
constexpr int kLastHanziZone = 87;

constexpr bool IsCharacterPosition(int cell) {
    int position = cell % 100;
    return position >= 1 && position <= 94;
}

constexpr std::array<char, kPinyinTableCells> BuildTable() {
    std::array<char, kPinyinTableCells> table{};
    table.fill(' ');
    for (std::size_t r = 0; r < std::size(kLevel1Runs); ++r) {
        int last = r + 1 < std::size(kLevel1Runs) ? kLevel1Runs[r + 1].first - 1 : kLevel1Last;
        for (int cell = kLevel1Runs[r].first; cell <= last; ++cell)
            if (IsCharacterPosition(cell)) table[std::size_t(cell)] = kLevel1Runs[r].letter;
    }
    // 翟 stands among the dí readings, but as a surname, the way it occurs in names, it is zhái.
    table[2152] = 'z';
    for (int zone = kLevel2FirstZone; zone <= kLastHanziZone; ++zone)
        for (int position = 1; position <= 94; ++position)
            table[std::size_t(zone * 100 + position)] =
                kLevel2Initials[zone - kLevel2FirstZone][position - 1];
    return table;
}

constexpr std::array<char, kPinyinTableCells> kTable = BuildTable();

constexpr bool HasNoInitial(char letter) {
    return std::none_of(kTable.begin(), kTable.end(), [letter](char c) { return c == letter; });
}
// No syllable of standard Mandarin starts with i, u or ü.
static_assert(HasNoInitial('i') && HasNoInitial('u') && HasNoInitial('v'));

bool IsTrailByte(unsigned char b) {
    return b >= 0x40 && b <= 0xFE && b != 0x7F;
}
bool IsDigitByte(unsigned char b) {
    return b >= 0x30 && b <= 0x39;
}

// The seed initial of one two-byte character of the code page; 0 when it gives nothing.
char InitialOf(unsigned char lead, unsigned char trail) {
    if (lead >= 0xB0 && lead <= 0xA0 + kLastHanziZone && trail >= 0xA1) // GB2312 hanzi zones
        return kTable[std::size_t((lead - 0xA0) * 100 + (trail - 0xA0))];
    if (lead >= 0x81 && lead <= 0xA0) // GBK/3 hanzi
        return kGbk3Initials[lead - 0x81][trail - 0x40];
    if (lead >= 0xAA && trail <= 0xA0) // GBK/4 hanzi
        return kGbk4Initials[lead - 0xAA][trail - 0x40];
    return 0; // symbols, full-width forms, user-defined areas
}

// The initials of a polyphone's readings, or nullptr for a character of one initial.
const char* PolyphoneLetters(unsigned char lead, unsigned char trail) {
    const unsigned code = unsigned(lead) << 8 | trail;
    const auto* it = std::lower_bound(std::begin(kPolyphones), std::end(kPolyphones), code,
                                      [](const PolyphoneInitials& p, unsigned c) { return p.code < c; });
    return it != std::end(kPolyphones) && it->code == code ? it->letters : nullptr;
}

// Appends a hanzi's initials: the seed initial, then each further initial of its readings marked
// by the high bit, so that the key of a name without polyphones is plain ASCII.
void AppendHanziInitials(std::string& key, char seed, const char* letters) {
    key += seed;
    if (seed == ' ' || !letters) return;
    for (const char* l = letters; *l; ++l)
        if (*l != seed) key += char(static_cast<unsigned char>(*l) | kPinyinAlternativeBit);
}

char AsciiLower(unsigned char b) {
    return b >= 'A' && b <= 'Z' ? char(b - 'A' + 'a') : char(b);
}

// Length of the well-formed UTF-8 sequence at the start of text, 0 when its first byte begins
// none (a stray continuation byte, an overlong form, a surrogate, a value past U+10FFFF).
std::size_t Utf8SequenceLength(std::string_view text) {
    auto at = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char b = at(0);
    if (b < 0x80) return 1;
    std::size_t n = 0;
    unsigned char lo = 0x80, hi = 0xBF;
    if (b >= 0xC2 && b <= 0xDF)
        n = 2;
    else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        if (b == 0xE0) lo = 0xA0;
        if (b == 0xED) hi = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        if (b == 0xF0) lo = 0x90;
        if (b == 0xF4) hi = 0x8F;
    } else
        return 0;
    if (text.size() < n) return 0;
    if (at(1) < lo || at(1) > hi) return 0;
    for (std::size_t k = 2; k < n; ++k)
        if (at(k) < 0x80 || at(k) > 0xBF) return 0;
    return n;
}

// The code-page bytes of a text that is not well-formed UTF-8: each well-formed character is
// converted on its own, every byte that begins none is dropped.
std::string GbkOfMalformed(std::string_view utf8) {
    std::string gbk;
    while (!utf8.empty()) {
        std::size_t n = Utf8SequenceLength(utf8);
        if (n == 0) {
            utf8.remove_prefix(1);
            continue;
        }
        if (auto bytes = mfc::Utf8ToGbk(utf8.substr(0, n))) gbk += *bytes;
        utf8.remove_prefix(n);
    }
    return gbk;
}

} // namespace

char PinyinInitialAt(int cell) {
    return cell >= 0 && cell < kPinyinTableCells ? kTable[std::size_t(cell)] : ' ';
}

std::string PinyinInitialsOfGbk(std::string_view gbk) {
    auto at = [&](std::size_t k) { return static_cast<unsigned char>(gbk[k]); };
    std::string initials;
    std::size_t i = 0;
    while (i < gbk.size()) {
        unsigned char lead = at(i);
        if (lead < 0x80) {
            if (lead == '#')
                initials += 'h'; // "1#" is read "一号"
            else if (lead != '(' && lead != ')')
                initials += AsciiLower(lead);
            ++i;
            continue;
        }
        // A byte that cannot start a character, or a lead byte cut off at the end of the text.
        if (lead == 0x80 || lead == 0xFF || i + 1 == gbk.size()) {
            ++i;
            continue;
        }
        unsigned char trail = at(i + 1);
        if (IsDigitByte(trail)) {
            // A four-byte GB18030 character: beyond what GBK holds, it gives nothing.
            bool whole =
                i + 3 < gbk.size() && at(i + 2) >= 0x81 && at(i + 2) <= 0xFE && IsDigitByte(at(i + 3));
            i += whole ? 4 : 1;
            continue;
        }
        if (!IsTrailByte(trail)) {
            ++i; // the broken lead byte goes alone; the next byte starts afresh
            continue;
        }
        if (char initial = InitialOf(lead, trail))
            AppendHanziInitials(initials, initial, PolyphoneLetters(lead, trail));
        i += 2;
    }
    return initials;
}

CString PinyinInitialsOf(const CString& utf8Text) {
    std::string_view text = utf8Text;
    auto gbk = mfc::Utf8ToGbk(text);
    return CString(PinyinInitialsOfGbk(gbk ? *gbk : GbkOfMalformed(text)));
}
