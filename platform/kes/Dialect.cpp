#include "Dialect.h"

#include <cctype>
#include <cstdio>
#include <string>

namespace kes {
namespace {

bool IsWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$' ||
           static_cast<unsigned char>(c) >= 0x80;
}

bool SameWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::size_t SkipSpace(std::string_view s, std::size_t i) {
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i])))
        ++i;
    return i;
}

// Index just past the literal that starts at i (a quote character), or npos when it never
// ends. A doubled quote inside stands for the quote itself.
std::size_t EndOfQuoted(std::string_view s, std::size_t i) {
    char quote = s[i];
    for (++i; i < s.size(); ++i) {
        if (s[i] != quote) continue;
        if (i + 1 < s.size() && s[i + 1] == quote) {
            ++i;
            continue;
        }
        return i + 1;
    }
    return std::string_view::npos;
}

// The body of an escape's time literal in the exchange form, or an empty text when it is no
// time: "%d-%d-%d" with an optional "%d:%d:%d".
std::string NormalTime(std::string_view body, bool withTime) {
    int f[6] = {0, 0, 0, 0, 0, 0};
    std::string text(body);
    int n = std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d", &f[0], &f[1], &f[2], &f[3], &f[4], &f[5]);
    if (n < 3 || f[1] < 1 || f[1] > 12 || f[2] < 1 || f[2] > 31 || f[3] < 0 || f[3] > 23 || f[4] < 0 ||
        f[4] > 59 || f[5] < 0 || f[5] > 59)
        return {};
    char buf[64];
    if (withTime)
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", f[0], f[1], f[2], f[3], f[4], f[5]);
    else
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", f[0], f[1], f[2]);
    return buf;
}

std::string NormalClock(std::string_view body) {
    int f[3] = {0, 0, 0};
    std::string text(body);
    if (std::sscanf(text.c_str(), "%d:%d:%d", &f[0], &f[1], &f[2]) < 2) return {};
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", f[0], f[1], f[2]);
    return buf;
}

// An ODBC escape at s[i] == '{': "{ts '...'}", "{d '...'}", "{t '...'}" or "{fn ...}".
// Appends its translation and returns the index after "}", or npos with error set.
std::size_t TranslateEscape(std::string_view s, std::size_t i, Backend backend, std::string& out,
                            std::string& error) {
    std::size_t k = SkipSpace(s, i + 1);
    std::size_t wordEnd = k;
    while (wordEnd < s.size() && IsWordChar(s[wordEnd]))
        ++wordEnd;
    std::string_view word = s.substr(k, wordEnd - k);
    if (SameWord(word, "fn")) {
        // The function call itself is plain SQL in both backends: keep it, drop the braces.
        std::size_t close = SkipSpace(s, wordEnd);
        std::string inner;
        while (close < s.size() && s[close] != '}') {
            if (s[close] == '\'') {
                std::size_t end = EndOfQuoted(s, close);
                if (end == std::string_view::npos) break;
                inner.append(s.substr(close, end - close));
                close = end;
                continue;
            }
            inner += s[close++];
        }
        if (close >= s.size()) {
            error = "a {fn escape is not closed with }";
            return std::string_view::npos;
        }
        std::string adapted;
        if (!AdaptSql(inner, backend, adapted, error)) return std::string_view::npos;
        out += adapted;
        return close + 1;
    }
    bool ts = SameWord(word, "ts"), d = SameWord(word, "d"), t = SameWord(word, "t");
    k = SkipSpace(s, wordEnd);
    if (!(ts || d || t) || k >= s.size() || s[k] != '\'') {
        error = "unknown or damaged escape near \"" + std::string(s.substr(i, 20)) + "\"";
        return std::string_view::npos;
    }
    std::size_t litEnd = EndOfQuoted(s, k);
    if (litEnd == std::string_view::npos) {
        error = "unterminated string literal in a time escape";
        return std::string_view::npos;
    }
    std::size_t close = SkipSpace(s, litEnd);
    if (close >= s.size() || s[close] != '}') {
        error = "a time escape is not closed with }";
        return std::string_view::npos;
    }
    std::string_view body = s.substr(k + 1, litEnd - k - 2);
    std::string value = t ? NormalClock(body) : NormalTime(body, ts);
    if (value.empty()) {
        error = "not a time in escape: '" + std::string(body) + "'";
        return std::string_view::npos;
    }
    if (backend == Backend::Postgres) out += ts ? "TIMESTAMP " : d ? "DATE " : "TIME ";
    out += '\'';
    out += value;
    out += '\'';
    return close + 1;
}

// After "TRIM" at s[i] == '(' : true when the call is TRIM(expression), the form that also
// takes numbers, and not TRIM(BOTH ... FROM ...) or TRIM(' ' FROM x).
bool IsPlainTrimCall(std::string_view s, std::size_t i) {
    int depth = 0;
    bool first = true;
    for (std::size_t k = i; k < s.size();) {
        char c = s[k];
        if (c == '\'' || c == '"') {
            std::size_t end = EndOfQuoted(s, k);
            if (end == std::string_view::npos) return true;
            k = end;
            first = false;
            continue;
        }
        if (c == '(') ++depth;
        if (c == ')' && --depth == 0) return true;
        if (IsWordChar(c)) {
            std::size_t end = k;
            while (end < s.size() && IsWordChar(s[end]))
                ++end;
            std::string_view w = s.substr(k, end - k);
            if (depth == 1 &&
                (SameWord(w, "FROM") ||
                 (first && (SameWord(w, "BOTH") || SameWord(w, "LEADING") || SameWord(w, "TRAILING")))))
                return false;
            first = false;
            k = end;
            continue;
        }
        if (!std::isspace(static_cast<unsigned char>(c)) && c != '(') first = false;
        ++k;
    }
    return true;
}

} // namespace

bool AdaptSql(std::string_view s, Backend backend, std::string& out, std::string& error) {
    out.clear();
    out.reserve(s.size() + 16);
    std::size_t i = 0;
    while (i < s.size()) {
        char c = s[i];
        if (c == '\'' || c == '"') {
            std::size_t end = EndOfQuoted(s, i);
            if (end == std::string_view::npos) {
                error = c == '\'' ? "unterminated string literal" : "unterminated quoted name";
                return false;
            }
            out.append(s.substr(i, end - i));
            i = end;
        } else if (c == '-' && i + 1 < s.size() && s[i + 1] == '-') {
            std::size_t end = s.find('\n', i);
            end = end == std::string_view::npos ? s.size() : end;
            out.append(s.substr(i, end - i));
            i = end;
        } else if (c == '/' && i + 1 < s.size() && s[i + 1] == '*') {
            std::size_t end = s.find("*/", i + 2);
            if (end == std::string_view::npos) {
                error = "unterminated comment";
                return false;
            }
            out.append(s.substr(i, end + 2 - i));
            i = end + 2;
        } else if (c == '{') {
            i = TranslateEscape(s, i, backend, out, error);
            if (i == std::string_view::npos) return false;
        } else if (IsWordChar(c)) {
            std::size_t end = i;
            while (end < s.size() && IsWordChar(s[end]))
                ++end;
            std::string_view word = s.substr(i, end - i);
            std::size_t next = SkipSpace(s, end);
            // PostgreSQL's TRIM takes text only; the system also trims numbers to their text.
            if (backend == Backend::Postgres && SameWord(word, "TRIM") && next < s.size() && s[next] == '(' &&
                IsPlainTrimCall(s, next))
                out += "vx_trim";
            else
                out.append(word);
            i = end;
        } else {
            out += c;
            ++i;
        }
    }
    return true;
}

std::string LeadingWords(std::string_view sql, int count) {
    std::string out;
    std::size_t i = 0;
    for (int w = 0; w < count; ++w) {
        for (;;) {
            i = SkipSpace(sql, i);
            if (i < sql.size() && sql[i] == ';') {
                ++i;
            } else if (sql.substr(i, 2) == "--") {
                std::size_t end = sql.find('\n', i);
                i = end == std::string_view::npos ? sql.size() : end;
            } else if (sql.substr(i, 2) == "/*") {
                std::size_t end = sql.find("*/", i + 2);
                i = end == std::string_view::npos ? sql.size() : end + 2;
            } else {
                break;
            }
        }
        if (i >= sql.size() || !std::isalpha(static_cast<unsigned char>(sql[i]))) break;
        if (!out.empty()) out += ' ';
        while (i < sql.size() && std::isalpha(static_cast<unsigned char>(sql[i])))
            out += char(std::toupper(static_cast<unsigned char>(sql[i++])));
    }
    return out;
}

bool WithRowLimit(std::string_view s, int rows, std::string& out) {
    if (rows <= 0 || LeadingWords(s, 1) != "SELECT") return false;
    int depth = 0;
    std::size_t end = 0; // just past the last token that is neither blank, comment nor ";"
    for (std::size_t i = 0; i < s.size();) {
        char c = s[i];
        if (c == '\'' || c == '"') {
            std::size_t close = EndOfQuoted(s, i);
            if (close == std::string_view::npos) return false;
            i = end = close;
        } else if (c == '-' && i + 1 < s.size() && s[i + 1] == '-') {
            std::size_t close = s.find('\n', i);
            i = close == std::string_view::npos ? s.size() : close;
        } else if (c == '/' && i + 1 < s.size() && s[i + 1] == '*') {
            std::size_t close = s.find("*/", i + 2);
            if (close == std::string_view::npos) return false;
            i = close + 2;
        } else if (IsWordChar(c)) {
            std::size_t w = i;
            while (i < s.size() && IsWordChar(s[i]))
                ++i;
            std::string_view word = s.substr(w, i - w);
            if (depth == 0 && (SameWord(word, "LIMIT") || SameWord(word, "OFFSET") ||
                               SameWord(word, "FETCH") || SameWord(word, "FOR") || SameWord(word, "INTO")))
                return false;
            end = i;
        } else {
            if (c == '(') ++depth;
            if (c == ')') --depth;
            if (c == ';' && depth == 0) {
                // Only ";" and blanks may follow at the outer level: one statement alone.
                std::size_t k = i;
                while (k < s.size() && (s[k] == ';' || std::isspace(static_cast<unsigned char>(s[k]))))
                    ++k;
                if (k < s.size()) return false;
                break;
            }
            if (!std::isspace(static_cast<unsigned char>(c))) end = i + 1;
            ++i;
        }
    }
    if (depth != 0) return false;
    // Comments after the last token are left out; the limit follows on a line of its own.
    out.assign(s.substr(0, end));
    out += "\nLIMIT " + std::to_string(rows);
    return true;
}

std::string QuoteLiteral(std::string_view text) {
    std::string out = "'";
    for (char c : text) {
        if (c == '\'') out += '\'';
        out += c;
    }
    out += '\'';
    return out;
}

} // namespace kes
