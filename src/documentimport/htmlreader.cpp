// HTML pages, read by a forgiving tokenizer of our own (web pages are
// seldom well-formed XML), and XHTML, read as XML.
#include "formatreaders.h"

#include "htmlcontent.h"
#include "platform/textcodec.h"
#include "xmlreading.h"

#include <QRegularExpression>
#include <QStringDecoder>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kMaxOpenElements = 4096;

// The page's text by its byte-order mark, its <meta charset>, or else as a
// text file is read (UTF-8 or cp932).
QString decodeHtml(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return decodeText(bytes);
    static const QRegularExpression charset(QStringLiteral("(?:charset|encoding)\\s*=\\s*[\"']?([A-Za-z0-9_.:-]+)"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = charset.match(QString::fromLatin1(bytes.left(2048)));
    if (match.hasMatch()) {
        const QString name = match.captured(1).toLower();
        if (name == u"shift_jis" || name == u"shift-jis" || name == u"sjis" || name == u"x-sjis" ||
            name == u"windows-31j" || name == u"cp932" || name == u"ms932")
            return Cp932::decode(bytes);
        if (name == u"utf-8" || name == u"utf8")
            return QString::fromUtf8(bytes);
        QStringDecoder decoder(name.toLatin1().constData());
        if (decoder.isValid()) {
            QString text = decoder.decode(bytes);
            if (!decoder.hasError())
                return text;
        }
    }
    return decodeText(bytes);
}

QString decodeCharacterReferences(QStringView text)
{
    if (!text.contains(u'&'))
        return text.toString();
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        const qsizetype semicolon = c == u'&' ? text.indexOf(u';', i + 1) : -1;
        if (semicolon < 0 || semicolon - i > 12) {
            out += c;
            ++i;
            continue;
        }
        const QStringView name = text.mid(i + 1, semicolon - i - 1);
        std::optional<QString> replacement;
        if (name.startsWith(u'#')) {
            bool ok = false;
            const uint code = name.size() > 1 && (name[1] == u'x' || name[1] == u'X') ? name.mid(2).toUInt(&ok, 16)
                                                                                      : name.mid(1).toUInt(&ok, 10);
            if (ok && code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF)) {
                const char32_t codePoint = code;
                replacement = QString::fromUcs4(&codePoint, 1);
            }
        } else {
            replacement = htmlEntity(name);
        }
        if (replacement) {
            out += *replacement;
            i = semicolon + 1;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

bool isNameStart(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isTagBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

bool isVoid(QStringView name)
{
    static const QStringList voids = {u"area"_s, u"base"_s, u"br"_s,   u"col"_s,  u"embed"_s,
                                      u"hr"_s,   u"img"_s,  u"input"_s, u"link"_s, u"meta"_s,
                                      u"param"_s, u"source"_s, u"track"_s, u"wbr"_s};
    return voids.contains(name);
}

// Reads the tags and text of an HTML page in one pass; nothing it names is
// ever loaded.
ImportError tokenizeHtml(const QString &page, HtmlContent &content)
{
    QStringList open; // to bound the nesting, as for XML
    const qsizetype n = page.size();
    qsizetype i = 0;
    qsizetype textStart = 0;
    auto flushText = [&](qsizetype end) {
        if (end > textStart)
            content.text(decodeCharacterReferences(QStringView(page).mid(textStart, end - textStart)));
    };
    while (i < n) {
        if (page[i] != u'<' || i + 1 >= n) {
            ++i;
            continue;
        }
        const QChar next = page[i + 1];
        if (page.mid(i, 4) == u"<!--") {
            flushText(i);
            const qsizetype end = page.indexOf(QStringLiteral("-->"), i + 4);
            i = end < 0 ? n : end + 3;
            textStart = i;
            continue;
        }
        if (next == u'!' || next == u'?') {
            flushText(i);
            const qsizetype end = page.indexOf(u'>', i);
            i = end < 0 ? n : end + 1;
            textStart = i;
            continue;
        }
        const bool closing = next == u'/';
        const qsizetype nameStart = i + (closing ? 2 : 1);
        if (nameStart >= n || !isNameStart(page[nameStart])) {
            ++i;
            continue;
        }
        flushText(i);
        qsizetype j = nameStart;
        while (j < n && !isTagBlank(page[j]) && page[j] != u'>' && page[j] != u'/')
            ++j;
        QString name = page.mid(nameStart, j - nameStart).toLower();
        const qsizetype colon = name.indexOf(u':');
        if (colon >= 0)
            name = name.mid(colon + 1);
        HtmlContent::Attributes attributes;
        bool selfClosing = false;
        // Attributes: name, name=value, name="value", name='value'.
        while (j < n && page[j] != u'>') {
            if (isTagBlank(page[j])) {
                ++j;
                continue;
            }
            if (page[j] == u'/') {
                selfClosing = true;
                ++j;
                continue;
            }
            selfClosing = false;
            const qsizetype keyStart = j;
            while (j < n && !isTagBlank(page[j]) && page[j] != u'=' && page[j] != u'>' && page[j] != u'/')
                ++j;
            const QString key = page.mid(keyStart, j - keyStart);
            while (j < n && isTagBlank(page[j]))
                ++j;
            QString value;
            if (j < n && page[j] == u'=') {
                ++j;
                while (j < n && isTagBlank(page[j]))
                    ++j;
                if (j < n && (page[j] == u'"' || page[j] == u'\'')) {
                    const QChar quote = page[j];
                    const qsizetype end = page.indexOf(quote, j + 1);
                    const qsizetype valueEnd = end < 0 ? n : end;
                    value = page.mid(j + 1, valueEnd - j - 1);
                    j = end < 0 ? n : end + 1;
                } else {
                    const qsizetype valueStart = j;
                    while (j < n && !isTagBlank(page[j]) && page[j] != u'>')
                        ++j;
                    value = page.mid(valueStart, j - valueStart);
                }
            }
            if (!key.isEmpty())
                attributes.append({key.toLower(), decodeCharacterReferences(value)});
        }
        i = j < n ? j + 1 : n;
        textStart = i;
        if (closing) {
            const qsizetype at = open.lastIndexOf(name);
            if (at >= 0)
                open.resize(at);
            content.endElement(name);
            continue;
        }
        content.startElement(name, attributes);
        if (selfClosing || isVoid(name)) {
            content.endElement(name);
            continue;
        }
        open.append(name);
        if (open.size() > kMaxOpenElements)
            return ImportError::TooDeep;
        // Script and style hold no markup: their text runs to their end tag.
        if (name == u"script" || name == u"style" || name == u"textarea" || name == u"title") {
            const QString endTag = QStringLiteral("</") + name;
            const qsizetype end = page.indexOf(endTag, i, Qt::CaseInsensitive);
            const qsizetype stop = end < 0 ? n : end;
            if (name == u"textarea")
                content.text(decodeCharacterReferences(QStringView(page).mid(i, stop - i)));
            i = textStart = stop;
        }
    }
    flushText(n);
    return ImportError::None;
}

} // namespace

namespace {

ImportError xmlRefusal(const QByteArray &bytes)
{
    XmlReader xml(bytes);
    while (xml.next()) {
    }
    return xml.error();
}

} // namespace

ImportError readXhtmlPage(const QByteArray &bytes, HtmlContent &content)
{
    // Books are often not quite XML (an HTML entity without its DTD, a
    // stray &): such a page is read as HTML. Entity declarations and deep
    // nesting stay refused.
    const ImportError refusal = xmlRefusal(bytes);
    if (refusal == ImportError::Damaged) {
        const ImportError error = tokenizeHtml(decodeHtml(bytes), content);
        content.endPage();
        return error;
    }
    if (refusal != ImportError::None)
        return refusal;
    XmlReader xml(bytes);
    while (xml.next()) {
        QXmlStreamReader &reader = xml.xml();
        if (reader.isStartElement()) {
            HtmlContent::Attributes attributes;
            for (const QXmlStreamAttribute &attribute : reader.attributes())
                attributes.append({attribute.qualifiedName().toString(), attribute.value().toString()});
            content.startElement(reader.name().toString().toLower(), attributes);
        } else if (reader.isEndElement()) {
            content.endElement(reader.name().toString().toLower());
        } else if (reader.isCharacters()) {
            content.text(reader.text());
        } else if (reader.isEntityReference()) {
            // Only the names HTML defines; nothing is looked up elsewhere.
            content.text(htmlEntity(reader.name()).value_or(QString()));
        }
    }
    content.endPage();
    return xml.error();
}

DocumentImport readHtmlDocument(const QByteArray &bytes, bool xhtml)
{
    DocumentImport result;
    TextBuilder builder;
    HtmlContent content(builder);
    if (xhtml) {
        result.problem = {readXhtmlPage(bytes, content)};
    } else {
        result.problem = {tokenizeHtml(decodeHtml(bytes), content)};
        content.endPage();
    }
    if (result.problem)
        return result;
    result.document = builder.finish();
    result.ok = true;
    return result;
}
