#include "engine/translation.h"
#include "documents.h"
#include "platform/textcodec.h"
#include "tables/codetableloader.h"

#include <QTest>

// Real lines through the shipped code table. Every expected braille row is
// written out from the rules of Japanese braille: ⠼ numeral sign, ⠤ connector
// before a syllable of the ア or ラ row after a number and before kana after
// letters, ⠰⠠ a single capital,
// ⠰⠠⠠ a run of capitals, ⠰ a run that starts with a small letter, ⠈ ⠘ ⠨ in
// front of a contracted syllable, ⠐ voiced, ⠠ semi-voiced.
class TestShippedTranslation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void line_data();
    void line();
    void fullRowsOfAMixedLine();
    void cellsAloneAsTheFullRoute();
    void longLineInStretchesAsWhole_data();
    void longLineInStretchesAsWhole();
    void lineInPartsAsWhole_data();
    void lineInPartsAsWhole();
    void longLineStreams();

private:
    static QString trimmed(QString row);
    CodeTable table_;
};

QString TestShippedTranslation::trimmed(QString row)
{
    while (row.endsWith(u'　'))
        row.chop(1);
    return row;
}

void TestShippedTranslation::initTestCase()
{
    const CodeTableLoad load = loadCodeTable(QStringLiteral(MIRABO_BUILD_DATA_DIR "/gaiji.txt"));
    QVERIFY2(load.ok, qPrintable(load.file.detail));
    table_ = load.table;
}

void TestShippedTranslation::line_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("braille");

    // A line that was shortened by a join ends with the blank braille cell
    // of the full-width space that moved into it (⠀, U+2800).
    QTest::newRow("kana") << "さくら"
                          << "さくら"
                          << "⠱⠩⠑";
    QTest::newRow("geminate and long vowel") << "がっこう"
                                             << "が　っこう"
                                             << "⠐⠡⠂⠪⠉";
    QTest::newRow("voiced and semi-voiced") << "ぱんだ。"
                                            << "ぱ　んだ　。"
                                            << "⠠⠥⠴⠐⠕⠲";
    QTest::newRow("contracted") << "きゃく"
                                << "きゃく"
                                << "⠈⠡⠩⠀";
    QTest::newRow("two contracted") << "ぎゅうにゅう"
                                    << "ぎゅうにゅう"
                                    << "⠘⠩⠉⠈⠍⠉⠀⠀";
    QTest::newRow("semi-voiced contracted") << "ぴょん"
                                            << "ぴょん"
                                            << "⠨⠮⠴⠀";
    QTest::newRow("special syllable") << "ふぁいる"
                                      << "ふぁいる"
                                      << "⠢⠥⠃⠙⠀";
    QTest::newRow("small vowel alone") << "あぁ、ねぇ"
                                       << "あぁ、　ねぇ"
                                       << "⠁⠁⠰⠀⠏⠋";
    QTest::newRow("small kana first") << "ゃあ"
                                      << "ゃあ"
                                      << "⠌⠁";

    QTest::newRow("number") << "１２３"
                            << "　１２３"
                            << "⠼⠁⠃⠉";
    QTest::newRow("year") << "２０２４ねん"
                          << "　２０２４ねん"
                          << "⠼⠃⠚⠃⠙⠏⠴";
    QTest::newRow("connector before ら row") << "５れつ"
                                             << "　５　れつ"
                                             << "⠼⠑⠤⠛⠝";
    QTest::newRow("connector before あ row") << "３えん"
                                             << "　３　えん"
                                             << "⠼⠉⠤⠋⠴";
    QTest::newRow("no connector before か") << "３かい"
                                            << "　３かい"
                                            << "⠼⠉⠡⠃";
    QTest::newRow("space before あ") << "１　あ"
                                     << "　１　あ"
                                     << "⠼⠁⠀⠁";
    QTest::newRow("digit-group comma") << "１，０００"
                                       << "　１，０００"
                                       << "⠼⠁⠄⠚⠚⠚";
    QTest::newRow("decimal point") << "３．１４"
                                   << "　３．１４"
                                   << "⠼⠉⠂⠁⠙";
    QTest::newRow("brief's example") << "きゃ１２３あ"
                                     << "きゃ　１２３　あ"
                                     << "⠈⠡⠼⠁⠃⠉⠤⠁⠀";

    QTest::newRow("single capital") << "Ａ"
                                    << "　　Ａ"
                                    << "⠰⠠⠁";
    QTest::newRow("capital run") << "ＮＨＫ"
                                 << "　　　ＮＨＫ"
                                 << "⠰⠠⠠⠝⠓⠅";
    QTest::newRow("capital then small") << "Ｔｏｋｙｏ"
                                        << "　　Ｔｏｋｙｏ"
                                        << "⠰⠠⠞⠕⠅⠽⠕";
    QTest::newRow("small letters") << "ｐｃ"
                                   << "　ｐｃ"
                                   << "⠰⠏⠉";

    QTest::newRow("katakana contracted and voiced") << "キャベツ"
                                                    << "キャベ　ツ"
                                                    << "⠈⠡⠐⠯⠝";
    QTest::newRow("katakana with long vowel") << "コーヒー"
                                              << "コーヒー"
                                              << "⠪⠒⠧⠒";
    QTest::newRow("ヴァ") << "ヴァイオリン"
                          << "ヴァイオリン"
                          << "⠲⠥⠃⠊⠓⠴";
    QTest::newRow("ヴ alone") << "ヴか"
                              << "ヴ　か"
                              << "⠐⠉⠡";
    QTest::newRow("katakana special syllable") << "ティー"
                                               << "ティー"
                                               << "⠈⠗⠒";

    QTest::newRow("mixed") << "ＪＲで５ふん"
                           << "　　　ＪＲ　で　　５ふん"
                           << "⠰⠠⠠⠚⠗⠤⠐⠟⠼⠑⠭⠴";
    QTest::newRow("letters, number, kana") << "ＣＤを３まい"
                                           << "　　　ＣＤ　を　３まい"
                                           << "⠰⠠⠠⠉⠙⠤⠔⠼⠉⠵⠃";
    QTest::newRow("kanji has no braille") << "山へ"
                                          << "山へ"
                                          << "　⠯";
}

void TestShippedTranslation::line()
{
    QFETCH(QString, line);
    QFETCH(QString, text);
    QFETCH(QString, braille);
    const QStringList entries = listEntries(translateText(table_, line));
    QCOMPARE(entries.size(), 2);
    QCOMPARE(trimmed(entries[0]), text);
    QCOMPARE(trimmed(entries[1]), braille);
}

void TestShippedTranslation::fullRowsOfAMixedLine()
{
    // Both rows hold 30 columns; the text stands character for character
    // above its braille.
    const QStringList entries = listEntries(translateText(table_, u"がくせい　５にん"));
    const QString text = QStringLiteral("が　くせい　　５にん");
    const QString braille = QStringLiteral("⠐⠡⠩⠻⠃⠀⠼⠑⠇⠴");
    QCOMPARE(entries, QStringList({text + QString(22, QChar(u'　')), braille + QString(22, QChar(u'　'))}));
}

// `mirabo-cli braille` translates without the text grid and writes the
// cells straight to UTF-8: byte for byte what the full route gives, over
// random lines of every kind of character (letters, digits, katakana,
// characters without braille, lines longer than a row).
void TestShippedTranslation::cellsAloneAsTheFullRoute()
{
    LineTranslator full(table_);
    LineTranslator cellsAlone(table_);
    TranslatedLine line;
    int lines = 0;
    forEachLine(Documents::randomText(29, 400) + Documents::benchmarkLines(200).join(u'\n'), [&](QStringView text) {
        full.translate(text, line);
        QString whole;
        full.appendWholeBraille(whole);
        cellsAlone.translateCells(text);
        QByteArray utf8 = "kept";
        cellsAlone.appendWholeBrailleUtf8(utf8);
        QCOMPARE(utf8, "kept" + whole.toUtf8());
        ++lines;
    });
    QVERIFY(lines >= 599);
    QCOMPARE(cellsAlone.charactersWithoutBraille(), full.charactersWithoutBraille());
}

// A long line translated a stretch at a time gives the bytes of the line
// translated whole, with the same characters reported: stretches of a few
// characters, so that every kind of character stands beside many cuts.
void TestShippedTranslation::longLineInStretchesAsWhole_data()
{
    QTest::addColumn<QString>("line");
    const auto oneLine = [](QString text) {
        text.remove(u'\r');
        text.replace(u'\n', u'　');
        return text;
    };
    QTest::newRow("random characters") << oneLine(Documents::randomText(31, 300));
    QTest::newRow("benchmark lines") << oneLine(Documents::benchmarkLines(300).join(u'\n'));
    // The first katakana far into the line: the stretches before it are
    // translated again, and 山 (no braille) is reported once all the same.
    QTest::newRow("katakana at the end") << QStringLiteral("あさのうみをみました、１２わりあい。山").repeated(40) + u"ヴァイオリン"_qs;
    // Brackets and parentheses open across many quiet kana, nested and not.
    QTest::newRow("brackets open") << (u"「あさのうみ「かなたのそら」（なかのまち（そとのまち）のはな）」"_qs
                                       u"ＡＢＣかきくけこ１２３あいうえお"_qs).repeated(30);
}

void TestShippedTranslation::longLineInStretchesAsWhole()
{
    QFETCH(QString, line);
    LineTranslator whole(table_);
    LineTranslator stretches(table_);
    stretches.setLongLineStretch(8);
    QByteArray expected = "kept";
    whole.translateCells(line);
    whole.appendWholeBrailleUtf8(expected);
    QByteArray braille = "kept";
    stretches.appendLineBrailleUtf8(line, braille);
    QCOMPARE(braille, expected);
    QCOMPARE(stretches.charactersWithoutBraille(), whole.charactersWithoutBraille());
    QCOMPARE(stretches.state().KatakanaSeen, whole.state().KatakanaSeen);
}

namespace {

// The braille of each line handed in parts of `size` characters.
QList<QByteArray> translatedInParts(LineTranslator &translator, const QStringList &lines, qsizetype size)
{
    QList<QByteArray> rows;
    for (const QString &line : lines) {
        QByteArray row;
        qsizetype at = 0;
        do {
            const qsizetype n = qMin(size, line.size() - at);
            translator.appendPartBrailleUtf8(QStringView(line).sliced(at, n), at + n == line.size(), row);
            at += n;
        } while (at < line.size());
        rows.append(row);
    }
    return rows;
}

} // namespace

// Lines handed in parts of a few characters, one translator for them all,
// give the bytes of each line translated whole, with the same characters
// reported and the same state after them: stretches of a few characters, so
// that cuts fall everywhere they may.
void TestShippedTranslation::lineInPartsAsWhole_data()
{
    QTest::addColumn<QStringList>("lines");
    const QString kana = u"ゆきのふるまちをあるいてかえりました。"_qs;
    const QString mixed = u"ひるやすみに「そらのいろ（あおとしろ）」をよみ、ＮＨＫで７じのニュースをみた。"_qs
                          u"ｶﾞｯｺｳのまえで　ｍｅ＠ｅｘ．ｊｐ　１，０００えんとはなした。ｙｅｓ　ｓｉｒ"_qs;
    QTest::newRow("kana, then a mixed line") << QStringList{kana.repeated(12), mixed.repeated(6)};
    // ァ and ヰ are no katakana the line is known by, but the katakana passes
    // read them: what stands before the first katakana waits for it.
    QTest::newRow("small katakana long before the first katakana")
        << QStringList{u"ふァいるをひらき、"_qs + kana.repeated(8) + u"ヰのじをかいた。そしてテレビをみた。"_qs};
    QTest::newRow("small katakana and no katakana")
        << QStringList{kana.repeated(4) + u"ふァいるのヰ"_qs + kana.repeated(4), kana.repeated(3)};
    QTest::newRow("katakana seen on an earlier line")
        << QStringList{u"ラジオ"_qs, u"ふァいる"_qs + kana.repeated(6) + u"ゥ"_qs};
    // A typed ⠠⠦…⠠⠴ is read whole, quiet kana inside it and all; one that
    // is never closed is no span.
    QTest::newRow("typed spans") << QStringList{
        (kana + u"⠠⠦ａ＿ｂ　"_qs + kana + u"⠠⠴"_qs + kana + u"⠠⠦⠠⠴"_qs).repeated(3) + u"⠠⠦"_qs + kana.repeated(3)};
    QTest::newRow("blanks at the end and between")
        << QStringList{kana.repeated(3) + QString(40, u'　') + kana.repeated(3) + QString(25, u'　'),
                       QString(30, u'　') + kana.repeated(3)};
    QTest::newRow("brackets left open") << QStringList{u"「（"_qs + kana.repeated(10) + u"」"_qs + kana.repeated(5)};
    QTest::newRow("random lines joined") << QStringList{Documents::randomText(7, 200).replace(u'\n', u'　')};
}

void TestShippedTranslation::lineInPartsAsWhole()
{
    QFETCH(QStringList, lines);
    LineTranslator whole(table_);
    QList<QByteArray> expected;
    for (const QString &line : lines) {
        whole.translateCells(line);
        whole.appendWholeBrailleUtf8(expected.emplace_back());
    }
    for (const qsizetype size : {1, 5, 37, 100000}) {
        LineTranslator parts(table_);
        parts.setLongLineStretch(8);
        QCOMPARE(translatedInParts(parts, lines, size), expected);
        QCOMPARE(parts.charactersWithoutBraille(), whole.charactersWithoutBraille());
        QCOMPARE(parts.state().KatakanaSeen, whole.state().KatakanaSeen);
        QCOMPARE(parts.state().LineCount, whole.state().LineCount);
    }
}

// The braille of a long line comes out as its parts come in, not when it
// ends; with a katakana only at the end, the stretches a katakana would not
// change do not wait for it.
void TestShippedTranslation::longLineStreams()
{
    const QString line = u"ゆきのふるまちをあるいてかえりました。"_qs.repeated(200) + u"ラジオ"_qs;
    LineTranslator translator(table_);
    translator.setLongLineStretch(64);
    QByteArray before;
    QByteArray last;
    const qsizetype part = 100;
    for (qsizetype at = 0; at < line.size(); at += part) {
        const bool ends = at + part >= line.size();
        translator.appendPartBrailleUtf8(QStringView(line).sliced(at, qMin(part, line.size() - at)), ends,
                                         ends ? last : before);
    }
    QVERIFY(!last.isEmpty());
    QVERIFY2(before.size() > 20 * last.size(), qPrintable(QString::number(last.size())));
}

QTEST_APPLESS_MAIN(TestShippedTranslation)
#include "tst_shippedtranslation.moc"
