#pragma once
// Joins lists of texts into one text and splits them back: the form in which the element's
// configuration records travel as property strings. Each item is written followed by ';',
// with '\' and ';' inside an item escaped by '\'. So any texts round-trip unchanged: empty
// texts, texts holding the separator or the escape, and texts that are joined lists themselves;
// an empty list is the empty text and a list of one empty text is ";".
#include "Arrays.h"
#include "CString.h"
#include "LogFont.h"

class CComplexString {
public:
    static CString AnnexArrayStringS(const CStringArray& items);
    // Replaces the contents of items. Text after the last separator counts as one more item,
    // so a hand-written string without the final ';' still reads.
    static void DecomposeStringS(const CString& text, CStringArray& items);

    // A logical font as one text (its fields in LOGFONT order, the face name last).
    static CString AnnexArrayString(const LOGFONT& font);
    // Reads the fields a text holds; a field the text does not hold keeps its value. Returns
    // false when the text holds no font at all.
    static bool DecomposeString(const CString& text, LOGFONT& font);
};
