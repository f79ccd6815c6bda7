#include "SortedTextList.h"

#include "Gbk.h"

#include <algorithm>

namespace {

// Byte order in the system code page, as the lists of the system compare.
std::string CodePageBytes(const CString& text) {
    return mfc::Utf8ToGbk(text.str()).value_or(text.str());
}

bool IsAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return (unsigned char)c < 0x80; });
}

bool CodePageLess(const CString& a, const CString& b) {
    // ASCII is the same in both encodings: period labels compare as they are.
    if (IsAscii(a.str()) && IsAscii(b.str())) return a.str() < b.str();
    return CodePageBytes(a) < CodePageBytes(b);
}

} // namespace

void CSortedTextList::RemoveAll() {
    m_texts.RemoveAll();
    m_lastFound = 0;
}

void CSortedTextList::Sort(bool ascending) {
    m_lastFound = 0;
    if (ascending && std::is_sorted(m_texts.begin(), m_texts.end(), CodePageLess)) return;
    std::vector<CString> texts(m_texts.begin(), m_texts.end());
    std::stable_sort(texts.begin(), texts.end(), CodePageLess);
    if (!ascending) std::reverse(texts.begin(), texts.end());
    m_texts.RemoveAll();
    for (CString& t : texts)
        m_texts.Add(std::move(t));
}

void CSortedTextList::SortUnique() {
    Sort(true);
    CStringArray unique;
    for (const CString& t : m_texts)
        if (unique.IsEmpty() || unique[unique.GetSize() - 1] != t) unique.Add(t);
    m_texts = std::move(unique);
}

CString CSortedTextList::GetAt(int index) const {
    if (index < 0 || index >= m_texts.GetSize()) return {};
    return m_texts[index];
}

int CSortedTextList::Find(std::string_view text) {
    const int size = m_texts.GetSize();
    if (size == 0) return -1;
    const int from = std::clamp(m_lastFound, 0, size - 1);
    for (int step = 0; step < size; ++step) {
        const int i = (from + step) % size;
        if (std::string_view(m_texts[i].str()) == text) {
            m_lastFound = i;
            return i;
        }
    }
    return -1;
}
