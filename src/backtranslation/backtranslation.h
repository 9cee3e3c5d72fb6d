#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

enum class KanaScript { Hiragana, Katakana };

// Reads Japanese braille back into kana text, the reverse of the braille
// translation: kana with their voiced, semi-voiced and yōon prefixes, the
// 特殊音, numbers, Latin letters, English inside 外国語引用符 ⠦…⠴ (full-width),
// addresses inside ⠠⠦…⠠⠴ (ASCII), punctuation (without the blanks that
// punctuation adds), brackets and marks. Digits, letters and signs come out
// full-width, as the editor holds them; a blank cell is "　".
//
// Input is Unicode braille; U+0020 and U+3000 are read as blank cells too.
// A cell or sequence with no reading, and any character that is not a
// six-dot cell, is kept as it is, so nothing is lost.
//
// Brackets can span lines, so one reader is used for the lines of one text
// in order.
class BackTranslator
{
public:
    explicit BackTranslator(KanaScript script = KanaScript::Hiragana) : script_(script) {}

    // English inside ⠦…⠴ read as UEB grade 2 (through liblouis) rather
    // than uncontracted.
    void setContractedEnglish(bool contracted) { contractedEnglish_ = contracted; }

    // The text of one line. cellOfChar, when given, receives for every
    // character of the text the index of the cell its reading starts at, so
    // that the text can be shown under its braille.
    QString line(QStringView braille, QList<qsizetype> *cellOfChar = nullptr);

private:
    friend class LineReader;
    KanaScript script_;
    bool contractedEnglish_ = false;
    QList<QChar> openBrackets_; // innermost last
};

// The lines of one text, each read back into one line of kana.
QStringList backTranslateLines(const QStringList &lines, KanaScript script = KanaScript::Hiragana,
                               bool contractedEnglish = false);
