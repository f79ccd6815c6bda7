#include "ValueText.h"

#include <charconv>
#include <cstdio>
#include <cstring>

namespace kes {

void AppendNumber(std::string& out, double value) {
    if (value == 0) { // also folds -0 to 0
        out += '0';
        return;
    }
    // Fifteen significant digits, as printf's "%.15g" writes them; to_chars does the same
    // without printf's locale and big-number machinery, which matters at a million cells.
    char buf[40];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    if (ec == std::errc()) {
        out.append(buf, end);
        return;
    }
    int n = std::snprintf(buf, sizeof buf, "%.15g", value);
    out.append(buf, n > 0 ? std::size_t(n) : 0);
}

void AppendInteger(std::string& out, long long value) {
    char buf[24];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, end);
}

void AppendNumberText(std::string& out, std::string_view text) {
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) {
        out.append(text); // NaN, Infinity and the like stay as the server wrote them
        return;
    }
    AppendNumber(out, value);
}

void AppendTimeText(std::string& out, std::string_view text) {
    if (text.size() == 10 && text[4] == '-' && text[7] == '-') {
        out.append(text);
        out += " 00:00:00";
        return;
    }
    if (text.size() >= 19 && text[4] == '-' && text[10] == ' ') {
        out.append(text.substr(0, 19));
        return;
    }
    out.append(text);
}

void AppendText(std::string& out, std::string_view text) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c != '\\' && c != ',' && c != '(' && c != ')') continue;
        out.append(text.substr(start, i - start));
        out += '\\';
        start = i;
    }
    out.append(text.substr(start));
}

std::vector<std::string> SplitReplyRow(std::string_view row) {
    std::vector<std::string> cells;
    std::string cell;
    for (std::size_t i = 0; i < row.size(); ++i) {
        char c = row[i];
        if (c == '\\' && i + 1 < row.size()) {
            cell += row[++i];
        } else if (c == ',') {
            cells.push_back(std::move(cell));
            cell.clear();
        } else {
            cell += c;
        }
    }
    return cells;
}

bool IsStatusText(std::string_view reply) {
    return !reply.empty() && reply.back() != ',';
}

} // namespace kes
