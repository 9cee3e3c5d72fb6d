// OpenDocument text (.odt): everything in content.xml.
#include "formatreaders.h"

#include "textbuilder.h"
#include "xmlreading.h"
#include "ziparchive.h"

namespace {

ImportError readContent(const QByteArray &content, TextBuilder &document)
{
    XmlReader xml(content);
    TextBuilder noteText;
    TextBuilder *out = &document;
    enum class RubyPart { None, Base, Reading } rubyPart = RubyPart::None;
    QString rubyBase, rubyReading;
    QString frameTitle, frameDescription;
    enum class FrameText { None, Title, Description } frameText = FrameText::None;
    int skipDepth = 0;
    while (xml.next()) {
        const QStringView name = xml.name();
        if (xml.xml().isCharacters()) {
            if (skipDepth > 0)
                continue;
            const QStringView text = xml.xml().text();
            if (frameText == FrameText::Title)
                frameTitle += text;
            else if (frameText == FrameText::Description)
                frameDescription += text;
            else if (rubyPart == RubyPart::Base)
                rubyBase += text;
            else if (rubyPart == RubyPart::Reading)
                rubyReading += text;
            else
                out->addText(text);
        } else if (xml.isStart()) {
            if (skipDepth > 0) {
                ++skipDepth;
                continue;
            }
            // Deleted text of tracked changes, comments and the note's own
            // citation (the note is numbered here) are not the text.
            if (name == u"tracked-changes" || name == u"annotation" || name == u"note-citation" ||
                name == u"forms" || name == u"sequence-decls") {
                skipDepth = 1;
            } else if (name == u"p") {
                out->endParagraph();
            } else if (name == u"h") {
                bool ok = false;
                const int level = xml.attribute(u"text:outline-level").toInt(&ok);
                out->beginHeading(ok ? level : 1);
            } else if (name == u"s") {
                const int count = xml.attribute(u"text:c").toInt();
                out->addText(QString(qBound(1, count, 100), u' '));
            } else if (name == u"tab") {
                out->addText(u" ");
            } else if (name == u"line-break") {
                out->addText(u"\n");
            } else if (name == u"ruby") {
                rubyBase.clear();
                rubyReading.clear();
            } else if (name == u"ruby-base") {
                rubyPart = RubyPart::Base;
            } else if (name == u"ruby-text") {
                rubyPart = RubyPart::Reading;
            } else if (name == u"note-body") {
                out = &noteText;
            } else if (name == u"frame") {
                frameTitle.clear();
                frameDescription.clear();
            } else if (name == u"title" && xml.xml().namespaceUri().contains(u"svg")) {
                frameText = FrameText::Title;
            } else if (name == u"desc" && xml.xml().namespaceUri().contains(u"svg")) {
                frameText = FrameText::Description;
            }
        } else if (xml.isEnd()) {
            if (skipDepth > 0) {
                --skipDepth;
                continue;
            }
            if (name == u"p" || name == u"h" || name == u"table-cell" || name == u"list-item") {
                out->endParagraph();
            } else if (name == u"ruby-base" || name == u"ruby-text") {
                rubyPart = RubyPart::None;
            } else if (name == u"ruby") {
                out->addRuby(rubyBase, rubyReading);
            } else if (name == u"note-body") {
                out = &document;
                out->addNote(noteText.takeLines(), true);
            } else if (name == u"title" || name == u"desc") {
                frameText = FrameText::None;
            } else if (name == u"frame") {
                out->addImageDescription(frameDescription.isEmpty() ? frameTitle : frameDescription);
                frameTitle.clear();
                frameDescription.clear();
            } else if (name == u"section") {
                out->endSection();
            }
        }
    }
    return xml.error();
}

} // namespace

DocumentImport readOpenDocumentContent(const QByteArray &content)
{
    DocumentImport result;
    TextBuilder builder;
    result.problem = {readContent(content, builder)};
    if (result.problem)
        return result;
    result.document = builder.finish();
    result.ok = true;
    return result;
}

DocumentImport readOpenDocument(const QByteArray &bytes)
{
    DocumentImport result;
    ZipArchive zip;
    if (!zip.open(bytes)) {
        result.problem = {zip.error()};
        return result;
    }
    const QString manifestPart = QStringLiteral("META-INF/manifest.xml");
    if (zip.contains(manifestPart)) {
        const std::optional<QByteArray> manifest = zip.read(manifestPart);
        if (!manifest) {
            result.problem = {zip.error()};
            return result;
        }
        // A password-protected file lists how each part was encrypted.
        if (manifest->contains("encryption-data")) {
            result.problem = {ImportError::Encrypted};
            return result;
        }
    }
    const QString contentPart = QStringLiteral("content.xml");
    if (!zip.contains(contentPart)) {
        result.problem = {ImportError::NotThisFormat, DocumentImporter::Format::OpenDocument};
        return result;
    }
    const std::optional<QByteArray> content = zip.read(contentPart);
    if (!content) {
        result.problem = {zip.error()};
        return result;
    }
    return readOpenDocumentContent(*content);
}
