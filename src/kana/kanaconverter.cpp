#include "kanaconverter.h"

#include "kananumbers.h"
#include "kanawords.h"

#include <algorithm>

using namespace KanaWords;

namespace {

// How a word stands to its neighbours in 分かち書き.
enum class Role {
    Word,        // an independent word: a blank before it
    Attached,    // particle, auxiliary, suffix: joined to the word before
    Prefix,      // joined to the word after
    Punctuation, // stays where it is, with no blank after it
    Closing,     // a closing bracket: joined before, a word may follow after a blank
    Opening,     // an opening bracket: begins a word, and the word after it is joined to it
    Blank,       // a full-width space of the source
};

const QString kNoun = QStringLiteral("名詞");

bool isCompoundElement(const Morpheme &m)
{
    static const QStringList kinds = {QStringLiteral("一般"),           QStringLiteral("固有名詞"),
                                      QStringLiteral("サ変接続"),       QStringLiteral("形容動詞語幹"),
                                      QStringLiteral("ナイ形容詞語幹"), QStringLiteral("副詞可能")};
    return m.partOfSpeech() == kNoun && m.known && m.userKana.isEmpty() && kinds.contains(m.subdivision());
}

bool isSuffix(const Morpheme &m)
{
    return m.partOfSpeech() == kNoun && m.subdivision() == u"接尾";
}

bool isNumber(const Morpheme &m)
{
    return m.partOfSpeech() == kNoun && m.subdivision() == u"数";
}

// Contracted auxiliaries that the dictionary files with the auxiliary
// verbs (見てる, やっちゃう) but that are written joined.
bool isContraction(const Morpheme &m)
{
    static const QStringList forms = {
        QStringLiteral("てる"), QStringLiteral("でる"), QStringLiteral("ちゃう"), QStringLiteral("じゃう"),
        QStringLiteral("とく"), QStringLiteral("どく"), QStringLiteral("ちまう"), QStringLiteral("じまう")};
    return forms.contains(m.baseForm());
}

// Marks the dictionary does not know (most half-width ones) are
// punctuation all the same.
Role roleOfUnknown(const Morpheme &m)
{
    for (QChar c : m.surface) {
        if (!c.isPunct() && !c.isSymbol())
            return Role::Word;
    }
    if (QStringLiteral("([{（［｛「『【〈《〔").contains(m.surface.back()))
        return Role::Opening;
    if (QStringLiteral(")]}）］｝」』】〉》〕").contains(m.surface.front()))
        return Role::Closing;
    return Role::Punctuation;
}

Role roleOf(const Morpheme &m, const Morpheme *before)
{
    if (!m.userKana.isEmpty())
        return Role::Word;
    if (!m.known)
        return roleOfUnknown(m);
    const QStringView pos = m.partOfSpeech();
    const QStringView sub = m.subdivision();
    if (pos == u"記号") {
        if (sub == u"空白")
            return Role::Blank;
        if (sub == u"括弧開")
            return Role::Opening;
        return sub == u"括弧閉" ? Role::Closing : Role::Punctuation;
    }
    // The auxiliary ない joins a verb only; after anything else it is the
    // adjective ない, a word of its own (たかく ない, ここでわ ない).
    if (pos == u"助動詞" && m.baseForm() == u"ない" && before && before->partOfSpeech() != u"動詞")
        return Role::Word;
    if (pos == u"助詞" || pos == u"助動詞")
        return Role::Attached;
    if (pos == u"接頭詞")
        return Role::Prefix;
    if (pos == kNoun) {
        // Suffixes and counters, the の of 行くのが, and the stems of
        // auxiliaries (降りそうだ, 行くようだ) join the word before; formal
        // nouns (こと, とき) are words of their own.
        if (sub == u"接尾" || sub == u"特殊" || m.feature(2) == u"助動詞語幹" ||
            (sub == u"非自立" && (m.surface == u"の" || m.surface == u"ん")))
            return Role::Attached;
        return Role::Word;
    }
    if (pos == u"動詞") {
        // A verb joined to a verb's stem makes a compound verb, one word
        // (うたいはじめる); after て it is an auxiliary verb, a word of its
        // own (みて いる).
        if (sub == u"接尾" ||
            (sub == u"非自立" && (isContraction(m) || (before && before->partOfSpeech() == u"動詞"))))
            return Role::Attached;
        // する after a サ変 noun of one kanji is part of that word (愛する),
        // after a longer one a word of its own (運動 する).
        if (m.baseForm() == u"する" && before && before->partOfSpeech() == kNoun &&
            before->subdivision() == u"サ変接続" && before->userKana.isEmpty() &&
            before->surface.size() == 1 && containsKanji(before->surface))
            return Role::Attached;
        return Role::Word;
    }
    // やすい, にくい after a verb's stem are written joined (わかりやすい);
    // after て they are words (きて ほしい).
    if (pos == u"形容詞" &&
        (sub == u"接尾" || (sub == u"非自立" && before && before->partOfSpeech() == u"動詞")))
        return Role::Attached;
    return Role::Word;
}

// Numbers come from the dictionary one numeral at a time (三, 百); they are
// read as one.
QList<Morpheme> withNumbersJoined(const QList<Morpheme> &morphemes)
{
    QList<Morpheme> joined;
    for (const Morpheme &m : morphemes) {
        if (!joined.isEmpty() && isNumber(m) && isNumber(joined.back()) && m.spaceBefore.isEmpty() &&
            KanaNumbers::isKanjiNumeral(m.surface) == KanaNumbers::isKanjiNumeral(joined.back().surface))
            joined.back().surface += m.surface;
        else
            joined.append(m);
    }
    return joined;
}

// Counters whose reading after a number the dictionary does not give:
// ふたり, みっか. Braille writes the digits and the rest of the reading.
QString counterKana(const Morpheme &counter, const Morpheme &number)
{
    const int value = KanaNumbers::smallValue(number.surface);
    if (counter.surface == u"人" && (value == 1 || value == 2))
        return QStringLiteral("り");
    static const QList<int> kaDays = {2, 3, 4, 5, 6, 7, 8, 9, 10, 14, 20, 24};
    if (counter.surface == u"日" && kaDays.contains(value))
        return QStringLiteral("か");
    return QString();
}

QString kanaFor(const Morpheme &m, const Morpheme *before, const QString &kanaBefore)
{
    if (!m.userKana.isEmpty())
        return m.userKana;
    if (isNumber(m) && KanaNumbers::isKanjiNumeral(m.surface)) {
        const QString digits = KanaNumbers::toDigits(m.surface);
        if (!digits.isEmpty())
            return digits;
    }
    if (isSuffix(m) && before && isNumber(*before)) {
        const QString kana = counterKana(m, *before);
        if (!kana.isEmpty())
            return kana;
    }
    // Months are numbers too, though the dictionary has them as words.
    const QStringView numeral = QStringView(m.surface).chopped(m.surface.isEmpty() ? 0 : 1);
    if (m.surface.endsWith(u'月') && m.reading().endsWith(u"ガツ") && KanaNumbers::isKanjiNumeral(numeral)) {
        const QString digits = KanaNumbers::toDigits(numeral);
        if (!digits.isEmpty())
            return digits + QStringLiteral("がつ");
    }
    // Compound particles built on a verb (について, に対して, という) write
    // the verb as a word of its own.
    if (m.partOfSpeech() == u"助詞" && m.feature(2) == u"連語" &&
        (m.surface.startsWith(u'に') || m.surface.startsWith(u"とい")) && m.surface.size() > 1) {
        const QString kana = kanaOf(m);
        return kana.left(1) + u' ' + kana.mid(1);
    }
    // The volitional う lengthens the オ-row syllable before it (行こう).
    if (m.partOfSpeech() == u"助動詞" && m.surface == u"う" && !kanaBefore.isEmpty() &&
        vowelOf(kanaBefore.back()) == 'o')
        return QStringLiteral("ー");
    return kanaOf(m);
}

bool startsWithKana(const QString &text)
{
    return !text.isEmpty() && (isHiragana(text.front()) || isKatakana(text.front()));
}

bool startsWithSyllableEnd(const QString &text)
{
    if (text.isEmpty())
        return false;
    const QChar first = text.front();
    return isSmallKana(first) || first == u'っ' || first == u'ッ' || first == u'ー';
}

} // namespace

KanaConverter::KanaConverter(const QString &dictionaryDir) : m_analyzer(dictionaryDir) {}

void KanaConverter::setUserEntries(const QList<UserDictionaryEntry> &entries)
{
    m_userEntries = entries;
}

QList<FixedWord> KanaConverter::fixedWordsIn(const QString &line, const QList<FixedWord> &readings) const
{
    QList<FixedWord> found;
    for (const FixedWord &reading : readings) {
        if (reading.start >= 0 && reading.length > 0 && reading.start + reading.length <= line.size() &&
            !reading.kana.isEmpty())
            found.append(reading);
    }
    // The document's own reading of a place wins over the user's entries.
    const qsizetype givenByDocument = found.size();
    const auto overlapsReading = [&](qsizetype start, qsizetype length) {
        for (qsizetype i = 0; i < givenByDocument; ++i) {
            if (start < found[i].start + found[i].length && found[i].start < start + length)
                return true;
        }
        return false;
    };
    for (const UserDictionaryEntry &entry : m_userEntries) {
        if (entry.written.isEmpty())
            continue;
        for (qsizetype at = line.indexOf(entry.written); at >= 0; at = line.indexOf(entry.written, at + 1)) {
            if (!overlapsReading(at, entry.written.size()))
                found.append({at, entry.written.size(), entry.kana});
        }
    }
    // Leftmost first, the longest of those that start together.
    std::sort(found.begin(), found.end(), [](const FixedWord &a, const FixedWord &b) {
        return a.start != b.start ? a.start < b.start : a.length > b.length;
    });
    QList<FixedWord> chosen;
    for (const FixedWord &word : found) {
        if (chosen.isEmpty() || word.start >= chosen.back().start + chosen.back().length)
            chosen.append(word);
    }
    return chosen;
}

KanaConversion KanaConverter::convertLine(const QString &line, const QList<FixedWord> &readings)
{
    KanaConversion result;
    const QList<Morpheme> morphemes = withNumbersJoined(m_analyzer.analyze(line, fixedWordsIn(line, readings)));

    QStringList kanas;
    for (const Morpheme &m : morphemes)
        kanas.append(kanaFor(m, kanas.isEmpty() ? nullptr : &morphemes[kanas.size() - 1],
                             kanas.isEmpty() ? QString() : kanas.back()));

    Role roleBefore = Role::Blank; // the start of the line
    for (qsizetype i = 0; i < morphemes.size(); ++i) {
        const Morpheme &m = morphemes[i];
        const Morpheme *before = i > 0 ? &morphemes[i - 1] : nullptr;
        const Role role = roleOf(m, before);
        const QString &kana = kanas[i];
        // A fixed word (the user's, or the document's ruby) has its reading.
        if (!m.known && m.userKana.isEmpty() && containsKanji(m.surface) &&
            !result.unknownWords.contains(m.surface))
            result.unknownWords.append(m.surface);

        bool blank = (role == Role::Word || role == Role::Prefix || role == Role::Opening) &&
                     roleBefore != Role::Prefix && roleBefore != Role::Opening &&
                     roleBefore != Role::Punctuation && roleBefore != Role::Blank;
        if (blank && roleBefore == Role::Word && isCompoundElement(*before) && isCompoundElement(m)) {
            // A compound noun is divided only between elements of three
            // morae or more, an element counted with its suffixes (理事会);
            // a family name and a given name always.
            QString element = kana;
            for (qsizetype j = i + 1; j < morphemes.size() && isSuffix(morphemes[j]); ++j)
                element += kanas[j];
            const bool name = before->feature(3) == u"姓" && m.feature(3) == u"名";
            blank = name || (moraCount(kanas[i - 1]) >= 3 && moraCount(element) >= 3);
        }
        // Kana right after Latin letters needs a blank (ＣＤ を).
        if (role == Role::Attached && !result.text.isEmpty() && isLatinLetter(result.text.back()) &&
            startsWithKana(kana))
            blank = true;

        // A small kana, the small つ or the long-vowel mark belongs to the
        // syllable before it, however the dictionary cut an unknown run of
        // kana.
        if (startsWithSyllableEnd(kana))
            blank = false;

        if (!m.spaceBefore.isEmpty())
            result.text += m.spaceBefore;
        else if (blank)
            result.text += u' ';
        result.text += kana;
        roleBefore = role;
    }
    // MeCab passes over blanks at the end of the line.
    qsizetype end = line.size();
    while (end > 0 && (line[end - 1] == u' ' || line[end - 1] == u'\t'))
        --end;
    result.text += line.mid(end);
    return result;
}

KanaConversion KanaConverter::convertText(const QString &text, const QList<FixedWord> &readings)
{
    KanaConversion result;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        QString line = text.mid(start, end - start);
        const bool cr = line.endsWith(u'\r');
        if (cr)
            line.chop(1);
        QList<FixedWord> lineReadings;
        for (const FixedWord &reading : readings) {
            if (reading.start >= start && reading.start + reading.length <= start + line.size())
                lineReadings.append({reading.start - start, reading.length, reading.kana});
        }
        const KanaConversion converted = convertLine(line, lineReadings);
        result.text += converted.text;
        if (cr)
            result.text += u'\r';
        if (end < text.size())
            result.text += u'\n';
        for (const QString &word : converted.unknownWords) {
            if (!result.unknownWords.contains(word))
                result.unknownWords.append(word);
        }
        start = end + 1;
    }
    return result;
}
