#include "booktext.h"
#include "braillefiles/braillefiles.h"
#include "braillepages/pagesettings.h"
#include "usermessages/usermessages.h"
#include "brailletext.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

// The problems as the user reads them.
QString message(const BrailleFiles::ReadProblem &problem)
{
    return UserMessages::brailleFileMessage(problem);
}

template<typename... Args>
QString saved(Args &&...args)
{
    return UserMessages::brailleFileMessage(BrailleFiles::save(std::forward<Args>(args)...));
}

} // namespace

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
    void sizesStayWithinThePageBounds_data();
    void sizesStayWithinThePageBounds();
    void refusesFilesItShouldNotRead_data();
    void refusesFilesItShouldNotRead();
    void besPageCountHasFourDigits_data();
    void besPageCountHasFourDigits();
    void interpointBookValidatesAndReadsBack_data();
    void interpointBookValidatesAndReadsBack();
    void volumeFilesAreNumbered_data();
    void volumeFilesAreNumbered();
    void readingPageByPageGivesTheWholeFile_data();
    void readingPageByPageGivesTheWholeFile();
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

// A PEF with the volume's sizes as given and the rows as pages.
QByteArray pefWith(const QByteArray &cols, const QByteArray &rows, const QList<QStringList> &pages)
{
    QByteArray pef =
        "<?xml version=\"1.0\"?><pef xmlns=\"http://www.daisy.org/ns/2008/pef\" version=\"2008-1\">"
        "<body><volume cols=\"" +
        cols + "\" rows=\"" + rows + "\"><section>";
    for (const QStringList &page : pages) {
        pef += "<page>";
        for (const QString &row : page)
            pef += "<row>" + row.toUtf8() + "</row>";
        pef += "</page>";
    }
    return pef + "</section></volume></body></pef>";
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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
    QCOMPARE(message(read.problem), QString());
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
    QCOMPARE(message(read.problem), QString());
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
    QVERIFY2(message(read.problem).startsWith(place), qPrintable(message(read.problem)));
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
            QVERIFY2(!read.problem.ok(), where);
    }
}

void TestBrailleFiles::pefValidatesAgainstTheSchema()
{
    const QString schema = QStringLiteral(MIRABO_PEF_SCHEMA);
    QVERIFY2(QFile::exists(schema), qPrintable(schema));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sample.pef"));
    QCOMPARE(saved(path, Format::Pef, sample()), QString());

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
        !saved(dir.filePath(QStringLiteral("none/out.brf")), Format::Brf, sample()).isEmpty());
    QCOMPARE(saved(path, Format::Brf, sample()), QString());
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), BrailleFiles::encode(Format::Brf, sample()));
}

void TestBrailleFiles::sizesStayWithinThePageBounds_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("cells");
    QTest::addColumn<int>("lines");
    QTest::addColumn<qsizetype>("pagesRead");
    QTest::addColumn<QString>("problem"); // the start of it; empty when none

    const QList<QStringList> small = {{b(u"⠁⠃⠉")}, {b(u"⠙"), b(u"⠑")}};
    QTest::newRow("pef declaring the largest int")
        << pefWith("2147483647", "2147483647", small) << 3 << 2 << qsizetype(2) << QString();
    QTest::newRow("pef declaring 100000")
        << pefWith("100000", "100000", small) << 3 << 2 << qsizetype(2) << QString();
    QTest::newRow("pef declaring negative sizes")
        << pefWith("-5", "-1", small) << 3 << 2 << qsizetype(2) << QString();
    QTest::newRow("pef within bounds keeps its sizes")
        << pefWith("40", "25", small) << 40 << 25 << qsizetype(2) << QString();
    QTest::newRow("pef of the largest page")
        << pefWith("60", "40", {QStringList(40, QString(60, QChar(0x2801)))}) << 60 << 40 << qsizetype(1)
        << QString();
    QTest::newRow("pef row longer than a line can be")
        << pefWith("32", "22", {{b(u"⠁")}, {b(u"⠃"), QString(61, QChar(0x2801))}}) << 32 << 22 << qsizetype(2)
        << QStringLiteral("2 ページ 2 行目");
    QTest::newRow("pef page longer than a page can be")
        << pefWith("32", "22", {{b(u"⠁")}, QStringList(41, b(u"⠃"))}) << 32 << 40 << qsizetype(2)
        << QStringLiteral("2 ページ 41 行目");
    QTest::newRow("bes of a small page keeps its sizes")
        << besHeader("2026/12/07", "05", "08", "0001", "") + QByteArray("\xA1\xFE\xFD\xFF") << 5 << 8
        << qsizetype(1) << QString();
    QTest::newRow("bes header of 99 × 99")
        << besHeader("2026/12/07", "99", "99", "0001", "") + QByteArray("\xA1\xFE\xFD\xFF") << 1 << 1
        << qsizetype(1) << QString();
    QTest::newRow("brf page of 41 lines between form feeds")
        << QByteArray("A\r\n").repeated(41) + "\f" << 1 << 40 << qsizetype(1)
        << QStringLiteral("1 ページ 41 行目");
    QTest::newRow("brf of 100 lines without form feeds is cut into pages")
        << QByteArray("A\r\n").repeated(100) << 1 << 22 << qsizetype(5) << QString();
}

void TestBrailleFiles::sizesStayWithinThePageBounds()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, cells);
    QFETCH(int, lines);
    QFETCH(qsizetype, pagesRead);
    QFETCH(QString, problem);
    const BrailleFiles::ReadResult read = BrailleFiles::decode(bytes);
    QVERIFY2(problem.isEmpty() ? read.problem.ok() : message(read.problem).startsWith(problem),
             qPrintable(message(read.problem)));
    QCOMPARE(read.document.cells, cells);
    QCOMPARE(read.document.lines, lines);
    QCOMPARE(read.document.pages.size(), pagesRead);
    for (const QStringList &page : read.document.pages) {
        QVERIFY(page.size() <= read.document.lines);
        for (const QString &line : page)
            QVERIFY(line.size() <= read.document.cells);
    }
}

void TestBrailleFiles::refusesFilesItShouldNotRead_data()
{
    QTest::addColumn<QString>("name"); // made in a temporary folder; "/..." as it is
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("problem"); // a part of it; empty when the file must be read

    const QByteArray english = "Plain notes, not braille.\n";
    QTest::newRow("a device") << QStringLiteral("/dev/null") << QByteArray()
                              << QStringLiteral("通常のファイル");
    QTest::newRow("a fifo") << QStringLiteral("fifo") << QByteArray() << QStringLiteral("通常のファイル");
    QTest::newRow("too large") << QStringLiteral("large.brf") << QByteArray() << QStringLiteral("32 MB");
    QTest::newRow("unknown suffix, plain text")
        << QStringLiteral("notes.md") << english << QStringLiteral("点字ファイルとして読めません");
    QTest::newRow("the same text as .brf") << QStringLiteral("notes.brf") << english << QString();
    QTest::newRow("unknown suffix, PEF")
        << QStringLiteral("book.xml") << pefWith("32", "22", {{b(u"⠁")}}) << QString();
    QTest::newRow("unknown suffix, Unicode braille")
        << QStringLiteral("book") << QString(b(u"⠁⠃\n")).toUtf8() << QString();
}

void TestBrailleFiles::refusesFilesItShouldNotRead()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, problem);
    QTemporaryDir dir;
    QString path = name.startsWith(u'/') ? name : dir.filePath(name);
    if (name == u"fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (!name.startsWith(u'/')) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        if (name == u"large.brf")
            QVERIFY(file.resize(BrailleFiles::kMaxFileBytes + 1)); // sparse: costs no disk
    }
    const BrailleFiles::ReadResult read = BrailleFiles::open(path);
    if (problem.isEmpty()) {
        QCOMPARE(message(read.problem), QString());
        QVERIFY(!read.document.pages.isEmpty());
    } else {
        QVERIFY2(message(read.problem).contains(problem), qPrintable(message(read.problem)));
        QVERIFY(read.document.pages.isEmpty());
    }
}

void TestBrailleFiles::besPageCountHasFourDigits_data()
{
    QTest::addColumn<int>("pages");
    QTest::addColumn<bool>("written");
    QTest::newRow("9999 pages") << 9999 << true;
    QTest::newRow("10000 pages") << 10000 << false;
    QTest::newRow("25479 pages") << 25479 << false;
}

void TestBrailleFiles::besPageCountHasFourDigits()
{
    QFETCH(int, pages);
    QFETCH(bool, written);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("book.bes"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    BraillePages document;
    document.pages = QList<QStringList>(pages, {b(u"⠁")});
    const QString error = saved(path, Format::Bes, document);
    if (written) {
        QCOMPARE(error, QString());
        QCOMPARE(BrailleFiles::decode(fileBytes(path)).document.pages.size(), qsizetype(pages));
        QCOMPARE(fileBytes(path).mid(31, 4), QByteArray::number(pages));
    } else {
        QVERIFY2(error.contains(QStringLiteral("9999")), qPrintable(error));
        QCOMPARE(fileBytes(path), QByteArray("old"));
    }
}

void TestBrailleFiles::interpointBookValidatesAndReadsBack_data()
{
    QTest::addColumn<Format>("format");
    QTest::newRow("txt") << Format::UnicodeText;
    QTest::newRow("brf") << Format::Brf;
    QTest::newRow("pef") << Format::Pef;
    QTest::newRow("bes") << Format::Bes;
}

void TestBrailleFiles::interpointBookValidatesAndReadsBack()
{
    QFETCH(Format, format);
    // About 500 interpoint pages: volumes of at most 160, each a file.
    PageSettings settings = PageSettings::preset(PageSettings::Preset::Interpoint);
    DocumentInfo info;
    info.title = QStringLiteral("ほん");
    info.author = QStringLiteral("あい");
    QString text;
    for (int chapter = 0; chapter < 10; ++chapter)
        text += QStringLiteral("［ミダシ1］えお\n") +
                QStringLiteral("あい うえ あい うえ あい うえ あい うえ あい うえ あい うえ\n").repeated(420);
    const BookLayout::Book book = layBook(text, settings, info);
    QVERIFY(book.volumes.size() >= 3);
    QTemporaryDir dir;
    const QStringList paths = BrailleFiles::volumePaths(
        dir.filePath(QStringLiteral("ほん.") + BrailleFiles::suffix(format)), int(book.volumes.size()));
    for (qsizetype v = 0; v < book.volumes.size(); ++v) {
        const BraillePages &volume = book.volumes[v];
        QVERIFY(volume.pages.size() <= 160);
        QVERIFY(BrailleFiles::save(paths[v], format, volume).ok());
        const BrailleFiles::ReadResult read = BrailleFiles::open(paths[v], settings.lines);
        QVERIFY(read.problem.ok());
        QCOMPARE(read.document.pages, volume.pages);
        if (format != Format::Pef)
            continue;
        QVERIFY(read.document.duplex);
        QCOMPARE(read.document.lines, 18);
        QCOMPARE(read.document.author, info.author);
        QProcess xmllint;
        xmllint.setProcessChannelMode(QProcess::MergedChannels);
        xmllint.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), QStringLiteral("--relaxng"),
                                                  QStringLiteral(MIRABO_PEF_SCHEMA), paths[v]});
        QVERIFY2(xmllint.waitForFinished(30000), "xmllint (libxml2-utils) did not run");
        QVERIFY2(xmllint.exitCode() == 0, xmllint.readAll().constData());
        const QByteArray bytes = fileBytes(paths[v]);
        QVERIFY(bytes.contains("duplex=\"true\""));
        QVERIFY(bytes.contains("rows=\"18\""));
    }
}

void TestBrailleFiles::volumeFilesAreNumbered_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("volumes");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("one volume keeps the name")
        << QStringLiteral("/d/ほん.bes") << 1 << QStringList{QStringLiteral("/d/ほん.bes")};
    QTest::newRow("numbers after the name")
        << QStringLiteral("/d/ほん.bes") << 3
        << QStringList{QStringLiteral("/d/ほん1.bes"), QStringLiteral("/d/ほん2.bes"),
                       QStringLiteral("/d/ほん3.bes")};
    QTest::newRow("only the last suffix")
        << QStringLiteral("/d/a.b.pef") << 2
        << QStringList{QStringLiteral("/d/a.b1.pef"), QStringLiteral("/d/a.b2.pef")};
    QTest::newRow("no suffix") << QStringLiteral("/d/ten") << 2
                               << QStringList{QStringLiteral("/d/ten1"), QStringLiteral("/d/ten2")};
}

void TestBrailleFiles::volumeFilesAreNumbered()
{
    QFETCH(QString, path);
    QFETCH(int, volumes);
    QFETCH(QStringList, expected);
    QCOMPARE(BrailleFiles::volumePaths(path, volumes), expected);
}

void TestBrailleFiles::readingPageByPageGivesTheWholeFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("line"); // repeated past the first blocks
    QTest::addColumn<QByteArray>("end");
    const QByteArray cells = QStringLiteral("⠁⠃⠉").toUtf8();
    QTest::newRow("Unicode braille, LF") << u"a.txt"_s << cells + "\n" << QByteArray();
    QTest::newRow("Unicode braille, CR LF, form feeds") << u"a.txt"_s << cells + "\r\n\r\f" << QByteArray();
    QTest::newRow("Unicode braille, one form feed at the end") << u"a.txt"_s << cells + "\r\n" << QByteArray("\f");
    QTest::newRow("Unicode braille, damaged at the end") << u"a.txt"_s << cells + "\n" << QByteArray("\xE2\xA0");
    QTest::newRow("BRF, CR LF") << u"a.brf"_s << QByteArray("ABC\r\n") << QByteArray("\r");
    QTest::newRow("BRF, form feeds") << u"a.brf"_s << QByteArray("AB C\r\n\f") << QByteArray("\x1A\f");
    QTest::newRow("BRF, a line too long at the end") << u"a.brf"_s << QByteArray("ab\r\n") << QByteArray(70, 'A');
}

// Read a block at a time, a file gives the pages and the problem that
// decoding it whole gives, wherever the blocks cut a character, a CR LF or
// a page, and whether or not a form feed comes only in the last block.
void TestBrailleFiles::readingPageByPageGivesTheWholeFile()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, end);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    // Every shift of the lines against the blocks' ends.
    for (qsizetype shift = 0; shift < line.size(); ++shift) {
        const QByteArray bytes = QByteArray(shift, '\n') + line.repeated(3 * 65536 / line.size()) + end;
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
        file.close();
        QList<QStringList> pages;
        const BrailleFiles::ReadProblem problem = BrailleFiles::readPages(path, [&pages](const QStringList &page) {
            pages.append(page);
            return true;
        });
        const BrailleFiles::ReadResult whole = BrailleFiles::decode(bytes);
        QCOMPARE(message(problem), message(whole.problem));
        QCOMPARE(pages, whole.document.pages);
    }
}

QTEST_GUILESS_MAIN(TestBrailleFiles)
#include "tst_braillefiles.moc"
