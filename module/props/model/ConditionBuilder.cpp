#include "ConditionBuilder.h"

#include "QueryClient.h"
#include "SqlText.h"

namespace {

constexpr const char* kNumberCaptions[] = {"大于", "大于等于", "等于", "不等于", "小于等于", "小于"};
constexpr const char* kNumberOperators[] = {">", ">=", "=", "!=", "<=", "<"};
constexpr const char* kTextCaptions[] = {"包含", "不包含"};
constexpr const char* kTextOperators[] = {" like ", " not like "};

bool HasProjection(const CQueryColumn& column) {
    return TextToInt(column.Projmodeid.str()) >= 1;
}

// The code inside the first parentheses of a "name(code)" entry.
CString EntryCode(const CString& entry) {
    const int open = entry.Find('(');
    const int close = open < 0 ? -1 : entry.Find(')', open + 1);
    return close < 0 ? CString() : entry.Mid(open + 1, close - open - 1);
}

CString StripQuotes(CString text) {
    text.Trim();
    if (text.Left(1) == "'") text = text.Mid(1);
    if (text.Right(1) == "'") text = text.Left(text.GetLength() - 1);
    return text;
}

} // namespace

std::vector<CQueryColumn> FilterColumns(const CObjectArray<CQueryColumn>& columns) {
    std::vector<CQueryColumn> offered;
    for (int i = 1; i < columns.GetSize(); ++i) {
        const CQueryColumn& c = columns[i];
        if (c.Point != -1 && (c.valueClass == kValueText || c.valueClass == kValueNumber))
            offered.push_back(c);
    }
    return offered;
}

CStringArray OperatorCaptions(const CQueryColumn& column) {
    CStringArray captions;
    if (column.valueClass == kValueText)
        for (const char* c : kTextCaptions)
            captions.Add(c);
    else
        for (const char* c : kNumberCaptions)
            captions.Add(c);
    return captions;
}

CString ComposePiece(const CQueryColumn& column, int operatorIndex, const CString& value) {
    CString op;
    CString literal;
    if (column.valueClass == kValueNumber && operatorIndex >= 0 && operatorIndex < 6) {
        op = kNumberOperators[operatorIndex];
        literal = FormatSqlValue(column, HasProjection(column) ? EntryCode(value) : value);
    } else if (column.valueClass == kValueText && operatorIndex >= 0 && operatorIndex < 2) {
        op = kTextOperators[operatorIndex];
        const CString text = HasProjection(column) ? EntryCode(value).Trim() : StripQuotes(value);
        literal = FormatSqlValue(column, "%" + text + "%");
    } else {
        return {};
    }
    if (HasProjection(column) && EntryCode(value).IsEmpty()) return {};
    return column.colname + op + literal;
}

CString ValueRefusal(const CQueryColumn& column, const CString& value) {
    CString trimmed = value;
    trimmed.Trim();
    if (column.valueClass != kValueNumber || HasProjection(column) || trimmed.IsEmpty() ||
        IsSqlNumber(trimmed))
        return {};
    return "\"" + trimmed + "\" 不是数字: 数值字段的条件值只能是数字。";
}

void CFilterCondition::Add(const CString& piece, bool orJoin) {
    if (piece.IsEmpty()) return;
    if (!m_text.IsEmpty()) m_text += orJoin ? " OR " : " AND ";
    m_text += piece;
}

CString WrappedCondition(const CString& text) {
    CString trimmed = text;
    trimmed.Trim();
    return trimmed.IsEmpty() ? CString() : " (" + trimmed + ") ";
}

CString KeyFilterCondition(const CString& text) {
    return " (" + (text.Find("例") >= 0 ? CString() : text) + ") ";
}

CString ConditionRefusal(CQueryClient& client, const CString& table, const CString& condition) {
    CString trimmedTable = table;
    trimmedTable.Trim();
    CString sql;
    sql.Format("SELECT COUNT(*) FROM KES.%s WHERE %s", trimmedTable, condition);
    const int answered = client.Query(sql);
    client.ClearRows();
    if (answered) return {};
    return "条件不能使用: " + client.m_strLastError;
}
