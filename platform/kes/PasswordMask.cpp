#include "PasswordMask.h"

#include <cctype>

namespace kes {
namespace {

constexpr std::string_view kMask = "***";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool EqualsIgnoringCase(std::string_view text, std::size_t at, std::string_view word) {
    if (at + word.size() > text.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[at + i])) != word[i]) return false;
    return true;
}

// Masks the password of every "postgres[ql]://user:PW@" in text. The URI ends at the closing
// quote when a quote stands before it (as the client library quotes it), else at a blank; its
// userinfo ends at the last "@" in it, so a password holding "@" or "/" is masked whole.
std::string MaskUriUserinfo(std::string_view text) {
    std::string out;
    std::size_t copied = 0;
    for (std::size_t scheme = text.find("://"); scheme != std::string_view::npos;
         scheme = text.find("://", scheme + 3)) {
        std::size_t start = scheme + 3;
        std::size_t name = scheme;
        while (name > 0 && std::isalpha(static_cast<unsigned char>(text[name - 1])))
            --name;
        if (!EqualsIgnoringCase(text, name, "postgres") || start < copied) continue;
        std::size_t end;
        if (name > 0 && (text[name - 1] == '"' || text[name - 1] == '\'')) {
            end = text.rfind(text[name - 1]);
            if (end < start) end = text.size();
        } else {
            end = start;
            while (end < text.size() && !IsBlank(text[end]))
                ++end;
        }
        std::size_t at = text.substr(0, end).rfind('@');
        if (at == std::string_view::npos || at < start) continue;
        std::size_t colon = text.find(':', start);
        if (colon >= at) continue;
        out.append(text.substr(copied, colon + 1 - copied)).append(kMask);
        copied = at;
    }
    out.append(text.substr(copied));
    return out;
}

// The end of a keyword value starting at pos: a single-quoted value with its backslash
// escapes, else up to a blank, "&" or "#" (backslash escapes included).
std::size_t ValueEnd(std::string_view text, std::size_t pos) {
    if (pos < text.size() && text[pos] == '\'') {
        for (++pos; pos < text.size(); ++pos) {
            if (text[pos] == '\\')
                ++pos;
            else if (text[pos] == '\'')
                return pos + 1;
        }
        return text.size();
    }
    for (; pos < text.size(); ++pos) {
        if (text[pos] == '\\')
            ++pos;
        else if (IsBlank(text[pos]) || text[pos] == '&' || text[pos] == '#')
            break;
    }
    return pos < text.size() ? pos : text.size();
}

std::string MaskKeywordValues(std::string_view text) {
    constexpr std::string_view keyword = "password";
    std::string out;
    std::size_t copied = 0;
    for (std::size_t i = 0; i + keyword.size() <= text.size(); ++i) {
        if (!EqualsIgnoringCase(text, i, keyword)) continue;
        std::size_t pos = i + keyword.size();
        while (pos < text.size() && IsBlank(text[pos]))
            ++pos;
        if (pos >= text.size() || text[pos] != '=') continue;
        ++pos;
        while (pos < text.size() && IsBlank(text[pos]))
            ++pos;
        std::size_t end = ValueEnd(text, pos);
        out.append(text.substr(copied, pos - copied)).append(kMask);
        copied = end;
        i = end - 1 < i ? i : end - 1;
    }
    out.append(text.substr(copied));
    return out;
}

} // namespace

std::string MaskPasswords(std::string_view text) {
    return MaskKeywordValues(MaskUriUserinfo(text));
}

} // namespace kes
