#include "ElementDescription.h"

#include <fmt/format.h>

std::string DescribeFont(const LOGFONT& f) {
    return fmt::format("\"{}\" height {} width {} weight {} italic {} underline {} strike-out {} charset {} "
                       "escapement {} orientation {} out {} clip {} quality {} pitch-family 0x{:02X}",
                       f.lfFaceName.str(), f.lfHeight, f.lfWidth, f.lfWeight, f.lfItalic, f.lfUnderline,
                       f.lfStrikeOut, f.lfCharSet, f.lfEscapement, f.lfOrientation, f.lfOutPrecision,
                       f.lfClipPrecision, f.lfQuality, f.lfPitchAndFamily);
}

std::string DescribeColor(COLORREF c) {
    return fmt::format("0x{:06X} (r {} g {} b {})", c, GetRValue(c), GetGValue(c), GetBValue(c));
}

namespace {

std::string Quoted(const CString& t) {
    return "\"" + t.str() + "\"";
}

// The fields of one list entry or group as one line: "label value label value ...".
class LineParts {
public:
    void Int(std::string_view label, long long v) { Add(label, std::to_string(v)); }
    void Long(std::string_view label, long long v) { Add(label, std::to_string(v)); }
    void Color(std::string_view label, COLORREF c) { Add(label, DescribeColor(c)); }
    void Text(std::string_view label, const CString& t) { Add(label, Quoted(t)); }
    void TrimmedText(std::string_view label, const CString& t) { Text(label, t); }
    void Font(std::string_view label, const LOGFONT& f) { Add(label, DescribeFont(f)); }
    const std::string& Line() const { return m_line; }

private:
    void Add(std::string_view label, const std::string& value) {
        if (!m_line.empty()) m_line += ' ';
        if (!label.empty()) m_line.append(label).append(" ");
        m_line += value;
    }
    std::string m_line;
};

// One line per field of a record, each name behind the record's prefix.
class Lines {
public:
    Lines(std::vector<CFieldLine>& out, std::string prefix) : m_out(out), m_prefix(std::move(prefix)) {}

    template <class T> void Int(std::string_view name, const T& v) { Add(name, fmt::format("{}", v)); }
    template <class T> void Long(std::string_view name, const T& v) { Add(name, fmt::format("{}", v)); }
    template <class T> void Carried(std::string_view name, const T& v) { Add(name, fmt::format("{}", v)); }
    void Flag(std::string_view name, int v) { Add(name, fmt::format("{}", v)); }
    void Mode(std::string_view name, long mode) {
        static const char* modes[] = {"table query", "point query", "settings-table viewer"};
        Add(name, fmt::format("{}{}", mode, mode >= 0 && mode <= 2 ? fmt::format(" ({})", modes[mode]) : ""));
    }
    void Color(std::string_view name, COLORREF c) { Add(name, DescribeColor(c)); }
    void Text(std::string_view name, const CString& t) { Add(name, Quoted(t)); }
    void TrimmedText(std::string_view name, const CString& t) { Text(name, t); }
    void Font(std::string_view name, const LOGFONT& f) { Add(name, DescribeFont(f)); }
    void Numbers(std::string_view name, const CDWordArray& a) {
        std::string v;
        for (DWORD d : a)
            v += (v.empty() ? "" : " ") + std::to_string(d);
        Add(name, fmt::format("[{}]", v));
    }
    void Texts(std::string_view name, const CStringArray& a) {
        Add(fmt::format("{}.count", name), std::to_string(a.GetSize()));
        for (int i = 0; i < a.GetSize(); ++i)
            Add(fmt::format("{}[{}]", name, i), Quoted(a[i]));
    }
    template <class T> void Objects(std::string_view name, const CObjectArray<T>& list, const T& = T()) {
        Add(fmt::format("{}.count", name), std::to_string(list.GetSize()));
        for (int i = 0; i < list.GetSize(); ++i) {
            LineParts parts;
            EntryFields(list[i], parts);
            Add(fmt::format("{}[{}]", name, i), parts.Line());
        }
    }
    template <class Fn> void Group(std::string_view name, Fn fields) {
        LineParts parts;
        fields(parts);
        Add(name, parts.Line());
    }
    bool Holds(int) const { return true; }

    void Add(std::string_view name, std::string value) {
        m_out.push_back({m_prefix + std::string(name), std::move(value)});
    }

private:
    std::vector<CFieldLine>& m_out;
    std::string m_prefix;
};

template <class Record>
void DescribeRecord(std::vector<CFieldLine>& out, const char* prefix, const Record& r) {
    Lines lines(out, prefix);
    Record::Fields(r, lines);
}

} // namespace

std::vector<CFieldLine> DescribeElement(const CVexorQueryElemOBJ& e) {
    std::vector<CFieldLine> out;
    Lines l(out, "");
    l.Text("typeName", e.m_typeName);
    l.Add("rect", fmt::format("{} {} {} {} ({} x {})", e.m_rect.left, e.m_rect.top, e.m_rect.right,
                              e.m_rect.bottom, e.m_rect.Width(), e.m_rect.Height()));
    CLineStyle line = e.GetLineStyle();
    CFillStyle fill = e.GetFillStyle();
    CTextStyle text = e.GetTextStyle();
    l.Add("lineStyle",
          fmt::format("colour {} width {} style {}", DescribeColor(line.color), line.width, line.style));
    l.Add("fillStyle", fmt::format("colour {} filled {} pattern {}", DescribeColor(fill.color), fill.filled,
                                   fill.pattern));
    l.Add("textStyle", fmt::format("colour {} font {}", DescribeColor(text.color), DescribeFont(text.font)));
    Lines window(out, "window.");
    CWindowSettings::Fields(e.m_windowSettings, e.m_querySettings, window);
    DescribeRecord(out, "query.", e.m_querySettings);
    DescribeRecord(out, "interface.", e.m_interfaceSettings);
    DescribeRecord(out, "point.", e.m_pointSettings);
    DescribeRecord(out, "options.", e.m_queryOptions);
    DescribeRecord(out, "sysview.", e.m_sysViewSettings);
    l.Text("further1", e.m_further1);
    l.Text("further2", e.m_further2);
    l.Text("further3", e.m_further3);
    return out;
}
