#pragma once
// The module's text type. UTF-8 bytes inside; positions and lengths are byte offsets into
// that UTF-8 text. Where the system counts bytes of its code page (GBK), use GbkByteLength.
#include "PrintfFormat.h"

#include <compare>
#include <cstddef>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

class CString {
public:
    CString() = default;
    CString(const char* s) : m_s(s ? s : "") {}
    CString(std::string s) : m_s(std::move(s)) {}
    CString(std::string_view s) : m_s(s) {}
    CString(char ch, int repeat) : m_s(repeat > 0 ? std::size_t(repeat) : 0, ch) {}

    int GetLength() const { return static_cast<int>(m_s.size()); }
    bool IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }
    const char* GetString() const { return m_s.c_str(); }
    const std::string& str() const { return m_s; }
    operator std::string_view() const { return m_s; }

    char GetAt(int i) const { return m_s.at(static_cast<std::size_t>(i)); }
    char operator[](int i) const { return GetAt(i); }
    void SetAt(int i, char ch) { m_s.at(static_cast<std::size_t>(i)) = ch; }

    // Out-of-range arguments are clamped, as the framework does.
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;

    int Find(char ch, int start = 0) const;
    int Find(std::string_view sub, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(std::string_view chars) const;

    CString& MakeUpper(); // ASCII letters only: multi-byte characters are never touched
    CString& MakeLower();
    CString& MakeReverse();

    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim(std::string_view chars);
    CString& TrimLeft(std::string_view chars);
    CString& TrimRight(std::string_view chars);

    int Replace(char from, char to);
    int Replace(std::string_view from, std::string_view to);
    int Remove(char ch);
    int Insert(int index, std::string_view text);
    int Delete(int index, int count = 1);

    template <class... Args> void Format(std::string_view format, const Args&... args) {
        m_s = mfc::Sprintf(format, args...);
    }
    template <class... Args> void AppendFormat(std::string_view format, const Args&... args) {
        m_s += mfc::Sprintf(format, args...);
    }

    int Compare(std::string_view other) const;
    int CompareNoCase(std::string_view other) const;

    CString& operator+=(std::string_view s) {
        m_s += s;
        return *this;
    }
    CString& operator+=(const CString& s) {
        m_s += s.m_s;
        return *this;
    }
    CString& operator+=(const char* s) {
        if (s) m_s += s;
        return *this;
    }
    CString& operator+=(char ch) {
        m_s += ch;
        return *this;
    }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_s + b.m_s); }
    friend CString operator+(const CString& a, const char* b) { return CString(a.m_s + (b ? b : "")); }
    friend CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.m_s); }
    friend CString operator+(const CString& a, char b) { return CString(a.m_s + b); }
    friend bool operator==(const CString& a, const CString& b) { return a.m_s == b.m_s; }
    friend bool operator==(const CString& a, const char* b) { return a.m_s == (b ? b : ""); }
    friend std::strong_ordering operator<=>(const CString& a, const CString& b) { return a.m_s <=> b.m_s; }
    friend std::ostream& operator<<(std::ostream& os, const CString& s) { return os << s.m_s; }

private:
    std::string m_s;
};

template <> struct std::hash<CString> {
    std::size_t operator()(const CString& s) const noexcept { return std::hash<std::string>{}(s.str()); }
};

// The C library's integer conversions, as the system reads numbers out of texts: leading
// white space is skipped, reading stops at the first character that is not part of the number,
// a text that holds no number gives 0. Out-of-range values saturate instead of overflowing.
int TextToInt(std::string_view text);
long long TextToLong(std::string_view text);
double TextToDouble(std::string_view text);
