#include "kananumbers.h"
#include "kanaword.h"
#include "kanawords.h"

using namespace KanaWords;

namespace KanaRules {

namespace {

bool askBefore(bool *askedBefore)
{
    if (askedBefore)
        *askedBefore = true;
    return true;
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
    for (QChar c : m.surface()) {
        if (!c.isPunct() && !c.isSymbol())
            return Role::Word;
    }
    if (QStringLiteral("([{（［｛「『【〈《〔").contains(m.surface().back()))
        return Role::Opening;
    if (QStringLiteral(")]}）］｝」』】〉》〕").contains(m.surface().front()))
        return Role::Closing;
    return Role::Punctuation;
}

// An adjective's ウ音便 before ございます: the sound, not the spelling
// (はやう → はよー, ありがたう → ありがとー).
QString adjectiveUSound(const Morpheme &m, QString kana)
{
    if (!endsWithText(m.surface(), u"う") || !isText(m.partOfSpeech(), u"形容詞") ||
        !m.feature(5).contains(u"ゴザイ") || kana.size() < 2 || !m.reading().endsWith(u'ウ'))
        return kana;
    static const QString aRow = QStringLiteral("あかさたなはまやらがざだばぱ");
    static const QString oRow = QStringLiteral("おこそとのほもよろごぞどぼぽ");
    QString result = toHiragana(m.reading());
    const qsizetype at = aRow.indexOf(result[result.size() - 2]);
    if (at >= 0)
        result[result.size() - 2] = oRow[at];
    result.back() = u'ー';
    return result;
}

// The kana of the part before いう, and いう as a word of its own
// (こーいう → こー いう, とかいう → とか いう).
QString withIuApart(const QString &kana)
{
    return kana.size() > 2 ? kana.chopped(2) + QStringLiteral(" いう") : kana;
}

// A place name and the 岬, 峠 or 半島 the dictionary keeps with it.
QString withPlaceFeatureApart(const Morpheme &m, QString kana)
{
    if (!(endsWithText(m.surface(), u"岬") || endsWithText(m.surface(), u"峠") ||
          endsWithText(m.surface(), u"半島")) ||
        !isText(m.feature(1), u"固有名詞") || !m.userKana.isEmpty())
        return kana;
    static const struct
    {
        const char16_t *written;
        const char16_t *kana;
    } features[] = {{u"岬", u"みさき"}, {u"峠", u"とーげ"}, {u"半島", u"はんとー"}};
    for (const auto &feature : features) {
        const QString written = QString::fromUtf16(feature.written);
        const QString said = QString::fromUtf16(feature.kana);
        if (m.surface().size() > written.size() && m.surface().endsWith(written) && kana.endsWith(said) &&
            kana.size() > said.size())
            return kana.chopped(said.size()) + u' ' + said;
    }
    return kana;
}

QString readingFor(const Morpheme &m, QStringView kanaBefore, bool *askedBefore)
{
    if (!m.userKana.isEmpty())
        return m.userKana;
    if (isNumber(m)) {
        if (KanaNumbers::isKanjiNumeral(m.surface())) {
            const QString digits = KanaNumbers::toDigits(m.surface());
            if (!digits.isEmpty())
                return digits;
        } else if (!m.surface().isEmpty() && m.surface().front().isDigit()) {
            return KanaNumbers::withLargeUnits(m.surface());
        }
    }
    // Months are numbers too, though the dictionary has them as words.
    const QStringView numeral = QStringView(m.surface()).chopped(m.surface().isEmpty() ? 0 : 1);
    if (endsWithText(m.surface(), u"月") && m.reading().endsWith(u"ガツ") &&
        KanaNumbers::isKanjiNumeral(numeral)) {
        const QString digits = KanaNumbers::toDigits(numeral);
        if (!digits.isEmpty())
            return digits + QStringLiteral("がつ");
    }
    QString kana = kanaOf(m);
    // いう is always a word and always spelt いう.
    if (endsWithText(m.surface(), u"いう") &&
        (isText(m.partOfSpeech(), u"連体詞") || isText(m.feature(2), u"連語")))
        return withIuApart(kana);
    // Compound particles built on a verb (について, に対して, として) write
    // the verb as a word of its own; the literary にして stays whole.
    if (m.surface().size() > 1 && (m.surface().front() == u'に' || m.isWritten(u"として")) &&
        !m.isWritten(u"にして") && isText(m.partOfSpeech(), u"助詞") && isText(m.feature(2), u"連語"))
        return kana.left(1) + u' ' + kana.mid(1);
    // The volitional う lengthens the オ-row syllable before it (行こう).
    if (isText(m.partOfSpeech(), u"助動詞") && m.isWritten(u"う") && askBefore(askedBefore) &&
        !kanaBefore.isEmpty() && vowelOf(kanaBefore.back()) == 'o')
        return QStringLiteral("ー");
    if (!m.known && isHiraganaOnly(m.surface()))
        return onomatopoeiaKana(kana);
    return adjectiveUSound(m, std::move(kana));
}

} // namespace

bool isCompoundElement(const Morpheme &m)
{
    static const QStringList kinds = {QStringLiteral("一般"),           QStringLiteral("固有名詞"),
                                      QStringLiteral("サ変接続"),       QStringLiteral("形容動詞語幹"),
                                      QStringLiteral("ナイ形容詞語幹"), QStringLiteral("副詞可能")};
    return isText(m.partOfSpeech(), u"名詞") && m.known && m.userKana.isEmpty() &&
           kinds.contains(m.subdivision());
}

bool isSuffix(const Morpheme &m)
{
    return isText(m.partOfSpeech(), u"名詞") && isText(m.subdivision(), u"接尾");
}

bool isPersonName(const Morpheme &m)
{
    return isText(m.partOfSpeech(), u"名詞") && isText(m.feature(2), u"人名");
}

Role roleOf(const Morpheme &m, const Morpheme *before, bool *askedBefore)
{
    const auto prior = [&] {
        if (askedBefore)
            *askedBefore = true;
        return before;
    };
    if (!m.userKana.isEmpty())
        return Role::Word;
    if (!m.known)
        return roleOfUnknown(m);
    const QStringView pos = m.partOfSpeech();
    const QStringView sub = m.subdivision();
    if (isText(pos, u"記号")) {
        if (isText(sub, u"空白"))
            return Role::Blank;
        if (isText(sub, u"括弧開"))
            return Role::Opening;
        return isText(sub, u"括弧閉") ? Role::Closing : Role::Punctuation;
    }
    // The auxiliary ない joins a verb only; after anything else, and after
    // て (みてない), it is the adjective ない, a word of its own.
    const bool verbLike = isText(pos, u"助動詞") || isText(pos, u"動詞") || isText(pos, u"形容詞");
    const QStringView base = verbLike ? m.baseForm() : QStringView();
    if (!isText(pos, u"動詞") && isText(base, u"ない") && prior() &&
        (!isText(before->partOfSpeech(), u"動詞") || before->isWritten(u"て") || before->isWritten(u"で")))
        return Role::Word;
    // ござる and ください are words of their own after any word
    // (そーで ございます, おまち ください).
    if (isText(base, u"ござる") || isText(base, u"くださる") || isText(base, u"下さる"))
        return Role::Word;
    if (isText(pos, u"助詞") || isText(pos, u"助動詞"))
        return Role::Attached;
    if (isText(pos, u"接頭詞"))
        return Role::Prefix;
    if (isText(pos, u"名詞")) {
        // Suffixes and counters, the の of 行くのが, and the stems of
        // auxiliaries (降りそうだ, 行くようだ) join the word before; formal
        // nouns (こと, とき) are words of their own.
        if (isText(sub, u"接尾") || isText(sub, u"特殊") || isText(m.feature(2), u"助動詞語幹") ||
            (isText(sub, u"非自立") && (m.isWritten(u"の") || m.isWritten(u"ん"))))
            return Role::Attached;
        return Role::Word;
    }
    if (isText(pos, u"動詞")) {
        // A verb joined to a verb's stem makes a compound verb, one word
        // (うたいはじめる); after て it is an auxiliary verb, a word of its
        // own (みて いる).
        if (isText(sub, u"接尾") ||
            (isText(sub, u"非自立") &&
             (isContraction(m) || (prior() && isText(before->partOfSpeech(), u"動詞")))))
            return Role::Attached;
        // する after a サ変 noun of one kanji is part of that word (愛する),
        // after a longer one a word of its own (運動 する).
        if (isText(base, u"する") && prior() && isText(before->partOfSpeech(), u"名詞") &&
            isText(before->subdivision(), u"サ変接続") && before->userKana.isEmpty() &&
            before->surface().size() == 1 && containsKanji(before->surface()))
            return Role::Attached;
        return Role::Word;
    }
    // やすい, にくい after a verb's stem are written joined (わかりやすい);
    // after て they are words (きて ほしい).
    if (isText(pos, u"形容詞") && (isText(sub, u"接尾") || (isText(sub, u"非自立") && prior() &&
                                                            isText(before->partOfSpeech(), u"動詞"))))
        return Role::Attached;
    return Role::Word;
}

bool isHiraganaOnly(QStringView text)
{
    for (QChar c : text) {
        if (!isHiragana(c) && c != u'ー')
            return false;
    }
    return !text.isEmpty();
}

QString onomatopoeiaKana(const QString &text)
{
    QString kana = text;
    for (qsizetype i = 1; i < kana.size(); ++i) {
        if (kana[i] == u'う' && vowelOf(kana[i - 1]) == 'u')
            kana[i] = u'ー';
    }
    return kana;
}

QString kanaFor(const Morpheme &m, QStringView kanaBefore, bool *askedBefore)
{
    return withPlaceFeatureApart(m, readingFor(m, kanaBefore, askedBefore));
}

// Titles after a name, and what a name's work is (作 著 訳 編 画): a
// word apart (やまだ さん, なつめ そーせき ちょ).
bool isAfterNameWord(const Morpheme &m)
{
    static const QStringList words = {
        QStringLiteral("さん"), QStringLiteral("様"), QStringLiteral("さま"), QStringLiteral("君"),
        QStringLiteral("くん"), QStringLiteral("殿"), QStringLiteral("氏"),   QStringLiteral("ちゃん"),
        QStringLiteral("作"),   QStringLiteral("著"), QStringLiteral("訳"),   QStringLiteral("編"),
        QStringLiteral("画")};
    return isSuffix(m) && words.contains(m.surface());
}

WordDecision decideByItself(const Morpheme &m)
{
    WordDecision decision;
    decision.decided = true;
    decision.known = m.known;
    decision.kana = kanaFor(m, QStringView(), &decision.kanaAsksBefore);
    decision.role = roleOf(m, nullptr, &decision.roleAsksBefore);
    decision.compoundElement = isCompoundElement(m);
    decision.personName = isPersonName(m);
    decision.afterNameWord = isAfterNameWord(m);
    decision.signFree = isSignFree(m.surface());
    return decision;
}

} // namespace KanaRules
