// Back-translation of braille lines: every line gives one line of text, the
// same every time and the same as read line by line; every character of the
// text points at the cell its reading starts at, in order; and every
// character that is no six-dot cell is kept, at its own place.
#include "fuzzcheck.h"

#include "backtranslation/backtranslation.h"
#include "backtranslation/braillecell.h"

#include <QStringList>

namespace {

// The input as UTF-8 lines; its control and ASCII sign characters (below
// '@', but for the line end and the space) stand for the six-dot cells of
// the same number, so that most bytes are cells.
QStringList brailleLines(QByteArrayView bytes)
{
    QString text = QString::fromUtf8(bytes);
    for (QChar &c : text) {
        if (c.unicode() < 0x40 && c != u'\n' && c != u' ')
            c = QChar(char16_t(BrailleCell::kBlank + c.unicode()));
    }
    return text.split(u'\n');
}

void checkLine(QStringView braille, const QString &text, const QList<qsizetype> &cellOfChar)
{
    FUZZ_CHECK(cellOfChar.size() == text.size());
    for (qsizetype k = 0; k < cellOfChar.size(); ++k) {
        FUZZ_CHECK(cellOfChar[k] >= 0 && cellOfChar[k] < braille.size());
        FUZZ_CHECK(k == 0 || cellOfChar[k - 1] <= cellOfChar[k]);
    }
    for (qsizetype j = 0; j < braille.size(); ++j) {
        const QChar c = braille[j];
        if (BrailleCell::dotsOf(c) != BrailleCell::kNoCell || c == u' ' || c == u'　')
            continue;
        const qsizetype k = cellOfChar.indexOf(j);
        FUZZ_CHECK(k >= 0 && text[k] == c);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QStringList lines = brailleLines(fuzzBytes(data, size));
    for (const KanaScript script : {KanaScript::Hiragana, KanaScript::Katakana}) {
        const QStringList text = backTranslateLines(lines, script);
        FUZZ_CHECK(text.size() == lines.size());
        FUZZ_CHECK(backTranslateLines(lines, script) == text);
        BackTranslator translator(script);
        for (qsizetype i = 0; i < lines.size(); ++i) {
            QList<qsizetype> cellOfChar;
            FUZZ_CHECK(translator.line(lines[i], &cellOfChar) == text[i]);
            checkLine(lines[i], text[i], cellOfChar);
        }
    }
    return 0;
}
