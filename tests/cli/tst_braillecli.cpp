#include "braillefiles/braillefiles.h"
#include "cli/clicommands.h"
#include "cliinprocess.h"
#include "tables/codetableloader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(PageSettings)

// mirabo-cli export and import, run as a user runs them.
class TestBrailleCli : public QObject
{
    Q_OBJECT

private slots:
    void exportsToStandardOutput_data();
    void exportsToStandardOutput();
    void exportThenImportGivesTheSamePages_data();
    void exportThenImportGivesTheSamePages();
    void damagedFileIsReadAsFarAsItGoes();
    void interpointVolumesAreFilesOfTheirOwn();
    void textVolumesKeepTheirPagesApart();
    void streamedExportIsTheLayoutOfTheWholeText_data();
    void streamedExportIsTheLayoutOfTheWholeText();
    void failures_data();
    void failures();

private:
    static CliRun run(const QStringList &args, const QByteArray &input = QByteArray())
    {
        return runCliInProcess(args, input);
    }
    QString path(const QString &name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
};

void TestBrailleCli::exportsToStandardOutput_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");
    // あ ⠁ い ⠃ う ⠉ え ⠋ お ⠊ か ⠡ き ⠣ く ⠩ け ⠫ こ ⠪ さ ⠱
    QTest::newRow("brf") << QStringList{QStringLiteral("--format"), QStringLiteral("brf"),
                                        QStringLiteral("--no-indent")}
                         << QStringLiteral("あい\nう") << QByteArray("AB\r\nC\r\n\f");
    QTest::newRow("brf, paragraphs start at the third cell")
        << QStringList{QStringLiteral("--format"), QStringLiteral("brf")} << QStringLiteral("あい\n\nう")
        << QByteArray("  AB\r\n\r\n  C\r\n\f");
    QTest::newRow("txt, a heading at the seventh cell")
        << QStringList{QStringLiteral("--format"), QStringLiteral("txt")}
        << QStringLiteral("［ミダシ2］あ\nい") << QStringLiteral("⠀⠀⠀⠀⠀⠀⠁\n⠀⠀⠃\n").toUtf8();
    QTest::newRow("txt, a word longer than the line")
        << QStringList{QStringLiteral("--format"), QStringLiteral("txt"), QStringLiteral("--cells"),
                       QStringLiteral("10"), QStringLiteral("--no-indent")}
        << QStringLiteral("あいうえおかきくけこさ") << QStringLiteral("⠁⠃⠉⠋⠊⠡⠣⠩⠫⠪\n⠱\n").toUtf8();
    QTest::newRow("txt, page numbers and page breaks")
        << QStringList{QStringLiteral("--format"),       QStringLiteral("txt"),
                       QStringLiteral("--lines"),        QStringLiteral("10"),
                       QStringLiteral("--cells"),        QStringLiteral("10"),
                       QStringLiteral("--page-numbers"), QStringLiteral("--no-indent")}
        << QStringLiteral("あ\n").repeated(10) + QStringLiteral("い")
        << (QStringLiteral("⠀⠀⠀⠀⠀⠀⠀⠀⠼⠁\n") + QStringLiteral("⠁\n").repeated(9) +
            QStringLiteral("\f⠀⠀⠀⠀⠀⠀⠀⠀⠼⠃\n⠁\n⠃\n"))
               .toUtf8();
}

void TestBrailleCli::exportsToStandardOutput()
{
    QFETCH(QStringList, args);
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);
    const CliRun result = run(QStringList{QStringLiteral("export")} + args, text.toUtf8());
    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, expected);
}

void TestBrailleCli::exportThenImportGivesTheSamePages_data()
{
    QTest::addColumn<QString>("format");
    for (const char *format : {"txt", "brf", "pef", "bes"})
        QTest::newRow(format) << QString::fromLatin1(format);
}

void TestBrailleCli::exportThenImportGivesTheSamePages()
{
    QFETCH(QString, format);
    const QByteArray text =
        QStringLiteral("かきくけこ、さしすせそ。\n\nＡＢＣ　１２３\n").repeated(12).toUtf8();
    const QStringList layout{QStringLiteral("--cells"), QStringLiteral("12"), QStringLiteral("--lines"),
                             QStringLiteral("10"), QStringLiteral("--page-numbers")};
    const CliRun pages =
        run(QStringList{QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("txt")} + layout,
            text);
    QCOMPARE(pages.exitCode, 0);
    QVERIFY(pages.out.count('\f') >= 2);

    const QString file = path(QStringLiteral("out.") + format);
    const CliRun exported =
        run(QStringList{QStringLiteral("export"), QStringLiteral("--format"), format,
                        QStringLiteral("--title"), QStringLiteral("テスト"), QStringLiteral("-o"), file} +
                layout,
            text);
    QCOMPARE(exported.err, QByteArray());
    QCOMPARE(exported.exitCode, 0);
    const CliRun imported = run({QStringLiteral("import"), file});
    QCOMPARE(imported.err, QByteArray());
    QCOMPARE(imported.exitCode, 0);
    QCOMPARE(imported.out, pages.out);
}

void TestBrailleCli::damagedFileIsReadAsFarAsItGoes()
{
    const QString file = path(QStringLiteral("cut.bes"));
    QCOMPARE(run({QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("bes"),
                  QStringLiteral("--no-indent"), QStringLiteral("-o"), file},
                 QStringLiteral("あい\nう\n").toUtf8())
                 .exitCode,
             0);
    QFile bes(file);
    QVERIFY(bes.open(QIODevice::ReadWrite));
    bes.resize(1024 + 4); // header, ⠁ ⠃ line end, ⠉
    bes.close();
    const CliRun result = run({QStringLiteral("import"), file});
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.out, QStringLiteral("⠁⠃\n⠉\n").toUtf8());
    QVERIFY2(QString::fromUtf8(result.err).contains(QStringLiteral("1 ページ 2 行目")),
             result.err.constData());
}

void TestBrailleCli::interpointVolumesAreFilesOfTheirOwn()
{
    // 文書情報 beside the text; volumes of at most 20 pages.
    QFile info(path(QStringLiteral("ほん.bookinfo")));
    QVERIFY(info.open(QIODevice::WriteOnly));
    info.write(QStringLiteral("書名=ほん\n点訳者=あい\n").toUtf8());
    info.close();
    QFile text(path(QStringLiteral("ほん.txt")));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write((QStringLiteral("［ミダシ1］あい\n") + QStringLiteral("かきくけこ さしすせそ\n").repeated(500))
                   .toUtf8());
    text.close();
    const CliRun result = run({QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("pef"),
                               QStringLiteral("--preset"), QStringLiteral("interpoint"),
                               QStringLiteral("--volume-pages"), QStringLiteral("20"), QStringLiteral("-o"),
                               path(QStringLiteral("ほん.pef")), path(QStringLiteral("ほん.txt"))});
    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.exitCode, 0);
    QVERIFY(!QFile::exists(path(QStringLiteral("ほん.pef"))));
    for (const char *name : {"ほん1.pef", "ほん2.pef"}) {
        QFile pef(path(QString::fromUtf8(name)));
        QVERIFY2(pef.open(QIODevice::ReadOnly), name);
        const QByteArray bytes = pef.readAll();
        QVERIFY(bytes.contains("duplex=\"true\""));
        QVERIFY(bytes.contains("rows=\"18\""));
        QVERIFY(bytes.count("<page>") + bytes.count("<page/>") <= 20);
    }
}

namespace {

// A book of chapters with every kind of marker, some hundred kilobytes:
// several of the blocks the export reads at a time.
QString chapters(int count)
{
    QString text;
    for (int chapter = 1; chapter <= count; ++chapter) {
        text += QStringLiteral("［ミダシ1］だい%1しょー\n").arg(chapter);
        text += QStringLiteral("［ゲンポン%1］\n").arg(chapter * 10);
        for (int paragraph = 0; paragraph < 30; ++paragraph) {
            text += QStringLiteral("　きょーわ %1ねん %2がつの はれた ひで、ＡＢＣの みちを あるきました。\n")
                        .arg(2000 + paragraph)
                        .arg(chapter % 12 + 1);
            if (paragraph % 10 == 9)
                text += QStringLiteral("［ミダシ2］こまだし\n\n");
        }
        text += QStringLiteral("［マトメ］\nまとめた ぎょー\nもー ひとつ\n［マトメオワリ］\n");
        if (chapter % 5 == 0)
            text += QStringLiteral("［カイページ］\n");
    }
    return text;
}

} // namespace

// Written one after the other, the volumes of a Unicode braille text are
// divided by a form feed as their pages are: the text has the pages BRF has.
void TestBrailleCli::textVolumesKeepTheirPagesApart()
{
    const QByteArray text = QStringLiteral("かきくけこ さしすせそ\n").repeated(400).toUtf8();
    const QStringList layout{u"--volume-pages"_s, u"10"_s, u"--lines"_s, u"10"_s};
    const CliRun brf = run(QStringList{u"export"_s, u"--format"_s, u"brf"_s} + layout, text);
    const CliRun txt = run(QStringList{u"export"_s, u"--format"_s, u"txt"_s} + layout, text);
    QCOMPARE(brf.exitCode, 0);
    QCOMPARE(txt.exitCode, 0);
    QVERIFY(brf.out.count('\f') > 20);
    // BRF ends every page with a form feed, the text divides them.
    QCOMPARE(txt.out.count('\f') + 1, brf.out.count('\f'));
}

void TestBrailleCli::streamedExportIsTheLayoutOfTheWholeText_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<PageSettings>("page");
    QTest::addColumn<bool>("withInfo");
    QTest::addColumn<bool>("fromFile");
    QTest::addColumn<bool>("toFiles");
    PageSettings interpoint = PageSettings::preset(PageSettings::Preset::Interpoint);
    interpoint.volumePages = 60;
    QTest::newRow("txt from standard input")
        << QStringList{u"--format"_s, u"txt"_s} << PageSettings() << false << false << false;
    QTest::newRow("brf with title pages and 目次, from a file")
        << QStringList{u"--format"_s, u"brf"_s, u"--preset"_s, u"interpoint"_s, u"--volume-pages"_s, u"60"_s}
        << interpoint << true << true << false;
    QTest::newRow("brf volumes to their files, title pages from standard input")
        << QStringList{u"--format"_s, u"brf"_s, u"--preset"_s, u"interpoint"_s, u"--volume-pages"_s, u"60"_s}
        << interpoint << true << false << true;
}

// The export reads the text a block at a time and writes each volume as it
// is laid out; what it writes is the layout of the whole text.
void TestBrailleCli::streamedExportIsTheLayoutOfTheWholeText()
{
    QFETCH(QStringList, args);
    QFETCH(PageSettings, page);
    QFETCH(bool, withInfo);
    QFETCH(bool, fromFile);
    QFETCH(bool, toFiles);
    const QString text = chapters(100);
    QVERIFY(text.toUtf8().size() > 4 * 65536);
    DocumentInfo info;
    if (withInfo) {
        info.title = u"ながい ほん"_s;
        info.transcriber = u"あおき"_s;
    }
    QTemporaryDir dir;
    const QString input = dir.filePath(u"ほん.txt"_s);
    QFile file(input);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size());
    file.close();
    QVERIFY(info.saveBeside(input).ok());
    if (!fromFile && withInfo)
        args += QStringList{u"--info"_s, DocumentInfo::pathBeside(input)};
    args += fromFile ? input : u"-"_s;
    const QString output = dir.filePath(u"ほん.brf"_s);
    if (toFiles)
        args += QStringList{u"-o"_s, output};

    const CliRun run = runCliInProcess(QStringList{u"export"_s} + args, fromFile ? QByteArray() : text.toUtf8());
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.exitCode, 0);

    const CodeTableLoad table = loadInstalledCodeTable();
    QVERIFY(table.ok);
    const BookLayout::Book book = layOutBook(table.table, text, info, page, fromFile ? u"ほん"_s : QString());
    QVERIFY(book.volumes.size() >= (withInfo ? 3 : 1));
    const BrailleFiles::Format format = *BrailleFiles::formatForPath(u"x."_s + args[1]);
    QByteArray whole;
    BrailleFiles::UnicodeTextWriter oneText;
    for (qsizetype v = 0; v < book.volumes.size(); ++v) {
        const QByteArray bytes = BrailleFiles::encode(format, book.volumes[v]);
        if (format == BrailleFiles::Format::UnicodeText && !toFiles) {
            for (const QStringList &page : book.volumes[v].pages)
                whole += oneText.page(page);
            continue;
        }
        if (toFiles) {
            QFile volume(BrailleFiles::volumePath(output, int(v + 1), int(book.volumes.size())));
            QVERIFY2(volume.open(QIODevice::ReadOnly), qPrintable(volume.fileName()));
            QVERIFY(volume.readAll() == bytes);
        }
        whole += bytes;
    }
    QVERIFY(!toFiles || !QFile::exists(BrailleFiles::volumePath(output, int(book.volumes.size() + 1),
                                                                int(book.volumes.size() + 1))));
    QVERIFY(toFiles || run.out == whole + oneText.end());
}

void TestBrailleCli::failures_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    // A command line that cannot be followed is a usage error (2); a file that
    // cannot be written or read is a failure (1).
    QTest::newRow("no format") << QStringList{QStringLiteral("export")} << 2 << QStringLiteral("--format");
    QTest::newRow("unknown format") << QStringList{QStringLiteral("export"), QStringLiteral("--format"),
                                                   QStringLiteral("doc")}
                                    << 2 << QStringLiteral("doc");
    QTest::newRow("bes to standard output")
        << QStringList{QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("bes")} << 2
        << QStringLiteral("-o");
    QTest::newRow("pef to standard output")
        << QStringList{QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("pef")} << 2
        << QStringLiteral("-o");
    QTest::newRow("too few cells") << QStringList{QStringLiteral("export"), QStringLiteral("--format"),
                                                  QStringLiteral("txt"), QStringLiteral("--cells"),
                                                  QStringLiteral("9")}
                                   << 2 << QStringLiteral("--cells");
    QTest::newRow("cells not a number") << QStringList{QStringLiteral("export"), QStringLiteral("--format"),
                                                       QStringLiteral("txt"), QStringLiteral("--cells=x")}
                                        << 2 << QStringLiteral("--cells");
    QTest::newRow("unknown preset") << QStringList{QStringLiteral("export"), QStringLiteral("--format"),
                                                   QStringLiteral("txt"), QStringLiteral("--preset"),
                                                   QStringLiteral("double")}
                                    << 2 << QStringLiteral("--preset");
    QTest::newRow("too few volume pages")
        << QStringList{QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("txt"),
                       QStringLiteral("--volume-pages"), QStringLiteral("9")}
        << 2 << QStringLiteral("--volume-pages");
    QTest::newRow("missing information file")
        << QStringList{QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("txt"),
                       QStringLiteral("--info"), QStringLiteral("/nonexistent/a.bookinfo")}
        << 1 << QStringLiteral("a.bookinfo");
    QTest::newRow("unwritable output")
        << QStringList{QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("brf"),
                       QStringLiteral("-o"), QStringLiteral("/nonexistent/out.brf")}
        << 1 << QStringLiteral("out.brf");
    QTest::newRow("import without a file") << QStringList{QStringLiteral("import")} << 2
                                           << QStringLiteral("使い方: mirabo-cli import");
    QTest::newRow("import of a missing file")
        << QStringList{QStringLiteral("import"), QStringLiteral("/nonexistent/in.bes")} << 1
        << QStringLiteral("in.bes");
    QTest::newRow("import of a device") << QStringList{QStringLiteral("import"), QStringLiteral("/dev/null")} << 1
                                        << QStringLiteral("通常のファイル");
}

void TestBrailleCli::failures()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const CliRun result = run(args, QByteArrayLiteral("あ"));
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2(QString::fromUtf8(result.err).contains(message), result.err.constData());
    QCOMPARE(result.out, QByteArray());
}

QTEST_GUILESS_MAIN(TestBrailleCli)
#include "tst_braillecli.moc"
