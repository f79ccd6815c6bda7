#include "SqlStr.h"

void CSqlStr::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        ar << m_strSql;
    else
        ar >> m_strSql;
}
