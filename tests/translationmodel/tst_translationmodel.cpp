#include "engine/translation.h"
#include "tables/codetableloader.h"
#include "translationmodel/translationmodel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

// The list's model over a whole translation: rows, roles and what a reset
// or an edit of the text does to it, checked by Qt's own model tester.
class TestTranslationModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void rowsOfEveryLine_data();
    void rowsOfEveryLine();
    void outOfDateUntilTranslatedAgain();

private:
    std::shared_ptr<const TranslatedDocument> translated(const QString &text) const
    {
        return std::make_shared<const TranslatedDocument>(translateDocument(table_, text));
    }

    CodeTable table_;
};

void TestTranslationModel::initTestCase()
{
    const CodeTableLoad load = loadCodeTable(QStringLiteral(MIRABO_BUILD_DATA_DIR "/gaiji.txt"));
    QVERIFY2(load.ok, qPrintable(load.file.detail));
    table_ = load.table;
}

void TestTranslationModel::rowsOfEveryLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("rowsPerLine");
    QTest::newRow("short lines") << QStringLiteral("あ\nい") << QList<int>{2, 2};
    QTest::newRow("thirty fit") << QStringLiteral("か").repeated(30) << QList<int>{2};
    QTest::newRow("long line warned") << QStringLiteral("か").repeated(31) + QStringLiteral("\nき")
                                      << QList<int>{3, 2};
    QTest::newRow("empty lines") << QStringLiteral("\n\n") << QList<int>{2, 2};
}

void TestTranslationModel::rowsOfEveryLine()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, rowsPerLine);
    TranslationModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setTranslation(translated(text));

    int row = 0;
    for (int line = 1; line <= rowsPerLine.size(); ++line) {
        QCOMPARE(model.rowsOfLine(line), std::make_pair(row, rowsPerLine[line - 1]));
        const int end = row + rowsPerLine[line - 1];
        for (; row < end; ++row) {
            const QModelIndex index = model.index(row);
            QCOMPARE(model.lineOfRow(row), line);
            QCOMPARE(index.data(TranslationModel::SourceLineRole).toInt(), line);
            const auto kind = TranslationModel::RowKind(index.data(TranslationModel::RowKindRole).toInt());
            // A line ends in its text row over its braille row; a warning
            // stands before them and has a tool tip naming the line.
            const int fromEnd = end - row;
            QCOMPARE(kind, fromEnd == 1   ? TranslationModel::RowKind::Braille
                           : fromEnd == 2 ? TranslationModel::RowKind::Text
                                          : TranslationModel::RowKind::Warning);
            QCOMPARE(index.data(Qt::ToolTipRole).toString().startsWith(QStringLiteral("%1 行目").arg(line)),
                     kind == TranslationModel::RowKind::Warning);
            // A shown row is the whole row cut at 30 columns.
            const QString whole = index.data(kind == TranslationModel::RowKind::Braille
                                                 ? TranslationModel::BrailleRowRole
                                                 : TranslationModel::TextRowRole)
                                      .toString();
            if (kind != TranslationModel::RowKind::Warning)
                QVERIFY(whole.startsWith(index.data().toString().left(whole.size())));
        }
    }
    QCOMPARE(model.rowCount(), row);
    QCOMPARE(model.lineOfRow(row), 0);
    QCOMPARE(model.rowsOfLine(rowsPerLine.size() + 1).second, 0);
    // The long line keeps every column in its whole rows.
    QCOMPARE(model.index(model.rowsOfLine(1).first).data(TranslationModel::TextRowRole).toString(),
             model.translation().textRow(0).toString());
}

void TestTranslationModel::outOfDateUntilTranslatedAgain()
{
    TranslationModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy changes(&model, &TranslationModel::outOfDateChanged);
    // Nothing translated is never out of date.
    model.setOutOfDate(true);
    QVERIFY(!model.isOutOfDate());

    model.setTranslation(translated(QStringLiteral("あ\nい")));
    QSignalSpy data(&model, &QAbstractItemModel::dataChanged);
    model.setOutOfDate(true);
    QVERIFY(model.isOutOfDate());
    QVERIFY(model.index(3).data(TranslationModel::OutOfDateRole).toBool());
    QCOMPARE(data.size(), 1);
    model.setTranslation(translated(QStringLiteral("う")));
    QVERIFY(!model.isOutOfDate());
    QVERIFY(!model.index(0).data(TranslationModel::OutOfDateRole).toBool());
    QCOMPARE(changes.size(), 2);
    model.clear();
    QCOMPARE(model.rowCount(), 0);
}

QTEST_GUILESS_MAIN(TestTranslationModel)
#include "tst_translationmodel.moc"
