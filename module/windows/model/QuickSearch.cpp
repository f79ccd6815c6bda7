#include "QuickSearch.h"

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

bool QuickSearchMatches(const CString& initials, const std::vector<std::string>& words) {
    std::string_view text = initials;
    return std::all_of(words.begin(), words.end(),
                       [text](const std::string& word) { return text.find(word) != std::string_view::npos; });
}

std::vector<int> QuickSearch(const CStringArray& initials, const CString& searchText) {
    std::vector<std::string> words = QuickSearchWords(searchText);
    std::vector<int> kept;
    for (int i = 0; i < initials.GetSize(); ++i)
        if (QuickSearchMatches(initials[i], words)) kept.push_back(i);
    return kept;
}
