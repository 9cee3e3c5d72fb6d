#pragma once

// The documents that the benchmarks time and the golden test pins down, built
// the same way on every machine from fixed seeds.

#include <QRandomGenerator>
#include <QString>
#include <QStringList>

#include <iterator>

namespace Documents {

// Pieces of everyday text that exercise every pass: contracted and voiced
// syllables, numbers with and without the connector, capitals, small letters
// and katakana.
inline const char16_t *const kPieces[] = {
    u"きょうは",     u"２０２４ねん", u"５がつ",   u"ＪＲで",       u"３０ぷん",       u"コーヒーを",
    u"のみました",   u"ｐｃの",       u"がっこう", u"ヴァイオリン", u"１，０００えん", u"Ｔｏｋｙｏ",
    u"ぎゅうにゅう", u"３．１４",     u"キャベツ", u"５れつ",       u"ＮＨＫ",         u"しゃしん",
    u"、",           u"。",           u"　",       u"ちょっと",     u"ふぁいる",       u"８あい",
};

// The benchmark's document: lines of 20 to 34 characters, so that some get
// the long-line warning.
inline QStringList benchmarkLines(int lines)
{
    QRandomGenerator random(4711);
    QStringList document;
    document.reserve(lines);
    for (int i = 0; i < lines; ++i) {
        const int target = 20 + int(random.bounded(15));
        QString line;
        while (line.size() < target)
            line += QString::fromUtf16(kPieces[random.bounded(int(std::size(kPieces)))]);
        document.append(line.left(target));
    }
    return document;
}

// The benchmark's document as a file holds it: UTF-8, every line ended by LF.
inline QByteArray benchmarkBytes(int lines)
{
    return benchmarkLines(lines).join(u'\n').toUtf8() + '\n';
}

// Characters that every pass looks at, and some that none knows: small,
// voiced and half-voiced kana of both scripts, ヴ, digits with the comma and
// the point, letters, both spaces, punctuation, kanji, characters outside the
// BMP, and the characters that end up as "?" in cp932.
inline const char16_t *const kCharacters[] = {
    u"あ", u"い", u"う", u"か", u"き", u"し", u"ち", u"に", u"ひ", u"み", u"り", u"れ", u"ん", u"を",
    u"ゃ", u"ゅ", u"ょ", u"ぁ", u"ぃ", u"ぅ", u"ぇ", u"ぉ", u"っ", u"ゎ", u"が", u"ざ", u"だ", u"ば",
    u"ぱ", u"ぢ", u"ゔ", u"ア", u"キ", u"シ", u"テ", u"ラ", u"ル", u"ャ", u"ュ", u"ョ", u"ァ", u"ィ",
    u"ェ", u"ッ", u"ガ", u"ジ", u"ド", u"ビ", u"ポ", u"ヴ", u"ー", u"０", u"１", u"２", u"５", u"９",
    u"，", u"．", u"、", u"。", u"Ａ", u"Ｂ", u"Ｚ", u"ａ", u"ｂ", u"ｚ", u"　", u" ", u"?", u"・",
    u"「", u"」", u"？", u"！", u"山", u"a", u"1", u"😀", u"𠮷", u"€", u"ｶ", u",",
};

// A document of random lines of 0 to 60 characters, ended at random by LF,
// CR LF or CR (the last line sometimes not at all).
inline QString randomText(quint32 seed, int lines)
{
    QRandomGenerator random(seed);
    static const char16_t *const lineEnds[] = {u"\n", u"\r\n", u"\r"};
    QString text;
    for (int i = 0; i < lines; ++i) {
        const int length = int(random.bounded(61));
        for (int c = 0; c < length; ++c)
            text += QString::fromUtf16(kCharacters[random.bounded(int(std::size(kCharacters)))]);
        if (i + 1 < lines || random.bounded(2) == 0)
            text += QString::fromUtf16(lineEnds[random.bounded(3)]);
    }
    return text;
}

} // namespace Documents
