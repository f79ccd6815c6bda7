#pragma once
// Pinyin initials of station names, the key of the query bar's quick search: an operator types
// "yc" and finds "宜昌站". The initials are worked out on the text's GBK bytes, through a table
// of 10,000 cells indexed by GB2312 zone × 100 + position.
//
// A polyphone is keyed by the initials of all its readings, so that 重庆 is found by "cq" as well
// as by "zq": its seed initial (the table's) comes first, each further one follows as a byte
// with kPinyinAlternativeBit set. A name without polyphones has a plain ASCII key.
//
// What a character gives:
// - ASCII: itself, lower-cased; "#" reads as "h" ("1#" is spoken "一号") and "(" ")" vanish,
//   so the display text 一号机(1#) gives "yhj1h".
// - GB2312 hanzi zones 16 to 87: the cell of the table. Level-1 hanzi (zones 16 to 55) are in
//   pinyin order and take the letter of the run they fall in; level-2 hanzi (zones 56 to 87)
//   have their own initial.
// - GBK hanzi outside GB2312 (traditional and rare characters): their own initial as well.
// - A character of these hanzi areas without a known initial gives a space, so that no search
//   word matches across it.
// - Everything else (GB2312 and GBK symbols, full-width letters and digits, characters that GBK
//   cannot hold, malformed text): nothing.
#include "CString.h"

#include <string>
#include <string_view>

// Marks, in a key, an initial that is another reading of the character before it.
inline constexpr unsigned char kPinyinAlternativeBit = 0x80;

// Cells of the table: GB2312 zone × 100 + position.
inline constexpr int kPinyinTableCells = 10000;

// The seed initial in one cell of the table (built once, at compile time); a space outside the
// table and where no hanzi sits.
char PinyinInitialAt(int cell);

// The key of a UTF-8 text (a station's display text).
CString PinyinInitialsOf(const CString& utf8Text);

// The key of text already in the code page (GBK or GB18030 bytes). Bytes that do not form a
// character of the code page are dropped one at a time, so a broken character never takes the
// following character with it.
std::string PinyinInitialsOfGbk(std::string_view gbk);
