#include "mixedtext.h"

#include "englishbraille/computerbraille.h"
#include "englishbraille/englishbraille.h"
#include "standardrules.h"

using namespace Qt::Literals::StringLiterals;

namespace MixedKey {

QString fixedCells(QStringView cells, std::uint16_t kinds, std::uint16_t flags)
{
    QString key;
    key.reserve(cells.size() + 3);
    key += QChar(kFixed);
    key += QChar(char16_t(kinds));
    key += QChar(char16_t(flags));
    key += cells;
    return key;
}

QString withKinds(QStringView character, std::uint16_t kinds)
{
    QString key = character.toString();
    key += QChar(kKinds);
    key += QChar(char16_t(kinds));
    return key;
}

} // namespace MixedKey

namespace {

constexpr char16_t kBlankCell = 0x2800;

bool isLetter(char16_t c)
{
    return (c >= u'Ａ' && c <= u'Ｚ') || (c >= u'ａ' && c <= u'ｚ');
}
bool isDigit(char16_t c)
{
    return c >= u'０' && c <= u'９';
}
bool isKana(char16_t c)
{
    return (c >= u'ぁ' && c <= u'ゖ') || (c >= u'ァ' && c <= u'ヺ') || c == u'ー' || c == u'ゝ' || c == u'ゞ' ||
           c == u'ヽ' || c == u'ヾ';
}
// A character of a Japanese word: a blank parts it from a span in its own code.
bool isJapaneseWord(char16_t c)
{
    return isKana(c) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) || c == u'々';
}
bool isOpeningBracket(char16_t c)
{
    return SignKind::OpeningBracket & signKinds(QStringView(&c, 1));
}
bool isClosingBracket(char16_t c)
{
    return SignKind::ClosingBracket & signKinds(QStringView(&c, 1));
}

// The ASCII character a full-width form stands for.
QChar ascii(QChar c)
{
    if (c.unicode() >= 0xFF01 && c.unicode() <= 0xFF5E)
        return QChar(char16_t(c.unicode() - 0xFEE0));
    if (c == u'’')
        return QChar(u'\'');
    if (c == u'　')
        return QChar(u' ');
    return c;
}
QString asciiText(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text)
        out += ascii(c);
    return out;
}

// Characters of a word in Latin letters, an address or a path.
bool isTokenCharacter(char16_t c)
{
    if (isLetter(c) || isDigit(c) || c == u'’')
        return true;
    switch (c) {
    case u'．': case u'，': case u'／': case u'：': case u'＠': case u'－': case u'＿': case u'～':
    case u'？': case u'＆': case u'＃': case u'＋': case u'％': case u'＝': case u'＼': case u'＄':
    case u'＊': case u'；': case u'！': case u'＇': case u'＜': case u'＞': case u'｜': case u'＾':
        return true;
    default:
        return false;
    }
}
// Characters of a word of an English phrase.
bool isPhraseCharacter(char16_t c)
{
    if (isLetter(c) || isDigit(c))
        return true;
    switch (c) {
    case u'．': case u'，': case u'；': case u'：': case u'！': case u'？': case u'＇': case u'’': case u'－':
        return true;
    default:
        return false;
    }
}

bool hasLetter(QStringView text)
{
    for (const QChar c : text) {
        if (isLetter(c.unicode()))
            return true;
    }
    return false;
}

// A URL, an e-mail address or a file path, as ASCII without the sentence's
// punctuation after it.
bool isComputerText(const QString &a)
{
    if (a.contains(u"://") || a.startsWith(u"www.", Qt::CaseInsensitive))
        return true;
    const qsizetype at = a.indexOf(u'@');
    if (at > 0 && a.indexOf(u'.', at) > at + 1)
        return true;
    if (a.size() > 1 && a[0] == u'/' && a[1].isLetter())
        return true;
    if (a.startsWith(u"~/") || (a.size() > 2 && a[0].isLetter() && a[1] == u':' && a[2] == u'\\'))
        return true;
    if (a.contains(u'\\'))
        return true;
    // dir/file.ext
    const qsizetype slash = a.lastIndexOf(u'/');
    const qsizetype dot = a.lastIndexOf(u'.');
    return slash > 0 && dot > slash + 1 && dot + 1 < a.size() && a[dot + 1].isLetter();
}

const char16_t *const kRomanNumerals[16] = {u"I",  u"II", u"III", u"IV", u"V", u"VI", u"VII", u"VIII",
                                            u"IX", u"X",  u"XI",  u"XII", u"L", u"C", u"D",   u"M"};

// The roman numeral's letters, or empty.
QString romanLetters(char16_t c)
{
    if (c >= 0x2160 && c <= 0x216F)
        return QString::fromUtf16(kRomanNumerals[c - 0x2160]);
    if (c >= 0x2170 && c <= 0x217F)
        return QString::fromUtf16(kRomanNumerals[c - 0x2170]).toLower();
    return QString();
}

struct Mark
{
    char16_t character;
    const char16_t *cells;
};
// 伏せ字 and marks: ⠘ and a cell that no voiced yōon uses.
constexpr Mark kMarks[] = {
    {u'○', u"⠘⠁"}, {u'●', u"⠘⠃"}, {u'◎', u"⠘⠉"}, {u'□', u"⠘⠋"}, {u'■', u"⠘⠊"},
    {u'△', u"⠘⠅"}, {u'▲', u"⠘⠇"}, {u'▽', u"⠘⠍"}, {u'▼', u"⠘⠏"}, {u'◇', u"⠘⠎"},
    {u'◆', u"⠘⠵"}, {u'☆', u"⠘⠷"}, {u'★', u"⠘⠽"}, {u'×', u"⠘⠿"},
};

constexpr const char16_t *markCells(char16_t c)
{
    for (const Mark &mark : kMarks) {
        if (mark.character == c)
            return mark.cells;
    }
    return nullptr;
}

// The kana without its voiced or semi-voiced mark, and with the voiced one.
QString unvoiced(QChar kana)
{
    QString d = QString(kana).normalized(QString::NormalizationForm_D);
    if (d.size() == 2)
        d.chop(1);
    return d;
}
QString voiced(QChar kana)
{
    const QString composed = (unvoiced(kana) + QChar(0x3099)).normalized(QString::NormalizationForm_C);
    return composed.size() == 1 ? composed : unvoiced(kana);
}

// Kana that are read as they stand, whatever surrounds them: most of a line.
struct PlainKana
{
    bool plain[0x100] = {};
    constexpr PlainKana()
    {
        for (char16_t c = u'ぁ'; c <= u'ヺ'; ++c)
            plain[c - 0x3000] = true;
        for (const char16_t c : {u'ゕ', u'ゖ', u'・', u'ヵ', u'ヶ', char16_t(0x309B), char16_t(0x309C), u'ゝ', u'ゞ'})
            plain[c - 0x3000] = false;
    }
};
constexpr PlainKana kPlainKana;

bool isPlainKana(char16_t c)
{
    return c >= 0x3000 && c < 0x3100 && kPlainKana.plain[c - 0x3000];
}

class Planner
{
public:
    Planner(QStringView line, EnglishGrade grade, std::vector<MixedUnit> &units, bool words)
        : line_(line), n_(line.size()), grade_(grade), units_(units), words_(words)
    {
        units_.clear();
    }

    void run()
    {
        for (qsizetype i = 0; i < n_;) {
            if (!mayStartUnit(at(i))) {
                ++i;
                continue;
            }
            const qsizetype next = step(i);
            i = next > i ? next : i + 1;
        }
    }

private:
    char16_t at(qsizetype i) const { return i >= 0 && i < n_ ? line_[i].unicode() : 0; }

    // Kana, letters and digits read as they stand are passed over at once.
    bool mayStartUnit(char16_t c) const
    {
        if (c >= 0xFF01 && c <= 0xFF5E) {
            const bool alphanumeric =
                (c >= u'０' && c <= u'９') || (c >= u'Ａ' && c <= u'Ｚ') || (c >= u'ａ' && c <= u'ｚ');
            return !alphanumeric || words_;
        }
        return !isPlainKana(c) && c != u'　' && c != u'。' && c != u'、';
    }

    void add(qsizetype start, qsizetype length, QString key, QString text = QString())
    {
        units_.push_back({start, length, std::move(key), std::move(text)});
    }

    // A column with its own cells; the text row gets a "　" over every
    // cell its characters leave uncovered.
    // `lead` is the number of cells before the first character's own, which
    // the text row leaves blank as it does over a prefix.
    void addFixed(qsizetype start, qsizetype length, QString cells, std::uint16_t kinds,
                  std::uint16_t flags = 0, bool blankBefore = false, bool blankAfter = false, int lead = 0)
    {
        QString text(lead, u'　');
        text += line_.sliced(start, length);
        if (blankBefore) {
            cells.prepend(QChar(kBlankCell));
            text.prepend(u'　');
        }
        if (blankAfter)
            cells += QChar(kBlankCell);
        while (text.size() < cells.size())
            text += u'　';
        add(start, length, MixedKey::fixedCells(cells, kinds, flags), text);
    }

    // Whether a span in its own code standing between these neighbours
    // takes a blank to part it from a word.
    bool wordBefore(qsizetype start) const
    {
        const char16_t c = at(start - 1);
        return start > 0 && (isJapaneseWord(c) || isDigit(c) || isLetter(c) || isClosingBracket(c));
    }
    bool wordAfter(qsizetype end) const
    {
        const char16_t c = at(end);
        return end < n_ && (isJapaneseWord(c) || isDigit(c) || isLetter(c) || isOpeningBracket(c));
    }

    qsizetype tokenEnd(qsizetype i) const
    {
        while (i < n_ && isTokenCharacter(at(i)))
            ++i;
        return i;
    }

    // Handles what starts at i; returns where the next step starts.
    qsizetype step(qsizetype i)
    {
        const char16_t c = at(i);
        if (c == u'⠠' && at(i + 1) == u'⠦')
            return typedComputerSpan(i);
        if (words_ && isTokenCharacter(c) && !isTokenCharacter(at(i - 1))) {
            const qsizetype end = tokenEnd(i);
            if (hasLetter(line_.sliced(i, end - i))) {
                if (const qsizetype spanEnd = computerSpan(i, end))
                    return spanEnd;
                if (const qsizetype phraseEnd = englishPhrase(i))
                    return phraseEnd;
            }
        }
        return character(i);
    }

    qsizetype typedComputerSpan(qsizetype i)
    {
        const qsizetype close = line_.indexOf(u"⠠⠴", i + 2);
        if (close < 0)
            return i + 1;
        const QString inside = asciiText(line_.sliced(i + 2, close - i - 2));
        QString cells = ComputerBraille::encode(inside);
        if (cells.isEmpty()) // already braille, or nothing to encode
            cells = line_.sliced(i + 2, close - i - 2).toString();
        addFixed(i, close + 2 - i, u"⠠⠦"_s + cells + u"⠠⠴"_s, 0, 0, wordBefore(i), wordAfter(close + 2));
        return close + 2;
    }

    // Whether the token may be an address or a path, before it is copied.
    bool mayBeComputerText(qsizetype start, qsizetype end) const
    {
        if (end - start >= 4 && QStringView(line_.sliced(start, 4)).compare(u"ｗｗｗ．", Qt::CaseInsensitive) == 0)
            return true;
        for (qsizetype k = start; k < end; ++k) {
            const char16_t c = at(k);
            if (c == u'＠' || c == u'：' || c == u'／' || c == u'＼')
                return true;
        }
        return false;
    }

    qsizetype computerSpan(qsizetype start, qsizetype end)
    {
        if (!mayBeComputerText(start, end))
            return 0;
        // The sentence's punctuation after an address is not part of it.
        while (end > start && QStringView(u".,!?;:").contains(ascii(line_[end - 1])))
            --end;
        const QString a = asciiText(line_.sliced(start, end - start));
        if (!isComputerText(a) || !ComputerBraille::canEncode(a))
            return 0;
        addFixed(start, end - start, u"⠠⠦"_s + ComputerBraille::encode(a) + u"⠠⠴"_s, 0, 0,
                 wordBefore(start), wordAfter(end), 2);
        return end;
    }

    // Words of Latin letters with a blank between them, or a word with an
    // apostrophe between letters: 外国語引用符 around English braille.
    qsizetype englishPhrase(qsizetype start)
    {
        qsizetype pos = start;
        qsizetype end = start;
        int words = 0;
        int wordsWithLetters = 0;
        bool apostrophe = false;
        for (;;) {
            qsizetype e = pos;
            while (e < n_ && isPhraseCharacter(at(e)))
                ++e;
            if (e == pos || (e < n_ && isTokenCharacter(at(e))))
                break; // a sign of addresses or formulas inside the word
            const QStringView word = line_.sliced(pos, e - pos);
            ++words;
            wordsWithLetters += hasLetter(word) ? 1 : 0;
            for (qsizetype k = pos + 1; k + 1 < e; ++k) {
                if ((at(k) == u'＇' || at(k) == u'’') && isLetter(at(k - 1)) && isLetter(at(k + 1)))
                    apostrophe = true;
            }
            end = e;
            if (at(e) == u'　' && isPhraseCharacter(at(e + 1)) && (isLetter(at(e + 1)) || isDigit(at(e + 1))))
                pos = e + 1;
            else
                break;
        }
        if (wordsWithLetters < 2 && !(words == 1 && apostrophe))
            return 0;
        const QString a = asciiText(line_.sliced(start, end - start));
        const QString inside =
            grade_ == EnglishGrade::Contracted ? EnglishBraille::grade2(a) : EnglishBraille::grade1(a);
        addFixed(start, end - start, u"⠦"_s + inside + u"⠴"_s, 0, 0, wordBefore(start), wordAfter(end), 1);
        return end;
    }

    qsizetype ellipsis(qsizetype i, char16_t dot, int dotsPerEllipsis)
    {
        qsizetype end = i;
        while (at(end) == dot)
            ++end;
        const qsizetype run = end - i;
        if (run < dotsPerEllipsis)
            return 0;
        // One 点線 for each ellipsis typed, ‥ and … alike.
        const int count = dotsPerEllipsis == 1 && dot == u'…' ? int(run) : 1;
        addFixed(i, run, QString(3 * count, QChar(u'⠂')), SignKind::LineSign);
        return end;
    }

    qsizetype character(qsizetype i)
    {
        const char16_t c = at(i);
        const char16_t before = at(i - 1);
        const char16_t after = at(i + 1);
        using namespace SignKind;
        switch (c) {
        case u'．':
            if (const qsizetype end = ellipsis(i, c, 3))
                return end;
            if (isDigit(before) && isDigit(after))
                return i + 1; // the decimal point
            if (isLetter(before))
                addFixed(i, 1, u"⠲"_s, Punctuation | OneBlankAfter); // after an abbreviation
            else
                add(i, 1, u"。"_s);
            return i + 1;
        case u'，':
            if (isDigit(before) && isDigit(after) && isDigit(at(i + 2)) && isDigit(at(i + 3)) && !isDigit(at(i + 4)))
                return i + 1; // the digit-group point
            if (isLetter(before) && isLetter(after))
                addFixed(i, 1, u"⠂"_s, 0, MixedFlag::JoinsLetters);
            else
                add(i, 1, u"、"_s);
            return i + 1;
        case u'／':
            if (isDigit(before) && isDigit(after))
                addFixed(i, 1, u"⠌"_s, 0);
            else if (isLetter(before) && isLetter(after))
                addFixed(i, 1, u"⠌"_s, 0, MixedFlag::JoinsLetters);
            else
                addFixed(i, 1, u"⠸⠌"_s, 0); // 斜線
            return i + 1;
        case u'＇':
        case u'’':
            if (isDigit(after) && isDigit(at(i + 2)) && !isDigit(at(i + 3)) && !isDigit(before) && !isLetter(before)) {
                // ’９８: the year's apostrophe stands after the numeral sign.
                addFixed(i, 1, u"⠼⠄"_s, Digit, MixedFlag::NumberLead);
            } else if (c == u'＇') {
                addFixed(i, 1, u"⠄"_s, 0);
            }
            return i + 1;
        case u'＋':
            addFixed(i, 1, u"⠢"_s, 0);
            return i + 1;
        case u'－':
            if (isDigit(after) && !isDigit(before) && !isLetter(before))
                addFixed(i, 1, u"⠔"_s, 0); // the minus sign
            return i + 1;
        case u'＝':
            addFixed(i, 1, u"⠒⠒"_s, LineSign);
            return i + 1;
        case u'・':
            if (const qsizetype end = ellipsis(i, c, 3))
                return end;
            if (isDigit(before) && isDigit(after)) {
                // ５・１５: the numbers of one word, each with its numeral sign.
                addFixed(i, 1, u"⠼"_s, Digit, MixedFlag::NumberLead);
            }
            return i + 1;
        case u'…':
        case u'‥':
            return ellipsis(i, c, 1);
        case u'～':
            if (isKana(before) && before != u'ー')
                add(i, 1, u"ー"_s);
            return i + 1;
        case u'ヵ':
        case u'ヶ':
            add(i, 1, u"カ"_s);
            return i + 1;
        case u'ゕ':
        case u'ゖ':
            add(i, 1, u"か"_s);
            return i + 1;
        case u'ゝ':
        case u'ヽ':
        case u'ゞ':
        case u'ヾ':
            if (isKana(before) && before != u'ー')
                add(i, 1, c == u'ゞ' || c == u'ヾ' ? voiced(QChar(before)) : unvoiced(QChar(before)));
            return i + 1;
        case 0x309B: // ゛
        case 0x309C: // ゜
            return spacingMark(i);
        case u'「':
            nested_ = (nested_ << 1) | (quotes_ > 0 ? 1u : 0u);
            if (quotes_++ > 0)
                add(i, 1, u"『"_s);
            return i + 1;
        case u'」':
            if (quotes_ > 0) {
                --quotes_;
                if (nested_ & 1u)
                    add(i, 1, u"』"_s);
                nested_ >>= 1;
            }
            return i + 1;
        case u'（':
            // A parenthesis inside a parenthesis takes the double form.
            parens_ = (parens_ << 1) | (parenDepth_ > 0 ? 1u : 0u);
            if (parenDepth_++ > 0)
                addFixed(i, 1, u"⠰⠶"_s, OpeningBracket);
            return i + 1;
        case u'）':
            if (parenDepth_ > 0) {
                --parenDepth_;
                if (parens_ & 1u)
                    addFixed(i, 1, u"⠶⠆"_s, ClosingBracket);
                parens_ >>= 1;
            }
            return i + 1;
        case u'？':
        case u'！':
            if (endsSentence(i))
                add(i, 1, MixedKey::withKinds(line_.sliced(i, 1), Punctuation | TwoBlanksAfter));
            return i + 1;
        default:
            break;
        }
        if (c >= 0x2160 && c <= 0x217F)
            return romanNumeral(i);
        if (const char16_t *cells = c >= 0xD7 && c < 0x3000 ? markCells(c) : nullptr) {
            addFixed(i, 1, QString::fromUtf16(cells), 0);
            return i + 1;
        }
        return i + 1;
    }

    // ？ and ！ end a sentence when a blank typed after them or a new
    // sentence follows; before と or って they stand inside one.
    bool endsSentence(qsizetype i) const
    {
        qsizetype j = i + 1;
        while (at(j) == u'　')
            ++j;
        if (j >= n_ || isClosingBracket(at(j)))
            return false;
        if (j > i + 1)
            return true;
        const char16_t next = at(j);
        return isJapaneseWord(next) && next != u'と' && next != u'ト' && next != u'っ' && next != u'ッ';
    }

    qsizetype spacingMark(qsizetype i)
    {
        const char16_t before = at(i - 1);
        if (!isKana(before) || (!units_.empty() && units_.back().start + units_.back().length > i - 1))
            return i + 1;
        const QString composed =
            (QString(QChar(before)) + QChar(at(i) == 0x309B ? 0x3099 : 0x309A)).normalized(QString::NormalizationForm_C);
        if (composed.size() == 1)
            add(i - 1, 2, composed, composed);
        return i + 1;
    }

    qsizetype romanNumeral(qsizetype i)
    {
        qsizetype end = i;
        QString letters;
        while (end < n_ && !romanLetters(at(end)).isEmpty())
            letters += romanLetters(at(end++));
        const bool capitals = letters[0].isUpper();
        QString cells = u"⠰"_s;
        if (capitals)
            cells += letters.size() > 1 ? u"⠠⠠"_s : u"⠠"_s;
        const int lead = int(cells.size());
        for (const QChar letter : letters)
            cells += EnglishBraille::grade1(QString(letter.toLower()));
        addFixed(i, end - i, cells, SignKind::Letter, 0, false, false, lead);
        return end;
    }

    QStringView line_;
    qsizetype n_;
    EnglishGrade grade_;
    std::vector<MixedUnit> &units_;
    bool words_; // the line may hold addresses, paths or English phrases
    int quotes_ = 0;       // 「 open
    int parenDepth_ = 0;   // （ open
    std::uint64_t parens_ = 0; // bit 0: the innermost （ is nested
    std::uint64_t nested_ = 0; // bit 0: the innermost 「 is nested
};

// Most lines hold none of the characters this pass reads.
// What the line holds that this pass reads: kPlanCharacters for signs read
// one by one, kPlanWords also for words of letters that may be addresses,
// paths or English phrases.
constexpr unsigned kPlanCharacters = 1;
constexpr unsigned kPlanWords = 2;

// The characters planSignals looks at at all; most of a line (kana, kanji,
// letters, digits, 、 and 。) it passes over.
constexpr char16_t kSignalCharacters[] = {
    u'　', u'・', u'ヵ', u'ヶ', u'ゕ', u'ゖ', u'ゝ', u'ゞ', u'ヽ',
    u'ヾ', 0x309B, 0x309C, u'「', u'’', u'⠠', u'…', u'‥',
};

// Those characters, a bit each for every UTF-16 unit: one look a character,
// without a branch on which block it is in. Set by ranges and lists, since
// asking of every unit takes more steps than a compiler evaluates.
struct SignalBits
{
    quint64 bits[0x10000 / 64] = {};
    constexpr SignalBits()
    {
        // Full-width signs, but not the digits and letters, which are the
        // passes' work.
        setRange(0xFF01, 0xFF5E, true);
        setRange(u'０', u'９', false);
        setRange(u'Ａ', u'Ｚ', false);
        setRange(u'ａ', u'ｚ', false);
        setRange(0x2800, 0x28FF, true);
        setRange(0x2160, 0x217F, true);
        for (const char16_t c : kSignalCharacters)
            setRange(c, c, true);
        for (const Mark &mark : kMarks)
            setRange(mark.character, mark.character, true);
    }
    constexpr void setRange(char16_t first, char16_t last, bool on)
    {
        for (unsigned c = first; c <= last; ++c) {
            const quint64 bit = quint64(1) << (c % 64);
            bits[c / 64] = on ? bits[c / 64] | bit : bits[c / 64] & ~bit;
        }
    }
    bool operator[](char16_t c) const { return (bits[c / 64] >> (c % 64)) & 1; }
};
constexpr SignalBits kMayBeSignal;

unsigned planSignals(QStringView line)
{
    unsigned found = 0;
    const qsizetype n = line.size();
    const auto digitAt = [&](qsizetype k) { return k < n && isDigit(line[k].unicode()); };
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = line[i].unicode();
        if (!kMayBeSignal[c])
            continue;
        const char16_t before = i > 0 ? line[i - 1].unicode() : 0;
        if (c >= 0x3000) {
            if (c >= 0xFF01 && c <= 0xFF5E) {
                // Letters and digits alone are the passes' work, and so are
                // the decimal point and the digit-group point.
                if ((c >= u'０' && c <= u'９') || (c >= u'Ａ' && c <= u'Ｚ') || (c >= u'ａ' && c <= u'ｚ'))
                    continue;
                if (isDigit(before) && digitAt(i + 1) &&
                    (c == u'．' || (c == u'，' && digitAt(i + 2) && digitAt(i + 3) && !digitAt(i + 4))))
                    continue;
                found |= kPlanCharacters;
                if (c == u'＠' || c == u'：' || c == u'／' || c == u'＼' || c == u'＇' ||
                    (c == u'．' && (before == u'ｗ' || before == u'Ｗ')))
                    found |= kPlanWords;
                continue;
            }
            switch (c) {
            case u'　':
                // A blank between words of letters: maybe an English phrase.
                if (before >= 0xFF01 && before <= 0xFF5E)
                    found |= kPlanCharacters | kPlanWords;
                continue;
            case u'・': case u'ヵ': case u'ヶ': case u'ゕ': case u'ゖ': case u'ゝ': case u'ゞ': case u'ヽ':
            case u'ヾ': case 0x309B: case 0x309C: case u'「':
                found |= kPlanCharacters;
                continue;
            default:
                continue;
            }
        }
        if (c < 0x00D7)
            continue;
        if (c == u'’' || c == u'⠠')
            found |= kPlanCharacters | kPlanWords;
        else if ((c >= 0x2800 && c <= 0x28FF) || (c >= 0x2160 && c <= 0x217F) || c == u'…' || c == u'‥' ||
                 markCells(c))
            found |= kPlanCharacters;
    }
    return found;
}

} // namespace

bool planMixedText(QStringView line, EnglishGrade grade, std::vector<MixedUnit> &units)
{
    units.clear();
    const unsigned found = planSignals(line);
    if (!found)
        return false;
    Planner(line, grade, units, found & kPlanWords).run();
    return !units.empty();
}
