#include "clirun.h"
#include "testdocuments.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// mirabo-cli kana on documents: the format by suffix or --from, the ruby
// readings used for their words, refusals as errors.
class TestImportCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }
    void documentsConvertWithTheirRuby_data();
    void documentsConvertWithTheirRuby();
    void refusalsAreErrors();

private:
    QString file(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir_.filePath(name);
        return TestDocuments::writeFile(path, bytes) ? path : QString();
    }
    QTemporaryDir dir_;
};

void TestImportCli::documentsConvertWithTheirRuby_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("options");
    QTest::newRow("docx by suffix") << u"旅.docx"_s << TestDocuments::wordSample() << QStringList();
    QTest::newRow("odt by --from") << u"travel.bin"_s << TestDocuments::openDocumentSample()
                                   << QStringList{u"--from"_s, u"odt"_s};
    QTest::newRow("epub by --from=") << u"travel"_s << TestDocuments::epubSample() << QStringList{u"--from=epub"_s};
    QTest::newRow("html from standard input") << u"-"_s << TestDocuments::htmlSample()
                                              << QStringList{u"--from"_s, u"html"_s};
}

void TestImportCli::documentsConvertWithTheirRuby()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, options);
    const QString path = name == u"-" ? name : file(name, bytes);
    QVERIFY(!path.isEmpty());
    const CliRun run = runCli(QStringLiteral(MIRABO_CLI), QStringList{u"kana"_s} + options + QStringList{path},
                              name == u"-" ? bytes : QByteArray());
    QCOMPARE(run.exitCode, 0);
    const QStringList lines = QString::fromUtf8(run.out).split(u'\n');
    QVERIFY2(lines.size() > 3, run.out.constData());
    // The heading stands alone; the names are read as their ruby says, the
    // family and given names apart, たろう with its long vowel.
    QVERIFY2(lines[1].startsWith(u"やまだ たろーわ たかなしさんと"_s), qPrintable(lines[1]));
    QCOMPARE(lines[2], u"りんご"_s);
}

void TestImportCli::refusalsAreErrors()
{
    const QString broken = file(u"broken.docx"_s, TestDocuments::wordSample().left(100));
    CliRun run = runCli(QStringLiteral(MIRABO_CLI), {u"kana"_s, broken});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(QString::fromUtf8(run.err).contains(u"broken.docx"), run.err.constData());
    QVERIFY(run.out.isEmpty());

    run = runCli(QStringLiteral(MIRABO_CLI), {u"kana"_s, u"--from"_s, u"rtf"_s, broken});
    QCOMPARE(run.exitCode, 2);

    // --from text reads a document's name as a text file.
    const QString text = file(u"plain.html"_s, "<p>山</p>\n");
    run = runCli(QStringLiteral(MIRABO_CLI), {u"kana"_s, u"--from"_s, u"text"_s, text});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.startsWith("<p>"), run.out.constData());
}

QTEST_GUILESS_MAIN(TestImportCli)
#include "tst_importcli.moc"
