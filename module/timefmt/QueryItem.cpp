#include "QueryItem.h"

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
