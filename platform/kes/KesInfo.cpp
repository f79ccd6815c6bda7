#include "KesInfo.h"

#include "DataSource.h"
#include "Login.h"

CKesInfo::CKesInfo() {
    m_strSource = kes::DescribeDataSource();
    std::string uri = kes::ResolveDataSource();
    m_strBackend = uri.rfind("sqlite:", 0) == 0 ? "SQLite" : "PostgreSQL";
    m_strUser = kes::LoggedInUser();
    m_bOpen = true;
}

CKesInfo::~CKesInfo() {
    Close();
}

void CKesInfo::Close() {
    m_strSource.Empty();
    m_strBackend.Empty();
    m_strUser.Empty();
    m_bOpen = false;
}
