#include "booktext.h"
#include "braillepages/bookmarkers.h"
#include "braillepages/pagelayout.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// The book's layout, one rule a test: paragraphs, each heading level, the
// page break and lines kept together, 目次 page numbers, original page
// numbers, volumes and interpoint.
class TestBookLayout : public QObject
{
    Q_OBJECT

private slots:
    void readsMarkers_data();
    void readsMarkers();
    void paragraphs_data();
    void paragraphs();
    void headingStartsAtItsColumn_data();
    void headingStartsAtItsColumn();
    void headingNeverEndsAPage_data();
    void headingNeverEndsAPage();
    void pageBreakBeforeAHeading();
    void keepTogether_data();
    void keepTogether();
    void tocGivesThePagesOfTheHeadings_data();
    void tocGivesThePagesOfTheHeadings();
    void originalPagesStandOnThePageLine();
    void originalPageInsideKeptLinesKeepsThem_data();
    void originalPageInsideKeptLinesKeepsThem();
    void volumesStayWithinTheLimit_data();
    void volumesStayWithinTheLimit();
    void volumeSplitsAtAHeadingNearTheLimit();
    void volumesComeAsTheTextComes_data();
    void volumesComeAsTheTextComes();
    void interpointTitlePageHasABlankBack();
    void documentInfoLivesBesideTheText();
    void bookReadsBackAsItsBody();
};

namespace {

using BookMarkers::Kind;

QStringList allLines(const BraillePages &pages)
{
    QStringList lines;
    for (const QStringList &page : pages.pages)
        lines += page;
    return lines;
}

// The page (from 0) whose lines hold `line`; -1 when none does.
int pageHolding(const BraillePages &pages, const QString &line)
{
    for (qsizetype p = 0; p < pages.pages.size(); ++p) {
        if (pages.pages[p].contains(line))
            return int(p);
    }
    return -1;
}

// A text of `count` paragraphs of `words` words "あい" each.
QString someParagraphs(int count, int words = 3)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("あい ").repeated(words).trimmed() + u'\n';
    return text;
}

} // namespace

void TestBookLayout::readsMarkers_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("number"); // level or original page
    QTest::addColumn<QString>("text");
    QTest::newRow("heading 1") << QStringLiteral("［ミダシ1］あい") << int(Kind::Heading) << 1
                               << QStringLiteral("あい");
    QTest::newRow("heading 3, full-width digit")
        << QStringLiteral("［ミダシ３］う") << int(Kind::Heading) << 3 << QStringLiteral("う");
    QTest::newRow("half-width brackets")
        << QStringLiteral("[ミダシ2] え") << int(Kind::Heading) << 2 << QStringLiteral("え");
    QTest::newRow("as a kana conversion leaves it")
        << QStringLiteral("［みだし　１］ あ") << int(Kind::Heading) << 1 << QStringLiteral("あ");
    QTest::newRow("page break") << QStringLiteral("［カイページ］") << int(Kind::PageBreak) << 0 << QString();
    QTest::newRow("keep") << QStringLiteral("［マトメ］") << int(Kind::KeepStart) << 0 << QString();
    QTest::newRow("keep end") << QStringLiteral("［マトメオワリ］") << int(Kind::KeepEnd) << 0 << QString();
    QTest::newRow("original page") << QStringLiteral("［ゲンポン１２］") << int(Kind::OriginalPage) << 12
                                   << QString();
    QTest::newRow("empty") << QString() << int(Kind::Blank) << 0 << QString();
    // Not markers: the line is the text's own.
    QTest::newRow("level 4") << QStringLiteral("［ミダシ4］あ") << int(Kind::Paragraph) << 0
                             << QStringLiteral("［ミダシ4］あ");
    QTest::newRow("another word") << QStringLiteral("［ちゅう］あ") << int(Kind::Paragraph) << 0
                                  << QStringLiteral("［ちゅう］あ");
    QTest::newRow("text after a page break") << QStringLiteral("［カイページ］あ") << int(Kind::Paragraph)
                                             << 0 << QStringLiteral("［カイページ］あ");
    QTest::newRow("not at the start") << QStringLiteral("あ［カイページ］") << int(Kind::Paragraph) << 0
                                      << QStringLiteral("あ［カイページ］");
    QTest::newRow("page 0") << QStringLiteral("［ゲンポン0］") << int(Kind::Paragraph) << 0
                            << QStringLiteral("［ゲンポン0］");
}

void TestBookLayout::readsMarkers()
{
    QFETCH(QString, line);
    QFETCH(int, kind);
    QFETCH(int, number);
    QFETCH(QString, text);
    const BookMarkers::Line parsed = BookMarkers::parse(line);
    QCOMPARE(int(parsed.kind), kind);
    QCOMPARE(parsed.kind == Kind::OriginalPage ? parsed.originalPage : parsed.level, number);
    QCOMPARE(parsed.text, text);
    // Setting a heading and clearing it gives the line's text back.
    if (parsed.kind == Kind::Heading || parsed.kind == Kind::Paragraph) {
        const QString set = BookMarkers::withHeading(line, 2);
        QCOMPARE(BookMarkers::parse(set).level, 2);
        QCOMPARE(BookMarkers::withHeading(set, 0), parsed.text);
    }
}

void TestBookLayout::paragraphs_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("indent");
    QTest::addColumn<QStringList>("expected");
    // Lines of 12 cells.
    QTest::newRow("first line at the third cell")
        << QStringLiteral("あいう") << true << QStringList{b(u"__⠁⠃⠉")};
    QTest::newRow("a full-width blank becomes the indent")
        << QStringLiteral("　あいう") << true << QStringList{b(u"__⠁⠃⠉")};
    QTest::newRow("other lines at the first cell")
        << QStringLiteral("あいうえ おあいう えおあ") << true << QStringList{b(u"__⠁⠃⠉⠋_⠊⠁⠃⠉"), b(u"⠋⠊⠁")};
    QTest::newRow("each source line a paragraph")
        << QStringLiteral("あ\nい") << true << QStringList{b(u"__⠁"), b(u"__⠃")};
    QTest::newRow("an empty line stays empty")
        << QStringLiteral("あ\n\nい") << true << QStringList{b(u"__⠁"), QString(), b(u"__⠃")};
    QTest::newRow("no indent: as written") << QStringLiteral("　あいう") << false << QStringList{b(u"_⠁⠃⠉")};
    QTest::newRow("no indent: wraps at the width")
        << QStringLiteral("あいうえ おあいう えおあ") << false << QStringList{b(u"⠁⠃⠉⠋_⠊⠁⠃⠉"), b(u"⠋⠊⠁")};
}

void TestBookLayout::paragraphs()
{
    QFETCH(QString, text);
    QFETCH(bool, indent);
    QFETCH(QStringList, expected);
    PageSettings settings = smallPages();
    settings.paragraphIndent = indent;
    const BookLayout::Book book = layBook(text, settings);
    QCOMPARE(book.volumes.size(), 1);
    QCOMPARE(allLines(book.volumes.first()), expected);
}

void TestBookLayout::headingStartsAtItsColumn_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("column");
    // 大見出し at the ninth cell, 中 at the seventh, 小 at the fifth.
    QTest::newRow("level 1") << 1 << 9;
    QTest::newRow("level 2") << 2 << 7;
    QTest::newRow("level 3") << 3 << 5;
}

void TestBookLayout::headingStartsAtItsColumn()
{
    QFETCH(int, level);
    QFETCH(int, column);
    // A paragraph, the heading (long enough for two lines of 16 cells), a
    // paragraph.
    const QString text = QStringLiteral("あ\n") + BookMarkers::headingMarker(level) +
                         QStringLiteral("あいう えおあ いうえ おあい\nう");
    PageSettings settings = smallPages(16, 20);
    const QStringList lines = allLines(layBook(text, settings).volumes.first());
    const qsizetype first = lines.indexOf(QRegularExpression(QStringLiteral("⠀*⠁⠃⠉.*")));
    QVERIFY(first > 0);
    // Every line of the heading starts at its column, none goes past the page.
    for (qsizetype i = first; i < first + 2; ++i) {
        QCOMPARE(lines[i].indexOf(QRegularExpression(QStringLiteral("[^⠀]"))), column - 1);
        QVERIFY(lines[i].size() <= 16);
    }
    // A blank line before it; one after it at level 1 only.
    QCOMPARE(lines[first - 1], QString());
    QCOMPARE(lines[first + 2].isEmpty(), level == 1);

    // Without the blank lines setting, the heading follows the text directly.
    settings.headingBlankLines = false;
    const QStringList tight = allLines(layBook(text, settings).volumes.first());
    QCOMPARE(tight.count(QString()), 0);
}

void TestBookLayout::headingNeverEndsAPage_data()
{
    QTest::addColumn<int>("before"); // paragraphs before the heading
    QTest::addColumn<bool>("moves");
    // Pages of 10 lines: one blank line, the heading, a blank line after it,
    // then the paragraph: four lines from where it starts.
    QTest::newRow("room for it and a line") << 6 << false;
    QTest::newRow("only its own lines left") << 8 << true;
    QTest::newRow("heading would be last") << 9 << true;
}

void TestBookLayout::headingNeverEndsAPage()
{
    QFETCH(int, before);
    QFETCH(bool, moves);
    const QString text =
        someParagraphs(before, 1) + BookMarkers::headingMarker(1) + QStringLiteral("えお\nう\n");
    const BraillePages pages = layBook(text, smallPages()).volumes.first();
    const int page = pageHolding(pages, b(u"________⠋⠊"));
    QCOMPARE(page, moves ? 1 : 0);
    // The paragraph after the heading is on the heading's page.
    QCOMPARE(pageHolding(pages, b(u"__⠉")), page);
    // Moved to a new page, it has no blank line above it.
    if (moves)
        QCOMPARE(pages.pages[1].first(), b(u"________⠋⠊"));
}

void TestBookLayout::pageBreakBeforeAHeading()
{
    const QString text = QStringLiteral("あ\n") + BookMarkers::pageBreakMarker() + u'\n' +
                         BookMarkers::headingMarker(2) + QStringLiteral("い\nう\n") +
                         // A page break at the top of a page makes no empty page.
                         BookMarkers::pageBreakMarker() + u'\n' + BookMarkers::pageBreakMarker() + u'\n' +
                         QStringLiteral("え\n");
    const BraillePages pages = layBook(text, smallPages()).volumes.first();
    QCOMPARE(pages.pages.size(), 3);
    QCOMPARE(pages.pages[0], QStringList{b(u"__⠁")});
    QCOMPARE(pages.pages[1], (QStringList{b(u"______⠃"), b(u"__⠉")}));
    QCOMPARE(pages.pages[2], QStringList{b(u"__⠋")});
}

void TestBookLayout::keepTogether_data()
{
    QTest::addColumn<int>("before"); // one-line paragraphs before the group
    QTest::addColumn<int>("kept");   // lines in the group
    QTest::addColumn<int>("groupPage");
    // Pages of 10 lines.
    QTest::newRow("fits where it is") << 5 << 4 << 0;
    QTest::newRow("moves to the next page") << 8 << 4 << 1;
    QTest::newRow("longer than a page: flows on") << 8 << 12 << 0;
}

void TestBookLayout::keepTogether()
{
    QFETCH(int, before);
    QFETCH(int, kept);
    QFETCH(int, groupPage);
    const QString text = someParagraphs(before, 1) + BookMarkers::keepStartMarker() + u'\n' +
                         QStringLiteral("う\n").repeated(kept) + BookMarkers::keepEndMarker() + u'\n' +
                         QStringLiteral("え\n");
    const BraillePages pages = layBook(text, smallPages()).volumes.first();
    QCOMPARE(pageHolding(pages, b(u"__⠉")), groupPage);
    if (kept <= 10)
        QCOMPARE(pages.pages[groupPage].count(b(u"__⠉")), kept);
}

void TestBookLayout::tocGivesThePagesOfTheHeadings_data()
{
    QTest::addColumn<bool>("dots");
    QTest::addColumn<bool>("interpoint");
    QTest::newRow("dot leader") << true << false;
    QTest::newRow("blank leader") << false << false;
    QTest::newRow("interpoint") << true << true;
}

void TestBookLayout::tocGivesThePagesOfTheHeadings()
{
    QFETCH(bool, dots);
    QFETCH(bool, interpoint);
    PageSettings settings =
        PageSettings::preset(interpoint ? PageSettings::Preset::Interpoint : PageSettings::Preset::Single);
    settings.tocDotLeader = dots;
    QString text;
    const QStringList names{QStringLiteral("あ"), QStringLiteral("い"), QStringLiteral("う"),
                            QStringLiteral("え")};
    for (int i = 0; i < names.size(); ++i)
        text += BookMarkers::headingMarker(1 + i % 3) + names[i] + u'\n' + someParagraphs(30 + i * 7, 6);
    DocumentInfo info;
    info.title = QStringLiteral("ほん");
    const BraillePages pages = layBook(text, settings, info).volumes.first();
    QCOMPARE(pages.pageLabels.size(), pages.pages.size());
    const qsizetype toc = pages.pageLabels.indexOf(QRegularExpression(QStringLiteral("目次.*")));
    QVERIFY(toc > 0);
    const QStringList tocPage = pages.pages[toc];
    for (int i = 0; i < names.size(); ++i) {
        const int level = 1 + i % 3;
        const QString heading =
            QString(BookLayout::headingColumn(level) - 1, QChar(0x2800)) + fakeBraille(names[i]);
        const int page = pageHolding(pages, heading);
        QVERIFY(page > toc);
        QCOMPARE(pages.pageLabels[page].left(2), QStringLiteral("本文"));
        // The entry: the heading at its level's place, the leader, the page
        // number at the right end.
        const QString number = PageLayout::pageNumberLine(page + 1, 0);
        const QString start = QString((level - 1) * 2, QChar(0x2800)) + fakeBraille(names[i]) + QChar(0x2800);
        const qsizetype entry = tocPage.indexOf(QRegularExpression(start + QStringLiteral(".*")));
        QVERIFY2(entry >= 0, qPrintable(names[i]));
        const QString line = tocPage[entry];
        QCOMPARE(line.size(), settings.cells);
        QVERIFY(line.endsWith(QChar(0x2800) + number));
        const QChar leader = line[start.size()];
        QCOMPARE(leader, dots ? QChar(0x2812) : QChar(0x2800));
        // The body's page line carries the same number.
        QVERIFY(pages.pages[page].first().endsWith(number));
    }
}

void TestBookLayout::originalPagesStandOnThePageLine()
{
    PageSettings settings = smallPages(20, 10);
    settings.pageNumbers = true;
    // Page 12 of the original starts at the top; 13 starts on the same
    // braille page; the next braille page starts inside 13.
    const QString text = BookMarkers::originalPageMarker(12) + QStringLiteral("\nあ\n") +
                         BookMarkers::originalPageMarker(13) + u'\n' + someParagraphs(12, 1);
    const BraillePages pages = layBook(text, settings).volumes.first();
    QCOMPARE(pages.pages[0].first(), b(u"________⠼⠁⠃⠤⠼⠁⠉___⠼⠁"));
    QCOMPARE(pages.pages[1].first(), b(u"____________⠼⠁⠉___⠼⠃"));
    // Without the marker, the page line is the page number alone.
    const BraillePages plain = layBook(someParagraphs(3, 1), settings).volumes.first();
    QCOMPARE(plain.pages[0].first(), PageLayout::pageNumberLine(1, 20));
}

void TestBookLayout::originalPageInsideKeptLinesKeepsThem_data()
{
    QTest::addColumn<int>("before"); // kept lines before the marker
    QTest::newRow("first in the group") << 0;
    QTest::newRow("inside the group") << 2;
    QTest::newRow("last in the group") << 3;
}

// The marker names the original's page where it stands and the lines
// kept with it stay, every one of them.
void TestBookLayout::originalPageInsideKeptLinesKeepsThem()
{
    QFETCH(int, before);
    PageSettings settings = smallPages(20, 10);
    settings.pageNumbers = true;
    const QString text = BookMarkers::keepStartMarker() + u'\n' + QStringLiteral("あ\n").repeated(before) +
                         BookMarkers::originalPageMarker(5) + u'\n' + QStringLiteral("い\n").repeated(3 - before) +
                         BookMarkers::keepEndMarker() + QStringLiteral("\nう\n");
    const BraillePages pages = layBook(text, settings).volumes.first();
    const QStringList lines = allLines(pages);
    QCOMPARE(lines.count(b(u"__⠁")), before);
    QCOMPARE(lines.count(b(u"__⠃")), 3 - before);
    QCOMPARE(lines.count(b(u"__⠉")), 1);
    QCOMPARE(pages.pages[0].first(), b(u"_____________⠼⠑___⠼⠁"));
}

void TestBookLayout::volumesStayWithinTheLimit_data()
{
    QTest::addColumn<int>("paragraphs");
    QTest::addColumn<int>("volumePages");
    QTest::addColumn<int>("volumes");
    // Interpoint pages of 17 text lines; paragraphs of two lines.
    QTest::newRow("500 pages") << 4250 << 160 << 4;
    QTest::newRow("fits in one") << 200 << 160 << 1;
    QTest::newRow("small volumes") << 400 << 20 << 3;
}

void TestBookLayout::volumesStayWithinTheLimit()
{
    QFETCH(int, paragraphs);
    QFETCH(int, volumePages);
    QFETCH(int, volumes);
    PageSettings settings = PageSettings::preset(PageSettings::Preset::Interpoint);
    settings.volumePages = volumePages;
    DocumentInfo info;
    info.title = QStringLiteral("ほん");
    info.transcriber = QStringLiteral("あお");
    const BookLayout::Book book = layBook(someParagraphs(paragraphs, 12), settings, info);
    QCOMPARE(book.volumes.size(), volumes);
    int bodyLines = 0;
    for (qsizetype v = 0; v < book.volumes.size(); ++v) {
        const BraillePages &volume = book.volumes[v];
        QVERIFY2(volume.pages.size() <= volumePages, qPrintable(QString::number(volume.pages.size())));
        QVERIFY(volume.duplex);
        QVERIFY(volume.pageLabels.first().contains(QStringLiteral("標題紙")));
        QVERIFY(volume.pageLabels.last().contains(QStringLiteral("奥付")));
        // The title page names the volume when there are more than one.
        if (book.volumes.size() > 1)
            QVERIFY(volume.pages.first().join(QString()).contains(fakeBraille(QString::number(v + 1))));
        for (qsizetype p = 0; p < volume.pages.size(); ++p) {
            QVERIFY(volume.pages[p].size() <= settings.lines);
            if (volume.pageLabels[p].contains(QStringLiteral("本文")))
                bodyLines += int(volume.pages[p].size()) - 1;
        }
    }
    // Every paragraph's lines are there, none lost at a volume break.
    QCOMPARE(bodyLines, paragraphs * 2);
}

void TestBookLayout::volumeSplitsAtAHeadingNearTheLimit()
{
    PageSettings settings = smallPages(20, 10);
    settings.volumePages = 20;
    // Chapters of about eight pages: the heading that starts the third
    // stands in the volume's last quarter.
    QString text;
    for (int chapter = 0; chapter < 6; ++chapter)
        text += BookMarkers::headingMarker(1) + QStringLiteral("えお\n") + someParagraphs(75, 1);
    const BookLayout::Book book = layBook(text, settings);
    QVERIFY(book.volumes.size() >= 3);
    for (const BraillePages &volume : book.volumes) {
        QVERIFY(volume.pages.size() <= 20);
        QCOMPARE(volume.pages.first().first(), b(u"________⠋⠊"));
    }
    // With no heading near the limit it splits between paragraphs.
    const BookLayout::Book plain = layBook(someParagraphs(500, 1), settings);
    for (const BraillePages &volume : plain.volumes) {
        QVERIFY(volume.pages.size() <= 20);
        QCOMPARE(volume.pages.first().first(), b(u"__⠁⠃"));
    }
}

void TestBookLayout::volumesComeAsTheTextComes_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("frontMatter");
    QTest::newRow("paragraphs") << QString() << false;
    QTest::newRow("with title pages and 目次") << BookMarkers::headingMarker(1) + QStringLiteral("あ\n") << true;
    // A group never closed is longer than a volume: it is cut at pages.
    QTest::newRow("kept lines never closed") << BookMarkers::keepStartMarker() + u'\n' << false;
}

// A volume is handed on while the text is still coming, with no more of
// the text held than about a volume: memory does not grow with the text.
void TestBookLayout::volumesComeAsTheTextComes()
{
    QFETCH(QString, start);
    QFETCH(bool, frontMatter);
    PageSettings settings = smallPages(12, 10);
    settings.volumePages = 20;
    DocumentInfo info;
    if (frontMatter)
        info.title = QStringLiteral("ほん");
    const BookLayout::Translate translate = [](QStringView kana) { return fakeBraille(kana); };
    // One line a paragraph: at most 200 of them fill a volume.
    const QList<BookLayout::Block> blocks = BookLayout::blocks(start + someParagraphs(3000, 1), {}, translate);
    constexpr int kVolumeLines = 200;
    qsizetype added = 0;
    qsizetype placed = 0;
    int handedEarly = 0;
    BookLayout::VolumeStream stream(info, settings, translate, [&](BookLayout::VolumeBody &&body, bool last) {
        for (const QStringList &page : body.pages)
            placed += page.count(b(u"__⠁⠃"));
        if (added < blocks.size()) {
            ++handedEarly;
            QVERIFY(!last);
            QVERIFY2(added - placed <= kVolumeLines + 2, qPrintable(QString::number(added - placed)));
        }
    });
    for (const BookLayout::Block &block : blocks) {
        ++added;
        stream.add(block);
    }
    stream.finish();
    QVERIFY2(handedEarly >= 10, qPrintable(QString::number(handedEarly)));
    QCOMPARE(placed, 3000);
}

void TestBookLayout::interpointTitlePageHasABlankBack()
{
    DocumentInfo info;
    info.title = QStringLiteral("ほん");
    info.author = QStringLiteral("いう");
    const PageSettings interpoint = PageSettings::preset(PageSettings::Preset::Interpoint);
    const BraillePages pages = layBook(someParagraphs(40), interpoint, info).volumes.first();
    QCOMPARE(pages.lines, 18);
    QVERIFY(pages.pageLabels[0].endsWith(QStringLiteral("（表）")));
    QVERIFY(pages.pageLabels[1].endsWith(QStringLiteral("（裏）")));
    QVERIFY(pages.pages[1].isEmpty());
    // The body starts on a front, page 3, its number at the right end.
    QCOMPARE(pages.pages[2].first(), PageLayout::pageNumberLine(3, 32));
    // The title page has no page number; single-sided has no blank back.
    QVERIFY(!pages.pages[0].contains(PageLayout::pageNumberLine(1, 32)));
    const BraillePages single =
        layBook(someParagraphs(40), PageSettings::preset(PageSettings::Preset::Single), info).volumes.first();
    QVERIFY(!single.pages[1].isEmpty());
}

void TestBookLayout::documentInfoLivesBesideTheText()
{
    QTemporaryDir dir;
    const QString text = dir.filePath(QStringLiteral("ほん.txt"));
    QCOMPARE(DocumentInfo::pathBeside(text), dir.filePath(QStringLiteral("ほん.bookinfo")));
    // No file: empty information, no error.
    FileProblem error;
    QVERIFY(DocumentInfo::loadBeside(text, &error).isEmpty());
    QVERIFY(error.ok());

    DocumentInfo info;
    info.title = QStringLiteral("てんじの　ほん");
    info.author = QStringLiteral("あ=い");       // an equals sign inside a value
    info.transcriber = QStringLiteral("う\nえ"); // a line end typed in a field
    QVERIFY(info.saveBeside(text).ok());
    const DocumentInfo read = DocumentInfo::loadBeside(text);
    QCOMPARE(read.title, info.title);
    QCOMPARE(read.author, info.author);
    QCOMPARE(read.transcriber, QStringLiteral("う え"));
    // Emptied, the file goes.
    QVERIFY(DocumentInfo().saveBeside(text).ok());
    QVERIFY(!QFile::exists(DocumentInfo::pathBeside(text)));
}

void TestBookLayout::bookReadsBackAsItsBody()
{
    DocumentInfo info;
    info.title = QStringLiteral("ほん");
    const QString text = BookMarkers::originalPageMarker(7) + u'\n' + QStringLiteral("あい\n").repeated(40);
    const BraillePages pages =
        layBook(text, PageSettings::preset(PageSettings::Preset::Interpoint), info).shown();
    // No page line, title page or colophon comes back: the forty lines only.
    QCOMPARE(PageLayout::textLines(pages), QStringList(40, b(u"__⠁⠃")));
}

QTEST_APPLESS_MAIN(TestBookLayout)
#include "tst_booklayout.moc"
