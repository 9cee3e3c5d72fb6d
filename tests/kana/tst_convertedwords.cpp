#include "kana/kanaconverter.h"
#include "kana/kanawords.h"

#include <QTest>

#include <memory>

using namespace Qt::Literals::StringLiterals;

// The record of the words a conversion read: each must point at its own
// written form in the source and at its own kana in the converted text.
class TestConvertedWords : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void placesPointAtTheWord_data();
    void placesPointAtTheWord();
    void linesAreCountedInAText();
    void onlyUnknownWordsAreMarkedUnknown();

private:
    std::unique_ptr<KanaConverter> converter_;
};

void TestConvertedWords::initTestCase()
{
    converter_ = std::make_unique<KanaConverter>();
    QVERIFY2(converter_->isReady(), qPrintable(converter_->error()));
}

void TestConvertedWords::placesPointAtTheWord_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("written");
    QTest::newRow("plain") << u"駅前の本屋で辞書を買った。"_s << QStringList{u"駅前"_s, u"本屋"_s, u"辞書"_s, u"買っ"_s};
    QTest::newRow("blanks of the source") << u"　雨 が降る"_s << QStringList{u"雨"_s, u"降る"_s};
    QTest::newRow("counter after a number") << u"子供が3人いる"_s << QStringList{u"子供"_s, u"人"_s};
    QTest::newRow("kanji numerals") << u"三百円"_s << QStringList{u"三百"_s, u"円"_s};
    QTest::newRow("voiced mark after its kana") << u"か゛っこうの校舎"_s << QStringList{u"校舎"_s};
    QTest::newRow("iteration mark") << u"人々が集う"_s << QStringList{u"人々"_s, u"集う"_s};
    QTest::newRow("no kanji") << u"ひらがなと カタカナ。"_s << QStringList{};
}

void TestConvertedWords::placesPointAtTheWord()
{
    QFETCH(QString, line);
    QFETCH(QStringList, written);
    const KanaConversion result = converter_->convertLine(line);
    QStringList found;
    QString kanaOfWords;
    for (const ConvertedWord &word : result.words) {
        found.append(word.written);
        QCOMPARE(word.line, 0);
        QCOMPARE(line.mid(word.sourceColumn, word.written.size()), word.written);
        QCOMPARE(result.text.mid(word.kanaStart, word.kanaLength), word.kana);
        QVERIFY(!word.kana.isEmpty());
        QVERIFY(!KanaWords::containsKanji(word.kana));
    }
    // Words that share a character of the source would be routed twice.
    for (qsizetype i = 1; i < result.words.size(); ++i) {
        QVERIFY(result.words[i - 1].sourceColumn + result.words[i - 1].written.size() <= result.words[i].sourceColumn);
        QVERIFY(result.words[i - 1].kanaStart + result.words[i - 1].kanaLength <= result.words[i].kanaStart);
    }
    // Every kanji of the line is in some word.
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (!KanaWords::containsKanji(line.mid(i, 1)))
            continue;
        QVERIFY2(std::any_of(result.words.begin(), result.words.end(),
                             [&](const ConvertedWord &w) {
                                 return w.sourceColumn <= i && i < w.sourceColumn + w.written.size();
                             }),
                 qPrintable(line.mid(i, 1)));
    }
    QCOMPARE(found, written);
}

void TestConvertedWords::linesAreCountedInAText()
{
    const QString text = u"山が見える。\r\n\r\nかわと 海\n空"_s;
    const KanaConversion result = converter_->convertText(text);
    const QStringList sourceLines = text.split(u'\n');
    const QStringList kanaLines = result.text.split(u'\n');
    QList<qsizetype> lines;
    for (const ConvertedWord &word : result.words) {
        lines.append(word.line);
        QCOMPARE(sourceLines[word.line].mid(word.sourceColumn, word.written.size()), word.written);
        QCOMPARE(kanaLines[word.line].mid(word.kanaStart, word.kanaLength), word.kana);
    }
    QCOMPARE(lines, QList<qsizetype>({0, 0, 2, 3}));
}

void TestConvertedWords::onlyUnknownWordsAreMarkedUnknown()
{
    const KanaConversion result = converter_->convertLine(u"龘が机に𪚲と置いた"_s);
    QStringList unknown;
    for (const ConvertedWord &word : result.words) {
        if (word.doubts.testFlag(ReadingDoubt::Unknown))
            unknown.append(word.written);
    }
    QCOMPARE(unknown, QStringList({u"龘"_s, u"𪚲"_s}));
}

QTEST_GUILESS_MAIN(TestConvertedWords)
#include "tst_convertedwords.moc"
