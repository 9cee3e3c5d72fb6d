#include "kana/kanaconverter.h"
#include "proofreading/convertedwords.h"
#include "proofreading/researchmodel.h"

#include <QAbstractItemModelTester>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

using namespace Qt::Literals::StringLiterals;

namespace {

// A converted line as 点訳かな変換 reports it: the words are found in the
// kana by their readings, in order; 今日 is doubted where doubts are given.
KanaConversion conversion(const QString &kana, const QList<std::pair<QString, QString>> &words,
                          ReadingDoubts doubts = {})
{
    KanaConversion result;
    result.text = kana;
    qsizetype from = 0;
    for (const auto &[written, reading] : words) {
        ConvertedWord word;
        word.kanaStart = kana.indexOf(reading, from);
        word.kanaLength = reading.size();
        word.written = written;
        word.kana = reading;
        word.doubts = written == u"今日"_s ? doubts : ReadingDoubts();
        word.candidates = {u"こんにち"_s};
        result.words.append(word);
        from = word.kanaStart + word.kanaLength;
    }
    return result;
}

} // namespace

// The converted words kept by place, and the 下調べ list made of them.
class TestResearchModel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void wordsKeepTheirPlaceAndDropWhenEdited_data();
    void wordsKeepTheirPlaceAndDropWhenEdited();
    void marksAreWalkedRoundTheText();
    void readingOfAllChangesEveryOccurrenceInOneStep();
    void listGroupsCountsAndFilters();
    void tsvHasOneLinePerEntry();

private:
    QTextDocument document_;
    std::unique_ptr<ConvertedWords> words_;
};

void TestResearchModel::init()
{
    document_.setPlainText(u"きょーわ てんきです。\nあした きょーも\nきょー"_s);
    words_ = std::make_unique<ConvertedWords>(&document_);
    words_->addLine(0, conversion(u"きょーわ てんきです。"_s, {{u"今日"_s, u"きょー"_s}, {u"天気"_s, u"てんき"_s}},
                                  ReadingDoubt::Homograph));
    words_->addLine(12, conversion(u"あした きょーも"_s, {{u"今日"_s, u"きょー"_s}}, ReadingDoubt::Homograph));
    words_->addLine(21, conversion(u"きょー"_s, {{u"今日"_s, u"きょー"_s}}));
}

void TestResearchModel::wordsKeepTheirPlaceAndDropWhenEdited_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("removed");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("words");
    QTest::newRow("typed before a word") << 0 << 0 << u"ああ"_s << 4;
    QTest::newRow("typed just after a word") << 3 << 0 << u"x"_s << 4;
    QTest::newRow("typed inside a word") << 1 << 0 << u"x"_s << 3;
    QTest::newRow("a word's character removed") << 6 << 1 << QString() << 3;
    QTest::newRow("two words removed at once") << 0 << 14 << QString() << 2;
}

void TestResearchModel::wordsKeepTheirPlaceAndDropWhenEdited()
{
    QFETCH(int, position);
    QFETCH(int, removed);
    QFETCH(QString, typed);
    QFETCH(int, words);
    QCOMPARE(words_->size(), 4);
    QTextCursor cursor(&document_);
    cursor.setPosition(position);
    cursor.setPosition(position + removed, QTextCursor::KeepAnchor);
    cursor.insertText(typed);
    QCOMPARE(words_->size(), words);
    // Every word kept still stands on its own kana.
    for (const ConvertedWords::Word &word : words_->words()) {
        QCOMPARE(word.place.selectedText(), word.kana);
        QCOMPARE(words_->wordAt(word.start()), words_->wordAt(word.end()));
    }
    // Undoing the edit does not bring a dropped mark back as a wrong one.
    document_.undo();
    for (const ConvertedWords::Word &word : words_->words())
        QCOMPARE(word.place.selectedText(), word.kana);
}

void TestResearchModel::marksAreWalkedRoundTheText()
{
    QCOMPARE(words_->markCount(), 2);
    const int first = words_->nextMarked(-1);
    const int second = words_->nextMarked(words_->words()[std::size_t(first)].start());
    QCOMPARE(words_->words()[std::size_t(first)].start(), 0);
    QCOMPARE(words_->words()[std::size_t(second)].start(), 16);
    QCOMPARE(words_->nextMarked(16), first); // round the end
    QCOMPARE(words_->previousMarked(0), second);
    // The trusted 天気 and the last 今日 are never stopped at.
    words_->clearMark(first);
    QCOMPARE(words_->markCount(), 1);
    QCOMPARE(words_->nextMarked(16), second);
}

void TestResearchModel::readingOfAllChangesEveryOccurrenceInOneStep()
{
    const QString before = document_.toPlainText();
    QCOMPARE(words_->setReadingOfAll(u"今日"_s, u"きょー"_s, u"こんにち"_s), 3);
    QCOMPARE(document_.toPlainText(), u"こんにちわ てんきです。\nあした こんにちも\nこんにち"_s);
    QCOMPARE(words_->size(), 4);
    QCOMPARE(words_->markCount(), 0);
    QCOMPARE(words_->words()[1].place.selectedText(), u"てんき"_s);
    document_.undo();
    QCOMPARE(document_.toPlainText(), before);
    // A reading no word has changes nothing.
    QCOMPARE(words_->setReadingOfAll(u"今日"_s, u"きのう"_s, u"こんにち"_s), 0);
}

void TestResearchModel::listGroupsCountsAndFilters()
{
    ResearchModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    ResearchFilterModel filter;
    QAbstractItemModelTester filterTester(&filter, QAbstractItemModelTester::FailureReportingMode::QtTest);
    filter.setSourceModel(&model);
    model.setEntries(ResearchModel::entriesOf(*words_));
    QCOMPARE(model.rowCount(), 2);
    const auto cell = [&](int row, int column) { return model.index(row, column).data().toString(); };
    QCOMPARE(cell(0, ResearchModel::WrittenColumn), u"今日"_s);
    QCOMPARE(cell(0, ResearchModel::CountColumn), u"3"_s);
    QCOMPARE(cell(0, ResearchModel::LinesColumn), u"1,2,3"_s);
    QVERIFY(!cell(0, ResearchModel::DoubtsColumn).isEmpty());
    QVERIFY(cell(1, ResearchModel::DoubtsColumn).isEmpty());

    filter.setMarkedOnly(true);
    QCOMPARE(filter.rowCount(), 1);
    filter.setMarkedOnly(false);
    filter.sort(ResearchModel::CountColumn, Qt::AscendingOrder);
    QCOMPARE(filter.index(0, 0).data().toString(), u"天気"_s);

    // Editing a reading asks for it; an unchanged or empty one does not.
    QSignalSpy edited(&model, &ResearchModel::readingEdited);
    QVERIFY(!model.setData(model.index(0, ResearchModel::KanaColumn), u"きょー"_s));
    QVERIFY(!model.setData(model.index(0, ResearchModel::KanaColumn), u" "_s));
    QVERIFY(!model.setData(model.index(0, ResearchModel::WrittenColumn), u"昨日"_s));
    QVERIFY(model.setData(model.index(0, ResearchModel::KanaColumn), u"こんにち"_s));
    QCOMPARE(edited.size(), 1);
    QCOMPARE(edited.first(), (QVariantList{u"今日"_s, u"きょー"_s, u"こんにち"_s}));
}

void TestResearchModel::tsvHasOneLinePerEntry()
{
    ResearchModel model;
    model.setEntries({{u"今\t日"_s, u"きょー"_s, ReadingDoubt::Unknown, {1, 4}, 2}});
    const QStringList lines = QString::fromUtf8(model.toTsv()).split(u'\n');
    QCOMPARE(lines.size(), 3); // heading, entry, the end of the last line
    QVERIFY(lines.last().isEmpty());
    const QStringList fields = lines[1].split(u'\t');
    QCOMPARE(fields.size(), int(ResearchModel::ColumnCount));
    QCOMPARE(fields[0], u"今 日"_s);
    QCOMPARE(fields[3], u"2"_s);
    QCOMPARE(fields[4], u"1,4"_s);
}

QTEST_MAIN(TestResearchModel)
#include "tst_researchmodel.moc"
