#include "engine/translation.h"
#include "tables/codetableloader.h"

#include <QTest>

// Real lines through the shipped code table. Every expected braille row is
// written out from the rules of Japanese braille: ⠼ numeral sign, ⠤ connector
// before a syllable of the ア or ラ row after a number, ⠰⠠ a single capital,
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
    QVERIFY2(load.ok, qPrintable(load.error));
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
                                       << "あぁ、ねぇ"
                                       << "⠁⠁⠰⠏⠋";
    QTest::newRow("small kana first") << "ゃあ"
                                      << "ゃあ"
                                      << "　⠁";

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
                           << "　　　ＪＲで　　５ふん"
                           << "⠰⠠⠠⠚⠗⠐⠟⠼⠑⠭⠴";
    QTest::newRow("letters, number, kana") << "ＣＤを３まい"
                                           << "　　　ＣＤを　３まい"
                                           << "⠰⠠⠠⠉⠙⠔⠼⠉⠵⠃";
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

QTEST_APPLESS_MAIN(TestShippedTranslation)
#include "tst_shippedtranslation.moc"
