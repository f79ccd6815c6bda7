#pragma once
// Quick search of the station list: the operator types pinyin initials, possibly several words
// ("sx 10"), and only the stations whose initials hold every word stay in the list. A station
// is found by any reading of its polyphones: "cq" and "zq" both find 重庆.
#include "Arrays.h"
#include "CString.h"

#include <string>
#include <vector>

// The words of a search text: trimmed, lower-cased, split at spaces, empty words dropped.
std::vector<std::string> QuickSearchWords(const CString& searchText);

// True when every word reads somewhere in the key (PinyinInitialsOf), letter by letter on
// consecutive characters, each letter one of its character's initials (no words: every item
// matches).
bool QuickSearchMatches(const CString& initials, const std::vector<std::string>& words);

// Indices, in ascending order, of the items that stay for the search text; every item stays
// for an empty (or blank) text, which is how the full list comes back.
std::vector<int> QuickSearch(const CStringArray& initials, const CString& searchText);
