#include "braillemeaningtable.h"

#include <algorithm>
#include <iterator>
#include <utility>

// The table in the look-up window's order: one-cell kana (1..48), voiced
// (49..68) and semi-voiced kana (69..73), contracted and special sounds
// (74..153), ＃ ％ ＆ (154..156), then punctuation and composition signs.
// Captions are shown character for character: half-width katakana and the
// leading, trailing and ideographic spaces are part of them.
// clang-format off
const std::array<BrailleMeaning, kBrailleMeaningCount> BrailleMeaningTable = {{
    /*   1 */ {"100000000000000000000000", u"あ", 30, u"a(A)", 30, u"1", 30},
    /*   2 */ {"110000000000000000000000", u"い", 30, u"b(B)", 30, u"2", 30},
    /*   3 */ {"100100000000000000000000", u"う", 30, u"c(C)", 30, u"3", 30},
    /*   4 */ {"110100000000000000000000", u"え", 30, u"f(F)", 30, u"6", 30},
    /*   5 */ {"010100000000000000000000", u"お", 30, u"i(I)", 30, u"9", 30},
    /*   6 */ {"100001000000000000000000", u"か", 30, u"乗号(×)", 18, nullptr, 0},
    /*   7 */ {"110001000000000000000000", u"き", 30, nullptr, 0, nullptr, 0},
    /*   8 */ {"100101000000000000000000", u"く", 30, nullptr, 0, nullptr, 0},
    /*   9 */ {"110101000000000000000000", u"け", 30, nullptr, 0, nullptr, 0},
    /*  10 */ {"010101000000000000000000", u"こ", 30, nullptr, 0, nullptr, 0},
    /*  11 */ {"100011000000000000000000", u"さ", 30, nullptr, 0, nullptr, 0},
    /*  12 */ {"110011000000000000000000", u"し", 30, nullptr, 0, nullptr, 0},
    /*  13 */ {"100111000000000000000000", u"す", 30, nullptr, 0, nullptr, 0},
    /*  14 */ {"110111000000000000000000", u"せ", 30, nullptr, 0, nullptr, 0},
    /*  15 */ {"010111000000000000000000", u"そ", 30, u"w(W)", 30, nullptr, 0},
    /*  16 */ {"101010000000000000000000", u"た", 30, u"o(O)", 30, nullptr, 0},
    /*  17 */ {"111010000000000000000000", u"ち", 30, u"r(R)", 30, nullptr, 0},
    /*  18 */ {"101110000000000000000000", u"つ", 30, u"n(N)", 30, nullptr, 0},
    /*  19 */ {"111110000000000000000000", u"て", 30, u"q(Q)", 30, nullptr, 0},
    /*  20 */ {"011110000000000000000000", u"と", 30, u"t(T)", 30, nullptr, 0},
    /*  21 */ {"101000000000000000000000", u"な", 30, u"k(K)", 30, nullptr, 0},
    /*  22 */ {"111000000000000000000000", u"に", 30, u"l(L)", 30, nullptr, 0},
    /*  23 */ {"101100000000000000000000", u"ぬ", 30, u"m(M)", 30, nullptr, 0},
    /*  24 */ {"111100000000000000000000", u"ね", 30, u"p(P)", 30, nullptr, 0},
    /*  25 */ {"011100000000000000000000", u"の", 30, u"s(S)", 30, nullptr, 0},
    /*  26 */ {"101001000000000000000000", u"は", 30, u"u(U)", 30, nullptr, 0},
    /*  27 */ {"111001000000000000000000", u"ひ", 30, u"v(V)", 30, nullptr, 0},
    /*  28 */ {"101101000000000000000000", u"ふ", 30, u"x(X)", 30, nullptr, 0},
    /*  29 */ {"111101000000000000000000", u"へ", 30, nullptr, 0, nullptr, 0},
    /*  30 */ {"011101000000000000000000", u"ほ", 30, nullptr, 0, nullptr, 0},
    /*  31 */ {"101011000000000000000000", u"ま", 30, u"z(Z)", 30, nullptr, 0},
    /*  32 */ {"111011000000000000000000", u"み", 30, nullptr, 0, nullptr, 0},
    /*  33 */ {"101111000000000000000000", u"む", 30, u"y(Y)", 30, nullptr, 0},
    /*  34 */ {"111111000000000000000000", u"め", 30, nullptr, 0, nullptr, 0},
    /*  35 */ {"011111000000000000000000", u"も", 30, nullptr, 0, nullptr, 0},
    /*  36 */ {"001100000000000000000000", u"や", 30, u"英文で斜線(/)      ", 18, u"分数線", 18},
    /*  37 */ {"001101000000000000000000", u"ゆ", 30, nullptr, 0, nullptr, 0},
    /*  38 */ {"001110000000000000000000", u"よ", 30, nullptr, 0, nullptr, 0},
    /*  39 */ {"100010000000000000000000", u"ら", 30, u"e(E)", 30, u"5", 30},
    /*  40 */ {"110010000000000000000000", u"り", 30, u"h(H)", 30, u"8", 30},
    /*  41 */ {"100110000000000000000000", u"る", 30, u"d(D)", 30, u"4", 30},
    /*  42 */ {"110110000000000000000000", u"れ", 30, u"g(G)", 30, u"7", 30},
    /*  43 */ {"010110000000000000000000", u"ろ", 30, u"j(J)", 30, u"0", 30},
    /*  44 */ {"001000000000000000000000", u"わ", 30, u"位取り点", 17, u"ｱﾎﾟｽﾄﾛ ﾌｨ  (')   ", 17},
    /*  45 */ {"011000000000000000000000", u"ゐ", 30, u"英文で(;)", 17, nullptr, 0},
    /*  46 */ {"011010000000000000000000", u"ゑ", 30, u"感嘆符(！)", 18, nullptr, 0},
    /*  47 */ {"001010000000000000000000", u"を", 30, u"減号(－)", 18, nullptr, 0},
    /*  48 */ {"001011000000000000000000", u"ん", 30, u"ｸｫｰﾃｰｼｮﾝ ﾏｰｸ閉じ(\")", 15, u"外国語引用符 閉じ", 16},
    /*  49 */ {"000010100001000000000000", u"が", 30, nullptr, 0, nullptr, 0},
    /*  50 */ {"000010110001000000000000", u"ぎ", 30, nullptr, 0, nullptr, 0},
    /*  51 */ {"000010100101000000000000", u"ぐ", 30, nullptr, 0, nullptr, 0},
    /*  52 */ {"000010110101000000000000", u"げ", 30, nullptr, 0, nullptr, 0},
    /*  53 */ {"000010010101000000000000", u"ご", 30, nullptr, 0, nullptr, 0},
    /*  54 */ {"000010100011000000000000", u"ざ", 30, nullptr, 0, nullptr, 0},
    /*  55 */ {"000010110011000000000000", u"じ", 30, nullptr, 0, nullptr, 0},
    /*  56 */ {"000010100111000000000000", u"ず", 30, nullptr, 0, nullptr, 0},
    /*  57 */ {"000010110111000000000000", u"ぜ", 30, nullptr, 0, nullptr, 0},
    /*  58 */ {"000010010111000000000000", u"ぞ", 30, nullptr, 0, nullptr, 0},
    /*  59 */ {"000010101010000000000000", u"だ", 30, nullptr, 0, nullptr, 0},
    /*  60 */ {"000010111010000000000000", u"ぢ", 30, nullptr, 0, nullptr, 0},
    /*  61 */ {"000010101110000000000000", u"づ", 30, nullptr, 0, nullptr, 0},
    /*  62 */ {"000010111110000000000000", u"で", 30, nullptr, 0, nullptr, 0},
    /*  63 */ {"000010011110000000000000", u"ど", 30, nullptr, 0, nullptr, 0},
    /*  64 */ {"000010101001000000000000", u"ば", 30, nullptr, 0, nullptr, 0},
    /*  65 */ {"000010111001000000000000", u"び", 30, nullptr, 0, nullptr, 0},
    /*  66 */ {"000010101101000000000000", u"ぶ", 30, nullptr, 0, nullptr, 0},
    /*  67 */ {"000010111101000000000000", u"べ", 30, nullptr, 0, nullptr, 0},
    /*  68 */ {"000010011101000000000000", u"ぼ", 30, nullptr, 0, nullptr, 0},
    /*  69 */ {"000001101001000000000000", u"ぱ", 30, nullptr, 0, nullptr, 0},
    /*  70 */ {"000001111001000000000000", u"ぴ", 30, nullptr, 0, nullptr, 0},
    /*  71 */ {"000001101101000000000000", u"ぷ", 30, nullptr, 0, nullptr, 0},
    /*  72 */ {"000001111101000000000000", u"ぺ", 30, nullptr, 0, nullptr, 0},
    /*  73 */ {"000001011101000000000000", u"ぽ", 30, nullptr, 0, nullptr, 0},
    /*  74 */ {"000100110100000000000000", u"いぇ", 30, nullptr, 0, nullptr, 0},
    /*  75 */ {"010001110000000000000000", u"うぃ", 30, nullptr, 0, nullptr, 0},
    // うぇ is dots 2-6 followed by え (1-2-4), like its neighbours うぃ and
    // うぉ; a second cell of せ (1-2-4-5-6) would teach a sign that is not うぇ.
    /*  76 */ {"010001110100000000000000", u"うぇ", 30, nullptr, 0, nullptr, 0},
    /*  77 */ {"010001010100000000000000", u"うぉ", 30, nullptr, 0, nullptr, 0},
    /*  78 */ {"000100110101000000000000", u"きぇ", 30, nullptr, 0, nullptr, 0},
    /*  79 */ {"000100100001000000000000", u"きゃ", 30, nullptr, 0, nullptr, 0},
    /*  80 */ {"000100100101000000000000", u"きゅ", 30, nullptr, 0, nullptr, 0},
    /*  81 */ {"000100010101000000000000", u"きょ", 30, nullptr, 0, nullptr, 0},
    /*  82 */ {"000110100001000000000000", u"ぎゃ", 30, nullptr, 0, nullptr, 0},
    /*  83 */ {"000110100101000000000000", u"ぎゅ", 30, nullptr, 0, nullptr, 0},
    /*  84 */ {"000110010101000000000000", u"ぎょ", 30, nullptr, 0, nullptr, 0},
    /*  85 */ {"010001100001000000000000", u"くぁ", 30, nullptr, 0, nullptr, 0},
    /*  86 */ {"010001110001000000000000", u"くぃ", 30, nullptr, 0, nullptr, 0},
    /*  87 */ {"010001110101000000000000", u"くぇ", 30, nullptr, 0, nullptr, 0},
    /*  88 */ {"010001010101000000000000", u"くぉ", 30, nullptr, 0, nullptr, 0},
    /*  89 */ {"010011100001000000000000", u"ぐぁ", 30, nullptr, 0, nullptr, 0},
    /*  90 */ {"010011110001000000000000", u"ぐぃ", 30, nullptr, 0, nullptr, 0},
    /*  91 */ {"010011110101000000000000", u"ぐぇ", 30, nullptr, 0, nullptr, 0},
    /*  92 */ {"010011010101000000000000", u"ぐぉ", 30, nullptr, 0, nullptr, 0},
    /*  93 */ {"000100110111000000000000", u"しぇ", 30, nullptr, 0, nullptr, 0},
    /*  94 */ {"000100100011000000000000", u"しゃ", 30, nullptr, 0, nullptr, 0},
    /*  95 */ {"000100100111000000000000", u"しゅ", 30, nullptr, 0, nullptr, 0},
    /*  96 */ {"000100010111000000000000", u"しょ", 30, nullptr, 0, nullptr, 0},
    /*  97 */ {"000110110111000000000000", u"じぇ", 30, nullptr, 0, nullptr, 0},
    /*  98 */ {"000110100011000000000000", u"じゃ", 30, nullptr, 0, nullptr, 0},
    /*  99 */ {"000110100111000000000000", u"じゅ", 30, nullptr, 0, nullptr, 0},
    /* 100 */ {"000110010111000000000000", u"じょ", 30, nullptr, 0, nullptr, 0},
    /* 101 */ {"000100110011000000000000", u"すぃ", 30, nullptr, 0, nullptr, 0},
    /* 102 */ {"000110110011000000000000", u"ずぃ", 30, nullptr, 0, nullptr, 0},
    /* 103 */ {"000100111110000000000000", u"ちぇ", 30, nullptr, 0, nullptr, 0},
    /* 104 */ {"000100101010000000000000", u"ちゃ", 30, nullptr, 0, nullptr, 0},
    /* 105 */ {"000100101110000000000000", u"ちゅ", 30, nullptr, 0, nullptr, 0},
    /* 106 */ {"000100011110000000000000", u"ちょ", 30, nullptr, 0, nullptr, 0},
    /* 107 */ {"000110101010000000000000", u"ぢゃ", 30, nullptr, 0, nullptr, 0},
    /* 108 */ {"000110101110000000000000", u"ぢゅ", 30, nullptr, 0, nullptr, 0},
    /* 109 */ {"000110011110000000000000", u"ぢょ", 30, nullptr, 0, nullptr, 0},
    /* 110 */ {"010000000000000000000000", u"促音(っ)", 18, u"小数点", 18, u"英文で(,)", 18},
    /* 111 */ {"010001101010000000000000", u"つぁ", 30, nullptr, 0, nullptr, 0},
    /* 112 */ {"010001111010000000000000", u"つぃ", 30, nullptr, 0, nullptr, 0},
    /* 113 */ {"010001111110000000000000", u"つぇ", 30, nullptr, 0, nullptr, 0},
    /* 114 */ {"010001011110000000000000", u"つぉ", 30, nullptr, 0, nullptr, 0},
    /* 115 */ {"000100111010000000000000", u"てぃ", 30, nullptr, 0, nullptr, 0},
    /* 116 */ {"000101101110000000000000", u"てゅ", 30, nullptr, 0, nullptr, 0},
    /* 117 */ {"000110111010000000000000", u"でぃ", 30, nullptr, 0, nullptr, 0},
    /* 118 */ {"000111101110000000000000", u"でゅ", 30, nullptr, 0, nullptr, 0},
    /* 119 */ {"010001101110000000000000", u"とぅ", 30, nullptr, 0, nullptr, 0},
    /* 120 */ {"010011101110000000000000", u"どぅ", 30, nullptr, 0, nullptr, 0},
    /* 121 */ {"000100111100000000000000", u"にぇ", 30, nullptr, 0, nullptr, 0},
    /* 122 */ {"000100101000000000000000", u"にゃ", 30, nullptr, 0, nullptr, 0},
    /* 123 */ {"000100101100000000000000", u"にゅ", 30, nullptr, 0, nullptr, 0},
    /* 124 */ {"000100011100000000000000", u"にょ", 30, nullptr, 0, nullptr, 0},
    /* 125 */ {"000100111101000000000000", u"ひぇ", 30, nullptr, 0, nullptr, 0},
    /* 126 */ {"000100101001000000000000", u"ひゃ", 30, nullptr, 0, nullptr, 0},
    /* 127 */ {"000100101101000000000000", u"ひゅ", 30, nullptr, 0, nullptr, 0},
    /* 128 */ {"000100011101000000000000", u"ひょ", 30, nullptr, 0, nullptr, 0},
    /* 129 */ {"000110101001000000000000", u"びゃ", 30, nullptr, 0, nullptr, 0},
    /* 130 */ {"000110101101000000000000", u"びゅ", 30, nullptr, 0, nullptr, 0},
    /* 131 */ {"000110011101000000000000", u"びょ", 30, nullptr, 0, nullptr, 0},
    /* 132 */ {"000101101001000000000000", u"ぴゃ", 30, nullptr, 0, nullptr, 0},
    /* 133 */ {"000101101101000000000000", u"ぴゅ", 30, nullptr, 0, nullptr, 0},
    /* 134 */ {"000101011101000000000000", u"ぴょ", 30, nullptr, 0, nullptr, 0},
    /* 135 */ {"010001101001000000000000", u"ふぁ", 30, nullptr, 0, nullptr, 0},
    /* 136 */ {"010001111001000000000000", u"ふぃ", 30, nullptr, 0, nullptr, 0},
    /* 137 */ {"010001111101000000000000", u"ふぇ", 30, nullptr, 0, nullptr, 0},
    /* 138 */ {"010001011101000000000000", u"ふぉ", 30, nullptr, 0, nullptr, 0},
    /* 139 */ {"000101001101000000000000", u"ふゅ", 30, nullptr, 0, nullptr, 0},
    /* 140 */ {"000101001110000000000000", u"ふょ", 30, nullptr, 0, nullptr, 0},
    /* 141 */ {"000100101011000000000000", u"みゃ", 30, nullptr, 0, nullptr, 0},
    /* 142 */ {"000100101111000000000000", u"みゅ", 30, nullptr, 0, nullptr, 0},
    /* 143 */ {"000100011111000000000000", u"みょ", 30, nullptr, 0, nullptr, 0},
    /* 144 */ {"000100100010000000000000", u"りゃ", 30, nullptr, 0, nullptr, 0},
    /* 145 */ {"000100100110000000000000", u"りゅ", 30, nullptr, 0, nullptr, 0},
    /* 146 */ {"000100010110000000000000", u"りょ", 30, nullptr, 0, nullptr, 0},
    /* 147 */ {"000010100100000000000000", u"ヴ", 30, nullptr, 0, nullptr, 0},
    /* 148 */ {"010011101001000000000000", u"ヴぁ", 30, nullptr, 0, nullptr, 0},
    /* 149 */ {"010011111001000000000000", u"ヴぃ", 30, nullptr, 0, nullptr, 0},
    /* 150 */ {"010011111101000000000000", u"ヴぇ", 30, nullptr, 0, nullptr, 0},
    /* 151 */ {"010011011101000000000000", u"ヴぉ", 30, nullptr, 0, nullptr, 0},
    /* 152 */ {"000111001101000000000000", u"ヴゅ", 30, nullptr, 0, nullptr, 0},
    /* 153 */ {"000111001110000000000000", u"ヴょ", 30, nullptr, 0, nullptr, 0},
    /* 154 */ {"000011100101000000000000", u"＃", 30, nullptr, 0, nullptr, 0},
    /* 155 */ {"000011111100000000000000", u"％", 30, nullptr, 0, nullptr, 0},
    /* 156 */ {"000011111101000000000000", u"＆", 30, nullptr, 0, nullptr, 0},
    /* 157 */ {"010011000000000000000000", u" 句  点 （。）", 19, u"ピリオド （．）", 19, nullptr, 0},
    /* 158 */ {"010001000000000000000000", u"疑問符(?)", 17, u"加号(＋)", 18, nullptr, 0},
    /* 159 */ {"000010000000000000000000", u" 中  点 （・）", 19, nullptr, 0, nullptr, 0},
    /* 160 */ {"000011000000000000000000", u" 読　点 （、）", 19, u"外字符", 20, u"ﾚﾀｰｻｲﾝ", 17},
    /* 161 */ {"000001000000000000000000", u"大文字符", 16, nullptr, 0, nullptr, 0},
    /* 162 */ {"000001000001000000000000", u"二重大文字符", 16, nullptr, 0, nullptr, 0},
    /* 163 */ {"011001000000000000000000", u"英文で(?)", 18, u"ｸｫｰﾃｰｼｮﾝ ﾏｰｸ始め\"", 15, u"外国語引用符 始め", 16},
    /* 164 */ {"001111000000000000000000", u"数符", 25, nullptr, 0, nullptr, 0},
    // Spelt 長音符 (long-vowel mark); the look-alike 長音府 is a misspelling.
    /* 165 */ {"010010000000000000000000", u"長音符 （ー）", 18, u"英 文 で（：）", 18, nullptr, 0},
    /* 166 */ {"010010010010000000000000", u"  棒線   （―）", 18, u"等号(＝)", 18, nullptr, 0},
    /* 167 */ {"010000010000010000000000", u"  点線   （…）", 18, nullptr, 0, nullptr, 0},
    /* 168 */ {"001001001001000000000000", u"  波線   （～）", 18, u"英文でﾀﾞｯｼｭ(―)", 16, nullptr, 0},
    /* 169 */ {"010010010010101010000000", u"右向き矢印(→)", 18, nullptr, 0, nullptr, 0},
    /* 170 */ {"010101010010010010000000", u"左向き矢印(←)", 18, nullptr, 0, nullptr, 0},
    /* 171 */ {"010101010010010010101010", u"両向き矢印(⇔)", 18, nullptr, 0, nullptr, 0},
    /* 172 */ {"001001000000000000000000", u"英文でﾊｲﾌﾝ(-)", 18, u"第１つなぎ符　   ", 18, u"第１カギ 始め,閉じ", 16},
    /* 173 */ {"001001001001001001001001", u"英文でﾛﾝｸﾞﾀﾞｯｼｭ (―)", 13, nullptr, 0, nullptr, 0},
    /* 174 */ {"001000001000001000000000", u"英文で点線(…)", 18, nullptr, 0, nullptr, 0},
    /* 175 */ {"001010001010000000000000", u"英文で星印", 18, u"第１星印", 18, nullptr, 0},
    /* 176 */ {"000101000000000000000000", u"英文でｲﾀﾘｯｸ符", 18, u"英文で 小数点", 18, nullptr, 0},
    /* 177 */ {"000101000101000000000000", u"二重ｲﾀﾘｯｸ符", 18, nullptr, 0, nullptr, 0},
    /* 178 */ {"000100000000000000000000", u"英文でｱｸｾﾝﾄ符", 18, nullptr, 0, nullptr, 0},
    /* 179 */ {"011011000000000000000000", u"英文でｶｯｺ始め (", 16, u"英文でｶｯｺ閉じ )", 16, u"第１カッコ 始め,閉じ", 16},
    /* 180 */ {"000001011011000000000000", u"英文で角ｶｯｺ始め［", 16, nullptr, 0, nullptr, 0},
    /* 181 */ {"011011001000000000000000", u"英文で角ｶｯｺ閉じ ］", 16, nullptr, 0, nullptr, 0},
    /* 182 */ {"000001011001000000000000", u"ｲﾝﾅｰｸｫｰﾃｰ ｼｮﾝﾏｰｸ始め(')", 13, nullptr, 0, nullptr, 0},
    /* 183 */ {"001011001000000000000000", u"ｲﾝﾅｰｸｫｰﾃｰ ｼｮﾝﾏｰｸ閉じ(')", 13, nullptr, 0, nullptr, 0},
    /* 184 */ {"000011001000000000000000", u"第２カギ 始め", 18, nullptr, 0, nullptr, 0},
    /* 185 */ {"000001011000000000000000", u"第２カギ 閉じ ", 18, nullptr, 0, nullptr, 0},
    /* 186 */ {"000011001001000000000000", u"ふたえカギ  始め ", 18, nullptr, 0, nullptr, 0},
    /* 187 */ {"001001011000000000000000", u"ふたえカギ  閉じ ", 18, nullptr, 0, nullptr, 0},
    /* 188 */ {"000010011011000000000000", u"第2カッコ　始め ", 17, nullptr, 0, nullptr, 0},
    /* 189 */ {"011011010000000000000000", u"第2カッコ　閉じ ", 17, nullptr, 0, nullptr, 0},
    /* 190 */ {"000011011011000000000000", u"二重カッコ  始め ", 17, nullptr, 0, nullptr, 0},
    /* 191 */ {"011011011000000000000000", u"二重カッコ  閉じ ", 17, nullptr, 0, nullptr, 0},
    /* 192 */ {"000010001001000000000000", u"第１指示符　始め ", 17, nullptr, 0, nullptr, 0},
    /* 193 */ {"001001010000000000000000", u"第１指示符　閉じ ", 17, nullptr, 0, nullptr, 0},
    /* 194 */ {"000010001001001001000000", u"第２指示符　始め ", 17, nullptr, 0, nullptr, 0},
    /* 195 */ {"001001001001010000000000", u"第２指示符　閉じ ", 17, nullptr, 0, nullptr, 0},
    /* 196 */ {"000011001001001001000000", u"第３指示符　始め ", 17, nullptr, 0, nullptr, 0},
    /* 197 */ {"001001001001011000000000", u"第３指示符　閉じ ", 17, nullptr, 0, nullptr, 0},
    /* 198 */ {"011011011011000000000000", u"点訳者挿入符 始め", 16, u"点訳者挿入符 閉じ", 16, nullptr, 0},
    /* 199 */ {"000001001000000000000000", u"第２つなぎ符　　", 18, nullptr, 0, nullptr, 0},
    /* 200 */ {"000001001001000000000000", u"第１小見出し符　 ", 18, nullptr, 0, nullptr, 0},
    /* 201 */ {"000010010000000000000000", u"第２小見出し符　 ", 18, u"比(：)", 25, nullptr, 0},
    /* 202 */ {"010001010001000000000000", u"第２星印", 18, nullptr, 0, nullptr, 0},
    /* 203 */ {"000001010001000000000000", u"第３星印", 18, nullptr, 0, nullptr, 0},
    /* 204 */ {"000011011000000000000000", u"文中注記符   ", 18, nullptr, 0, nullptr, 0},
    /* 205 */ {"000111000000000000000000", u"詩行符", 18, nullptr, 0, nullptr, 0},
    /* 206 */ {"000111000111000000000000", u"二重詩行符   ", 18, nullptr, 0, nullptr, 0},
    /* 207 */ {"000111101101101101111000", u"空欄符号(□) ", 18, nullptr, 0, nullptr, 0},
    /* 208 */ {"000010101011000000000000", u"伏せ字の○　 ", 18, nullptr, 0, nullptr, 0},
    /* 209 */ {"000010111011000000000000", u"伏せ字の△　 ", 18, nullptr, 0, nullptr, 0},
    /* 210 */ {"000010101111000000000000", u"伏せ字の□　 ", 18, nullptr, 0, nullptr, 0},
    /* 211 */ {"000010111111000000000000", u"伏せ字の×　 ", 18, u"数字の伏せ字　　　", 18, nullptr, 0},
    /* 212 */ {"000010011111000000000000", u"その他の伏せ字　 ", 16, nullptr, 0, nullptr, 0},
    /* 213 */ {"000011100001000000000000", u"ｱｽﾀﾘｽｸ (*)", 18, nullptr, 0, nullptr, 0},
    /* 214 */ {"000110000000000000000000", u"小文字符　　　", 18, nullptr, 0, nullptr, 0},
    /* 215 */ {"001100001100000000000000", u"除号(÷)", 18, nullptr, 0, nullptr, 0},
}};
// clang-format on

const BrailleMeaning *findBrailleMeaning(QStringView pattern)
{
    for (const BrailleMeaning &entry : BrailleMeaningTable) {
        if (pattern == QLatin1StringView(entry.pattern))
            return &entry;
    }
    return nullptr;
}

namespace {

// Meanings after the table's own: a sign the table has gets them in its free
// captions; one it lacks gets an entry of them.
struct AddedMeaning
{
    const char *pattern;
    const char16_t *text;
};

constexpr int kAddedSize = 18;

// clang-format off
constexpr AddedMeaning kAddedMeanings[] = {
    // Prefixes written before the kana they change.
    {"000001000000000000000000", u"半濁音符(ぱ)"},
    {"000010000000000000000000", u"濁音符(が)"},
    {"000100000000000000000000", u"拗音符(きゃ)"},
    {"000110000000000000000000", u"拗濁音符(ぎゃ)"},
    {"000101000000000000000000", u"拗半濁音符(ぴゃ)"},
    {"010001000000000000000000", u"特殊音符(ふぁ)"},
    {"010011000000000000000000", u"特殊音の濁音符(ゔぁ)"},
    {"000111000000000000000000", u"特殊音符(でゅ)"},
    // Signs the translation writes that the table has no entry for.
    {"000011000001000000000000", u"外字符+大文字符"},
    {"000011000001000001000000", u"外字符+二重大文字符"},
    {"000011010101000000000000", u"ｱｯﾄﾏｰｸ(＠)"},
    {"001010001010000000000000", u"米印(※)"},
};
// clang-format on

constexpr char kNumeralSign[] = "001111";
// The digit cells 1..9, 0: the letters a..j.
constexpr const char *kDigitCells[] = {"100000", "110000", "100100", "100110", "100010",
                                       "110100", "110110", "110010", "010100", "010110"};

// ⠼ followed by one to three digits, as the number they write; empty for
// any other sign.
QString numberOf(QStringView pattern)
{
    if (pattern.size() != 24 || pattern.first(6) != QLatin1StringView(kNumeralSign))
        return QString();
    QString number;
    for (int cell = 1; cell < 4; ++cell) {
        const QStringView dots = pattern.sliced(6 * cell, 6);
        if (dots == QLatin1StringView("000000"))
            break;
        const auto digit = std::find_if(std::begin(kDigitCells), std::end(kDigitCells),
                                        [&](const char *cells) { return dots == QLatin1StringView(cells); });
        if (digit == std::end(kDigitCells))
            return QString();
        number += QChar(char16_t(u'０' + (digit - std::begin(kDigitCells) + 1) % 10));
    }
    // Cells after a blank one make no number.
    for (int cell = 1 + int(number.size()); cell < 4; ++cell) {
        if (pattern.sliced(6 * cell, 6) != QLatin1StringView("000000"))
            return QString();
    }
    return number;
}

// Puts text in the first free caption after Label1; true when there was one.
bool fillFreeCaption(BrailleLookUp &shown, const QString &text)
{
    for (auto [caption, size] : {std::pair{&shown.label2Text, &shown.label2Size},
                                 std::pair{&shown.label4Text, &shown.label4Size}}) {
        if (caption->isEmpty()) {
            *caption = text;
            *size = kAddedSize;
            return true;
        }
    }
    return false;
}

} // namespace

std::optional<BrailleLookUp> lookUpBrailleSign(QStringView pattern)
{
    BrailleLookUp shown;
    if (const BrailleMeaning *entry = findBrailleMeaning(pattern)) {
        shown.label1Text = QString::fromUtf16(entry->label1Text);
        shown.label1Size = entry->label1Size;
        if (entry->label2Text) {
            shown.label2Text = QString::fromUtf16(entry->label2Text);
            shown.label2Size = entry->label2Size;
        }
        if (entry->label4Text) {
            shown.label4Text = QString::fromUtf16(entry->label4Text);
            shown.label4Size = entry->label4Size;
        }
    }
    for (const AddedMeaning &added : kAddedMeanings) {
        if (pattern != QLatin1StringView(added.pattern))
            continue;
        const QString text = QString::fromUtf16(added.text);
        if (shown.label1Text.isEmpty()) {
            shown.label1Text = text;
            shown.label1Size = kAddedSize;
        } else {
            fillFreeCaption(shown, text);
        }
    }
    const QString number = numberOf(pattern);
    if (!number.isEmpty() && shown.label1Text.isEmpty()) {
        shown.label1Text = QStringLiteral("数字 %1").arg(number);
        shown.label1Size = kAddedSize;
    }
    if (shown.label1Text.isEmpty())
        return std::nullopt;
    return shown;
}
