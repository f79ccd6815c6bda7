#pragma once
// Time types, period stepping and value formatting of hydrological periods (hours, days,
// ten-day periods "旬", months, years). The element's configuration records derive from
// CQueryItem; other code builds a temporary one just to call these helpers. Stateless apart
// from the one logical font every record carries.
#include "CString.h"
#include "LogFont.h"
#include "OleDateTime.h"

#include <string>
#include <string_view>

class CQueryItem {
public:
    CQueryItem();
    virtual ~CQueryItem() = default;
    CQueryItem(const CQueryItem&) = default;
    CQueryItem& operator=(const CQueryItem&) = default;

    // The records' font: 宋体, height 12, weight 400, GB2312 character set.
    static LOGFONT DefaultFont();
    LOGFONT m_font;
    friend bool operator==(const CQueryItem&, const CQueryItem&) = default;

    // Reads "%d-%d-%d %d:%d:%d" or "%d年%d月%d日%d时%d分%d秒"; missing fields default
    // (year 1990, month 1, day 1, time 0); an impossible date gives an invalid time.
    static COleDateTime ParseTime(const CString& text);
    // ParseTime that also answers how many fields the text held (-1 for an empty text).
    static int ReadTime(const CString& text, COleDateTime& time);
    // Moves the time by count periods of the unit: 0/1 hour, 2 day, 3 ten-day, 4 month, 5 year.
    static void StepTime(COleDateTime& time, int unit, int count);
    // Moves the time by count periods of a time-type word ("年" "月" "旬" "日" "时").
    static void ShiftTime(COleDateTime& time, const CString& typeWord, int count);
    static CString FormatTimeByType(const COleDateTime& time, const CString& typeWord);
    static CString FormatTimeText(const CString& timeText, const CString& typeWord);
    // FormatTimeText into out; callers that format a whole column use CTimeTextFormat.
    static void FormatTimeText(std::string_view timeText, const CString& typeWord, std::string& out);
    static CString FormatNumber(const CString& numberText, int digits);
    // FormatNumber into result, for callers that format a whole column; numberText may view
    // result.
    static void FormatNumber(std::string_view numberText, int digits, std::string& result);
    // The number read from the text with that many decimals (at least 0), as printf's
    // "%.<decimals>f" writes it; numberText may view result.
    static void FormatDecimals(std::string_view numberText, int decimals, std::string& result);
    static bool IsNearZero(double value);
    static CString ParenText(const CString& text);
};

// FormatTimeText for a whole column of times: the time-type word is looked up once, and each
// exchange-form time of a whole period ("年" to "秒") is written straight from its fields.
class CTimeTextFormat {
public:
    CTimeTextFormat() = default;
    explicit CTimeTextFormat(const CString& typeWord);
    // No time-type word: the column's times are not reformatted.
    bool IsEmpty() const { return m_word.IsEmpty(); }
    // The time text as FormatTimeText shows it; timeText may view out.
    void Format(std::string_view timeText, std::string& out) const;

private:
    CString m_word;
    int m_parts = 0; // fields shown by a Chinese whole-period word, 0 for the other words
};
