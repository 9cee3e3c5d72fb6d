#include "translation.h"

#include "conversion.h"
#include "inputforms.h"
#include "mixedtext.h"
#include "platform/textcodec.h"

#include <algorithm>
#include <atomic>
#include <bit>

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
    LinePasses(Module1 &m, AnswerTable &answers, int length, quint16 needs, std::vector<int> &joinedColumns,
               std::vector<int> &sourceStarts, int sourceLength, const std::vector<int> &smallHiragana,
               bool cellsOnly)
        : m_(m), code_(m.codeTable), keys_(m.keyTables), answers_(answers), length_(length), needs_(needs),
          joinedColumns_(joinedColumns), sourceStarts_(sourceStarts), sourceLength_(sourceLength),
          smallHiragana_(smallHiragana), cellsOnly_(cellsOnly)
    {}

    // The columns the line fills once its small kana are joined.
    int joinedLength() const { return length_ - joins_; }

    // A pass that has nothing to act on in the line is skipped.
    void run()
    {
        if (needs(PassNeed::SmallHiragana))
            joinSmallHiragana();
        applyCodeRows();
        if (needs(PassNeed::VoicedHiragana) && !cellsOnly_)
            padVoicedHiragana();
        if (needs(PassNeed::Digits))
            convertDigits();
        if (needs(PassNeed::Letters))
            ConvertLetters(m_.CharGrid, m_.CellGrid, m_.TextGrid, answers_, keys_.UpperLetters,
                           keys_.LowerLetters, keys_.LetterPatterns, code_.CodePatterns);
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
            const Answers &small = at(column);
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

    // The same for hiragana, whose join touches no cell yet, looking at the
    // columns of small kana only: the column before one that did not join
    // is where the next join goes, as the walk over every column has it.
    void joinSmallHiragana()
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
            const int row = at(column).codeRow;
            if (row > 0)
                m_.CellGrid.assign(column, code_.CodePatterns[row]);
            else if (at(column).extraRow > 0)
                applyExtraRow(column, at(column).extraRow);
            else if (at(column).hasFixedCells)
                m_.CellGrid.assign(column, at(column).fixedCells);
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
            for (int n = at(column).voicedHiraganaPads; n > 0; --n)
                m_.TextGrid.append(column, kFullWidthSpace);
        }
    }

    void convertDigits()
    {
        for (int column = 1; column <= length_; ++column) {
            // Each digit the character equals, the lowest first.
            for (unsigned digits = at(column).digits; digits; digits &= digits - 1)
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
            m_.KatakanaSeen = at(column).katakana;
    }

    void applyKatakanaRows()
    {
        const int last = m_.CharGrid.last();
        for (int column = 1; column <= last; ++column) {
            const int row = at(column).katakanaRow;
            if (row > 0)
                m_.CellGrid.assign(column, code_.CodePatterns[row]);
            else if (at(column).extraKatakanaRow > 0)
                applyExtraRow(column, at(column).extraKatakanaRow);
        }
    }

    void padVoicedKatakana()
    {
        for (int column = 1; column <= length_; ++column) {
            for (int n = at(column).voicedKatakanaPads; n > 0; --n)
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
    const std::vector<int> &smallHiragana_;
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
    : answers_(prepared(m_, table).codeTable, m_.keyTables)
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
    smallHiragana_.clear();
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
        if (answers.smallHiragana)
            smallHiragana_.push_back(columns);
        m_.CharGrid.set(columns, symbol);
        if (!cellsOnly_)
            sourceStarts_[std::size_t(columns)] = int(i);
        i += n;
    }
    // The warning counts the characters of the text, however many columns
    // the mixed-text units make of them.
    const bool tooLong = characters > LineColumns::kShown;

    LinePasses passes(m_, answers_, columns, passNeeds, joinedColumns_, sourceStarts_, int(text.size()),
                      smallHiragana_, cellsOnly_);
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
    for (int column = 1; column <= columns_; ++column)
        kinds_[std::size_t(column - 1)] = answers_.answers(m_.CharGrid.at(column)).kinds;
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
    const qsizetype start = braille.size();
    // Cells take three bytes each; room for a few cells a column, grown
    // where a column needs more.
    braille.resize(start + 3 * 4 * qsizetype(columns_));
    char *begin = braille.data() + start;
    char *out = begin;
    char *limit = braille.data() + braille.size();
    // Where the last cell that is no blank ends.
    char *end = begin;
    for (int column = 1; column <= columns_; ++column) {
        const QStringView cells = m_.CellGrid.at(column);
        if (limit - out < 3 * cells.size()) {
            const qsizetype written = out - begin;
            const qsizetype kept = end - begin;
            braille.resize(2 * braille.size() + 3 * cells.size());
            begin = braille.data() + start;
            out = begin + written;
            end = begin + kept;
            limit = braille.data() + braille.size();
        }
        const char16_t *cell = cells.utf16();
        const char16_t *const cellsEnd = cell + cells.size();
        for (; cell != cellsEnd; ++cell) {
            const char16_t c = *cell == u'　' ? char16_t(0x2800) : *cell;
            // Anything but a cell takes the general road, which gives the
            // same bytes.
            if (unsigned(c - 0x2800) > 0xFF) {
                braille.truncate(start);
                QString whole;
                appendBraille(whole, trimmed);
                braille += whole.toUtf8();
                return;
            }
            out[0] = char(0xE2);
            out[1] = char(0xA0 | ((c >> 6) & 0x03));
            out[2] = char(0x80 | (c & 0x3F));
            out += 3;
            if (c != 0x2800)
                end = out;
        }
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
// mixed-text pass follows: what the passes read left of the first of them
// and right of the last stays on its side, and the mixed-text pass starts
// the next stretch as it stood.
qsizetype LineTranslator::stretchEnd(QStringView text, qsizetype from, int &quotes, int &parens)
{
    int quiet = 0; // quiet kana ending at i
    for (qsizetype i = from; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        quiet = isQuietKana(c) ? quiet + 1 : 0;
        if (quiet >= 4 && i - from >= stretch_ && quotes == 0 && parens == 0)
            return i;
        // A closing bracket with none open is passed over, as the pass does.
        quotes = qMax(0, quotes + quoteStep(c));
        parens = qMax(0, parens + parenStep(c));
    }
    return text.size();
}

void LineTranslator::appendLineBrailleUtf8(QStringView text, QByteArray &braille)
{
    // A typed ⠠⠦…⠠⠴ is read whole, whatever stands inside it.
    if (text.size() <= 2 * stretch_ || text.contains(u'⠠')) {
        translateCells(text);
        appendWholeBrailleUtf8(braille);
        return;
    }
    const qsizetype start = braille.size();
    const qsizetype knownWithoutBraille = withoutBraille_.size();
    m_.TextGrid.setDiscardingWrites(true);
    cellsOnly_ = true;
    bool counted = false;
    for (bool again = true; again;) {
        again = false;
        int quotes = 0;
        int parens = 0;
        for (qsizetype from = 0; from < text.size();) {
            const qsizetype end = stretchEnd(text, from, quotes, parens);
            const bool katakanaSeen = m_.KatakanaSeen;
            translateLine(text.sliced(from, end - from), !counted);
            counted = true;
            // The katakana passes run over the whole line once a katakana is
            // in it: the stretches before the first one are done again.
            if (from > 0 && !katakanaSeen && m_.KatakanaSeen) {
                again = true;
                break;
            }
            appendBrailleUtf8(braille, false);
            from = end;
        }
        if (again) {
            braille.truncate(start);
            for (qsizetype k = knownWithoutBraille; k < withoutBraille_.size(); ++k)
                reported_[std::size_t(answers_.symbol(withoutBraille_[k]))] = false;
            withoutBraille_.resize(knownWithoutBraille);
        }
    }
    cellsOnly_ = false;
    m_.CurrentLine = QStringView();
    // No blank cells at the end of the line.
    while (braille.size() - start >= 3 && braille.endsWith("\xE2\xA0\x80"))
        braille.chop(3);
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
