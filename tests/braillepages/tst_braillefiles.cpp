#include "braillefiles/braillefiles.h"
#include "brailletext.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using BrailleFiles::Format;

// Braille files: every format round-trips; BRF and BES byte for byte; PEF
// against the PEF 1.0 schema; damaged files read as far as they go.
class TestBrailleFiles : public QObject
{
    Q_OBJECT

private slots:
    void roundTrips_data();
    void roundTrips();
    void brfBytes();
    void besBytes();
    void readsTolerantly_data();
    void readsTolerantly();
    void damagedFilesStopWithAPlace_data();
    void damagedFilesStopWithAPlace();
    void truncatedFilesGiveWhatWasThere_data();
    void truncatedFilesGiveWhatWasThere();
    void pefValidatesAgainstTheSchema();
    void savesThroughATemporaryFile();
};

namespace {

// Two pages: a line with a blank inside, an empty line, a full cell.
BraillePages sample()
{
    BraillePages document;
    document.cells = 10;
    document.lines = 10;
    document.title = QStringLiteral("てすと");
    document.brailleTitle = b(u"⠁⠃");
    document.pages = {{b(u"⠁⠃"), QString(), b(u"⠼⠁_⠉")}, {b(u"⠿")}};
    return document;
}

QByteArray besHeader(const QByteArray &date, const QByteArray &cells, const QByteArray &lines,
                     const QByteArray &pages, const QByteArray &title)
{
    QByteArray header(1024, ' ');
    header.replace(0, 8, "%BET400%");
    header.replace(8, 10, date);
    header.replace(22, 2, cells);
    header.replace(24, 2, lines);
    header.replace(31, pages.size(), pages);
    header.replace(47, title.size(), title);
    header.replace(512, 3, "\xFF\xFF\xFF");
    return header;
}

} // namespace

void TestBrailleFiles::roundTrips_data()
{
    QTest::addColumn<Format>("format");
    QTest::addColumn<BraillePages>("document");
    BraillePages empty;
    empty.pages = {QStringList()};
    BraillePages emptyLast; // as a page left blank at the end of a volume
    emptyLast.pages = {{b(u"⠁")}, QStringList()};
    const std::pair<const char *, Format> formats[] = {
        {"txt", Format::UnicodeText}, {"brf", Format::Brf}, {"pef", Format::Pef}, {"bes", Format::Bes}};
    for (const auto &[name, format] : formats) {
        QTest::addRow("%s two pages", name) << format << sample();
        QTest::addRow("%s one empty page", name) << format << empty;
        QTest::addRow("%s empty last page", name) << format << emptyLast;
    }
}

void TestBrailleFiles::roundTrips()
{
    QFETCH(Format, format);
    QFETCH(BraillePages, document);
    const BrailleFiles::ReadResult read = BrailleFiles::decode(BrailleFiles::encode(format, document));
    QCOMPARE(read.problem, QString());
    QCOMPARE(read.document.pages, document.pages);
    if (format == Format::Pef || format == Format::Bes) {
        QCOMPARE(read.document.cells, document.cells);
        QCOMPARE(read.document.lines, document.lines);
    }
    if (format == Format::Pef)
        QCOMPARE(read.document.title, document.title);
    if (format == Format::Bes)
        QCOMPARE(read.document.brailleTitle, document.brailleTitle);
}

void TestBrailleFiles::brfBytes()
{
    // ⠁ A, ⠃ B, ⠉ C, ⠼ #, ⠿ =, blank space.
    QCOMPARE(BrailleFiles::encode(Format::Brf, sample()), QByteArray("AB\r\n\r\n#A C\r\n\f=\r\n\f"));
}

void TestBrailleFiles::besBytes()
{
    // Title ⠁⠃ as 0x20 + 1, 0x20 + 3; cells 0xA0 + mask: ⠁ A1, ⠃ A3, ⠼ DC,
    // ⠉ A9, ⠿ DF, blank A0.
    const QByteArray expected =
        besHeader("2026/12/07", "10", "10", "0002", "\x21\x23") + QByteArray("\xA1\xA3\xFE"
                                                                             "\xFE"
                                                                             "\xDC\xA1\xA0\xA9\xFE"
                                                                             "\xFD"
                                                                             "\xDF\xFE\xFD"
                                                                             "\xFF");
    QCOMPARE(BrailleFiles::encode(Format::Bes, sample(), QDate(2026, 12, 7)), expected);
}

void TestBrailleFiles::readsTolerantly_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<QStringList>>("pages");
    QTest::newRow("brf lowercase") << QByteArray("ab\r\nc\r\n\f") << QList<QStringList>{{b(u"⠁⠃"), b(u"⠉")}};
    QTest::newRow("brf without form feeds, two lines a page")
        << QByteArray("A\nB\nC\n") << QList<QStringList>{{b(u"⠁"), b(u"⠃")}, {b(u"⠉")}};
    QTest::newRow("brf blanks at line ends") << QByteArray("A  \r\n\f") << QList<QStringList>{{b(u"⠁")}};
    QTest::newRow("brf end-of-file mark") << QByteArray("A\r\n\f\x1A") << QList<QStringList>{{b(u"⠁")}};
    QTest::newRow("brf that starts with the BES mark")
        << QByteArray("%BET\r\n\f") << QList<QStringList>{{b(u"⠩⠃⠑⠞")}};
    QTest::newRow("text with CR LF and spaces")
        << QString(b(u"⠁ ⠃\r\n\f⠉\r\n")).toUtf8() << QList<QStringList>{{b(u"⠁_⠃")}, {b(u"⠉")}};
    QTest::newRow("bes unknown two-byte code skipped")
        << besHeader("2026/12/07", "32", "22", "0001", "") + QByteArray("\xA1\x10\x99\xFE\xA3\xFE\xFD\xFF")
        << QList<QStringList>{{b(u"⠁"), b(u"⠃")}};
    // The XML declaration may be left out; the root element tells PEF apart.
    QTest::newRow("pef without an XML declaration")
        << QByteArray("<pef xmlns=\"http://www.daisy.org/ns/2008/pef\" version=\"2008-1\"><head/><body>"
                      "<volume cols=\"10\" rows=\"10\" rowgap=\"0\" duplex=\"false\"><section><page>"
                      "<row>⠁⠃</row></page></section></volume></body></pef>")
        << QList<QStringList>{{b(u"⠁⠃")}};
}

void TestBrailleFiles::readsTolerantly()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QList<QStringList>, pages);
    const BrailleFiles::ReadResult read = BrailleFiles::decode(bytes, 2);
    QCOMPARE(read.problem, QString());
    QCOMPARE(read.document.pages, pages);
}

void TestBrailleFiles::damagedFilesStopWithAPlace_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<QStringList>>("pages");
    QTest::addColumn<QString>("place");

    const QByteArray header = besHeader("2026/12/07", "32", "22", "0002", "");
    QTest::newRow("bes cut short") << header + QByteArray("\xA1\xFE\xFD\xA1\xFE\xA3")
                                   << QList<QStringList>{{b(u"⠁")}, {b(u"⠁"), b(u"⠃")}}
                                   << QStringLiteral("2 ページ 2 行目");
    QTest::newRow("bes header cut short")
        << header.left(300) << QList<QStringList>() << QStringLiteral("1 ページ 1 行目");
    QTest::newRow("text with a letter")
        << QString(b(u"⠁\n⠃x⠉\n")).toUtf8() << QList<QStringList>{{b(u"⠁"), b(u"⠃")}}
        << QStringLiteral("1 ページ 2 行目");
    QTest::newRow("text with bad UTF-8")
        << QString(b(u"⠁\n\f⠃")).toUtf8() + "\xFF\xFE" << QList<QStringList>{{b(u"⠁")}, {b(u"⠃")}}
        << QStringLiteral("2 ページ 1 行目");
    QTest::newRow("brf with a byte outside ASCII")
        << QByteArray("AB\r\nC\x80") << QList<QStringList>{{b(u"⠁⠃"), b(u"⠉")}}
        << QStringLiteral("1 ページ 2 行目");

    BraillePages document;
    document.pages = {{b(u"⠁")}, {b(u"⠃"), b(u"⠉")}};
    const QByteArray pef = BrailleFiles::encode(Format::Pef, document);
    QTest::newRow("pef cut short") << pef.left(pef.indexOf("</row>", pef.indexOf("⠃")) + 6)
                                   << QList<QStringList>{{b(u"⠁")}, {b(u"⠃")}}
                                   << QStringLiteral("2 ページ 1 行目");
    QByteArray letter = pef;
    letter.replace("⠉", "x");
    QTest::newRow("pef row with a letter")
        << letter << QList<QStringList>{{b(u"⠁")}, {b(u"⠃")}} << QStringLiteral("2 ページ 1 行目");
}

void TestBrailleFiles::damagedFilesStopWithAPlace()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QList<QStringList>, pages);
    QFETCH(QString, place);
    const BrailleFiles::ReadResult read = BrailleFiles::decode(bytes);
    QCOMPARE(read.document.pages, pages);
    QVERIFY2(read.problem.startsWith(place), qPrintable(read.problem));
}

void TestBrailleFiles::truncatedFilesGiveWhatWasThere_data()
{
    QTest::addColumn<Format>("format");
    QTest::addColumn<bool>("endIsMarked"); // a cut file is known to be cut
    QTest::newRow("txt") << Format::UnicodeText << false;
    QTest::newRow("brf") << Format::Brf << false;
    QTest::newRow("pef") << Format::Pef << true;
    QTest::newRow("bes") << Format::Bes << true;
}

void TestBrailleFiles::truncatedFilesGiveWhatWasThere()
{
    QFETCH(Format, format);
    QFETCH(bool, endIsMarked);
    const BraillePages whole = sample();
    const QByteArray bytes = BrailleFiles::encode(format, whole);
    // Cut at every byte: what is read is the start of the whole, up to a
    // line that may itself be cut short.
    for (qsizetype size = 0; size < bytes.size(); ++size) {
        const BrailleFiles::ReadResult read = BrailleFiles::decode(format, bytes.left(size));
        const QList<QStringList> &pages = read.document.pages;
        const QByteArray where = QByteArray::number(size);
        QVERIFY2(pages.size() <= whole.pages.size(), where);
        for (qsizetype page = 0; page < pages.size(); ++page) {
            QVERIFY2(pages[page].size() <= whole.pages[page].size(), where);
            for (qsizetype line = 0; line < pages[page].size(); ++line) {
                const bool last = page == pages.size() - 1 && line == pages[page].size() - 1;
                const QString &expected = whole.pages[page][line];
                const QString &got = pages[page][line];
                QVERIFY2(got == (last ? expected.left(got.size()) : expected), where);
            }
        }
        if (endIsMarked && !bytes.mid(size).trimmed().isEmpty())
            QVERIFY2(!read.problem.isEmpty(), where);
    }
}

void TestBrailleFiles::pefValidatesAgainstTheSchema()
{
    const QString schema = QStringLiteral(MIRABO_PEF_SCHEMA);
    QVERIFY2(QFile::exists(schema), qPrintable(schema));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sample.pef"));
    QCOMPARE(BrailleFiles::save(path, Format::Pef, sample()), QString());

    QProcess xmllint;
    xmllint.setProcessChannelMode(QProcess::MergedChannels);
    xmllint.start(QStringLiteral("xmllint"),
                  {QStringLiteral("--noout"), QStringLiteral("--relaxng"), schema, path});
    QVERIFY2(xmllint.waitForFinished(30000), "xmllint (libxml2-utils) did not run");
    QVERIFY2(xmllint.exitCode() == 0, xmllint.readAll().constData());
}

void TestBrailleFiles::savesThroughATemporaryFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.brf"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    // A folder that is not there: the old file stays as it was.
    QVERIFY(
        !BrailleFiles::save(dir.filePath(QStringLiteral("none/out.brf")), Format::Brf, sample()).isEmpty());
    QCOMPARE(BrailleFiles::save(path, Format::Brf, sample()), QString());
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), BrailleFiles::encode(Format::Brf, sample()));
}

QTEST_GUILESS_MAIN(TestBrailleFiles)
#include "tst_braillefiles.moc"
