#include "kana/kanaconverter.h"
#include "kana/kanawords.h"

#include "usermessages/usermessages.h"

#include <QTest>

#include <algorithm>

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
    void markingKeepsTheText_data();
    void markingKeepsTheText();
    void homographsAreMarkedWithTheirOtherReadings_data();
    void homographsAreMarkedWithTheirOtherReadings();
    void wordsTheUserReadAreTrusted();

private:
    std::unique_ptr<KanaConverter> converter_;
};

void TestConvertedWords::initTestCase()
{
    converter_ = std::make_unique<KanaConverter>();
    QVERIFY2(converter_->isReady(), qPrintable(UserMessages::kanaMessage(converter_->error())));
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

void TestConvertedWords::markingKeepsTheText_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("homographs") << u"今日は市場で人気の生物を買った。"_s;
    QTest::newRow("numbers and counters") << u"三百円で3人分、5月1日に。"_s;
    QTest::newRow("names and blanks") << u"　田中さんと 山崎さん\r\n\n中田さん"_s;
    QTest::newRow("unknown and marks") << u"龘が か゛っこうに 人々と来た"_s;
}

void TestConvertedWords::markingKeepsTheText()
{
    QFETCH(QString, text);
    KanaConverter marking;
    marking.setMarking(true);
    const KanaConversion plain = converter_->convertText(text);
    const KanaConversion marked = marking.convertText(text);
    QCOMPARE(marked.text, plain.text);
    QCOMPARE(marked.words.size(), plain.words.size());
    for (qsizetype i = 0; i < marked.words.size(); ++i) {
        QCOMPARE(marked.words[i].written, plain.words[i].written);
        QCOMPARE(marked.words[i].kana, plain.words[i].kana);
        // Without marking only what needs no weighing is said.
        QCOMPARE(plain.words[i].doubts & ~ReadingDoubts(ReadingDoubt::Unknown), ReadingDoubts());
        QVERIFY(plain.words[i].candidates.isEmpty());
        QVERIFY(!marked.words[i].candidates.contains(marked.words[i].kana));
    }
}

void TestConvertedWords::homographsAreMarkedWithTheirOtherReadings_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("otherReading");
    QTest::newRow("今日") << u"今日は晴れた。"_s << u"今日"_s << u"こんにち"_s;
    QTest::newRow("人気") << u"人気のない道。"_s << u"人気"_s << u"ひとけ"_s;
    QTest::newRow("色紙") << u"色紙を買う。"_s << u"色紙"_s << u"しきし"_s;
    QTest::newRow("a word with one reading") << u"机を運ぶ。"_s << u"机"_s << QString();
}

void TestConvertedWords::homographsAreMarkedWithTheirOtherReadings()
{
    QFETCH(QString, line);
    QFETCH(QString, written);
    QFETCH(QString, otherReading);
    KanaConverter marking;
    marking.setMarking(true);
    const KanaConversion result = marking.convertLine(line);
    const auto word = std::find_if(result.words.begin(), result.words.end(),
                                   [&](const ConvertedWord &w) { return w.written == written; });
    QVERIFY(word != result.words.end());
    QCOMPARE(word->doubts.testFlag(ReadingDoubt::Homograph), !otherReading.isEmpty());
    if (!otherReading.isEmpty())
        QVERIFY2(word->candidates.contains(otherReading), qPrintable(word->candidates.join(u'/')));
}

void TestConvertedWords::wordsTheUserReadAreTrusted()
{
    KanaConverter marking;
    marking.setMarking(true);
    marking.setUserEntries({{u"今日"_s, u"こんにち"_s}});
    const KanaConversion result = marking.convertLine(u"今日の世界。"_s);
    QVERIFY(!result.words.isEmpty());
    QCOMPARE(result.words.front().written, u"今日"_s);
    QCOMPARE(result.words.front().kana, u"こんにち"_s);
    QCOMPARE(result.words.front().doubts, ReadingDoubts());
}

QTEST_GUILESS_MAIN(TestConvertedWords)
#include "tst_convertedwords.moc"
