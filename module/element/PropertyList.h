#pragma once
// Building and reading the item lists that the configuration records travel in. Numbers are
// decimal texts ("%d" or "%ld"), read back with the C library's integer conversion; a reader
// hands out items in order and tells when the list has run out, so a decoder can leave every
// field the list does not reach as it was.
#include "Arrays.h"
#include "CString.h"
#include "ComplexString.h"
#include "LogFont.h"

class CPropertyWriter {
public:
    void Int(long long v) { AddFormatted("%d", v); }
    void Long(long long v) { AddFormatted("%ld", v); }
    void Text(const CString& t) { m_items.Add(t); }
    void Font(const LOGFONT& f) { m_items.Add(CComplexString::AnnexArrayString(f)); }
    CString Joined() const { return CComplexString::AnnexArrayStringS(m_items); }

private:
    void AddFormatted(const char* fmt, long long v) {
        CString t;
        t.Format(fmt, v);
        m_items.Add(t);
    }
    CStringArray m_items;
};

class CPropertyReader {
public:
    explicit CPropertyReader(const CString& joined) { CComplexString::DecomposeStringS(joined, m_items); }

    int Count() const { return m_items.GetSize(); }
    int Position() const { return m_next; }
    bool HasNext() const { return m_next < m_items.GetSize(); }
    const CString& Peek() const { return m_items[m_next]; }
    void Skip(int n) { m_next += n; }

    // Each reader below takes the next item into the field and returns true; when the list has
    // run out it leaves the field unchanged and returns false.
    bool Text(CString& field) {
        if (!HasNext()) return false;
        field = m_items[m_next++];
        return true;
    }
    template <class T> bool Int(T& field) {
        if (!HasNext()) return false;
        field = static_cast<T>(TextToInt(m_items[m_next++].str()));
        return true;
    }
    template <class T> bool Long(T& field) {
        if (!HasNext()) return false;
        field = static_cast<T>(TextToLong(m_items[m_next++].str()));
        return true;
    }
    bool Font(LOGFONT& field) {
        if (!HasNext()) return false;
        CComplexString::DecomposeString(m_items[m_next++], field);
        return true;
    }

private:
    CStringArray m_items;
    int m_next = 0;
};
