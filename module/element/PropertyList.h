#pragma once
// Building and reading the item lists that the configuration records travel in.
//
// Every record names its fields once, in stored order, in a `Fields(self, visitor)` template;
// the writer and reader below are two of its visitors (the readable description is another).
// A visitor offers one call per kind of field:
//   Int, Long       numbers as "%d" / "%ld"
//   Color           a colour, stored as "%ld"
//   Flag            "%d"; reads "1" as 1 and any other text as 0
//   Mode            "%ld"; an empty text leaves the field, a value below 1 reads as 0
//   Text            a text; TrimmedText is written without surrounding blanks
//   Font            a logical font, one item
//   Numbers         a count ("%ld") and that many numbers ("%ld")
//   Texts           a count ("%d") and that many texts
//   Objects         a count ("%d") and that many entries, each by its EntryFields
//   Group           several fields that people read as one line
//   Holds(n)        whether the list holds at least n items (a reader only reads a group
//                   of fields from a list that long; a writer always holds them)
// Numbers are decimal texts read back with the C library's integer conversion. A reader hands
// out items in order and leaves every field that the list does not reach as it was; lists are
// emptied and rebuilt from the items present.
#include "Arrays.h"
#include "CString.h"
#include "ComplexString.h"
#include "LogFont.h"

#include <concepts>
#include <memory>
#include <string_view>
#include <type_traits>

// Lets one field-list template serve both a record and a const record.
template <class Self, class T>
concept FieldsOf = std::same_as<std::remove_const_t<Self>, T>;

class CPropertyWriter {
public:
    void Int(std::string_view, long long v) { AddFormatted("%d", v); }
    void Long(std::string_view, long long v) { AddFormatted("%ld", v); }
    void Color(std::string_view, COLORREF v) { AddFormatted("%ld", v); }
    void Flag(std::string_view, int v) { AddFormatted("%d", v); }
    void Mode(std::string_view, long v) { AddFormatted("%ld", v); }
    void Text(std::string_view, const CString& t) { m_items.Add(t); }
    void TrimmedText(std::string_view, const CString& t) {
        CString trimmed = t;
        m_items.Add(trimmed.Trim());
    }
    void Font(std::string_view, const LOGFONT& f) { m_items.Add(CComplexString::AnnexArrayString(f)); }
    void Numbers(std::string_view, const CDWordArray& list) {
        AddFormatted("%ld", list.GetSize());
        for (DWORD v : list)
            AddFormatted("%ld", v);
    }
    void Texts(std::string_view, const CStringArray& list) {
        AddFormatted("%d", list.GetSize());
        for (const CString& t : list)
            m_items.Add(t);
    }
    template <class T> void Objects(std::string_view, const CObjectArray<T>& list, const T& = T()) {
        AddFormatted("%d", list.GetSize());
        for (const auto& entry : list)
            EntryFields(*entry, *this);
    }
    template <class Fn> void Group(std::string_view, Fn fields) { fields(*this); }
    bool Holds(int) const { return true; }

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

    template <class T> void Int(std::string_view, T& field) {
        if (HasNext()) field = static_cast<T>(TextToInt(Next().str()));
    }
    template <class T> void Long(std::string_view, T& field) {
        if (HasNext()) field = static_cast<T>(TextToLong(Next().str()));
    }
    void Color(std::string_view name, COLORREF& field) { Long(name, field); }
    void Flag(std::string_view, int& field) {
        if (!HasNext()) return;
        CString t = Next();
        field = t.Trim() == "1" ? 1 : 0;
    }
    void Mode(std::string_view, long& field) {
        if (!HasNext()) return;
        const CString& t = Next();
        if (t.IsEmpty()) return;
        long long v = TextToLong(t.str());
        field = v > 0 ? long(v) : 0;
    }
    void Text(std::string_view, CString& field) {
        if (HasNext()) field = Next();
    }
    void TrimmedText(std::string_view name, CString& field) { Text(name, field); }
    void Font(std::string_view, LOGFONT& field) {
        if (HasNext()) CComplexString::DecomposeString(Next(), field);
    }
    void Numbers(std::string_view, CDWordArray& list) {
        if (!HasNext()) return;
        long long count = TextToLong(Next().str());
        list.RemoveAll();
        for (long long i = 0; i < count && HasNext(); ++i)
            list.Add(DWORD(TextToLong(Next().str())));
    }
    void Texts(std::string_view, CStringArray& list) {
        if (!HasNext()) return;
        int count = TextToInt(Next().str());
        list.RemoveAll();
        for (int i = 0; i < count && HasNext(); ++i)
            list.Add(Next());
    }
    // New entries start as copies of the prototype before their items are read.
    template <class T> void Objects(std::string_view, CObjectArray<T>& list, const T& prototype = T()) {
        if (!HasNext()) return;
        int count = TextToInt(Next().str());
        list.RemoveAll();
        for (int i = 0; i < count && HasNext(); ++i) {
            auto entry = std::make_unique<T>(prototype);
            EntryFields(*entry, *this);
            list.Add(std::move(entry));
        }
    }
    template <class Fn> void Group(std::string_view, Fn fields) { fields(*this); }
    bool Holds(int n) const { return Count() >= n; }

private:
    bool HasNext() const { return m_next < m_items.GetSize(); }
    const CString& Next() { return m_items[m_next++]; }

    CStringArray m_items;
    int m_next = 0;
};
