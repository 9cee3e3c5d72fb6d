#include "backtranslation/backtranslation.h"

#include "backtranslation/braillecell.h"
#include "englishbraille/computerbraille.h"
#include "englishbraille/englishbraille.h"


#include <algorithm>
#include <string_view>

namespace {

// The dots of a cell written as its dot numbers, "1246" for dots 1, 2, 4, 6.
constexpr int cell(std::string_view dotNumbers)
{
    int dots = 0;
    for (const char d : dotNumbers)
        dots |= BrailleCell::dot(d - '0');
    return dots;
}

// Cells with more than one use; which one is meant follows from what stands
// around them.
constexpr int kNumeralSign = cell("3456");
constexpr int kLetterSign = cell("56"); // also 、
constexpr int kCapitalSign = cell("6"); // also the semi-voiced sign
constexpr int kVoicedSign = cell("5");  // also 中点
constexpr int kYoon = cell("4");
constexpr int kYoonVoiced = cell("45");
constexpr int kYoonSemiVoiced = cell("46");
constexpr int kYoonSpecialVoiced = cell("456"); // デュ ヴュ ヴョ
constexpr int kSpecial = cell("26");            // ウィ クァ ツァ トゥ ファ…; also ？
constexpr int kSpecialVoiced = cell("256");     // グァ ドゥ ヴァ…; also 。
constexpr int kHyphen = cell("36");             // connector, 「」, hyphen
constexpr int kParenthesis = cell("2356");
constexpr int kExclamation = cell("235"); // also ゑ
constexpr int kWi = cell("23");           // also closes 『』 after ⠤
constexpr int kSokuon = cell("2");        // also the decimal point, closes ［］ after ⠶
constexpr int kWa = cell("3");            // also the digit-group point
constexpr int kWo = cell("35");
constexpr int kLongVowel = cell("25");
constexpr int kTa = cell("135");
constexpr int kPercentLetter = cell("1234"); // ％ after a number, else the letter p

constexpr int kEnd = -2; // past the end of the line

// The stack's mark for a parenthesis inside a parenthesis (⠰⠶…⠶⠆).
constexpr char16_t kNestedParenthesis = 0xE000;
constexpr int kForeignOpen = cell("236");  // 外国語引用符, opening
constexpr int kForeignClose = cell("356"); // 外国語引用符, closing; also ん
constexpr int kSlash = cell("34");          // also や
constexpr int kSlashPrefix = cell("456");   // ⠸⠌ 斜線
constexpr int kMarkPrefix = cell("45");     // ⠘ before the cell of a mark

// The marks and 伏せ字, by the cell after ⠘.
struct MarkCell
{
    int dots;
    char16_t mark;
};
const MarkCell kMarkCells[] = {
    {cell("1"), u'○'},    {cell("12"), u'●'},   {cell("14"), u'◎'},  {cell("124"), u'□'},
    {cell("24"), u'■'},   {cell("13"), u'△'},   {cell("123"), u'▲'}, {cell("134"), u'▽'},
    {cell("1234"), u'▼'}, {cell("1345"), u'◇'}, {cell("1356"), u'◆'}, {cell("12356"), u'☆'},
    {cell("1346"), u'★'}, {cell("123456"), u'×'},
};

// ASCII as the editor holds it: full-width, a blank as "　".
QString fullWidth(QStringView ascii)
{
    QString out;
    out.reserve(ascii.size());
    for (const QChar c : ascii) {
        if (c == u' ')
            out += u'　';
        else if (c.unicode() > 0x20 && c.unicode() < 0x7F)
            out += QChar(char16_t(c.unicode() + 0xFEE0));
        else
            out += c;
    }
    return out;
}

// Kana cells: the dots of the vowel (a, i, u, e, o) together with the dots
// of the consonant row.
enum Row { Vowel, K, S, T, N, H, M, R, RowCount };
enum Column { A, I, U, E, O, ColumnCount };

constexpr int kVowelDots[ColumnCount] = {cell("1"), cell("12"), cell("14"), cell("124"), cell("24")};
constexpr int kConsonantDots[RowCount] = {0,         cell("6"),  cell("56"),  cell("35"),
                                          cell("3"), cell("36"), cell("356"), cell("5")};
const char16_t *const kRowKana[RowCount] = {u"あいうえお", u"かきくけこ", u"さしすせそ", u"たちつてと",
                                            u"なにぬねの", u"はひふへほ", u"まみむめも", u"らりるれろ"};

struct OtherKana
{
    int dots;
    char16_t kana;
};
const OtherKana kOtherKana[] = {{cell("34"), u'や'},  {cell("346"), u'ゆ'}, {cell("345"), u'よ'},
                                {kWa, u'わ'},         {kWi, u'ゐ'},         {kWo, u'を'},
                                {cell("356"), u'ん'}, {kSokuon, u'っ'},     {kLongVowel, u'ー'}};
constexpr int kYu = cell("346");
constexpr int kYo = cell("345");

// Latin letters a..z; the first ten are also the digits 1..9, 0.
constexpr int kLetters[26] = {
    cell("1"),    cell("12"),   cell("14"),    cell("145"),   cell("15"),  cell("124"),  cell("1245"),
    cell("125"),  cell("24"),   cell("245"),   cell("13"),    cell("123"), cell("134"),  cell("1345"),
    cell("135"),  cell("1234"), cell("12345"), cell("1235"),  cell("234"), cell("2345"), cell("136"),
    cell("1236"), cell("2456"), cell("1346"),  cell("13456"), cell("1356")};

int letterIndex(int dots)
{
    for (int i = 0; i < 26; ++i) {
        if (kLetters[i] == dots)
            return i;
    }
    return -1;
}

bool isLetter(int dots)
{
    return dots >= 0 && letterIndex(dots) >= 0;
}

bool isDigit(int dots)
{
    const int i = dots >= 0 ? letterIndex(dots) : -1;
    return i >= 0 && i < 10;
}

QChar digit(int dots)
{
    return QChar(char16_t(u'０' + (letterIndex(dots) + 1) % 10));
}

bool rowAndColumn(int dots, Row &row, Column &column)
{
    for (int r = 0; r < RowCount; ++r) {
        for (int c = 0; c < ColumnCount; ++c) {
            if ((kVowelDots[c] | kConsonantDots[r]) == dots) {
                row = Row(r);
                column = Column(c);
                return true;
            }
        }
    }
    return false;
}

QChar kana(Row row, Column column)
{
    return QChar(kRowKana[row][column]);
}

// Kana of the か, さ, た and は rows take the voiced mark one code point up,
// and は-row kana the semi-voiced mark two up.
QChar marked(QChar kana, int mark)
{
    return QChar(char16_t(kana.unicode() + mark));
}

QChar small(QChar kana)
{
    return QChar(char16_t(kana.unicode() - 1));
}

// The kana of one cell without a prefix; ゑ shares its cell with ！ and is
// read by the caller.
QString plainKana(int dots)
{
    Row row;
    Column column;
    if (rowAndColumn(dots, row, column))
        return QString(kana(row, column));
    for (const OtherKana &other : kOtherKana) {
        if (other.dots == dots)
            return QString(other.kana);
    }
    return QString();
}

// ⠈, ⠘ or ⠨ (mark 0, 1, 2: plain, voiced, semi-voiced) before a cell: the
// yōon of the cell's row (きゃ from か's cell), the row's sound with ぇ (キェ
// from け's cell, イェ), スィ and ティ from し's and ち's cells, テュ フュ フョ.
QString yoon(int mark, int dots)
{
    if (mark == 2 && dots == cell("1345"))
        return QStringLiteral("てゅ");
    if (mark == 2 && (dots == kYu || dots == kYo))
        return QString(u'ふ') + small(QChar(dots == kYu ? u'ゆ' : u'よ'));
    Row row;
    Column column;
    if (!rowAndColumn(dots, row, column))
        return QString();
    const bool rowTakesMark = mark == 0   ? row != Vowel
                              : mark == 1 ? (row == K || row == S || row == T || row == H)
                                          : row == H;
    switch (column) {
    case A:
    case U:
    case O:
        if (row == Vowel || !rowTakesMark)
            return QString();
        return QString(marked(kana(row, I), mark)) + QChar(u"ゃ ゅ ょ"[column]);
    case E:
        if (row == Vowel)
            return mark == 0 ? QStringLiteral("いぇ") : QString();
        return rowTakesMark ? QString(marked(kana(row, I), mark)) + u'ぇ' : QString();
    case I:
        if (mark == 2 || (row != S && row != T))
            return QString();
        return QString(marked(kana(row, row == S ? U : E), mark)) + u'ぃ';
    default:
        return QString();
    }
}

QString yoonSpecialVoiced(int dots)
{
    if (dots == cell("1345"))
        return QStringLiteral("でゅ");
    if (dots == kYu)
        return QStringLiteral("ヴゅ");
    if (dots == kYo)
        return QStringLiteral("ヴょ");
    return QString();
}

// ⠢ and ⠲: ウ, ク, ツ, フ (voiced グ, ヴ) with a small vowel, and トゥ, ドゥ.
QString special(bool voiced, int dots)
{
    Row row;
    Column column;
    if (!rowAndColumn(dots, row, column))
        return QString();
    if (column == U)
        return row == T ? QString(voiced ? u'ど' : u'と') + u'ぅ' : QString();
    const QChar vowel = small(kana(Vowel, column));
    switch (row) {
    case Vowel:
        return voiced ? QString() : QString(u'う') + vowel;
    case K:
        return QString(voiced ? u'ぐ' : u'く') + vowel;
    case T:
        return voiced ? QString() : QString(u'つ') + vowel;
    case H:
        return QString(voiced ? u'ヴ' : u'ふ') + vowel;
    default:
        return QString();
    }
}

// A prefix cell and the cell after it, read as one syllable.
QString prefixed(int prefix, int dots)
{
    if (dots < 0)
        return QString();
    Row row;
    Column column;
    switch (prefix) {
    case kVoicedSign:
        if (dots == kVowelDots[U])
            return QStringLiteral("ヴ");
        if (rowAndColumn(dots, row, column) && (row == K || row == S || row == T || row == H))
            return QString(marked(kana(row, column), 1));
        return QString();
    case kCapitalSign:
        if (rowAndColumn(dots, row, column) && row == H)
            return QString(marked(kana(row, column), 2));
        return QString();
    case kYoon:
        return yoon(0, dots);
    case kYoonVoiced:
        return yoon(1, dots);
    case kYoonSemiVoiced:
        return yoon(2, dots);
    case kYoonSpecialVoiced:
        return yoonSpecialVoiced(dots);
    case kSpecial:
        return special(false, dots);
    case kSpecialVoiced:
        return special(true, dots);
    default:
        return QString();
    }
}

QString toKatakana(QString text)
{
    for (QChar &c : text) {
        if (c >= u'ぁ' && c <= u'ゖ')
            c = QChar(char16_t(c.unicode() + 0x60));
    }
    return text;
}

} // namespace

// Reads one line, from the first cell to the last, into text.
class LineReader
{
public:
    LineReader(BackTranslator &translator, QStringView line) : translator_(translator), line_(line)
    {
        cells_.reserve(line.size());
        for (const QChar c : line)
            cells_.append(c == u' ' || c == u'　' ? 0 : BrailleCell::dotsOf(c));
    }

    QString read(QList<qsizetype> *cellOfChar)
    {
        while (i_ < cells_.size()) {
            if (at(i_) == BrailleCell::kNoCell) {
                put(line_[i_]);
                ++i_;
            } else if (at(i_) == 0) {
                put(u'　');
                ++i_;
            } else if (!readQuoted() && !readNumber() && !readLetters() && !readMark() && !readKana() &&
                       !readSign()) {
                put(line_[i_]); // no reading: kept as braille
                ++i_;
            }
        }
        if (cellOfChar)
            *cellOfChar = cellOfChar_;
        return out_;
    }

private:
    int at(qsizetype j) const { return j < cells_.size() ? cells_[j] : kEnd; }
    bool blankOrEnd(qsizetype j) const { return at(j) == 0 || at(j) == kEnd; }
    QChar innermostBracket() const
    {
        return translator_.openBrackets_.isEmpty() ? QChar() : translator_.openBrackets_.last();
    }

    // Every character of the text is put through here, with the cell that
    // its reading starts at.
    void put(const QString &text)
    {
        out_ += text;
        cellOfChar_.insert(cellOfChar_.size(), text.size(), i_);
    }
    void put(QChar c) { put(QString(c)); }

    void emitKana(const QString &kana)
    {
        put(translator_.script_ == KanaScript::Katakana ? toKatakana(kana) : kana);
    }

    void skipBlanks(int count)
    {
        for (; count > 0 && at(i_) == 0; --count)
            ++i_;
    }

    // The kana reading that starts at j, with the number of its cells.
    QString kanaAt(qsizetype j, int &length) const
    {
        QString kana = prefixed(at(j), at(j + 1));
        length = 2;
        if (kana.isEmpty() && at(j) != kExclamation) {
            kana = plainKana(at(j));
            length = 1;
        }
        if (kana.isEmpty())
            length = 0;
        return kana;
    }
    bool kanaStartsAt(qsizetype j) const
    {
        int length = 0;
        kanaAt(j, length);
        return length > 0 || at(j) == kExclamation;
    }

    // ⠤ after a number or letters joins the kana that follows, and is
    // dropped; but inside 「」 the last ⠤ of the line is the closing bracket.
    bool isConnector(qsizetype j) const
    {
        return innermostBracket() != u'「' || cells_.indexOf(kHyphen, j + 1) >= 0;
    }

    // ⠤ between a number or letters and a number or letters that follow is
    // the hyphen, not an opening 「.
    bool hyphenBeforeWord(qsizetype j) const
    {
        return at(j) == kHyphen && ((at(j + 1) == kNumeralSign && isDigit(at(j + 2))) ||
                                    (at(j + 1) == kLetterSign && lettersStartAt(j + 2)));
    }

    // Drops the blank that the translation put before a sign standing as a
    // word of its own.
    void dropBlankBefore()
    {
        if (i_ > 0 && at(i_ - 1) == 0 && out_.endsWith(u'　')) {
            out_.chop(1);
            cellOfChar_.removeLast();
        }
    }

    // Only cells are read as a quotation: a character that is no cell
    // keeps its own place, so quotes around one are read cell by cell.
    static bool onlyCells(QStringView text)
    {
        return std::all_of(text.begin(), text.end(),
                           [](QChar c) { return BrailleCell::dotsOf(c) != BrailleCell::kNoCell; });
    }

    // ⠠⠦…⠠⠴ holds an address or a path in computer braille, read as
    // ASCII; ⠦…⠴ English, read as full-width letters and signs.
    bool readQuoted()
    {
        if (at(i_) == kCapitalSign && at(i_ + 1) == kForeignOpen) {
            qsizetype close = i_ + 2;
            while (close < cells_.size() && !(at(close) == kCapitalSign && at(close + 1) == kForeignClose))
                ++close;
            if (close >= cells_.size() || !onlyCells(line_.sliced(i_ + 2, close - i_ - 2)))
                return false;
            dropBlankBefore();
            put(ComputerBraille::decode(line_.sliced(i_ + 2, close - i_ - 2)));
            i_ = close + 2;
            skipBlanks(1);
            return true;
        }
        if (at(i_) != kForeignOpen)
            return false;
        // The closing sign follows the last cell of a word; standing alone
        // in grade 2 it is the word "was".
        qsizetype close = i_ + 1;
        while (close < cells_.size() && !(at(close) == kForeignClose && at(close - 1) != 0 && close > i_ + 1))
            ++close;
        if (close >= cells_.size() || !onlyCells(line_.sliced(i_ + 1, close - i_ - 1)))
            return false;
        const QStringView inside = line_.sliced(i_ + 1, close - i_ - 1);
        bool ok = false;
        QString text = translator_.contractedEnglish_ ? EnglishBraille::backGrade2(inside, &ok)
                                                      : EnglishBraille::backGrade1(inside, &ok);
        if (!ok && !translator_.contractedEnglish_)
            text = EnglishBraille::backGrade2(inside, &ok);
        if (!ok)
            return false;
        put(fullWidth(text));
        i_ = close + 1;
        // The blank before a particle is the translation's: ink text has
        // none there.
        if (at(i_) == 0 && kanaStartsAt(i_ + 1))
            ++i_;
        return true;
    }

    bool readNumber()
    {
        // ’９８: the year's apostrophe after the numeral sign.
        if (at(i_) == kNumeralSign && at(i_ + 1) == kWa && isDigit(at(i_ + 2))) {
            put(u'’');
            i_ += 2;
        } else if (at(i_) != kNumeralSign || !isDigit(at(i_ + 1))) {
            return false;
        } else {
            ++i_;
        }
        for (;;) {
            if (isDigit(at(i_))) {
                put(digit(at(i_)));
                ++i_;
            } else if ((at(i_) == kWa || at(i_) == kSokuon) && isDigit(at(i_ + 1))) {
                put(at(i_) == kWa ? u'，' : u'．');
                ++i_;
            } else {
                break;
            }
        }
        const bool numberFollows = at(i_ + 1) == kNumeralSign && isDigit(at(i_ + 2));
        if (hyphenBeforeWord(i_)) {
            put(u'－');
            ++i_;
        } else if (at(i_) == kHyphen && at(i_ + 1) == kHyphen && at(i_ + 2) == kNumeralSign && isDigit(at(i_ + 3))) {
            put(u'～'); // a range
            i_ += 2;
        } else if (at(i_) == kNumeralSign && isDigit(at(i_ + 1))) {
            put(u'、'); // ２、３ニチ: two numbers of one word
        } else if (at(i_) == kSlash && numberFollows) {
            put(u'／');
            ++i_;
        } else if (at(i_) == kVoicedSign && at(i_ + 1) == kSokuon && at(i_ + 2) == kNumeralSign) {
            put(u'：');
            i_ += 2;
        } else if (at(i_) == kLetterSign && at(i_ + 1) == kPercentLetter) {
            put(u'％');
            i_ += 2;
        } else if (at(i_) == kHyphen && (isDigit(at(i_ + 1)) || at(i_ + 1) == kWa) && isConnector(i_)) {
            ++i_; // the connector before a syllable that would read as a digit, or before ワ
        }
        return true;
    }

    bool lettersStartAt(qsizetype j) const
    {
        if (at(j) == kCapitalSign && at(j + 1) == kCapitalSign)
            return isLetter(at(j + 2));
        return isLetter(at(j)) || (at(j) == kCapitalSign && isLetter(at(j + 1)));
    }

    bool readLetters()
    {
        if (at(i_) != kLetterSign || !lettersStartAt(i_ + 1))
            return false;
        ++i_;
        bool capitalRun = false;
        for (;;) {
            bool capital = capitalRun;
            if (at(i_) == kCapitalSign && at(i_ + 1) == kCapitalSign && isLetter(at(i_ + 2))) {
                capitalRun = capital = true;
                i_ += 2;
            } else if (at(i_) == kCapitalSign && isLetter(at(i_ + 1))) {
                capital = true;
                ++i_;
            }
            if (isLetter(at(i_))) {
                put(QChar(char16_t((capital ? u'Ａ' : u'ａ') + letterIndex(at(i_)))));
                ++i_;
            } else if (at(i_) == kHyphen && at(i_ + 1) == kLetterSign && lettersStartAt(i_ + 2)) {
                put(u'－');
                i_ += 2;
                capitalRun = false;
            } else if ((at(i_) == kSlash || at(i_) == kSokuon) && lettersStartAt(i_ + 1)) {
                // ＴＣＰ／ＩＰ, ａ，ｂ: the run goes on after the sign.
                put(at(i_) == kSlash ? u'／' : u'，');
                ++i_;
                capitalRun = false;
            } else {
                break;
            }
        }
        if (hyphenBeforeWord(i_)) {
            put(u'－');
            ++i_;
        } else if (at(i_) == kHyphen && kanaStartsAt(i_ + 1) && isConnector(i_)) {
            ++i_;
        } else if (at(i_) == kSpecialVoiced && !blankOrEnd(i_ + 1) && !kanaStartsAt(i_ + 1)) {
            put(u'．'); // after an abbreviation, before what is not kana
            ++i_;
        } else if (at(i_) == kSpecialVoiced && at(i_ + 1) == 0 && at(i_ + 2) != 0 && at(i_ + 2) != kEnd) {
            put(u'．'); // ｐ．２５: one blank after the abbreviation's period
            ++i_;
            skipBlanks(1);
        }
        return true;
    }

    // ※ and →, each standing as a word of its own; 点線, the marks, the
    // slash and the signs of formulas.
    bool readMark()
    {
        if (at(i_) == kSokuon && at(i_ + 1) == kSokuon && at(i_ + 2) == kSokuon) {
            dropBlankBefore();
            while (at(i_) == kSokuon && at(i_ + 1) == kSokuon && at(i_ + 2) == kSokuon) {
                put(u'…');
                i_ += 3;
            }
            skipBlanks(1);
            return true;
        }
        if (at(i_) == kMarkPrefix) {
            for (const MarkCell &mark : kMarkCells) {
                if (mark.dots == at(i_ + 1)) {
                    put(mark.mark);
                    i_ += 2;
                    return true;
                }
            }
        }
        if (at(i_) == kSlashPrefix && at(i_ + 1) == kSlash) {
            put(u'／');
            i_ += 2;
            return true;
        }
        if (at(i_) == kWo && at(i_ + 1) == kNumeralSign && isDigit(at(i_ + 2))) {
            put(u'－'); // the minus sign
            ++i_;
            return true;
        }
        if (at(i_) == kSpecial && at(i_ + 1) == kNumeralSign && isDigit(at(i_ + 2))) {
            put(u'＋');
            ++i_;
            return true;
        }
        if (at(i_) == kLongVowel && at(i_ + 1) == kLongVowel && at(i_ + 2) == 0 && at(i_ + 3) == kNumeralSign &&
            i_ > 0 && at(i_ - 1) == 0) {
            dropBlankBefore();
            put(u'＝');
            i_ += 2;
            skipBlanks(1);
            return true;
        }
        if (at(i_) == kWo && at(i_ + 1) == kWo && blankOrEnd(i_ + 2)) {
            put(u'※');
            i_ += 2;
            skipBlanks(1);
            return true;
        }
        if (at(i_) == kLongVowel && at(i_ + 1) == kLongVowel && at(i_ + 2) == kTa && blankOrEnd(i_ + 3) &&
            (i_ == 0 || at(i_ - 1) == 0)) {
            if (out_.endsWith(u'　')) {
                out_.chop(1);
                cellOfChar_.removeLast();
            }
            put(u'→');
            i_ += 3;
            skipBlanks(1);
            return true;
        }
        return false;
    }

    bool readKana()
    {
        int length = 0;
        const QString kana = kanaAt(i_, length);
        if (length == 0)
            return false;
        emitKana(kana);
        i_ += length;
        return true;
    }

    void openBracket(QChar bracket, int cells)
    {
        translator_.openBrackets_.append(bracket);
        put(bracket);
        i_ += cells;
    }
    void closeBracket(QChar bracket, int cells)
    {
        translator_.openBrackets_.removeLast();
        put(bracket);
        i_ += cells;
        // The blank between two quotations side by side is the translation's.
        const int next = at(i_ + 1);
        const bool opens = next == kHyphen || next == kParenthesis ||
                           ((next == kLetterSign || next == kVoicedSign) &&
                            (at(i_ + 2) == kHyphen || at(i_ + 2) == kParenthesis));
        if (at(i_) == 0 && opens && translator_.openBrackets_.isEmpty())
            ++i_;
    }
    void punctuation(QChar mark, int cells, int blanks)
    {
        put(mark);
        i_ += cells;
        skipBlanks(blanks);
    }

    bool readSign()
    {
        const QChar inner = innermostBracket();
        const int next = at(i_ + 1);
        switch (at(i_)) {
        case kHyphen:
            if (inner == u'『' && next == kWi)
                closeBracket(u'』', 2);
            else if (inner == u'「')
                closeBracket(u'」', 1);
            else
                openBracket(u'「', 1);
            return true;
        case kParenthesis:
            if (inner == kNestedParenthesis && next == kWi)
                closeBracket(u'）', 2);
            else if (inner == u'［' && next == kSokuon)
                closeBracket(u'］', 2);
            else if (inner == u'（')
                closeBracket(u'）', 1);
            else
                openBracket(u'（', 1);
            return true;
        case kVoicedSign:
            if (next == kParenthesis)
                openBracket(u'［', 2);
            else
                punctuation(u'・', 1, 1);
            return true;
        case kLetterSign:
            if (next == kHyphen) {
                openBracket(u'『', 2);
            } else if (next == kParenthesis) {
                // （ inside （: read as （, kept apart on the stack.
                translator_.openBrackets_.append(kNestedParenthesis);
                put(u'（');
                i_ += 2;
            } else if (next == cell("12346")) {
                punctuation(u'＆', 2, 0);
            } else if (next == cell("146")) {
                punctuation(u'＃', 2, 0);
            } else if (next == cell("16")) {
                punctuation(u'＊', 2, 0);
            } else if (next == cell("246")) {
                punctuation(u'＠', 2, 0);
            } else {
                punctuation(u'、', 1, 1);
            }
            return true;
        case kSpecialVoiced:
            punctuation(u'。', 1, 2);
            return true;
        case kSpecial:
            punctuation(u'？', 1, 2); // two blanks where it ends a sentence
            return true;
        case kExclamation:
            if (kanaStartsAt(i_ + 1)) {
                emitKana(QStringLiteral("ゑ"));
                ++i_;
            } else {
                punctuation(u'！', 1, 2);
            }
            return true;
        default:
            return false;
        }
    }

    BackTranslator &translator_;
    QStringView line_;
    QList<int> cells_;
    qsizetype i_ = 0;
    QString out_;
    QList<qsizetype> cellOfChar_; // for each character of out_, the cell it was read from
};

QString BackTranslator::line(QStringView braille, QList<qsizetype> *cellOfChar)
{
    return LineReader(*this, braille).read(cellOfChar);
}

QStringList backTranslateLines(const QStringList &lines, KanaScript script, bool contractedEnglish)
{
    BackTranslator translator(script);
    translator.setContractedEnglish(contractedEnglish);
    QStringList kana;
    kana.reserve(lines.size());
    for (const QString &line : lines)
        kana.append(translator.line(line));
    return kana;
}

