#include "PointQuerySettings.h"

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
    Fields(*this, w);
    return w.Joined();
}

void CPointQuerySettings::Decode(const CString& text) {
    CPropertyReader r(text);
    Fields(*this, r);
}
