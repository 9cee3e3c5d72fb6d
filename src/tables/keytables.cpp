#include "keytables.h"

#include <iterator>

namespace {

// Katakana spelling of code rows 19..170, in row order; "" stands for the sign
// rows (28, 31, 68, 104) and the two rows without a katakana (40, 134).
constexpr const char16_t *kKatakanaRows[] = {
    /*  19 */ u"ア", u"イ", u"イェ", u"ウ", u"ウィ", u"ウェ", u"ウォ", u"エ", u"オ", u"",
    /*  29 */ u"カ", u"ガ", u"", u"キ", u"キャ", u"キュ", u"キョ", u"ギ", u"ギャ", u"ギュ",
    /*  39 */ u"ギョ", u"", u"ク", u"クァ", u"クィ", u"クェ", u"クォ", u"グ", u"グァ", u"グィ",
    /*  49 */ u"グェ", u"グォ", u"ケ", u"ゲ", u"コ", u"ゴ", u"サ", u"ザ", u"シ", u"シェ",
    /*  59 */ u"シャ", u"シュ", u"ショ", u"ジ", u"ジェ", u"ジャ", u"ジュ", u"ジョ", u"ス", u"",
    /*  69 */ u"ズ", u"セ", u"ゼ", u"ソ", u"ゾ", u"タ", u"ダ", u"チ", u"チェ", u"チャ",
    /*  79 */ u"チュ", u"チョ", u"ヂ", u"ヂャ", u"ヂュ", u"ヂョ", u"ッ", u"ツ", u"ツァ", u"ツィ",
    /*  89 */ u"ツェ", u"ツォ", u"ヅ", u"テ", u"ティ", u"テュ", u"デ", u"ディ", u"デュ", u"ト",
    /*  99 */ u"トゥ", u"ド", u"ドゥ", u"ナ", u"ニ", u"", u"ニャ", u"ニュ", u"ニョ", u"ヌ",
    /* 109 */ u"ネ", u"ノ", u"ハ", u"バ", u"パ", u"ヒ", u"ヒャ", u"ヒュ", u"ヒョ", u"ビ",
    /* 119 */ u"ビャ", u"ビュ", u"ビョ", u"ピ", u"ピャ", u"ピュ", u"ピョ", u"フ", u"ファ", u"フィ",
    /* 129 */ u"フェ", u"フォ", u"フュ", u"フョ", u"ブ", u"", u"プ", u"ヘ", u"ベ", u"ペ",
    /* 139 */ u"ホ", u"ボ", u"ポ", u"マ", u"ミ", u"ミャ", u"ミュ", u"ミョ", u"ム", u"メ",
    /* 149 */ u"モ", u"ヤ", u"ユ", u"ヨ", u"ラ", u"リ", u"リャ", u"リュ", u"リョ", u"ル",
    /* 159 */ u"レ", u"ロ", u"ワ", u"ヲ", u"ン", u"ヴ", u"ヴァ", u"ヴィ", u"ヴェ", u"ヴォ",
    /* 169 */ u"ヴュ", u"ヴョ",
};
static_assert(std::size(kKatakanaRows) == CodeRow::LastSyllable - CodeRow::FirstSyllable + 1);

// Digits share the cells of the vowel row and the ラ row; letters a..j share
// the digits' rows.
constexpr int kDigitRows[10] = {160, 19, 20, 22, 158, 153, 26, 159, 154, 27};
constexpr int kLetterRows[27] = {0,   19,  20,  22,  158, 153, 26, 159, 154, 27,  160, 102, 103, 108,
                                 86,  74,  109, 92,  76,  110, 98, 111, 114, 72,  126, 147, 142};

QString fromChar16(const char16_t *s)
{
    return QString::fromUtf16(s);
}

template <std::size_t N> void fill(std::array<QString, N> &table, const char16_t *const (&keys)[N - 1])
{
    for (std::size_t i = 1; i < N; ++i)
        table[i] = fromChar16(keys[i - 1]);
}

} // namespace

int digitCodeRow(int d)
{
    return kDigitRows[d];
}

int letterCodeRow(int k)
{
    return kLetterRows[k];
}

void BuildTables(CodeTable &code, KeyTables &keys)
{
    for (int d = 0; d <= 9; ++d)
        keys.DigitChars[d] = QChar(u'０' + d);

    code.CodeKeys[CodeRow::Comma] = QStringLiteral("，");

    for (int d = 0; d <= 9; ++d)
        keys.DigitPatterns[d] = code.CodePatterns[digitCodeRow(d)];

    fill(keys.SmallHiragana, {u"ぇ", u"ぃ", u"ぉ", u"ゃ", u"ゅ", u"ょ", u"ぁ", u"ぅ"});
    fill(keys.SmallKatakana, {u"ェ", u"ィ", u"ォ", u"ャ", u"ュ", u"ョ", u"ァ", u"ゥ"});
    fill(keys.VoicedHiragana,
         {u"が", u"ぎ", u"ぐ", u"げ", u"ご", u"ざ", u"じ", u"ず", u"ぜ", u"ぞ", u"だ", u"ぢ", u"づ",
          u"で", u"ど", u"ば", u"び", u"ぶ", u"べ", u"ぼ", u"ヴ", u"ぱ", u"ぴ", u"ぷ", u"ぺ", u"ぽ"});
    fill(keys.VoicedKatakana,
         {u"ガ", u"ギ", u"グ", u"ゲ", u"ゴ", u"ザ", u"ジ", u"ズ", u"ゼ", u"ゾ", u"ダ", u"ヂ", u"ヅ",
          u"デ", u"ド", u"バ", u"ビ", u"ブ", u"ベ", u"ボ", u"ヴ", u"パ", u"ピ", u"プ", u"ペ", u"ポ"});
    for (int k = 1; k <= 26; ++k) {
        keys.LowerLetters[k] = QChar(u'ａ' + k - 1);
        keys.UpperLetters[k] = QChar(u'Ａ' + k - 1);
    }

    for (int k = 1; k <= 26; ++k)
        keys.LetterPatterns[k] = code.CodePatterns[letterCodeRow(k)];

    for (int row = CodeRow::FirstSyllable; row <= CodeRow::LastSyllable; ++row)
        keys.KatakanaKeys[row] = fromChar16(kKatakanaRows[row - CodeRow::FirstSyllable]);
    keys.KatakanaKeys[CodeRow::Connector].clear();
}
