#pragma once

// Documents of our own making for the import tests, in each format, all
// with the same content: a heading, a paragraph with ruby and a footnote, a
// list, a table and an image with a description.

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <utility>

#include <zip.h>

namespace TestDocuments {

using Entries = QList<std::pair<QString, QByteArray>>;

// A zip file holding the entries (deflated; the first stored, as EPUB's
// mimetype must be). password, when given, encrypts every entry.
inline QByteArray zipOf(const Entries &entries, const char *password = nullptr)
{
    QTemporaryDir dir;
    const QByteArray path = (dir.path() + QStringLiteral("/test.zip")).toLocal8Bit();
    int error = 0;
    zip_t *archive = zip_open(path.constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        return QByteArray();
    QList<QByteArray> keep = {};
    for (qsizetype i = 0; i < entries.size(); ++i) {
        keep.append(entries[i].second);
        zip_source_t *source = zip_source_buffer(archive, keep.back().constData(), zip_uint64_t(keep.back().size()), 0);
        const zip_int64_t index =
            zip_file_add(archive, entries[i].first.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0)
            return QByteArray();
        const bool store = i == 0 || entries[i].second.isEmpty();
        zip_set_file_compression(archive, zip_uint64_t(index), store ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 1);
        if (password)
            zip_file_set_encryption(archive, zip_uint64_t(index), ZIP_EM_AES_256, password);
    }
    if (zip_close(archive) != 0)
        return QByteArray();
    QFile file(QString::fromLocal8Bit(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline const char *wordNamespaces()
{
    return "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
           "xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\"";
}

inline QByteArray wordFileWithBody(const QByteArray &body, const QByteArray &prolog = QByteArray())
{
    const QByteArray document = prolog + "<w:document " + wordNamespaces() + "><w:body>" + body +
                                "</w:body></w:document>";
    const QByteArray styles = QByteArray("<w:styles ") + wordNamespaces() +
                              "><w:style w:type=\"paragraph\" w:styleId=\"1\"><w:name w:val=\"heading 1\"/>"
                              "</w:style></w:styles>";
    const QByteArray footnotes =
        QByteArray("<w:footnotes ") + wordNamespaces() +
        "><w:footnote w:id=\"0\" w:type=\"separator\"><w:p><w:r><w:separator/></w:r></w:p></w:footnote>"
        "<w:footnote w:id=\"2\"><w:p><w:r><w:t>駅は北口のこと。</w:t></w:r></w:p></w:footnote></w:footnotes>";
    return zipOf({{QStringLiteral("[Content_Types].xml"), "<Types/>"},
                  {QStringLiteral("word/document.xml"), document},
                  {QStringLiteral("word/styles.xml"), styles},
                  {QStringLiteral("word/footnotes.xml"), footnotes}});
}

inline QByteArray wordRuby(const char *base, const char *reading)
{
    return QByteArray("<w:r><w:ruby><w:rubyPr><w:rubyAlign w:val=\"distributeSpace\"/></w:rubyPr><w:rt><w:r>"
                      "<w:rPr><w:sz w:val=\"10\"/></w:rPr><w:t>") +
           reading + "</w:t></w:r></w:rt><w:rubyBase><w:r><w:t>" + base + "</w:t></w:r></w:rubyBase></w:ruby></w:r>";
}

inline QByteArray wordSample()
{
    auto paragraph = [](const QByteArray &runs, const QByteArray &properties = QByteArray()) {
        return "<w:p>" + (properties.isEmpty() ? QByteArray() : "<w:pPr>" + properties + "</w:pPr>") + runs +
               "</w:p>";
    };
    auto text = [](const char *t) { return QByteArray("<w:r><w:t xml:space=\"preserve\">") + t + "</w:t></w:r>"; };
    auto cell = [&](const char *t) { return "<w:tc>" + paragraph(text(t)) + "</w:tc>"; };
    const QByteArray list = "<w:numPr><w:ilvl w:val=\"0\"/><w:numId w:val=\"1\"/></w:numPr>";
    const QByteArray body =
        paragraph(text("第一章　旅の始まり"), "<w:pStyle w:val=\"1\"/>") +
        paragraph(wordRuby("山田", "やまだ") + wordRuby("太郎", "たろう") + text("は") +
                  wordRuby("小鳥遊", "たかなし") + text("さんと駅で会った。") +
                  "<w:r><w:footnoteReference w:id=\"2\"/></w:r>") +
        paragraph(text("りんご"), list) + paragraph(text("みかん"), list) + "<w:tbl><w:tr>" + cell("品名") +
        cell("値段") + "</w:tr><w:tr>" + cell("卵") + cell("二百円") + "</w:tr></w:tbl>" +
        paragraph("<w:r><w:drawing><wp:inline><wp:docPr id=\"1\" name=\"図 1\" descr=\"駅前の地図\"/>"
                  "</wp:inline></w:drawing></w:r>");
    return wordFileWithBody(body);
}

inline QByteArray openDocumentWithContent(const QByteArray &officeText, const QByteArray &manifestExtra = {})
{
    const QByteArray content =
        "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
        "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
        "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\" "
        "xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\">"
        "<office:body><office:text>" +
        officeText + "</office:text></office:body></office:document-content>";
    const QByteArray manifest =
        "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\">"
        "<manifest:file-entry manifest:full-path=\"content.xml\" manifest:media-type=\"text/xml\">" +
        manifestExtra + "</manifest:file-entry></manifest:manifest>";
    return zipOf({{QStringLiteral("mimetype"), "application/vnd.oasis.opendocument.text"},
                  {QStringLiteral("content.xml"), content},
                  {QStringLiteral("META-INF/manifest.xml"), manifest}});
}

inline QByteArray openDocumentSample()
{
    auto ruby = [](const char *base, const char *reading) {
        return QByteArray("<text:ruby><text:ruby-base>") + base + "</text:ruby-base><text:ruby-text>" + reading +
               "</text:ruby-text></text:ruby>";
    };
    auto cell = [](const char *t) { return QByteArray("<table:table-cell><text:p>") + t + "</text:p></table:table-cell>"; };
    return openDocumentWithContent(
        "<text:h text:outline-level=\"1\">第一章　旅の始まり</text:h>"
        "<text:p>" + ruby("山田", "やまだ") + ruby("太郎", "たろう") + "は" + ruby("小鳥遊", "たかなし") +
        "さんと駅で会った。<text:note text:note-class=\"footnote\"><text:note-citation>1</text:note-citation>"
        "<text:note-body><text:p>駅は北口のこと。</text:p></text:note-body></text:note></text:p>"
        "<text:list><text:list-item><text:p>りんご</text:p></text:list-item>"
        "<text:list-item><text:p>みかん</text:p></text:list-item></text:list>"
        "<table:table><table:table-row>" + cell("品名") + cell("値段") + "</table:table-row><table:table-row>" +
        cell("卵") + cell("二百円") + "</table:table-row></table:table>"
        "<text:p><draw:frame><draw:image/><svg:desc>駅前の地図</svg:desc></draw:frame></text:p>");
}

// The sample as the body of an (X)HTML page; the note is an aside.
inline QByteArray htmlSampleBody()
{
    return "<h1>第一章　旅の始まり</h1>\n"
           "<p><ruby>山田<rp>（</rp><rt>やまだ</rt><rp>）</rp></ruby><ruby>太郎<rt>たろう</rt></ruby>は"
           "<ruby>小鳥遊<rt>たかなし</rt></ruby>さんと\n  駅で会った。"
           "<a epub:type=\"noteref\" href=\"#n1\">＊1</a></p>\n"
           "<ul>\n<li>りんご</li>\n<li>みかん</li>\n</ul>\n"
           "<table><tr><th>品名</th><th>値段</th></tr>\n<tr><td>卵</td><td>二百円</td></tr></table>\n"
           "<p><img src=\"map.png\" alt=\"駅前の地図\"/></p>\n"
           "<aside epub:type=\"footnote\" id=\"n1\"><p>＊1　駅は北口のこと。</p></aside>\n";
}

inline QByteArray xhtmlPage(const QByteArray &body, const QByteArray &prolog = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n")
{
    return prolog +
           "<html xmlns=\"http://www.w3.org/1999/xhtml\" xmlns:epub=\"http://www.idpf.org/2007/ops\">"
           "<head><title>旅</title><style>p { margin: 0 }</style></head><body>\n" +
           body + "</body></html>\n";
}

inline QByteArray htmlSample()
{
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>旅</title>"
           "<script>document.write('<p>書かれない</p>');</script></head>\n<body>\n" +
           htmlSampleBody() + "</body></html>\n";
}

inline QByteArray epubWithPages(const QList<QByteArray> &pages, const Entries &extra = {})
{
    QByteArray manifest, spine;
    Entries entries = {{QStringLiteral("mimetype"), "application/epub+zip"},
                       {QStringLiteral("META-INF/container.xml"),
                        "<container xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\" version=\"1.0\">"
                        "<rootfiles><rootfile full-path=\"OEBPS/content.opf\" "
                        "media-type=\"application/oebps-package+xml\"/></rootfiles></container>"}};
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const QByteArray name = "text/page" + QByteArray::number(i + 1) + ".xhtml";
        manifest += "<item id=\"p" + QByteArray::number(i + 1) + "\" href=\"" + name +
                    "\" media-type=\"application/xhtml+xml\"/>";
        spine += "<itemref idref=\"p" + QByteArray::number(i + 1) + "\"/>";
        entries.append({QStringLiteral("OEBPS/") + QString::fromLatin1(name), pages[i]});
    }
    entries.append({QStringLiteral("OEBPS/content.opf"),
                    "<package xmlns=\"http://www.idpf.org/2007/opf\" version=\"3.0\"><manifest>" + manifest +
                        "</manifest><spine>" + spine + "</spine></package>"});
    entries.append(extra);
    return zipOf(entries);
}

inline QByteArray epubSample()
{
    return epubWithPages({xhtmlPage(htmlSampleBody())});
}

// The sample's text as Word and OpenDocument give it: their notes are
// numbered by the import.
inline QString numberedNoteSampleText()
{
    return QStringLiteral("第一章　旅の始まり\n山田太郎は小鳥遊さんと駅で会った。（注1）\nりんご\nみかん\n品名\n値段\n"
                          "卵\n二百円\n駅前の地図\n注1　駅は北口のこと。");
}

// As HTML and EPUB give it: the page's own note mark, the note marked 注.
inline QString pageNoteSampleText()
{
    return QStringLiteral("第一章　旅の始まり\n山田太郎は小鳥遊さんと駅で会った。＊1\nりんご\nみかん\n品名\n値段\n"
                          "卵\n二百円\n駅前の地図\n注　＊1　駅は北口のこと。");
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace TestDocuments
