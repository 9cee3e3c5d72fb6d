#include "htmlcontent.h"

#include <QHash>

using namespace Qt::Literals::StringLiterals;

namespace {

bool isBlock(QStringView name)
{
    static const QStringList blocks = {
        u"p"_s,       u"div"_s,     u"li"_s,      u"td"_s,      u"th"_s,     u"tr"_s,
        u"dt"_s,      u"dd"_s,      u"ul"_s,      u"ol"_s,      u"dl"_s,     u"table"_s,
        u"caption"_s, u"blockquote"_s, u"pre"_s,  u"section"_s, u"article"_s, u"header"_s,
        u"footer"_s,  u"nav"_s,     u"aside"_s,   u"figure"_s,  u"figcaption"_s, u"address"_s,
        u"hr"_s,      u"main"_s,    u"body"_s,    u"center"_s,  u"h1"_s,      u"h2"_s,
        u"h3"_s,      u"h4"_s,      u"h5"_s,      u"h6"_s};
    return blocks.contains(name);
}

bool isSkipped(QStringView name)
{
    return name == u"script" || name == u"style" || name == u"template" || name == u"title" ||
           name == u"rp" || name == u"noscript" || name == u"head";
}

QString attribute(const HtmlContent::Attributes &attributes, QStringView name)
{
    for (const auto &[key, value] : attributes) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return QString();
}

bool isFootnote(const HtmlContent::Attributes &attributes)
{
    const QStringList kinds = (attribute(attributes, u"epub:type") + u' ' + attribute(attributes, u"role"))
                                  .split(u' ', Qt::SkipEmptyParts);
    for (const QString &kind : kinds) {
        if (kind == u"footnote" || kind == u"endnote" || kind == u"rearnote" || kind == u"doc-footnote" ||
            kind == u"doc-endnote")
            return true;
    }
    return false;
}

} // namespace

HtmlContent::HtmlContent(TextBuilder &out) : m_document(out), m_out(&out)
{
    m_document.setCollapseBlanks(true);
    m_noteText.setCollapseBlanks(true);
}

void HtmlContent::startElement(QStringView name, const Attributes &attributes)
{
    if (name == u"body") // the head of a page that never closed it
        m_skipDepth = 0;
    if (m_skipDepth > 0) {
        if (name == m_skipped)
            ++m_skipDepth;
        return;
    }
    if (isSkipped(name)) {
        m_skipped = name.toString();
        m_skipDepth = 1;
        return;
    }
    if (m_noteDepth > 0 && name == m_noteElement)
        ++m_noteDepth;
    else if (m_noteDepth == 0 && isFootnote(attributes)) {
        m_out->endParagraph();
        m_noteElement = name.toString();
        m_noteDepth = 1;
        m_out = &m_noteText;
    }
    if (name == u"ruby") {
        if (m_rubyDepth++ == 0) {
            m_rubyBase.clear();
            m_rubyReading.clear();
        }
        return;
    }
    if ((name == u"rt" || name == u"rtc") && m_rubyDepth > 0) {
        m_inReading = true;
        m_rubyReading.clear();
        return;
    }
    if (name.size() == 2 && name[0] == u'h' && name[1] >= u'1' && name[1] <= u'6') {
        m_out->beginHeading(name[1].unicode() - u'0');
        return;
    }
    if (name == u"br") {
        m_out->endParagraph();
        return;
    }
    if (name == u"img" || name == u"area") {
        m_out->addImageDescription(attribute(attributes, u"alt"));
        return;
    }
    if (name == u"pre" && m_preDepth++ == 0)
        m_out->setCollapseBlanks(false);
    if (isBlock(name))
        m_out->endParagraph();
}

void HtmlContent::endElement(QStringView name)
{
    if (m_skipDepth > 0) {
        if (name == m_skipped)
            --m_skipDepth;
        return;
    }
    if (m_rubyDepth > 0) {
        if ((name == u"rt" || name == u"rtc") && m_inReading) {
            m_inReading = false;
            // <ruby>山<rt>やま</rt>田<rt>だ</rt></ruby>: one reading for each base.
            m_out->addRuby(m_rubyBase, m_rubyReading);
            m_rubyBase.clear();
            return;
        }
        if (name == u"ruby" && --m_rubyDepth == 0) {
            m_out->addText(m_rubyBase);
            m_rubyBase.clear();
            m_inReading = false;
        }
        if (name == u"ruby")
            return;
    }
    if (name == u"pre" && m_preDepth > 0 && --m_preDepth == 0)
        m_out->setCollapseBlanks(true);
    if (isBlock(name) || name == u"li")
        m_out->endParagraph();
    if (m_noteDepth > 0 && name == m_noteElement && --m_noteDepth == 0) {
        m_out = &m_document;
        m_document.addNote(m_noteText.takeLines(), false);
    }
}

void HtmlContent::text(QStringView text)
{
    if (m_skipDepth > 0)
        return;
    if (m_rubyDepth > 0) {
        (m_inReading ? m_rubyReading : m_rubyBase) += text;
        return;
    }
    m_out->addText(text);
}

void HtmlContent::endPage()
{
    if (m_rubyDepth > 0)
        m_out->addText(m_rubyBase);
    m_rubyDepth = 0;
    m_skipDepth = 0;
    if (m_noteDepth > 0) {
        m_noteDepth = 0;
        m_out = &m_document;
        m_document.addNote(m_noteText.takeLines(), false);
    }
    m_document.endSection();
}

std::optional<QString> htmlEntity(QStringView name)
{
    static const QHash<QString, QString> entities = {
        {u"amp"_s, u"&"_s},       {u"lt"_s, u"<"_s},        {u"gt"_s, u">"_s},
        {u"quot"_s, u"\""_s},     {u"apos"_s, u"'"_s},      {u"nbsp"_s, u" "_s},
        {u"ensp"_s, u" "_s},      {u"emsp"_s, u"　"_s},     {u"thinsp"_s, u" "_s},
        {u"shy"_s, QString()},     {u"zwj"_s, QString()},     {u"zwnj"_s, QString()},
        {u"hellip"_s, u"…"_s},    {u"mdash"_s, u"—"_s},     {u"ndash"_s, u"–"_s},
        {u"lsquo"_s, u"‘"_s},     {u"rsquo"_s, u"’"_s},     {u"ldquo"_s, u"“"_s},
        {u"rdquo"_s, u"”"_s},     {u"middot"_s, u"・"_s},   {u"times"_s, u"×"_s},
        {u"divide"_s, u"÷"_s},    {u"copy"_s, u"©"_s},      {u"reg"_s, u"®"_s},
        {u"laquo"_s, u"«"_s},     {u"raquo"_s, u"»"_s},     {u"bull"_s, u"•"_s},
        {u"yen"_s, u"¥"_s},       {u"deg"_s, u"°"_s},       {u"minus"_s, u"−"_s},
    };
    const auto found = entities.constFind(name.toString());
    if (found == entities.constEnd())
        return std::nullopt;
    return *found;
}
