// PEF 1.0: XML, body → volume → section → page → row of Unicode braille.

#include "braillepages/braillecells.h"
#include "formats.h"

#include <QUuid>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace BrailleFiles {

namespace {

const QString kPefNamespace = QStringLiteral("http://www.daisy.org/ns/2008/pef");
const QString kDcNamespace = QStringLiteral("http://purl.org/dc/elements/1.1/");

} // namespace

QByteArray encodePef(const BraillePages &document, QDate date)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDefaultNamespace(kPefNamespace);
    xml.writeNamespace(kDcNamespace, QStringLiteral("dc"));
    xml.writeStartElement(kPefNamespace, QStringLiteral("pef"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("2008-1"));

    xml.writeStartElement(kPefNamespace, QStringLiteral("head"));
    xml.writeStartElement(kPefNamespace, QStringLiteral("meta"));
    xml.writeTextElement(kDcNamespace, QStringLiteral("format"), QStringLiteral("application/x-pef+xml"));
    xml.writeTextElement(
        kDcNamespace, QStringLiteral("identifier"),
        QUuid::createUuid().toString(QUuid::WithoutBraces).prepend(QStringLiteral("urn:uuid:")));
    xml.writeTextElement(kDcNamespace, QStringLiteral("title"), document.title);
    if (!document.author.isEmpty())
        xml.writeTextElement(kDcNamespace, QStringLiteral("creator"), document.author);
    if (!document.publisher.isEmpty())
        xml.writeTextElement(kDcNamespace, QStringLiteral("publisher"), document.publisher);
    xml.writeTextElement(kDcNamespace, QStringLiteral("language"), QStringLiteral("ja"));
    xml.writeTextElement(kDcNamespace, QStringLiteral("date"), date.toString(Qt::ISODate));
    xml.writeEndElement(); // meta
    xml.writeEndElement(); // head

    xml.writeStartElement(kPefNamespace, QStringLiteral("body"));
    xml.writeStartElement(kPefNamespace, QStringLiteral("volume"));
    xml.writeAttribute(QStringLiteral("cols"), QString::number(document.cells));
    xml.writeAttribute(QStringLiteral("rows"), QString::number(document.lines));
    xml.writeAttribute(QStringLiteral("rowgap"), QStringLiteral("0"));
    xml.writeAttribute(QStringLiteral("duplex"),
                       document.duplex ? QStringLiteral("true") : QStringLiteral("false"));
    xml.writeStartElement(kPefNamespace, QStringLiteral("section"));
    for (const QStringList &page : document.pages) {
        xml.writeStartElement(kPefNamespace, QStringLiteral("page"));
        for (const QString &line : page)
            xml.writeTextElement(kPefNamespace, QStringLiteral("row"), line);
        xml.writeEndElement(); // page
    }
    xml.writeEndDocument();
    return bytes;
}

ReadResult decodePef(const QByteArray &bytes)
{
    ReadResult result;
    BraillePages &document = result.document;
    document.cells = 0;
    document.lines = 0;
    QXmlStreamReader xml(bytes);
    ReadProblem problem;
    bool inPage = false;
    while (problem.ok() && !xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == u"page") {
            inPage = false;
            continue;
        }
        if (!xml.isStartElement())
            continue;
        const QStringView name = xml.name();
        if (name == u"title" && xml.namespaceUri() == kDcNamespace) {
            document.title = xml.readElementText();
        } else if (name == u"creator" && xml.namespaceUri() == kDcNamespace) {
            document.author = xml.readElementText();
        } else if (name == u"publisher" && xml.namespaceUri() == kDcNamespace) {
            document.publisher = xml.readElementText();
        } else if (name == u"volume" && document.cells == 0) {
            document.cells = xml.attributes().value(QLatin1String("cols")).toInt();
            document.lines = xml.attributes().value(QLatin1String("rows")).toInt();
            document.duplex = xml.attributes().value(QLatin1String("duplex")) == u"true";
        } else if (name == u"page") {
            document.pages.append(QStringList());
            inPage = true;
        } else if (name == u"row" && inPage) {
            const QString row = xml.readElementText();
            if (xml.hasError())
                break;
            for (const QChar c : row) {
                if (!BrailleCells::isCell(c)) {
                    problem = {ReadError::NotBrailleCharacter, 0, 0, QString(c)};
                    break;
                }
            }
            if (problem.ok())
                document.pages.last().append(BrailleCells::withoutTrailingBlanks(row));
        }
    }
    if (problem.ok() && xml.hasError())
        problem = {ReadError::XmlUnreadable, 0, 0, xml.errorString(), xml.lineNumber()};
    if (problem.ok() && document.pages.isEmpty())
        problem.error = ReadError::NoPefPages;
    if (document.cells <= 0 || document.lines <= 0)
        takeSizeFromPages(document);
    if (problem)
        result.problem = stoppedAt(document, problem.error, problem.detail, problem.number);
    return result;
}

} // namespace BrailleFiles
