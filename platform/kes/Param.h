#pragma once
// A request block for the data service: the identifiers asked for, a begin and an end time
// and an extra text and number whose meaning the call gives (OutRT and OutSpanDB take the
// table name from the extra text).
#include "CString.h"
#include "OleDateTime.h"

#include <optional>
#include <vector>

class CParam {
public:
    int AddID(int id);
    // 'B' sets the begin time, 'E' the end time; any other marker is refused with -1.
    int SetTime(const COleDateTime& time, char marker);
    int SetExStr(const CString& text);
    int SetExInt(int value);
    // A read-only request: the database refuses the statement if it would change anything.
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool IsReadOnly() const { return m_readOnly; }
    // Only the first rows of the result are wanted (0: all of them).
    void SetRowLimit(int rows) { m_rowLimit = rows > 0 ? rows : 0; }
    int RowLimit() const { return m_rowLimit; }

    const std::vector<int>& Ids() const { return m_ids; }
    const std::optional<COleDateTime>& Begin() const { return m_begin; }
    const std::optional<COleDateTime>& End() const { return m_end; }
    const CString& ExStr() const { return m_exStr; }
    int ExInt() const { return m_exInt; }

private:
    std::vector<int> m_ids;
    std::optional<COleDateTime> m_begin;
    std::optional<COleDateTime> m_end;
    CString m_exStr;
    int m_exInt = 0;
    bool m_readOnly = false;
    int m_rowLimit = 0;
};
