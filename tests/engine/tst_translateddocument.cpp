#include "braillepages/translationlines.h"
#include "documents.h"
#include "engine/inputforms.h"
#include "engine/translateddocument.h"
#include "engine/translation.h"
#include "platform/textcodec.h"
#include "tables/codetableloader.h"

#include <QTest>

// The whole translation that the list, printing, the page view and braille
// files read, held against the routes it replaced: the same shown rows as
// the list's rows, the same braille lines as the pages', and columns that
// account for every character and every cell.
class TestTranslatedDocument : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void agreesWithTheOtherRoutes_data();
    void agreesWithTheOtherRoutes();
    void columnsAccountForEveryCharacterAndCell_data();
    void columnsAccountForEveryCharacterAndCell();
    void editorLinesCountTheLastLine_data();
    void editorLinesCountTheLastLine();

private:
    CodeTable table_;
};

void TestTranslatedDocument::initTestCase()
{
    const CodeTableLoad load = loadCodeTable(QStringLiteral(MIRABO_BUILD_DATA_DIR "/gaiji.txt"));
    QVERIFY2(load.ok, qPrintable(load.file.detail));
    table_ = load.table;
}

void TestTranslatedDocument::agreesWithTheOtherRoutes_data()
{
    QTest::addColumn<QString>("text");
    // A join frees a shown column, which the list shows as a blank cell.
    QTest::newRow("join then number") << QStringLiteral("きゃ１２３あ\nＡ");
    QTest::newRow("long line") << QStringLiteral("りょこうの　よていを　たてる。").repeated(3);
    QTest::newRow("katakana join") << QStringLiteral("ヴァイオリンと　ティーカップ");
    QTest::newRow("empty lines") << QStringLiteral("\n\r\nか\r");
    for (quint32 seed = 1; seed <= 6; ++seed)
        QTest::newRow(qPrintable(QStringLiteral("random %1").arg(seed))) << Documents::randomText(seed, 60);
}

void TestTranslatedDocument::agreesWithTheOtherRoutes()
{
    QFETCH(QString, text);
    QStringList withoutBraille;
    const Translation rows = translateText(table_, text, &withoutBraille);
    const TranslatedDocument whole = translateDocument(table_, text);
    QCOMPARE(whole.lineCount(), rows.size());
    for (qsizetype line = 0; line < rows.size(); ++line) {
        QCOMPARE(whole.shownTextRow(line), rows[line].text);
        QCOMPARE(whole.shownBrailleRow(line), rows[line].braille);
        QCOMPARE(whole.isTooLong(line), rows[line].tooLong);
    }
    QCOMPARE(whole.brailleLines(), translateToBrailleLines(table_, text));
    QCOMPARE(whole.charactersWithoutBraille(), withoutBraille);
}

void TestTranslatedDocument::columnsAccountForEveryCharacterAndCell_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("joins, numbers, letters") << QStringLiteral("きょうは　２０２４ねん　ＪＲで　ヴァイオリン");
    QTest::newRow("surrogates") << QStringLiteral("あ😀ゔ𠮷か");
    QTest::newRow("half-width") << QStringLiteral("ｶﾞｯｺｳ abc 12");
    QTest::newRow("random") << Documents::randomText(11, 40);
}

void TestTranslatedDocument::columnsAccountForEveryCharacterAndCell()
{
    QFETCH(QString, text);
    const TranslatedDocument whole = translateDocument(table_, text);
    qsizetype line = 0;
    forEachLine(text, [&](QStringView source) {
        const QString read = normalizeInputForms(source);
        qsizetype nextSource = 0;
        qsizetype nextCell = 0;
        QString cells;
        for (int i = 0; i < whole.columnCount(line); ++i) {
            const TranslatedDocument::Column column = whole.column(line, i);
            // Columns follow each other without gaps; each has a character.
            QCOMPARE(column.sourceStart, nextSource);
            QCOMPARE(column.cellStart, nextCell);
            QVERIFY(column.sourceLength > 0);
            nextSource += column.sourceLength;
            nextCell += column.cellLength;
            cells += whole.brailleRow(line).sliced(column.cellStart, column.cellLength);
        }
        QCOMPARE(nextSource, read.size());
        QCOMPARE(cells, whole.brailleRow(line).toString());
        ++line;
    });
    QCOMPARE(line, whole.lineCount());
}

void TestTranslatedDocument::editorLinesCountTheLastLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("lines");
    QTest::newRow("empty") << QString() << 1;
    QTest::newRow("one line") << QStringLiteral("か") << 1;
    QTest::newRow("line end after") << QStringLiteral("か\n") << 2;
    QTest::newRow("lone CR after") << QStringLiteral("か\r") << 2;
    QTest::newRow("blank last line") << QStringLiteral("か\n　") << 2;
}

void TestTranslatedDocument::editorLinesCountTheLastLine()
{
    QFETCH(QString, text);
    QFETCH(int, lines);
    const TranslatedDocument editor = translateDocument(table_, text, true);
    QCOMPARE(editor.lineCount(), lines);
    // As if the editor's text were written to a file, a line end after it.
    QCOMPARE(editor.brailleLines(), translateToBrailleLines(table_, text + QStringLiteral("\r\n")));
}

QTEST_APPLESS_MAIN(TestTranslatedDocument)
#include "tst_translateddocument.moc"
