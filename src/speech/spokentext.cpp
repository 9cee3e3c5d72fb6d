#include "spokentext.h"

#include <QStringList>

namespace SpokenText {

namespace {

const char16_t *const kDotNames[] = {u"いち", u"に", u"さん", u"よん", u"ご", u"ろく"};

} // namespace

QString cellDots(int dots)
{
    QStringList marked;
    for (int d = 0; d < 6; ++d) {
        if (dots & (1 << d))
            marked << QString::fromUtf16(kDotNames[d]) + QStringLiteral(" の てん");
    }
    return marked.isEmpty() ? QStringLiteral("あき") : marked.join(QStringLiteral("、"));
}

QString brailleCellDots(QChar cell)
{
    const char16_t code = cell.unicode();
    if (code < 0x2800 || code > 0x283F)
        return {};
    return cellDots(code - 0x2800);
}

QString literalKana(const QString &line)
{
    QString spoken = line;
    for (QChar &c : spoken) {
        const char16_t code = c.unicode();
        // ぁ..ゖ and the iteration marks ゝ ゞ have their katakana 0x60 above.
        if ((code >= 0x3041 && code <= 0x3096) || code == 0x309D || code == 0x309E)
            c = QChar(char16_t(code + 0x60));
    }
    return spoken;
}

} // namespace SpokenText
