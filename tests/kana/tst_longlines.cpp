#include "kana/kanaconverter.h"
#include "kana/morphemeanalyzer.h"
#include "usermessages/usermessages.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

// Lines longer than MeCab takes whole: cut into pieces at punctuation or
// blanks where there are any, and converted piece by piece, never emptied.
class TestLongLines : public QObject
{
    Q_OBJECT

private slots:
    void pieces_data();
    void pieces();
    void longLinesAreConverted_data();
    void longLinesAreConverted();
};

void TestLongLines::pieces_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<QList<FixedWord>>("fixed");
    QTest::addColumn<QStringList>("pieces");

    QTest::newRow("short enough: whole")
        << u"あいう。えお"_s << 6 << QList<FixedWord>{} << QStringList{u"あいう。えお"_s};
    QTest::newRow("after punctuation") << u"あいう。えおか。きくけ"_s << 6 << QList<FixedWord>{}
                                       << QStringList{u"あいう。"_s, u"えおか。"_s, u"きくけ"_s};
    QTest::newRow("before a blank, the blank goes with what follows")
        << u"abcde fghij"_s << 8 << QList<FixedWord>{} << QStringList{u"abcde"_s, u" fghij"_s};
    QTest::newRow("punctuation too early: full length")
        << u"あ。いうえおかきくけこ"_s << 6 << QList<FixedWord>{}
        << QStringList{u"あ。いうえお"_s, u"かきくけこ"_s};
    QTest::newRow("nowhere to cut: full length")
        << u"aaaaaaaaaa"_s << 4 << QList<FixedWord>{} << QStringList{u"aaaa"_s, u"aaaa"_s, u"aa"_s};
    QTest::newRow("a surrogate pair stays whole")
        << u"aaa\U0002000Bb"_s << 4 << QList<FixedWord>{} << QStringList{u"aaa"_s, u"\U0002000Bb"_s};
    QTest::newRow("a fixed word stays whole")
        << u"aaaaaaaa"_s << 4 << QList<FixedWord>{{3, 2, u"x"_s}} << QStringList{u"aaa"_s, u"aaaa"_s, u"a"_s};
}

void TestLongLines::pieces()
{
    QFETCH(QString, line);
    QFETCH(int, maxLength);
    QFETCH(QList<FixedWord>, fixed);
    QFETCH(QStringList, pieces);
    QStringList got;
    for (const LinePiece &piece : linePieces(line, maxLength, fixed))
        got.append(line.mid(piece.start, piece.length));
    QCOMPARE(got, pieces);
}

void TestLongLines::longLinesAreConverted_data()
{
    QTest::addColumn<QString>("sentence"); // repeated to a line MeCab cannot take whole
    QTest::addColumn<int>("times");
    QTest::newRow("160 000 Latin letters") << u"abcdefghij"_s << 16000;
    QTest::newRow("a kanji sentence 2 000 times") << u"今日は良い天気です。"_s << 2000;
}

void TestLongLines::longLinesAreConverted()
{
    QFETCH(QString, sentence);
    QFETCH(int, times);
    KanaConverter converter;
    QVERIFY2(converter.isReady(), qPrintable(UserMessages::kanaMessage(converter.error())));
    const QString one = converter.convertLine(sentence).text;
    QVERIFY(!one.isEmpty());
    const QString all = converter.convertLine(sentence.repeated(times)).text;
    // Every piece converted as the short line is: a blank may come where a
    // cut fell inside a word, nothing else changes.
    QString withoutCutBlanks = all;
    if (!one.contains(u' '))
        withoutCutBlanks.remove(u' ');
    QCOMPARE(withoutCutBlanks.size(), one.size() * times);
    QCOMPARE(withoutCutBlanks, one.repeated(times));
}

QTEST_GUILESS_MAIN(TestLongLines)
#include "tst_longlines.moc"
