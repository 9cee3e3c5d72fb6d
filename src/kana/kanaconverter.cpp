#include "kanaconverter.h"

#include "kananumbers.h"
#include "kanaword.h"
#include "kanawords.h"

#include <algorithm>
#include <string_view>

using namespace KanaWords;
using KanaRules::isCompoundElement;
using KanaRules::isHiraganaOnly;
using KanaRules::isNumber;
using KanaRules::isPersonName;
using KanaRules::isSuffix;
using KanaRules::onomatopoeiaKana;

namespace {

quint32 hashOf(const QString &word)
{
    return quint32(std::hash<std::u16string_view>{}(
        std::u16string_view(QStringView(word).utf16(), std::size_t(word.size()))));
}

} // namespace

void UniqueWords::add(const QString &word)
{
    if (slots_.empty()) {
        if (words_.size() < kListedOnly) {
            // Compared inline, length first: the list's own contains()
            // orders the strings, which for many words of one length (a
            // text of unknown ideographs) cost more than the rest.
            const QStringView wanted(word);
            if (std::none_of(words_.cbegin(), words_.cend(), [wanted](const QString &listed) {
                    return listed.size() == wanted.size() &&
                           std::char_traits<char16_t>::compare(QStringView(listed).utf16(), wanted.utf16(),
                                                               std::size_t(wanted.size())) == 0;
                })) {
                // Room for the few words of a line at once, rather than
                // growing one word at a time.
                if (words_.isEmpty())
                    words_.reserve(kListedOnly);
                words_.append(word);
            }
            return;
        }
        for (const QString &listed : std::as_const(words_))
            hashes_.push_back(hashOf(listed));
        spreadOver(std::size_t(4 * kListedOnly));
    }
    const quint32 hash = hashOf(word);
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = hash & mask;
    for (; slots_[at] != 0; at = (at + 1) & mask) {
        const quint32 index = slots_[at] - 1;
        if (hashes_[index] == hash && std::as_const(words_)[index] == word)
            return;
    }
    words_.append(word);
    hashes_.push_back(hash);
    slots_[at] = quint32(words_.size());
    // At most half full, so that a look-up ends soon.
    if (std::size_t(words_.size()) * 2 > slots_.size())
        spreadOver(slots_.size() * 2);
}

void UniqueWords::spreadOver(std::size_t slotCount)
{
    slots_.assign(slotCount, 0);
    const std::size_t mask = slotCount - 1;
    for (std::size_t index = 0; index < hashes_.size(); ++index) {
        std::size_t at = hashes_[index] & mask;
        while (slots_[at] != 0)
            at = (at + 1) & mask;
        slots_[at] = quint32(index) + 1;
    }
}

namespace {

// The entry's decisions hold for a word written as the entry's own word,
// which the user's kana or a joined number would have changed.
const WordDecision *decisionFor(const Morpheme &m)
{
    if (!m.userKana.isEmpty())
        return nullptr;
    const MorphemeFeatures *entry = m.entryOfSurface();
    return entry && entry->byItself.decided && entry->byItself.known == m.known ? &entry->byItself : nullptr;
}

// Asked of every word: decided once for the written form of an entry.
bool hasKanji(const Morpheme &m)
{
    const MorphemeFeatures *entry = m.entryOfSurface();
    return entry ? entry->kanaSurfaceHasKanji : containsKanji(m.surface());
}

bool isDigitsOnly(QStringView text)
{
    for (QChar c : text) {
        if (!c.isDigit())
            return false;
    }
    return !text.isEmpty();
}

bool isLargeUnit(QStringView text)
{
    return isText(text, u"万") || isText(text, u"億") || isText(text, u"兆");
}

// Numbers come from the dictionary one numeral at a time (三, 百; 3000 and
// 万); they are read as one. In place: most lines have nothing to join.
void joinNumbers(QList<Morpheme> &morphemes)
{
    // Only two numbers side by side may join, and most lines have none.
    if (std::adjacent_find(morphemes.cbegin(), morphemes.cend(), [](const Morpheme &a, const Morpheme &b) {
            return isNumber(a) && isNumber(b);
        }) == morphemes.cend())
        return;
    qsizetype kept = 0; // morphemes[0, kept) are the words so far
    for (qsizetype i = 0; i < morphemes.size(); ++i) {
        const Morpheme &m = std::as_const(morphemes)[i];
        if (kept > 0 && isNumber(m) && m.spaceBefore.isEmpty() && m.userKana.isEmpty()) {
            const Morpheme &last = std::as_const(morphemes)[kept - 1];
            if (isNumber(last) && last.userKana.isEmpty()) {
                const QString &before = last.surface();
                const bool kanjiBefore = KanaNumbers::isKanjiNumeral(before);
                const bool kanji = KanaNumbers::isKanjiNumeral(m.surface());
                const bool digitsBefore = !before.isEmpty() && before.front().isDigit();
                // Kanji with kanji; digits with 万 億 兆 after them, and digits
                // after those (5億3000万).
                if ((kanjiBefore && kanji && !isText(before, u"零") && !m.isWritten(u"零")) ||
                    (digitsBefore && isLargeUnit(m.surface())) ||
                    (digitsBefore && isLargeUnit(QStringView(before).right(1)) &&
                     isDigitsOnly(m.surface()))) {
                    Morpheme &joined = morphemes[kept - 1];
                    joined.setSurface(joined.surface() + m.surface());
                    joined.known = true; // read as a whole, digits and all
                    continue;
                }
            }
        }
        if (kept != i)
            morphemes[kept] = std::move(morphemes[i]);
        ++kept;
    }
    if (kept < morphemes.size())
        morphemes.resize(kept);
}

// Where each morpheme starts in the line.
QList<qsizetype> startsOf(const QList<Morpheme> &morphemes)
{
    QList<qsizetype> starts;
    qsizetype at = 0;
    for (const Morpheme &m : morphemes) {
        at += m.spaceBefore.size();
        starts.append(at);
        at += m.surface().size();
    }
    return starts;
}

void mergeInto(QList<Morpheme> &morphemes, qsizetype first, qsizetype last, const QString &kana)
{
    Morpheme &m = morphemes[first];
    for (qsizetype k = first + 1; k <= last; ++k)
        m.setSurface(m.surface() + morphemes[k].surface());
    m.userKana = kana;
    m.known = true;
    morphemes.remove(first + 1, last - first);
}

// The shipped lexicon's words, where the dictionary's words line up with
// them; its entries never cut a word of the dictionary in two (盲 of 盲目).
void takeLexiconWords(QList<Morpheme> &morphemes, const QList<FixedWord> &words)
{
    if (words.isEmpty())
        return;
    QList<qsizetype> starts = startsOf(morphemes);
    for (const FixedWord &word : words) {
        const qsizetype first = starts.indexOf(word.start);
        if (first < 0)
            continue;
        qsizetype last = first;
        while (last + 1 < morphemes.size() && starts[last + 1] < word.start + word.length)
            ++last;
        const bool aligned = starts[last] + morphemes[last].surface().size() == word.start + word.length;
        bool free = aligned;
        for (qsizetype k = first; k <= last && free; ++k)
            free = morphemes[k].userKana.isEmpty() && (k == first || morphemes[k].spaceBefore.isEmpty());
        if (free) {
            mergeInto(morphemes, first, last, word.kana);
            starts.remove(first + 1, last - first); // the words after keep their places
        }
    }
}

// The dictionary keeps a run of unknown signs together (℃、②); each is
// read, or reported, by itself.
bool isRunOfSigns(const Morpheme &m)
{
    bool signs = !m.known && m.userKana.isEmpty() && m.surface().size() > 1;
    for (qsizetype k = 0; signs && k < m.surface().size(); ++k)
        signs = !m.surface()[k].isLetter() && !m.surface()[k].isDigit() && !m.surface()[k].isSurrogate();
    return signs;
}

QList<Morpheme> withUnknownSignsApart(const QList<Morpheme> &morphemes)
{
    // Most words are known: asked first, inline.
    if (std::none_of(morphemes.cbegin(), morphemes.cend(),
                     [](const Morpheme &m) { return !m.known && isRunOfSigns(m); }))
        return morphemes;
    QList<Morpheme> result;
    result.reserve(morphemes.size());
    for (const Morpheme &m : morphemes) {
        if (!isRunOfSigns(m)) {
            result.append(m);
            continue;
        }
        for (qsizetype k = 0; k < m.surface().size(); ++k) {
            Morpheme one = m;
            one.setSurface(m.surface().mid(k, 1));
            if (k > 0)
                one.spaceBefore.clear();
            result.append(one);
        }
    }
    return result;
}

// A run of kana that repeats itself (めえめえ, ごおごお) that the dictionary
// cut up somewhere other than in its middle is a word it does not know:
// such runs are given back to it as words of their own, spelt as written.
QList<FixedWord> repeatedKanaIn(const QString &line, const QList<Morpheme> &morphemes,
                                const QList<FixedWord> &fixed)
{
    QList<FixedWord> found;
    QList<qsizetype> cuts; // where the dictionary cut the line, found when first needed
    qsizetype taken = 0;
    const qsizetype size = line.size();
    for (qsizetype at = 0; at + 4 <= size; ++at) {
        if (at < taken || !isHiragana(line[at]))
            continue;
        // A run that repeats itself meets its own first kana again two to
        // four places on; most places of a line do not.
        const QChar kana = line[at];
        if (line[at + 2] != kana && (at + 6 > size || line[at + 3] != kana) &&
            (at + 8 > size || line[at + 4] != kana))
            continue;
        for (qsizetype half = 4; half >= 2; --half) {
            if (at + 2 * half > line.size() || line[at] != line[at + half])
                continue;
            const QStringView first = QStringView(line).mid(at, half);
            if (first != QStringView(line).mid(at + half, half) || !isHiraganaOnly(first))
                continue;
            if (cuts.isEmpty()) {
                cuts = startsOf(morphemes);
                if (!morphemes.isEmpty())
                    cuts.append(cuts.back() + morphemes.back().surface().size());
            }
            const bool twoWords =
                cuts.contains(at) && cuts.contains(at + half) && cuts.contains(at + 2 * half);
            const qsizetype index = cuts.indexOf(at);
            const bool oneWord = index >= 0 && index + 1 < cuts.size() && cuts[index + 1] == at + 2 * half;
            const bool user = std::any_of(fixed.begin(), fixed.end(), [&](const FixedWord &w) {
                return w.start < at + 2 * half && at < w.start + w.length;
            });
            if (!twoWords && !oneWord && !user) {
                found.append({at, 2 * half, onomatopoeiaKana(line.mid(at, 2 * half))});
                taken = at + 2 * half;
            }
            break;
        }
    }
    return found;
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
    return isSmallKana(first) || first == u'っ' || first == u'ッ' || first == u'ー' || first == u'゛' ||
           first == u'゜';
}

// Digits, Latin letters and the marks of addresses and numbers: a run of
// these that the text wrote without a blank stays without one (B5, 3.14).
// Asked of two characters for every word: the test that settles kana,
// kanji and Japanese marks at once is inline.
inline bool isRunCharacter(QChar c)
{
    if (c.unicode() >= 0x3000 && c.unicode() < 0xFF00)
        return false;
    return c.isDigit() || isLatinLetter(c) || QStringView(u".-_/:@．－＿／：＠").contains(c);
}

bool endsWithLatin(QStringView text)
{
    if (text.isEmpty())
        return false;
    // An abbreviation's period counts with its letters (etc.).
    if ((text.back() == u'.' || text.back() == u'．') && text.size() > 1)
        return isLatinLetter(text[text.size() - 2]);
    return isLatinLetter(text.back());
}

// The one-kanji prefixes that stand apart before a word of three morae or
// more, or before a number (ぜん かいちょー, ぜん 10かん).
bool isSeparablePrefix(const Morpheme &m)
{
    static const QString prefixes = QStringLiteral("各旧故前元現新全総超当反非満貴要逆禁某両");
    return m.surface().size() == 1 && prefixes.contains(m.surface().front());
}

// A compound's element counts as full when it has three morae, or when it
// is written with two kanji (りか きょーいく).
bool isFullElement(const Morpheme &m, const QString &kana)
{
    return moraCount(kana) >= 3 || (m.surface().size() == 2 && containsKanji(m.surface().left(1)) &&
                                    containsKanji(m.surface().mid(1)));
}

// The literary して after に or ず (さいわいにして, きせずして); にして
// followed by a verb is the verb する (かれに して もらう).
bool isLiteraryShite(LineWords words, qsizetype i)
{
    const Morpheme &m = *words[i].m;
    if (!m.isWritten(u"し") || i == 0 || i + 1 >= words.size() || !words[i + 1].m->isWritten(u"て") ||
        !isText(m.baseForm(), u"する"))
        return false;
    const Morpheme &before = *words[i - 1].m;
    if (before.isWritten(u"ず") && isText(before.partOfSpeech(), u"助動詞"))
        return true;
    if (!before.isWritten(u"に") || !isText(before.partOfSpeech(), u"助詞") || i < 2)
        return false;
    // にして after a word of manner or time (さいわいにして, いっしゅんにして);
    // after a person it is the verb (かれに して もらう).
    const Morpheme &word = *words[i - 2].m;
    return isText(word.subdivision(), u"形容動詞語幹") || isText(word.subdivision(), u"副詞可能") ||
           isNumber(word) || isText(word.feature(2), u"助数詞");
}

// After a length of time, 中 is じゅー (1にちじゅー) and おき a word of its
// own (1にち おき).
void applyAfterTimeCounter(KanaWord &w, const Morpheme &before)
{
    if ((!w.m->isWritten(u"中") && !w.m->isWritten(u"おき") && !w.m->isWritten(u"置き")) ||
        !isSuffix(before) || !isText(before.feature(2), u"助数詞") || !w.m->spaceBefore.isEmpty() ||
        !isSuffix(*w.m))
        return;
    if (w.m->isWritten(u"中"))
        w.setKana(QStringLiteral("じゅー"));
    else if (w.m->isWritten(u"おき") || w.m->isWritten(u"置き"))
        w.join = Join::Blank;
}

// As the word's entry decided; for a word of no entry (an unknown word, a
// number joined), asked where a rule needs it.
bool isCompound(const KanaWord &w)
{
    return w.decided ? w.decided->compoundElement : isCompoundElement(*w.m);
}

bool isName(const KanaWord &w)
{
    return w.decided ? w.decided->personName : isPersonName(*w.m);
}

bool isAfterName(const KanaWord &w)
{
    return w.decided ? w.decided->afterNameWord : KanaRules::isAfterNameWord(*w.m);
}

// Whether a blank goes before the i-th word, given the role of the word
// before and the text written so far: the roles first, then the rules of
// 分かち書き that know better.
bool blankBefore(LineWords words, qsizetype i, Role roleBefore, QStringView text)
{
    const KanaWord &w = words[i];
    const Morpheme &m = *w.m;
    const Morpheme *before = i > 0 ? words[i - 1].m : nullptr;
    const Role role = w.role;
    const QString &kana = w.kana();
    bool blank = (role == Role::Word || role == Role::Prefix || role == Role::Opening) &&
                 roleBefore != Role::Prefix && roleBefore != Role::Opening &&
                 roleBefore != Role::Punctuation && roleBefore != Role::Blank;
    if (blank && roleBefore == Role::Word && isCompound(words[i - 1]) && isCompound(w)) {
        // A compound noun is divided only between full elements, an
        // element counted with its suffixes (理事会); a family name and
        // a given name always.
        QString element = kana;
        for (qsizetype j = i + 1; j < words.size() && isSuffix(*words[j].m); ++j)
            element += words[j].kana();
        const bool name = isText(before->feature(3), u"姓") && isText(m.feature(3), u"名");
        blank = name || (isFullElement(*before, words[i - 1].kana()) &&
                         (moraCount(element) >= 3 || isFullElement(m, kana)));
    }
    // A prefix that may stand apart, before a long word or a number.
    if (roleBefore == Role::Prefix && isSeparablePrefix(*before) &&
        (isNumber(m) || (role == Role::Word && moraCount(kana) >= 3)))
        blank = true;
    // A round bracket right after a word holds a note on it: かいぎ（かり）.
    if (role == Role::Opening && before && m.spaceBefore.isEmpty() &&
        (m.isWritten(u"（") || m.isWritten(u"(")) &&
        (isText(before->partOfSpeech(), u"名詞") || !before->userKana.isEmpty()))
        blank = false;
    if (role == Role::Attached && i > 0 && isAfterName(w) && isName(words[i - 1]))
        blank = true;
    // Kana right after Latin letters needs a blank (ＣＤ を, etc. を).
    if (role == Role::Attached && endsWithLatin(text) && startsWithKana(kana))
        blank = true;
    // Never a blank inside a run the text wrote whole (B5, 3.14), nor
    // inside a run of kana the dictionary did not know.
    if (!text.isEmpty() && !kana.isEmpty() && isRunCharacter(text.back()) && isRunCharacter(kana.front()))
        blank = false;
    // (A reading the document gives for kanji, ruby, is a word of its own.)
    if (before && !m.known && !before->known && startsWithKana(kana) && startsWithKana(words[i - 1].kana()) &&
        startsWithKana(m.surface()) && startsWithKana(before->surface()))
        blank = false;
    if (w.join != Join::ByRole)
        blank = w.join == Join::Blank;
    // A small kana, the small つ, the long-vowel mark or a spacing
    // voiced mark belongs to the syllable before it, however the
    // dictionary cut an unknown run of kana.
    if (startsWithSyllableEnd(kana) || kana.isEmpty())
        blank = false;
    return blank;
}

// For each character of the line the converter read, where it stands in
// the line as written: a voiced mark written after its kana (か゛) was
// joined to it, and the line read is the shorter by one there. One more
// entry for the end of the line.
QList<qsizetype> sourceColumns(const QString &written, const QString &line)
{
    QList<qsizetype> columns;
    // Nothing joined: every character stands where it was written, which
    // the empty list says.
    if (written.size() == line.size())
        return columns;
    columns.reserve(line.size() + 1);
    const auto isMark = [](QChar c) {
        return c == u'゛' || c == u'゜' || c == QChar(0x3099) || c == QChar(0x309A);
    };
    qsizetype i = 0;
    for (qsizetype j = 0; j < line.size(); ++j) {
        columns.append(qMin(i, written.size()));
        ++i;
        if (written.size() != line.size() && i < written.size() && isMark(written[i]) &&
            (j + 1 >= line.size() || line[j + 1] != written[i]))
            ++i;
    }
    columns.append(written.size());
    return columns;
}

struct WordPlace
{
    qsizetype sourceStart = 0; // in the line read
    qsizetype kanaStart = 0;   // in the converted line
};

// Keeps a word that held kanji in the record; returns whether it did. A
// counter whose reading went into the number before it (3人 → 3にん) joins
// that number's record.
bool recordWord(QList<ConvertedWord> &record, const KanaWord &w, const KanaWord *before, bool recordedBefore,
                WordPlace place, const QList<qsizetype> &columns, const QString &written)
{
    const Morpheme &m = *w.m;
    if (!hasKanji(m))
        return false;
    const auto sourceOf = [&](qsizetype at) {
        return columns.isEmpty() ? qBound<qsizetype>(0, at, written.size())
                                 : columns[qBound<qsizetype>(0, at, columns.size() - 1)];
    };
    const qsizetype end = sourceOf(place.sourceStart + m.surface().size());
    if (w.kana().isEmpty() && before && !before->kana().isEmpty() && m.spaceBefore.isEmpty()) {
        if (recordedBefore) {
            ConvertedWord &last = record.back();
            last.written = written.mid(last.sourceColumn, end - last.sourceColumn);
            return true;
        }
        ConvertedWord &word = record.emplaceBack();
        word.sourceColumn = sourceOf(place.sourceStart - before->m->surface().size());
        word.written = written.mid(word.sourceColumn, end - word.sourceColumn);
        word.kanaLength = before->kana().size();
        word.kanaStart = place.kanaStart - word.kanaLength;
        word.kana = before->kana();
        return true;
    }
    const qsizetype column = sourceOf(place.sourceStart);
    // Mostly the word as the dictionary gave it, whose string is shared
    // rather than copied.
    const QStringView source = QStringView(written).sliced(column, end - column);
    ReadingDoubts doubts;
    if (!m.known && m.userKana.isEmpty())
        doubts |= ReadingDoubt::Unknown;
    record.append(ConvertedWord{0,
                                column,
                                place.kanaStart,
                                w.kana().size(),
                                source == m.surface() ? m.surface() : source.toString(),
                                w.kana(),
                                {},
                                doubts});
    return true;
}

} // namespace

KanaConverter::KanaConverter(const QString &dictionaryDir) : m_analyzer(dictionaryDir)
{
    m_lexicon = &KanaLexicon::shipped(&m_lexiconError);
}

bool KanaConverter::isReady() const
{
    return m_analyzer.isOpen() && m_lexiconError.ok();
}

KanaProblem KanaConverter::error() const
{
    return m_analyzer.isOpen() ? m_lexiconError : m_analyzer.error();
}

void KanaConverter::setUserEntries(const QList<UserDictionaryEntry> &entries)
{
    m_userWords.setEntries(entries);
}

void KanaConverter::setMarking(bool on, const DoubtThresholds &thresholds)
{
    m_marking = on;
    m_thresholds = thresholds;
    m_analyzer.setWeighing(on, thresholds.theta);
}

bool KanaConverter::openSecondDictionary(const QString &dir)
{
    m_second.reset();
    m_secondError = KanaProblem{};
    if (dir.isEmpty())
        return true;
    auto second = std::make_unique<MorphemeAnalyzer>(dir);
    if (!second->isOpen()) {
        m_secondError = second->error();
        return false;
    }
    m_second = std::move(second);
    return true;
}

void KanaConverter::markDoubts(QList<ConvertedWord> &record, const QString &line,
                               const QList<FixedWord> &fixed,
                               const QList<std::pair<const Morpheme *, qsizetype>> &sources)
{
    for (qsizetype r = 0; r < record.size(); ++r) {
        if (sources[r].first)
            DoubtJudge::judgeByLattice(record[r], *sources[r].first, m_thresholds);
    }
    if (!m_second || record.isEmpty())
        return;
    const QList<Morpheme> second = m_second->analyze(line, fixed);
    const QList<qsizetype> secondStarts = startsOf(second);
    for (qsizetype r = 0; r < record.size(); ++r) {
        if (sources[r].first)
            DoubtJudge::judgeBySecondDictionary(record[r], *sources[r].first, sources[r].second, second,
                                                secondStarts);
    }
}

QList<FixedWord> KanaConverter::fixedWordsIn(const QString &line, const QList<FixedWord> &readings) const
{
    if (readings.isEmpty() && m_userWords.isEmpty())
        return {};
    // The document's own reading of a place (ruby) wins over the user's
    // entries there.
    QList<FixedWord> found;
    for (const FixedWord &reading : readings) {
        if (reading.start >= 0 && reading.length > 0 && reading.start + reading.length <= line.size() &&
            !reading.kana.isEmpty())
            found.append(reading);
    }
    const qsizetype givenByDocument = found.size();
    const auto overlapsReading = [&](const FixedWord &word) {
        for (qsizetype i = 0; i < givenByDocument; ++i) {
            if (word.start < found[i].start + found[i].length && found[i].start < word.start + word.length)
                return true;
        }
        return false;
    };
    for (const FixedWord &word : m_userWords.wordsIn(line)) {
        if (!overlapsReading(word))
            found.append(word);
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

namespace {

// A layout marker at the start of a line (［ミダシ1］, ［ゲンポン12］): a run
// of katakana and digits in square brackets. It is the transcriber's
// instruction, not text, and stays exactly as written.
qsizetype layoutMarkerLength(QStringView line)
{
    if (line.isEmpty() || (line.front() != u'［' && line.front() != u'['))
        return 0;
    const QChar close = line.front() == u'［' ? u'］' : u']';
    bool katakana = false;
    for (qsizetype i = 1; i < line.size(); ++i) {
        const char16_t c = line[i].unicode();
        if (c == close.unicode())
            return katakana ? i + 1 : 0;
        if (c >= u'ァ' && c <= u'ヺ')
            katakana = true;
        else if (!(c == u'ー' || (c >= u'0' && c <= u'9') || (c >= u'０' && c <= u'９')))
            return 0;
    }
    return 0;
}

} // namespace

KanaConversion KanaConverter::convertLine(const QString &written, const QList<FixedWord> &readings)
{
    UniqueWords unknown;
    KanaConversion result = convertLine(written, readings, unknown);
    result.unknownWords = unknown.words();
    return result;
}

KanaConversion KanaConverter::convertLine(const QString &written, const QList<FixedWord> &readings,
                                          UniqueWords &unknown)
{
    const qsizetype marker = layoutMarkerLength(written);
    if (marker == 0)
        return convertMarkerlessLine(written, readings, unknown);
    QList<FixedWord> shifted;
    for (FixedWord reading : readings) {
        if (reading.start < marker)
            continue;
        reading.start -= marker;
        shifted.append(std::move(reading));
    }
    KanaConversion result = convertMarkerlessLine(written.mid(marker), shifted, unknown);
    result.text.prepend(written.left(marker));
    for (ConvertedWord &word : result.words) {
        word.sourceColumn += marker;
        word.kanaStart += marker;
    }
    return result;
}

KanaConversion KanaConverter::convertMarkerlessLine(const QString &written, const QList<FixedWord> &readings,
                                                    UniqueWords &unknown)
{
    KanaConversion result;
    const QString line = KanaRules::expandIterationMarks(written);
    QList<FixedWord> fixed = fixedWordsIn(line, readings);
    // The lists of the line before, whose room serves again.
    QList<Morpheme> &morphemes = m_morphemes;
    m_analyzer.analyzeInto(line, fixed, morphemes);
    const QList<FixedWord> repeated = repeatedKanaIn(line, morphemes, fixed);
    if (!repeated.isEmpty())
        m_analyzer.analyzeInto(line, fixed + repeated, morphemes);
    takeLexiconWords(morphemes, m_lexicon->wordsIn(line));
    morphemes = withUnknownSignsApart(morphemes);
    joinNumbers(morphemes);

    const QList<qsizetype> columns = sourceColumns(written, line);
    QList<KanaWord> &wordList = m_words;
    wordList.clear();
    wordList.resize(morphemes.size());
    Morpheme *const read = morphemes.data();
    KanaWord *const made = wordList.data();
    for (qsizetype i = 0; i < morphemes.size(); ++i) {
        Morpheme &m = read[i];
        const KanaWord *before = i > 0 ? &made[i - 1] : nullptr;
        const WordDecision *decided = decisionFor(m);
        const Role role = decided && !decided->roleAsksBefore
                              ? decided->role
                              : KanaRules::roleOf(m, before ? before->m : nullptr);
        KanaWord &word = made[i];
        word.m = &m;
        word.decided = decided;
        word.role = role;
        if (decided && !decided->kanaAsksBefore)
            word.shareKana(decided->kana);
        else
            word.setKana(KanaRules::kanaFor(m, before ? QStringView(before->kana()) : QStringView()));
    }
    const LineWords words(wordList);
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (isLiteraryShite(words, i))
            words[i].role = Role::Attached;
        if (i > 0)
            applyAfterTimeCounter(words[i], *words[i - 1].m);
    }
    KanaRules::applyNumberReadings(words);
    QStringList keptSigns;
    KanaRules::applySignReadings(words, keptSigns);

    // The kana go into one buffer, made large enough at once: each word
    // brings its blanks, its kana and perhaps a blank more, and the blanks
    // at the end of the line follow.
    qsizetype bound = line.size();
    for (qsizetype i = 0; i < words.size(); ++i)
        bound += words[i].m->spaceBefore.size() + 1 + words[i].kana().size();
    result.text.resize(bound);
    QChar *const out = result.text.data();
    qsizetype filled = 0;
    const auto put = [&](QStringView text) {
        std::copy_n(text.data(), text.size(), out + filled);
        filled += text.size();
    };

    Role roleBefore = Role::Blank; // the start of the line
    qsizetype sourceAt = 0;
    bool recordedBefore = false;
    // For each word of the record, the morpheme it was read from and where
    // that starts in the line read (none for a number joined to its counter).
    QList<std::pair<const Morpheme *, qsizetype>> recordSources;
    // At most one record a word.
    result.words.reserve(words.size());
    if (m_marking)
        recordSources.reserve(words.size());
    for (qsizetype i = 0; i < words.size(); ++i) {
        const KanaWord &w = words[i];
        const Morpheme &m = *w.m;
        const Role role = w.role;
        const QString &kana = w.kana();
        if (!m.known && m.userKana.isEmpty() && containsKanji(m.surface()))
            unknown.add(m.surface());

        const bool blank = blankBefore(words, i, roleBefore, QStringView(out, filled));
        if (!m.spaceBefore.isEmpty())
            put(m.spaceBefore);
        else if (blank)
            out[filled++] = u' ';
        sourceAt += m.spaceBefore.size();
        const qsizetype kanaStart = filled;
        put(kana);
        const qsizetype recorded = result.words.size();
        recordedBefore = recordWord(result.words, w, i > 0 ? &words[i - 1] : nullptr, recordedBefore,
                                    {sourceAt, kanaStart}, columns, written);
        // The sources serve the marks alone.
        if (m_marking && result.words.size() > recorded)
            recordSources.append({kana.isEmpty() || isNumber(m) ? nullptr : &m, sourceAt});
        else if (m_marking && recordedBefore && !recordSources.isEmpty())
            recordSources.back().first = nullptr;
        sourceAt += m.surface().size();
        // An empty word (a counter whose reading went into its number)
        // leaves the role of the word before in force.
        if (!kana.isEmpty())
            roleBefore = role;
    }
    if (m_marking)
        markDoubts(result.words, line, fixed, recordSources);
    unknown.add(keptSigns);
    // MeCab passes over blanks at the end of the line.
    qsizetype end = line.size();
    while (end > 0 && (line[end - 1] == u' ' || line[end - 1] == u'\t'))
        --end;
    put(QStringView(line).sliced(end));
    result.text.resize(filled);
    return result;
}

KanaConversion KanaConverter::convertText(const QString &text, const QList<FixedWord> &readings)
{
    KanaConversion result;
    UniqueWords unknown;
    QList<FixedWord> sorted = readings;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const FixedWord &a, const FixedWord &b) { return a.start < b.start; });
    qsizetype next = 0;
    qsizetype start = 0;
    qsizetype lineIndex = 0;
    while (start <= text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        QString line = text.mid(start, end - start);
        const bool cr = line.endsWith(u'\r');
        if (cr)
            line.chop(1);
        // The readings in order of place, taken up line by line, so that a
        // long document with many readings is walked once.
        QList<FixedWord> lineReadings;
        for (; next < sorted.size() && sorted[next].start < start + line.size(); ++next) {
            const FixedWord &reading = sorted[next];
            if (reading.start >= start && reading.start + reading.length <= start + line.size())
                lineReadings.append({reading.start - start, reading.length, reading.kana});
        }
        // The unknown words go straight into the text's list.
        KanaConversion converted = convertLine(line, lineReadings, unknown);
        result.text += converted.text;
        if (cr)
            result.text += u'\r';
        if (end < text.size())
            result.text += u'\n';
        for (ConvertedWord &word : converted.words) {
            word.line = lineIndex;
            result.words.append(std::move(word));
        }
        ++lineIndex;
        start = end + 1;
    }
    result.unknownWords = unknown.words();
    return result;
}
