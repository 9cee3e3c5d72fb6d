#include "japanesefonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

QFont firstInstalled(const QStringList &families, QFont::StyleHint hint, double pointSize)
{
    const QStringList installed = QFontDatabase::families();
    QFont font;
    font.setStyleHint(hint);
    for (const QString &family : families) {
        if (installed.contains(family)) {
            font.setFamily(family);
            break;
        }
    }
    font.setPointSizeF(pointSize);
    return font;
}

} // namespace

namespace JapaneseFonts {

QFont gothic(double pointSize)
{
    return firstInstalled({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
                           QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("Noto Sans CJK JP")},
                          QFont::Monospace, pointSize);
}

QFont proportionalGothic(double pointSize)
{
    return firstInstalled({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                           QStringLiteral("Noto Sans CJK JP")},
                          QFont::SansSerif, pointSize);
}

} // namespace JapaneseFonts
