#include "SqlText.h"

#include "OleDateTime.h"

#include <cctype>
#include <vector>

CString EscapeInLiteral(const CString& text) {
    CString t = text;
    t.Replace("'", "''");
    return t;
}

CString QuoteLiteral(const CString& text) {
    return "'" + EscapeInLiteral(text) + "'";
}

bool IsSqlNumber(const CString& text) {
    const std::string& s = text.str();
    std::size_t i = 0, n = s.size();
    if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < n && std::isdigit(static_cast<unsigned char>(s[i])))
        ++i, ++digits;
    if (i < n && s[i] == '.') {
        ++i;
        while (i < n && std::isdigit(static_cast<unsigned char>(s[i])))
            ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
        std::size_t exp = 0;
        while (i < n && std::isdigit(static_cast<unsigned char>(s[i])))
            ++i, ++exp;
        if (exp == 0) return false;
    }
    return i == n;
}

namespace {

bool IsQuotedLiteral(const CString& key) {
    const std::string& s = key.str();
    if (s.size() < 2 || s.front() != '\'' || s.back() != '\'') return false;
    for (std::size_t i = 1; i + 1 < s.size(); ++i) {
        if (s[i] != '\'') continue;
        if (i + 2 < s.size() && s[i + 1] == '\'') {
            ++i; // a doubled quote inside the literal
            continue;
        }
        return false;
    }
    return true;
}

// Splits at the commas that stand outside quoted literals.
std::vector<CString> SplitKeys(const CString& inner) {
    std::vector<CString> keys;
    std::string cur;
    bool quoted = false;
    for (char c : inner.str()) {
        if (c == '\'') quoted = !quoted; // a doubled quote toggles twice and stays inside
        if (c == ',' && !quoted) {
            keys.emplace_back(std::move(cur));
            cur.clear();
        } else {
            cur += c;
        }
    }
    keys.emplace_back(std::move(cur));
    return keys;
}

} // namespace

CString MapKeyList(const CString& list) {
    CString inner = list;
    inner.Trim();
    if (inner.Left(1) == "(" && inner.Right(1) == ")") inner = inner.Mid(1, inner.GetLength() - 2);
    CString out = "(";
    bool first = true;
    for (CString key : SplitKeys(inner)) {
        key.Trim();
        if (!first) out += ",";
        first = false;
        out += (IsSqlNumber(key) || IsQuotedLiteral(key)) ? key : QuoteLiteral(key);
    }
    return out + ")";
}

CString FormatSqlValue(const CQueryColumn& column, const CString& value) {
    CString trimmed = value;
    trimmed.Trim();
    switch (column.valueClass) {
    case kValueText:
        return QuoteLiteral(value);
    case kValueNumber:
        if (trimmed.IsEmpty()) return "0";
        return IsSqlNumber(trimmed) ? trimmed : CString("NULL");
    case kValueTime:
        if (trimmed.IsEmpty()) trimmed = COleDateTime::GetCurrentTime().Format("%Y-%m-%d %H:%M:%S");
        return "{ts " + QuoteLiteral(trimmed) + "}";
    default:
        return {};
    }
}
