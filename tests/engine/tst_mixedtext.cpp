#include "engine/translation.h"
#include "tables/codetableloader.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

// Mixed text through the shipped code table, one table per rule. Expected
// braille is worked out by hand: the whole line, blank cells as ⠀, no blanks
// at the end.
//
// Cells used below, beside the kana: ⠼ numeral sign, ⠂ decimal point, ⠄
// digit-group point, ⠲ period, ⠰ letter sign and 読点, ⠠ capital, ⠤
// connector and 「」, ⠦…⠴ 外国語引用符, ⠠⠦…⠠⠴ 情報処理用点字, ⠌ slash.
class TestMixedText : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void periodAndComma_data();
    void periodAndComma() { check(); }
    void capitals_data();
    void capitals() { check(); }
    void foreignQuotes_data();
    void foreignQuotes() { check(); }
    void computerBraille_data();
    void computerBraille() { check(); }
    void numbers_data();
    void numbers() { check(); }
    void signs_data();
    void signs() { check(); }
    void punctuation_data();
    void punctuation() { check(); }
    void misreadingsNeverAppear_data();
    void misreadingsNeverAppear();
    void contractedEnglish_data();
    void contractedEnglish();
    void noCharacterIsDropped_data();
    void noCharacterIsDropped();
    void textRowStaysOverItsCells();

private:
    static void columns();
    QString braille(const QString &line, EnglishGrade grade = EnglishGrade::Uncontracted,
                    QStringList *without = nullptr);
    void check();
    CodeTable table_;
};

void TestMixedText::initTestCase()
{
    const CodeTableLoad load = loadCodeTable(QStringLiteral(MIRABO_BUILD_DATA_DIR "/gaiji.txt"));
    QVERIFY2(load.ok, qPrintable(load.file.detail));
    table_ = load.table;
}

QString TestMixedText::braille(const QString &line, EnglishGrade grade, QStringList *without)
{
    LineTranslator translator(table_);
    translator.setEnglishGrade(grade);
    TranslatedLine row;
    translator.translate(line, row);
    QString cells;
    translator.appendWholeBraille(cells);
    if (without)
        *without = translator.charactersWithoutBraille();
    return cells;
}

void TestMixedText::columns()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expected");
}

void TestMixedText::check()
{
    QFETCH(QString, line);
    QFETCH(QString, expected);
    QCOMPARE(braille(line), expected);
}

void TestMixedText::periodAndComma_data()
{
    columns();
    QTest::newRow("decimal point between digits") << "３．１４" << "⠼⠉⠂⠁⠙";
    QTest::newRow("句点 after kana, line end") << "ソウ．" << "⠺⠉⠲";
    QTest::newRow("句点 after kana, two blanks") << "ソウ．ハイ" << "⠺⠉⠲⠀⠀⠥⠃";
    QTest::newRow("half-width period after kana") << "ア." << "⠁⠲";
    QTest::newRow("abbreviation, number after a blank") << "ｎｏ．７" << "⠰⠝⠕⠲⠀⠼⠛";
    QTest::newRow("number after a period ends") << "３．" << "⠼⠉⠲";
    QTest::newRow("digit-group point") << "１，０００" << "⠼⠁⠄⠚⠚⠚";
    QTest::newRow("not three digits: 読点") << "１，２" << "⠼⠁⠰⠀⠼⠃";
    QTest::newRow("four digits: 読点") << "１，２３４５" << "⠼⠁⠰⠀⠼⠃⠉⠙⠑";
    QTest::newRow("English comma between letters") << "ａ，ｂ" << "⠰⠁⠂⠃";
    QTest::newRow("読点 after kana") << "ネ，ア" << "⠏⠰⠀⠁";
}

void TestMixedText::capitals_data()
{
    columns();
    QTest::newRow("capital inside a word") << "ｅＢａｙ" << "⠰⠑⠠⠃⠁⠽";
    QTest::newRow("capitals to the end") << "ｍＲＮＡ" << "⠰⠍⠠⠠⠗⠝⠁";
    QTest::newRow("capitals not to the end") << "ＵＳＡｓ" << "⠰⠠⠥⠠⠎⠠⠁⠎";
    QTest::newRow("all capitals") << "ＪＲ" << "⠰⠠⠠⠚⠗";
    QTest::newRow("one capital") << "Ｋｙｏｔｏ" << "⠰⠠⠅⠽⠕⠞⠕";
    QTest::newRow("slash between abbreviations") << "ＡＣ／ＤＣ" << "⠰⠠⠠⠁⠉⠌⠠⠠⠙⠉";
}

void TestMixedText::foreignQuotes_data()
{
    columns();
    QTest::newRow("sentence") << "Ｉ　ａｍ　ａ　ｂｏｙ．" << "⠦⠠⠊⠀⠁⠍⠀⠁⠀⠃⠕⠽⠲⠴";
    QTest::newRow("capital words") << "ＮＥＷ　ＹＯＲＫ" << "⠦⠠⠠⠝⠑⠺⠀⠠⠠⠽⠕⠗⠅⠴";
    QTest::newRow("apostrophe") << "ｃａｎ’ｔ" << "⠦⠉⠁⠝⠄⠞⠴";
    QTest::newRow("blank before a particle") << "Ｈｉ，　Ｊｏｅ！と" << "⠦⠠⠓⠊⠂⠀⠠⠚⠕⠑⠖⠴⠀⠞";
    QTest::newRow("number, letter after it") << "Ｒｏｏｍ　１０ｂ" << "⠦⠠⠗⠕⠕⠍⠀⠼⠁⠚⠰⠃⠴";
    QTest::newRow("half-width") << "Thank you" << "⠦⠠⠞⠓⠁⠝⠅⠀⠽⠕⠥⠴";
    QTest::newRow("one word keeps the letter sign") << "ＣＤ" << "⠰⠠⠠⠉⠙";
    QTest::newRow("one word with a number") << "ｖ２" << "⠰⠧⠼⠃";
}

void TestMixedText::computerBraille_data()
{
    columns();
    QTest::newRow("URL") << "ｈｔｔｐｓ：／／ｅｘａｍｐｌｅ．ｏｒｇ" << "⠠⠦⠓⠞⠞⠏⠎⠐⠂⠌⠌⠑⠭⠁⠍⠏⠇⠑⠲⠕⠗⠛⠠⠴";
    QTest::newRow("www, blank before kana") << "ｗｗｗ．ｔｅｓｔ．ｊｐにアクセス" << "⠠⠦⠺⠺⠺⠲⠞⠑⠎⠞⠲⠚⠏⠠⠴⠀⠇⠁⠩⠻⠹";
    QTest::newRow("blank after kana") << "ハwww.a.jp" << "⠥⠀⠠⠦⠺⠺⠺⠲⠁⠲⠚⠏⠠⠴";
    QTest::newRow("mail, underscore") << "taro_y@mail.jp" << "⠠⠦⠞⠁⠗⠕⠸⠽⠪⠍⠁⠊⠇⠲⠚⠏⠠⠴";
    QTest::newRow("number over its points") << "http://192.168.0.1/" << "⠠⠦⠓⠞⠞⠏⠐⠂⠌⠌⠼⠁⠊⠃⠲⠁⠋⠓⠲⠚⠲⠁⠌⠠⠴";
    QTest::newRow("a..j after a number") << "v2a@x.jp" << "⠠⠦⠧⠼⠃⠰⠁⠪⠭⠲⠚⠏⠠⠴";
    QTest::newRow("capital") << "Ann@x.jp" << "⠠⠦⠠⠁⠝⠝⠪⠭⠲⠚⠏⠠⠴";
    QTest::newRow("path") << "／ｕｓｒ／ｂｉｎ" << "⠠⠦⠌⠥⠎⠗⠌⠃⠊⠝⠠⠴";
    QTest::newRow("sentence's period stays outside") << "ア　www.a.jp。" << "⠁⠀⠠⠦⠺⠺⠺⠲⠁⠲⠚⠏⠠⠴⠲";
    QTest::newRow("typed marks kept, not doubled") << "⠠⠦ａ＠ｂ．ｃ⠠⠴" << "⠠⠦⠁⠪⠃⠲⠉⠠⠴";
}

void TestMixedText::numbers_data()
{
    columns();
    QTest::newRow("typed numeral sign") << "⠼１２" << "⠼⠁⠃";
    QTest::newRow("中点 between numbers") << "１・２・３" << "⠼⠁⠼⠃⠼⠉";
    QTest::newRow("中点 between kana stays") << "ア・イ" << "⠁⠐⠀⠃";
    QTest::newRow("ワ with three digit-like kana") << "１ワリアイ" << "⠼⠁⠤⠄⠓⠁⠃";
    QTest::newRow("ワ then one of them") << "３ワリ" << "⠼⠉⠄⠓";
    QTest::newRow("ワ then other kana") << "３ワカメ" << "⠼⠉⠄⠡⠿";
    QTest::newRow("slash between numbers") << "１／３" << "⠼⠁⠌⠼⠉";
    QTest::newRow("year's apostrophe") << "’０５ネン" << "⠼⠄⠚⠑⠏⠴";
    QTest::newRow("closing quote is not a year") << "“ア’" << "⠐⠶⠁⠶⠂";
    QTest::newRow("range stays") << "１０～２０" << "⠼⠁⠚⠤⠤⠼⠃⠚";
}

void TestMixedText::signs_data()
{
    columns();
    QTest::newRow("ヵ as カ") << "イッヵショ" << "⠃⠂⠡⠈⠺";
    QTest::newRow("ゝ repeats") << "すゝむ" << "⠹⠹⠽";
    QTest::newRow("ゞ repeats voiced") << "いすゞ" << "⠃⠹⠐⠹";
    QTest::newRow("ヽ after katakana") << "ハヽ" << "⠥⠥";
    QTest::newRow("spacing voiced mark") << "か゛き" << "⠐⠡⠣";
    QTest::newRow("spacing semi-voiced mark") << "ほ゜" << "⠠⠮";
    QTest::newRow("〜 after kana") << "ね〜" << "⠏⠒";
    QTest::newRow("roman capitals") << "Ⅻ" << "⠰⠠⠠⠭⠊⠊";
    QTest::newRow("one roman capital") << "Ⅰ" << "⠰⠠⠊";
    QTest::newRow("roman small") << "ⅲ" << "⠰⠊⠊⠊";
    QTest::newRow("roman, connector before kana") << "Ⅱガタ" << "⠰⠠⠠⠊⠊⠤⠐⠡⠕";
    QTest::newRow("formula") << "３＋５＝８" << "⠼⠉⠢⠼⠑⠀⠒⠒⠀⠼⠓";
    QTest::newRow("minus") << "－５" << "⠔⠼⠑";
    QTest::newRow("hyphen stays") << "３－５" << "⠼⠉⠤⠼⠑";
}

void TestMixedText::punctuation_data()
{
    columns();
    QTest::newRow("？ blank typed") << "ホント？　ウン" << "⠮⠴⠞⠢⠀⠀⠉⠴";
    QTest::newRow("？ next sentence") << "ホント？ウン" << "⠮⠴⠞⠢⠀⠀⠉⠴";
    QTest::newRow("？ inside a sentence") << "ナニ？と　キイタ" << "⠅⠇⠢⠀⠞⠀⠣⠃⠕";
    QTest::newRow("？ before a closing bracket") << "「ホント？」" << "⠤⠮⠴⠞⠢⠤";
    QTest::newRow("！ blank typed") << "ア！　イ" << "⠁⠖⠀⠀⠃";
    QTest::newRow("… between words") << "エ…ナニ" << "⠋⠀⠂⠂⠂⠀⠅⠇";
    QTest::newRow("‥ before punctuation") << "エ‥。" << "⠋⠀⠂⠂⠂⠲";
    QTest::newRow("・・・ before a closing bracket") << "「エ・・・」" << "⠤⠋⠀⠂⠂⠂⠤";
    QTest::newRow("half-width ...") << "ア...イ" << "⠁⠀⠂⠂⠂⠀⠃";
    QTest::newRow("quotations side by side") << "「ア」「イ」" << "⠤⠁⠤⠀⠤⠃⠤";
    QTest::newRow("parentheses side by side") << "（ア）（イ）" << "⠶⠁⠶⠀⠶⠃⠶";
    QTest::newRow("nested 「」 takes 『』") << "「ア「イ」ウ」" << "⠤⠁⠰⠤⠃⠤⠆⠉⠤";
    QTest::newRow("nested （） takes the double form") << "（ア（イ）ウ）" << "⠶⠁⠰⠶⠃⠶⠆⠉⠶";
    QTest::newRow("（） after （） is not nested") << "（ア）イ（ウ）" << "⠶⠁⠶⠃⠶⠉⠶";
}

void TestMixedText::misreadingsNeverAppear_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("misreading");
    QTest::newRow("ハイッ") << "ハイ．" << "⠥⠃⠂";
    QTest::newRow("アワイ") << "ア，イ" << "⠁⠄⠃";
    QTest::newRow("⠼⠼") << "⠼３" << "⠼⠼";
    QTest::newRow("⠤⠤ between quotations") << "「ア」「イ」" << "⠤⠤";
    QTest::newRow("ウンッッッ") << "ウン...ソウ" << "⠴⠂";
    QTest::newRow("decimal after letters") << "ｐ．２" << "⠏⠂";
    QTest::newRow("two letter signs in a word") << "ｉＰｏｄ" << "⠰⠊⠰";
    QTest::newRow("8,816") << "８ワリアル" << "⠓⠄";
    QTest::newRow("range for a long vowel") << "ア〜" << "⠤⠤";
}

void TestMixedText::misreadingsNeverAppear()
{
    QFETCH(QString, line);
    QFETCH(QString, misreading);
    const QString cells = braille(line);
    QVERIFY2(!cells.isEmpty() && !cells.contains(misreading), qPrintable(cells));
}

void TestMixedText::contractedEnglish_data()
{
    columns();
    // UEB grade 2: "in" ⠔ and "the" ⠮ as words, "and" ⠯.
    QTest::newRow("word signs") << "ｉｎ　ｔｈｅ　ｒｏｏｍ" << "⠦⠔⠀⠮⠀⠗⠕⠕⠍⠴";
    QTest::newRow("and") << "ｙｏｕ　ａｎｄ　ｍｅ" << "⠦⠽⠀⠯⠀⠍⠑⠴";
    QTest::newRow("one word keeps the letter sign") << "ｔｈｅ" << "⠰⠞⠓⠑";
}

void TestMixedText::contractedEnglish()
{
    QFETCH(QString, line);
    QFETCH(QString, expected);
    QCOMPARE(braille(line, EnglishGrade::Contracted), expected);
}

void TestMixedText::noCharacterIsDropped_data()
{
    columns();
    for (const QChar mark : u"☆★○●◎□■△▲▽▼◇◆×"_s)
        QTest::newRow(qPrintable(QString(mark))) << u"ア"_s + mark + u"イ"_s << QString();
}

// Every sign gets cells of its own, different from its neighbours', and is
// not listed as having no braille.
void TestMixedText::noCharacterIsDropped()
{
    QFETCH(QString, line);
    QStringList without;
    const QString cells = braille(line, EnglishGrade::Uncontracted, &without);
    QVERIFY2(without.isEmpty(), qPrintable(without.join(u' ')));
    QVERIFY(cells.startsWith(u"⠁") && cells.endsWith(u"⠃"));
    const QString mark = cells.mid(1, cells.size() - 2);
    QVERIFY2(!mark.isEmpty() && !mark.contains(QChar(0x2800)), qPrintable(cells));
    static QStringList seen;
    QVERIFY2(!seen.contains(mark), qPrintable(line));
    seen.append(mark);
}

// A span in its own code is one column: its text stands over its cells,
// with a blank over the opening marks, as over any prefix.
void TestMixedText::textRowStaysOverItsCells()
{
    for (const QString &line : {u"ア　www.a.jp　イ"_s, u"Ｇｏ　ｗｅｓｔ．"_s, u"ａ，ｂ"_s, u"Ⅳア"_s}) {
        LineTranslator translator(table_);
        TranslatedLine row;
        translator.translate(line, row);
        QCOMPARE(row.text.size(), row.braille.size());
        for (qsizetype k = 0; k < row.braille.size(); ++k) {
            if (row.braille[k] == u'⠦' || row.braille[k] == u'⠰')
                QVERIFY2(row.text[k] == u'　', qPrintable(row.text));
        }
    }
}

QTEST_APPLESS_MAIN(TestMixedText)
#include "tst_mixedtext.moc"
