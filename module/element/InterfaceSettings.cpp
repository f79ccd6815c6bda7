#include "InterfaceSettings.h"

#include "PropertyList.h"

namespace {

// A flag item holds "1" or "0"; any other text reads as 0.
int FlagOf(const CString& item) {
    CString t = item;
    return t.Trim() == "1" ? 1 : 0;
}

// A count followed by that many values; the list is rebuilt from the values present.
void ReadDWordList(CPropertyReader& r, CDWordArray& list) {
    long long count = 0;
    if (!r.Long(count)) return;
    list.RemoveAll();
    for (long long i = 0; i < count && r.HasNext(); ++i) {
        DWORD v = 0;
        r.Long(v);
        list.Add(v);
    }
}

void WriteDWordList(CPropertyWriter& w, const CDWordArray& list) {
    w.Long(list.GetSize());
    for (DWORD v : list)
        w.Long(v);
}

} // namespace

CString CInterfaceSettings::Encode() const {
    CPropertyWriter w;
    w.Long(m_mode);
    w.Int(m_alternateRows);
    w.Long(m_firstRowColor);
    w.Long(m_secondRowColor);
    w.Int(m_fixedColumns);
    WriteDWordList(w, m_columnWidths);
    w.Long(m_gridBackground);
    w.Int(m_elementChoice);
    WriteDWordList(w, m_elementList);
    w.Long(m_fixedColumnCount);
    w.Long(m_panelWidth);
    return w.Joined();
}

void CInterfaceSettings::Decode(const CString& text) {
    CPropertyReader r(text);
    if (r.Count() >= 1) {
        CString mode;
        r.Text(mode);
        if (!mode.IsEmpty()) {
            long long v = TextToLong(mode.str());
            m_mode = v > 0 ? long(v) : 0;
        }
    }
    if (r.Count() < 4) return;
    CString flag;
    r.Text(flag);
    m_alternateRows = FlagOf(flag);
    r.Long(m_firstRowColor);
    r.Long(m_secondRowColor);
    if (r.Count() < 5) return;
    r.Text(flag);
    m_fixedColumns = FlagOf(flag);
    ReadDWordList(r, m_columnWidths);
    r.Long(m_gridBackground);
    r.Int(m_elementChoice);
    ReadDWordList(r, m_elementList);
    r.Long(m_fixedColumnCount);
    r.Long(m_panelWidth);
}
