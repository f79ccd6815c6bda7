#include "QueryItem.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <climits>
#include <cstdio>
#include <string_view>

CQueryItem::CQueryItem() : m_font(DefaultFont()) {}

LOGFONT CQueryItem::DefaultFont() {
    LOGFONT f;
    f.lfHeight = 12;
    f.lfWeight = FW_NORMAL;
    f.lfCharSet = GB2312_CHARSET;
    f.lfOutPrecision = 3;
    f.lfClipPrecision = 2;
    f.lfQuality = 1;
    f.lfPitchAndFamily = 0x32;
    f.lfFaceName = "宋体";
    return f;
}

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads a time text against a pattern of "%d" fields, literal bytes and white space, the way
// the C library's scanf reads it: white space in the pattern matches any run of white space
// (none included), a field skips leading white space and reads an optionally signed decimal
// number, a literal byte must match exactly. Returns the number of fields read, or -1 when the
// text ends before the first field. Unlike scanf, a number too large for an int saturates, so
// a damaged text cannot overflow.
int ScanFields(std::string_view text, std::string_view pattern, int* fields, int maxFields) {
    std::size_t t = 0;
    int read = 0;
    auto endOfText = [&] { return read == 0 ? -1 : read; };
    for (std::size_t p = 0; p < pattern.size();) {
        if (IsSpace(pattern[p])) {
            while (t < text.size() && IsSpace(text[t]))
                ++t;
            ++p;
            continue;
        }
        if (pattern[p] == '%' && p + 1 < pattern.size() && pattern[p + 1] == 'd') {
            p += 2;
            while (t < text.size() && IsSpace(text[t]))
                ++t;
            if (t >= text.size()) return endOfText();
            bool negative = false;
            if (text[t] == '+' || text[t] == '-') negative = text[t++] == '-';
            if (t >= text.size() || !IsDigit(text[t])) return read;
            long long value = 0;
            for (; t < text.size() && IsDigit(text[t]); ++t)
                value = std::min<long long>(value * 10 + (text[t] - '0'), 1LL + INT_MAX);
            value = negative ? -value : value;
            if (read < maxFields) fields[read] = int(std::clamp<long long>(value, INT_MIN, INT_MAX));
            ++read;
            continue;
        }
        if (t >= text.size()) return endOfText();
        if (text[t] != pattern[p]) return read;
        ++t;
        ++p;
    }
    return read;
}

} // namespace

int CQueryItem::ReadTime(const CString& text, COleDateTime& time) {
    // year, month, day, hour, minute, second; fields the text does not hold keep these.
    int dashed[6] = {1990, 1, 1, 0, 0, 0};
    int worded[6] = {1990, 1, 1, 0, 0, 0};
    int nDashed = ScanFields(text, "%d-%d-%d %d:%d:%d", dashed, 6);
    int nWorded = ScanFields(text, "%d年%d月%d日%d时%d分%d秒", worded, 6);
    const int* f = nWorded > nDashed ? worded : dashed;
    time = COleDateTime(f[0], f[1], f[2], f[3], f[4], f[5]);
    return std::max(nDashed, nWorded);
}

COleDateTime CQueryItem::ParseTime(const CString& text) {
    COleDateTime time;
    ReadTime(text, time);
    return time;
}

namespace {

struct TimeWord {
    const char* word;
    const char* format;
};

// Display formats of the time-type words; the ten-day words are handled apart.
constexpr TimeWord kTimeFormats[] = {
    {"年", "%Y年"},
    {"月", "%Y年%m月"},
    {"日", "%Y年%m月%d日"},
    {"时", "%Y年%m月%d日%H时"},
    {"分", "%Y年%m月%d日%H时%M分"},
    {"秒", "%Y年%m月%d日%H时%M分%S秒"},
    {"YEAR", "%Y"},
    {"MON", "%Y-%m"},
    {"DAY", "%Y-%m-%d"},
    {"HOUR", "%Y-%m-%d %H"},
    {"MIN", "%Y-%m-%d %H:%M"},
    {"SEC", "%Y-%m-%d %H:%M:%S"},
};

} // namespace

CString CQueryItem::FormatTimeByType(const COleDateTime& time, const CString& typeWord) {
    CString word = typeWord;
    word.Trim();
    if (!time.IsValid()) return {};
    if (word == "旬" || word == "月旬") {
        int day = time.GetDay();
        // "月旬" shows a period that starts the month as the month itself.
        if (word == "月旬" && day == 1) return time.Format("%Y年%m月");
        if (day >= 1 && day <= 10) return time.Format("%Y年%m月 上旬");
        if (day >= 11 && day <= 20) return time.Format("%Y年%m月 中旬");
        if (day >= 21 && day <= 31) return time.Format("%Y年%m月 下旬");
        return {};
    }
    for (const TimeWord& w : kTimeFormats)
        if (word == w.word) return time.Format(w.format);
    return {};
}

namespace {

// The exchange form "YYYY-MM-DD HH:MM:SS" of a real date-time, read without the general
// scanner: grid columns show thousands of these per refresh.
bool ReadExchangeForm(std::string_view t, int f[6]) {
    if (t.size() != 19 || t[4] != '-' || t[7] != '-' || t[10] != ' ' || t[13] != ':' || t[16] != ':')
        return false;
    static constexpr int kStart[6] = {0, 5, 8, 11, 14, 17};
    static constexpr int kLength[6] = {4, 2, 2, 2, 2, 2};
    for (int k = 0; k < 6; ++k) {
        int v = 0;
        for (int i = 0; i < kLength[k]; ++i) {
            char c = t[std::size_t(kStart[k] + i)];
            if (c < '0' || c > '9') return false;
            v = v * 10 + (c - '0');
        }
        f[k] = v;
    }
    using namespace std::chrono;
    return f[0] >= 100 && year_month_day{year{f[0]}, month{unsigned(f[1])}, day{unsigned(f[2])}}.ok() &&
           f[3] <= 23 && f[4] <= 59 && f[5] <= 59;
}

} // namespace

namespace {
constexpr std::string_view kPeriodUnits[6] = {"年", "月", "日", "时", "分", "秒"};
} // namespace

CTimeTextFormat::CTimeTextFormat(const CString& typeWord) : m_word(typeWord) {
    for (int parts = 1; parts <= 6; ++parts)
        if (typeWord.str() == kPeriodUnits[parts - 1]) m_parts = parts;
}

void CTimeTextFormat::Format(std::string_view timeText, std::string& out) const {
    int f[6];
    if (m_parts > 0 && ReadExchangeForm(timeText, f)) {
        // The Chinese display forms of whole periods, written straight from the fields.
        char text[64];
        char* end = std::to_chars(text, text + 8, f[0]).ptr;
        end = std::copy(kPeriodUnits[0].begin(), kPeriodUnits[0].end(), end);
        for (int k = 1; k < m_parts; ++k) {
            *end++ = char('0' + f[k] / 10);
            *end++ = char('0' + f[k] % 10);
            end = std::copy(kPeriodUnits[k].begin(), kPeriodUnits[k].end(), end);
        }
        out.assign(text, end);
        return;
    }
    out = CQueryItem::FormatTimeByType(CQueryItem::ParseTime(CString(timeText)), m_word).str();
}

void CQueryItem::FormatTimeText(std::string_view timeText, const CString& typeWord, std::string& out) {
    CTimeTextFormat(typeWord).Format(timeText, out);
}

CString CQueryItem::FormatTimeText(const CString& timeText, const CString& typeWord) {
    std::string out;
    FormatTimeText(timeText.str(), typeWord, out);
    return CString(std::move(out));
}
