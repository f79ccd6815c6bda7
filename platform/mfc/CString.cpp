#include "CString.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>

namespace {
constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}
char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}
} // namespace

CString CString::Mid(int first) const {
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const {
    first = std::max(first, 0);
    count = std::max(count, 0);
    if (first >= GetLength()) return {};
    count = std::min(count, GetLength() - first);
    return CString(m_s.substr(std::size_t(first), std::size_t(count)));
}

CString CString::Left(int count) const {
    return Mid(0, count);
}

CString CString::Right(int count) const {
    count = std::clamp(count, 0, GetLength());
    return CString(m_s.substr(m_s.size() - std::size_t(count)));
}

int CString::Find(char ch, int start) const {
    if (start < 0 || start >= GetLength()) return -1;
    auto p = m_s.find(ch, std::size_t(start));
    return p == std::string::npos ? -1 : int(p);
}

int CString::Find(std::string_view sub, int start) const {
    if (start < 0 || start > GetLength()) return -1;
    auto p = m_s.find(sub, std::size_t(start));
    return p == std::string::npos ? -1 : int(p);
}

int CString::ReverseFind(char ch) const {
    auto p = m_s.rfind(ch);
    return p == std::string::npos ? -1 : int(p);
}

int CString::FindOneOf(std::string_view chars) const {
    auto p = m_s.find_first_of(chars);
    return p == std::string::npos ? -1 : int(p);
}

CString& CString::MakeUpper() {
    std::transform(m_s.begin(), m_s.end(), m_s.begin(), AsciiUpper);
    return *this;
}

CString& CString::MakeLower() {
    std::transform(m_s.begin(), m_s.end(), m_s.begin(), AsciiLower);
    return *this;
}

CString& CString::MakeReverse() {
    std::reverse(m_s.begin(), m_s.end());
    return *this;
}

CString& CString::Trim() {
    return TrimRight().TrimLeft();
}
CString& CString::TrimLeft() {
    return TrimLeft(kWhiteSpace);
}
CString& CString::TrimRight() {
    return TrimRight(kWhiteSpace);
}
CString& CString::Trim(std::string_view chars) {
    return TrimRight(chars).TrimLeft(chars);
}

CString& CString::TrimLeft(std::string_view chars) {
    auto p = m_s.find_first_not_of(chars);
    m_s.erase(0, p == std::string::npos ? m_s.size() : p);
    return *this;
}

CString& CString::TrimRight(std::string_view chars) {
    auto p = m_s.find_last_not_of(chars);
    m_s.erase(p == std::string::npos ? 0 : p + 1);
    return *this;
}

int CString::Replace(char from, char to) {
    int n = 0;
    for (char& c : m_s)
        if (c == from) {
            c = to;
            ++n;
        }
    return n;
}

int CString::Replace(std::string_view from, std::string_view to) {
    if (from.empty()) return 0;
    std::string out;
    int n = 0;
    std::size_t pos = 0;
    for (;;) {
        auto hit = m_s.find(from, pos);
        if (hit == std::string::npos) break;
        out.append(m_s, pos, hit - pos);
        out += to;
        pos = hit + from.size();
        ++n;
    }
    if (n == 0) return 0;
    out.append(m_s, pos);
    m_s = std::move(out);
    return n;
}

int CString::Remove(char ch) {
    auto before = m_s.size();
    std::erase(m_s, ch);
    return int(before - m_s.size());
}

int CString::Insert(int index, std::string_view text) {
    index = std::clamp(index, 0, GetLength());
    m_s.insert(std::size_t(index), text);
    return GetLength();
}

int CString::Delete(int index, int count) {
    if (index < 0) index = 0;
    if (count > 0 && index < GetLength()) m_s.erase(std::size_t(index), std::size_t(count));
    return GetLength();
}

int CString::Compare(std::string_view other) const {
    int c = std::string_view(m_s).compare(other);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int CString::CompareNoCase(std::string_view other) const {
    std::string a = m_s, b(other);
    std::transform(a.begin(), a.end(), a.begin(), AsciiLower);
    std::transform(b.begin(), b.end(), b.begin(), AsciiLower);
    return CString(a).Compare(b);
}

namespace {

// The C library reads from a terminated text; short texts (every number) are copied to the
// stack so that reading a cell's number costs no allocation.
template <class Read> auto WithTerminated(std::string_view text, Read read) {
    char small[64];
    if (text.size() < sizeof small) {
        text.copy(small, text.size());
        small[text.size()] = '\0';
        return read(small);
    }
    std::string copy(text);
    return read(copy.c_str());
}

} // namespace

long long TextToLong(std::string_view text) {
    // strtoll in base 10, written out: cells are read by the million.
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    unsigned long long magnitude = 0;
    const unsigned long long limit = negative ? 1ULL + LLONG_MAX : LLONG_MAX;
    bool saturated = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        unsigned digit = unsigned(text[i] - '0');
        if (saturated || magnitude > (limit - digit) / 10) {
            saturated = true;
            continue;
        }
        magnitude = magnitude * 10 + digit;
    }
    if (saturated) return negative ? LLONG_MIN : LLONG_MAX;
    return negative ? static_cast<long long>(0ULL - magnitude) : static_cast<long long>(magnitude);
}

int TextToInt(std::string_view text) {
    long long v = TextToLong(text);
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

double TextToDouble(std::string_view text) {
    // A plain decimal number (the usual cell) is read with from_chars, which rounds exactly as
    // strtod does; anything else (blanks, hexadecimal, trailing text) goes to strtod itself.
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (!text.empty() && ec == std::errc() && end == text.data() + text.size()) return value;
    return WithTerminated(text, [](const char* s) { return std::strtod(s, nullptr); });
}
