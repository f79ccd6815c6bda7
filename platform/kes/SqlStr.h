#pragma once
// One SQL text: a statement on the way to the data service, a reply row or an error text on
// the way back.
#include "Archive.h"
#include "CString.h"
#include "Object.h"

class CSqlStr : public CObject {
public:
    CSqlStr() = default;
    explicit CSqlStr(CString text) : m_strSql(std::move(text)) {}
    CSqlStr(const CSqlStr&) = default;
    CSqlStr& operator=(const CSqlStr&) = default;

    // The text is all that a CSqlStr stores or loads.
    void Serialize(CArchive& ar) override;

    CString m_strSql;
};
