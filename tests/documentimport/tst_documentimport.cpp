#include "documentimport/documentimport.h"
#include "testdocuments.h"

#include <QBuffer>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using DocumentImporter::Format;

Q_DECLARE_METATYPE(DocumentImporter::Format)

// Importing documents of our own making, and refusing hostile ones.
class TestDocumentImport : public QObject
{
    Q_OBJECT

private slots:
    void sampleInEachFormat_data();
    void sampleInEachFormat();
    void htmlText_data();
    void htmlText();
    void xhtmlThatIsNoXmlIsReadAsHtml();
    void hostileFilesAreRefused_data();
    void hostileFilesAreRefused();
    void pdfPagesJoinIntoParagraphs();
    void pdfWithALoopEnds();
    void formatBySuffixAndName();
};

void TestDocumentImport::sampleInEachFormat_data()
{
    QTest::addColumn<Format>("format");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("docx") << Format::Word << TestDocuments::wordSample() << TestDocuments::numberedNoteSampleText();
    QTest::newRow("odt") << Format::OpenDocument << TestDocuments::openDocumentSample()
                         << TestDocuments::numberedNoteSampleText();
    QTest::newRow("html") << Format::Html << TestDocuments::htmlSample() << TestDocuments::pageNoteSampleText();
    QTest::newRow("xhtml") << Format::Xhtml << TestDocuments::xhtmlPage(TestDocuments::htmlSampleBody())
                           << TestDocuments::pageNoteSampleText();
    QTest::newRow("epub") << Format::Epub << TestDocuments::epubSample() << TestDocuments::pageNoteSampleText();
}

void TestDocumentImport::sampleInEachFormat()
{
    QFETCH(Format, format);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QVERIFY(!bytes.isEmpty());
    const DocumentImport imported = DocumentImporter::importBytes(bytes, format);
    QVERIFY2(imported.ok, qPrintable(QVariant::fromValue(imported.problem.error).toString()));
    QCOMPARE(imported.document.text, text);
    // Each base in the text once, its reading as printed.
    const QList<RubyReading> readings = {{text.indexOf(u"山田"), 2, u"やまだ"_s},
                                         {text.indexOf(u"太郎"), 2, u"たろう"_s},
                                         {text.indexOf(u"小鳥遊"), 3, u"たかなし"_s}};
    QCOMPARE(imported.document.readings, readings);
    const QList<ImportedHeading> headings = {{0, 1}};
    QCOMPARE(imported.document.headings, headings);
}

void TestDocumentImport::htmlText_data()
{
    QTest::addColumn<QByteArray>("html");
    QTest::addColumn<QString>("text");
    auto row = [](const char *name, const QByteArray &html, const QString &text) {
        QTest::newRow(name) << html << text;
    };
    row("a line end between kana is no blank", "<p>きのう\n  あった</p>", u"きのうあった"_s);
    row("a line end between words is one", "<p>braille\n  book</p>", u"braille book"_s);
    row("blanks run into one", "<p>a  \t b</p>", u"a b"_s);
    row("a full-width blank stays", "<p>　字下げ</p>", u"　字下げ"_s);
    row("br breaks the line", "<p>一行目<br>二行目</p>", u"一行目\n二行目"_s);
    row("pre keeps its blanks", "<pre>a  b</pre>", u"a  b"_s);
    row("entities", "<p>&amp;&#x5c71;&#24029;&hellip;</p>", u"&山川…"_s);
    row("an unknown entity stays as written", "<p>&bogus; &#xD800;</p>", u"&bogus; &#xD800;"_s);
    row("script, style and comments are no text",
        "<style>p{}</style><p>本<!-- 注釈 -->文</p><script>if (a<b) x='<p>';</script>", u"本文"_s);
    row("an unclosed head ends at body", "<head><meta charset=\"utf-8\"><body><p>本文</p>", u"本文"_s);
    row("a stray < is text", "<p>1 < 2</p>", u"1 < 2"_s);
    row("heading levels", "<h2>節</h2><h3>項</h3>", u"節\n項"_s);
    row("ruby without a reading is plain text", "<p><ruby>漢字</ruby>です</p>", u"漢字です"_s);
    row("shift_jis by meta charset",
        QByteArray("<meta charset=\"Shift_JIS\"><p>") + QByteArray::fromHex("93fa967b8cea") + "</p>", u"日本語"_s);
}

void TestDocumentImport::htmlText()
{
    QFETCH(QByteArray, html);
    QFETCH(QString, text);
    const DocumentImport imported = DocumentImporter::importBytes(html, Format::Html);
    QVERIFY2(imported.ok, qPrintable(QVariant::fromValue(imported.problem.error).toString()));
    QCOMPARE(imported.document.text, text);
}

void TestDocumentImport::xhtmlThatIsNoXmlIsReadAsHtml()
{
    // &nbsp; without a DTD, and a page cut off inside its body.
    const QByteArray page = TestDocuments::xhtmlPage("<p>本&nbsp;文</p><p><ruby>漢<rt>かん</rt></ruby></p>");
    for (const QByteArray &bytes : {page, page.left(page.indexOf("</body>"))}) {
        const DocumentImport imported = DocumentImporter::importBytes(bytes, Format::Xhtml);
        QVERIFY2(imported.ok, qPrintable(QVariant::fromValue(imported.problem.error).toString()));
        QCOMPARE(imported.document.text, u"本 文\n漢"_s);
        QCOMPARE(imported.document.readings, (QList<RubyReading>{{4, 1, u"かん"_s}}));
    }
}

namespace {

// What a scanner gives: a page with a picture and no text.
QByteArray pictureOnlyPdf()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    QPainter painter(&writer);
    painter.fillRect(QRect(100, 100, 2000, 3000), Qt::gray);
    painter.end();
    return bytes;
}

QByteArray nested(const QByteArray &open, const QByteArray &close, int depth, const QByteArray &inner)
{
    return open.repeated(depth) + inner + close.repeated(depth);
}

} // namespace

void TestDocumentImport::hostileFilesAreRefused_data()
{
    using namespace TestDocuments;
    QTest::addColumn<Format>("format");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<ImportError>("error");
    QTest::addColumn<Format>("notFormat"); // NotThisFormat: the format named

    // 65 MB of blanks that pack into a few hundred kilobytes.
    QTest::newRow("zip bomb") << Format::Word
                              << wordFileWithBody("<w:p><w:r><w:t>" + QByteArray(65 * 1024 * 1024, ' ') +
                                                  "</w:t></w:r></w:p>")
                              << ImportError::TooLarge << Format::Unknown;
    Entries many;
    for (int i = 0; i <= 10000; ++i)
        many.append({QStringLiteral("e%1").arg(i), QByteArray()});
    QTest::newRow("too many entries") << Format::Word << zipOf(many) << ImportError::TooLarge << Format::Unknown;

    const QByteArray externalEntity = "<!DOCTYPE w:document [<!ENTITY secret SYSTEM \"file:///etc/hostname\">]>";
    QTest::newRow("external entity in Word")
        << Format::Word << wordFileWithBody("<w:p><w:r><w:t>&secret;</w:t></w:r></w:p>", externalEntity)
        << ImportError::EntityDeclarations << Format::Unknown;
    const QByteArray laughs = "<!DOCTYPE html [<!ENTITY a \"ha\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">"
                              "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;\">]>";
    QTest::newRow("entity expansion in XHTML")
        << Format::Xhtml << xhtmlPage("<p>&c;</p>", laughs) << ImportError::EntityDeclarations << Format::Unknown;
    QTest::newRow("external entity in an EPUB page")
        << Format::Epub
        << epubWithPages({xhtmlPage("<p>&secret;</p>",
                                    "<!DOCTYPE html [<!ENTITY secret SYSTEM \"http://example.invalid/x\">]>")})
        << ImportError::EntityDeclarations << Format::Unknown;

    QTest::newRow("Word nested too deep")
        << Format::Word << wordFileWithBody(nested("<w:sdt>", "</w:sdt>", 300, "<w:p/>"))
        << ImportError::TooDeep << Format::Unknown;
    QTest::newRow("HTML nested too deep")
        << Format::Html << nested("<div>", "</div>", 5000, "x") << ImportError::TooDeep << Format::Unknown;
    QTest::newRow("Word not well-formed")
        << Format::Word << wordFileWithBody("<w:p><w:r><w:t>切れた") << ImportError::Damaged << Format::Unknown;

    QVERIFY(zip_encryption_method_supported(ZIP_EM_AES_256, 1));
    QTest::newRow("zip entries encrypted")
        << Format::Word
        << zipOf({{QStringLiteral("word/document.xml"), "<w:document/>"}}, "secret")
        << ImportError::Encrypted << Format::Unknown;
    QTest::newRow("Word saved with a password")
        << Format::Word << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(4096, '\0')
        << ImportError::Encrypted << Format::Unknown;
    QTest::newRow("OpenDocument saved with a password")
        << Format::OpenDocument
        << openDocumentWithContent("<text:p>x</text:p>",
                                   "<manifest:encryption-data manifest:checksum-type=\"SHA1/1K\"/>")
        << ImportError::Encrypted << Format::Unknown;
    QTest::newRow("EPUB with its text encrypted")
        << Format::Epub
        << epubWithPages({xhtmlPage("<p>x</p>")},
                         {{QStringLiteral("META-INF/encryption.xml"),
                           "<encryption xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\" "
                           "xmlns:enc=\"http://www.w3.org/2001/04/xmlenc#\"><enc:EncryptedData><enc:CipherData>"
                           "<enc:CipherReference URI=\"OEBPS/text/page1.xhtml\"/></enc:CipherData>"
                           "</enc:EncryptedData></encryption>"}})
        << ImportError::Encrypted << Format::Unknown;

    const QByteArray sample = wordSample();
    QTest::newRow("cut-off zip") << Format::Word << sample.left(sample.size() / 2) << ImportError::Damaged << Format::Unknown;
    QTest::newRow("no zip at all") << Format::Epub << QByteArray("plain words") << ImportError::Damaged << Format::Unknown;
    QTest::newRow("zip without a Word body")
        << Format::Word << zipOf({{QStringLiteral("a.txt"), "a"}})
        << ImportError::NotThisFormat << Format::Word;
    QTest::newRow("PDF without its body")
        << Format::Pdf << QByteArray("%PDF-1.4\n%%EOF\n") << ImportError::Damaged << Format::Unknown;
    QTest::newRow("no PDF at all") << Format::Pdf << QByteArray("plain words")
                                   << ImportError::NotThisFormat << Format::Pdf;
    QTest::newRow("a PDF of pictures only") << Format::Pdf << pictureOnlyPdf() << ImportError::NoText << Format::Unknown;
    QTest::newRow("a page of script only")
        << Format::Html << QByteArray("<script>document.write('本文')</script>") << ImportError::NoText << Format::Unknown;
}

void TestDocumentImport::hostileFilesAreRefused()
{
    QFETCH(Format, format);
    QFETCH(QByteArray, bytes);
    QFETCH(ImportError, error);
    QFETCH(Format, notFormat);
    QVERIFY(!bytes.isEmpty());
    const DocumentImport imported = DocumentImporter::importBytes(bytes, format);
    QVERIFY(!imported.ok);
    QCOMPARE(imported.problem.error, error);
    QCOMPARE(imported.problem.format, notFormat);
}

namespace {

// A PDF of three pages with the same header on each and its number at the
// foot; one paragraph runs over a page break.
QByteArray threePagePdf()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A5));
    writer.setResolution(72);
    QPainter painter(&writer);
    QFont font(u"Noto Sans CJK JP"_s);
    font.setPixelSize(12);
    painter.setFont(font);
    const QStringList pages[] = {
        {u"第一章"_s, u""_s, u"　春が来て、村の人たちは畑に出て"_s, u"種をまいた。"_s,
         u"　夏には川で魚をとり、山で木の実"_s},
        {u"をひろった。"_s, u"　秋の祭りでは、子どもたちが歌を"_s, u"うたった。"_s},
        {u"　冬は雪が深い。"_s},
    };
    for (int page = 0; page < 3; ++page) {
        if (page > 0)
            writer.newPage();
        painter.drawText(40, 30, u"山里だより"_s);
        int y = 70;
        for (const QString &line : pages[page]) {
            if (!line.isEmpty())
                painter.drawText(40, y, line);
            y += 18;
        }
        painter.drawText(140, 560, QStringLiteral("- %1 -").arg(page + 1));
    }
    painter.end();
    return bytes;
}

} // namespace

void TestDocumentImport::pdfPagesJoinIntoParagraphs()
{
    const DocumentImport imported = DocumentImporter::importBytes(threePagePdf(), Format::Pdf);
    QVERIFY2(imported.ok, qPrintable(QVariant::fromValue(imported.problem.error).toString()));
    // 一, 人 and 魚 come out of the font as look-alike radicals.
    QCOMPARE(imported.document.text, u"第一章\n　春が来て、村の人たちは畑に出て種をまいた。\n"
                                     u"　夏には川で魚をとり、山で木の実をひろった。\n"
                                     u"　秋の祭りでは、子どもたちが歌をうたった。\n　冬は雪が深い。"_s);
    const QList<ImportedPage> pages = {{0, u"1"_s}, {2, u"2"_s}, {4, u"3"_s}};
    QCOMPARE(imported.document.pages, pages);
}

void TestDocumentImport::pdfWithALoopEnds()
{
    // A page tree whose second kid is the tree itself.
    QByteArray pdf = "%PDF-1.4\n";
    QList<qsizetype> offsets;
    auto object = [&](const QByteArray &body) {
        offsets.append(pdf.size());
        pdf += QByteArray::number(offsets.size()) + " 0 obj\n" + body + "\nendobj\n";
    };
    object("<< /Type /Catalog /Pages 2 0 R >>");
    object("<< /Type /Pages /Kids [3 0 R 2 0 R] /Count 2 >>");
    object("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] /Contents 4 0 R "
           "/Resources << /Font << /F1 5 0 R >> >> >>");
    const QByteArray content = "BT /F1 12 Tf 20 100 Td (Loop) Tj ET";
    object("<< /Length " + QByteArray::number(content.size()) + " >>\nstream\n" + content + "\nendstream");
    object("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(offsets.size() + 1) + "\n0000000000 65535 f \n";
    for (qsizetype offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(offsets.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
           QByteArray::number(xref) + "\n%%EOF\n";
    const DocumentImport imported = DocumentImporter::importBytes(pdf, Format::Pdf);
    // The loop is left; the one real page is read, once.
    QVERIFY2(imported.ok, qPrintable(QVariant::fromValue(imported.problem.error).toString()));
    QCOMPARE(imported.document.text, u"Loop"_s);
}

void TestDocumentImport::formatBySuffixAndName()
{
    QCOMPARE(DocumentImporter::formatOfFile(u"/tmp/本.DOCX"_s), Format::Word);
    QCOMPARE(DocumentImporter::formatOfFile(u"a.htm"_s), Format::Html);
    QCOMPARE(DocumentImporter::formatOfFile(u"a.txt"_s), Format::Unknown);
    QCOMPARE(DocumentImporter::formatOfFile(u"docx"_s), Format::Unknown);
    QCOMPARE(DocumentImporter::formatNamed(u"EPUB"_s), Format::Epub);
    QCOMPARE(DocumentImporter::formatNamed(u"doc"_s), Format::Unknown);
}

QTEST_MAIN(TestDocumentImport)
#include "tst_documentimport.moc"
