#include "Param.h"

int CParam::AddID(int id) {
    m_ids.push_back(id);
    return int(m_ids.size());
}

int CParam::SetTime(const COleDateTime& time, char marker) {
    if (marker == 'B' || marker == 'b')
        m_begin = time;
    else if (marker == 'E' || marker == 'e')
        m_end = time;
    else
        return -1;
    return 0;
}

int CParam::SetExStr(const CString& text) {
    m_exStr = text;
    return 0;
}

int CParam::SetExInt(int value) {
    m_exInt = value;
    return 0;
}
