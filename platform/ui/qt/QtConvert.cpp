#include "QtConvert.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

#include <algorithm>

QString FallbackCjkFamily() {
    static const QString family = [] {
        const QStringList preferred = {"WenQuanYi Micro Hei", "Noto Sans CJK SC", "Noto Serif CJK SC",
                                       "AR PL UMing CN", "Droid Sans Fallback"};
        const QStringList installed = QFontDatabase::families();
        for (const QString& name : preferred)
            if (installed.contains(name, Qt::CaseInsensitive)) return name;
        // Any family that writes Simplified Chinese.
        const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
        return chinese.isEmpty() ? QString() : chinese.front();
    }();
    return family;
}

QFont LogFontToQFont(const LOGFONT& lf) {
    QFont font;
    const QString face = ToQString(lf.lfFaceName.str());
    if (!face.isEmpty()) {
        if (QFontDatabase::hasFamily(face) || FallbackCjkFamily().isEmpty())
            font.setFamily(face);
        else
            font.setFamily(FallbackCjkFamily());
    }
    if (lf.lfHeight != 0) font.setPixelSize(std::max(1, int(lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight)));
    // Both sides weigh fonts on the same 1..1000 scale (400 normal, 700 bold); 0 is the default.
    if (lf.lfWeight > 0) font.setWeight(QFont::Weight(std::clamp(int(lf.lfWeight), 1, 1000)));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    return font;
}

LOGFONT QFontToLogFont(const QFont& font, const LOGFONT& base) {
    LOGFONT lf = base;
    lf.lfFaceName = ToCString(font.family());
    const int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    lf.lfHeight = -std::max(1, pixels);
    lf.lfWeight = LONG(font.weight());
    lf.lfItalic = font.italic() ? 1 : 0;
    lf.lfUnderline = font.underline() ? 1 : 0;
    lf.lfStrikeOut = font.strikeOut() ? 1 : 0;
    return lf;
}
