#include "translation.h"

#include "conversion.h"
#include "inputforms.h"
#include "standardrules.h"
#include "tables/extrarows.h"

#include <QHash>

namespace {

// The line cut into characters, one per code point, at most one per grid
// column; `length` counts every character of the line.
struct SplitLine
{
    QStringList characters;
    qsizetype length = 0;
};

SplitLine splitCharacters(QStringView text)
{
    SplitLine split;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        if (split.characters.size() < Grid::kLastColumn)
            split.characters.append(text.sliced(i, n).toString());
        ++split.length;
        i += n;
    }
    return split;
}

// The code rows that a cell string finds, looked up by hash instead of
// trying every row for every column. Built from the tables of one
// translation; where several rows match, the last one wins, as when the rows
// are tried in order.
class RowIndex
{
public:
    RowIndex(const CodeTable &code, const KeyTables &keys) : extra_(code)
    {
        for (int k = 1; k <= CodeTable::kLookupRows; ++k) {
            codeRows_.insert(code.CodeKeys[k], k);
            codeKeys_.insert(code.CodeKeys[k], k);
            if (k >= CodeRow::FirstSyllable) {
                codeRows_.insert(keys.KatakanaKeys[k], k);
                katakanaRows_.insert(keys.KatakanaKeys[k], k);
            }
        }
    }

    // The last row 1..171 whose code key, or katakana key from row 19 on,
    // equals the cell; -1 when none does.
    int codeRow(const QString &cell) const { return codeRows_.value(cell, -1); }
    // The last row 19..171 whose katakana key equals the cell, or -1.
    int katakanaRow(const QString &cell) const { return katakanaRows_.value(cell, -1); }
    bool isCodeKey(const QString &text) const { return codeKeys_.contains(text); }
    const ExtraRows &extra() const { return extra_; }

private:
    ExtraRows extra_;
    QHash<QString, int> codeRows_;
    QHash<QString, int> katakanaRows_;
    QHash<QString, int> codeKeys_;
};

// The passes that turn one grid line into braille, in the order they must
// run: each pass relies on what the earlier ones left in the grids.
class LinePasses
{
public:
    LinePasses(Module1 &m, const RowIndex &rows, int line, int length)
        : m_(m), code_(m.codeTable), keys_(m.keyTables), rows_(rows), line_(line), length_(length)
    {}

    void run(const QStringList &characters)
    {
        split(characters);
        joinSmallHiragana();
        applyCodeRows();
        padVoicedHiragana();
        convertDigits();
        ConvertLetters(m_.CharGrid, m_.CellGrid, m_.TextGrid, keys_.UpperLetters, keys_.LowerLetters,
                       keys_.LetterPatterns, code_.CodePatterns, line_);
        detectKatakana();
        if (m_.KatakanaSeen) {
            joinSmallKatakana();
            applyKatakanaRows();
            padVoicedKatakana();
        }
        applyStandardRules();
    }

private:
    const QString &charAt(int column) const { return m_.CharGrid.at(line_, column); }

    void split(const QStringList &characters)
    {
        for (int column = 1; column <= length_; ++column) {
            // Hiragana ゔ is read as the katakana ヴ, which the tables know.
            const QString &character = characters[column - 1];
            m_.CharGrid.cell(line_, column) = character == u"ゔ" ? QStringLiteral("ヴ") : character;
            m_.TextGrid.cell(line_, column) = character;
        }
    }

    // Joins the small kana at the column to the syllable on its left, in the
    // braille too when asked, and closes the gap.
    void joinLeft(int column, bool withCells)
    {
        m_.CharGrid.cell(line_, column - 1) += charAt(column);
        m_.TextGrid.cell(line_, column - 1) += m_.TextGrid.at(line_, column);
        if (withCells)
            m_.CellGrid.cell(line_, column - 1) += m_.CellGrid.at(line_, column);
        tumeru(m_.CharGrid, m_.TextGrid, m_.CellGrid, column, line_);
        ++joins_;
    }

    QString blankCell() const
    {
        const int row = rows_.codeRow(kFullWidthSpace);
        return row > 0 && !code_.CodePatterns[std::size_t(row)].isEmpty() ? code_.CodePatterns[std::size_t(row)]
                                                                           : QString(QChar(0x2800));
    }

    void applyStandardRules()
    {
        const int n = std::max(0, length_ - joins_);
        std::vector<SignKinds> kinds;
        for (int column = 1; column <= n; ++column)
            kinds.push_back(signKinds(charAt(column)));
        std::vector<ColumnEdit> edits;
        planStandardRules(kinds, edits);
        const QString blank = blankCell();
        const QString &connector = code_.CodePatterns[CodeRow::Connector];
        for (int column = 1; column <= n; ++column) {
            const ColumnEdit &edit = edits[std::size_t(column - 1)];
            QString &cells = m_.CellGrid.cell(line_, column);
            QString &text = m_.TextGrid.cell(line_, column);
            // The connector is one cell, like the blanks.
            if (edit.hyphen)
                cells = connector;
            if (edit.connectorAfter) {
                cells += connector;
                text += kFullWidthSpace;
            }
            if (edit.blanksBefore) {
                cells = blank.repeated(edit.blanksBefore) + cells;
                text = kFullWidthSpace.repeated(edit.blanksBefore) + text;
            }
            if (edit.blanksAfter) {
                cells += blank.repeated(edit.blanksAfter);
                text += kFullWidthSpace.repeated(edit.blanksAfter);
            }
            // Braille typed in the text is its own cell.
            const QString &character = charAt(column);
            if (cells == kFullWidthSpace && character.size() == 1 && character[0].unicode() >= 0x2800 &&
                character[0].unicode() <= 0x28FF)
                cells = character;
        }
    }

    // After a join the column holds the next character, which is compared
    // with the remaining small kana only. A small kana in column 1 has no
    // syllable to join and stays a cell of its own.
    void joinSmallHiragana()
    {
        for (int column = 2; column <= length_; ++column) {
            for (int k = 1; k <= 8; ++k) {
                if (charAt(column) != keys_.SmallHiragana[k])
                    continue;
                // A pair that no code row knows would lose the braille of
                // both characters; the small kana then keeps its own row.
                const QString pair = charAt(column - 1) + charAt(column);
                if (!rows_.isCodeKey(pair) && rows_.extra().row(pair) < 0)
                    continue;
                joinLeft(column, false);
            }
        }
    }

    void applyCodeRows()
    {
        for (int column = 1; column <= length_; ++column) {
            const int row = rows_.codeRow(charAt(column));
            if (row > 0)
                m_.CellGrid.cell(line_, column) = code_.CodePatterns[row];
            else if (const int extra = rows_.extra().row(charAt(column)); extra > 0)
                setExtraRow(column, extra);
        }
    }

    // The text stands over the first of the row's cells, and a "　" over
    // each of the others.
    void setExtraRow(int column, int row)
    {
        const QString &cells = code_.CodePatterns[std::size_t(row)];
        m_.CellGrid.cell(line_, column) = cells;
        QString &text = m_.TextGrid.cell(line_, column);
        const qsizetype width = text.toUcs4().size();
        if (width < cells.size())
            text += QString(cells.size() - width, QChar(u'　'));
    }

    // The two-cell braille of a voiced syllable comes from the code table;
    // the text needs one "　" more to stay above it.
    void padVoicedHiragana()
    {
        for (int column = 1; column <= length_; ++column) {
            for (int k = 1; k <= 26; ++k) {
                // ヴ is a katakana too: the katakana pass pads it, after a
                // small katakana has had the chance to join it.
                if (keys_.VoicedHiragana[k] == keys_.VoicedKatakana[k])
                    continue;
                if (charAt(column) == keys_.VoicedHiragana[k])
                    m_.TextGrid.cell(line_, column) += kFullWidthSpace;
            }
        }
    }

    void convertDigits()
    {
        for (int column = 1; column <= length_; ++column) {
            for (int d = 0; d <= 9; ++d) {
                if (charAt(column) == keys_.DigitChars[d])
                    convertDigit(column, d);
            }
        }
    }

    // A number starts with the numeral sign unless a digit, the number
    // continuation or the comma stands before it; it ends with the connector
    // when a syllable that reads like a digit follows it directly.
    void convertDigit(int column, int d)
    {
        int DigitFound = -1;
        int Row10Found = -1;
        int CommaFound = -1;
        int SpaceFound = -1;
        int KanaFound = -1;

        int NeighbourCol = column - 1;
        susearch(m_.CharGrid, keys_.DigitChars, NeighbourCol, line_, DigitFound);
        IsRow10At(m_.CharGrid, code_.CodeKeys, NeighbourCol, line_, Row10Found);
        IsRow1At(m_.CharGrid, code_.CodeKeys, NeighbourCol, line_, CommaFound);
        QString &text = m_.TextGrid.cell(line_, column);
        QString &cells = m_.CellGrid.cell(line_, column);
        if (DigitFound < 0 && Row10Found < 0 && CommaFound < 0) {
            text = kFullWidthSpace + keys_.DigitChars[d];
            cells = code_.CodePatterns[CodeRow::NumeralSign] + keys_.DigitPatterns[d];
        } else {
            text = keys_.DigitChars[d];
            cells = keys_.DigitPatterns[d];
        }

        NeighbourCol = column + 1;
        susearch(m_.CharGrid, keys_.DigitChars, NeighbourCol, line_, DigitFound);
        IsRow10At(m_.CharGrid, code_.CodeKeys, NeighbourCol, line_, Row10Found);
        IsRow1At(m_.CharGrid, code_.CodeKeys, NeighbourCol, line_, CommaFound);
        IsSpaceAt(m_.CharGrid, NeighbourCol, line_, SpaceFound);
        FindDigitLikeKana(m_.CharGrid, keys_.KatakanaKeys, code_.CodeKeys, NeighbourCol, line_, KanaFound,
                          m_.ConnectorNeeded);
        if (m_.ConnectorNeeded && DigitFound < 0 && Row10Found < 0 && CommaFound < 0 && SpaceFound < 0) {
            text += kFullWidthSpace;
            cells += code_.CodePatterns[CodeRow::Connector];
        }
        m_.ConnectorNeeded = false;
    }

    // Once raised, the flag stays for the whole translation, so the search
    // can stop there.
    void detectKatakana()
    {
        for (int column = 1; column <= length_ && !m_.KatakanaSeen; ++column) {
            int KanaFound = -1;
            FindKatakana(m_.CharGrid, keys_.KatakanaKeys, column, line_, KanaFound, m_.KatakanaSeen);
        }
    }

    // Unlike the hiragana join, this one joins the braille too, and looks at
    // the shown columns whatever the line's length; column 1 stays as it is.
    void joinSmallKatakana()
    {
        for (int column = 2; column <= Grid::kShownColumns; ++column) {
            for (int k = 1; k <= 8; ++k) {
                if (charAt(column) == keys_.SmallKatakana[k])
                    joinLeft(column, true);
            }
        }
    }

    void applyKatakanaRows()
    {
        for (int column = 1; column <= Grid::kShownColumns; ++column) {
            const int row = rows_.katakanaRow(charAt(column));
            if (row > 0)
                m_.CellGrid.cell(line_, column) = code_.CodePatterns[row];
            else if (const int extra = rows_.extra().katakanaRow(charAt(column)); extra > 0)
                setExtraRow(column, extra);
        }
    }

    void padVoicedKatakana()
    {
        for (int column = 1; column <= length_; ++column) {
            for (int k = 1; k <= 26; ++k) {
                if (charAt(column) == keys_.VoicedKatakana[k])
                    m_.TextGrid.cell(line_, column) += kFullWidthSpace;
            }
        }
    }

    Module1 &m_;
    const CodeTable &code_;
    const KeyTables &keys_;
    const RowIndex &rows_;
    const int line_;
    const int length_;
    int joins_ = 0;
};

} // namespace

void Showlist(const Grid &cellGrid, const Grid &textGrid, int line, QStringList &list)
{
    list.append(textGrid.row(line));
    list.append(cellGrid.row(line));
}

namespace {

void translateLine(Module1 &m, const RowIndex &rows, int line, QStringView text, QStringList &list)
{
    const bool inGrids = line >= 1 && line <= m.CharGrid.lastLine() && line <= m.CellGrid.lastLine() &&
                         line <= m.TextGrid.lastLine();
    if (!inGrids) {
        qWarning("TranslateLine: line %d is outside the grids", line);
        return;
    }

    m.CurrentLine = normalizeInputForms(text);
    const SplitLine split = splitCharacters(m.CurrentLine);
    if (split.length > Grid::kShownColumns)
        list.append(kLongLineWarning);

    LinePasses(m, rows, line, int(split.characters.size())).run(split.characters);
    Showlist(m.CellGrid, m.TextGrid, line, list);
}

} // namespace

void TranslateLine(Module1 &m, int line, QStringView text, QStringList &list)
{
    translateLine(m, RowIndex(m.codeTable, m.keyTables), line, text, list);
}

QStringList TranslateLines(Module1 &m, const QStringList &lines)
{
    const int count = int(lines.size());
    QStringList list;
    list.reserve(2 * count);
    m.resetGrids(count);
    m.BuildTables();
    const RowIndex rows(m.codeTable, m.keyTables);
    for (int line = 1; line <= count; ++line)
        translateLine(m, rows, line, lines[line - 1], list);
    m.LineCount = count;
    return list;
}
