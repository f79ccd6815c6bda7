#include "PointQuerySettings.h"

#include "PropertyList.h"

int CPointQuerySettings::PointNumberAt(int index) const {
    if (index < 0 || index >= m_points.GetSize()) return -1;
    return TextToInt(m_points[index].m_number.str());
}

CString CPointQuerySettings::PointNameAt(int index) const {
    if (index < 0 || index >= m_points.GetSize()) return {};
    return m_points[index].m_name;
}

CString CPointQuerySettings::Encode() const {
    CPropertyWriter w;
    w.Int(m_accessMode);
    w.Long(m_gridBackground);
    w.Int(m_points.GetSize());
    for (const auto& p : m_points) {
        w.Text(p->m_number);
        CString name = p->m_name;
        w.Text(name.Trim());
        for (int v : p->m_values)
            w.Int(v);
    }
    w.Int(m_styles.GetSize());
    for (const auto& s : m_styles) {
        w.Long(s->m_first);
        w.Long(s->m_second);
        w.Font(s->m_font);
    }
    w.Text(m_displayModeName);
    w.Int(m_dataType);
    w.Int(m_further);
    return w.Joined();
}

void CPointQuerySettings::Decode(const CString& text) {
    CPropertyReader r(text);
    r.Int(m_accessMode);
    r.Long(m_gridBackground);
    int count = 0;
    if (r.Int(count)) {
        m_points.RemoveAll();
        for (int i = 0; i < count && r.HasNext(); ++i) {
            auto p = std::make_unique<CPointEntry>();
            r.Text(p->m_number);
            r.Text(p->m_name);
            for (int& v : p->m_values)
                r.Int(v);
            m_points.Add(std::move(p));
        }
    }
    if (r.Int(count)) {
        m_styles.RemoveAll();
        for (int i = 0; i < count && r.HasNext(); ++i) {
            auto s = std::make_unique<CStyleEntry>();
            s->m_font = m_font;
            r.Long(s->m_first);
            r.Long(s->m_second);
            r.Font(s->m_font);
            m_styles.Add(std::move(s));
        }
    }
    r.Text(m_displayModeName);
    r.Int(m_dataType);
    r.Int(m_further);
}
