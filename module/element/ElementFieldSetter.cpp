#include "ElementFieldSetter.h"

#include "WholeNumber.h"

#include <fmt/format.h>

#include <limits>
#include <utility>

namespace {

CStringArray SplitList(std::string_view text) {
    CStringArray items;
    if (text.empty()) return items;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        items.Add(CString(text.substr(start, comma == std::string_view::npos ? text.npos : comma - start)));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return items;
}

// Visits every field of a record and sets the one whose name matches.
class FieldSetter {
public:
    FieldSetter(std::string_view prefix, std::string_view name, std::string_view value)
        : m_prefix(prefix), m_name(name), m_value(value) {}

    bool Found() const { return m_found; }
    const std::string& Error() const { return m_error; }

    template <class T> void Int(std::string_view name, T& field) { Number(name, field); }
    template <class T> void Long(std::string_view name, T& field) { Number(name, field); }
    template <class T> void Carried(std::string_view name, T& field) { Number(name, field); }
    void Mode(std::string_view name, long& field) { Ranged(name, field, 0, 2); }
    void Flag(std::string_view name, int& field) { Ranged(name, field, 0, 1); }
    void Color(std::string_view name, COLORREF& field) {
        if (!Matches(name)) return;
        long long v = 0;
        const bool hex = m_value.starts_with("0x") || m_value.starts_with("0X");
        bool read = false;
        if (hex) {
            const std::string_view digits = m_value.substr(2);
            read = !digits.empty() && digits.size() <= 6 &&
                   digits.find_first_not_of("0123456789abcdefABCDEF") == std::string_view::npos;
            if (read) v = std::stoll(std::string(digits), nullptr, 16);
        } else {
            read = ReadWholeNumber(m_value, 0, 0xFFFFFF, v);
        }
        if (!read) return Refuse("a colour from 0 to 0xFFFFFF");
        field = COLORREF(v);
    }
    void Text(std::string_view name, CString& field) {
        if (Matches(name)) field = CString(m_value);
    }
    void TrimmedText(std::string_view name, CString& field) { Text(name, field); }
    void Font(std::string_view name, LOGFONT&) { NotSettable(name, "a font"); }
    void Numbers(std::string_view name, CDWordArray& list) {
        if (!Matches(name)) return;
        CDWordArray read;
        for (const CString& item : SplitList(m_value)) {
            long long v = 0;
            if (!ReadWholeNumber(item.str(), 0, std::numeric_limits<DWORD>::max(), v))
                return Refuse("whole numbers from 0 up, separated by ','");
            read.Add(DWORD(v));
        }
        list = std::move(read);
    }
    void Texts(std::string_view name, CStringArray& list) {
        if (Matches(name)) list = SplitList(m_value);
    }
    template <class T> void Objects(std::string_view name, CObjectArray<T>&, const T& = T()) {
        NotSettable(name, "a list of entries");
    }
    template <class Fn> void Group(std::string_view name, Fn) { NotSettable(name, "a group of values"); }
    bool Holds(int) const { return true; }

private:
    bool Matches(std::string_view name) {
        if (m_found || m_prefix.size() + name.size() != m_name.size() || !m_name.starts_with(m_prefix) ||
            !m_name.ends_with(name))
            return false;
        m_found = true;
        return true;
    }
    template <class T> void Number(std::string_view name, T& field) {
        Ranged(name, field, std::numeric_limits<T>::min(), std::numeric_limits<T>::max());
    }
    template <class T> void Ranged(std::string_view name, T& field, long long min, long long max) {
        if (!Matches(name)) return;
        long long v = 0;
        if (!ReadWholeNumber(m_value, min, max, v))
            return Refuse(fmt::format("a whole number from {} to {}", min, max));
        field = T(v);
    }
    void NotSettable(std::string_view name, const char* what) {
        if (Matches(name)) m_error = fmt::format("{} is {} and cannot be set this way", m_name, what);
    }
    void Refuse(const std::string& wanted) {
        m_error = fmt::format("{}: '{}' is not {}", m_name, m_value, wanted);
    }

    std::string_view m_prefix;
    std::string_view m_name;
    std::string_view m_value;
    bool m_found = false;
    std::string m_error;
};

template <class Record>
bool SetIn(Record& record, std::string_view prefix, std::string_view name, std::string_view value,
           std::string& error) {
    if (!name.starts_with(prefix)) return false;
    Record changed = record;
    FieldSetter setter(prefix, name, value);
    Record::Fields(changed, setter);
    if (!setter.Found()) return false;
    error = setter.Error();
    if (error.empty()) record = std::move(changed);
    return true;
}

// The window settings with the query fields their string carries: a carried field set by its
// window name is set in the query settings, its one home.
bool SetInWindow(CVexorQueryElemOBJ& e, std::string_view name, std::string_view value, std::string& error) {
    constexpr std::string_view prefix = "window.";
    if (!name.starts_with(prefix)) return false;
    CWindowSettings window = e.m_windowSettings;
    CQuerySettings query = e.m_querySettings;
    FieldSetter setter(prefix, name, value);
    CWindowSettings::Fields(window, query, setter);
    if (!setter.Found()) return false;
    error = setter.Error();
    if (error.empty()) {
        e.m_windowSettings = std::move(window);
        e.m_querySettings = std::move(query);
    }
    return true;
}

} // namespace

bool SetElementField(CVexorQueryElemOBJ& e, std::string_view name, std::string_view value,
                     std::string& error) {
    error.clear();
    const bool found = SetInWindow(e, name, value, error) ||
                       SetIn(e.m_querySettings, "query.", name, value, error) ||
                       SetIn(e.m_interfaceSettings, "interface.", name, value, error) ||
                       SetIn(e.m_pointSettings, "point.", name, value, error) ||
                       SetIn(e.m_queryOptions, "options.", name, value, error) ||
                       SetIn(e.m_sysViewSettings, "sysview.", name, value, error);
    if (!found) {
        CString* further = name == "further1"   ? &e.m_further1
                           : name == "further2" ? &e.m_further2
                           : name == "further3" ? &e.m_further3
                                                : nullptr;
        if (!further) {
            error = fmt::format("no field '{}' (the names are those 'vexorquery display' prints)", name);
            return false;
        }
        *further = CString(value);
    }
    return error.empty();
}
