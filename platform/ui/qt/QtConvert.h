#pragma once
// The records' fonts, colours and texts as Qt wants them. The one place where a LOGFONT
// becomes a QFont and a COLORREF a QColor.
#include "CString.h"
#include "LogFont.h"
#include "Types.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <string>
#include <string_view>

// Faces the system names that this machine may lack ("宋体", "黑体", ...) fall back to an
// installed CJK font, so that Chinese never shows as boxes. An empty face keeps the
// application's family. lfHeight is in pixels (negative: character height, as the records
// hold it; positive: cell height, taken as the same); 0 keeps the application's size.
QFont LogFontToQFont(const LOGFONT& font);
// The font as a record keeps it: the chosen face, pixel height (negative, character height),
// weight and effects; the other fields come from base.
LOGFONT QFontToLogFont(const QFont& font, const LOGFONT& base);
// The CJK family used where a face is missing; empty when none is installed.
QString FallbackCjkFamily();

inline QColor ToQColor(COLORREF colour) {
    return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}
inline COLORREF ToColorRef(const QColor& colour) {
    return RGB(BYTE(colour.red()), BYTE(colour.green()), BYTE(colour.blue()));
}

inline QString ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}
inline CString ToCString(const QString& text) {
    return CString(text.toStdString());
}
