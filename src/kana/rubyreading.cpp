#include "rubyreading.h"

#include "kanawords.h"

namespace KanaWords {

QString kanaOfPrintedReading(QStringView reading)
{
    const QString hiragana = toHiragana(reading.trimmed());
    QString kana;
    kana.reserve(hiragana.size());
    for (QChar c : hiragana) {
        if (c.isSpace()) { // U+3000 as well
            if (!kana.endsWith(u' '))
                kana += u' ';
            continue;
        }
        // A printed reading has no part of speech to tell a verb's closing
        // う from a long vowel; ruby stands over kanji, whose closing う is
        // the long vowel of a Sino-Japanese reading or a name.
        const char before = kana.isEmpty() ? 0 : vowelOf(kana.back());
        if (c == u'う' && (before == 'o' || before == 'u'))
            kana += u'ー';
        else
            kana += c;
    }
    return kana;
}

} // namespace KanaWords
