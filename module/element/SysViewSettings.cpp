#include "SysViewSettings.h"

#include "PropertyList.h"

CString CSysViewSettings::Encode() const {
    CPropertyWriter w;
    w.Long(m_background);
    w.Text(m_text);
    w.Int(m_entries.GetSize());
    for (const auto& e : m_entries) {
        w.Text(e->m_table);
        w.Text(e->m_second);
        w.Text(e->m_column);
    }
    return w.Joined();
}

void CSysViewSettings::Decode(const CString& text) {
    CPropertyReader r(text);
    r.Long(m_background);
    r.Text(m_text);
    int count = 0;
    if (!r.Int(count)) return;
    m_entries.RemoveAll();
    for (int i = 0; i < count && r.HasNext(); ++i) {
        auto e = std::make_unique<CSysViewEntry>();
        r.Text(e->m_table);
        r.Text(e->m_second);
        r.Text(e->m_column);
        m_entries.Add(std::move(e));
    }
}
