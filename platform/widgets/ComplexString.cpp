#include "ComplexString.h"

namespace {
constexpr char kSeparator = ';';
constexpr char kEscape = '\\';
} // namespace

CString CComplexString::AnnexArrayStringS(const CStringArray& items) {
    std::string out;
    for (const CString& item : items) {
        for (char c : item.str()) {
            if (c == kSeparator || c == kEscape) out += kEscape;
            out += c;
        }
        out += kSeparator;
    }
    return CString(std::move(out));
}

void CComplexString::DecomposeStringS(const CString& text, CStringArray& items) {
    items.RemoveAll();
    const std::string& s = text.str();
    std::string cur;
    bool pending = false; // characters read since the last separator
    for (std::size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c == kEscape && i + 1 < s.size()) {
            cur += s[++i];
            pending = true;
        } else if (c == kSeparator) {
            items.Add(CString(std::move(cur)));
            cur.clear();
            pending = false;
        } else {
            cur += c;
            pending = true;
        }
    }
    if (pending) items.Add(CString(std::move(cur)));
}

CString CComplexString::AnnexArrayString(const LOGFONT& f) {
    CStringArray items;
    for (long v :
         {long(f.lfHeight), long(f.lfWidth), long(f.lfEscapement), long(f.lfOrientation), long(f.lfWeight),
          long(f.lfItalic), long(f.lfUnderline), long(f.lfStrikeOut), long(f.lfCharSet),
          long(f.lfOutPrecision), long(f.lfClipPrecision), long(f.lfQuality), long(f.lfPitchAndFamily)}) {
        CString t;
        t.Format("%ld", v);
        items.Add(t);
    }
    items.Add(f.lfFaceName);
    return AnnexArrayStringS(items);
}

bool CComplexString::DecomposeString(const CString& text, LOGFONT& f) {
    CStringArray items;
    DecomposeStringS(text, items);
    if (items.IsEmpty()) return false;
    LONG* longs[] = {&f.lfHeight, &f.lfWidth, &f.lfEscapement, &f.lfOrientation, &f.lfWeight};
    BYTE* bytes[] = {&f.lfItalic,       &f.lfUnderline,     &f.lfStrikeOut, &f.lfCharSet,
                     &f.lfOutPrecision, &f.lfClipPrecision, &f.lfQuality,   &f.lfPitchAndFamily};
    int i = 0;
    for (LONG* p : longs) {
        if (i >= items.GetSize()) return true;
        *p = LONG(TextToLong(items[i++].str()));
    }
    for (BYTE* p : bytes) {
        if (i >= items.GetSize()) return true;
        *p = BYTE(TextToLong(items[i++].str()));
    }
    if (i < items.GetSize()) f.lfFaceName = items[i];
    return true;
}
