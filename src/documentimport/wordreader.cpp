// Word (.docx): the body in word/document.xml, heading levels from
// word/styles.xml, footnotes and endnotes from their own parts.
#include "formatreaders.h"

#include "textbuilder.h"
#include "xmlreading.h"
#include "ziparchive.h"

#include <QHash>
#include <QRegularExpression>

namespace {

// Heading level of each paragraph style that is a heading: by its outline
// level, or by its name ("heading 1"; Japanese Word keeps the English name).
QHash<QString, int> headingStyles(const QByteArray &styles)
{
    QHash<QString, int> levels;
    XmlReader xml(styles);
    QString styleId;
    static const QRegularExpression headingName(QStringLiteral("^(?:heading|見出し)\\s*([1-9])$"),
                                                QRegularExpression::CaseInsensitiveOption);
    while (xml.next()) {
        if (!xml.isStart())
            continue;
        if (xml.name() == u"style")
            styleId = xml.attribute(u"w:styleId");
        else if (xml.name() == u"name" && !styleId.isEmpty()) {
            const QRegularExpressionMatch match = headingName.match(xml.attribute(u"w:val"));
            if (match.hasMatch())
                levels.insert(styleId, match.captured(1).toInt());
        } else if (xml.name() == u"outlineLvl" && !styleId.isEmpty() && !levels.contains(styleId)) {
            const int level = xml.attribute(u"w:val").toInt() + 1;
            if (level >= 1 && level <= 6)
                levels.insert(styleId, level);
        }
    }
    return levels;
}

// One story of the file (the body, or the notes) read into a builder.
class WordStoryReader
{
public:
    explicit WordStoryReader(QHash<QString, int> headingStyles) : m_headingStyles(std::move(headingStyles)) {}

    // The body; references to notes take their text from notes.
    ImportError readBody(const QByteArray &xmlData, TextBuilder &out,
                     const QHash<QString, QList<TextBuilder::Line>> *footnotes,
                     const QHash<QString, QList<TextBuilder::Line>> *endnotes)
    {
        m_footnotes = footnotes;
        m_endnotes = endnotes;
        return read(xmlData, out, nullptr);
    }

    // Every note of a notes part, by its id.
    ImportError readNotes(const QByteArray &xmlData, QHash<QString, QList<TextBuilder::Line>> &notes)
    {
        return read(xmlData, m_noteText, &notes);
    }

private:
    ImportError read(const QByteArray &xmlData, TextBuilder &builder, QHash<QString, QList<TextBuilder::Line>> *notes)
    {
        XmlReader xml(xmlData);
        TextBuilder *out = &builder;
        QString noteId;
        // Inside w:ruby: the reading (w:rt) and the base (w:rubyBase).
        enum class RubyPart { None, Reading, Base } rubyPart = RubyPart::None;
        bool inRuby = false;
        QString rubyReading, rubyBase;
        int skipDepth = 0; // inside a part whose text is not shown
        bool inText = false;
        while (xml.next()) {
            const QStringView name = xml.name();
            if (xml.xml().isCharacters()) {
                if (!inText || skipDepth > 0)
                    continue;
                const QStringView text = xml.xml().text();
                if (rubyPart == RubyPart::Reading)
                    rubyReading += text;
                else if (rubyPart == RubyPart::Base)
                    rubyBase += text;
                else
                    out->addText(text);
            } else if (xml.isStart()) {
                if (skipDepth > 0) {
                    ++skipDepth;
                    continue;
                }
                if (name == u"Fallback" || name == u"instrText" || name == u"delText" || name == u"rPr") {
                    skipDepth = 1;
                    continue;
                }
                if (notes && (name == u"footnote" || name == u"endnote")) {
                    noteId = xml.attribute(u"w:id");
                } else if (name == u"p") {
                    out->endParagraph();
                } else if (name == u"pStyle") {
                    const int level = m_headingStyles.value(xml.attribute(u"w:val"));
                    if (level > 0)
                        out->beginHeading(level);
                } else if (name == u"outlineLvl") {
                    const int level = xml.attribute(u"w:val").toInt() + 1;
                    if (level >= 1 && level <= 6)
                        out->beginHeading(level);
                } else if (name == u"ruby") {
                    inRuby = true;
                    rubyReading.clear();
                    rubyBase.clear();
                } else if (name == u"rt" && inRuby) {
                    rubyPart = RubyPart::Reading;
                } else if (name == u"rubyBase" && inRuby) {
                    rubyPart = RubyPart::Base;
                } else if (name == u"t") {
                    inText = true;
                } else if (name == u"tab" || name == u"ptab") {
                    if (rubyPart == RubyPart::None)
                        out->addText(u" ");
                } else if ((name == u"br" && xml.attribute(u"w:type") != u"page") || name == u"cr") {
                    if (rubyPart == RubyPart::None)
                        out->addText(u"\n");
                } else if (name == u"docPr") {
                    QString description = xml.attribute(u"descr");
                    if (description.isEmpty())
                        description = xml.attribute(u"title");
                    out->addImageDescription(description);
                } else if ((name == u"footnoteReference" || name == u"endnoteReference") && !notes) {
                    const auto *source = name == u"footnoteReference" ? m_footnotes : m_endnotes;
                    if (source)
                        out->addNote(source->value(xml.attribute(u"w:id")), true);
                }
            } else if (xml.isEnd()) {
                if (skipDepth > 0) {
                    --skipDepth;
                    continue;
                }
                if (name == u"t") {
                    inText = false;
                } else if (name == u"p" || name == u"tc") {
                    out->endParagraph();
                } else if (name == u"rt" || name == u"rubyBase") {
                    rubyPart = RubyPart::None;
                } else if (name == u"ruby" && inRuby) {
                    out->addRuby(rubyBase, rubyReading);
                    inRuby = false;
                } else if (notes && (name == u"footnote" || name == u"endnote")) {
                    notes->insert(noteId, out->takeLines());
                }
            }
        }
        return xml.error();
    }

    const QHash<QString, int> m_headingStyles;
    const QHash<QString, QList<TextBuilder::Line>> *m_footnotes = nullptr;
    const QHash<QString, QList<TextBuilder::Line>> *m_endnotes = nullptr;
    TextBuilder m_noteText;
};

} // namespace

DocumentImport readWordParts(const QByteArray &body, const QByteArray &styles, const QByteArray &footnotes,
                             const QByteArray &endnotes)
{
    DocumentImport result;
    WordStoryReader reader(headingStyles(styles));
    QHash<QString, QList<TextBuilder::Line>> notes[2];
    for (int i = 0; i < 2; ++i) {
        const QByteArray &part = i == 0 ? footnotes : endnotes;
        if (part.isEmpty())
            continue;
        result.problem = {reader.readNotes(part, notes[i])};
        if (result.problem)
            return result;
    }
    TextBuilder builder;
    result.problem = {reader.readBody(body, builder, &notes[0], &notes[1])};
    if (result.problem)
        return result;
    result.document = builder.finish();
    result.ok = true;
    return result;
}

DocumentImport readWordDocument(const QByteArray &bytes)
{
    DocumentImport result;
    ZipArchive zip;
    if (!zip.open(bytes)) {
        result.problem = {zip.error()};
        return result;
    }
    const QString documentPart = QStringLiteral("word/document.xml");
    if (!zip.contains(documentPart)) {
        result.problem = {ImportError::NotThisFormat, DocumentImporter::Format::Word};
        return result;
    }
    // The parts besides the body may be missing: no styles, no notes.
    QByteArray parts[4];
    const QString names[4] = {documentPart, QStringLiteral("word/styles.xml"), QStringLiteral("word/footnotes.xml"),
                              QStringLiteral("word/endnotes.xml")};
    for (int i = 0; i < 4; ++i) {
        if (i > 0 && !zip.contains(names[i]))
            continue;
        const std::optional<QByteArray> data = zip.read(names[i]);
        if (!data) {
            result.problem = {zip.error()};
            return result;
        }
        parts[i] = *data;
    }
    return readWordParts(parts[0], parts[1], parts[2], parts[3]);
}
