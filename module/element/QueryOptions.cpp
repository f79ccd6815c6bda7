#include "QueryOptions.h"

CString CQueryOptions::Encode() const {
    CPropertyWriter w;
    Fields(*this, w);
    return w.Joined();
}

void CQueryOptions::Decode(const CString& text) {
    CPropertyReader r(text);
    Fields(*this, r);
}
