#include "xmlreading.h"


XmlReader::XmlReader(const QByteArray &data) : m_xml(data)
{
    m_xml.setNamespaceProcessing(true);
    m_xml.setEntityExpansionLimit(0);
}

bool XmlReader::next()
{
    if (m_error != ImportError::None || m_xml.atEnd())
        return false;
    const QXmlStreamReader::TokenType token = m_xml.readNext();
    switch (token) {
    case QXmlStreamReader::Invalid:
        m_error = ImportError::Damaged;
        return false;
    case QXmlStreamReader::DTD:
        // Entities are where XML fetches files and multiplies text.
        if (!m_xml.entityDeclarations().isEmpty() || !m_xml.notationDeclarations().isEmpty() ||
            m_xml.text().contains(u"<!ENTITY")) {
            m_error = ImportError::EntityDeclarations;
            return false;
        }
        return true;
    case QXmlStreamReader::StartElement:
        if (++m_depth > kMaxDepth) {
            m_error = ImportError::TooDeep;
            return false;
        }
        return true;
    case QXmlStreamReader::EndElement:
        --m_depth;
        return true;
    case QXmlStreamReader::EndDocument:
        return false;
    default:
        return true;
    }
}

QString XmlReader::attribute(QStringView qualifiedName) const
{
    for (const QXmlStreamAttribute &attribute : m_xml.attributes()) {
        if (attribute.qualifiedName() == qualifiedName)
            return attribute.value().toString();
    }
    return QString();
}
