#pragma once
// A logical font as the system describes fonts in its records and settings tables.
#include "CString.h"
#include "Types.h"

struct LOGFONT {
    LONG lfHeight = 0;
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = 0;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = 0;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;
    CString lfFaceName;
    friend bool operator==(const LOGFONT&, const LOGFONT&) = default;
};

constexpr LONG FW_NORMAL = 400;
constexpr BYTE GB2312_CHARSET = 134;
