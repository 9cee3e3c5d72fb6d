#include "answertable.h"

#include "conversion.h"
#include "mixedtext.h"
#include "tables/linegrids.h"

namespace {

// The cell the procedures are asked about, and its neighbours.
constexpr int kProbeLine = 1;
constexpr int kProbeColumn = 1;

template <std::size_t N> quint16 matches(const std::array<QString, N> &table, int first, const QString &text)
{
    quint16 bits = 0;
    for (std::size_t k = std::size_t(first); k < N; ++k) {
        if (table[k] == text)
            bits |= quint16(1u << k);
    }
    return bits;
}

quint16 passNeeds(const Answers &a)
{
    quint16 needs = 0;
    if (a.smallHiragana)
        needs |= PassNeed::SmallHiragana;
    if (a.voicedHiraganaPads)
        needs |= PassNeed::VoicedHiragana;
    if (a.digits)
        needs |= PassNeed::Digits;
    if (a.upperLetter >= 0 || a.lowerLetter >= 0)
        needs |= PassNeed::Letters;
    if (a.smallKatakana)
        needs |= PassNeed::SmallKatakana;
    if (a.katakanaRow > 0 || a.extraKatakanaRow > 0)
        needs |= PassNeed::KatakanaRows;
    if (a.voicedKatakanaPads)
        needs |= PassNeed::VoicedKatakana;
    return needs;
}

} // namespace

AnswerTable::AnswerTable(const CodeTable &code, const KeyTables &keys)
    : code_(code), keys_(keys), extra_(code), single_(std::make_unique<int[]>(0x10000))
{
    for (int row = 0; row <= CodeTable::kLookupRows; ++row) {
        rowStarts_.push_back(int(rowCells_.size()));
        if (row > 0 && row <= code.lastRow()) {
            const QString &cells = code.CodePatterns[std::size_t(row)];
            rowCells_.insert(rowCells_.end(), cells.utf16(), cells.utf16() + cells.size());
        }
    }
    rowStarts_.push_back(int(rowCells_.size()));
    rowCells_.resize(rowCells_.size() + StringLine::kCopySlack);
    probe_.reset(kProbeLine);
    const int empty = add(QString());
    const int space = symbol(kFullWidthSpace);
    Q_ASSERT(empty == SymbolLine::kEmpty && space == SymbolLine::kFullWidthSpace);
    Q_UNUSED(empty);
    Q_UNUSED(space);
}

int AnswerTable::newSymbol(QStringView text)
{
    if (text.size() == 1) {
        int &found = single_[text[0].unicode()];
        if (found == 0)
            found = add(text.toString()) + 1;
        return found - 1;
    }
    const auto it = longer_.constFind(text.toString());
    if (it != longer_.cend())
        return *it;
    const int added = add(text.toString());
    longer_.insert(texts_[added], added);
    return added;
}

int AnswerTable::joinedByHash(int left, int right)
{
    const quint64 key = (quint64(quint32(left)) << 32) | quint32(right);
    const auto it = pairs_.constFind(key);
    if (it != pairs_.cend())
        return *it;
    const int found = symbol(texts_[left] + texts_[right]);
    pairs_.insert(key, found);
    return found;
}

int AnswerTable::add(const QString &text)
{
    texts_.append(text);
    answers_.push_back(ask(text));
    return int(texts_.size()) - 1;
}

// The procedures answer about the probe cell; the rest compares with the
// tables as the passes do.
Answers AnswerTable::ask(const QString &text)
{
    if (text.size() >= 3 && text[0] == QChar(MixedKey::kFixed)) {
        Answers a;
        a.hasFixedCells = true;
        a.kinds = SignKinds(text[1].unicode());
        const unsigned flags = text[2].unicode();
        a.numberLead = flags & MixedFlag::NumberLead;
        a.joinsLetters = flags & MixedFlag::JoinsLetters;
        a.fixedCells = text.mid(3);
        a.codeRowOrNothing = false;
        return a;
    }
    if (text.size() >= 3 && text[text.size() - 2] == QChar(MixedKey::kKinds)) {
        Answers a = ask(text.first(text.size() - 2));
        a.kinds = SignKinds(text.back().unicode());
        return a;
    }
    probe_.cell(kProbeLine, kProbeColumn) = text;
    const Grid &grid = probe_;
    const int line = kProbeLine;
    const int column = kProbeColumn;

    Answers a;
    int result = -1;
    susearch(grid, keys_.DigitChars, column, line, a.digit);
    FindUpperLetter(grid, keys_.UpperLetters, column, line, a.upperLetter);
    FindLowerLetter(grid, keys_.LowerLetters, column, line, a.lowerLetter);
    FindKatakana(grid, keys_.KatakanaKeys, column, line, result, a.katakana);
    IsRow10At(grid, code_.CodeKeys, column, line, result);
    a.row10 = result >= 0;
    IsRow1At(grid, code_.CodeKeys, column, line, result);
    a.row1 = result >= 0;
    IsSpaceAt(grid, column, line, result);
    a.space = result >= 0;
    FindDigitLikeKana(grid, keys_.KatakanaKeys, code_.CodeKeys, column, line, result, a.digitLikeKana);

    for (int k = 1; k <= CodeTable::kLookupRows; ++k) {
        if (code_.CodeKeys[k] == text) {
            a.codeRow = k;
            a.codeKey = true;
        }
        if (k >= CodeRow::FirstSyllable && keys_.KatakanaKeys[k] == text) {
            a.codeRow = k;
            a.katakanaRow = k;
        }
    }

    a.extraRow = extra_.row(text);
    a.extraKatakanaRow = extra_.katakanaRow(text);
    a.kinds = signKinds(text);
    a.brailleCell = text.size() == 1 && text[0].unicode() >= 0x2800 && text[0].unicode() <= 0x28FF;
    // A numeral sign typed as braille leads the digits after it.
    a.numberLead = text == u"\u283C";
    a.wa = text == u"わ" || text == u"ワ";

    a.mayLackBraille = a.codeRow <= 0 && a.extraRow <= 0 && a.extraKatakanaRow <= 0 && a.digit < 0
                       && a.upperLetter < 0 && a.lowerLetter < 0 && !a.space;
    a.digits = matches(keys_.DigitChars, 0, text);
    a.smallHiragana = matches(keys_.SmallHiragana, 1, text);
    a.smallKatakana = matches(keys_.SmallKatakana, 1, text);
    for (int k = 1; k <= 26; ++k) {
        // ヴ is a katakana too: the katakana pass pads it, after a small
        // katakana has had the chance to join it.
        if (keys_.VoicedHiragana[k] != keys_.VoicedKatakana[k] && keys_.VoicedHiragana[k] == text)
            ++a.voicedHiraganaPads;
        if (keys_.VoicedKatakana[k] == text)
            ++a.voicedKatakanaPads;
    }
    a.passNeeds = passNeeds(a);
    a.codeRowOrNothing = a.codeRow > 0 || (a.extraRow <= 0 && !a.hasFixedCells);
    return a;
}
