#include "QuickSearch.h"

#include "PinyinInitials.h"

#include <algorithm>
#include <string_view>

std::vector<std::string> QuickSearchWords(const CString& searchText) {
    CString text = searchText;
    text.Trim();
    text.MakeLower();
    std::vector<std::string> words;
    std::string_view rest = text;
    while (!rest.empty()) {
        std::size_t space = rest.find(' ');
        std::string_view word = rest.substr(0, space);
        if (!word.empty()) words.emplace_back(word);
        rest = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
    }
    return words;
}

namespace {

bool IsAlternative(char b) {
    return (static_cast<unsigned char>(b) & kPinyinAlternativeBit) != 0;
}

// Whether the word reads from the character of the key that starts at byte i: each typed letter
// must be one of the initials of the next character. The key is walked as it stands, so a name
// of many polyphones costs no more than its length.
bool ReadsFrom(std::string_view key, std::size_t i, std::string_view word) {
    for (char c : word) {
        if (i == key.size()) return false;
        bool hit = key[i] == c;
        for (++i; i < key.size() && IsAlternative(key[i]); ++i)
            hit = hit || char(key[i] & ~kPinyinAlternativeBit) == c;
        if (!hit) return false;
    }
    return true;
}

bool KeyHolds(std::string_view key, std::string_view word) {
    for (std::size_t i = 0; i < key.size(); ++i)
        if (!IsAlternative(key[i]) && ReadsFrom(key, i, word)) return true;
    return false;
}

} // namespace

bool QuickSearchMatches(const CString& initials, const std::vector<std::string>& words) {
    std::string_view key = initials;
    return std::all_of(words.begin(), words.end(),
                       [key](const std::string& word) { return KeyHolds(key, word); });
}

std::vector<int> QuickSearch(const CStringArray& initials, const CString& searchText) {
    std::vector<std::string> words = QuickSearchWords(searchText);
    std::vector<int> kept;
    for (int i = 0; i < initials.GetSize(); ++i)
        if (QuickSearchMatches(initials[i], words)) kept.push_back(i);
    return kept;
}
