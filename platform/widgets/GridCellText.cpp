#include "GridCellText.h"

#include <charconv>
#include <cmath>

namespace gridtext {

namespace {

bool IsBlankChar(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads between minDigits and maxDigits digits at pos.
bool ReadField(std::string_view text, std::size_t& pos, std::size_t minDigits, std::size_t maxDigits,
               int& value) {
    std::size_t start = pos;
    value = 0;
    while (pos < text.size() && pos - start < maxDigits && IsDigit(text[pos]))
        value = value * 10 + (text[pos++] - '0');
    return pos - start >= minDigits;
}

} // namespace

bool SplitListEntry(std::string_view entry, std::string_view& name, std::string_view& code) {
    const std::size_t open = entry.rfind('(');
    if (open == std::string_view::npos || entry.back() != ')') return false;
    name = entry.substr(0, open);
    code = entry.substr(open + 1, entry.size() - open - 2);
    return true;
}

bool IsBlank(std::string_view text) {
    for (char c : text)
        if (!IsBlankChar(c)) return false;
    return true;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlankChar(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlankChar(text.back()))
        text.remove_suffix(1);
    return text;
}

bool ParseNumber(std::string_view text, double& value) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '-' || text.front() == '+')) return false;
    }
    if (text.empty()) return false;
    // from_chars also reads "inf" and "nan"; those are words here, not numbers.
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && std::isfinite(value);
}

namespace {

struct TimeFields {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millis = 0;
};

// A small reader over a time text.
class TimeReader {
public:
    explicit TimeReader(std::string_view text) : m_text(text) {}
    bool AtEnd() const { return m_pos == m_text.size(); }
    bool Field(std::size_t minDigits, std::size_t maxDigits, int& value, int low, int high) {
        return ReadField(m_text, m_pos, minDigits, maxDigits, value) && value >= low && value <= high;
    }
    bool Skip(std::string_view literal) {
        if (m_text.substr(m_pos).substr(0, literal.size()) != literal) return false;
        m_pos += literal.size();
        return true;
    }
    void Fraction(int& millis) {
        int digits = 0;
        while (!AtEnd() && IsDigit(m_text[m_pos])) {
            if (digits < 3) millis = millis * 10 + (m_text[m_pos] - '0');
            ++digits;
            ++m_pos;
        }
        for (; digits < 3; ++digits)
            millis *= 10;
    }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

// "YYYY-MM[-DD[ HH[:MM[:SS[.fff]]]]]", the exchange form of the database.
bool ReadIsoTime(TimeReader& in, TimeFields& t) {
    if (!in.Field(4, 4, t.year, 0, 9999) || !in.Skip("-") || !in.Field(1, 2, t.month, 1, 12)) return false;
    if (!in.Skip("-")) return true;
    if (!in.Field(1, 2, t.day, 1, 31)) return false;
    if (!in.Skip(" ") && !in.Skip("T")) return true;
    if (!in.Field(1, 2, t.hour, 0, 23)) return false;
    if (!in.Skip(":")) return true;
    if (!in.Field(2, 2, t.minute, 0, 59)) return false;
    if (!in.Skip(":")) return true;
    if (!in.Field(2, 2, t.second, 0, 59)) return false;
    if (in.Skip(".")) in.Fraction(t.millis);
    return true;
}

// The display forms of the time types: "2024年", "2024年06月", "2024年06月 中旬",
// "2024年06月01日", "...08时", "...08时30分", "...08时30分00秒". A ten-day period orders as its
// first day, so that 上旬, 中旬, 下旬 follow each other in time.
bool ReadDisplayTime(TimeReader& in, TimeFields& t) {
    if (!in.Field(4, 4, t.year, 0, 9999) || !in.Skip("年")) return false;
    if (in.AtEnd()) return true;
    if (!in.Field(1, 2, t.month, 1, 12) || !in.Skip("月")) return false;
    if (in.AtEnd()) return true;
    const bool blank = in.Skip(" ");
    if (in.Skip("上旬"))
        t.day = 1;
    else if (in.Skip("中旬"))
        t.day = 11;
    else if (in.Skip("下旬"))
        t.day = 21;
    else if (blank)
        return false;
    if (t.day != 0) return true;
    if (!in.Field(1, 2, t.day, 1, 31) || !in.Skip("日")) return false;
    if (in.AtEnd()) return true;
    if (!in.Field(1, 2, t.hour, 0, 23) || !in.Skip("时")) return false;
    if (in.AtEnd()) return true;
    if (!in.Field(1, 2, t.minute, 0, 59) || !in.Skip("分")) return false;
    if (in.AtEnd()) return true;
    return in.Field(1, 2, t.second, 0, 59) && in.Skip("秒");
}

} // namespace

bool ParseTime(std::string_view text, std::int64_t& key) {
    text = TrimBlanks(text);
    TimeFields t;
    TimeReader iso(text);
    if (!ReadIsoTime(iso, t) || !iso.AtEnd()) {
        t = TimeFields{};
        TimeReader display(text);
        if (!ReadDisplayTime(display, t) || !display.AtEnd()) return false;
    }
    std::int64_t k = t.year;
    for (int field : {t.month, t.day, t.hour, t.minute, t.second})
        k = k * 100 + field;
    key = k * 1000 + t.millis;
    return true;
}

bool IsPlainNumber(std::string_view text, int& decimals) {
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && text[pos] == '-') {
        negative = true;
        ++pos;
    }
    std::size_t intStart = pos;
    while (pos < text.size() && IsDigit(text[pos]))
        ++pos;
    std::size_t intDigits = pos - intStart;
    if (intDigits == 0) return false;
    if (intDigits > 1 && text[intStart] == '0') return false; // "007" is a code, not a number
    decimals = 0;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        std::size_t fracStart = pos;
        while (pos < text.size() && IsDigit(text[pos]))
            ++pos;
        decimals = int(pos - fracStart);
        if (decimals == 0) return false;
    }
    if (pos != text.size()) return false;

    // Significant digits: from the first non-zero digit on.
    int significant = 0;
    bool started = false;
    bool nonZero = false;
    for (std::size_t i = intStart; i < text.size(); ++i) {
        if (text[i] == '.') continue;
        if (text[i] != '0') nonZero = true;
        if (text[i] != '0' || started) {
            started = true;
            ++significant;
        }
    }
    if (negative && !nonZero) return false; // "-0" would show as "0"
    return significant <= 15;
}

} // namespace gridtext
