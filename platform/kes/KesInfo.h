#pragma once
// What the data service tells about the data source it serves: the source text (with any
// password left out), the backend's name and the logged-in user. Close forgets it; the
// destructor closes.
#include "CString.h"
#include "Object.h"

class CKesInfo : public CObject {
public:
    CKesInfo();
    CKesInfo(const CKesInfo&) = default;
    CKesInfo& operator=(const CKesInfo&) = default;
    ~CKesInfo() override;

    void Close();
    bool IsOpen() const { return m_bOpen; }

    CString m_strSource;
    CString m_strBackend;
    CString m_strUser;

private:
    bool m_bOpen = false;
};
