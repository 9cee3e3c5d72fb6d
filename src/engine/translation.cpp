#include "translation.h"

#include "conversion.h"
#include "inputforms.h"
#include "mixedtext.h"
#include "platform/textcodec.h"

#include <QtEndian>

#include <algorithm>
#include <atomic>
#include <bit>
#include <span>
#include <utility>

namespace {

// The passes that turn the line being translated into braille, in the order
// they must run: each pass relies on what the earlier ones left in the grids.
// Every question about a column is answered by the answer table.
class LinePasses
{
public:
    // `needs` are the PassNeed bits of every character of the line and of
    // the "　" that fills the columns past it.
    // `joinedColumns` is a buffer kept from line to line.
    // `smallHiragana` are the columns whose character is a small hiragana,
    // ascending: the hiragana join looks at them alone. Without a text row
    // (`cellsOnly`), the passes that only pad the text are skipped.
    // `digits` and `letters` are the columns of the digits and the letters,
    // ascending, before joins: their passes look at them alone.
    LinePasses(Module1 &m, AnswerTable &answers, int length, quint16 needs, std::vector<int> &joinedColumns,
               std::vector<int> &sourceStarts, int sourceLength, std::span<const int> smallHiragana,
               std::span<int> digits, std::span<int> letters, const LetterSigns &letterSigns, bool cellsOnly)
        : m_(m), code_(m.codeTable), keys_(m.keyTables), answers_(answers), length_(length), needs_(needs),
          joinedColumns_(joinedColumns), sourceStarts_(sourceStarts), sourceLength_(sourceLength),
          smallHiragana_(smallHiragana), digits_(digits), letters_(letters), letterSigns_(letterSigns),
          cellsOnly_(cellsOnly)
    {}

    // The columns the line fills once its small kana are joined.
    int joinedLength() const { return length_ - joins_; }

    // A pass that has nothing to act on in the line is skipped.
    void run()
    {
        if (needs(PassNeed::SmallHiragana) && joinSmallHiragana()) {
            shiftLeft(digits_, joinedColumns_);
            shiftLeft(letters_, joinedColumns_);
        }
        applyCodeRows();
        if (needs(PassNeed::VoicedHiragana) && !cellsOnly_)
            padVoicedHiragana();
        if (needs(PassNeed::Digits))
            convertDigits();
        if (needs(PassNeed::Letters)) {
            LetterConversion letters(m_.CharGrid, m_.CellGrid, m_.TextGrid, answers_, keys_.UpperLetters,
                                     keys_.LowerLetters, keys_.LetterPatterns, code_.CodePatterns, letterSigns_);
            for (const int column : letters_)
                letters.convert(column);
        }
        detectKatakana();
        if (m_.KatakanaSeen) {
            // Unlike the hiragana join, this one joins the braille too.
            if (needs(PassNeed::SmallKatakana))
                joinSmallKana(true);
            if (needs(PassNeed::KatakanaRows))
                applyKatakanaRows();
            if (needs(PassNeed::VoicedKatakana) && !cellsOnly_)
                padVoicedKatakana();
        }
    }

private:
    const Answers &at(int column) const { return answers_.answers(m_.CharGrid.at(column)); }
    // The same for a column in 0..last of the grid, without the check.
    const Answers &inside(int column) const { return answers_.answers(m_.CharGrid.columns()[column]); }
    bool needs(quint16 pass) const { return needs_ & pass; }

    // Joins every small kana to the syllable on its left, in the braille too
    // when asked, and closes the gaps all at once when the line is done:
    // closing each with tumeru would move the rest of the line once per
    // join. After a join the next character is compared with the remaining
    // small kana only; column 1 has no syllable to join and stays as it is.
    void joinSmallKana(bool katakana)
    {
        joinedColumns_.clear();
        int kept = 1; // the column of the last character that did not join
        int firstKana = 1;
        for (int column = 2; column <= length_; ++column) {
            // Most characters are no small kana: told here, without the call.
            const Answers &small = inside(column);
            const bool mayJoin = katakana ? small.smallKatakana : small.smallHiragana;
            if (mayJoin && joinedLeft(kept, column, katakana, firstKana)) {
                joinedColumns_.push_back(column);
                continue;
            }
            kept = column;
            firstKana = 1;
        }
        closeJoinedColumns();
    }

    // The listed columns, ascending, moved left past the removed ones, of
    // which none is listed (no digit or letter is a small kana).
    static void shiftLeft(std::span<int> columns, const std::vector<int> &removed)
    {
        std::size_t before = 0;
        for (int &column : columns) {
            while (before < removed.size() && removed[before] < column)
                ++before;
            column -= int(before);
        }
    }

    // The same for hiragana, whose join touches no cell yet, looking at the
    // columns of small kana only: the column before one that did not join
    // is where the next join goes, as the walk over every column has it.
    // True when a small kana joined.
    bool joinSmallHiragana()
    {
        joinedColumns_.clear();
        int kept = 1;
        int firstKana = 1;
        int previous = 0;
        bool previousJoined = false;
        for (const int column : smallHiragana_) {
            if (column < 2)
                continue;
            if (!(previousJoined && previous == column - 1)) {
                kept = column - 1;
                firstKana = 1;
            }
            previousJoined = joinedLeft(kept, column, false, firstKana);
            if (previousJoined)
                joinedColumns_.push_back(column);
            previous = column;
        }
        closeJoinedColumns();
        return !joinedColumns_.empty();
    }

    void closeJoinedColumns()
    {
        if (joinedColumns_.empty())
            return;
        m_.CharGrid.removeColumns(joinedColumns_);
        m_.TextGrid.removeColumns(joinedColumns_);
        m_.CellGrid.removeColumns(joinedColumns_);
        // A translation of the cells alone keeps no places in the source.
        if (!sourceStarts_.empty())
            LineColumns::removeColumns(sourceStarts_, joinedColumns_, sourceLength_);
        joins_ += int(joinedColumns_.size());
    }

    // Joins the character at `from` to the syllable at `to` when it is one of
    // the small kana firstKana..8 and, for hiragana, a code row knows the
    // pair: a pair no row knows would lose the braille of both characters,
    // so the small kana keeps its own row. On a join, firstKana is where the
    // next character's comparison starts: after the lowest of its entries.
    bool joinedLeft(int to, int from, bool katakana, int &firstKana)
    {
        const Answers &small = at(from);
        const unsigned kana = katakana ? small.smallKatakana : small.smallHiragana;
        const unsigned entries = kana & (~0u << firstKana);
        if (!entries || at(to).hasFixedCells)
            return false;
        const int joined = answers_.joined(m_.CharGrid.at(to), m_.CharGrid.at(from));
        const Answers &pair = answers_.answers(joined);
        if (!katakana && !pair.codeKey && pair.extraRow < 0)
            return false;
        m_.CharGrid.set(to, joined);
        // The later passes act on the syllable as they would on a character.
        needs_ |= pair.passNeeds;
        m_.TextGrid.appendColumn(to, from);
        if (katakana)
            m_.CellGrid.appendColumn(to, from);
        firstKana = std::countr_zero(entries) + 1;
        return true;
    }

    void applyCodeRows()
    {
        for (int column = 1; column <= length_; ++column) {
            const Answers &a = inside(column);
            if (a.codeRowOrNothing) {
                // Whether a row has it is told without a branch: a line
                // mixes characters with and without rows at random.
                const int row = std::max(a.codeRow, 0);
                m_.CellGrid.assignWhen(row > 0, column, answers_.rowCells(row), answers_.rowLength(row));
            } else if (a.extraRow > 0) {
                applyExtraRow(column, a.extraRow);
            } else if (a.hasFixedCells) {
                m_.CellGrid.assign(column, a.fixedCells);
            }
        }
    }

    // An extra row's text stands over the first of its cells, with a "　"
    // over each of the others.
    void applyExtraRow(int column, int row)
    {
        const QString &cells = code_.CodePatterns[std::size_t(row)];
        m_.CellGrid.assign(column, cells);
        qsizetype width = 0;
        for (QChar c : m_.TextGrid.at(column))
            width += c.isLowSurrogate() ? 0 : 1;
        for (; width < cells.size(); ++width)
            m_.TextGrid.append(column, kFullWidthSpace);
    }

    // The two-cell braille of a voiced syllable comes from the code table;
    // the text needs one "　" more to stay above it.
    void padVoicedHiragana()
    {
        for (int column = 1; column <= length_; ++column) {
            for (int n = inside(column).voicedHiraganaPads; n > 0; --n)
                m_.TextGrid.append(column, kFullWidthSpace);
        }
    }

    void convertDigits()
    {
        // A join may have made a digit's column a syllable.
        for (const int column : digits_) {
            // Each digit the character equals, the lowest first.
            for (unsigned digits = inside(column).digits; digits; digits &= digits - 1)
                convertDigit(column, std::countr_zero(digits));
        }
    }

    // A number starts with the numeral sign unless a digit, the number
    // continuation or the comma stands before it; it ends with the connector
    // when a syllable that reads like a digit follows it directly.
    void convertDigit(int column, int d)
    {
        const Answers &left = at(column - 1);
        if (left.digit < 0 && !left.row10 && !left.row1 && !left.numberLead) {
            m_.TextGrid.assign(column, kFullWidthSpace);
            m_.TextGrid.append(column, keys_.DigitChars[d]);
            m_.CellGrid.assign(column, code_.CodePatterns[CodeRow::NumeralSign]);
            m_.CellGrid.append(column, keys_.DigitPatterns[d]);
        } else {
            m_.TextGrid.assign(column, keys_.DigitChars[d]);
            m_.CellGrid.assign(column, keys_.DigitPatterns[d]);
        }

        const Answers &right = at(column + 1);
        if (right.digitLikeKana || (right.wa && waReadsAsDigitGroup(column + 1)))
            m_.ConnectorNeeded = true;
        if (m_.ConnectorNeeded && right.digit < 0 && !right.row10 && !right.row1 && !right.space) {
            m_.TextGrid.append(column, kFullWidthSpace);
            m_.CellGrid.append(column, code_.CodePatterns[CodeRow::Connector]);
        }
        m_.ConnectorNeeded = false;
    }

    // ワ after a number is the digit-group point's cell: with three syllables
    // after it that read like digits (８ワリアル), it would read as 8,816.
    bool waReadsAsDigitGroup(int column) const
    {
        return at(column + 1).digitLikeKana && at(column + 2).digitLikeKana && at(column + 3).digitLikeKana;
    }

    // Once raised, the flag stays for the whole translation, so the search
    // can stop there.
    void detectKatakana()
    {
        for (int column = 1; column <= length_ && !m_.KatakanaSeen; ++column)
            m_.KatakanaSeen = inside(column).katakana;
    }

    void applyKatakanaRows()
    {
        // The columns past the line hold "　", which no katakana row has.
        for (int column = 1; column <= length_; ++column) {
            const Answers &a = inside(column);
            if (a.katakanaRow > 0)
                m_.CellGrid.assign(column, code_.CodePatterns[a.katakanaRow]);
            else if (a.extraKatakanaRow > 0)
                applyExtraRow(column, a.extraKatakanaRow);
        }
    }

    void padVoicedKatakana()
    {
        for (int column = 1; column <= length_; ++column) {
            for (int n = inside(column).voicedKatakanaPads; n > 0; --n)
                m_.TextGrid.append(column, kFullWidthSpace);
        }
    }

    Module1 &m_;
    const CodeTable &code_;
    const KeyTables &keys_;
    AnswerTable &answers_;
    const int length_;
    quint16 needs_;
    std::vector<int> &joinedColumns_;
    std::vector<int> &sourceStarts_;
    const int sourceLength_;
    const std::span<const int> smallHiragana_;
    const std::span<int> digits_;
    const std::span<int> letters_;
    const LetterSigns &letterSigns_;
    const bool cellsOnly_;
    int joins_ = 0;
};

std::atomic<qint64> g_linesTranslated{0};

// Takes the table into the state and builds the key tables, before the
// answer table is made from them.
const Module1 &prepared(Module1 &m, const CodeTable &table)
{
    m.codeTable = table;
    m.BuildTables();
    return m;
}

} // namespace

namespace {
std::atomic<EnglishGrade> g_defaultEnglishGrade{EnglishGrade::Uncontracted};
}

EnglishGrade defaultEnglishGrade()
{
    return g_defaultEnglishGrade.load(std::memory_order_relaxed);
}

void setDefaultEnglishGrade(EnglishGrade grade)
{
    g_defaultEnglishGrade.store(grade, std::memory_order_relaxed);
}

QStringList listEntries(const Translation &translation)
{
    QStringList entries;
    entries.reserve(2 * translation.size());
    for (const TranslatedLine &line : translation) {
        if (line.tooLong)
            entries.append(kLongLineWarning);
        entries.append(line.text);
        entries.append(line.braille);
    }
    return entries;
}

void Showlist(const StringLine &cellGrid, const StringLine &textGrid, TranslatedLine &line)
{
    line.text.resize(0);
    line.braille.resize(0);
    textGrid.appendRow(line.text);
    cellGrid.appendRow(line.braille);
}

LineTranslator::LineTranslator(const CodeTable &table)
    : answers_(prepared(m_, table).codeTable, m_.keyTables), letterSigns_(m_.codeTable.CodePatterns)
{
    // The cell of a blank is the one the table gives the full-width space.
    const int spaceRow = answers_.answers(SymbolLine::kFullWidthSpace).codeRow;
    blankCell_ = spaceRow > 0 ? m_.codeTable.CodePatterns[std::size_t(spaceRow)] : QString();
    if (blankCell_.isEmpty())
        blankCell_ = QStringLiteral("\u2800");
}

qint64 LineTranslator::linesTranslated()
{
    return g_linesTranslated.load(std::memory_order_relaxed);
}

void LineTranslator::translate(QStringView text, TranslatedLine &line)
{
    m_.TextGrid.setDiscardingWrites(false);
    line.tooLong = translateLine(text);
    Showlist(m_.CellGrid, m_.TextGrid, line);
    m_.CurrentLine = QStringView();
}

void LineTranslator::translateCells(QStringView text)
{
    // The text grid stays blank until a translation needs it again: a
    // run of such lines resets it once.
    m_.TextGrid.setDiscardingWrites(true);
    cellsOnly_ = true;
    translateLine(text);
    cellsOnly_ = false;
    m_.CurrentLine = QStringView();
}

void LineTranslator::translate(QStringView text, TranslatedDocument &document)
{
    m_.TextGrid.setDiscardingWrites(false);
    const bool tooLong = translateLine(text);
    document.appendLine(m_.TextGrid, m_.CellGrid, sourceStarts_, sourceLength_, columns_, tooLong);
    m_.CurrentLine = QStringView();
}

bool LineTranslator::translateLine(QStringView text, bool newLine)
{
    if (newLine) {
        ++m_.LineCount;
        g_linesTranslated.fetch_add(1, std::memory_order_relaxed);
    }
    if (normalizeInputForms(text, normalized_))
        text = normalized_;
    m_.CurrentLine = text;
    m_.resetGrids(int(text.size()));
    sourceLength_ = text.size();
    if (cellsOnly_)
        sourceStarts_.clear();
    else
        sourceStarts_.assign(std::size_t(text.size()) + 2, int(text.size()));

    // Split: one character (code point) per column. What the characters
    // are tells which of the last steps the line needs: joins never make a
    // column that the rules edit or that lacks braille.
    int columns = 0;
    int characters = 0;
    quint16 passNeeds = answers_.answers(SymbolLine::kFullWidthSpace).passNeeds;
    SignKinds kinds = 0;
    bool mayLackBraille = false;
    // Where mixed text is read otherwise, a unit of the plan stands for its
    // characters.
    const bool planned = planMixedText(text, englishGrade_, units_);
    // The columns of small hiragana, digits and letters are listed without
    // a branch on each character: every column is written, and kept where
    // it counts.
    // They only grow, so that a line does not fill them first.
    if (smallHiragana_.size() < std::size_t(text.size())) {
        smallHiragana_.resize(std::size_t(text.size()));
        digitColumns_.resize(std::size_t(text.size()));
        letterColumns_.resize(std::size_t(text.size()));
    }
    std::size_t smallHiraganaCount = 0;
    std::size_t digitCount = 0;
    std::size_t letterCount = 0;
    std::size_t unit = 0;
    for (qsizetype i = 0; i < text.size();) {
        int symbol;
        qsizetype n;
        if (planned && unit < units_.size() && units_[unit].start == i) {
            const MixedUnit &u = units_[unit++];
            n = u.length;
            symbol = answers_.symbol(u.key);
            m_.TextGrid.assign(columns + 1, u.text.isEmpty() ? text.sliced(i, n) : QStringView(u.text));
            for (qsizetype k = i; k < i + n; ++k)
                characters += text[k].isLowSurrogate() ? 0 : 1;
        } else {
            n = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
            const QStringView character = text.sliced(i, n);
            // Hiragana ゔ is read as the katakana ヴ, which the tables know.
            symbol = answers_.symbol(text[i] == u'ゔ' ? u"ヴ" : character);
            m_.TextGrid.assign(columns + 1, character);
            ++characters;
        }
        ++columns;
        const Answers &answers = answers_.answers(symbol);
        passNeeds |= answers.passNeeds;
        kinds |= answers.kinds;
        mayLackBraille |= answers.mayLackBraille;
        smallHiragana_[smallHiraganaCount] = columns;
        smallHiraganaCount += answers.smallHiragana != 0;
        digitColumns_[digitCount] = columns;
        digitCount += answers.digits != 0;
        letterColumns_[letterCount] = columns;
        letterCount += (answers.passNeeds & PassNeed::Letters) != 0;
        m_.CharGrid.set(columns, symbol);
        if (!cellsOnly_)
            sourceStarts_[std::size_t(columns)] = int(i);
        i += n;
    }
    // The warning counts the characters of the text, however many columns
    // the mixed-text units make of them.
    const bool tooLong = characters > LineColumns::kShown;

    LinePasses passes(m_, answers_, columns, passNeeds, joinedColumns_, sourceStarts_, int(text.size()),
                      std::span(smallHiragana_.data(), smallHiraganaCount),
                      std::span(digitColumns_.data(), digitCount), std::span(letterColumns_.data(), letterCount),
                      letterSigns_, cellsOnly_);
    passes.run();
    columns_ = passes.joinedLength();
    if (kinds & SignKind::Edited)
        applyStandardRules();
    if (mayLackBraille)
        noteCharactersWithoutBraille();
    return tooLong;
}

// The rules that look at a column's neighbours, once every pass is done.
void LineTranslator::applyStandardRules()
{
    kinds_.resize(std::size_t(columns_));
    const int *const symbols = m_.CharGrid.columns();
    for (int column = 1; column <= columns_; ++column)
        kinds_[std::size_t(column - 1)] = answers_.answers(symbols[column]).kinds;
    planStandardRules(kinds_, edits_);

    const QString &connector = m_.codeTable.CodePatterns[CodeRow::Connector];
    const QString &blank = blankCell_;
    for (const ColumnEdit &edit : edits_) {
        const int column = edit.index + 1;
        // The connector is one cell, like a blank, with one "　" over it.
        if (edit.hyphen)
            m_.CellGrid.assign(column, connector);
        if (edit.connectorAfter) {
            m_.CellGrid.append(column, connector);
            m_.TextGrid.append(column, kFullWidthSpace);
        }
        if (edit.blanksBefore) {
            // Built aside: the column's own string lives in the grid's
            // buffer, which the assignment may move.
            scratch_.resize(0);
            for (int n = edit.blanksBefore; n > 0; --n)
                scratch_ += blank;
            scratch_ += m_.CellGrid.at(column);
            m_.CellGrid.assign(column, scratch_);
            scratch_.resize(0);
            for (int n = edit.blanksBefore; n > 0; --n)
                scratch_ += kFullWidthSpace;
            scratch_ += m_.TextGrid.at(column);
            m_.TextGrid.assign(column, scratch_);
        }
        for (int n = edit.blanksAfter; n > 0; --n) {
            m_.CellGrid.append(column, blank);
            m_.TextGrid.append(column, kFullWidthSpace);
        }
    }
}

// A character that no pass gave a cell keeps the "　" of the reset: braille
// typed in the text becomes its own cell, anything else is noted once.
void LineTranslator::noteCharactersWithoutBraille()
{
    for (int column = 1; column <= columns_; ++column) {
        if (!m_.CellGrid.isReset(column))
            continue;
        const int symbol = m_.CharGrid.at(column);
        const Answers &answers = answers_.answers(symbol);
        if (answers.brailleCell) {
            m_.CellGrid.assign(column, answers_.text(symbol));
            continue;
        }
        if (answers.space)
            continue;
        if (std::size_t(symbol) >= reported_.size())
            reported_.resize(std::size_t(symbol) + 1, false);
        if (!reported_[std::size_t(symbol)]) {
            reported_[std::size_t(symbol)] = true;
            withoutBraille_.append(answers_.text(symbol).toString());
        }
    }
}

void LineTranslator::appendWholeBraille(QString &braille) const
{
    appendBraille(braille, true);
}

void LineTranslator::appendWholeBrailleUtf8(QByteArray &braille) const
{
    appendBrailleUtf8(braille, true);
}

void LineTranslator::appendBraille(QString &braille, bool trimmed) const
{
    const qsizetype start = braille.size();
    for (int column = 1; column <= columns_; ++column)
        braille += m_.CellGrid.at(column);
    QChar *cells = braille.data();
    for (qsizetype i = start; i < braille.size(); ++i) {
        if (cells[i] == u'　')
            cells[i] = QChar(0x2800);
    }
    qsizetype end = braille.size();
    while (trimmed && end > start && cells[end - 1] == QChar(0x2800))
        --end;
    braille.truncate(end);
}

void LineTranslator::appendBrailleUtf8(QByteArray &braille, bool trimmed) const
{
    // The row's cells are gathered first and then turned into UTF-8 in one
    // walk, which has no branch on how many cells a column has.
    const qsizetype size = m_.CellGrid.rowSize(1, columns_);
    if (row_.size() < std::size_t(size + StringLine::kCopySlack))
        row_.resize(std::size_t(size + StringLine::kCopySlack));
    const char16_t *const cells = row_.data();
    const qsizetype count = m_.CellGrid.copyRow(1, columns_, row_.data());

    const qsizetype start = braille.size();
    // Three bytes a cell, and a byte more: a cell is stored as a word of four.
    braille.resize(start + 3 * count + 1);
    char *const begin = braille.data() + start;
    char *out = begin;
    // Where the last cell that is no blank ends.
    char *end = begin;
    for (qsizetype i = 0; i < count; ++i) {
        const char16_t cell = cells[i];
        // "　" is a blank cell.
        const unsigned dots = cell == u'　' ? 0u : unsigned(cell) - 0x2800;
        if (dots > 0xFF) {
            // Anything but a cell takes the general road, which gives the
            // same bytes.
            braille.truncate(start);
            QString whole;
            appendBraille(whole, trimmed);
            braille += whole.toUtf8();
            return;
        }
        // E2, A0 + the top two dots, 80 + the other six.
        qToLittleEndian(quint32(0x0080A0E2u | (dots >> 6) << 8 | (dots & 0x3F) << 16), out);
        out += 3;
        end = dots ? out : end;
    }
    if (!trimmed)
        end = out;
    braille.truncate(start + (end - begin));
}

namespace {

// The brackets whose nesting the mixed-text pass follows across a line, as
// typed (half-width forms become these).
int quoteStep(char16_t c)
{
    return c == u'「' || c == 0xFF62 ? 1 : c == u'」' || c == 0xFF63 ? -1 : 0;
}
int parenStep(char16_t c)
{
    return c == u'（' || c == u'(' ? 1 : c == u'）' || c == u')' ? -1 : 0;
}

// By the low byte of a character: whether it may be one of the brackets
// above, ⠦ or ⠴.
constexpr std::array<bool, 256> kMayBeBracket = [] {
    std::array<bool, 256> may{};
    for (const char16_t c : {u'「', u'」', char16_t(0xFF62), char16_t(0xFF63), u'（', u'）', u'(', u')', u'⠦', u'⠴'})
        may[c & 0xFF] = true;
    return may;
}();

} // namespace

// A full-width kana that joins nothing and that no pass, rule or mixed-text
// reading looks at beside other characters: no small kana, no わ (read with
// the three after it behind a number), no digit, letter or sign.
bool LineTranslator::askQuietKana(char16_t c)
{
    const Answers &a = answers_.answers(answers_.symbol(QStringView(&c, 1)));
    const bool quiet = !a.smallHiragana && !a.smallKatakana && !a.digits && a.digit < 0 && a.upperLetter < 0
                       && a.lowerLetter < 0 && !a.row10 && !a.row1 && !a.space && !a.hasFixedCells && !a.numberLead
                       && !a.joinsLetters && !a.wa && a.kinds == SignKind::Kana;
    quietKana_[std::size_t(c - 0x3041)] = quiet ? 1 : 2;
    return quiet;
}

// A stretch ends before four quiet kana in a row, outside any bracket the
// mixed-text pass follows and any typed ⠠⠦…⠠⠴ (read whole, whatever stands
// inside it): what the passes read left of the first of them and right of
// the last stays on its side, and the mixed-text pass starts the next
// stretch as it stood.
qsizetype LineTranslator::nextCut()
{
    LinePartState &p = linePart_;
    const QChar *const text = p.rest.constData();
    const qsizetype size = p.rest.size();
    // Kept in locals: the loops run over every character of a long line.
    int quiet = p.quiet;
    int quotes = p.quotes;
    int parens = p.parens;
    bool typedSpan = p.typedSpan;
    const auto step = [&](char16_t c, qsizetype i) {
        // A closing bracket with none open is passed over, as the pass does.
        quotes = qMax(0, quotes + quoteStep(c));
        parens = qMax(0, parens + parenStep(c));
        // The pass closes a typed span at the first ⠠⠴ after its ⠠⠦.
        const bool afterCapital = i > p.from && text[i - 1] == u'⠠';
        if (!typedSpan && afterCapital && c == u'⠦') {
            typedSpan = true;
            p.typedSpanClose = i + 1;
        } else if (typedSpan && afterCapital && c == u'⠴' && i - 1 >= p.typedSpanClose) {
            typedSpan = false;
        }
    };
    qsizetype i = p.scanned;
    // No cut comes before a stretch's least length: up to there only the
    // brackets count, and few characters could be one.
    const qsizetype least = qMin(size, p.from + stretch_);
    if (i < least) {
        for (; i < least; ++i) {
            const char16_t c = text[i].unicode();
            if (kMayBeBracket[c & 0xFF])
                step(c, i);
        }
        quiet = 0;
        for (qsizetype k = i; k > p.from && quiet < 3 && isQuietKana(text[k - 1].unicode()); --k)
            ++quiet;
    }
    qsizetype cut = 0;
    for (; i < size; ++i) {
        const char16_t c = text[i].unicode();
        // Kana are no bracket: most characters take this road, which
        // asks about a kana once.
        if (unsigned(c) - 0x3041 < quietKana_.size()) {
            quiet = isQuietKana(c) ? quiet + 1 : 0;
            if (quiet >= 4 && quotes == 0 && parens == 0 && !typedSpan) {
                cut = i;
                break;
            }
            continue;
        }
        quiet = 0;
        step(c, i);
    }
    p.scanned = i;
    p.quiet = quiet;
    p.quotes = quotes;
    p.parens = parens;
    p.typedSpan = typedSpan;
    return cut;
}

bool LineTranslator::katakanaPassesWouldAct() const
{
    for (int column = 1; column <= columns_; ++column) {
        if (answers_.answers(m_.CharGrid.at(column)).passNeeds & (PassNeed::SmallKatakana | PassNeed::KatakanaRows))
            return true;
    }
    return false;
}

void LineTranslator::forgetReportsFrom(qsizetype count)
{
    for (qsizetype k = count; k < withoutBraille_.size(); ++k)
        reported_[std::size_t(answers_.symbol(withoutBraille_[k]))] = false;
    withoutBraille_.resize(count);
}

void LineTranslator::settleBlanks(QByteArray &braille, qsizetype start)
{
    static constexpr QByteArrayView kBlank("\xE2\xA0\x80");
    qsizetype end = braille.size();
    while (end - start >= 3 && QByteArrayView(braille).sliced(end - 3, 3) == kBlank)
        end -= 3;
    const qsizetype trailing = (braille.size() - end) / 3;
    braille.truncate(end);
    if (end == start) {
        linePart_.blanks += trailing;
        return;
    }
    // A stretch ends before a quiet kana, so this is rare: only the cells
    // of the line's end are blank.
    if (linePart_.blanks > 0)
        braille.insert(start, kBlank.toByteArray().repeated(linePart_.blanks));
    linePart_.blanks = trailing;
}

// The katakana passes run over the whole line once a katakana is in it.
// Before the first one, a stretch they would not act on is done; from the
// first they would act on, the stretches wait for a katakana, which has
// them translated again, or for the end of the line.
void LineTranslator::translateStretch(QStringView stretch, QByteArray &braille)
{
    LinePartState &p = linePart_;
    const bool katakanaBefore = m_.KatakanaSeen;
    const qsizetype reports = withoutBraille_.size();
    translateLine(stretch, !p.started);
    p.started = true;
    if (!katakanaBefore && m_.KatakanaSeen && p.holding) {
        p.holding = false;
        forgetReportsFrom(p.heldReports);
        p.heldBraille.clear();
        const QString held = std::exchange(p.held, QString());
        const std::vector<qsizetype> lengths = std::exchange(p.heldLengths, {});
        qsizetype start = 0;
        for (const qsizetype length : lengths) {
            translateStretch(QStringView(held).sliced(start, length), braille);
            start += length;
        }
        translateLine(stretch, false);
    } else if (!katakanaBefore && !m_.KatakanaSeen && (p.holding || katakanaPassesWouldAct())) {
        if (!p.holding)
            p.heldReports = reports;
        p.holding = true;
        p.held += stretch;
        p.heldLengths.push_back(stretch.size());
        appendBrailleUtf8(p.heldBraille, false);
        return;
    }
    const qsizetype start = braille.size();
    appendBrailleUtf8(braille, false);
    settleBlanks(braille, start);
}

void LineTranslator::appendLineBrailleUtf8(QStringView text, QByteArray &braille)
{
    appendPartBrailleUtf8(text, true, braille);
}

void LineTranslator::appendPartBrailleUtf8(QStringView part, bool endsLine, QByteArray &braille)
{
    LinePartState &p = linePart_;
    // A short line is translated whole.
    if (!p.started && p.rest.isEmpty() && endsLine && part.size() <= 2 * stretch_) {
        translateCells(part);
        appendWholeBrailleUtf8(braille);
        return;
    }
    m_.TextGrid.setDiscardingWrites(true);
    cellsOnly_ = true;
    p.rest += part;
    for (qsizetype cut = nextCut(); cut > 0; cut = nextCut()) {
        translateStretch(QStringView(p.rest).sliced(p.from, cut - p.from), braille);
        p.from = cut;
        p.quiet = 0;
    }
    if (endsLine) {
        translateStretch(QStringView(p.rest).sliced(p.from), braille);
        if (p.holding) {
            const qsizetype start = braille.size();
            braille += p.heldBraille;
            settleBlanks(braille, start);
        }
        // No blank cells at the end of the line.
        p = LinePartState();
    } else {
        // Only the stretch not translated yet stays, moved to the front of
        // the same buffer, which is then reused.
        QChar *const rest = p.rest.data();
        std::copy(rest + p.from, rest + p.rest.size(), rest);
        p.rest.truncate(p.rest.size() - p.from);
        p.scanned -= p.from;
        p.typedSpanClose -= p.from;
        p.from = 0;
    }
    cellsOnly_ = false;
    m_.CurrentLine = QStringView();
}

Translation translateText(const CodeTable &table, QStringView text, QStringList *withoutBraille)
{
    LineTranslator translator(table);
    Translation translation;
    // Each line is translated into its own place, so its rows are made once.
    forEachLine(text, [&](QStringView source) { translator.translate(source, translation.emplace_back()); });
    if (withoutBraille)
        *withoutBraille += translator.charactersWithoutBraille();
    return translation;
}
